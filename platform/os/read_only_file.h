// The one way the engine and its readers open a data file: as the file cache keeps it (a
// small regular file as its shared image, a larger one as a shared descriptor), behind one
// interface. Files are only ever read; line ends are kept as stored.
#ifndef FRELANE_PLATFORM_OS_READ_ONLY_FILE_H_
#define FRELANE_PLATFORM_OS_READ_ONLY_FILE_H_

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <string>
#include <utility>

#include "platform/os/bytes.h"
#include "platform/os/file_cache.h"

namespace os {

// What ReadOnlyFile::image() gives for a descriptor.
inline const FileImagePtr kNoImage;

// An open file, read at given offsets. A default file is "not open".
class ReadOnlyFile {
 public:
  ReadOnlyFile() = default;
  explicit ReadOnlyFile(int descriptor) : descriptor_(descriptor) {}
  // A file as the cache keeps it (see kept_files.h): its image or its descriptor.
  explicit ReadOnlyFile(FileImagePtr file) : file_(std::move(file)) {}
  // The file at path as the cache keeps it, else a descriptor of the regular file there;
  // not open when neither can be had.
  static ReadOnlyFile Open(const std::string& path);
  ~ReadOnlyFile() { Close(); }
  ReadOnlyFile(ReadOnlyFile&& other) noexcept { *this = std::move(other); }
  ReadOnlyFile& operator=(ReadOnlyFile&& other) noexcept {
    if (this != &other) {
      Close();
      descriptor_ = std::exchange(other.descriptor_, -1);
      file_ = std::move(other.file_);
    }
    return *this;
  }
  ReadOnlyFile(const ReadOnlyFile&) = delete;
  ReadOnlyFile& operator=(const ReadOnlyFile&) = delete;

  bool is_open() const { return descriptor_ >= 0 || file_ != nullptr; }
  // -1 for an image.
  int descriptor() const { return file_ ? file_->descriptor() : descriptor_; }
  // The shared image read from; null for a descriptor.
  const FileImagePtr& image() const { return file_ && file_->imaged() ? file_ : kNoImage; }
  // What the cache served (image or descriptor), for the keeping rule; null for a
  // descriptor of the file's own.
  const FileImagePtr& kept() const { return file_; }
  void Close() {
    if (descriptor_ >= 0) CloseDescriptor();
    file_.reset();
  }

  // The size in bytes, -1 when unknown or not open. A file the cache kept (image or
  // descriptor) has the size it was found with.
  std::int64_t Size() const;
  // Reads up to out.size() bytes at offset: the count read (0 at or past the end), -1 on an
  // error or when not open. An image is read here, in line: the record searches read a few
  // bytes at a time. A descriptor the cache kept reads as the file was found: nothing past
  // the size found, and -1 where the file no longer holds bytes it was found with (it was
  // cut short since), as for a read that fails.
  std::int64_t ReadAt(std::int64_t offset, MutableByteSpan out) const {
    if (offset < 0) return -1;
    if (!file_ || !file_->imaged()) return ReadDescriptorAt(offset, out);
    const auto size = static_cast<std::int64_t>(file_->size());
    const std::size_t n =
        offset >= size ? 0 : std::min(out.size(), static_cast<std::size_t>(size - offset));
    if (n > 0) std::memcpy(out.data(), file_->bytes().data() + offset, n);
    return static_cast<std::int64_t>(n);
  }

 private:
  void CloseDescriptor();
  // ReadAt of a descriptor (offset >= 0).
  std::int64_t ReadDescriptorAt(std::int64_t offset, MutableByteSpan out) const;

  int descriptor_ = -1;  // owned
  FileImagePtr file_;
};

// An open stdio stream, closed when the handle goes away: over a file's image in memory,
// or over the file itself.
class ReadOnlyStream {
 public:
  ReadOnlyStream() = default;
  // image, when given, holds the bytes a memory stream reads.
  explicit ReadOnlyStream(std::FILE* stream, FileImagePtr image = nullptr)
      : stream_(stream), image_(stream != nullptr ? std::move(image) : nullptr) {}
  ~ReadOnlyStream() { Close(); }
  ReadOnlyStream(ReadOnlyStream&& other) noexcept
      : stream_(other.stream_), image_(std::move(other.image_)) {
    other.stream_ = nullptr;
  }
  ReadOnlyStream& operator=(ReadOnlyStream&& other) noexcept;
  ReadOnlyStream(const ReadOnlyStream&) = delete;
  ReadOnlyStream& operator=(const ReadOnlyStream&) = delete;

  bool is_open() const { return stream_ != nullptr; }
  std::FILE* get() const { return stream_; }
  // The image a memory stream reads; null for a stream over the file itself.
  const FileImagePtr& image() const { return image_; }
  void Close();
  // Back to the start with the error state cleared.
  void Rewind() const {
    if (stream_ != nullptr) std::rewind(stream_);
  }

 private:
  std::FILE* stream_ = nullptr;
  FileImagePtr image_;
};

// A stream in mode over image, the image of the file at path (null or empty: over the
// file itself, since a stream over no bytes is not to be had everywhere). Not open on
// failure.
ReadOnlyStream StreamOf(const std::string& path, FileImagePtr image, const char* mode);
// StreamOf the file at path and its image from the cache.
ReadOnlyStream OpenReadOnlyStream(const std::string& path, const char* mode);

}  // namespace os

#endif  // FRELANE_PLATFORM_OS_READ_ONLY_FILE_H_
