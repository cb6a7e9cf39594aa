#include "tolv32dll/points/file_view.h"

#include <algorithm>
#include <array>
#include <cstring>

namespace tolv {

std::int64_t MemoryFile::ReadAt(std::int64_t offset, os::MutableByteSpan out) const {
  if (offset < 0) return -1;
  if (offset >= Size()) return 0;
  std::size_t n = std::min(out.size(), bytes_.size() - static_cast<std::size_t>(offset));
  std::memcpy(out.data(), bytes_.data() + offset, n);
  return static_cast<std::int64_t>(n);
}

bool ReadExact(const FileView& file, std::int64_t offset, os::MutableByteSpan out) {
  return file.ReadAt(offset, out) == static_cast<std::int64_t>(out.size());
}

std::int64_t RecordCount(const FileView& file, std::size_t record_length) {
  std::int64_t size = file.Size();
  if (size <= 0 || record_length == 0) return 0;
  return size / static_cast<std::int64_t>(record_length);
}

std::int64_t FindFirstRecord(const FileView& file, std::size_t record_length,
                             const RecordCompare& compare, std::int64_t first,
                             std::int64_t count) {
  constexpr std::size_t kProbeBytes = 80;
  std::int64_t total = RecordCount(file, record_length);
  if (first < 0) first = 0;
  std::int64_t end = count < 0 ? total : std::min(total, first + count);
  if (first >= end) return -1;
  std::array<std::uint8_t, kProbeBytes> probe{};
  const std::size_t width = std::min(record_length, kProbeBytes);
  bool read_failed = false;
  // Compares the key with record i; a record that cannot be read ends the search.
  auto compare_at = [&](std::int64_t i) {
    if (!ReadExact(file, i * static_cast<std::int64_t>(record_length),
                   os::MutableByteSpan(probe.data(), width))) {
      read_failed = true;
      return 0;
    }
    return compare(os::ByteSpan(probe.data(), width));
  };
  // Invariant: every record below low sorts before the key; every record at or above high
  // matches it or sorts after it.
  std::int64_t low = first;
  std::int64_t high = end;
  while (low < high && !read_failed) {
    std::int64_t mid = low + (high - low) / 2;
    if (compare_at(mid) > 0) {
      low = mid + 1;
    } else {
      high = mid;
    }
  }
  if (read_failed || low >= end) return -1;
  if (compare_at(low) != 0 || read_failed) return -1;
  return low;
}

}  // namespace tolv
