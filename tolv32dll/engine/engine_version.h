// The 105-byte version text of the version export and the version line of the text log.
#ifndef TOLV32DLL_ENGINE_ENGINE_VERSION_H_
#define TOLV32DLL_ENGINE_ENGINE_VERSION_H_

#include <cstddef>
#include <cstdint>
#include <string>

namespace tolv {

// EngineVersionText: zero-filled; three identical 28-byte groups, each with the product
// name at +0 (at most 19 characters, so the name never runs into the numbers), the major
// version at +20 and the minor version with its release letter at +23, all NUL-terminated;
// the fourth version number at 84; byte 104 is NUL.
namespace engine_version_text {
inline constexpr std::size_t kSize = 105;
inline constexpr std::size_t kGroupSize = 28;
inline constexpr std::size_t kGroups = 3;
inline constexpr std::size_t kNameAt = 0;
inline constexpr std::size_t kNameWidth = 20;
inline constexpr std::size_t kMajorAt = 20;
inline constexpr std::size_t kMinorAt = 23;
inline constexpr std::size_t kFourthAt = 84;
static_assert(kGroups * kGroupSize == kFourthAt);
}  // namespace engine_version_text

// Fills out (kSize bytes) from the library's version.
void FillEngineVersionText(std::uint8_t* out);

// The version as the initialisation log line shows it: the third group's major and minor
// texts, the fourth number and the text at byte 99, as "%s.%s,%s,%s" ("4.18,1,").
std::string EngineVersionLogText();

// The revision text the engine keeps ("4.18").
std::string EngineRevisionText();

}  // namespace tolv

#endif  // TOLV32DLL_ENGINE_ENGINE_VERSION_H_
