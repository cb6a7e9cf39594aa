#include "testkit/driver/test_tariff.h"

#include <string>
#include <vector>

#include "testkit/driver/border_crossing_file.h"
#include "testkit/driver/lane_point_files.h"
#include "testkit/effective/efcrec_writer.h"
#include "testkit/points/point_files.h"
#include "testkit/rates/rate_files.h"
#include "testkit/tariff/factor_file_writer.h"

namespace testkit {
namespace {

const std::vector<std::string> kClasses = {"50", "100", "200"};
const std::vector<std::int32_t> kBreaks = {0, 500, 1000};
// The lane between point indexes 1 and 2 is entry 4 of a pair-indexed rate index.
const IndexEntries kLaneIndex = {std::nullopt, std::nullopt, 1, std::nullopt, 0, 1};

EfcrecLine Line(int number, char point_type, const std::string& name, const std::string& files) {
  EfcrecLine line;
  line.tariff_number = number;
  line.point_type = point_type;
  line.tariff_name = name;
  line.version = "4.0";
  line.default_file_no = line.index_file_no = line.rate_file_no = line.weight_type_file_no =
      line.point_file_no = line.exp_file_no = line.factor_file_no = files;
  return line;
}

void Write(const TempDir& dir, const std::string& name, const char* suffix,
           const std::string& files, const Bytes& bytes) {
  dir.Write(TariffFileName(name, suffix, files), bytes);
}
void Write(const TempDir& dir, const std::string& name, const char* suffix,
           const std::string& files, const std::string& text) {
  dir.Write(TariffFileName(name, suffix, files), text);
}

std::string CountFactors(int block) {
  CountLayoutFactors factors;
  factors.block_numbers = {block};
  factors.class_codes = kClasses;
  factors.weight_breaks = kBreaks;
  factors.rates = {{10000, 10000, 10000}};
  factors.second = {{10000, 10000, 10000}};
  return CountLayoutFactorFile(factors);
}

FactorBlock Block(int number, std::int32_t f50, std::int32_t f100, std::int32_t f200) {
  FactorBlock block;
  block.class_codes = kClasses;
  block.weight_breaks = kBreaks;
  block.number = number;
  block.rates = {{f50, f50, f50}, {f100, f100, f100}, {f200, f200, f200}};
  return block;
}

// A type 0 tariff of one lane between two point ranges.
void WriteLaneTariff(const TempDir& dir, const std::string& name, const std::string& files,
                     int block, const std::vector<PointRow>& points, const RateRow& lane) {
  Write(dir, name, ".F", files, CountFactors(block));
  Write(dir, name, ".P", files, PointFile(points));
  Write(dir, name, ".I", files, RateIndex16(kLaneIndex));
  Write(dir, name, ".R", files, RateFile({lane}, 526));
  Write(dir, name, ".E", files, "");
  Write(dir, name, ".Z", files, "");
}

void WriteLanePointTariff(const TempDir& dir, const std::string& name, int block,
                          const std::string& destination_low, const RateRow& lane) {
  Write(dir, name, ".F", "01", BlockLayoutFactorFile({Block(block, 10000, 10000, 10000)}));
  Write(dir, name, ".P", "01",
        LanePointFile({{"10000", "19999", 1, 1},
                       {destination_low, destination_low.substr(0, 1) + "9999", 2, 2}}));
  Write(dir, name, ".I", "01", LaneIndexFile({{1, 2, 0}}));
  Write(dir, name, ".R", "01", LaneRateFile({lane}, 526));
  Write(dir, name, ".E", "01", "");
  Write(dir, name, ".Z", "01", "");
}

}  // namespace

void WriteTestTariff(const TempDir& dir) {
  std::vector<EfcrecLine> lines;
  lines.push_back(Line(1, '0', "TESTTR01", "01"));
  lines.push_back(Line(1, '0', "TESTMX01", "01"));
  lines.push_back(Line(2, '0', "TESTMX01", "02"));
  lines[1].jurisdiction = lines[2].jurisdiction = 'M';
  lines.push_back(Line(1, 'E', "TESTEE01", "01"));
  lines.push_back(Line(1, 'H', "TESTEH01", "01"));
  for (const char* name : {"TESTLA01", "TESTLN01"}) lines.push_back(Line(1, 'N', name, "01"));
  lines.push_back(Line(2, 'N', "TESTLA0N", "01"));
  for (std::size_t i = lines.size() - 3; i < lines.size(); ++i) lines[i].alt_point_type = '0';
  lines.push_back(Line(1, 'Y', "TESTBU01", "01"));
  lines.push_back(Line(2, '0', "TESTBU01", "02"));
  lines.push_back(Line(1, '0', "TESTCB01", "01"));
  lines.back().weight_type_digit = '1';
  lines.push_back(Line(1, '0', "TESTBG01", "01"));
  dir.Write("EFCREC.TBL", EfcrecFile(lines));
  dir.Write("TDS.SEQ", "");
  dir.Write("TDA.SEQ", "");

  const std::vector<PointRow> us = {{"10000", "19999", 1, 0}, {"20000", "29999", 2, 0}};
  const RateRow general{1, "  1234 ", {9500, 2000, 1600, 1200, 4000, 3200, 2400, 8000, 6400, 4800}};
  WriteLaneTariff(dir, "TESTTR01", "01", 1, us, general);
  Write(dir, "TESTTR01", ".R", "01",
        RateFile(
            {general, {1, "   777 ", {9000, 1000, 900, 800, 2000, 1800, 1600, 4000, 3600, 3200}}},
            526));

  WriteLaneTariff(dir, "TESTMX01", "01", 1, {{"10000", "19999", 1, 0}, {"70000", "79999", 2, 0}},
                  {1, "   501 ", {5000, 1000, 800, 600, 2000, 1600, 1200, 4000, 3200, 2400}});
  Write(dir, "TESTMX01", ".N", "01",
        BorderCrossingFile({{"20000", "29999", "40000", "49999", "78500"},
                            {"10000", "19999", "40000", "49999", "78040"}}));
  WriteLaneTariff(dir, "TESTMX01", "02", 2, {{"40000", "49999", 2, 0}, {"70000", "79999", 1, 0}},
                  {2, "   502 ", {3000, 500, 400, 300, 1000, 800, 600, 2000, 1600, 1200}});

  Write(dir, "TESTEE01", ".F", "01",
        BlockLayoutFactorFile({Block(1, 10000, 10000, 10000), Block(3, 5000, 10000, 20000)}));
  Write(dir, "TESTEE01", ".P", "01", PointFile(us));
  Write(dir, "TESTEE01", ".I", "01", RateIndex16(kLaneIndex));
  Write(dir, "TESTEE01", ".R", "01", RateFile({{3, "  4321 ", {7000, 3000, 2400, 1800}}}, 40));
  Write(dir, "TESTEE01", ".E", "01", "");
  Write(dir, "TESTEE01", ".Z", "01", "");

  FactorBlock floored = Block(1, 10000, 10000, 10000);
  floored.second_lines = {{10000, 10000, 10000, 11000}};
  Write(dir, "TESTEH01", ".F", "01", BlockLayoutFactorFile({floored}));
  Write(dir, "TESTEH01", ".P", "01", PointFile(us));
  Write(dir, "TESTEH01", ".I", "01", RateIndex16(kLaneIndex));
  Write(dir, "TESTEH01", ".R", "01",
        RateFile({{1, "  4322 ", {7000, 3000, 2400, 1800, 5000}}}, 43));
  Write(dir, "TESTEH01", ".E", "01", "");
  Write(dir, "TESTEH01", ".Z", "01", "");

  const RateRow lane{1, "   601 ", {6000, 2000, 1600, 1200, 4000, 3200, 2400, 8000, 6400, 4800}};
  WriteLanePointTariff(dir, "TESTLA01", 1, "20000", lane);
  WriteLanePointTariff(dir, "TESTLN01", 1, "20000", lane);
  WriteLanePointTariff(dir, "TESTLA0N", 2, "60000",
                       {2, "   602 ", {4000, 1500, 1200, 900, 3000, 2400, 1800, 6000, 4800, 3600}});

  Write(dir, "TESTBU01", ".P", "01", PointFile(us));
  Write(dir, "TESTBU01", ".I", "01", RateIndex16(kLaneIndex));
  Write(dir, "TESTBU01", ".R", "01", RateFile({{1, "  0001 ", {12000, 11000, 0}}}, 52));
  WriteLaneTariff(dir, "TESTBU01", "02", 2, us, general);

  WriteLaneTariff(dir, "TESTCB01", "01", 1, us, general);
  Write(dir, "TESTCB01", ".T", "01", WeightTypeFile({WeightType("100", 1, 600)}));
  WriteLaneTariff(
      dir, "TESTBG01", "01", 1, us,
      {1, "   888 ",
       {9500, 999999, 999000, 998000, 1000000, 999000, 998000, 1000000, 999000, 998000}});
}

}  // namespace testkit
