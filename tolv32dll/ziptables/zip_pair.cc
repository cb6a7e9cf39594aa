#include "tolv32dll/ziptables/zip_pair.h"

#include <algorithm>
#include <cstring>

#include "tolv32dll/tariff/codecs.h"
#include "tolv32dll/tariff/record_search.h"

namespace tolv {
namespace {

namespace Z = zip_pair_record;
namespace C = class_factor_range_record;

int Sign(int c) { return c < 0 ? -1 : (c > 0 ? 1 : 0); }

// -1 below the range [low, high], 1 above it, 0 inside; byte-wise over width bytes.
int AgainstRange(const std::uint8_t* value, const std::uint8_t* low, const std::uint8_t* high,
                 std::size_t width) {
  if (std::memcmp(value, low, width) < 0) return -1;
  if (std::memcmp(value, high, width) > 0) return 1;
  return 0;
}

std::string FiveChars(const std::string& code) {
  std::string s = code.substr(0, std::min<std::size_t>(code.size(), 5));
  s.resize(5, ' ');
  return s;
}

}  // namespace

int CompareZipPair(os::ByteSpan key, os::ByteSpan record) {
  if (key.size() < Z::kData.offset || record.size() < Z::kData.offset) return -1;
  const std::uint8_t* k = key.data();
  const std::uint8_t* r = record.data();
  if (int c = Sign(static_cast<int>(k[Z::kDirection.offset]) - r[Z::kDirection.offset]); c != 0)
    return c;
  if (int c = AgainstRange(k + Z::kOriginLow.offset, r + Z::kOriginLow.offset,
                           r + Z::kOriginHigh.offset, Z::kOriginLow.width);
      c != 0) {
    return c;
  }
  if (int c = AgainstRange(k + Z::kDestinationLow.offset, r + Z::kDestinationLow.offset,
                           r + Z::kDestinationHigh.offset, Z::kDestinationLow.width);
      c != 0) {
    return c;
  }
  return AgainstRange(k + Z::kRateBasisLow.offset, r + Z::kRateBasisLow.offset,
                      r + Z::kRateBasisHigh.offset, Z::kRateBasisLow.width);
}

Result<std::optional<ZipPairRecord>> FindZipPair(ZipTableFiles& files, const std::string& origin,
                                                 const std::string& destination,
                                                 const RateRecord& rate) {
  using R = Result<std::optional<ZipPairRecord>>;
  Result<const FileView*> opened = files.ZipPairs();
  if (!opened.ok()) return R::Error(opened.error());
  std::optional<PackedZip> from = Zip_Pack(origin);
  std::optional<PackedZip> to = Zip_Pack(destination);
  if (!from || !to || *opened == nullptr) {
    files.CloseZipFiles();
    return std::optional<ZipPairRecord>();
  }

  ZipPairRecord key;
  key.fill(' ');
  key[Z::kDirection.offset] = 'F';
  std::memcpy(key.data() + Z::kOriginLow.offset, from->data(), 3);
  std::memcpy(key.data() + Z::kDestinationLow.offset, to->data(), 3);
  const std::string basis = rate.Text(4, Z::kRateBasisLow.width);
  std::memcpy(key.data() + Z::kRateBasisLow.offset, basis.data(), Z::kRateBasisLow.width);

  const FileView& file = **opened;
  std::int64_t i =
      RecordFile_Search(os::ByteSpan(key.data(), key.size()), file, Z::kSize, CompareZipPair);
  if (i < 0) {
    key[Z::kDirection.offset] = 'B';
    if (FiveChars(origin) >= FiveChars(destination)) {
      std::memcpy(key.data() + Z::kOriginLow.offset, to->data(), 3);
      std::memcpy(key.data() + Z::kDestinationLow.offset, from->data(), 3);
    }
    i = RecordFile_Search(os::ByteSpan(key.data(), key.size()), file, Z::kSize, CompareZipPair);
  }
  ZipPairRecord record;
  const bool read = i >= 0 && ReadExact(file, i * static_cast<std::int64_t>(Z::kSize), record);
  files.CloseZipFiles();
  if (!read) return std::optional<ZipPairRecord>();
  return std::optional<ZipPairRecord>(record);
}

std::int16_t ClassFactorRanges::BreakFactor(std::size_t e) const {
  return e < ranges.size() ? os::ConstRecordView(ranges[e]).I16(C::kBreakFactor) : 0;
}

Result<int> FindClassFactorRange(ZipTableFiles& files, const std::string& origin,
                                 const std::string& destination, ClassFactorRanges& ranges) {
  Result<const FileView*> opened = files.ClassRanges();
  if (!opened.ok()) return Result<int>::Error(opened.error());
  ranges.ranges.clear();
  if (*opened == nullptr) return -1;
  ClassFactorRange range;
  for (std::size_t e = 0; e < C::kMaxRanges; ++e) {
    if (!ReadExact(**opened, static_cast<std::int64_t>(e * C::kSize), range)) break;
    ranges.ranges.push_back(range);
  }
  files.CloseZipFiles();
  for (const std::string* code : {&origin, &destination}) {
    std::optional<PackedZip> packed = Zip_Pack(*code);
    if (!packed) continue;
    for (std::size_t e = 0; e < ranges.ranges.size(); ++e) {
      const std::uint8_t* r = ranges.ranges[e].data();
      if (AgainstRange(packed->data(), r + C::kLow.offset, r + C::kHigh.offset, C::kLow.width) ==
          0) {
        return static_cast<int>(e);
      }
    }
  }
  return -1;
}

}  // namespace tolv
