// FieldSpec: where one field of a fixed-length record of the desktop program starts, how
// wide it is and what it holds. Record headers declare their layouts as tables of these.
#ifndef FRELANE_CORE_RECORD_FIELD_H_
#define FRELANE_CORE_RECORD_FIELD_H_

#include <cstddef>

namespace frelane {

enum class FieldKind { kText, kI16, kI32, kF64 };

// `count` > 1 describes an array of `count` equal elements of `width` bytes each.
struct FieldSpec {
  std::size_t offset;
  std::size_t width;  // of one element
  FieldKind kind;
  std::size_t count = 1;
  constexpr std::size_t size() const { return width * count; }
  constexpr std::size_t end() const { return offset + size(); }
  // Offset of element `index` (1-based).
  constexpr std::size_t ElementOffset(int index) const {
    return offset + width * static_cast<std::size_t>(index - 1);
  }
};

constexpr FieldSpec TextField(std::size_t offset, std::size_t width, std::size_t count = 1) {
  return {offset, width, FieldKind::kText, count};
}
constexpr FieldSpec I16Field(std::size_t offset) { return {offset, 2, FieldKind::kI16}; }
constexpr FieldSpec I32Field(std::size_t offset) { return {offset, 4, FieldKind::kI32}; }
constexpr FieldSpec F64Field(std::size_t offset, std::size_t count = 1) {
  return {offset, 8, FieldKind::kF64, count};
}

// True when the fields, in the order given, follow each other without gaps from offset 0
// and end exactly at `record_size`.
template <typename Fields>
constexpr bool FieldsTile(const Fields& fields, std::size_t record_size) {
  std::size_t next = 0;
  for (const FieldSpec& f : fields) {
    if (f.offset != next) return false;
    next = f.end();
  }
  return next == record_size;
}

}  // namespace frelane

#endif  // FRELANE_CORE_RECORD_FIELD_H_
