// Shipments to or from Mexico: a lane with one Mexican point is rated in two legs, from
// the non-Mexican point to a border crossing on the first tariff, and from the crossing to
// the Mexican point on the second; the two legs' rates and minimum charges are then added.
#ifndef TOLV32DLL_DRIVER_MEXICAN_LEGS_H_
#define TOLV32DLL_DRIVER_MEXICAN_LEGS_H_

#include <cstddef>
#include <string>
#include <string_view>

#include "platform/os/record_layout.h"
#include "tolv32dll/charges/charge_result.h"
#include "tolv32dll/errors/result.h"
#include "tolv32dll/points/file_view.h"

namespace tolv {

// A ZIP field is Mexican when, upper-cased, its first character is no letter and its
// sixth is 'M'.
bool IsMexicanZip(std::string_view zip);

// One record of the border-crossing file (".N"): a range of non-Mexican ZIPs, a range of
// Mexican ZIPs and the crossing that serves lanes between them, each as 5-character text.
namespace border_crossing_record {
inline constexpr os::Field kOtherLow = os::TextField(0, 5);
inline constexpr os::Field kUnused5 = os::RawField(5, 1);
inline constexpr os::Field kOtherHigh = os::TextField(6, 5);
inline constexpr os::Field kUnused11 = os::RawField(11, 1);
inline constexpr os::Field kMexicanLow = os::TextField(12, 5);
inline constexpr os::Field kUnused17 = os::RawField(17, 1);
inline constexpr os::Field kMexicanHigh = os::TextField(18, 5);
inline constexpr os::Field kUnused23 = os::RawField(23, 1);
inline constexpr os::Field kCrossingZip = os::TextField(24, 5);
inline constexpr os::Field kUnused29 = os::RawField(29, 8);
inline constexpr std::size_t kSize = 37;
inline constexpr std::size_t kZipWidth = kOtherLow.width;
static_assert(os::FieldsTile({kOtherLow, kUnused5, kOtherHigh, kUnused11, kMexicanLow, kUnused17,
                              kMexicanHigh, kUnused23, kCrossingZip, kUnused29},
                             kSize));
}  // namespace border_crossing_record

// The crossing ZIP (5 characters) of the first record, from the file's start, whose ranges
// hold both points; 236 when none does. A trailing partial record is not read.
Result<std::string> FindBorderCrossing(const FileView& file, std::string_view other_zip,
                                       std::string_view mexican_zip);

// The shipment's charges from its two legs. Each rate cell is the sum of both legs' cells
// (a cell one leg does not price stays unpriced); the brackets are the second leg's, each
// charge raised by the first leg's minimum charge. 387 when the first leg has more than one
// minimum charge, which could not be added to every bracket.
Result<ChargeResult> CombineLegs(const ChargeResult& first, const ChargeResult& second);

}  // namespace tolv

#endif  // TOLV32DLL_DRIVER_MEXICAN_LEGS_H_
