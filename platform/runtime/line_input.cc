#include "platform/runtime/line_input.h"

#include "platform/os/regular_file.h"

namespace runtime {

LineReader::~LineReader() { Close(); }

bool LineReader::Open(const std::string& path) {
  Close();
  file_ = os::StreamOver(os::OpenRegularFile(path), "rb");
  return file_ != nullptr;
}

void LineReader::Close() {
  if (file_ != nullptr) std::fclose(file_);
  file_ = nullptr;
}

bool LineReader::Eof() {
  if (file_ == nullptr) return true;
  int c = std::fgetc(file_);
  if (c == EOF) return true;
  std::ungetc(c, file_);
  return false;
}

bool LineReader::ReadLine(std::string& line) {
  line.clear();
  if (Eof()) return false;
  for (int c = std::fgetc(file_); c != EOF; c = std::fgetc(file_)) {
    if (c == '\n') break;
    if (c == '\r') {
      int next = std::fgetc(file_);
      if (next != '\n' && next != EOF) std::ungetc(next, file_);
      break;
    }
    line += static_cast<char>(c);
  }
  return true;
}

}  // namespace runtime
