// Line Input over a text file: lines end at CR LF, LF or a lone CR; the last line needs no
// end. Bytes are returned as stored (single-byte text).
#ifndef FRELANE_PLATFORM_RUNTIME_LINE_INPUT_H_
#define FRELANE_PLATFORM_RUNTIME_LINE_INPUT_H_

#include <cstdio>
#include <string>

namespace runtime {

class LineReader {
 public:
  LineReader() = default;
  ~LineReader();
  LineReader(const LineReader&) = delete;
  LineReader& operator=(const LineReader&) = delete;

  // False when the file cannot be opened or is no regular file (a pipe would never end).
  bool Open(const std::string& path);
  void Close();
  // The next line without its end; false at the end of the file (line left empty).
  bool ReadLine(std::string& line);
  // True when no line is left.
  bool Eof();

 private:
  std::FILE* file_ = nullptr;
};

}  // namespace runtime

#endif  // FRELANE_PLATFORM_RUNTIME_LINE_INPUT_H_
