#include "sample/zip_table_files.h"

#include <cstdint>
#include <cstdio>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "sample/table_lines.h"
#include "testkit/ziptables/zip_table_writers.h"

namespace sample {
namespace {

bool IsZip(const std::string& s) {
  return s.size() == 5 && s.find_first_not_of("0123456789") == std::string::npos;
}

struct Tables {
  std::map<std::string, std::vector<testkit::ZipPairRow>> pairs;
  std::map<std::string, std::vector<testkit::ClassRangeRow>> ranges;
};

bool ReadPair(const std::vector<std::string>& f, Tables& t) {
  if (f.size() != 13 || f[2].size() != 1 || f[7].size() != 6 || f[8].size() != 6 ||
      f[11].size() != 1) {
    return false;
  }
  testkit::ZipPairRow row;
  row.direction = f[2][0];
  row.origin_low = f[3];
  row.origin_high = f[4];
  row.destination_low = f[5];
  row.destination_high = f[6];
  for (const std::string* zip : {&f[3], &f[4], &f[5], &f[6]}) {
    if (!IsZip(*zip)) return false;
  }
  row.basis_low = f[7];
  row.basis_high = f[8];
  const int method = std::stoi(f[9]);
  const int count = std::stoi(f[10]);
  if (method < 0 || method > 255 || count < 0 || count > 30) return false;
  row.minimum_method = static_cast<std::uint8_t>(method);
  row.bracket_count = static_cast<std::uint8_t>(count);
  row.mode = f[11][0];
  std::istringstream charges(f[12]);
  for (std::uint32_t& c : row.charges) {
    if (!(charges >> c) || c > 0xFFFFFF) return false;  // 24-bit values
  }
  t.pairs[f[1]].push_back(row);
  return true;
}

bool ReadLine(const std::string& line, Tables& t) {
  const std::vector<std::string> f = SplitBars(line);
  if (f.size() < 2) return false;
  if (f[0] == "PAIR") return ReadPair(f, t);
  if (f[0] == "RANGE" && f.size() == 5 && IsZip(f[2]) && IsZip(f[3])) {
    const int factor = std::stoi(f[4]);
    if (factor < INT16_MIN || factor > INT16_MAX) return false;
    t.ranges[f[1]].push_back({f[2], f[3], static_cast<std::int16_t>(factor)});
    return true;
  }
  return false;
}

}  // namespace

bool BuildZipTableFiles(const std::filesystem::path& source, const std::filesystem::path& target) {
  Tables t;
  const bool ok =
      ForEachTableLine(source / "ziptables" / "zip_tables.txt", [&t](const std::string& line) {
        try {
          return ReadLine(line, t);
        } catch (const std::exception&) {
          return false;  // a number field that is not a number
        }
      });
  if (!ok) {
    std::fprintf(stderr, "zip_tables.txt: a line is neither a PAIR nor a RANGE line\n");
    return false;
  }
  bool written = true;
  for (const auto& [file, rows] : t.pairs)
    written = written && Write(target / file, testkit::ZipPairFile(rows));
  for (const auto& [file, rows] : t.ranges) {
    written = written && Write(target / file, testkit::ClassRangeFile(rows));
  }
  return written;
}

}  // namespace sample
