// The rules of the line items that need no window: the packaging codes both type lists
// offer, the line the item list shows for a slot, how a cube is shown, and the numbers a
// numeric box stores.
#ifndef FRELANE_BOL_LINE_ITEMS_H_
#define FRELANE_BOL_LINE_ITEMS_H_

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "platform/os/record_layout.h"

namespace frelane::bol {

// The 25 entries of the handling-unit and package type lists; an item keeps the first two
// characters.
inline constexpr std::array<const char*, 25> kPackagingCodes = {
    "CT - Carton", "PT - Pallet", "DR - Drum",   "BR - Barrel",   "BX - Box",
    "CR - Crate",  "SK - Skid",   "RL - Roll",   "KT - Kit",      "CN - Can",
    "PC - Piece",  "TT - Tote",   "BG - Bag",    "BL - Bale",     "PL - Pail",
    "RE - Reel",   "CO - Coil",   "CY - Cylinder", "TB - Tube",   "TK - Tank",
    "CS - Canister", "GL - Gaylord", "GB - Gangbox", "BD - Bundle", "BK - Bucket"};

// The item list's line for a stored slot: units and packages right-aligned in 4 columns
// with their types as stored, then the product name, or the description when the name is
// blank.
std::string DetailLine(os::ConstRecordView item);

// A cube as its box shows it ("#.######": no leading zero, no trailing zeros, the decimal
// character kept after a whole number); "" for 0.
std::string CubeText(double cube);

// The whole number a units, packages or weight box stores: 0 for a blank or non-numeric
// text, else its value rounded to a whole number within 32 bits.
std::int32_t WholeNumberOf(std::string_view text);

// The weight of `packages` packages of `weight_per_package` pounds, or nullopt when it would
// exceed what the weight box holds (999,999 lb).
inline constexpr std::int64_t kMaxItemWeight = 999999;
std::optional<std::int64_t> PackagesWeight(double packages, std::int32_t weight_per_package);

}  // namespace frelane::bol

#endif  // FRELANE_BOL_LINE_ITEMS_H_
