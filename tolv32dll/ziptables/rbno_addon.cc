#include "tolv32dll/ziptables/rbno_addon.h"

#include <cstring>

#include "tolv32dll/tariff/codecs.h"
#include "tolv32dll/tariff/record_search.h"

namespace tolv {
namespace {

namespace H = rbno_addon_record;

int Sign(std::int64_t c) { return c < 0 ? -1 : (c > 0 ? 1 : 0); }

std::optional<RbnoAddonRecord> Search(const FileView& file, const std::uint8_t* key) {
  std::int64_t i = RecordFile_Search(os::ByteSpan(key, 8), file, H::kSize, CompareRbnoAddon);
  RbnoAddonRecord record;
  if (i < 0 || !ReadExact(file, i * static_cast<std::int64_t>(H::kSize), record)) {
    return std::nullopt;
  }
  return record;
}

}  // namespace

std::int32_t RbnoAmount(const RbnoAddonRecord& record) {
  const std::int32_t amount = PackedDigitsValue(record.data() + H::kAmount.offset, 5);
  if (record[H::kSign.offset] == '+') return amount;
  if (record[H::kSign.offset] == '-') return -amount;
  return 0;
}

int CompareRbnoAddon(os::ByteSpan key, os::ByteSpan record) {
  if (key.size() < 8 || record.size() < H::kSize) return -1;
  const std::uint8_t* k = key.data();
  const std::uint8_t* r = record.data();
  if (int c = Sign(static_cast<int>(k[0]) - r[H::kLetter.offset]); c != 0) return c;
  // The origin range lies inside one 3-digit prefix: the high end keeps only its last two
  // digits.
  const std::uint8_t* origin = k + 1;
  if (int c = Sign(static_cast<std::int64_t>(PackedPrefix(origin)) -
                   PackedPrefix(r + H::kOriginLow.offset));
      c != 0) {
    return c;
  }
  if (std::memcmp(origin, r + H::kOriginLow.offset, 3) < 0) return -1;
  if (origin[2] > r[H::kOriginHighTail.offset]) return 1;
  const std::uint8_t* destination = k + 5;
  if (std::memcmp(destination, r + H::kDestinationLow.offset, 3) < 0) return -1;
  if (std::memcmp(destination, r + H::kDestinationHigh.offset, 3) > 0) return 1;
  return 0;
}

Result<RbnoAddons> SumRbnoAddons(ZipTableFiles& files, char letter, const std::string& origin,
                                 const std::string& destination) {
  Result<const FileView*> opened = files.RbnoAddons();
  if (!opened.ok()) return Result<RbnoAddons>::Error(opened.error());
  RbnoAddons found;
  std::optional<PackedZip> from = Zip_Pack(origin);
  std::optional<PackedZip> to = Zip_Pack(destination);
  if (*opened == nullptr || !from || !to) {
    files.CloseZipFiles();
    return found;
  }
  std::uint8_t key[8] = {static_cast<std::uint8_t>(letter)};
  std::memcpy(key + 1, from->data(), 3);
  key[4] = ' ';
  std::memcpy(key + 5, to->data(), 3);
  found.forward = Search(**opened, key);
  std::memcpy(key + 1, to->data(), 3);
  std::memcpy(key + 5, from->data(), 3);
  found.reverse = Search(**opened, key);
  files.CloseZipFiles();
  if (found.forward) found.sum += RbnoAmount(*found.forward);
  if (found.reverse) found.sum += RbnoAmount(*found.reverse);
  return found;
}

}  // namespace tolv
