#include "sample/tariff_files.h"

#include <cstdio>
#include <fstream>
#include <functional>
#include <sstream>
#include <string>
#include <vector>

#include "sample/table_lines.h"
#include "testkit/effective/efcrec_writer.h"
#include "testkit/td/td_writers.h"

namespace sample {

namespace {

using Path = std::filesystem::path;

// Calls line_fn with the fields of every table line; false when the file cannot be read
// or line_fn refuses a line or leaves a field unread.
bool ForEachRow(const Path& path, const std::function<bool(std::istringstream&)>& line_fn) {
  return ForEachTableLine(path, [&](const std::string& line) {
    std::istringstream fields(line);
    return line_fn(fields) && !fields.fail();
  });
}

// "ccyymmdd" as its four 2-digit parts.
bool DateParts(const std::string& date, int parts[4]) {
  if (date.size() != 8) return false;
  for (int i = 0; i < 4; ++i) parts[i] = std::stoi(date.substr(2 * static_cast<std::size_t>(i), 2));
  return true;
}

bool BuildEffectiveTable(const Path& tables, const Path& target) {
  std::vector<testkit::EfcrecLine> lines;
  bool ok = ForEachRow(tables / "effective.txt", [&](std::istringstream& in) {
    testkit::EfcrecLine l;
    in >> l.tariff_number >> l.date >> l.tariff_name >> l.point_type >> l.tariff_kind >>
        l.jurisdiction >> l.factor_file_no;
    // An optional last field: the lane-adjustment kind letter and its file number.
    std::string lanes;
    if (in >> lanes) {
      if (lanes.size() != 3) return false;
      l.lane_adj_kind = lanes[0];
      l.lane_adj_file_no = lanes.substr(1);
    } else {
      in.clear();
    }
    lines.push_back(l);
    return l.tariff_name.size() == 8 && l.date.size() == 8;
  });
  return ok && WriteText(target / "EFCREC.TBL", testkit::EfcrecFile(lines));
}

bool BuildTdFiles(const Path& tables, const Path& target) {
  std::vector<testkit::TdvLine> versions;
  std::vector<testkit::TdsLine> select;
  std::vector<testkit::TdaLine> areas;
  std::vector<testkit::TdzRange> ranges;
  std::vector<testkit::TdtValues> values;
  bool ok =
      ForEachRow(tables / "td_versions.txt",
                 [&](std::istringstream& in) {
                   int version = 0;
                   std::string date;
                   in >> version >> date;
                   int p[4];
                   if (!DateParts(date, p)) return false;
                   versions.push_back({version, p[0], p[1], p[2], p[3]});
                   return true;
                 }) &&
      ForEachRow(tables / "td_select.txt",
                 [&](std::istringstream& in) {
                   testkit::TdsLine l{};
                   in >> l.group >> l.origin_value >> l.destination_value >> l.result >>
                       l.second_result >> l.first_version >> l.last_version;
                   select.push_back(l);
                   return true;
                 }) &&
      ForEachRow(tables / "td_areas.txt",
                 [&](std::istringstream& in) {
                   testkit::TdaLine l{};
                   in >> l.area >> l.state;
                   areas.push_back(l);
                   return l.state.size() == 2;
                 }) &&
      ForEachRow(tables / "td_zip_ranges.txt",
                 [&](std::istringstream& in) {
                   testkit::TdzRange r{};
                   in >> r.low >> r.high >> r.first_version >> r.end_version >> r.area >>
                       r.sub_area >> r.order;
                   ranges.push_back(r);
                   return true;
                 }) &&
      ForEachRow(tables / "td_area_values.txt", [&](std::istringstream& in) {
        testkit::TdtValues v{};
        in >> v.area >> v.sub_area;
        int value;
        while (in >> value) v.values.push_back(value);
        in.clear();
        values.push_back(v);
        return v.values.size() == values.front().values.size();
      });
  return ok && WriteText(target / "TDV.SEQ", testkit::TdvFile(versions)) &&
         WriteText(target / "TDS.SEQ", testkit::TdsFile(select)) &&
         WriteText(target / "TDA.SEQ", testkit::TdaFile(areas)) &&
         Write(target / "TDZ.BIN", testkit::TdzFile(ranges)) &&
         Write(target / "TDT.BIN", testkit::TdtFile(values));
}

}  // namespace

bool BuildTariffFiles(const Path& source, const Path& target) {
  const Path tables = source / "tariff";
  return BuildEffectiveTable(tables, target) && BuildTdFiles(tables, target);
}

}  // namespace sample
