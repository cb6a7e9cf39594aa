// TDZ.BIN: ZIP and postal-code ranges, 12-byte records sorted by range and, within a
// range, by version. Each range names the area (and sub-area) of the codes it holds.
#ifndef KMLIB_TDZ_FILE_H_
#define KMLIB_TDZ_FILE_H_

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "KMLIB/recent_finds.h"
#include "KMLIB/record_file.h"
#include "KMLIB/td_status.h"
#include "platform/os/record_layout.h"

namespace kmlib {

// One TDZ.BIN record.
namespace tdz_record {
inline constexpr os::Field kLowZip = os::RawField(0, 3);        // packed ZIP
inline constexpr os::Field kHighZip = os::RawField(3, 3);       // packed ZIP
inline constexpr os::Field kFirstVersion = os::RawField(6, 1);  // u8, included
inline constexpr os::Field kEndVersion = os::RawField(7, 1);    // u8, not included
inline constexpr os::Field kArea = os::RawField(8, 1);          // u8
inline constexpr os::Field kSubArea = os::I16Field(9);
inline constexpr os::Field kOrder = os::RawField(11, 1);  // u8, breaks ties of direction
inline constexpr std::size_t kSize = 12;
static_assert(os::FieldsTile({kLowZip, kHighZip, kFirstVersion, kEndVersion, kArea, kSubArea,
                              kOrder},
                             kSize));
}  // namespace tdz_record

struct TdzRecord {
  std::array<std::uint8_t, tdz_record::kSize> bytes{};

  std::array<std::uint8_t, 3> low_zip() const { return {bytes[0], bytes[1], bytes[2]}; }
  std::array<std::uint8_t, 3> high_zip() const { return {bytes[3], bytes[4], bytes[5]}; }
  std::uint8_t first_version() const { return bytes[tdz_record::kFirstVersion.offset]; }
  std::uint8_t end_version() const { return bytes[tdz_record::kEndVersion.offset]; }
  std::uint8_t area() const { return bytes[tdz_record::kArea.offset]; }
  std::int16_t sub_area() const;
  std::uint8_t order() const { return bytes[tdz_record::kOrder.offset]; }
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

  const std::string& path() const { return path_; }
  // The file as the cache serves it, image or descriptor (for the keeping rule).
  const os::FileImagePtr& image() const { return file_.kept(); }

 private:
  ZipRangeFile(std::string path, RecordFile file)
      : path_(std::move(path)), file_(std::move(file)) {}

  // A look-up that found its record.
  struct Found {
    std::array<char, 8> code{};
    std::size_t size = 0;  // code holds code.size() <= 8 characters
    std::uint8_t version = 0;
    TdzRecord record;
  };
  void Remember(std::string_view code, std::uint8_t version, const TdzRecord& record) const;

  std::string path_;
  RecordFile file_;
  mutable RecentFinds<Found> found_;
};

// One look-up in the file at path. kCannotOpen, kNotFound.
TdStatus FindZip(const std::string& path, std::string_view code, std::uint8_t version,
                 TdzRecord* out);

}  // namespace kmlib

#endif  // KMLIB_TDZ_FILE_H_
