// TDX.TBL: exceptions, 20-byte records sorted by group result, origin key, destination
// key and, within equal keys, by version range. The exception step walks runs of them.
#ifndef KMLIB_TDX_FILE_H_
#define KMLIB_TDX_FILE_H_

#include <cstdint>
#include <optional>
#include <string>

#include "KMLIB/record_file.h"

namespace kmlib {

struct TdxLayout {
  static constexpr std::size_t kFirstVersion = 0;       // u8, included
  static constexpr std::size_t kEndVersion = 1;         // u8, not included
  static constexpr std::size_t kGroupResult = 2;        // i16
  static constexpr std::size_t kOriginKey = 4;          // i16: 0, an area, 98 or 99
  static constexpr std::size_t kLink = 6;               // i16, shared by one exception
  static constexpr std::size_t kDestinationKey = 8;     // i16
  static constexpr std::size_t kOriginOrderKey = 10;    // i16, 0 = any
  static constexpr std::size_t kDestinationOrderKey = 12;
  static constexpr std::size_t kOriginMark = 14;        // i16 character code: ' ' or '='
  static constexpr std::size_t kDestinationMark = 16;
  static constexpr std::size_t kOtherGroupResult = 18;  // i16
  static constexpr std::size_t kSize = 1 + 1 + 9 * 2;
};
static_assert(TdxLayout::kOtherGroupResult + 2 == TdxLayout::kSize);

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

// Decodes one record. REQUIRES: bytes holds TdxLayout::kSize bytes.
TdxRecord DecodeTdxRecord(std::span<const std::uint8_t> bytes);

}  // namespace kmlib

#endif  // KMLIB_TDX_FILE_H_
