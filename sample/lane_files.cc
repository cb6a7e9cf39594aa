#include "sample/lane_files.h"

#include <cstdio>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "sample/table_lines.h"
#include "testkit/lanes/lane_files.h"

namespace sample {

bool BuildLaneFiles(const std::filesystem::path& source, const std::filesystem::path& target) {
  std::map<std::string, std::vector<testkit::Bytes>> files;
  const bool ok = ForEachTableLine(
      source / "lanes" / "lane_adjustments.txt", [&files](const std::string& line) {
        const std::vector<std::string> f = SplitBars(line);
        if (f.size() != 5 || f[0] != "ADJ" || f[2].size() != 3) return false;
        try {
          std::vector<std::int16_t> cells;
          std::istringstream in(f[4]);
          int v = 0;
          while (in >> v) cells.push_back(static_cast<std::int16_t>(v));
          files[f[1]].push_back(
              testkit::AdjByCodeRecord(f[2], static_cast<std::int16_t>(std::stoi(f[3])), cells));
        } catch (const std::exception&) {
          return false;  // a number field that is not a number
        }
        return true;
      });
  if (!ok) {
    std::fprintf(stderr, "lane_adjustments.txt: a line is not ADJ|file|code|minimum|cells\n");
    return false;
  }
  bool written = true;
  for (const auto& [file, records] : files) {
    written = written && Write(target / file, testkit::Concat(records));
  }
  return written;
}

}  // namespace sample
