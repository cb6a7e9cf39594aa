#include "sample/ratesheet_files.h"

#include <algorithm>
#include <cctype>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "sample/table_lines.h"
#include "testkit/ratesheet/rate_sheet_files.h"

namespace sample {

namespace {

using Path = std::filesystem::path;

std::string Prefix(int n) {
  std::string text = std::to_string(n);
  return std::string(3 - std::min<std::size_t>(3, text.size()), '0') + text;
}

// Adds the ranges of a state, joining a range that continues the last one; a state keeps
// at most the three ranges a line of the file holds.
void AddRange(testkit::StatePrefixRanges& state, const std::string& low, const std::string& high) {
  if (!state.ranges.empty() && state.ranges.back().second.size() == 3 &&
      std::isdigit(static_cast<unsigned char>(low[0])) &&
      std::stoi(state.ranges.back().second) + 1 == std::stoi(low)) {
    state.ranges.back().second = high;
    return;
  }
  if (state.ranges.size() < 3) state.ranges.push_back({low, high});
}

bool BuildZipcodes(const Path& source, const Path& target) {
  std::map<std::string, testkit::StatePrefixRanges> states;
  auto add = [&](const std::string& line) {
    std::istringstream in(line);
    std::string code, low, high;
    if (!(in >> low >> high >> code)) return false;
    testkit::StatePrefixRanges& state = states[code];
    state.state = code;
    AddRange(state, Prefix(std::stoi(low)), Prefix(std::stoi(high)));
    return true;
  };
  if (!ForEachTableLine(source / "geo" / "states.txt", add)) return false;
  bool ok = ForEachTableLine(source / "ratesheet" / "provinces.txt", [&](const std::string& line) {
    std::istringstream in(line);
    std::string code, low, high;
    if (!(in >> code >> low >> high)) return false;
    states[code].state = code;
    AddRange(states[code], low, high);
    return true;
  });
  std::vector<testkit::StatePrefixRanges> sorted;
  for (const auto& [code, state] : states) sorted.push_back(state);
  return ok && Write(target / "zipcodes.fil", testkit::ZipcodesFile(sorted));
}

// The blocks of one run of prefixes.
void AddRun(std::vector<testkit::ZipBlock>& blocks, const std::string& first,
            const std::string& last, const std::string& cuts) {
  const bool numeric = std::isdigit(static_cast<unsigned char>(first[0])) != 0;
  const std::string low_suffix = numeric ? "00" : "0A", high_suffix = numeric ? "99" : "9Z";
  if (cuts == "-") {
    blocks.push_back({first + low_suffix, last + high_suffix});
    return;
  }
  std::vector<std::string> starts = {low_suffix};
  std::istringstream in(cuts);
  for (std::string cut; in >> cut;) starts.push_back(cut);
  for (int p = std::stoi(first); p <= std::stoi(last); ++p) {
    for (std::size_t i = 0; i < starts.size(); ++i) {
      const std::string end =
          i + 1 < starts.size() ? Prefix(std::stoi(starts[i + 1]) - 1).substr(1) : high_suffix;
      blocks.push_back({Prefix(p) + starts[i], Prefix(p) + end});
    }
  }
}

bool BuildZipBlocks(const Path& source, const Path& target) {
  std::map<std::string, std::vector<testkit::ZipBlock>> files;
  bool ok = ForEachTableLine(source / "ratesheet" / "zip_blocks.txt", [&](const std::string& line) {
    std::vector<std::string> f = SplitBars(line);
    if (f.size() != 4 || f[1].size() != 3 || f[2].size() != 3) return false;
    AddRun(files[f[0]], f[1], f[2], f[3]);
    return true;
  });
  for (const auto& [tariff, blocks] : files) {
    ok = ok && Write(target / (tariff + ".b"), testkit::ZipBlockFile(blocks));
  }
  return ok;
}

}  // namespace

bool BuildRateSheetFiles(const Path& source, const Path& target) {
  return BuildZipcodes(source, target) && BuildZipBlocks(source, target);
}

}  // namespace sample
