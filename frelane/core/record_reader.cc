#include "frelane/core/record_reader.h"

#include <sys/stat.h>
#include <unistd.h>

#include <utility>

#include "platform/os/regular_file.h"

namespace frelane {

std::optional<RecordReader> RecordReader::Open(const std::string& path,
                                               std::size_t record_size) {
  struct stat st;
  const int fd = os::OpenRegularFile(path, &st);
  if (fd < 0) return std::nullopt;
  return RecordReader(fd, static_cast<std::uint64_t>(st.st_size), record_size);
}

RecordReader::RecordReader(RecordReader&& other) noexcept
    : fd_(std::exchange(other.fd_, -1)),
      length_(other.length_),
      record_size_(other.record_size_) {}

RecordReader& RecordReader::operator=(RecordReader&& other) noexcept {
  if (this != &other) {
    if (fd_ >= 0) ::close(fd_);
    fd_ = std::exchange(other.fd_, -1);
    length_ = other.length_;
    record_size_ = other.record_size_;
  }
  return *this;
}

RecordReader::~RecordReader() {
  if (fd_ >= 0) ::close(fd_);
}

std::optional<std::vector<std::uint8_t>> RecordReader::Read(std::int64_t n) {
  if (n < 1 || n > record_count()) return std::nullopt;
  std::vector<std::uint8_t> record(record_size_);
  const auto offset = static_cast<std::uint64_t>(n - 1) * record_size_;
  if (!os::ReadFully(fd_, record.data(), record_size_, offset)) return std::nullopt;
  return record;
}

std::uint64_t FileLengthOrZero(const std::string& path) {
  struct stat st;
  if (::stat(path.c_str(), &st) != 0 || !S_ISREG(st.st_mode)) return 0;
  return static_cast<std::uint64_t>(st.st_size);
}

}  // namespace frelane
