// TariffTablesRecord: the 224-byte record of the tariff-tables call. The caller gives a
// tariff name and a date; the engine fills the tariff's class codes and weight breaks.
#ifndef TOLV32DLL_RECORDS_TARIFF_TABLES_RECORD_H_
#define TOLV32DLL_RECORDS_TARIFF_TABLES_RECORD_H_

#include <cstddef>

#include "platform/os/record_layout.h"

namespace tolv {
namespace tariff_tables_record {
inline constexpr std::size_t kSize = 224;
inline constexpr std::size_t kClasses = 20;
inline constexpr std::size_t kWeightBreaks = 20;

inline constexpr os::Field kClassCode = os::TextField(0, 6);       // out; class code 1, Nth(i)
inline constexpr os::Field kWeightBreak = os::I32Field(120);       // out, lbs; Nth(i)
inline constexpr os::Field kClassCount = os::I16Field(200);        // out
inline constexpr os::Field kWeightBreakCount = os::I16Field(202);  // out
inline constexpr os::Field kTariffName = os::TextField(204, 8);    // in
inline constexpr os::Field kDate = os::TextField(212, 10);  // in mm?dd?ccyy, rewritten mm-dd-ccyy
inline constexpr os::Field kUnspecified = os::RawField(222, 2);
// The output part zeroed before it is filled.
inline constexpr std::size_t kOutputSize = 204;

static_assert(os::FieldsTile({kClassCode.Run(kClasses), kWeightBreak.Run(kWeightBreaks),
                              kClassCount, kWeightBreakCount, kTariffName, kDate, kUnspecified},
                             kSize));
static_assert(kTariffName.offset == kOutputSize);
}  // namespace tariff_tables_record
}  // namespace tolv

#endif  // TOLV32DLL_RECORDS_TARIFF_TABLES_RECORD_H_
