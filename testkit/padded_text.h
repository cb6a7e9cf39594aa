// Fixed-width text fields of the files the testkit writes.
#ifndef TESTKIT_PADDED_TEXT_H_
#define TESTKIT_PADDED_TEXT_H_

#include <cstddef>
#include <string>

namespace testkit {

// text left-justified in width characters: cut when longer, blank-padded when shorter.
inline std::string Padded(const std::string& text, std::size_t width) {
  std::string out = text.substr(0, width);
  out.resize(width, ' ');
  return out;
}

}  // namespace testkit

#endif  // TESTKIT_PADDED_TEXT_H_
