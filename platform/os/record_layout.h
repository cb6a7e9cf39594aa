// Described fields of fixed-width records, shared by the engine and the desktop program:
// where a field sits, how wide it is and what it holds, and a bounded view that reads and
// writes the fields of a record kept as raw bytes.
//
// A record header declares each field once as an `os::Field` and checks at compile time that
// the fields tile the record:
//
//   inline constexpr os::Field kName = os::TextField(0, 30);
//   inline constexpr os::Field kCount = os::I16Field(30);
//   static_assert(os::FieldsTile({kName, kCount}, 32));
//
// Text stays single-byte Windows-1252 in the record; `Utf8Text` and `SetUtf8Text` convert at
// the boundary for the desktop program, which holds UTF-8.
#ifndef FRELANE_PLATFORM_OS_RECORD_LAYOUT_H_
#define FRELANE_PLATFORM_OS_RECORD_LAYOUT_H_

#include <cassert>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <initializer_list>
#include <span>
#include <string>
#include <string_view>
#include <type_traits>

#include "platform/os/bytes.h"
#include "platform/os/cp1252.h"

namespace os {

enum class FieldKind : std::uint8_t {
  kText,  // single-byte text, blank-padded, no terminator
  kI16,   // signed 16-bit little-endian
  kI32,   // signed 32-bit little-endian
  kF64,   // IEEE 754 double, little-endian
  kRaw,   // bytes read and written as they stand
};

// One field, or with count > 1 a run of count equal elements of width bytes each.
struct Field {
  std::size_t offset;
  std::size_t width;  // of one element
  FieldKind kind;
  std::size_t count = 1;

  constexpr std::size_t size() const { return width * count; }
  constexpr std::size_t end() const { return offset + size(); }
  // Element n (0-based) of a run, or the same field n elements further on.
  constexpr Field Nth(std::size_t n) const { return Field{offset + n * width, width, kind}; }
  // Element index (1-based) of a run, as record layouts number their slots.
  constexpr Field Element(int index) const {
    return Nth(static_cast<std::size_t>(index - 1));
  }
  // The run of n fields starting with this one, as one raw field.
  constexpr Field Run(std::size_t n) const { return Field{offset, width * n, FieldKind::kRaw}; }
};

constexpr Field TextField(std::size_t offset, std::size_t width, std::size_t count = 1) {
  return {offset, width, FieldKind::kText, count};
}
constexpr Field RawField(std::size_t offset, std::size_t width, std::size_t count = 1) {
  return {offset, width, FieldKind::kRaw, count};
}
constexpr Field I16Field(std::size_t offset, std::size_t count = 1) {
  return {offset, 2, FieldKind::kI16, count};
}
constexpr Field I32Field(std::size_t offset, std::size_t count = 1) {
  return {offset, 4, FieldKind::kI32, count};
}
constexpr Field F64Field(std::size_t offset, std::size_t count = 1) {
  return {offset, 8, FieldKind::kF64, count};
}

// True when the fields follow one another without gap or overlap from offset 0 and end at
// size: the check every record declaration makes at compile time.
constexpr bool FieldsTile(std::initializer_list<Field> fields, std::size_t size) {
  std::size_t at = 0;
  for (const Field& f : fields) {
    if (f.offset != at) return false;
    at = f.end();
  }
  return at == size;
}
template <typename Fields>
constexpr bool FieldsTile(const Fields& fields, std::size_t size) {
  std::size_t at = 0;
  for (const Field& f : fields) {
    if (f.offset != at) return false;
    at = f.end();
  }
  return at == size;
}

// A bounded window on a record's bytes (read-only when Byte is const). Every accessor
// asserts that the field lies inside the window; fields come from the record declarations,
// so a miss is a programming error, not bad input. Accessors read one element: pass
// `field.Element(i)` for slot i of a run.
template <typename Byte>
class BasicRecordView {
 public:
  static constexpr bool kWritable = !std::is_const_v<Byte>;

  explicit BasicRecordView(std::span<Byte> bytes) : bytes_(bytes) {}
  // A writable view converts to a read-only one.
  template <typename Other>
  requires(std::is_const_v<Byte>&& std::is_same_v<const Other, Byte>)
      BasicRecordView(BasicRecordView<Other> other)
      : bytes_(other.bytes()) {}  // NOLINT

  std::span<Byte> bytes() const { return bytes_; }
  Byte* at(const Field& f) const {
    assert(f.offset + f.width <= bytes_.size());
    return bytes_.data() + f.offset;
  }
  BasicRecordView Sub(std::size_t offset, std::size_t size) const {
    assert(offset + size <= bytes_.size());
    return BasicRecordView(bytes_.subspan(offset, size));
  }
  BasicRecordView Sub(const Field& f) const { return Sub(f.offset, f.size()); }

  // Single-byte text with NULs as blanks and trailing blanks removed.
  std::string Text(const Field& f) const { return os::LoadText(at(f), f.width); }
  // The same text converted to UTF-8.
  std::string Utf8Text(const Field& f) const { return os::Cp1252ToUtf8(Text(f)); }
  // The bytes exactly as stored.
  std::string Raw(const Field& f) const { return os::LoadRaw(at(f), f.width); }
  std::string_view RawView(const Field& f) const {
    return std::string_view(reinterpret_cast<const char*>(at(f)), f.width);
  }
  // Text(f) == text, without building the string.
  bool TextIs(const Field& f, std::string_view text) const {
    if (text.size() > f.width || (!text.empty() && text.back() == ' ')) return false;
    const Byte* p = at(f);
    for (std::size_t i = 0; i < f.width; ++i) {
      const char c = p[i] == 0 ? ' ' : static_cast<char>(p[i]);
      if (c != (i < text.size() ? text[i] : ' ')) return false;
    }
    return true;
  }
  std::int16_t I16(const Field& f) const {
    assert(f.width == 2);
    return os::LoadI16Le(at(f));
  }
  std::int32_t I32(const Field& f) const {
    assert(f.width == 4);
    return os::LoadI32Le(at(f));
  }
  // The stored double exactly; see FiniteF64 for values that feed arithmetic.
  double F64(const Field& f) const {
    assert(f.width == 8);
    return os::LoadF64Le(at(f));
  }
  // A stored NaN or infinity reads as 0, so a damaged file cannot poison a total.
  double FiniteF64(const Field& f) const {
    const double v = F64(f);
    return std::isfinite(v) ? v : 0.0;
  }

  // Left-justified, blank-padded, cut at the width; never writes a terminator.
  void SetText(const Field& f, std::string_view text) const requires kWritable {
    os::StoreText(at(f), f.width, text);
  }
  // UTF-8 converted to Windows-1252 ("?" for characters it lacks), then as SetText.
  void SetUtf8Text(const Field& f, std::string_view utf8) const requires kWritable {
    SetText(f, os::Utf8ToCp1252(utf8));
  }
  // Exactly width bytes of raw, which must be that long.
  void SetRaw(const Field& f, std::string_view raw) const requires kWritable {
    assert(raw.size() == f.width);
    std::memcpy(at(f), raw.data(), f.width);
  }
  // Every byte of the field, all its elements included.
  void Fill(const Field& f, std::uint8_t byte) const requires kWritable {
    assert(f.end() <= bytes_.size());
    std::memset(bytes_.data() + f.offset, byte, f.size());
  }
  void SetI16(const Field& f, std::int16_t v) const requires kWritable {
    assert(f.width == 2);
    os::StoreI16Le(at(f), v);
  }
  void SetI32(const Field& f, std::int32_t v) const requires kWritable {
    assert(f.width == 4);
    os::StoreI32Le(at(f), v);
  }
  void SetF64(const Field& f, double v) const requires kWritable {
    assert(f.width == 8);
    os::StoreF64Le(at(f), v);
  }

 private:
  std::span<Byte> bytes_;
};

using RecordView = BasicRecordView<std::uint8_t>;
using ConstRecordView = BasicRecordView<const std::uint8_t>;

}  // namespace os

#endif  // FRELANE_PLATFORM_OS_RECORD_LAYOUT_H_
