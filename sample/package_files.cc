#include "sample/package_files.h"

#include <cstdio>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "sample/table_lines.h"
#include "testkit/package/package_files.h"

namespace sample {
namespace {

// Record length of a point type 0 rate file.
constexpr std::size_t kRecordLength = 526;
// Entry of the price of a 0-lb package, and the heaviest package priced by weight.
constexpr std::uint32_t kPriceBase = 20;
constexpr std::uint32_t kHeaviestPriced = 150;

std::uint32_t Number(const std::string& text) {
  return static_cast<std::uint32_t>(std::stoul(text));
}

std::vector<std::uint32_t> Numbers(const std::string& text) {
  std::vector<std::uint32_t> out;
  std::istringstream in(text);
  std::uint32_t v;
  while (in >> v) out.push_back(v);
  return out;
}

struct Tables {
  std::map<std::string, std::vector<testkit::PackageRow>> rows;
  std::map<std::string, std::map<int, testkit::RateRow>> records;
};

bool ReadLine(const std::string& line, Tables& t) {
  std::vector<std::string> f = SplitBars(line);
  if (f.size() < 3) return false;
  const std::string& kind = f[0];
  const std::string& file = f[1];
  if (kind == "ROW" && f.size() == 5 && f[2].size() == 1) {
    t.rows[file].push_back({f[2][0], f[3], f[4]});
  } else if (kind == "HEADER" && f.size() == 6) {
    t.records[file][0] = testkit::PackageHeaderRow(
        {Number(f[2]), Number(f[3]), Number(f[4]), Number(f[5])}, "       ");
  } else if (kind == "ZONE" && f.size() == 11 && f[3].size() == 7) {
    testkit::PackageZone z;
    z.price_base = kPriceBase;
    for (std::uint32_t w = 0; w <= kHeaviestPriced; ++w)
      z.prices.push_back(Number(f[4]) + w * Number(f[5]));
    z.residential = Number(f[6]);
    z.on_call = Number(f[7]);
    z.delivery_area = Number(f[8]);
    z.least_cwt_weight = Number(f[9]);
    z.letter_limit = Number(f[10]);
    t.records[file][std::stoi(f[2])] = testkit::PackageZoneRow(z, f[3]);
  } else if (kind == "CWT" && f.size() == 9 && f[3].size() == 7) {
    testkit::PackageHundredweight c;
    c.tier_base = kPriceBase;
    c.residential = Number(f[4]);
    c.on_call = Number(f[5]);
    c.delivery_area = Number(f[6]);
    c.minimum_weight = Number(f[7]);
    c.tier_rows = Numbers(f[8]);
    t.records[file][std::stoi(f[2])] = testkit::PackageHundredweightRow(c, f[3]);
  } else {
    return false;
  }
  return true;
}

}  // namespace

bool BuildPackageFiles(const std::filesystem::path& source, const std::filesystem::path& target) {
  Tables t;
  bool ok =
      ForEachTableLine(source / "package" / "package_files.txt", [&](const std::string& line) {
        try {
          return ReadLine(line, t);
        } catch (const std::exception&) {
          return false;  // a number field that is not a number
        }
      });
  if (!ok) return false;
  for (const auto& [file, rows] : t.rows)
    ok = ok && Write(target / file, testkit::PackageRecordFile(rows));
  for (const auto& [file, records] : t.records) {
    // Records the table does not give (zone numbers no lane uses) are blank.
    std::vector<testkit::RateRow> rows(static_cast<std::size_t>(records.rbegin()->first) + 1,
                                       testkit::RateRow{1, "       ", {}});
    for (const auto& [number, row] : records) rows[static_cast<std::size_t>(number)] = row;
    ok = ok && Write(target / file, testkit::RateFile(rows, kRecordLength));
  }
  return ok;
}

}  // namespace sample
