// TDT.BIN: values by area, records of 4 + 2 x N bytes sorted by area, then sub-area:
// the area number (i16), the sub-area number (i16) and one i16 value per select group.
#ifndef KMLIB_TDT_FILE_H_
#define KMLIB_TDT_FILE_H_

#include <cstdint>
#include <string>
#include <vector>

#include "KMLIB/td_status.h"
#include "KMLIB/td_text_files.h"

namespace kmlib {

struct TdtLayout {
  static constexpr std::size_t kArea = 0;     // i16
  static constexpr std::size_t kSubArea = 2;  // i16
  static constexpr std::size_t kValues = 4;   // N x i16, one per group
  static constexpr std::size_t kHeadSize = 2 + 2;
};
// The record size in a file of records for group_count groups.
constexpr std::size_t TdtRecordSize(int group_count) {
  return TdtLayout::kHeadSize + 2 * static_cast<std::size_t>(group_count);
}
static_assert(TdtLayout::kValues == TdtLayout::kHeadSize);
static_assert(TdtRecordSize(kMaxGroups) == 104);

struct TdtRecord {
  std::int16_t area = 0;
  std::int16_t sub_area = 0;
  std::vector<std::int16_t> values;  // values[g - 1] for group g
};

// The record of (area, sub_area) in a file of records for group_count groups.
// kCannotOpen, kNotFound; kBadData when group_count is outside 0 to 50.
TdStatus FindAreaValues(const std::string& path, std::int16_t area, std::int16_t sub_area,
                        int group_count, TdtRecord* out);

}  // namespace kmlib

#endif  // KMLIB_TDT_FILE_H_
