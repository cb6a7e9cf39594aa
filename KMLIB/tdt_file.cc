#include "KMLIB/tdt_file.h"

#include <memory>

#include "KMLIB/record_file.h"
#include "platform/os/bytes.h"

namespace kmlib {

TdStatus FindAreaValues(const std::string& path, std::int16_t area, std::int16_t sub_area,
                        int group_count, TdtRecord* out) {
  if (group_count < 0 || group_count > kMaxGroups) return TdStatus::kBadData;
  std::size_t size = TdtRecordSize(group_count);
  std::unique_ptr<RecordFile> file = RecordFile::Open(path, size);
  if (!file) return TdStatus::kCannotOpen;
  long index = file->FindFirst([&](std::span<const std::uint8_t> r) {
    std::int16_t a = os::LoadI16Le(&r[TdtLayout::kArea]);
    std::int16_t s = os::LoadI16Le(&r[TdtLayout::kSubArea]);
    if (area != a) return area < a ? -1 : 1;
    if (sub_area != s) return sub_area < s ? -1 : 1;
    return 0;
  });
  std::vector<std::uint8_t> bytes(size);
  if (index < 0 || !file->Read(static_cast<std::size_t>(index), bytes)) {
    return TdStatus::kNotFound;
  }
  out->area = os::LoadI16Le(&bytes[TdtLayout::kArea]);
  out->sub_area = os::LoadI16Le(&bytes[TdtLayout::kSubArea]);
  out->values.resize(static_cast<std::size_t>(group_count));
  for (int g = 0; g < group_count; ++g) {
    out->values[static_cast<std::size_t>(g)] =
        os::LoadI16Le(&bytes[TdtLayout::kValues + 2 * static_cast<std::size_t>(g)]);
  }
  return TdStatus::kOk;
}

}  // namespace kmlib
