// The 105-byte version text of the version export and the version line of the text log.
#ifndef TOLV32DLL_ENGINE_ENGINE_VERSION_H_
#define TOLV32DLL_ENGINE_ENGINE_VERSION_H_

#include <cstddef>
#include <cstdint>
#include <string>

#include "platform/os/record_layout.h"

namespace tolv {

// EngineVersionText: zero-filled; three identical 28-byte groups, each with the product
// name (at most 19 characters, so the name never runs into the numbers), the major version
// and the minor version with its release letter; then the fourth version number. Every text
// is NUL-terminated inside its field, and the last byte is NUL.
namespace engine_version_text {
namespace group {
inline constexpr os::Field kName = os::RawField(0, 20);
inline constexpr os::Field kMajor = os::RawField(20, 3);
inline constexpr os::Field kMinor = os::RawField(23, 5);
inline constexpr std::size_t kSize = 28;
static_assert(os::FieldsTile({kName, kMajor, kMinor}, kSize));
}  // namespace group
inline constexpr os::Field kGroups = os::RawField(0, group::kSize, 3);
inline constexpr os::Field kFourth = os::RawField(84, 20);
inline constexpr os::Field kTerminator = os::RawField(104, 1);
inline constexpr std::size_t kSize = 105;
static_assert(os::FieldsTile({kGroups, kFourth, kTerminator}, kSize));
// The log line's last part: the tail of the fourth number's field, empty for short numbers.
inline constexpr os::Field kLogTail = os::RawField(99, 5);
static_assert(kLogTail.offset > kFourth.offset && kLogTail.end() == kFourth.end());
}  // namespace engine_version_text

// Fills out (kSize bytes) from the library's version.
void FillEngineVersionText(std::uint8_t* out);

// The version as the initialisation log line shows it: the third group's major and minor
// texts, the fourth number and the log tail, as "%s.%s,%s,%s" ("4.18,1,").
std::string EngineVersionLogText();

// The revision text the engine keeps ("4.18").
std::string EngineRevisionText();

}  // namespace tolv

#endif  // TOLV32DLL_ENGINE_ENGINE_VERSION_H_
