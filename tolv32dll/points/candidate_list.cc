#include "tolv32dll/points/candidate_list.h"

#include <algorithm>
#include <cstring>

#include "platform/os/ascii_text.h"
#include "platform/os/bytes.h"

namespace tolv {
namespace {

namespace L = candidate_list;

// Exactly n characters of text, blank-padded.
std::string Field(std::string_view text, std::size_t n) {
  std::string s(text.substr(0, std::min(n, text.size())));
  s.resize(n, ' ');
  return s;
}

// Writes the list header and, when the caller's capacity holds them, the entries.
// Returns false when the capacity is too small (the count then reads -1).
template <typename Entry>
bool CopyEntries(std::uint8_t* list, std::int16_t kind, std::string_view zip,
                 const std::vector<Entry>& entries) {
  os::StoreI16Le(list + L::kKind.offset, kind);
  std::memcpy(list + L::kZip.offset, zip.data(), std::min(zip.size(), L::kZip.width));
  std::int64_t capacity = os::LoadI32Le(list + L::kCapacity.offset);
  std::int64_t needed = static_cast<std::int64_t>(entries.size() * sizeof(Entry));
  if (capacity < needed) {
    os::StoreI32Le(list + L::kCount.offset, -1);
    return false;
  }
  os::StoreI32Le(list + L::kCount.offset, static_cast<std::int32_t>(entries.size()));
  for (std::size_t i = 0; i < entries.size(); ++i) {
    std::memcpy(list + L::kEntries + i * sizeof(Entry), entries[i].data(), sizeof(Entry));
  }
  return true;
}

}  // namespace

CityEntry MakeCityEntry(std::string_view city) {
  CityEntry entry{};
  std::string text = Field(city, L::kCityEntrySize - 1);
  std::memcpy(entry.data(), text.data(), text.size());
  return entry;
}

CityEntry NoneOfTheAboveEntry() { return MakeCityEntry(kNoneOfTheAbove); }

ErrorNumber CopyCitiesToCaller(ListRequest& request, const std::vector<CityEntry>& list,
                               std::string_view point_code) {
  if (request.candidate_list == nullptr) return kErrCandidateListWrite;
  // A city list names its ZIP in 5 characters; the sixth byte is left as it was.
  if (!CopyEntries(request.candidate_list, L::kKindCities, Field(point_code, 5), list)) {
    return kErrCandidateListWrite;
  }
  if (request.tariff_kind == 'N') return kErrCityListBuilt;
  return kOk;
}

Result<int> MatchTariffName(ListRequest& request, const std::vector<TariffEntry>& rows) {
  std::string name = Field(request.tariff_name, 8);
  for (std::size_t i = 0; i < rows.size(); ++i) {
    std::string_view row(rows[i].data(), rows[i].size());
    if (os::EqualAsciiNoCase(row.substr(0, 6), std::string_view(name).substr(0, 6)) &&
        os::EqualAsciiNoCase(row.substr(6, 2), std::string_view(name).substr(6, 2))) {
      return static_cast<int>(i);
    }
  }
  if (request.list_mode == 'E') return Result<int>::Error(kErrTariffMustBeSpecified);
  if (request.candidate_list == nullptr) return Result<int>::Error(kErrCandidateListWrite);
  if (!CopyEntries(request.candidate_list, L::kKindTariffs, "      ", rows)) {
    return Result<int>::Error(kErrCandidateListWrite);
  }
  return Result<int>::Error(kErrTariffListBuilt);
}

}  // namespace tolv
