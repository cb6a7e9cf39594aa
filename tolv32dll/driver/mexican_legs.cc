#include "tolv32dll/driver/mexican_legs.h"

#include <array>
#include <cstring>

#include "platform/os/ascii_text.h"

namespace tolv {
namespace {

namespace L = border_crossing_record;

// The first five characters of a point, blank-padded.
std::string Zip5(std::string_view zip) {
  std::string s(zip.substr(0, L::kZipWidth));
  s.resize(L::kZipWidth, ' ');
  return s;
}

bool InRange(const std::string& zip, const std::uint8_t* record, std::size_t low,
             std::size_t high) {
  return std::memcmp(zip.data(), record + low, L::kZipWidth) >= 0 &&
         std::memcmp(zip.data(), record + high, L::kZipWidth) <= 0;
}

}  // namespace

bool IsMexicanZip(std::string_view zip) {
  if (zip.size() < 6) return false;
  return !os::IsAsciiAlpha(zip[0]) && os::AsciiUpper(zip[5]) == 'M';
}

Result<std::string> FindBorderCrossing(const FileView& file, std::string_view other_zip,
                                       std::string_view mexican_zip) {
  const std::string other = Zip5(other_zip);
  const std::string mexican = Zip5(mexican_zip);
  std::array<std::uint8_t, L::kSize> record{};
  for (std::int64_t at = 0; ReadExact(file, at, record); at += L::kSize) {
    if (InRange(other, record.data(), L::kOtherLow.offset, L::kOtherHigh.offset) &&
        InRange(mexican, record.data(), L::kMexicanLow.offset, L::kMexicanHigh.offset)) {
      return os::ConstRecordView(record).Raw(L::kCrossingZip);
    }
  }
  return Result<std::string>::Error(kErrMxbcp);
}

Result<ChargeResult> CombineLegs(const ChargeResult& first, const ChargeResult& second) {
  if (first.brackets.count > 1) return Result<ChargeResult>::Error(kErrMxmin);
  ChargeResult out = second;
  for (std::size_t i = 0; i < out.matrix.cells.size(); ++i) {
    const std::int32_t a = first.matrix.cells[i];
    const std::int32_t b = second.matrix.cells[i];
    const bool priced = a != ChargeResult::kUnpriced && b != ChargeResult::kUnpriced;
    out.matrix.cells[i] = priced ? a + b : ChargeResult::kUnpriced;
  }
  const std::int32_t first_minimum = first.brackets.count > 0 ? first.brackets.charges[0] : 0;
  for (std::size_t i = 0;
       i < static_cast<std::size_t>(out.brackets.count) && i < MinimumBrackets::kMax; ++i) {
    out.brackets.charges[i] += first_minimum;
  }
  return out;
}

}  // namespace tolv
