// TDT.BIN: values by area, records of 4 + 2 x N bytes sorted by area, then sub-area:
// the area number (i16), the sub-area number (i16) and one i16 value per select group.
#ifndef KMLIB_TDT_FILE_H_
#define KMLIB_TDT_FILE_H_

#include <array>
#include <cstdint>
#include <optional>
#include <string>

#include "KMLIB/recent_finds.h"
#include "KMLIB/record_file.h"
#include "KMLIB/td_status.h"
#include "KMLIB/td_text_files.h"
#include "platform/os/record_layout.h"

namespace kmlib {

// A head of area and sub-area, then one value per group: the file's group count sets the
// record's length.
namespace tdt_record {
inline constexpr os::Field kArea = os::I16Field(0);
inline constexpr os::Field kSubArea = os::I16Field(2);
inline constexpr os::Field kValue = os::I16Field(4);  // group g + 1 is kValue.Nth(g)
static_assert(os::FieldsTile({kArea, kSubArea}, kValue.offset));
}  // namespace tdt_record
// The record size in a file of records for group_count groups.
constexpr std::size_t TdtRecordSize(int group_count) {
  return tdt_record::kValue.Nth(static_cast<std::size_t>(group_count)).offset;
}
static_assert(TdtRecordSize(kMaxGroups) == 104);

struct TdtRecord {
  std::int16_t area = 0;
  std::int16_t sub_area = 0;
  // values[g - 1] for group g; 0 past the file's group count.
  std::array<std::int16_t, kMaxGroups> values{};
};

// TDT.BIN open for several look-ups. Each look-up names the file in the log, as an open
// of its own would.
class AreaValuesFile {
 public:
  // The file of records for group_count groups: kCannotOpen; kBadData when group_count is
  // outside 0 to 50.
  static TdStatus Open(std::string path, int group_count, std::optional<AreaValuesFile>* out);

  // The record of (area, sub_area). kNotFound.
  TdStatus Find(std::int16_t area, std::int16_t sub_area, TdtRecord* out) const;

  const std::string& path() const { return path_; }
  // The file as the cache serves it, image or descriptor (for the keeping rule).
  const os::FileImagePtr& image() const { return file_.kept(); }

 private:
  AreaValuesFile(std::string path, RecordFile file, int group_count)
      : path_(std::move(path)), file_(std::move(file)), group_count_(group_count) {}

  std::string path_;
  RecordFile file_;
  int group_count_;
  mutable RecentFinds<TdtRecord> found_;
};

// One look-up in the file at path: AreaValuesFile::Open's statuses, then Find's.
TdStatus FindAreaValues(const std::string& path, std::int16_t area, std::int16_t sub_area,
                        int group_count, TdtRecord* out);

}  // namespace kmlib

#endif  // KMLIB_TDT_FILE_H_
