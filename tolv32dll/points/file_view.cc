#include "tolv32dll/points/file_view.h"

#include <algorithm>
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

}  // namespace tolv
