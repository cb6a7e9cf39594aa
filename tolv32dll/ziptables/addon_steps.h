// The add-on steps of the Lite rate-basis methods: each end of the shipment is looked up
// by add-on type in the Lite E base ".B" (an add-on point code and an amount), the pair of
// add-on points in the Lite E matrix ".K" (a rate basis number and a letter), amounts are
// added to the number, and the letter chooses a Lite table number (a factor set).
#ifndef TOLV32DLL_ZIPTABLES_ADDON_STEPS_H_
#define TOLV32DLL_ZIPTABLES_ADDON_STEPS_H_

#include <array>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "tolv32dll/errors/result.h"
#include "tolv32dll/ratebasis/methods.h"
#include "tolv32dll/tariff/tariff_options.h"
#include "tolv32dll/ziptables/lite_table.h"
#include "tolv32dll/ziptables/rbno_addon.h"
#include "tolv32dll/ziptables/zip_records.h"
#include "tolv32dll/ziptables/zip_table_files.h"

namespace tolv {

// A type directory of ".B" or ".K": 20 entries of a type code and the byte offset where the
// type's records begin; the next entry's offset (or the end of the file) ends the range.
struct TypeDirectory {
  struct Entry {
    std::array<char, 2> type{};
    std::int64_t offset = 0;
  };
  std::array<Entry, type_directory_entry::kEntries> entries{};
  std::int64_t file_size = 0;

  // The byte range [first, second) of the type's records; nullopt for a type not listed.
  std::optional<std::pair<std::int64_t, std::int64_t>> RangeOf(
      const std::array<char, 2>& type) const;
};
// The first 120 bytes of the file; a short file gives a directory without entries.
TypeDirectory ReadTypeDirectory(const FileView& file);

// The add-on record found for one end: a Lite E base record (12 bytes; 17 in text form).
struct AddonRecord {
  bool found = false;
  std::array<std::uint8_t, 17> bytes{};  // zero when none
};

// The Lite work values of the shipment in hand.
struct LiteWork {
  std::array<char, 10> lite_record{};  // factor set 0-2, number 4-8, letter 9
  AddonRecord origin;
  AddonRecord destination;
  std::array<char, 2> type_code{' ', ' '};
  int addon_flag = -1;  // -1 before a table number is chosen, then 1 ('Y') or 0 ('N')
  int row_index = 0;
  TypeDirectory base_directory;
  TypeDirectory matrix_directory;
  RbnoAddons rbno;

  // The number from byte 4: five digits, or six for method 'J', whose number runs over
  // the letter byte (its first digit then chooses the table number).
  std::string Number(std::size_t width = 5) const {
    return std::string(lite_record.data() + 4, width);
  }
  // "%5.5ld" ("%.6ld" for width 6); a longer number keeps its last digits.
  void SetNumber(std::int64_t number, std::size_t width = 5);
  // Copies the first 10 bytes of the rate record.
  void CopyFrom(const RateRecord& record);
  void ClearAddons() { origin = AddonRecord{}, destination = AddonRecord{}; }
};

// What the Lite steps work with besides the rate-basis method's own context.
struct LiteContext {
  MethodContext& method;
  ZipTableFiles& tables;
  std::vector<LiteTableRow>& lite_table;  // the engine's Lite table
  LiteWork& work;
  // The selected tariff's HCITY list; read after every reload.
  const HcityList* hcity = nullptr;
  // Switches to the tariff's companion and gives the rate record length of its point type;
  // empty: the selected tariff stays.
  std::function<Result<std::size_t>()> switch_to_companion;
  // Binary debug log records (kind, bytes); empty: no log.
  std::function<void(int kind, os::ByteSpan bytes)> log;

  char point_type() const;
  bool text_form() const { return point_type() == 'M'; }
  void Log(int kind, os::ByteSpan bytes) const {
    if (log) log(kind, bytes);
  }
};

std::array<char, 2> TypeCode(const char* two);

// Opens ".B" (221) and ".K" (222), loads the Lite table from ".B" and reads both type
// directories.
ErrorNumber PrepareLite(LiteContext& ctx);

// Looks both ends up with the type code: 1 when the destination's record was found, else
// 0; 218 for point type 'L' when a type "H" record is missing.
Result<int> LookupAddons(LiteContext& ctx, const std::array<char, 2>& type);
// True when both ends have a record and the records share their add-on point.
bool SameAddonPoints(const LiteContext& ctx);
// The two ends' amounts after a look-up (2020 counts as 0).
Result<std::int32_t> SumAddons(LiteContext& ctx, const std::array<char, 2>& type);
// The matrix step: the letter of the pair of add-on points (0 when none), which also sets
// the Lite record's number and letter and selects its table number.
Result<char> MatrixLetter(LiteContext& ctx, std::array<char, 2>& type);
// The Lite table number of the letter, written into the Lite record; the record's own
// number when no row applies. 272 when no row fits.
Result<int> SelectTableNumber(LiteContext& ctx, char letter);

// The add-on rows of letters 'A', 'C', 'D', 'E', 'F', 'H', 'J': 1 when a matrix letter was
// found (it replaces letter).
Result<int> AddonByMethod(LiteContext& ctx, char& letter);
// The Lite E step of letters 'B', 'C' and 'M'; 1 when a matrix letter was found.
Result<int> LiteEAddon(LiteContext& ctx, char& letter);

// The first HCITY entry whose threshold reaches `at_least`: its value when positive.
std::optional<std::int32_t> HcityValue(const HcityList* list, std::int64_t at_least);

// Whose rules pick the reader and the companion switch: the methods 'E', 'J', 'L' and 'M'
// go by the Lite record's letter; 'I' and 'K' have rules of their own.
enum class AddonReaders { kByLetter, kRbno, kYear };

// Reads the rate record of the Lite record from its segment of ".R" (switching to the
// companion first where the rules ask for it), then, for a record that has its number,
// positions on the rate-basis area. `read`, when given, tells whether a record was read.
ErrorNumber ReadAddonTable(LiteContext& ctx, AddonReaders readers = AddonReaders::kByLetter,
                           bool* read = nullptr);

}  // namespace tolv

#endif  // TOLV32DLL_ZIPTABLES_ADDON_STEPS_H_
