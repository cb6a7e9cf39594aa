#include "platform/os/read_only_file.h"

#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>

#include "platform/os/kept_files.h"
#include "platform/os/regular_file.h"

namespace os {

ReadOnlyFile ReadOnlyFile::Open(const std::string& path) {
  if (FileImagePtr file = ReadKeptFile(path)) return ReadOnlyFile(std::move(file));
  return ReadOnlyFile(OpenRegularFile(path));
}

void ReadOnlyFile::CloseDescriptor() {
  ::close(descriptor_);
  descriptor_ = -1;
}

std::int64_t ReadOnlyFile::Size() const {
  if (file_ && file_->imaged()) return static_cast<std::int64_t>(file_->size());
  if (file_) return file_->stamp().size;
  struct stat st;
  const int fd = descriptor();
  if (fd < 0 || ::fstat(fd, &st) != 0) return -1;
  return static_cast<std::int64_t>(st.st_size);
}

std::int64_t ReadOnlyFile::ReadDescriptorAt(std::int64_t offset, MutableByteSpan out) const {
  const int fd = descriptor();
  if (fd < 0) return -1;
  std::size_t wanted = out.size();
  if (file_) {
    // Kept: no more than was found, so that a rating keeps to one state of the file.
    const std::int64_t found = file_->stamp().size;
    wanted = offset >= found ? 0 : std::min(wanted, static_cast<std::size_t>(found - offset));
  }
  std::size_t done = 0;
  while (done < wanted) {
    const ssize_t n = ::pread(fd, out.data() + done, wanted - done,
                              static_cast<off_t>(offset + static_cast<std::int64_t>(done)));
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) return -1;
    if (n == 0) break;
    done += static_cast<std::size_t>(n);
  }
  // Cut short since it was found: what was found can no longer be read.
  if (file_ && done < wanted) return -1;
  return static_cast<std::int64_t>(done);
}

ReadOnlyStream& ReadOnlyStream::operator=(ReadOnlyStream&& other) noexcept {
  if (this != &other) {
    Close();
    stream_ = other.stream_;
    image_ = std::move(other.image_);
    other.stream_ = nullptr;
  }
  return *this;
}

void ReadOnlyStream::Close() {
  if (stream_ != nullptr) std::fclose(stream_);
  stream_ = nullptr;
  image_.reset();
}

ReadOnlyStream StreamOf(const std::string& path, FileImagePtr image, const char* mode) {
  if (!image || image->size() == 0) {
    return ReadOnlyStream(StreamOver(OpenRegularFile(path), mode));
  }
  // fmemopen takes no const buffer; opened for reading it never writes to it.
  void* data = const_cast<std::uint8_t*>(image->bytes().data());
  std::FILE* stream = ::fmemopen(data, image->size(), "rb");
  return ReadOnlyStream(stream, std::move(image));
}

ReadOnlyStream OpenReadOnlyStream(const std::string& path, const char* mode) {
  return StreamOf(path, ReadFileImage(path), mode);
}

}  // namespace os
