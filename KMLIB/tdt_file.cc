#include "KMLIB/tdt_file.h"

#include <array>

#include "platform/os/bytes.h"

namespace kmlib {

TdStatus AreaValuesFile::Open(std::string path, int group_count,
                              std::optional<AreaValuesFile>* out) {
  if (group_count < 0 || group_count > kMaxGroups) return TdStatus::kBadData;
  std::optional<RecordFile> file = RecordFile::Open(path, TdtRecordSize(group_count));
  if (!file) return TdStatus::kCannotOpen;
  out->emplace(AreaValuesFile(std::move(path), std::move(*file), group_count));
  return TdStatus::kOk;
}

TdStatus AreaValuesFile::Find(std::int16_t area, std::int16_t sub_area, TdtRecord* out) const {
  NoteOpenedFile(path_);
  if (const TdtRecord* found = found_.Recall([&](const TdtRecord& r) {
        return r.area == area && r.sub_area == sub_area;
      })) {
    *out = *found;
    return TdStatus::kOk;
  }
  long index = file_.FindFirst([&](std::span<const std::uint8_t> r) {
    const os::ConstRecordView v(r);
    std::int16_t a = v.I16(tdt_record::kArea);
    std::int16_t s = v.I16(tdt_record::kSubArea);
    if (area != a) return area < a ? -1 : 1;
    if (sub_area != s) return sub_area < s ? -1 : 1;
    return 0;
  });
  std::array<std::uint8_t, TdtRecordSize(kMaxGroups)> buffer;
  std::span<const std::uint8_t> bytes = index < 0
                                            ? std::span<const std::uint8_t>()
                                            : file_.Record(static_cast<std::size_t>(index), buffer);
  if (bytes.empty()) return TdStatus::kNotFound;
  const os::ConstRecordView v(bytes);
  out->area = v.I16(tdt_record::kArea);
  out->sub_area = v.I16(tdt_record::kSubArea);
  out->values.fill(0);
  for (int g = 0; g < group_count_; ++g) {
    out->values[static_cast<std::size_t>(g)] =
        v.I16(tdt_record::kValue.Nth(static_cast<std::size_t>(g)));
  }
  found_.Remember(*out);
  return TdStatus::kOk;
}

TdStatus FindAreaValues(const std::string& path, std::int16_t area, std::int16_t sub_area,
                        int group_count, TdtRecord* out) {
  std::optional<AreaValuesFile> file;
  if (TdStatus status = AreaValuesFile::Open(path, group_count, &file); status != TdStatus::kOk) {
    return status;
  }
  return file->Find(area, sub_area, out);
}

}  // namespace kmlib
