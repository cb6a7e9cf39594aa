// TDZ.BIN: ZIP and postal-code ranges, 12-byte records sorted by range and, within a
// range, by version. Each range names the area (and sub-area) of the codes it holds.
#ifndef KMLIB_TDZ_FILE_H_
#define KMLIB_TDZ_FILE_H_

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "KMLIB/record_file.h"
#include "KMLIB/td_status.h"

namespace kmlib {

// The layout of one TDZ.BIN record.
struct TdzLayout {
  static constexpr std::size_t kLowZip = 0;        // packed ZIP, 3 bytes
  static constexpr std::size_t kHighZip = 3;       // packed ZIP, 3 bytes
  static constexpr std::size_t kFirstVersion = 6;  // u8, included
  static constexpr std::size_t kEndVersion = 7;    // u8, not included
  static constexpr std::size_t kArea = 8;          // u8
  static constexpr std::size_t kSubArea = 9;       // i16 little-endian
  static constexpr std::size_t kOrder = 11;        // u8, breaks ties of direction
  static constexpr std::size_t kSize = 3 + 3 + 1 + 1 + 1 + 2 + 1;
};
static_assert(TdzLayout::kOrder + 1 == TdzLayout::kSize);

struct TdzRecord {
  std::array<std::uint8_t, TdzLayout::kSize> bytes{};

  std::array<std::uint8_t, 3> low_zip() const { return {bytes[0], bytes[1], bytes[2]}; }
  std::array<std::uint8_t, 3> high_zip() const { return {bytes[3], bytes[4], bytes[5]}; }
  std::uint8_t first_version() const { return bytes[TdzLayout::kFirstVersion]; }
  std::uint8_t end_version() const { return bytes[TdzLayout::kEndVersion]; }
  std::uint8_t area() const { return bytes[TdzLayout::kArea]; }
  std::int16_t sub_area() const;
  std::uint8_t order() const { return bytes[TdzLayout::kOrder]; }
};

// The compare of a code with a record: the code is compared with the record's unpacked
// low and high ends over 5 characters (3 when it begins with a letter), then the version
// with the record's [first, end) range. < 0 when the code sorts before the record.
int CompareZipWithRecord(std::string_view code, std::uint8_t version, const TdzRecord& record);

// TDZ.BIN open for several look-ups. Each look-up names the file in the log, as an open
// of its own would.
class ZipRangeFile {
 public:
  // Empty when the file cannot be opened.
  static std::optional<ZipRangeFile> Open(std::string path);

  // The first record that holds the code at the version. kNotFound.
  TdStatus Find(std::string_view code, std::uint8_t version, TdzRecord* out) const;

 private:
  ZipRangeFile(std::string path, RecordFile file)
      : path_(std::move(path)), file_(std::move(file)) {}

  std::string path_;
  RecordFile file_;
};

// One look-up in the file at path. kCannotOpen, kNotFound.
TdStatus FindZip(const std::string& path, std::string_view code, std::uint8_t version,
                 TdzRecord* out);

}  // namespace kmlib

#endif  // KMLIB_TDZ_FILE_H_
