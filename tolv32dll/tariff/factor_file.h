// The factor file (".F"): a text file of the tariff's classes, weight breaks and factor
// tables, with option lines among the data. Lines of at most 255 characters:
//   " ..."   a data line (first character a blank)
//   "* ..."  an option line ('*' not followed directly by CR or LF)
//   other    skipped
// Two layouts, chosen by the tariff's point type:
//  - count layout (a digit): one value a line: N, N block numbers, C, C class codes,
//    B, B weight breaks from the highest down, N x C rates (row block, column class),
//    N x B second-table values (row block, column break);
//  - block layout (a letter): blocks of a class line, a weight-break line, a block-number
//    line and one rate line per class (row class, column break); point types 'D' and 'H'
//    add one value per break, spread over data lines, as the first value of successive
//    rows of the second table ('H' lines carry one value more, which lands in the row
//    after the line's last break value).
// Rates are decimals held with 4 implied decimals (10000 = 1.0).
#ifndef TOLV32DLL_TARIFF_FACTOR_FILE_H_
#define TOLV32DLL_TARIFF_FACTOR_FILE_H_

#include <array>
#include <cstdint>
#include <cstdio>
#include <string>
#include <string_view>

#include "tolv32dll/errors/error_numbers.h"
#include "tolv32dll/tariff/current_tariff.h"
#include "tolv32dll/tariff/factor_numbers.h"
#include "tolv32dll/tariff/tariff_options.h"

namespace tolv {

inline constexpr int kMaxClasses = 20;
inline constexpr int kMaxBreaks = 20;
inline constexpr int kMaxBlocks = 20;
inline constexpr int kFactorColumns = 25;
inline constexpr int kBreakFactorRows = 25;
// The rate matrix of a shipment holds this many class-and-break cells.
inline constexpr int kRateMatrixCells = 171;
// Only this many classes are priced into the rate matrix.
inline constexpr int kPricedClasses = 19;
// Longest line, its line end included.
inline constexpr int kFactorLineLength = 255;

using FactorRow = std::array<std::int32_t, kFactorColumns>;
// The rate table of the factor file: rows by class (block layout) or block (count layout).
using ClassFactorGrid = std::array<FactorRow, kMaxClasses>;
// The second table: rows by block, break or band.
using BreakFactorGrid = std::array<FactorRow, kBreakFactorRows>;

struct FactorTables {
  std::int16_t class_count = 0;
  std::array<ClassCode, kMaxClasses> class_codes = {};
  std::int16_t break_count = 0;
  std::array<std::int32_t, kMaxBreaks> weight_breaks = {};  // pounds
  std::int16_t block_count = 0;
  std::array<std::int16_t, kMaxBlocks> block_numbers = {};
  ClassFactorGrid class_factors = {};
  BreakFactorGrid break_factors = {};

  std::string_view ClassCodeText(int i) const;
};

// Reads the factor file's data lines, parsing the option lines met on the way into the
// options. The result of the last option line parsed is kept (0 or 224).
class FactorFileReader {
 public:
  FactorFileReader(std::FILE* stream, FactorOptions& options)
      : stream_(stream), options_(options) {}

  // The next data line (its line end kept), or nullptr at the end of the file or after a
  // line too long for the buffer (which marks the reader bad).
  const char* Parm_NextDataLine();

  ErrorNumber option_result() const { return option_result_; }
  bool bad() const { return bad_; }
  FactorOptions& options() { return options_; }

 private:
  std::FILE* stream_;
  FactorOptions& options_;
  char line_[kFactorLineLength + 1] = {};
  ErrorNumber option_result_ = kOk;
  bool bad_ = false;
};

// Which block to keep and how to read the file.
struct FactorFileRequest {
  char point_type = ' ';
  bool package_codes = false;  // class codes of 3 characters as they stand
  std::int16_t block_number = 0;
  bool operator==(const FactorFileRequest&) const = default;
};

// The request for the selected tariff: its point type and number. A package tariff (kind
// 'P') is always in the block layout and keeps block 1.
FactorFileRequest FactorRequestFor(const CurrentTariff& tariff);

// Loads the tables from an open factor file (positioned at its start): clears them, sets
// RADJF back to 1.0 and NO_RBN_ADDON off, reads by the layout. 0, 224 (an HCITY list ran
// over), or 210 when a block is cut inside itself, a value is corrupt or a count exceeds
// its room. A count-layout file may end early (the sections it lacks stay empty); a block
// layout without the requested block keeps the last block.
ErrorNumber Parm_LoadFactorFile(std::FILE* stream, const FactorFileRequest& request,
                                FactorOptions& options, FactorTables& tables);
// The block layout alone, keeping the block of the given number (else the last one).
ErrorNumber Parm_ReadClassRates(FactorFileReader& reader, const FactorFileRequest& request,
                                FactorTables& tables);
// The count layout.
ErrorNumber Parm_ReadClassRatesAlt(FactorFileReader& reader, const FactorFileRequest& request,
                                   FactorTables& tables);

}  // namespace tolv

#endif  // TOLV32DLL_TARIFF_FACTOR_FILE_H_
