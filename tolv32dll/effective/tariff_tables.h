// The tariff-tables call: the class codes and weight breaks of the tariff of a given
// name in force on a given date, written into the caller's TariffTablesRecord.
#ifndef TOLV32DLL_EFFECTIVE_TARIFF_TABLES_H_
#define TOLV32DLL_EFFECTIVE_TARIFF_TABLES_H_

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "tolv32dll/effective/effective_entry.h"
#include "tolv32dll/effective/effective_table.h"
#include "tolv32dll/tariff/current_tariff.h"

namespace tolv {

// A date "mm?dd?ccyy" (any separators) when it is a real calendar date.
std::optional<TariffDate> ParseTablesDate(std::string_view text);

// The entry the call lists: searching from the last entry back, the first of the name
// whose date is not after the date, passing over tariff number 2; failing that, the same
// passing over tariff number 1. -1 when none.
int FindTablesEntry(const std::vector<EffectiveEntry>& entries, std::string_view name,
                    const TariffDate& date);

// Fills the record (224 bytes): 1 with the output fields written, 0 with them as they were.
// A valid date is rewritten "mm-dd-ccyy". The tariff becomes the current tariff.
// The factor file is read from tariff_dir, apart from the files a rating keeps open.
int GetTariffTables(std::span<std::uint8_t> record, EffectiveTable& table,
                    CurrentTariff& current, const std::string& tariff_dir);

}  // namespace tolv

#endif  // TOLV32DLL_EFFECTIVE_TARIFF_TABLES_H_
