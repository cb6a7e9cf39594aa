// The 18 freight classes of the program and the FAK mapping stored in fak.dat.
//
// fak.dat: 18 records of 2 bytes, no header (36 bytes); record i (1-18) is a little-endian
// i16, the class sent to the engine in place of class table element i.
#ifndef FRELANE_CORE_CLASS_TABLES_H_
#define FRELANE_CORE_CLASS_TABLES_H_

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>

namespace frelane {

inline constexpr char kFakFileName[] = "fak.dat";
inline constexpr int kClassCount = 18;
inline constexpr std::size_t kFakRecordSize = 2;
inline constexpr std::size_t kFakFileSize = kClassCount * kFakRecordSize;

// Element 0 holds the count (18); elements 1-18 the classes, highest first. 92 and 77
// stand for 92.5 and 77.5 and are sent to the engine as "92" and "77".
using ClassTable = std::array<std::int16_t, kClassCount + 1>;

// The program's class table as start-up builds it.
ClassTable MakeClassTable();

// Entry i-1 is the class used in place of class table element i.
using FakClassMap = std::array<std::int16_t, kClassCount>;

// The mapping that leaves every class as it is.
FakClassMap IdentityFakMap(const ClassTable& classes);

// The FAK mapping in force and its flag: true ("Y") when some entry differs from its class;
// the charge calculation maps classes only then.
struct FakState {
  FakClassMap map{};
  bool active = false;
};

// What reading fak.dat found, for callers that want to tell the user.
struct FakReadReport {
  bool file_found = false;
  int entries_read = 0;     // records wholly present in the file
  int entries_refused = 0;  // records read that held no class of the table
};

// Reads fak.dat at `path` into `fak`. Reading never creates the file. A record that is
// missing (short or absent file) or holds no class of the table maps its class to itself,
// so a damaged file cannot send nonsense classes to the engine. The flag is set from the
// resulting map.
FakReadReport ReadFakFile(const std::string& path, const ClassTable& classes, FakState* fak);

// Writes the map as fak.dat (created when missing; replaced whole, so a failed write leaves
// the old file). The flag becomes true when some entry differs from its class; a save never
// turns it back off, so a mapping saved back to the identity keeps the earlier flag.
// Returns false, with a message in *error, when the file could not be written.
[[nodiscard]] bool WriteFakFile(const std::string& path, const ClassTable& classes,
                                FakState* fak, std::string* error);

// The mapped class of the first table element equal to `freight_class`; no value when the
// class is not in the table.
std::optional<std::int16_t> LookupFAKClass(const ClassTable& classes, const FakClassMap& map,
                                           std::int16_t freight_class);

// True when `value` is a class of the table; 92.5 and 77.5 count as 92 and 77.
bool IsValidClass(const ClassTable& classes, double value);

}  // namespace frelane

#endif  // FRELANE_CORE_CLASS_TABLES_H_
