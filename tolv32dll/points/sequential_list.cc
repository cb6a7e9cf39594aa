#include "tolv32dll/points/sequential_list.h"

#include <array>
#include <cstring>
#include <vector>

#include "platform/os/ascii_text.h"
#include "tolv32dll/points/city_match.h"

namespace tolv {
namespace {

namespace L = area_city_record;
constexpr std::size_t kMaxCandidates = 100;

// ZIP first, then the area as an unsigned number (high byte, then low byte).
int CompareKey(const std::string& key, const std::uint8_t* record) {
  int c = std::memcmp(key.data(), record, L::kZip.width);
  if (c != 0) return c < 0 ? -1 : 1;
  for (std::size_t i : {L::kArea.offset + 1, L::kArea.offset}) {
    unsigned char k = static_cast<unsigned char>(key[i]);
    if (k != record[i]) return k < record[i] ? -1 : 1;
  }
  return 0;
}

bool SameCityNoCase(const std::string& a, const std::uint8_t* b) {
  for (std::size_t i = 0; i < L::kCity.width; ++i) {
    const char x = i < a.size() ? a[i] : ' ';
    if (os::AsciiUpper(x) != os::AsciiUpper(static_cast<char>(b[i]))) return false;
  }
  return true;
}

}  // namespace

std::string AreaCityKey(const std::string& zip, std::uint16_t area) {
  std::string key = zip.substr(0, L::kZip.width);
  key.resize(L::kZip.width, ' ');
  key.push_back(static_cast<char>(area & 0xFF));
  key.push_back(static_cast<char>(area >> 8));
  return key;
}

Result<std::int32_t> FindInSequentialList(const FileView& file, std::string& city,
                                          const std::string& key, char side,
                                          ListRequest& request) {
  if (key.size() < L::kKeySize) return 0;
  std::int64_t offset = 0;
  std::array<std::uint8_t, kSequentialLineSize> line{};
  while (ReadExact(file, offset, line)) {
    offset += kSequentialLineSize;
    if (line[0] == '*') break;
  }

  std::int32_t sum = 0;
  std::vector<CityEntry> list;
  std::vector<std::uint8_t> values;
  std::array<std::uint8_t, L::kSize> record{};
  for (; ReadExact(file, offset, record); offset += L::kSize) {
    int c = CompareKey(key, record.data());
    if (c > 0) continue;  // records below the key
    if (c < 0) break;
    if (!SameCityNoCase(city, record.data() + L::kCity.offset)) {
      if (list.size() < kMaxCandidates) {
        list.push_back(MakeCityEntry(os::LoadRaw(record.data() + L::kCity.offset, L::kCity.width)));
        values.push_back(record[L::kValue.offset]);
      }
    } else if (record[L::kSide.offset] == static_cast<std::uint8_t>(side) ||
               record[L::kSide.offset] == 'B') {
      sum += record[L::kValue.offset];
    }
  }
  if (sum != 0 || list.empty()) return sum;

  const std::size_t candidates = list.size();
  list.push_back(NoneOfTheAboveEntry());
  Result<int> chosen =
      MatchCity(request, list, key.substr(0, L::kZip.width), CityChoice::kOptional);
  if (!chosen.ok()) return Result<std::int32_t>::Error(chosen.error());
  if (*chosen < 0 || static_cast<std::size_t>(*chosen) >= candidates) return 0;
  city.assign(list[*chosen].data(), L::kCity.width);
  return values[*chosen];
}

}  // namespace tolv
