// The candidate list: the caller's buffer of Tolv_RateShipment2, into which the engine
// copies the cities of an ambiguous point (or the tariffs of an ambiguous tariff choice)
// so that the caller can ask again with a chosen name.
//
// Layout (little-endian): capacity of the entry area in bytes (i32, set by the caller),
// number of entries written (i32, -1 when the capacity was too small), kind (i16: 0 cities,
// 1 tariffs), 6 characters (the 5-character ZIP of a city list, 6 blanks for a tariff list),
// then 20-byte city entries or 24-byte tariff entries.
#ifndef TOLV32DLL_POINTS_CANDIDATE_LIST_H_
#define TOLV32DLL_POINTS_CANDIDATE_LIST_H_

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "platform/os/record_layout.h"
#include "tolv32dll/errors/result.h"

namespace tolv {

// The head of a caller's CandidateList, then its entries.
namespace candidate_list {
inline constexpr os::Field kCapacity = os::I32Field(0);
inline constexpr os::Field kCount = os::I32Field(4);
inline constexpr os::Field kKind = os::I16Field(8);
inline constexpr os::Field kZip = os::TextField(10, 6);
inline constexpr std::size_t kEntries = 16;
static_assert(os::FieldsTile({kCapacity, kCount, kKind, kZip}, kEntries));
inline constexpr std::size_t kCityEntrySize = 20;    // 19-character city + 1 byte
inline constexpr std::size_t kTariffEntrySize = 24;  // tariff name 6 + 2 first
inline constexpr std::int16_t kKindCities = 0;
inline constexpr std::int16_t kKindTariffs = 1;
}  // namespace candidate_list

// A tariff candidate row.
namespace tariff_entry {
inline constexpr os::Field kName = os::TextField(0, 8);  // tariff name, 6 + 2 characters
inline constexpr os::Field kDate = os::TextField(8, 6);  // effective date, YYMMDD
inline constexpr os::Field kBlank = os::TextField(14, 10);
static_assert(os::FieldsTile({kName, kDate, kBlank}, candidate_list::kTariffEntrySize));
}  // namespace tariff_entry

// A city candidate: 19 characters and one more byte, as copied to the caller.
using CityEntry = std::array<char, candidate_list::kCityEntrySize>;
// A tariff candidate row: tariff name (6 + 2 characters) first.
using TariffEntry = std::array<char, candidate_list::kTariffEntrySize>;

// The entry closing every city list: "  None of the above" and a NUL.
inline constexpr std::string_view kNoneOfTheAbove = "  None of the above";
CityEntry MakeCityEntry(std::string_view city);
CityEntry NoneOfTheAboveEntry();

// What the city and tariff choices read from the request in hand, and the caller's list.
struct ListRequest {
  std::string origin_zip;   // ShipmentHeader.OriginZip (first 5 characters count)
  std::string origin_city;  // ShipmentHeader.OriginCity, 19 characters
  std::string destination_zip;
  std::string destination_city;
  std::string tariff_name;  // ShipmentHeader.TariffName, 8 characters
  char list_mode = ' ';     // ShipmentHeader.ListMode: 'E' error, 'F' copy to caller
  char tariff_kind = ' ';   // CurrentTariff's tariff kind; 'N' ends the call on a copy
  // The caller's CandidateList, null for Tolv_RateShipment. The engine trusts its
  // capacity field: the buffer holds 16 bytes plus that capacity.
  std::uint8_t* candidate_list = nullptr;
  // Out: set to 'B' once a city choice ran (ShipmentHeader.ListKind).
  char list_kind = ' ';
};

// Copies a city list to the caller. Without a buffer: 129. A capacity below the list's
// size sets the count to -1: 129. With tariff kind 'N' the copy ends the call: 124.
// Otherwise kOk and rating goes on.
ErrorNumber CopyCitiesToCaller(ListRequest& request, const std::vector<CityEntry>& list,
                               std::string_view point_code);

// The tariff choice: index of the first row whose name matches the request's tariff name
// (6 + 2 characters, without regard to case). None: 125 in list mode 'E'; else the rows
// go to the caller and 126 ends the call (129 without a buffer or room).
Result<int> MatchTariffName(ListRequest& request, const std::vector<TariffEntry>& rows);

}  // namespace tolv

#endif  // TOLV32DLL_POINTS_CANDIDATE_LIST_H_
