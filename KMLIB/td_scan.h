// Field scanning for the TD text files. Their lines are read the way the C library's
// scanf reads them: "%2hd" skips white space (which does not count towards the width),
// then takes up to two characters of an optional sign and digits; "%3s" skips white space
// and takes up to three non-blank characters. Lines are read in pieces of a bounded
// length, as a fixed line buffer reads them.
#ifndef KMLIB_TD_SCAN_H_
#define KMLIB_TD_SCAN_H_

#include <cstdint>
#include <cstdio>
#include <optional>
#include <string>
#include <string_view>

namespace kmlib {

// A cursor over one line of text.
class FieldScanner {
 public:
  explicit FieldScanner(std::string_view line) : rest_(line) {}

  // "%<width>hd": nullopt when no digit could be read (the cursor then stays put).
  std::optional<std::int16_t> Short(int width);
  // "%<width>s": nullopt when only white space is left.
  std::optional<std::string> Word(int width);

 private:
  void SkipSpace();
  std::string_view rest_;
};

// Reads the next line the way a fixed line buffer of max_chars characters does: at most
// max_chars characters, its line end counted, so the rest of a longer line comes as the
// next line. The line end is stripped from *line. False at the end of the file.
bool ReadLinePiece(std::FILE* stream, std::size_t max_chars, std::string* line);

}  // namespace kmlib

#endif  // KMLIB_TD_SCAN_H_
