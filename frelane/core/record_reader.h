// Read-only access to a random-access data file of fixed-length records numbered from 1.
// The look-ups open a file for one call and close it again. Unlike the runtime's
// random-access files, opening never creates a missing file: a look-up has no business
// leaving empty files behind in the installation directory. Only a regular file is opened:
// a pipe under a data file's name would hold the program up.
#ifndef FRELANE_CORE_RECORD_READER_H_
#define FRELANE_CORE_RECORD_READER_H_

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace frelane {

class RecordReader {
 public:
  // nullopt when the file does not exist, is no regular file or cannot be opened.
  // REQUIRES: record_size > 0.
  static std::optional<RecordReader> Open(const std::string& path, std::size_t record_size);

  RecordReader(RecordReader&& other) noexcept;
  RecordReader& operator=(RecordReader&& other) noexcept;
  RecordReader(const RecordReader&) = delete;
  RecordReader& operator=(const RecordReader&) = delete;
  ~RecordReader();

  std::uint64_t length() const { return length_; }
  // Whole records only; a short tail is not a record.
  std::int64_t record_count() const {
    return static_cast<std::int64_t>(length_ / record_size_);
  }
  // Record n (1-based), record_size bytes; nullopt for n < 1, a record beyond the end, a
  // short tail or a failed read.
  std::optional<std::vector<std::uint8_t>> Read(std::int64_t n);

 private:
  RecordReader(int fd, std::uint64_t length, std::size_t record_size)
      : fd_(fd), length_(length), record_size_(record_size) {}

  int fd_;
  std::uint64_t length_;
  std::size_t record_size_;
};

// The length of a file in bytes; 0 when it does not exist.
std::uint64_t FileLengthOrZero(const std::string& path);

}  // namespace frelane

#endif  // FRELANE_CORE_RECORD_READER_H_
