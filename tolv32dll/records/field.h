// Described fields of fixed-width records: where a field sits, how wide it is and what it
// holds, and a bounded view that reads and writes fields of a record kept as raw bytes.
#ifndef TOLV32DLL_RECORDS_FIELD_H_
#define TOLV32DLL_RECORDS_FIELD_H_

#include <cassert>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <initializer_list>
#include <span>
#include <string>
#include <string_view>
#include <type_traits>

#include "platform/os/bytes.h"

namespace tolv {

enum class FieldKind : std::uint8_t {
  kText,  // single-byte text, blank-padded, no terminator
  kI16,   // signed 16-bit little-endian
  kI32,   // signed 32-bit little-endian
  kRaw,   // bytes the engine neither reads nor writes
};

struct Field {
  std::size_t offset;
  std::size_t width;
  FieldKind kind;

  constexpr std::size_t end() const { return offset + width; }
  // The same field n elements further on in a run of fields of this width.
  constexpr Field Nth(std::size_t n) const { return Field{offset + n * width, width, kind}; }
  // The whole run of count fields starting with this one, as one raw field.
  constexpr Field Run(std::size_t count) const {
    return Field{offset, width * count, FieldKind::kRaw};
  }
};

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

// A bounded window on part of a record's bytes (read-only when Byte is const). Every
// accessor asserts that the field lies inside the window; fields come from the record
// declarations, so a miss is a programming error, not bad input.
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
    assert(f.end() <= bytes_.size());
    return bytes_.data() + f.offset;
  }
  BasicRecordView Sub(std::size_t offset, std::size_t size) const {
    assert(offset + size <= bytes_.size());
    return BasicRecordView(bytes_.subspan(offset, size));
  }
  BasicRecordView Sub(const Field& f) const { return Sub(f.offset, f.width); }

  // Text with NULs as blanks and trailing blanks removed.
  std::string Text(const Field& f) const { return os::LoadText(at(f), f.width); }
  // The bytes exactly as stored.
  std::string Raw(const Field& f) const { return os::LoadRaw(at(f), f.width); }
  // The same bytes as a view on the record.
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

  // Left-justified, blank-padded, cut at the width; never writes a terminator.
  void SetText(const Field& f, std::string_view text) const requires kWritable {
    os::StoreText(at(f), f.width, text);
  }
  // Exactly width bytes of raw, which must be that long.
  void SetRaw(const Field& f, std::string_view raw) const requires kWritable {
    assert(raw.size() == f.width);
    std::memcpy(at(f), raw.data(), f.width);
  }
  void Fill(const Field& f, std::uint8_t byte) const requires kWritable {
    std::memset(at(f), byte, f.width);
  }
  void SetI16(const Field& f, std::int16_t v) const requires kWritable {
    assert(f.width == 2);
    os::StoreI16Le(at(f), v);
  }
  void SetI32(const Field& f, std::int32_t v) const requires kWritable {
    assert(f.width == 4);
    os::StoreI32Le(at(f), v);
  }

 private:
  std::span<Byte> bytes_;
};

using RecordView = BasicRecordView<std::uint8_t>;
using ConstRecordView = BasicRecordView<const std::uint8_t>;

}  // namespace tolv

#endif  // TOLV32DLL_RECORDS_FIELD_H_
