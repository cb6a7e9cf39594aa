// A read-only file of fixed-length records over an os::ReadOnlyFile: a small file is
// searched in its shared in-memory image (re-read when the file changes), a large one
// record by record with positioned reads.
#ifndef KMLIB_RECORD_FILE_H_
#define KMLIB_RECORD_FILE_H_

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "KMLIB/lower_bound.h"
#include "platform/os/read_only_file.h"

namespace kmlib {

// Told the path of every TD file opened, when set: the engine names them in its log.
using OpenedFileHook = void (*)(const std::string& path);
void SetOpenedFileHook(OpenedFileHook hook);
void NoteOpenedFile(const std::string& path);

class RecordFile {
 public:
  // Empty when the file cannot be opened or its size cannot be taken. The open is not
  // noted: the readers of each file name it where they look it up.
  static std::optional<RecordFile> Open(const std::string& path, std::size_t record_size);
  RecordFile(RecordFile&& other) noexcept = default;
  RecordFile& operator=(RecordFile&& other) noexcept = default;

  std::size_t record_size() const { return record_size_; }
  // The file as the cache serves it, image or descriptor (for the keeping rule).
  const os::FileImagePtr& kept() const { return file_.kept(); }
  // Whole records only: a short tail is not a record.
  std::size_t count() const { return count_; }
  // Reads record index into out (record_size() bytes). False on a short read or an index
  // past the end.
  bool Read(std::size_t index, std::span<std::uint8_t> out) const;
  // Record index where it lies in the image, else read into buffer (record_size() bytes).
  // Empty on a short read or an index past the end.
  std::span<const std::uint8_t> Record(std::size_t index, std::span<std::uint8_t> buffer) const {
    if (index >= count_) return {};
    if (file_.image()) return file_.image()->bytes().subspan(index * record_size_, record_size_);
    if (!Read(index, buffer)) return {};
    return buffer.first(record_size_);
  }

  // The first record of the run that compares equal, by binary search over records in
  // ascending order: compare(std::span<const std::uint8_t>) returns < 0 when the key
  // sorts before the record, 0 on a match, > 0 after. -1 when none matches or a record
  // cannot be read.
  template <typename Compare>
  long FindFirst(const Compare& compare) const;

 private:
  RecordFile(os::ReadOnlyFile file, std::size_t record_size, std::size_t count)
      : file_(std::move(file)), record_size_(record_size), count_(count) {}
  os::ReadOnlyFile file_;
  std::size_t record_size_;
  std::size_t count_;
};

template <typename Compare>
long RecordFile::FindFirst(const Compare& compare) const {
  // Only records read from the file itself need a buffer.
  std::vector<std::uint8_t> buffer(file_.image() ? 0 : record_size_);
  std::optional<std::size_t> low =
      LowerBound(std::size_t{0}, count_, [&](std::size_t i) -> std::optional<bool> {
        std::span<const std::uint8_t> record = Record(i, buffer);
        if (record.empty()) return std::nullopt;
        return compare(record) > 0;
      });
  if (!low || *low == count_) return -1;
  std::span<const std::uint8_t> record = Record(*low, buffer);
  if (record.empty() || compare(record) != 0) return -1;
  return static_cast<long>(*low);
}

}  // namespace kmlib

#endif  // KMLIB_RECORD_FILE_H_
