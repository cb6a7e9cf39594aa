// Looking the shipment's ends up in the Lite E base and their pair in the Lite E matrix.
#include <cstring>

#include "tolv32dll/tariff/codecs.h"
#include "tolv32dll/tariff/record_search.h"
#include "tolv32dll/ziptables/addon_steps.h"

namespace tolv {
namespace {

int Sign(std::int64_t c) { return c < 0 ? -1 : (c > 0 ? 1 : 0); }

// The records of one type: a window of the file starting at the type's first record.
class RangeView : public FileView {
 public:
  RangeView(const FileView& file, std::int64_t first, std::int64_t end)
      : file_(file), first_(first), size_(end - first) {}
  std::int64_t Size() const override { return size_; }
  std::int64_t ReadAt(std::int64_t offset, os::MutableByteSpan out) const override {
    if (offset < 0 || offset >= size_) return 0;
    const std::int64_t n =
        std::min<std::int64_t>(static_cast<std::int64_t>(out.size()), size_ - offset);
    return file_.ReadAt(first_ + offset,
                        os::MutableByteSpan(out.data(), static_cast<std::size_t>(n)));
  }

 private:
  const FileView& file_;
  std::int64_t first_;
  std::int64_t size_;
};

// The code an end is looked up by: packed digits, or 5 characters in the text form.
std::array<std::uint8_t, 5> LookupCode(const std::string& code, bool text_form, bool& usable) {
  std::array<std::uint8_t, 5> out{};
  usable = true;
  if (text_form) {
    for (std::size_t i = 0; i < 5; ++i) out[i] = i < code.size() ? code[i] : ' ';
    return out;
  }
  std::optional<PackedZip> packed = Zip_Pack(code);
  if (!packed) {
    usable = false;
    return out;
  }
  std::memcpy(out.data(), packed->data(), 3);
  return out;
}

// Orders (type, code) against a base record whose ZIP range lies inside one 3-digit
// prefix: type, prefix, then the code against the low end and its last 2 digits against
// the high end's.
int CompareBase(const LiteBaseForm& b, const std::uint8_t* key, os::ByteSpan record) {
  if (record.size() < b.size) return -1;
  const std::uint8_t* r = record.data();
  if (int c = std::memcmp(key, r + b.type.offset, 2); c != 0) return Sign(c);
  const std::uint8_t* code = key + 2;
  if (b.zip_low.width == 3) {
    if (int c = Sign(static_cast<std::int64_t>(PackedPrefix(code)) -
                     PackedPrefix(r + b.zip_low.offset));
        c != 0) {
      return c;
    }
    if (std::memcmp(code, r + b.zip_low.offset, 3) < 0) return -1;
    return code[2] > r[b.zip_high_tail.offset] ? 1 : 0;
  }
  if (int c = std::memcmp(code, r + b.zip_low.offset, 3); c != 0) return Sign(c);
  if (std::memcmp(code, r + b.zip_low.offset, 5) < 0) return -1;
  return std::memcmp(code + 3, r + b.zip_high_tail.offset, 2) > 0 ? 1 : 0;
}

// The first record of the type's range that holds the code.
bool FindBase(LiteContext& ctx, const FileView& base, const std::array<char, 2>& type,
              const std::string& code, AddonRecord& out) {
  const LiteBaseForm& b = ctx.text_form() ? kLiteBaseText : kLiteBasePacked;
  std::optional<std::pair<std::int64_t, std::int64_t>> range =
      ctx.work.base_directory.RangeOf(type);
  if (!range) return false;
  bool usable = false;
  std::array<std::uint8_t, 5> c = LookupCode(code, ctx.text_form(), usable);
  if (!usable) return false;
  std::uint8_t key[7] = {static_cast<std::uint8_t>(type[0]), static_cast<std::uint8_t>(type[1])};
  std::memcpy(key + 2, c.data(), 5);
  RangeView window(base, range->first, range->second);
  auto compare = [&](os::ByteSpan, os::ByteSpan record) { return CompareBase(b, key, record); };
  std::int64_t i = RecordFile_Search(os::ByteSpan(), window, b.size, compare);
  if (i < 0) return false;
  out = AddonRecord{};
  if (!ReadExact(window, i * static_cast<std::int64_t>(b.size),
                 os::MutableByteSpan(out.bytes.data(), b.size))) {
    return false;
  }
  out.found = true;
  return true;
}

}  // namespace

Result<int> LookupAddons(LiteContext& ctx, const std::array<char, 2>& type) {
  ctx.work.type_code = type;
  // A type the base lacks finds nothing: no record of an earlier type may stand for it.
  ctx.work.ClearAddons();
  if (!ctx.work.base_directory.RangeOf(type)) return 0;
  Result<const FileView*> base = ctx.tables.LiteBase();
  if (!base.ok()) return Result<int>::Error(base.error());
  if (*base == nullptr) return 0;
  const char pt = ctx.point_type();
  const bool by_number = type[0] == 'C';
  const bool l_city = pt == 'L' && type[0] == 'H';
  const LiteBaseForm& b = ctx.text_form() ? kLiteBaseText : kLiteBasePacked;

  const std::string origin = by_number ? ctx.work.Number() : ctx.method.points.origin.code;
  if (FindBase(ctx, **base, type, origin, ctx.work.origin)) {
    ctx.Log(19, os::ByteSpan(ctx.work.origin.bytes.data(), b.size));
  } else {
    if (pt == 'J' || type[0] == 'A') return 0;
    if (l_city) return Result<int>::Error(kErrBadcmb);
  }
  if (by_number && pt != 'J') return 0;

  const std::string destination =
      by_number ? ctx.work.Number() : ctx.method.points.destination.code;
  if (FindBase(ctx, **base, type, destination, ctx.work.destination)) {
    ctx.Log(20, os::ByteSpan(ctx.work.destination.bytes.data(), b.size));
    return 1;
  }
  if (l_city) return Result<int>::Error(kErrBadcmb);
  return 0;
}

bool SameAddonPoints(const LiteContext& ctx) {
  const LiteBaseForm& b = ctx.text_form() ? kLiteBaseText : kLiteBasePacked;
  return ctx.work.origin.found && ctx.work.destination.found &&
         std::memcmp(ctx.work.origin.bytes.data() + b.point.offset,
                     ctx.work.destination.bytes.data() + b.point.offset, b.point.width) == 0;
}

Result<std::int32_t> SumAddons(LiteContext& ctx, const std::array<char, 2>& type) {
  Result<int> found = LookupAddons(ctx, type);
  if (!found.ok()) return Result<std::int32_t>::Error(found.error());
  const LiteBaseForm& b = ctx.text_form() ? kLiteBaseText : kLiteBasePacked;
  auto amount = [&](const AddonRecord& r) {
    const std::int32_t a = PackedDigitsValue(r.bytes.data() + b.amount.offset, 5);
    return a == 2020 ? 0 : a;
  };
  return amount(ctx.work.origin) + amount(ctx.work.destination);
}

Result<char> MatrixLetter(LiteContext& ctx, std::array<char, 2>& type) {
  const LiteBaseForm& b = ctx.text_form() ? kLiteBaseText : kLiteBasePacked;
  const LiteMatrixForm& m = ctx.text_form() ? kLiteMatrixText : kLiteMatrixPacked;
  const std::uint8_t* first = ctx.work.origin.bytes.data() + b.point.offset;
  const std::uint8_t* second = ctx.work.destination.bytes.data() + b.point.offset;
  if (ctx.point_type() != 'J' && std::memcmp(second, first, b.point.width) < 0)
    std::swap(first, second);

  std::optional<std::pair<std::int64_t, std::int64_t>> range =
      ctx.work.matrix_directory.RangeOf(type);
  if (!range) return '\0';
  Result<const FileView*> matrix = ctx.tables.LiteMatrix();
  if (!matrix.ok()) return Result<char>::Error(matrix.error());
  if (*matrix == nullptr) return '\0';
  std::uint8_t key[12] = {static_cast<std::uint8_t>(type[0]), static_cast<std::uint8_t>(type[1])};
  std::memcpy(key + m.first_point.offset, first, m.first_point.width);
  std::memcpy(key + m.second_point.offset, second, m.first_point.width);
  const std::size_t key_width = m.key_width();
  RangeView window(**matrix, range->first, range->second);
  auto compare = [&](os::ByteSpan, os::ByteSpan record) {
    return record.size() < key_width ? -1 : Sign(std::memcmp(key, record.data(), key_width));
  };
  std::int64_t i = RecordFile_Search(os::ByteSpan(), window, m.size, compare);
  std::array<std::uint8_t, 17> record{};
  if (i < 0 || !ReadExact(window, i * static_cast<std::int64_t>(m.size),
                          os::MutableByteSpan(record.data(), m.size))) {
    return '\0';
  }
  ctx.Log(21, os::ByteSpan(record.data(), m.size));

  LiteWork& work = ctx.work;
  const std::array<char, 10> before = work.lite_record;
  work.lite_record.fill(' ');
  const std::string digits = Bcd_Unpack(record.data() + m.number.offset, 5);
  std::memcpy(work.lite_record.data() + 4, digits.data(), 5);
  const char letter = static_cast<char>(record[m.letter.offset]);
  work.lite_record[9] = letter;
  type = {static_cast<char>(record[m.type.offset]), static_cast<char>(record[m.type.offset + 1])};
  work.type_code = type;
  Result<int> table = SelectTableNumber(ctx, ctx.point_type() == 'J' ? digits[0] : letter);
  if (!table.ok()) return Result<char>::Error(table.error());
  if (*table == 0) std::memcpy(work.lite_record.data(), before.data(), 3);
  return letter;
}

}  // namespace tolv
