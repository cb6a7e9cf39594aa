// The engine's file input: the thin wrappers every reader uses, and two owning handles
// over them. Files are opened read-only and binary (POSIX makes no difference between
// binary and text, so line ends are kept as stored); the engine writes no tariff file.
#ifndef TOLV32DLL_TARIFF_FILE_IO_H_
#define TOLV32DLL_TARIFF_FILE_IO_H_

#include <cstdint>
#include <cstdio>
#include <string>

#include "platform/os/bytes.h"
#include "platform/os/file_cache.h"

namespace tolv {

// Low-level wrappers over descriptors; each gives -1 on failure (File_Read: 0 at the end).
// File_Open names the file it opened in the binary log (kind 15); streams are not logged.
int File_Open(const std::string& name);
int File_Close(int descriptor);
int File_Read(int descriptor, void* buffer, int count);
// origin 0 start, 1 current position, 2 end.
std::int64_t File_Seek(int descriptor, std::int64_t offset, int origin);
std::int64_t File_Tell(int descriptor);

// Stream wrappers: null, null at end or error, whole items read, non-zero on failure.
std::FILE* File_FOpen(const std::string& name, const char* mode);
// A line of at most size - 1 characters, its line end kept.
char* File_GetLine(char* buffer, int size, std::FILE* stream);
std::size_t File_FRead(void* buffer, std::size_t size, std::size_t count, std::FILE* stream);
int File_FSeek(std::FILE* stream, std::int64_t offset, int origin);
// Back to the start with the error state cleared.
void File_Rewind(std::FILE* stream);
int File_FClose(std::FILE* stream);

// An open file: a descriptor, closed when the handle goes away, or the shared image of a
// small file, read from memory with a file position of its own. A default handle is "not
// open". As a file view (Size, ReadAt) it serves the record searches.
class TariffFile {
 public:
  TariffFile() = default;
  explicit TariffFile(int descriptor) : descriptor_(descriptor) {}
  explicit TariffFile(os::FileImagePtr image) : image_(std::move(image)) {}
  ~TariffFile() { Close(); }
  TariffFile(TariffFile&& other) noexcept { *this = std::move(other); }
  TariffFile& operator=(TariffFile&& other) noexcept;
  TariffFile(const TariffFile&) = delete;
  TariffFile& operator=(const TariffFile&) = delete;

  bool is_open() const { return descriptor_ >= 0 || image_ != nullptr; }
  // -1 for an image.
  int descriptor() const { return descriptor_; }
  // The shared image read from; null for a descriptor.
  const os::FileImagePtr& image() const { return image_; }
  void Close();

  // The size in bytes, -1 when unknown or not open.
  std::int64_t Size() const;
  // Reads up to out.size() bytes at offset without moving the file position: the count
  // read (0 at or past the end), -1 on an error or when not open.
  std::int64_t ReadAt(std::int64_t offset, os::MutableByteSpan out) const;
  // Reads at the file position and moves it: the count read, 0 at the end, -1 on error.
  int Read(os::MutableByteSpan out) const;
  std::int64_t Seek(std::int64_t offset, int origin) const;

 private:
  int descriptor_ = -1;
  os::FileImagePtr image_;
  mutable std::int64_t position_ = 0;  // of the image
};

// Opens name for reading as File_Open does: a small regular file as its shared image,
// anything else as a descriptor. Not open on failure.
TariffFile File_OpenShared(const std::string& name);

// An open stream, closed when the handle goes away.
class TariffStream {
 public:
  TariffStream() = default;
  // image, when given, holds the bytes a memory stream reads.
  explicit TariffStream(std::FILE* stream, os::FileImagePtr image = nullptr)
      : stream_(stream), image_(stream != nullptr ? std::move(image) : nullptr) {}
  ~TariffStream() { Close(); }
  TariffStream(TariffStream&& other) noexcept
      : stream_(other.stream_), image_(std::move(other.image_)) {
    other.stream_ = nullptr;
  }
  TariffStream& operator=(TariffStream&& other) noexcept;
  TariffStream(const TariffStream&) = delete;
  TariffStream& operator=(const TariffStream&) = delete;

  bool is_open() const { return stream_ != nullptr; }
  std::FILE* get() const { return stream_; }
  // The image a memory stream reads; null for a stream over the file itself.
  const os::FileImagePtr& image() const { return image_; }
  void Close();
  void Rewind() const {
    if (stream_ != nullptr) File_Rewind(stream_);
  }

 private:
  std::FILE* stream_ = nullptr;
  os::FileImagePtr image_;
};

// Opens name as File_FOpen does; a small regular file becomes a stream over its shared
// image. Not open on failure.
TariffStream File_FOpenShared(const std::string& name, const char* mode);

}  // namespace tolv

#endif  // TOLV32DLL_TARIFF_FILE_IO_H_
