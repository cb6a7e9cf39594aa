// The part of the TD data an engine keeps from data-set open to its end: the select
// table (TDS.SEQ) and the areas with their state codes (TDA.SEQ); and the TD files each
// rating reads, kept while they are unchanged (see td_files.h).
#ifndef TOLV32DLL_DETERMINATION_TD_DATA_SET_H_
#define TOLV32DLL_DETERMINATION_TD_DATA_SET_H_

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "KMLIB/td_text_files.h"
#include "tolv32dll/determination/td_files.h"
#include "tolv32dll/errors/result.h"

namespace tolv {

using StateCode = std::array<char, 2>;

// The TD file names, opened by bare name from the data directory.
inline constexpr char kTdvFile[] = "TDV.SEQ";
inline constexpr char kTdsFile[] = "TDS.SEQ";
inline constexpr char kTdaFile[] = "TDA.SEQ";
inline constexpr char kTdxFile[] = "TDX.TBL";
inline constexpr char kTdzFile[] = "TDZ.BIN";
inline constexpr char kTdtFile[] = "TDT.BIN";
inline constexpr char kTdnIndexFile[] = "TDN.IDX";
inline constexpr char kTdnNamesFile[] = "TDN.IDA";

// The path of a TD file in dir (found without regard to case); the plain joined path
// when there is no such file, so that opening it fails as a missing file does.
std::string TdFilePath(std::string_view dir, std::string_view name);

class TdDataSet {
 public:
  // Reads TDS.SEQ, then TDA.SEQ: 0, 102 (TDS.SEQ missing), 107 (TDS.SEQ malformed),
  // 101 (TDA.SEQ missing or malformed).
  ErrorNumber Load(std::string_view dir);

  const kmlib::TdSelectTable& select() const { return select_; }
  int group_count() const { return select_.group_count; }
  // The state or province code of an area; nullopt when TDA.SEQ does not hold it.
  std::optional<StateCode> StateOf(int area) const;

  TdFiles& files() { return files_; }

 private:
  TdFiles files_;
  kmlib::TdSelectTable select_;
  std::vector<kmlib::TdAreaEntry> areas_;  // sorted by area
};

}  // namespace tolv

#endif  // TOLV32DLL_DETERMINATION_TD_DATA_SET_H_
