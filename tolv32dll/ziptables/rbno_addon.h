// The RBNO add-on amounts of point type 'I' (".H"): a signed amount for a lane of ZIP
// ranges and a rate basis letter, looked up both ways and summed.
#ifndef TOLV32DLL_ZIPTABLES_RBNO_ADDON_H_
#define TOLV32DLL_ZIPTABLES_RBNO_ADDON_H_

#include <array>
#include <cstdint>
#include <optional>
#include <string>

#include "tolv32dll/errors/result.h"
#include "tolv32dll/ziptables/zip_records.h"
#include "tolv32dll/ziptables/zip_table_files.h"

namespace tolv {

using RbnoAddonRecord = std::array<std::uint8_t, rbno_addon_record::kSize>;

struct RbnoAddons {
  std::optional<RbnoAddonRecord> forward;  // origin to destination
  std::optional<RbnoAddonRecord> reverse;  // destination to origin
  std::int32_t sum = 0;
};

// The signed amount of one record: '+' adds, '-' subtracts, any other sign counts 0.
std::int32_t RbnoAmount(const RbnoAddonRecord& record);

// Orders a key (letter, origin packed at 1-3, destination packed at 5-7) against a record.
int CompareRbnoAddon(os::ByteSpan key, os::ByteSpan record);

// Looks the lane up with the rate basis letter, forward and reverse, and sums the signed
// amounts. 260 when ".H" cannot be opened.
Result<RbnoAddons> SumRbnoAddons(ZipTableFiles& files, char letter, const std::string& origin,
                                 const std::string& destination);

}  // namespace tolv

#endif  // TOLV32DLL_ZIPTABLES_RBNO_ADDON_H_
