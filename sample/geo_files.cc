#include "sample/geo_files.h"

#include <cstdio>
#include <fstream>
#include <functional>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "sample/table_lines.h"
#include "testkit/geo/geo_writers.h"

namespace sample {

namespace {

using Path = std::filesystem::path;

bool BuildStates(const Path& geo, const Path& target) {
  std::map<int, std::string> states;
  bool ok = ForEachTableLine(geo / "states.txt", [&](const std::string& line) {
    std::istringstream in(line);
    int first = 0, last = 0;
    std::string state;
    if (!(in >> first >> last >> state) || first < 1 || last > 999 || first > last) return false;
    for (int prefix = first; prefix <= last; ++prefix) states[prefix] = state;
    return true;
  });
  return ok && Write(target / "state.dat", testkit::StateFile(states));
}

bool BuildTerminals(const Path& geo, const Path& target) {
  std::vector<testkit::Terminal> terminals;
  bool ok = ForEachTableLine(geo / "terminals.txt", [&](const std::string& line) {
    std::vector<std::string> f = SplitBars(line);
    if (f.size() != 13) return false;
    terminals.push_back({f[1], f[0], f[2], f[3], f[4], f[5], f[6], f[7], f[8], f[9], f[10],
                         f[11], f[12]});
    return true;
  });
  return ok && Write(target / "ServTerm.dat", testkit::TerminalFile(terminals));
}

bool BuildServiceZips(const Path& geo, const Path& target) {
  std::vector<testkit::ServiceZipRange> ranges;
  bool ok = ForEachTableLine(geo / "service_zips.txt", [&](const std::string& line) {
    std::istringstream in(line);
    testkit::ServiceZipRange r;
    if (!(in >> r.low >> r.high >> r.terminal >> r.origin_code >> r.destination_code >>
          r.origin_days >> r.destination_days)) {
      return false;
    }
    ranges.push_back(r);
    return true;
  });
  return ok && Write(target / "ServZipsA.dat", testkit::ServiceZipFile(ranges));
}

bool BuildTransitDays(const Path& geo, const Path& target) {
  std::vector<std::vector<std::int16_t>> rows;
  bool ok = ForEachTableLine(geo / "transit_days.txt", [&](const std::string& line) {
    std::istringstream in(line);
    std::vector<std::int16_t> row;
    for (std::int16_t days; in >> days;) row.push_back(days);
    rows.push_back(row);
    return !row.empty();
  });
  for (const auto& row : rows) {
    if (row.size() != rows.size()) {
      std::fprintf(stderr, "transit_days.txt: the matrix is not square\n");
      return false;
    }
  }
  return ok && Write(target / "ServMatx.dat", testkit::TransitMatrixFile(rows));
}

}  // namespace

bool BuildGeoFiles(const Path& source, const Path& target) {
  Path geo = source / "geo";
  return BuildStates(geo, target) && BuildTerminals(geo, target) &&
         BuildServiceZips(geo, target) && BuildTransitDays(geo, target);
}

}  // namespace sample
