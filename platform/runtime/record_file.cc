#include "platform/runtime/record_file.h"

#include <sys/stat.h>

#include <algorithm>
#include <vector>

#include "platform/os/regular_file.h"
#include "platform/runtime/error.h"

namespace runtime {

RecordFile::~RecordFile() { Close(); }

bool RecordFile::Open(const std::string& path, int record_length) {
  Close();
  if (record_length <= 0) return false;
  file_ = os::StreamOver(os::OpenRegularFileForUpdate(path), "r+b");
  record_length_ = record_length;
  read_only_ = false;
  eof_ = false;
  return file_ != nullptr;
}

bool RecordFile::OpenForReading(const std::string& path, int record_length) {
  Close();
  if (record_length <= 0) return false;
  file_ = os::StreamOver(os::OpenRegularFile(path), "rb");
  record_length_ = record_length;
  read_only_ = true;
  eof_ = false;
  return file_ != nullptr;
}

void RecordFile::Close() {
  if (file_ != nullptr) std::fclose(file_);
  file_ = nullptr;
}

std::int64_t RecordFile::Lof() const {
  if (file_ == nullptr) return 0;
  std::fflush(file_);
  struct stat st;
  if (fstat(fileno(file_), &st) != 0) return 0;
  return st.st_size;
}

bool RecordFile::Get(std::int64_t n, std::span<std::uint8_t> out) {
  if (n < 1) Raise(kErrBadRecordNumber);
  std::size_t want = std::min<std::size_t>(out.size(), static_cast<std::size_t>(record_length_));
  std::fill(out.begin(), out.end(), 0);
  if (file_ == nullptr || n > RecordCount()) {
    eof_ = true;
    return false;
  }
  std::fseek(file_, static_cast<long>((n - 1) * record_length_), SEEK_SET);
  std::size_t got = std::fread(out.data(), 1, want, file_);
  if (got < want) {
    std::fill(out.begin(), out.end(), 0);
    eof_ = true;
    return false;
  }
  eof_ = false;
  return true;
}

bool RecordFile::Put(std::int64_t n, std::span<const std::uint8_t> data) {
  if (n < 1) Raise(kErrBadRecordNumber);
  if (file_ == nullptr || read_only_) return false;
  std::vector<std::uint8_t> record(record_length_, 0);
  std::copy_n(data.begin(), std::min<std::size_t>(data.size(), record.size()), record.begin());
  // A gap before the record is filled with zeros.
  std::int64_t length = Lof();
  std::int64_t at = (n - 1) * record_length_;
  if (length < at) {
    std::fseek(file_, 0, SEEK_END);
    std::vector<std::uint8_t> zeros(static_cast<std::size_t>(at - length), 0);
    if (std::fwrite(zeros.data(), 1, zeros.size(), file_) != zeros.size()) return false;
  }
  std::fseek(file_, static_cast<long>(at), SEEK_SET);
  bool ok = std::fwrite(record.data(), 1, record.size(), file_) == record.size();
  return std::fflush(file_) == 0 && ok;
}

}  // namespace runtime
