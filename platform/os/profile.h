// Profile (ini) files: "[section]" lines, "key=value" lines, lines starting with ";" are
// comments; sections and keys match without regard to ASCII case;
// blanks around keys and values are dropped and one pair of matching quotes around a value
// is removed; the first section of a name and the first key of a name in it count.
// Text stays single-byte as stored. The file name is matched without regard to case.
#ifndef FRELANE_PLATFORM_OS_PROFILE_H_
#define FRELANE_PLATFORM_OS_PROFILE_H_

#include <string>
#include <string_view>

namespace os {

// The value of key in section of the file at path; default_value (without trailing blanks)
// when the file, the section or the key is missing.
std::string GetProfileString(std::string_view section, std::string_view key,
                             std::string_view default_value, const std::string& path);

// The value read as an integer: default_value when the key is missing or its value empty;
// otherwise leading blanks are skipped, an optional sign read, then decimal digits up to the
// first other character (none gives 0), wrapping around at 32 bits: "12abc" is 12,
// "abc" is 0, "-7" is -7.
int GetProfileInt(std::string_view section, std::string_view key, int default_value,
                  const std::string& path);

// Sets key in section to value, adding the section (at the end) or the key (after the
// section's last entry) when missing and creating the file when needed; other lines stay
// as they were. The file is rewritten whole through a temporary file. False on failure (a
// file that exists but cannot be read is left as it is), or when section or key is empty or
// holds a line break, "=" in the key, or "]" in the section.
bool WriteProfileString(std::string_view section, std::string_view key, std::string_view value,
                        const std::string& path);

}  // namespace os

#endif  // FRELANE_PLATFORM_OS_PROFILE_H_
