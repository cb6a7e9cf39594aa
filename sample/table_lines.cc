#include "sample/table_lines.h"

#include <cstdio>
#include <fstream>
#include <sstream>

namespace sample {

using Path = std::filesystem::path;

bool ForEachTableLine(const Path& path, const std::function<bool(const std::string&)>& line_fn,
                      BlankLines blank_lines) {
  std::ifstream in(path);
  if (!in) {
    std::fprintf(stderr, "cannot read %s\n", path.c_str());
    return false;
  }
  std::string line;
  while (std::getline(in, line)) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (line.empty() ? blank_lines == BlankLines::kSkip : line[0] == '#') continue;
    if (!line_fn(line)) {
      std::fprintf(stderr, "%s: bad line: %s\n", path.c_str(), line.c_str());
      return false;
    }
  }
  return true;
}

bool ReadTableLines(const Path& path, std::vector<std::string>* lines, BlankLines blank_lines) {
  return ForEachTableLine(
      path,
      [lines](const std::string& line) {
        lines->push_back(line);
        return true;
      },
      blank_lines);
}

bool Write(const Path& path, const std::vector<std::uint8_t>& bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(reinterpret_cast<const char*>(bytes.data()),
            static_cast<std::streamsize>(bytes.size()));
  if (!out) std::fprintf(stderr, "cannot write %s\n", path.c_str());
  return static_cast<bool>(out);
}

bool WriteText(const Path& path, const std::string& text) {
  return Write(path, std::vector<std::uint8_t>(text.begin(), text.end()));
}

std::vector<std::string> SplitBars(const std::string& line) {
  std::vector<std::string> fields;
  std::stringstream in(line);
  std::string field;
  while (std::getline(in, field, '|')) fields.push_back(field);
  if (!line.empty() && line.back() == '|') fields.emplace_back();
  return fields;
}

}  // namespace sample
