#include "tolv32dll/package/package_rate_record.h"

#include "tolv32dll/tariff/codecs.h"

namespace tolv {

namespace pe = package_entries;

std::int64_t PackageRateRecord::entry_count() const {
  if (bytes_.size() < pe::kFirstEntryOffset) return 0;
  return static_cast<std::int64_t>((bytes_.size() - pe::kFirstEntryOffset) / pe::kEntryWidth);
}

Result<std::int64_t> PackageRateRecord::Entry(std::int64_t i) const {
  if (i < 0 || i >= entry_count()) return Result<std::int64_t>::Error(kErrRtered);
  return static_cast<std::int64_t>(Util_Get24(bytes_, static_cast<int>(i)));
}

Result<std::int64_t> PackageRateRecord::Entry16(std::int64_t i) const {
  Result<std::int64_t> value = Entry(i);
  if (!value.ok()) return value;
  return static_cast<std::int64_t>(static_cast<std::int16_t>(*value & 0xFFFF));
}

char PackageRateRecord::ZoneByte() const {
  return bytes_.size() > pe::kZoneByte ? static_cast<char>(bytes_[pe::kZoneByte]) : ' ';
}

}  // namespace tolv
