// Field scanning for the TD text files. Their lines are read the way the C library's
// scanf reads them: "%2hd" skips white space (which does not count towards the width),
// then takes up to two characters of an optional sign and digits; "%3s" skips white space
// and takes up to three non-blank characters. Line reading keeps a bound on the length,
// so a line that does not fit its buffer is reported instead of being split.
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

// The outcome of reading one line.
enum class LineStatus { kLine, kEnd, kTooLong };

// Reads the next line of at most max_chars characters, the line end included (the line
// end is stripped from *line). A longer line is kTooLong and the stream is left after it.
LineStatus ReadBoundedLine(std::FILE* stream, std::size_t max_chars, std::string* line);

// True when the line holds nothing but blanks and line-end characters.
bool IsBlankLine(std::string_view line);

}  // namespace kmlib

#endif  // KMLIB_TD_SCAN_H_
