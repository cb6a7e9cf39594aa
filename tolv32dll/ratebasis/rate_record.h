// One record of the ".R" rate file: the rates of a rate basis. The engine keeps the
// shipment's record in a rate record buffer; the class rates and the charge computation
// read its 24-bit values.
//
// Layout: factor-set number (3 digits), the rate basis number as text (7 characters:
// bytes 3-8 a number, byte 9 an optional letter, the rate-basis area in bytes 5-8), then
// 24-bit little-endian unsigned values V(0), V(1), ... from byte 10. The record length
// comes from the kind table of the tariff's point type.
#ifndef TOLV32DLL_RATEBASIS_RATE_RECORD_H_
#define TOLV32DLL_RATEBASIS_RATE_RECORD_H_

#include <cstddef>
#include <algorithm>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "platform/os/bytes.h"
#include "platform/os/record_layout.h"

namespace tolv {

namespace rate_record {
inline constexpr os::Field kFactorSet = os::TextField(0, 3);
inline constexpr os::Field kNumber = os::TextField(3, 7);
inline constexpr os::Field kNumberDigits = os::TextField(3, 6);  // of kNumber
inline constexpr os::Field kArea = os::TextField(5, 4);          // of kNumberDigits
inline constexpr os::Field kLetter = os::TextField(9, 1);        // kNumber's last byte
inline constexpr os::Field kValue = os::RawField(10, 3);         // V(i) is kValue.Nth(i)
// The longest record of the kind table, and the four more bytes of point type 'N'.
inline constexpr std::size_t kMaxSize = 631 + 4;
static_assert(os::FieldsTile({kFactorSet, kNumber}, kValue.offset));
static_assert(kNumberDigits.end() == kLetter.offset && kLetter.end() == kNumber.end());
static_assert(kArea.end() == kNumberDigits.end());
}  // namespace rate_record

// The rate record in hand. Empty until a rate basis has been read; cleared for every
// shipment so that no lane is priced with another lane's rates.
class RateRecord {
 public:
  RateRecord() = default;
  explicit RateRecord(std::vector<std::uint8_t> bytes) : bytes_(std::move(bytes)) {}

  bool empty() const { return bytes_.empty(); }
  void Clear() { bytes_.clear(); }
  // Takes a copy of bytes into the record's own storage.
  void Assign(os::ByteSpan bytes) { bytes_.assign(bytes.begin(), bytes.end()); }
  const std::vector<std::uint8_t>& bytes() const { return bytes_; }
  std::vector<std::uint8_t>& mutable_bytes() { return bytes_; }

  // V(i): the 24-bit value i, or 0 when it lies beyond the record's end.
  std::int32_t Value(std::int64_t i) const {
    if (i < 0 || i > INT32_MAX / 3) return 0;
    const std::size_t at = rate_record::kValue.Nth(static_cast<std::size_t>(i)).offset;
    if (at + 3 > bytes_.size()) return 0;
    return static_cast<std::int32_t>(static_cast<std::uint32_t>(bytes_[at]) |
                                     (static_cast<std::uint32_t>(bytes_[at + 1]) << 8) |
                                     (static_cast<std::uint32_t>(bytes_[at + 2]) << 16));
  }
  // V(first), V(first + 1), ... into values, as Value reads each: a class row of the plain
  // rate methods is a run of consecutive values.
  void Values(std::int64_t first, std::span<std::int32_t> values) const {
    std::size_t k = 0;
    if (first >= 0 && first <= INT32_MAX / 3 - static_cast<std::int64_t>(values.size())) {
      const std::size_t at = rate_record::kValue.Nth(static_cast<std::size_t>(first)).offset;
      const std::size_t left = at < bytes_.size() ? bytes_.size() - at : 0;
      // Values with a byte after them are read as one 4-byte word each; the record's last
      // value and those beyond its end as Value reads them.
      const std::size_t followed = left > 0 ? std::min(values.size(), (left - 1) / 3) : 0;
      const std::uint8_t* p = bytes_.data() + at;
      for (; k < followed; ++k, p += 3) {
        values[k] = static_cast<std::int32_t>(os::LoadU32Le(p) & 0xFFFFFFu);
      }
    }
    for (; k < values.size(); ++k) values[k] = Value(first + static_cast<std::int64_t>(k));
  }
  // The factor-set number of bytes 0-2 ("%3d": leading blanks skipped, digits read).
  int FactorSetNumber() const;
  // The 4-digit number of bytes 5-8 (the rate-basis area, "N" of the rate rules).
  int AreaNumber() const;
  // Byte 9: the rate-record kind letter; a blank when the record is shorter.
  char KindLetter() const;
  // `width` bytes from `offset` as text; blanks for bytes beyond the record.
  std::string Text(std::size_t offset, std::size_t width) const;
  std::string Text(const os::Field& f) const { return Text(f.offset, f.width); }

 private:
  std::vector<std::uint8_t> bytes_;
};

// The number a decimal field reads as: leading blanks skipped, then digits up to the first
// other character (0 when none).
int ParseLeadingNumber(const std::string& text);

}  // namespace tolv

#endif  // TOLV32DLL_RATEBASIS_RATE_RECORD_H_
