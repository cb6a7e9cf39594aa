// A fixed-length string field (String * n): assigning pads with blanks or cuts to the width.
// Bytes are single-byte text as stored; a NUL reads as a blank when trimmed.
#ifndef FRELANE_PLATFORM_RUNTIME_FIXED_STRING_H_
#define FRELANE_PLATFORM_RUNTIME_FIXED_STRING_H_

#include <cstddef>
#include <string>
#include <string_view>

namespace runtime {

// `text` blank-padded or cut to exactly `width` bytes.
std::string FitToWidth(std::string_view text, std::size_t width);
// Trim, LTrim, RTrim: blanks only (not tabs); NULs count as blanks.
std::string Trim(std::string_view text);
std::string LTrim(std::string_view text);
std::string RTrim(std::string_view text);

template <std::size_t N>
class FixedString {
 public:
  FixedString() : value_(N, ' ') {}
  explicit FixedString(std::string_view text) : value_(FitToWidth(text, N)) {}
  FixedString& operator=(std::string_view text) {
    value_ = FitToWidth(text, N);
    return *this;
  }
  static constexpr std::size_t kWidth = N;
  // All N bytes.
  const std::string& value() const { return value_; }
  std::string Trimmed() const { return Trim(value_); }

 private:
  std::string value_;
};

}  // namespace runtime

#endif  // FRELANE_PLATFORM_RUNTIME_FIXED_STRING_H_
