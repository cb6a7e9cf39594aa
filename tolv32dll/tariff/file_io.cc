#include "tolv32dll/tariff/file_io.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>

#include "platform/os/regular_file.h"
#include "tolv32dll/logs/binary_log.h"

namespace tolv {
namespace {

int Whence(int origin) { return origin == 1 ? SEEK_CUR : (origin == 2 ? SEEK_END : SEEK_SET); }

// Streams over shared images are only ever read.
constexpr char kImageMode[] = "rb";

}  // namespace

int File_Open(const std::string& name) {
  const int descriptor = os::OpenRegularFile(name);
  if (descriptor >= 0) LogBinaryOpenedFile(name);
  return descriptor;
}

int File_Close(int descriptor) { return descriptor < 0 ? -1 : ::close(descriptor); }

int File_Read(int descriptor, void* buffer, int count) {
  if (descriptor < 0 || count < 0) return -1;
  ssize_t n;
  do {
    n = ::read(descriptor, buffer, static_cast<std::size_t>(count));
  } while (n < 0 && errno == EINTR);
  return static_cast<int>(n);
}

std::int64_t File_Seek(int descriptor, std::int64_t offset, int origin) {
  if (descriptor < 0) return -1;
  return ::lseek(descriptor, static_cast<off_t>(offset), Whence(origin));
}

std::int64_t File_Tell(int descriptor) { return File_Seek(descriptor, 0, 1); }

std::FILE* File_FOpen(const std::string& name, const char* mode) {
  return os::StreamOver(os::OpenRegularFile(name), mode);
}

char* File_GetLine(char* buffer, int size, std::FILE* stream) {
  if (stream == nullptr || size < 2) return nullptr;
  return std::fgets(buffer, size, stream);
}

std::size_t File_FRead(void* buffer, std::size_t size, std::size_t count, std::FILE* stream) {
  if (stream == nullptr) return 0;
  return std::fread(buffer, size, count, stream);
}

int File_FSeek(std::FILE* stream, std::int64_t offset, int origin) {
  if (stream == nullptr) return -1;
  return ::fseeko(stream, static_cast<off_t>(offset), Whence(origin));
}

void File_Rewind(std::FILE* stream) { std::rewind(stream); }

int File_FClose(std::FILE* stream) { return stream == nullptr ? EOF : std::fclose(stream); }

TariffFile File_OpenShared(const std::string& name) {
  os::FileImagePtr image = os::ReadFileImage(name);
  if (!image) return TariffFile(File_Open(name));
  LogBinaryOpenedFile(name);
  return TariffFile(std::move(image));
}

TariffStream File_FOpenShared(const std::string& name, const char* mode) {
  os::FileImagePtr image = os::ReadFileImage(name);
  // A stream over no bytes at all is not to be had everywhere: an empty file is opened.
  if (!image || image->size() == 0) return TariffStream(File_FOpen(name, mode));
  // fmemopen takes no const buffer; opened for reading it never writes to it.
  void* data = const_cast<std::uint8_t*>(image->bytes().data());
  std::FILE* stream = ::fmemopen(data, image->size(), kImageMode);
  return TariffStream(stream, std::move(image));
}

TariffFile& TariffFile::operator=(TariffFile&& other) noexcept {
  if (this != &other) {
    Close();
    descriptor_ = other.descriptor_;
    image_ = std::move(other.image_);
    position_ = other.position_;
    other.descriptor_ = -1;
    other.position_ = 0;
  }
  return *this;
}

void TariffFile::Close() {
  if (descriptor_ >= 0) File_Close(descriptor_);
  descriptor_ = -1;
  image_.reset();
  position_ = 0;
}

std::int64_t TariffFile::Size() const {
  if (image_) return static_cast<std::int64_t>(image_->size());
  struct stat st;
  if (descriptor_ < 0 || ::fstat(descriptor_, &st) != 0) return -1;
  return static_cast<std::int64_t>(st.st_size);
}

std::int64_t TariffFile::ReadAt(std::int64_t offset, os::MutableByteSpan out) const {
  if (image_ && offset >= 0) {
    const std::int64_t size = static_cast<std::int64_t>(image_->size());
    std::size_t n = offset >= size ? 0
                                   : std::min(out.size(), static_cast<std::size_t>(size - offset));
    if (n > 0) std::memcpy(out.data(), image_->bytes().data() + offset, n);
    return static_cast<std::int64_t>(n);
  }
  if (descriptor_ < 0 || offset < 0) return -1;
  std::size_t done = 0;
  while (done < out.size()) {
    ssize_t n = ::pread(descriptor_, out.data() + done, out.size() - done,
                        static_cast<off_t>(offset + static_cast<std::int64_t>(done)));
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) return -1;
    if (n == 0) break;
    done += static_cast<std::size_t>(n);
  }
  return static_cast<std::int64_t>(done);
}

int TariffFile::Read(os::MutableByteSpan out) const {
  if (image_) {
    std::int64_t n = ReadAt(position_, out);
    position_ += n;
    return static_cast<int>(n);
  }
  return File_Read(descriptor_, out.data(), static_cast<int>(out.size()));
}

std::int64_t TariffFile::Seek(std::int64_t offset, int origin) const {
  if (image_) {
    std::int64_t base = origin == 1 ? position_ : (origin == 2 ? Size() : 0);
    if (base + offset < 0) return -1;
    position_ = base + offset;
    return position_;
  }
  return File_Seek(descriptor_, offset, origin);
}

TariffStream& TariffStream::operator=(TariffStream&& other) noexcept {
  if (this != &other) {
    Close();
    stream_ = other.stream_;
    image_ = std::move(other.image_);
    other.stream_ = nullptr;
  }
  return *this;
}

void TariffStream::Close() {
  if (stream_ != nullptr) File_FClose(stream_);
  stream_ = nullptr;
  image_.reset();
}

}  // namespace tolv
