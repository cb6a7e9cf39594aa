#include "sample/lookup_files.h"

#include <cstdio>
#include <functional>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "sample/table_lines.h"
#include "testkit/rating/lane_lookup_files.h"

namespace sample {

namespace {

using Path = std::filesystem::path;

// Each line of the table split at "|" into exactly `fields` fields.
bool ForEachRow(const Path& path, std::size_t fields,
                const std::function<bool(const std::vector<std::string>&)>& row_fn) {
  return ForEachTableLine(path, [&](const std::string& line) {
    std::vector<std::string> f = SplitBars(line);
    if (f.size() != fields) {
      std::fprintf(stderr, "%s: expected %zu fields: %s\n", path.c_str(), fields, line.c_str());
      return false;
    }
    return row_fn(f);
  });
}

bool BuildTariffs(const Path& dir, const Path& target) {
  std::vector<testkit::TariffListLine> lines;
  std::vector<testkit::TariffOverrideLine> overrides;
  bool ok = ForEachRow(dir / "tariffs.txt", 4, [&](const std::vector<std::string>& f) {
    lines.emplace_back(f[0], f[1], f[2] == "Y", f[3]);
    return true;
  });
  ok = ok && ForEachRow(dir / "tariff_overrides.txt", 5, [&](const std::vector<std::string>& f) {
    overrides.push_back({f[0], f[1], f[2], f[3], f[4]});
    return true;
  });
  return ok && WriteText(target / "tariffs.dat", testkit::TariffListFile(lines)) &&
         WriteText(target / "taripntr.dat", testkit::TariffOverrideFile(overrides));
}

bool BuildServedLanes(const Path& dir, const Path& target) {
  std::vector<testkit::ServedLane> lanes;
  bool ok = ForEachRow(dir / "served_lanes.txt", 4, [&](const std::vector<std::string>& f) {
    lanes.push_back({f[0], f[1], f[2], f[3]});
    return true;
  });
  return ok && WriteText(target / "zipval.dat", testkit::ServedLaneFile(lanes));
}

bool BuildServiceDays(const Path& dir, const Path& target) {
  std::vector<testkit::ZipRange> regions;
  std::map<int, testkit::ServiceDays> days;
  std::vector<std::vector<int>> rows;
  bool ok = ForEachTableLine(dir / "service_days.txt", [&](const std::string& line) {
    std::vector<std::string> f = SplitBars(line);
    if (f[0] == "REGION" && f.size() == 4) {
      regions.push_back({f[2], f[3]});
    } else if (f[0] == "DAYS" && f.size() == 4) {
      days[std::stoi(f[1])] = {static_cast<std::int16_t>(std::stoi(f[2])),
                               static_cast<std::int16_t>(std::stoi(f[3]))};
    } else if (f[0] == "ROW" && f.size() == 3) {
      std::istringstream cells(f[2]);
      std::vector<int> row;
      for (std::string cell; cells >> cell;) row.push_back(cell == "-" ? 0 : std::stoi(cell));
      rows.push_back(row);
    } else {
      return false;
    }
    return true;
  });
  std::vector<testkit::ServiceDays> records;
  for (const auto& [number, d] : days) {
    if (number != static_cast<int>(records.size()) + 1) ok = false;
    records.push_back(d);
  }
  for (const std::vector<int>& row : rows) ok = ok && row.size() == regions.size();
  if (!ok || rows.size() != regions.size()) {
    std::fprintf(stderr, "service_days.txt: the matrix does not match its regions and days\n");
    return false;
  }
  return WriteText(target / "ServiceUO.dat", testkit::ZipRangeFile(regions)) &&
         WriteText(target / "ServiceUD.dat", testkit::ZipRangeFile(regions)) &&
         WriteText(target / "ServiceM.dat", testkit::ServiceMatrixFile(rows)) &&
         WriteText(target / "ServiceUS.dat", testkit::ServiceDaysFile(records));
}

bool BuildZipDiscounts(const Path& dir, const Path& target) {
  std::vector<testkit::ZipDiscount> records;
  bool ok = ForEachRow(dir / "zip_discounts.txt", 9, [&](const std::vector<std::string>& f) {
    records.push_back({f[0], f[1], f[2], f[3], std::stod(f[4]), std::stod(f[5]),
                       std::stod(f[6]), std::stod(f[7]), f[8] == "Y"});
    return true;
  });
  return ok && WriteText(target / "ZipDisc.dat", testkit::ZipDiscountFile(records));
}

bool BuildCities(const Path& dir, const Path& target) {
  std::vector<testkit::City> cities;
  bool ok = ForEachRow(dir / "cities.txt", 3, [&](const std::vector<std::string>& f) {
    cities.push_back({f[0], f[1], f[2]});
    return true;
  });
  testkit::CityFiles files = testkit::CityFilesOf(cities);
  return ok && WriteText(target / "cityzip.dat", files.cityzip) &&
         WriteText(target / "zipcity.dat", files.zipcity);
}

}  // namespace

bool BuildLookupFiles(const Path& source, const Path& target) {
  Path dir = source / "lookups";
  return BuildTariffs(dir, target) && BuildServedLanes(dir, target) &&
         BuildServiceDays(dir, target) && BuildZipDiscounts(dir, target) &&
         BuildCities(dir, target);
}

}  // namespace sample
