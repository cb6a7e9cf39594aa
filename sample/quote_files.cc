#include "sample/quote_files.h"

#include <cstdio>
#include <cstdlib>
#include <string>
#include <utility>
#include <vector>

#include "sample/table_lines.h"
#include "testkit/quote/quote_files.h"

namespace sample {

namespace {

struct QuoteTables {
  std::vector<testkit::AccessorialCharge> charges;
  std::vector<std::pair<std::string, std::string>> columns;
  std::vector<std::pair<std::string, std::string>> rows;
  std::vector<std::int32_t> amounts;
  std::vector<std::pair<std::pair<int, int>, std::uint8_t>> cells;
  std::string additions;
  std::vector<testkit::ZipAdjustment> adjustments;
};

double Number(const std::string& s) { return std::atof(s.c_str()); }
int Integer(const std::string& s) { return std::atoi(s.c_str()); }

bool ReadLine(const std::string& line, QuoteTables& t) {
  std::vector<std::string> f = SplitBars(line);
  const std::string& kind = f[0];
  if (kind == "ACC" && f.size() == 7) {
    t.charges.emplace_back(f[1], Integer(f[2]), Number(f[3]), Number(f[4]), Number(f[5]), f[6]);
  } else if (kind == "FLOORCOL" && f.size() == 3) {
    t.columns.emplace_back(f[1], f[2]);
  } else if (kind == "FLOORROW" && f.size() == 3) {
    t.rows.emplace_back(f[1], f[2]);
  } else if (kind == "FLOORAMT" && f.size() == 2) {
    t.amounts.push_back(Integer(f[1]));
  } else if (kind == "FLOORCELL" && f.size() == 4) {
    t.cells.push_back({{Integer(f[1]), Integer(f[2])}, static_cast<std::uint8_t>(Integer(f[3]))});
  } else if (kind == "FLOORADD" && f.size() == 6) {
    t.additions += testkit::FloorAddLine(f[1], f[2], f[3], f[4], Integer(f[5])) + "\r\n";
  } else if (kind == "ZIPADJ" && f.size() == 7) {
    t.adjustments.push_back({f[1], f[2], Integer(f[3]), Integer(f[4]), Number(f[5]), f[6]});
  } else {
    std::fprintf(stderr, "quote_files.txt: cannot read the line \"%s\"\n", line.c_str());
    return false;
  }
  return true;
}

}  // namespace

bool BuildQuoteFiles(const std::filesystem::path& source, const std::filesystem::path& target) {
  QuoteTables t;
  if (!ForEachTableLine(source / "quote" / "quote_files.txt",
                        [&](const std::string& line) { return ReadLine(line, t); })) {
    return false;
  }
  const int n_columns = static_cast<int>(t.columns.size());
  const int n_rows = static_cast<int>(t.rows.size());
  return WriteText(target / "accchg.dat", testkit::AccessorialChargesFile(t.charges)) &&
         WriteText(target / "FloorsUO.dat", testkit::FloorRangesFile(t.columns)) &&
         WriteText(target / "FloorsUD.dat", testkit::FloorRangesFile(t.rows)) &&
         WriteText(target / "FloorsUF.dat", testkit::FloorAmountsFile(t.amounts)) &&
         WriteText(target / "FloorsM.dat", testkit::FloorMatrixFile(n_rows, n_columns, t.cells)) &&
         WriteText(target / "FloorAdd.dat", t.additions) &&
         WriteText(target / "AccAdjustment.dat", testkit::ZipAdjustmentsFile(t.adjustments));
}

}  // namespace sample
