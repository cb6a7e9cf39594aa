#include "tolv32dll/ratebasis/rate_file.h"

#include <algorithm>
#include <array>
#include <cstdio>
#include <cstring>
#include <optional>
#include <vector>

#include "platform/os/ascii_text.h"
#include "tolv32dll/logs/binary_log.h"
#include "tolv32dll/points/sequential_list.h"
#include "tolv32dll/tariff/record_search.h"

namespace tolv {
namespace {

namespace L = rate_record;

// One line of the ".H" companion: factor set, lowest and highest area, area limit.
struct AreaLimits {
  int lowest = 0;
  int highest = 0;
  int limit = 0;
};

// ".O" increment records: ZIP, area (u16, compared as a number), side letter, increment.
namespace area_increment_record {
inline constexpr os::Field kZip = os::TextField(0, 5);
inline constexpr os::Field kArea = os::RawField(5, 2);  // u16
inline constexpr os::Field kSide = os::TextField(7, 1);
inline constexpr os::Field kIncrement = os::RawField(8, 1);  // u8
inline constexpr std::size_t kSize = 9;
static_assert(os::FieldsTile({kZip, kArea, kSide, kIncrement}, kSize));
}  // namespace area_increment_record

std::string FiveChars(const std::string& code) {
  std::string s = code.substr(0, 5);
  s.resize(5, ' ');
  return s;
}

int CompareIncrementKey(const std::string& zip, std::uint16_t area, os::ByteSpan record) {
  int c = std::memcmp(zip.data(), record.data(), area_increment_record::kZip.width);
  if (c != 0) return c < 0 ? -1 : 1;
  std::uint16_t other = os::LoadU16Le(record.data() + area_increment_record::kArea.offset);
  return area < other ? -1 : (area > other ? 1 : 0);
}

// Sums the increments of the ".O" records of (zip, area) whose side is not `excluded`.
std::int32_t SumIncrements(const FileView& file, const std::string& zip, std::uint16_t area,
                           char excluded) {
  namespace A = area_increment_record;
  auto compare = [&](os::ByteSpan, os::ByteSpan record) {
    return CompareIncrementKey(zip, area, record);
  };
  std::int64_t i = RecordFile_Search(os::ByteSpan(), file, A::kSize, compare);
  if (i < 0) return 0;
  std::int32_t sum = 0;
  std::array<std::uint8_t, A::kSize> record{};
  for (; ReadExact(file, i * A::kSize, record); ++i) {
    if (CompareIncrementKey(zip, area, record) != 0) break;
    if (record[A::kSide.offset] != static_cast<std::uint8_t>(excluded))
      sum += record[A::kIncrement.offset];
  }
  return sum;
}

// The ".H" line of a factor set; nullopt when there is none.
std::optional<AreaLimits> FindAreaLine(const FileView& companion, const std::string& factor_set) {
  std::array<std::uint8_t, kSequentialLineSize> line{};
  for (std::int64_t at = 0; ReadExact(companion, at, line); at += kSequentialLineSize) {
    if (line[0] == '*') break;
    if (std::memcmp(line.data(), factor_set.data(), 3) != 0) continue;
    std::string text(line.begin(), line.end());
    return AreaLimits{ParseLeadingNumber(text.substr(4, 4)), ParseLeadingNumber(text.substr(9, 4)),
                      ParseLeadingNumber(text.substr(13))};
  }
  return std::nullopt;
}

// Reads record `number` of `length` bytes into record; false on a short read, leaving
// record as it was.
bool ReadRecordInto(const FileView& rates, std::int64_t number, std::size_t length,
                    RateRecord& record) {
  std::array<std::uint8_t, L::kMaxSize> small;
  std::vector<std::uint8_t> large;
  os::MutableByteSpan bytes(small.data(), length);
  if (length > small.size()) {
    large.resize(length);
    bytes = os::MutableByteSpan(large.data(), length);
  }
  if (!ReadExact(rates, number * static_cast<std::int64_t>(length), bytes)) return false;
  record.Assign(bytes);
  return true;
}

}  // namespace

Result<std::int32_t> FetchRateIndex(RatingFiles& files, const CurrentTariff& tariff, int index_bits,
                                    std::int64_t rate_basis_number) {
  Result<const FileView*> opened = files.RateIndex();
  if (!opened.ok()) return Result<std::int32_t>::Error(opened.error());
  const FileView* index = *opened;
  if (index == nullptr || rate_basis_number < 0) return Result<std::int32_t>::Error(kErrBadcmb);
  std::array<std::uint8_t, 4> b{};
  if (tariff.index_format == 'P') {
    if (!ReadExact(*index, rate_basis_number * 3, os::MutableByteSpan(b.data(), 3))) {
      return Result<std::int32_t>::Error(kErrBadcmb);
    }
    std::uint32_t v = b[0] | (b[1] << 8) | (b[2] << 16);
    if (v == 0xFFFFFF) return Result<std::int32_t>::Error(kErrBadcmb);
    return static_cast<std::int32_t>(v);
  }
  if (index_bits == 0) {
    if (!ReadExact(*index, rate_basis_number * 2, os::MutableByteSpan(b.data(), 2))) {
      return Result<std::int32_t>::Error(kErrBadcmb);
    }
    std::uint16_t v = os::LoadU16Le(b.data());
    if (v == 0xFFFF) return Result<std::int32_t>::Error(kErrBadcmb);
    return v;
  }
  if (index_bits > 24) return Result<std::int32_t>::Error(kErrBadcmb);
  // The field starts (r x n) mod 8 bits into the big-endian word at byte (r x n) / 8. Only
  // the bytes the field covers need to be in the file.
  const std::int64_t bit = rate_basis_number * index_bits;
  const int shift = static_cast<int>(bit % 8);
  const std::size_t covered = static_cast<std::size_t>((shift + index_bits + 7) / 8);
  std::int64_t got = index->ReadAt(bit / 8, b);
  if (got < static_cast<std::int64_t>(covered)) return Result<std::int32_t>::Error(kErrBadcmb);
  std::uint32_t word = (static_cast<std::uint32_t>(b[0]) << 24) | (b[1] << 16) | (b[2] << 8) | b[3];
  const std::uint32_t none = (1u << index_bits) - 1;
  std::uint32_t v = (word >> (32 - shift - index_bits)) & none;
  if (v == none) return Result<std::int32_t>::Error(kErrBadcmb);
  return static_cast<std::int32_t>(v);
}

Result<std::int32_t> LookupRateBasisArea(RatingFiles& files, const CurrentTariff& tariff,
                                         const RateRecord& record, PointState& points,
                                         ListRequest& request) {
  char letter = tariff.point_type == 'N' ? tariff.alt_point_type : tariff.point_type;
  if (letter == 'I') return 0;
  Result<const FileView*> companion = files.RbaCompanion();
  if (!companion.ok()) return Result<std::int32_t>::Error(kErrRtered);
  if (*companion == nullptr) return 0;
  std::optional<AreaLimits> limits = FindAreaLine(**companion, record.Text(L::kFactorSet));
  if (!limits) return 0;
  const std::int32_t base = record.AreaNumber();
  if (base < limits->lowest || base > limits->highest) return 0;

  Result<const FileView*> increments = files.Rba();
  if (!increments.ok()) return Result<std::int32_t>::Error(increments.error());
  const auto area = static_cast<std::uint16_t>(limits->highest);
  std::int32_t sum = SumIncrements(**increments, FiveChars(points.origin.code), area, 'T');
  if (base + sum < limits->limit) {
    sum += SumIncrements(**increments, FiveChars(points.destination.code), area, 'F');
  }
  if (base + sum < limits->limit) {
    Result<std::int32_t> origin = FindInSequentialList(
        **companion, points.origin.city, AreaCityKey(points.origin.code, area), 'F', request);
    if (!origin.ok()) return origin;
    Result<std::int32_t> destination =
        FindInSequentialList(**companion, points.destination.city,
                             AreaCityKey(points.destination.code, area), 'T', request);
    if (!destination.ok()) return destination;
    sum += *origin + *destination;
  }
  if (base + sum > limits->limit) sum = limits->limit - base;
  LogBinaryI32(BinaryLogKind::kRateBasisArea, sum);
  return base + sum;
}

ErrorNumber ReadRateRecord(RatingFiles& files, const CurrentTariff& tariff, std::int64_t number,
                           std::size_t record_length, PointState& points, ListRequest& request,
                           RateBasisState& state) {
  Result<const FileView*> opened = files.Rates();
  if (!opened.ok()) return opened.error();
  if (*opened == nullptr || number < 0 || record_length == 0) return kErrRtered;
  if (!ReadRecordInto(**opened, number, record_length, state.record)) return kErrRtered;
  state.record_number = number;
  state.record_length = record_length;
  LogBinary(BinaryLogKind::kRateRecord, state.record.bytes());
  return PositionOnRateBasisArea(files, tariff, points, request, state);
}

ErrorNumber PositionOnRateBasisArea(RatingFiles& files, const CurrentTariff& tariff,
                                    PointState& points, ListRequest& request,
                                    RateBasisState& state) {
  Result<std::int32_t> area = LookupRateBasisArea(files, tariff, state.record, points, request);
  if (!area.ok()) return area.error();
  if (*area == 0) return kOk;
  Result<const FileView*> opened = files.Rates();
  if (!opened.ok()) return opened.error();
  if (*opened == nullptr || state.record_length == 0) return kErrRtered;
  char wanted[16];
  std::snprintf(wanted, sizeof wanted, "%4.4u", static_cast<unsigned>(*area) % 10000u);
  auto area_of = [&]() { return state.record.Text(L::kArea); };
  while (area_of().compare(0, 4, wanted, 4) < 0) {
    if (!ReadRecordInto(**opened, state.record_number + 1, state.record_length, state.record)) {
      break;
    }
    ++state.record_number;
  }
  return area_of().compare(0, 4, wanted, 4) == 0 ? kOk : kErrRtered;
}

ErrorNumber ReadMinimumBlock(RatingFiles& files, RateBasisState& state) {
  Result<const FileView*> opened = files.Min();
  if (!opened.ok()) return opened.error();
  if (*opened == nullptr || !ReadExact(**opened, 0, state.minimum_block)) return kErrMinred;
  state.minimum_block_read = true;
  return kOk;
}

std::string CompactRateBasisNumber(const RateRecord& record, char point_type) {
  // The field's bytes less blanks and NULs, read in place; bytes past a short record are
  // blanks.
  const std::vector<std::uint8_t>& bytes = record.bytes();
  std::array<char, L::kNumber.width> printed;
  std::size_t n = 0;
  for (std::size_t i = L::kNumber.offset; i < L::kNumber.end() && i < bytes.size(); ++i) {
    const char c = static_cast<char>(bytes[i]);
    if (c != ' ' && c != '\0') printed[n++] = c;
  }
  if (point_type == 'F' && n > 0 && os::IsAsciiAlpha(printed[n - 1])) --n;
  return std::string(printed.data(), n);
}

std::string CodedRateBasisNumber(const RateRecord& record) {
  static constexpr std::array<const char*, 3> kCodes = {"801", "802", "803"};
  std::string first = record.Text(0, 3);
  int position = 4;
  for (int i = 0; i < 3; ++i) {
    if (first == kCodes[i]) {
      position = i + 1;
      break;
    }
  }
  return std::to_string(position) + record.Text(L::kArea);
}

ErrorNumber SeekSteppedRateNumber(RatingFiles& files, const RateBasisTerms& terms,
                                  std::size_t record_length, RateBasisState& state) {
  const std::string& printed = state.printed_number;
  int letters = 0;
  for (char c : printed) letters += os::IsAsciiAlpha(c) ? 1 : 0;
  const int width = static_cast<int>(printed.size()) - letters;
  std::int64_t n = ParseLeadingNumber(printed);
  if (n == 0) n = ParseLeadingNumber(state.record.Text(L::kNumberDigits));
  if (n == 0) return kOk;
  const std::int64_t target = n + terms.step_increment;

  Result<const FileView*> opened = files.Rates();
  if (!opened.ok()) return opened.error();
  if (*opened == nullptr || record_length == 0) return kErrRtered;
  auto number_of = [&]() { return ParseLeadingNumber(state.record.Text(L::kNumberDigits)); };
  // Read forward from the record in hand while its number is below the target.
  std::int64_t at = state.record_number;
  while (number_of() < target) {
    if (!ReadRecordInto(**opened, at + 1, record_length, state.record)) return kErrRtered;
    state.record_number = ++at;
  }
  if (number_of() != target) return kErrRtered;

  char text[32];
  std::snprintf(text, sizeof text, "%0*lld", std::max(0, std::min(width, 11)),
                static_cast<long long>(target));
  state.printed_number = text;
  char letter = state.record.KindLetter();
  if (os::IsAsciiAlpha(letter)) state.printed_number.push_back(letter);
  if (state.printed_number.size() > 11) state.printed_number.resize(11);
  if (terms.reload_factor_set) return terms.reload_factor_set(state.record.FactorSetNumber());
  return kOk;
}

}  // namespace tolv
