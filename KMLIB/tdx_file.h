// TDX.TBL: exceptions, 20-byte records sorted by group result, origin key, destination
// key and, within equal keys, by version range. The exception step walks runs of them.
#ifndef KMLIB_TDX_FILE_H_
#define KMLIB_TDX_FILE_H_

#include <cstdint>
#include <optional>
#include <string>

#include "KMLIB/record_file.h"
#include "platform/os/record_layout.h"

namespace kmlib {

namespace tdx_record {
inline constexpr os::Field kFirstVersion = os::RawField(0, 1);  // u8, included
inline constexpr os::Field kEndVersion = os::RawField(1, 1);    // u8, not included
inline constexpr os::Field kGroupResult = os::I16Field(2);
inline constexpr os::Field kOriginKey = os::I16Field(4);  // 0, an area, 98 or 99
inline constexpr os::Field kLink = os::I16Field(6);       // shared by one exception
inline constexpr os::Field kDestinationKey = os::I16Field(8);
inline constexpr os::Field kOriginOrderKey = os::I16Field(10);  // 0 = any
inline constexpr os::Field kDestinationOrderKey = os::I16Field(12);
inline constexpr os::Field kOriginMark = os::I16Field(14);  // character code: ' ' or '='
inline constexpr os::Field kDestinationMark = os::I16Field(16);
inline constexpr os::Field kOtherGroupResult = os::I16Field(18);
inline constexpr std::size_t kSize = 20;
static_assert(os::FieldsTile({kFirstVersion, kEndVersion, kGroupResult, kOriginKey, kLink,
                              kDestinationKey, kOriginOrderKey, kDestinationOrderKey, kOriginMark,
                              kDestinationMark, kOtherGroupResult},
                             kSize));
}  // namespace tdx_record

struct TdxRecord {
  std::uint8_t first_version = 0;
  std::uint8_t end_version = 0;
  std::int16_t group_result = 0;
  std::int16_t origin_key = 0;
  std::int16_t link = 0;
  std::int16_t destination_key = 0;
  std::int16_t origin_order_key = 0;
  std::int16_t destination_order_key = 0;
  std::int16_t origin_mark = 0;
  std::int16_t destination_mark = 0;
  std::int16_t other_group_result = 0;
};

// An open TDX.TBL with a record in hand.
class ExceptionFile {
 public:
  // Empty when the file cannot be opened; an open names the file in the log.
  static std::optional<ExceptionFile> Open(const std::string& path);

  // Takes the first record with the three keys whose version range holds version as the
  // record in hand. False when there is none.
  bool Find(std::int16_t group_result, std::int16_t origin_key, std::int16_t destination_key,
            std::uint8_t version);
  // Takes the next record of the file, whatever its versions. False at the end.
  bool Next();

  const TdxRecord& record() const { return record_; }

 private:
  explicit ExceptionFile(RecordFile file) : file_(std::move(file)) {}
  bool Take(std::size_t index);

  RecordFile file_;
  std::size_t index_ = 0;
  bool in_hand_ = false;
  TdxRecord record_;
};

// Decodes one record. REQUIRES: bytes holds tdx_record::kSize bytes.
TdxRecord DecodeTdxRecord(std::span<const std::uint8_t> bytes);

}  // namespace kmlib

#endif  // KMLIB_TDX_FILE_H_
