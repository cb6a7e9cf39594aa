// Read access to one open tariff file, as the rating steps use it: the file's size and
// positioned reads. The engine adapts its open descriptors to this view; tests hand in
// bytes built by the testkit writers. It is a Source of the record searches
// (tolv32dll/tariff/record_search.h), so sorted files are searched without being loaded.
#ifndef TOLV32DLL_POINTS_FILE_VIEW_H_
#define TOLV32DLL_POINTS_FILE_VIEW_H_

#include <cstddef>
#include <cstdint>
#include <vector>

#include "platform/os/bytes.h"
#include "platform/os/file_cache.h"

namespace tolv {

class FileView {
 public:
  virtual ~FileView() = default;
  // The size in bytes; -1 when it cannot be taken.
  virtual std::int64_t Size() const = 0;
  // Reads up to out.size() bytes at offset. Returns the count read (0 at or past the end),
  // -1 on an error.
  virtual std::int64_t ReadAt(std::int64_t offset, os::MutableByteSpan out) const = 0;
  // The shared image the view reads, which stands for the file's identity and version;
  // null when it reads no image.
  virtual os::FileImagePtr Image() const { return nullptr; }
  // The whole file when the view reads it from memory, so a search can look at records in
  // place; empty otherwise (an empty file gives nothing to look at either).
  virtual os::ByteSpan HeldBytes() const { return {}; }
};

// A file held in memory.
class MemoryFile : public FileView {
 public:
  MemoryFile() = default;
  explicit MemoryFile(std::vector<std::uint8_t> bytes) : bytes_(std::move(bytes)) {}
  std::int64_t Size() const override { return static_cast<std::int64_t>(bytes_.size()); }
  std::int64_t ReadAt(std::int64_t offset, os::MutableByteSpan out) const override;
  const std::vector<std::uint8_t>& bytes() const { return bytes_; }

 private:
  std::vector<std::uint8_t> bytes_;
};

// Reads exactly out.size() bytes at offset; false on a short read or an error.
bool ReadExact(const FileView& file, std::int64_t offset, os::MutableByteSpan out);

// Number of whole records of record_length bytes in the file (0 when the size is unknown).
std::int64_t RecordCount(const FileView& file, std::size_t record_length);

}  // namespace tolv

#endif  // TOLV32DLL_POINTS_FILE_VIEW_H_
