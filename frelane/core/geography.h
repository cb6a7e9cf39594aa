// modMain's geography look-ups: the US state of a ZIP code (state.dat) or the Canadian
// province of a postal code (a fixed table of first letters).
#ifndef FRELANE_CORE_GEOGRAPHY_H_
#define FRELANE_CORE_GEOGRAPHY_H_

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace frelane::modMain {

// The state or province abbreviation of a ZIP or postal code; "" when none is found.
// A code whose first three characters read as a number above 0 is a US ZIP code.
std::string StateOrProvince(std::string_view code);

// The state code of record `prefix` of state.dat; "" for a prefix outside 1 to 999, a
// missing file or a record beyond its end.
std::string StateOfZipPrefix(std::int16_t prefix);

// The province of a Canadian postal code by its first three characters, compared as
// stored (no upper-casing); nullopt when no range holds them.
std::optional<std::string> ProvinceOfPostalCode(std::string_view code);

}  // namespace frelane::modMain

#endif  // FRELANE_CORE_GEOGRAPHY_H_
