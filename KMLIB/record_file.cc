#include "KMLIB/record_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cstring>
#include <utility>

#include "platform/os/regular_file.h"

namespace kmlib {
namespace {
std::atomic<OpenedFileHook> opened_file_hook{nullptr};
}  // namespace

void SetOpenedFileHook(OpenedFileHook hook) { opened_file_hook.store(hook); }

void NoteOpenedFile(const std::string& path) {
  if (OpenedFileHook hook = opened_file_hook.load()) hook(path);
}

std::optional<RecordFile> RecordFile::Open(const std::string& path, std::size_t record_size) {
  if (record_size == 0) return std::nullopt;
  if (os::FileImagePtr image = os::ReadFileImage(path)) {
    std::size_t count = image->size() / record_size;
    return RecordFile(-1, std::move(image), record_size, count);
  }
  struct stat st;
  int fd = os::OpenRegularFile(path, &st);
  if (fd < 0) return std::nullopt;
  std::size_t count = static_cast<std::size_t>(st.st_size) / record_size;
  return RecordFile(fd, nullptr, record_size, count);
}

RecordFile::RecordFile(int fd, os::FileImagePtr image, std::size_t record_size, std::size_t count)
    : fd_(fd), image_(std::move(image)), record_size_(record_size), count_(count) {}

RecordFile::RecordFile(RecordFile&& other) noexcept
    : fd_(std::exchange(other.fd_, -1)),
      image_(std::move(other.image_)),
      record_size_(other.record_size_),
      count_(std::exchange(other.count_, 0)) {}

RecordFile& RecordFile::operator=(RecordFile&& other) noexcept {
  if (this != &other) {
    if (fd_ >= 0) ::close(fd_);
    fd_ = std::exchange(other.fd_, -1);
    image_ = std::move(other.image_);
    record_size_ = other.record_size_;
    count_ = std::exchange(other.count_, 0);
  }
  return *this;
}

RecordFile::~RecordFile() {
  if (fd_ >= 0) ::close(fd_);
}

bool RecordFile::Read(std::size_t index, std::span<std::uint8_t> out) const {
  if (index >= count_ || out.size() < record_size_) return false;
  if (image_) {
    std::memcpy(out.data(), image_->bytes().data() + index * record_size_, record_size_);
    return true;
  }
  std::size_t done = 0;
  off_t offset = static_cast<off_t>(index * record_size_);
  while (done < record_size_) {
    ssize_t got =
        ::pread(fd_, out.data() + done, record_size_ - done, offset + static_cast<off_t>(done));
    if (got <= 0) return false;
    done += static_cast<std::size_t>(got);
  }
  return true;
}

}  // namespace kmlib
