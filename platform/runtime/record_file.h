// Random-access record files: fixed-length records addressed by a 1-based record number.
// Opening a missing file creates it empty; only a regular file is opened (a pipe at the
// name would hold the program up), anything else fails to open. Reading a record at or past the end gives a
// zero-filled record and sets Eof; reading never fails on a short file, and a trailing
// partial record counts as past the end. Record numbers below 1 are run-time error 63.
#ifndef FRELANE_PLATFORM_RUNTIME_RECORD_FILE_H_
#define FRELANE_PLATFORM_RUNTIME_RECORD_FILE_H_

#include <cstdint>
#include <cstdio>
#include <span>
#include <string>

namespace runtime {

class RecordFile {
 public:
  RecordFile() = default;
  ~RecordFile();
  RecordFile(const RecordFile&) = delete;
  RecordFile& operator=(const RecordFile&) = delete;

  // Opens (creating when missing) for reading and writing. False when the file can be
  // neither opened nor created, or record_length is not positive.
  bool Open(const std::string& path, int record_length);
  // Opens an existing file for reading only; false when it is missing.
  bool OpenForReading(const std::string& path, int record_length);
  void Close();
  bool IsOpen() const { return file_ != nullptr; }

  // Reads record n into out (record_length bytes). Past the end: zeros, Eof() true, returns
  // false. Error 63 for n < 1.
  bool Get(std::int64_t n, std::span<std::uint8_t> out);
  // Writes record n (record_length bytes; shorter data is zero-padded), extending the file.
  // False on a write failure. Error 63 for n < 1.
  bool Put(std::int64_t n, std::span<const std::uint8_t> data);

  bool Eof() const { return eof_; }
  // The file's length in bytes, and in whole records.
  std::int64_t Lof() const;
  std::int64_t RecordCount() const { return Lof() / record_length_; }
  int record_length() const { return record_length_; }

 private:
  std::FILE* file_ = nullptr;
  int record_length_ = 1;
  bool eof_ = false;
  bool read_only_ = false;
};

}  // namespace runtime

#endif  // FRELANE_PLATFORM_RUNTIME_RECORD_FILE_H_
