// Little-endian integers, IEEE doubles and fixed-width single-byte text inside byte
// buffers. Records and data files are stored as raw bytes and read and written only
// through these primitives: no struct casts, no alignment assumptions.
#ifndef FRELANE_PLATFORM_OS_BYTES_H_
#define FRELANE_PLATFORM_OS_BYTES_H_

#include <bit>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <span>
#include <string>
#include <string_view>

namespace os {

using ByteSpan = std::span<const std::uint8_t>;
using MutableByteSpan = std::span<std::uint8_t>;

// The fixed-width loads and stores below do not check bounds.
// REQUIRES: p points at least sizeof(T) readable (or writable) bytes.
inline std::uint16_t LoadU16Le(const std::uint8_t* p) {
  return static_cast<std::uint16_t>(p[0] | (p[1] << 8));
}
inline std::int16_t LoadI16Le(const std::uint8_t* p) {
  return static_cast<std::int16_t>(LoadU16Le(p));
}
inline std::uint32_t LoadU32Le(const std::uint8_t* p) {
  return static_cast<std::uint32_t>(p[0]) | (static_cast<std::uint32_t>(p[1]) << 8) |
         (static_cast<std::uint32_t>(p[2]) << 16) | (static_cast<std::uint32_t>(p[3]) << 24);
}
inline std::int32_t LoadI32Le(const std::uint8_t* p) {
  return static_cast<std::int32_t>(LoadU32Le(p));
}
inline std::uint64_t LoadU64Le(const std::uint8_t* p) {
  return static_cast<std::uint64_t>(LoadU32Le(p)) |
         (static_cast<std::uint64_t>(LoadU32Le(p + 4)) << 32);
}
inline float LoadF32Le(const std::uint8_t* p) { return std::bit_cast<float>(LoadU32Le(p)); }
inline double LoadF64Le(const std::uint8_t* p) { return std::bit_cast<double>(LoadU64Le(p)); }

inline void StoreU16Le(std::uint8_t* p, std::uint16_t v) {
  p[0] = static_cast<std::uint8_t>(v);
  p[1] = static_cast<std::uint8_t>(v >> 8);
}
inline void StoreI16Le(std::uint8_t* p, std::int16_t v) {
  StoreU16Le(p, static_cast<std::uint16_t>(v));
}
inline void StoreU32Le(std::uint8_t* p, std::uint32_t v) {
  for (int i = 0; i < 4; ++i) p[i] = static_cast<std::uint8_t>(v >> (8 * i));
}
inline void StoreI32Le(std::uint8_t* p, std::int32_t v) {
  StoreU32Le(p, static_cast<std::uint32_t>(v));
}
inline void StoreU64Le(std::uint8_t* p, std::uint64_t v) {
  StoreU32Le(p, static_cast<std::uint32_t>(v));
  StoreU32Le(p + 4, static_cast<std::uint32_t>(v >> 32));
}
inline void StoreF32Le(std::uint8_t* p, float v) { StoreU32Le(p, std::bit_cast<std::uint32_t>(v)); }
inline void StoreF64Le(std::uint8_t* p, double v) {
  StoreU64Le(p, std::bit_cast<std::uint64_t>(v));
}

// Raw single-byte text of a fixed-width field, exactly as stored (no trimming, NULs kept).
// Does not check bounds. REQUIRES: p points at width readable bytes.
inline std::string LoadRaw(const std::uint8_t* p, std::size_t width) {
  return std::string(reinterpret_cast<const char*>(p), width);
}

// The text of a fixed-width field: a NUL counts as a blank, trailing blanks removed.
// The bytes stay single-byte Windows-1252; convert at the display boundary.
// Does not check bounds. REQUIRES: p points at width readable bytes.
inline std::string LoadText(const std::uint8_t* p, std::size_t width) {
  std::string s(reinterpret_cast<const char*>(p), width);
  for (char& c : s) {
    if (c == '\0') c = ' ';
  }
  s.erase(s.find_last_not_of(' ') + 1);
  return s;
}

// Writes text left-justified into a fixed-width field, space-padded, cut at width.
// Does not check bounds. REQUIRES: p points at width writable bytes.
inline void StoreText(std::uint8_t* p, std::size_t width, std::string_view text) {
  std::size_t n = text.size() < width ? text.size() : width;
  std::memcpy(p, text.data(), n);
  std::memset(p + n, ' ', width - n);
}

}  // namespace os

#endif  // FRELANE_PLATFORM_OS_BYTES_H_
