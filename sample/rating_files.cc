#include "sample/rating_files.h"

#include <cstdio>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "sample/table_lines.h"
#include "testkit/points/point_files.h"
#include "testkit/rates/rate_files.h"
#include "testkit/sidetables/side_table_files.h"

namespace sample {
namespace {

using Path = std::filesystem::path;

template <typename T>
std::vector<T> Numbers(const std::string& text) {
  std::vector<T> out;
  std::istringstream in(text);
  T v;
  while (in >> v) out.push_back(v);
  return out;
}

// The rates of one ".R" file: its layout and its records by number.
struct RateTable {
  std::size_t record_length = 0;
  int factor_set = 0;
  std::vector<int> classes;
  std::vector<int> break_factors;  // percent
  std::map<int, testkit::RateRow> records;
};

// V(1 + b + c x breaks) = class 100 rate x class / 100 x break factor; V(0) the minimum.
testkit::RateRow LaneRow(const RateTable& t, const std::string& number, std::uint32_t minimum,
                         std::uint32_t base) {
  testkit::RateRow row{t.factor_set, number, {minimum}};
  for (int c : t.classes) {
    for (int f : t.break_factors) {
      row.values.push_back(static_cast<std::uint32_t>(
          (static_cast<std::uint64_t>(base) * c * f + 5000) / 10000));
    }
  }
  return row;
}

struct Tables {
  std::map<std::string, std::vector<testkit::PointRow>> points;
  std::map<std::string, testkit::IndexEntries> indexes;
  std::map<std::string, RateTable> rates;
  std::map<std::string, std::vector<testkit::ExpRow>> exps;
  std::map<std::string, std::pair<char, std::vector<testkit::ServiceRange>>> services;
};

bool ReadLine(const std::string& line, Tables& t) {
  std::vector<std::string> f = SplitBars(line);
  if (f.size() < 3) return false;
  const std::string& kind = f[0];
  const std::string& file = f[1];
  if (kind == "POINT" && f.size() == 6) {
    t.points[file].push_back({f[2], f[3], static_cast<std::int16_t>(std::stoi(f[4])),
                              static_cast<std::int16_t>(std::stoi(f[5]))});
  } else if (kind == "INDEX") {
    std::istringstream in(f[2]);
    std::string entry;
    while (in >> entry) {
      t.indexes[file].push_back(entry == "-" ? std::nullopt
                                             : std::optional<std::uint32_t>(std::stoul(entry)));
    }
  } else if (kind == "RATES" && f.size() == 6) {
    RateTable& r = t.rates[file];
    r.record_length = std::stoul(f[2]);
    r.factor_set = std::stoi(f[3]);
    r.classes = Numbers<int>(f[4]);
    r.break_factors = Numbers<int>(f[5]);
  } else if (kind == "LANE" && f.size() == 6) {
    auto it = t.rates.find(file);
    if (it == t.rates.end() || f[3].size() != 7) return false;
    it->second.records[std::stoi(f[2])] = LaneRow(it->second, f[3], std::stoul(f[4]), std::stoul(f[5]));
  } else if (kind == "EXP" && f.size() == 5) {
    t.exps[file].push_back({f[2], f[3], f[4]});
  } else if (kind == "SERVICE" && f.size() >= 3 && (f.size() - 3) % 3 == 0 && f[2].size() == 1) {
    auto& s = t.services[file];
    s.first = f[2][0];
    for (std::size_t i = 3; i + 2 < f.size(); i += 3) s.second.push_back({f[i], f[i + 1], f[i + 2][0]});
  } else {
    return false;
  }
  return true;
}

}  // namespace

bool BuildRatingFiles(const Path& source, const Path& target) {
  Tables t;
  bool ok = ForEachTableLine(source / "rating" / "rating_files.txt",
                             [&](const std::string& line) {
                               try {
                                 return ReadLine(line, t);
                               } catch (const std::exception&) {
                                 return false;  // a number field that is not a number
                               }
                             });
  if (!ok) return false;
  for (const auto& [file, rows] : t.points) ok = ok && Write(target / file, testkit::PointFile(rows));
  for (const auto& [file, entries] : t.indexes) {
    ok = ok && Write(target / file, testkit::RateIndex16(entries));
  }
  for (const auto& [file, table] : t.rates) {
    std::vector<testkit::RateRow> rows;
    for (const auto& [number, row] : table.records) {
      if (number != static_cast<int>(rows.size())) {
        std::fprintf(stderr, "%s: records must be numbered 0, 1, 2, ...\n", file.c_str());
        return false;
      }
      rows.push_back(row);
    }
    ok = ok && Write(target / file, testkit::RateFile(rows, table.record_length));
  }
  for (const auto& [file, rows] : t.exps) ok = ok && Write(target / file, testkit::ExpZipFile(rows));
  for (const auto& [file, s] : t.services) {
    ok = ok && Write(target / file, testkit::DirectIndirectFile(s.first, s.second));
  }
  return ok;
}

}  // namespace sample
