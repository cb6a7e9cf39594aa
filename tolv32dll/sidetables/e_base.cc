#include "tolv32dll/sidetables/e_base.h"

#include <array>
#include <cstring>

#include "KMLIB/packed_zip.h"
#include "tolv32dll/ratebasis/rate_record.h"
#include "tolv32dll/tariff/codecs.h"
#include "tolv32dll/tariff/record_search.h"

namespace tolv {
namespace {

namespace B = e_base_record;
namespace M = e_matrix_record;
using Record = std::array<std::uint8_t, e_base_head::kSize>;
static_assert(B::kSize == e_base_head::kSize && M::kSize == e_base_head::kSize);

constexpr std::int32_t kPlainLimit = 10000;

// E record links (record form 'U'): the first at 44, eight more at 48-79.
constexpr std::size_t kFirstLink = 44, kLinks = 48, kLinkCount = 8;
// ".A" records: a first number at 8, then the numbers that follow (i16).
constexpr std::size_t kFirstNumber = 8, kNumbers = 10, kNumberCount = 7, kOldRuleNumbers = 170;

struct Head {
  std::string first_name;
  std::int32_t first = 0;
  std::int32_t second = 0;
};

std::optional<Head> ReadHead(const FileView& file) {
  Record head{};
  if (!ReadExact(file, 0, head)) return std::nullopt;
  const os::ConstRecordView v(head);
  return Head{v.Raw(e_base_head::kFirstName), v.I32(e_base_head::kFirst),
              v.I32(e_base_head::kSecond)};
}

// The key letter, then the first three digits, then the five digits against the low end,
// then the last two against the high end.
int CompareBase(os::ByteSpan key, os::ByteSpan record) {
  if (key[0] != record[0]) return key[0] < record[0] ? -1 : 1;
  std::string zip = kmlib::UnpackZip(key.subspan(B::kLow.offset, 3));
  std::string low = kmlib::UnpackZip(record.subspan(B::kLow.offset, 3));
  if (int c = zip.compare(0, 3, low, 0, 3)) return c < 0 ? -1 : 1;
  if (zip < low) return -1;
  std::string high_tail = Bcd_Unpack(record.data() + B::kHighTail.offset, 2);
  if (zip.compare(3, 2, high_tail) > 0) return 1;
  return 0;
}

// The area of a ZIP; nullopt when the base does not hold it.
std::optional<std::string> FindArea(const FileView& base, std::int32_t end,
                                    const std::string& zip) {
  std::optional<PackedZip> packed = Zip_Pack(zip);
  if (!packed || zip.empty() || zip[0] < '0' || zip[0] > '9') return std::nullopt;
  Record key{};
  key[0] = 'A';
  key[1] = ' ';
  std::memcpy(key.data() + B::kLow.offset, packed->data(), B::kLow.width);
  std::int64_t i = FileSearch_Binary(os::ByteSpan(key), base, B::kSize, CompareBase, 'R', 1,
                                     static_cast<std::int64_t>(end) - 1);
  Record record{};
  if (i < 0 || !ReadExact(base, i * B::kSize, record)) return std::nullopt;
  return os::ConstRecordView(record).Raw(B::kArea);
}

std::optional<std::int32_t> FindMatrixNumber(const FileView& matrix, const std::string& origin,
                                             const std::string& destination) {
  std::optional<Head> head = ReadHead(matrix);
  if (!head || head->first_name != "A ") return std::nullopt;
  Record key{};
  std::string k = "A " + origin + destination;
  std::memcpy(key.data(), k.data(), M::kKey.width);
  auto compare = [](os::ByteSpan a, os::ByteSpan b) {
    return std::memcmp(a.data(), b.data(), M::kKey.width);
  };
  std::int64_t i = FileSearch_Binary(os::ByteSpan(key), matrix, M::kSize, compare, 'R', head->first,
                                     static_cast<std::int64_t>(head->second) - 1);
  Record record{};
  if (i < 0 || !ReadExact(matrix, i * M::kSize, record)) return std::nullopt;
  return ParseLeadingNumber(Bcd_Unpack(record.data() + M::kNumber.offset, 5));
}

std::int32_t LoadAt(const std::vector<std::uint8_t>& r, std::size_t at, std::size_t width) {
  if (at + width > r.size()) return 0;
  return width == 4 ? os::LoadI32Le(r.data() + at) : os::LoadI16Le(r.data() + at);
}

// A link above 10000 counts when no precedence record with flags was found (a record whose
// numbers give no flag digits counts as none), or when its flag digit is "0".
bool LinkApplies(const std::optional<std::string>& flags, bool found, std::size_t k) {
  if (!found) return true;
  return flags && k < flags->size() && (*flags)[k] == '0';
}

}  // namespace

ErrorNumber SearchEBase(RatingFiles& files, const PrecedenceLane& lane, bool e_records,
                        const EBaseSink& sink) {
  CloseAfterUse close(files, RatingFiles::ReadOnce::kEBase);
  Result<const FileView*> base = files.EBase();
  if (!base.ok() || *base == nullptr) return kErrPbasopn;
  Result<const FileView*> matrix = files.EMatrix();
  if (!matrix.ok() || *matrix == nullptr) return kErrPmatopn;
  std::optional<Head> base_head = ReadHead(**base);
  if (!base_head) return kOk;

  std::optional<std::string> origin = FindArea(**base, base_head->second, lane.origin_zip);
  std::optional<std::string> destination =
      FindArea(**base, base_head->second, lane.destination_zip);
  if (!origin || !destination) return kOk;
  std::optional<std::int32_t> number = FindMatrixNumber(**matrix, *origin, *destination);
  if (!number || !sink.read_record) return kOk;
  std::optional<std::vector<std::uint8_t>> record = sink.read_record(*number);
  if (!record) return kOk;

  Result<std::optional<PrecedenceRecord>> precedence =
      FindPrecedence(files, lane, static_cast<std::int16_t>(*number));
  if (!precedence.ok()) return precedence.error();
  const bool found = precedence->has_value();
  const std::optional<std::string> flags =
      found ? (*precedence)->FlagDigits() : std::optional<std::string>();
  const bool has_flags = found && flags.has_value();
  auto hit = [&](std::int32_t n) {
    if (sink.add_hit) sink.add_hit(n);
  };
  const std::vector<std::uint8_t>& r = *record;

  if (lane.effective_year > 1998) {
    if (e_records) {
      auto add = [&](std::int32_t n) {
        if (sink.add_e_record) sink.add_e_record(n);
      };
      if (std::int32_t first = LoadAt(r, kFirstLink, 4); first != 0) add(first);
      for (std::size_t k = 0; k < kLinkCount; ++k) {
        std::int32_t link = LoadAt(r, kLinks + 4 * k, 4);
        if (link > kPlainLimit && LinkApplies(flags, has_flags, k)) add(link - kPlainLimit);
      }
    } else {
      if (std::int32_t first = LoadAt(r, kFirstNumber, 2); first != 0) hit(first);
      for (std::size_t k = 0; k < kNumberCount; ++k) {
        std::int32_t n = LoadAt(r, kNumbers + 2 * k, 2);
        if (n >= 1 && n <= kPlainLimit) {
          hit(n);
        } else if (n > kPlainLimit && LinkApplies(flags, has_flags, k)) {
          hit(n - kPlainLimit);
        }
      }
    }
    return kOk;
  }
  for (std::size_t k = 0; k < kOldRuleNumbers; ++k) {
    std::int32_t n = LoadAt(r, kFirstNumber + 2 * k, 2);
    if (n == 0) break;
    if (n > 0 && n <= kPlainLimit) {
      hit(n);
    } else if (n > kPlainLimit && !found) {
      hit(n - kPlainLimit);
    }
  }
  return kOk;
}

}  // namespace tolv
