// Text fields of the package records: the status and number fields the engine writes and
// the weights it reads.
#ifndef TOLV32DLL_PACKAGE_PACKAGE_TEXT_H_
#define TOLV32DLL_PACKAGE_PACKAGE_TEXT_H_

#include <cstdint>
#include <string_view>

#include "platform/os/record_layout.h"
#include "tolv32dll/errors/error_numbers.h"

namespace tolv {

// value formatted with printf's format (one integer conversion), cut to the field's width
// and written at the field's offset. Does not check bounds.
// REQUIRES: record holds the field.
void StoreFormatted(std::uint8_t* record, const os::Field& field, const char* format,
                    std::int64_t value);

// The status field: 4 blanks for 0, else the number as "%04d".
void StoreStatus(std::uint8_t* record, const os::Field& field, ErrorNumber error);

// Whole pounds of a weight: its integer part, plus 1 when the weight has a fraction (so
// 12.2 pounds are 13). REQUIRES: weight >= 0.
std::int64_t WholePounds(double weight);

}  // namespace tolv

#endif  // TOLV32DLL_PACKAGE_PACKAGE_TEXT_H_
