// TariffTablesRecord: the 224-byte record of the tariff-tables call. The caller gives a
// tariff name and a date; the engine fills the tariff's class codes and weight breaks.
#ifndef TOLV32DLL_RECORDS_TARIFF_TABLES_RECORD_H_
#define TOLV32DLL_RECORDS_TARIFF_TABLES_RECORD_H_

#include <cstddef>

#include "tolv32dll/records/field.h"

namespace tolv {
namespace tariff_tables_record {
inline constexpr std::size_t kSize = 224;
inline constexpr std::size_t kClasses = 20;
inline constexpr std::size_t kWeightBreaks = 20;

inline constexpr Field kClassCode{0, 6, FieldKind::kText};          // out; class code 1, Nth(i)
inline constexpr Field kWeightBreak{120, 4, FieldKind::kI32};       // out, lbs; Nth(i)
inline constexpr Field kClassCount{200, 2, FieldKind::kI16};        // out
inline constexpr Field kWeightBreakCount{202, 2, FieldKind::kI16};  // out
inline constexpr Field kTariffName{204, 8, FieldKind::kText};       // in
inline constexpr Field kDate{212, 10, FieldKind::kText};  // in mm?dd?ccyy, rewritten mm-dd-ccyy
inline constexpr Field kUnspecified{222, 2, FieldKind::kRaw};
// The output part zeroed before it is filled.
inline constexpr std::size_t kOutputSize = 204;

static_assert(FieldsTile({kClassCode.Run(kClasses), kWeightBreak.Run(kWeightBreaks), kClassCount,
                          kWeightBreakCount, kTariffName, kDate, kUnspecified},
                         kSize));
static_assert(kTariffName.offset == kOutputSize);
}  // namespace tariff_tables_record
}  // namespace tolv

#endif  // TOLV32DLL_RECORDS_TARIFF_TABLES_RECORD_H_
