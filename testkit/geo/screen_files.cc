#include "testkit/geo/screen_files.h"

#include <cassert>

#include "testkit/padded_text.h"

namespace testkit {

std::string DisclaimerFile(const std::vector<std::string>& lines) {
  std::string out;
  for (const std::string& line : lines) {
    for (char c : line) {
      unsigned char code = static_cast<unsigned char>(c);
      assert(code + 65 <= 255);
      out.push_back(static_cast<char>(code + 65));
    }
    out += "\r\n";
  }
  return out;
}

std::string ZipDisclaimerZipsFile(const std::vector<std::pair<std::string, std::string>>& ranges) {
  std::string out;
  for (const auto& [low, high] : ranges) out += Padded(low, 5) + Padded(high, 5) + "\r\n";
  return out;
}

}  // namespace testkit
