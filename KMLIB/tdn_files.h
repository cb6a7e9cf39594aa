// TDN.IDX and TDN.IDA: exception names by ZIP. TDN.IDX holds 11-byte records sorted by
// ZIP (compared unpacked over 5 characters), then name code; each points into TDN.IDA,
// which holds at that offset a length byte and the name (at most 19 characters).
#ifndef KMLIB_TDN_FILES_H_
#define KMLIB_TDN_FILES_H_

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "platform/os/record_layout.h"

namespace kmlib {

namespace tdn_index_record {
inline constexpr os::Field kZip = os::RawField(0, 3);  // packed ZIP
inline constexpr os::Field kNameCode = os::I16Field(3);
inline constexpr os::Field kFirstVersion = os::RawField(5, 1);  // u8
inline constexpr os::Field kEndVersion = os::RawField(6, 1);    // u8
inline constexpr os::Field kNameOffset = os::I32Field(7);       // into TDN.IDA
inline constexpr std::size_t kSize = 11;
static_assert(os::FieldsTile({kZip, kNameCode, kFirstVersion, kEndVersion, kNameOffset}, kSize));
}  // namespace tdn_index_record

inline constexpr std::size_t kMaxTdnNameChars = 19;

// One exception name (at most 19 characters, as stored) and the name code it is filed
// under.
struct TdnName {
  std::string name;
  std::int16_t code = 0;
};

// The exception names of a code for each name code in turn (a name code of 0 is passed
// over), in file order: for each name code, from the first record whose version range
// [first, end) holds the version, as long as the code and the name code stay the same
// and the range [first, end] holds the version. The code is compared as the files pack
// it: five characters when it begins with a digit, else its first three (first and third
// upper-cased); a code of neither kind has no names. Names shorter than 3 characters are
// left out; the list stops at limit names. A missing or unreadable file gives no names;
// an offset outside TDN.IDA ends the list for that name code.
std::vector<TdnName> ReadExceptionNames(const std::string& index_path,
                                        const std::string& names_path, std::string_view code,
                                        const std::vector<std::int16_t>& name_codes,
                                        std::uint8_t version, std::size_t limit);

}  // namespace kmlib

#endif  // KMLIB_TDN_FILES_H_
