// A read-only file of fixed-length records. The TD look-ups open their file, search it and
// close it again; a small file is searched in its shared in-memory image (re-read when the
// file changes), a large one record by record with positioned reads.
#ifndef KMLIB_RECORD_FILE_H_
#define KMLIB_RECORD_FILE_H_

#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <span>
#include <string>

#include "platform/os/file_cache.h"

namespace kmlib {

// Told the path of every TD file opened, when set: the engine names them in its log.
using OpenedFileHook = void (*)(const std::string& path);
void SetOpenedFileHook(OpenedFileHook hook);
void NoteOpenedFile(const std::string& path);

class RecordFile {
 public:
  // Null when the file cannot be opened or its size cannot be taken.
  static std::unique_ptr<RecordFile> Open(const std::string& path, std::size_t record_size);
  ~RecordFile();
  RecordFile(const RecordFile&) = delete;
  RecordFile& operator=(const RecordFile&) = delete;

  std::size_t record_size() const { return record_size_; }
  // Whole records only: a short tail is not a record.
  std::size_t count() const { return count_; }
  // Reads record index into out (record_size() bytes). False on a short read or an index
  // past the end.
  bool Read(std::size_t index, std::span<std::uint8_t> out) const;

  // The first record of the run that compares equal, by binary search over records in
  // ascending order: compare returns < 0 when the key sorts before the record, 0 on a
  // match, > 0 after. -1 when none matches or a record cannot be read.
  long FindFirst(const std::function<int(std::span<const std::uint8_t>)>& compare) const;

 private:
  RecordFile(int fd, os::FileImagePtr image, std::size_t record_size, std::size_t count);
  int fd_;  // -1 when the image serves the reads
  os::FileImagePtr image_;
  std::size_t record_size_;
  std::size_t count_;
};

}  // namespace kmlib

#endif  // KMLIB_RECORD_FILE_H_
