// The selected tariff's settings, taken from its line of the effective-date table. The
// tariff file set names and opens the tariff's files from these fields; the rating steps
// read the letters that shape their methods.
#ifndef TOLV32DLL_TARIFF_CURRENT_TARIFF_H_
#define TOLV32DLL_TARIFF_CURRENT_TARIFF_H_

#include <array>
#include <cstddef>
#include <cstdint>
#include <string_view>

namespace tolv {

// Two characters of a file number ("01", "99"; a first letter means "use DefaultFileNo").
using FileNo = std::array<char, 2>;
// The 8-character tariff name, space-padded as stored.
using TariffNameText = std::array<char, 8>;

// The view of a fixed-width text field, as stored (no trimming).
template <std::size_t N>
std::string_view TextOf(const std::array<char, N>& field) {
  return std::string_view(field.data(), N);
}

// Fields appear in the order the effective-date table's line is copied. Letters are single
// bytes as stored; a blank means "not set". A default-constructed value is "no tariff".
struct CurrentTariff {
  char record_letter = ' ';
  std::int16_t tariff_number = 0;
  // Effective date: century, year in century, month, day.
  std::uint8_t century = 0;
  std::uint8_t year = 0;
  std::uint8_t month = 0;
  std::uint8_t day = 0;
  FileNo default_file_no = {' ', ' '};   // DefaultFileNo
  char point_type = ' ';                 // PointType
  char alt_point_type = ' ';             // AltPointType (used when PointType is 'N')
  char lane_adj_kind = ' ';              // lane-adjustment kind letter
  FileNo lane_adj_file_no = {' ', ' '};  // LaneAdjFileNo
  TariffNameText tariff_name = {' ', ' ', ' ', ' ', ' ', ' ', ' ', ' '};  // TariffName
  float rating_version = 0.0f;
  FileNo index_file_no = {' ', ' '};        // IndexFileNo
  FileNo rate_file_no = {' ', ' '};         // RateFileNo
  FileNo weight_type_file_no = {' ', ' '};  // WeightTypeFileNo
  FileNo point_file_no = {' ', ' '};        // PointFileNo
  FileNo exp_file_no = {' ', ' '};          // ExpFileNo
  FileNo factor_file_no = {' ', ' '};       // FactorFileNo
  char letter44 = ' ';                      // kept, tested by no step
  char point_file_mode = ' ';               // PointFileMode: 'S', 'Y' or 'M'
  char weight_type_digit = ' ';             // chooses the weight-type table of the .T file
  char jurisdiction = ' ';                  // 'Y' intrastate, 'C' Canadian, 'M' Mexican
  char tariff_kind = ' ';                   // TariffKind; 'P' package, 'S' for names ending "2A"
  char companion_point_type = ' ';
  FileNo companion_code = {' ', ' '};
  char addon_mode = ' ';    // AddonMode
  char index_format = ' ';  // IndexFormat: 'P' = 3-byte index entries

  bool operator==(const CurrentTariff&) const = default;
};

}  // namespace tolv

#endif  // TOLV32DLL_TARIFF_CURRENT_TARIFF_H_
