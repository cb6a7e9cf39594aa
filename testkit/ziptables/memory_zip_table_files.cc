#include "testkit/ziptables/memory_zip_table_files.h"

#include <cstdint>

namespace testkit {

void MemoryZipTableFiles::Set(const std::string& suffix, std::vector<std::uint8_t> bytes) {
  files_[suffix] = tolv::MemoryFile(std::move(bytes));
}

std::vector<tolv::RateSegment> MemoryZipTableFiles::RateSegments() {
  if (!segments_.empty()) return segments_;
  return {tolv::RateSegment{{'0', '0', '0'}, 0},
          tolv::RateSegment{{'*', '*', '*'}, INT32_MAX}};
}

tolv::Result<const tolv::FileView*> MemoryZipTableFiles::Required(const std::string& suffix,
                                                                  tolv::ErrorNumber error) const {
  auto it = files_.find(suffix);
  if (it == files_.end()) return tolv::Result<const tolv::FileView*>::Error(error);
  return static_cast<const tolv::FileView*>(&it->second);
}

}  // namespace testkit
