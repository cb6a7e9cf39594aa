// A tariff's zip block file "<tariff>.b": the blocks of postal codes the tariff serves, in
// ascending order, as 12-byte records numbered from 1: the block's first code (5
// characters), its last code (5) and 2 reserved bytes. The file name is the 8-character
// tariff name field as it stands, trailing blanks included, followed by ".b". A block may
// start in an earlier prefix or end in a later one; its first three characters at each end
// decide which prefixes it touches.
#ifndef FRELANE_RATESHEET_ZIP_BLOCK_FILE_H_
#define FRELANE_RATESHEET_ZIP_BLOCK_FILE_H_

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "frelane/ratesheet/run_state.h"
#include "platform/os/record_layout.h"
#include "platform/runtime/record_file.h"

namespace frelane::ratesheet {

namespace zip_block {
inline constexpr os::Field kLowZip = os::TextField(0, 5);
inline constexpr os::Field kHighZip = os::TextField(5, 5);
inline constexpr os::Field kReserved = os::RawField(10, 2);
inline constexpr std::size_t kRecordSize = 12;
static_assert(os::FieldsTile({kLowZip, kHighZip, kReserved}, kRecordSize));
}  // namespace zip_block

// The file name of a tariff's zip block file: the 8-character name field and ".b".
std::string ZipBlockFileName(std::string_view tariff_name_field);

class ZipBlockFile {
 public:
  // Opens the file read-only (it is never created) and finds the first block touching
  // `prefix`. Raises a run-time error naming the file when the tariff name could leave the
  // data directory or the file is missing or unreadable.
  ZipBlockFile(const std::string& directory_path, std::string_view tariff_name_field,
               std::string_view prefix);

  // The next block clipped to the prefix, as suffixes; false when no block is left.
  bool Next(SuffixRange& block);

  // Every block of the prefix.
  std::vector<SuffixRange> Blocks();

 private:
  struct Bounds {
    std::string low, high;  // the first three characters of each end
  };
  Bounds Read(std::int64_t record);
  bool Touches(const Bounds& b) const { return b.low <= prefix_ && prefix_ <= b.high; }
  std::int64_t FirstTouching();

  runtime::RecordFile file_;
  std::string prefix_;
  std::int64_t count_ = 0;
  std::int64_t next_ = 1;
  std::uint8_t record_[zip_block::kRecordSize] = {};
};

}  // namespace frelane::ratesheet

#endif  // FRELANE_RATESHEET_ZIP_BLOCK_FILE_H_
