// Shipments rated end to end on tariffs with lane adjustments: copies of the small test
// tariff (testkit/driver/test_tariff.h) whose lane is adjusted by each kind. The rate
// matrix of the lane before adjustment, by class and break (0, 500, 1000 lb):
//   class 50: 2000 1600 1200   class 100: 4000 3200 2400   class 200: 8000 6400 4800
// with one minimum-charge bracket of 9500. Every figure below is worked by hand.
#include <unistd.h>

#include <filesystem>

#include "testkit/charges/charge_files.h"
#include "testkit/driver/lane_point_files.h"
#include "testkit/effective/efcrec_writer.h"
#include "testkit/lanes/lane_files.h"
#include "testkit/logs/binary_log_reader.h"
#include "testkit/read_file.h"
#include "testkit/tariff/factor_file_writer.h"
#include "tolv32dll/driver/tests/rating_fixture.h"
#include "tolv32dll/lanes/lane_apply.h"
#include "tolv32dll/logs/binary_log.h"

namespace tolv {
namespace {

using Record = std::array<std::uint8_t, 2160>;
using testkit::AdjByCodeRecord;
using testkit::AdjByNumber32Record;
using testkit::AdjRecord350;
using testkit::Concat;
using testkit::ERecord;

std::string MinimumCharge(const Record& r) { return RatingTest::At(r, 113, 7); }
std::string Charges(const Record& r) { return RatingTest::At(r, 142, 9); }
std::string Detail(const Record& r, int k) { return RatingTest::At(r, 265 + 30 * k, 27); }

class LaneRatingTest : public RatingTest {
 protected:
  // A copy of the test tariff under `name`, effective `date`, with the lane kind letter
  // and the factor file's leading option lines.
  void AddTariff(const std::string& name, char kind, const std::string& date = "20240101",
                 const std::vector<std::string>& options = {}) {
    testkit::EfcrecLine line;
    line.tariff_number = 1;  // a tariff named in full is taken on the first pass
    line.point_type = '0';
    line.tariff_name = name;
    line.version = "4.0";
    line.date = date;
    line.lane_adj_kind = kind;
    line.lane_adj_file_no = "01";
    lines_.push_back(line);
    testkit::EfcrecLine plain;
    plain.tariff_number = 1;
    plain.point_type = '0';
    plain.tariff_name = "TESTTR01";
    plain.version = "4.0";
    std::vector<testkit::EfcrecLine> all{plain};
    all.insert(all.end(), lines_.begin(), lines_.end());
    data_.Write("EFCREC.TBL", testkit::EfcrecFile(all));
    for (const char* suffix : {".P01", ".I01", ".R01", ".E01", ".Z01"}) {
      data_.Write(name + suffix, testkit::ReadFile(data_.File(std::string("TESTTR01") + suffix)));
    }
    testkit::CountLayoutFactors factors;
    for (const std::string& o : options) factors.leading_lines.push_back(o);
    factors.block_numbers = {1};
    factors.class_codes = {"50", "100", "200"};
    factors.weight_breaks = {0, 500, 1000};
    factors.rates = {{10000, 10000, 10000}};
    factors.second = {{10000, 10000, 10000}};
    data_.Write(name + ".F01", testkit::CountLayoutFactorFile(factors));
    ASSERT_EQ(kOk, InitializeEngine(engine_, data_.path().c_str()));
  }
  // The lane areas of the test lane: origin 15000 in AAA, destination 25000 in BBB.
  static testkit::TextLaneFileRows Areas() {
    testkit::TextLaneFileRows rows;
    rows.areas = {{"10000", "19999", {"AAA"}}, {"20000", "29999", {"BBB", "ZZZ"}}};
    return rows;
  }
  Record RateLine(const std::string& tariff, const std::string& cls, const std::string& weight) {
    testkit::ShipmentRequest q;
    q.tariff_name = tariff;
    q.lines = {{cls, weight}};
    return Rate(q);
  }
  void ExpectMatrix(const Record& r, const std::vector<std::int32_t>& cells) {
    for (std::size_t k = 0; k < cells.size(); ++k) EXPECT_EQ(cells[k], I32(r, 992 + 4 * k)) << k;
  }

  std::vector<testkit::EfcrecLine> lines_;
};

TEST_F(LaneRatingTest, KindLFactorsThenAmountsByBreakRange) {
  // Codes below 500 are factors (range "000" mode 1), from 500 amounts (range "500" mode 0).
  // "100": minimum x 1.05, class 50 x 1.10, class 100 break 0 x 1.20; "600": minimum +2.50,
  // class 100 break 500 +1.50. A hit of a pair that is not the lane's is left alone.
  AddTariff("TESTLL01", 'L');
  testkit::TextLaneFileRows rows = Areas();
  rows.hits = {{"AAA", "BBB", "1000", 'L', ' '},
               {"AAA", "BBB", "6000", 'L', ' '},
               {"AAA", "CCC", "2000", 'L', ' '}};
  data_.Write("TESTLL01.L01", testkit::TextLaneFile(rows));
  data_.Write("TESTLL01.A01",
              Concat({AdjByCodeRecord("100", 10500, {11000, 11000, 11000, 12000}),
                      AdjByCodeRecord("200", 20000, {20000, 20000, 20000, 20000, 20000}),
                      AdjByCodeRecord("600", 250, {0, 0, 0, 0, 150})}));
  Record r = RateLine("TESTLL01", "100", "600");
  ASSERT_EQ("    ", Status(r));
  // 9500 x 1.05 = 9975, + 250 = 10225. Class 100 at 500 lb: 3200 + 150 = 3350; 600 lb:
  // 201.00 (1000 lb at 2400 would be 240.00).
  ExpectMatrix(r, {2200, 1760, 1320, 4800, 3350, 2400, 8000, 6400, 4800});
  EXPECT_EQ("0102.25", MinimumCharge(r));
  EXPECT_EQ("000201.00", Charges(r));
  EXPECT_EQ("021000006000033.50000201.00", Detail(r, 0));
}

TEST_F(LaneRatingTest, KindAAccumulatesFactorsWithLaPct) {
  // LA_PCT "+": two factor records of 1.10 and 1.05 give 1.15 on the minimum and on class
  // 100; break list from the lane file's option line: one factor range over every code.
  AddTariff("TESTLA01", 'A', "20240101", {testkit::FactorOptionLine("LA_PCT", "+")});
  testkit::TextLaneFileRows rows = Areas();
  rows.option_lines = {"* BRKS = 000* 999*"};
  rows.hits = {{"AAA", "BBB", "1200", 'A', ' '}, {"AAA", "ZZZ", "1100", 'A', ' '}};
  data_.Write("TESTLA01.L01", testkit::TextLaneFile(rows));
  data_.Write("TESTLA01.A01",
              Concat({AdjByCodeRecord("110", 11000, {0, 0, 0, 11000, 11000, 11000}),
                      AdjByCodeRecord("120", 10500, {0, 0, 0, 10500, 10500, 10500})}));
  Record r = RateLine("TESTLA01", "100", "600");
  ASSERT_EQ("    ", Status(r));
  // 4000, 3200, 2400 x 1.15; 9500 x 1.15 = 10925. 600 lb at 3680: 220.80.
  ExpectMatrix(r, {2000, 1600, 1200, 4600, 3680, 2760, 8000, 6400, 4800});
  EXPECT_EQ("0109.25", MinimumCharge(r));
  EXPECT_EQ("000220.80", Charges(r));
}

TEST_F(LaneRatingTest, KindYByPointNumbers) {
  // Points 1 -> 2 name record 7: minimum +5.00, breaks 0 and 500 x 1.10, break 1000 +1.00.
  AddTariff("TESTLY01", 'Y');
  data_.Write("TESTLY01.L01",
              std::vector<std::uint8_t>{0x01, 0x00, 0x02, 0x00, 0x02, 0x00, 0x07, 0x00});
  std::vector<std::uint8_t> a = {0x07, 0x00, '2',  '1',  '1',  '2',  '0',  '0',  '0',  '0',
                                 '0',  '0',  0xF4, 0x01, 0xF8, 0x2A, 0xF8, 0x2A, 0x64, 0x00};
  a.resize(32, 0);
  data_.Write("TESTLY01.A01", Concat({AdjByNumber32Record(3, '2', "2", 9999, {9999}), a}));
  Record r = RateLine("TESTLY01", "100", "600");
  ASSERT_EQ("    ", Status(r));
  ExpectMatrix(r, {2200, 1760, 1300, 4400, 3520, 2500, 8800, 7040, 4900});
  EXPECT_EQ("0100.00", MinimumCharge(r));
  EXPECT_EQ("000211.20", Charges(r));
  EXPECT_EQ("021000006000035.20000211.20", Detail(r, 0));
}

TEST_F(LaneRatingTest, KindTOperatorsHighestNumberFirst) {
  // A tariff of 1997 (no E base; no precedence file keeps every hit). Hits 12 and 30 are
  // applied 30 first: class 100 break 500 - 1.00, then class 100 x 1.10 and the minimum
  // + 3.00 (the value for an ordinary first bracket).
  AddTariff("TESTLT01", 'T', "19970101");
  testkit::TextLaneFileRows rows = Areas();
  rows.hits = {{"AAA", "BBB", "  12", 'T', ' '}, {"AAA", "BBB", "  30", 'T', ' '}};
  data_.Write("TESTLT01.L01", testkit::TextLaneFile(rows));
  data_.Write("TESTLT01.A01",
              Concat({AdjRecord350(12, '+', '*', 999, 300, {0, 0, 0, 11000, 11000, 11000}),
                      AdjRecord350(30, '0', '-', 0, 0, {0, 0, 0, 0, 100})}));
  Record r = RateLine("TESTLT01", "100", "600");
  ASSERT_EQ("    ", Status(r));
  // 3200 - 100 = 3100, x 1.10 = 3410; 600 lb: 204.60.
  ExpectMatrix(r, {2000, 1600, 1200, 4400, 3410, 2640, 8000, 6400, 4800});
  EXPECT_EQ("0098.00", MinimumCharge(r));
  EXPECT_EQ("000204.60", Charges(r));
}

TEST_F(LaneRatingTest, KindCByAreaPairs) {
  // Origin 15000 in area A12, destination 25000 in B34; the lane's range carries code 345.
  // Pairs walked: A12000, A12345, B34000, B34345. A12000: minimum x 1.10, break 0 x 1.05;
  // B34345: break 500 + 1.50. The other pairs have no record.
  AddTariff("TESTLC01", 'C');
  data_.Write("TESTLC01.L01", testkit::LaneAreaFile({{"15000", 1, "A12"}, {"25000", 1, "B34"}},
                                                    {{"1500025000", "1500025999", "345"}}));
  data_.Write(
      "TESTLC01.A01",
      Concat({testkit::AdjByPairRecord(PackAreaPair("A12000", 2024), '1', "1", 11000, {10500}),
              testkit::AdjByPairRecord(PackAreaPair("B34345", 2024), '0', "02", 0, {0, 150})}));
  Record r = RateLine("TESTLC01", "100", "600");
  ASSERT_EQ("    ", Status(r));
  // 9500 x 1.10 = 10450; 2000, 4000, 8000 x 1.05; 1600, 3200, 6400 + 150. 600 lb at 33.50.
  ExpectMatrix(r, {2100, 1750, 1200, 4200, 3350, 2400, 8400, 6550, 4800});
  EXPECT_EQ("0104.50", MinimumCharge(r));
  EXPECT_EQ("021000006000033.50000201.00", Detail(r, 0));
  // A damaged lane file is the shipment's status.
  data_.Write("TESTLC01.L01", std::vector<std::uint8_t>{9, 0, 0});
  EXPECT_EQ("0232", Status(RateLine("TESTLC01", "100", "600")));
}

TEST_F(LaneRatingTest, KindUByZipRangesAppliedAsKindL) {
  // The records of the kind L example, named by two lane records (the second one matches
  // the lane reversed); the default break list: codes below 500 factors, from 500 amounts.
  AddTariff("TESTLU01", 'U');
  testkit::ZipLaneFileRows rows;
  testkit::ZipLaneRow out_bound, both;
  out_bound.origin_low = "10000", out_bound.origin_high = "19999";
  out_bound.destination_low = "20000", out_bound.destination_high = "29999";
  out_bound.data = "100";
  both.origin_low = "20000", both.origin_high = "29999";
  both.destination_low = "10000", both.destination_high = "19999";
  both.both_ways = true;
  both.data = "600";
  rows.lanes = {both, out_bound};
  rows.sort = true;
  data_.Write("TESTLU01.L01", testkit::ZipLaneFile(rows));
  data_.Write("TESTLU01.A01", Concat({AdjByCodeRecord("100", 10500, {11000, 11000, 11000, 12000}),
                                      AdjByCodeRecord("600", 250, {0, 0, 0, 0, 150})}));
  Record r = RateLine("TESTLU01", "100", "600");
  ASSERT_EQ("    ", Status(r));
  ExpectMatrix(r, {2200, 1760, 1320, 4800, 3350, 2400, 8000, 6400, 4800});
  EXPECT_EQ("0102.25", MinimumCharge(r));
  EXPECT_EQ("000201.00", Charges(r));
}

TEST_F(LaneRatingTest, PointSectionCodesNeedBothEnds) {
  // Code "400" (a factor of 1.10 on class 100 at break 0) applies only while the ".A" point
  // sections hold the origin ("999") and the destination ("***").
  AddTariff("TESTLL01", 'L');
  testkit::TextLaneFileRows rows = Areas();
  rows.hits = {{"AAA", "BBB", "4000", 'L', ' '}};
  data_.Write("TESTLL01.L01", testkit::TextLaneFile(rows));
  const auto code = AdjByCodeRecord("400", 0, {0, 0, 0, 11000});
  data_.Write("TESTLL01.A01", Concat({code, testkit::PointSectionRecord("999", {"1000019999"}),
                                      testkit::PointSectionRecord("***", {"2000029999"})}));
  EXPECT_EQ(4400, I32(RateLine("TESTLL01", "100", "600"), 992 + 4 * 3));
  data_.Write("TESTLL01.A01", Concat({code, testkit::PointSectionRecord("999", {"1000019999"}),
                                      testkit::PointSectionRecord("***", {"3000039999"})}));
  EXPECT_EQ(4000, I32(RateLine("TESTLL01", "100", "600"), 992 + 4 * 3));
}

TEST_F(LaneRatingTest, KindTFixedMinimumAndItsHitsInTheBinaryLog) {
  // Record 12 fixes the minimum charge at 123.45 (above the bracket's 95.00) and leaves the
  // brackets; the rates keep their amounts under "F". The hit list goes to kind 12.
  char cwd[4096];
  ASSERT_NE(nullptr, ::getcwd(cwd, sizeof cwd));
  ASSERT_EQ(0, ::chdir(data_.path().c_str()));
  data_.Write("kqDll.ini", "[Debug]\nBinaryDebug=Y\n");
  AddTariff("TESTLT01", 'T', "19970101");
  testkit::TextLaneFileRows rows = Areas();
  rows.hits = {{"AAA", "BBB", "  12", 'T', ' '}};
  data_.Write("TESTLT01.L01", testkit::TextLaneFile(rows));
  data_.Write("TESTLT01.A01", Concat({AdjRecord350(3, '0', '0', 0, 0, {}),
                                      AdjRecord350(12, 'F', 'F', 999, 12345, {0, 0, 0, 5})}));
  Record r = RateLine("TESTLT01", "100", "600");
  SetThreadBinaryDebug('N');
  ASSERT_EQ(0, ::chdir(cwd));
  ASSERT_EQ("    ", Status(r));
  ExpectMatrix(r, {2000, 1600, 1200, 4000, 3200, 2400, 8000, 6400, 4800});
  EXPECT_EQ("0123.45", MinimumCharge(r));
  EXPECT_EQ(9500, I32(r, 1880 + 32 + 120));  // the first bracket charge as it was
  testkit::BinaryLog log = testkit::ParseBinaryLog(testkit::ReadFile(data_.File("kqdebug.dbr")));
  ASSERT_FALSE(log.truncated);
  int found = 0;
  for (const testkit::BinaryLogEntry& e : log.entries) {
    if (e.kind != 12) continue;
    ++found;
    ASSERT_EQ(105u, e.data.size());
    // 'T', number 12, the record's position 350; the other entries empty.
    EXPECT_EQ(std::string("T\x0C\x00\x5E\x01\x00\x00", 7), e.data.substr(0, 7));
    EXPECT_EQ(std::string(98, '\0'), e.data.substr(7));
  }
  EXPECT_EQ(1, found);
}

TEST_F(LaneRatingTest, KindGAreaPairNamesAnERecord) {
  // 15000 lies in ".U" area 00001 (codes ORG01), 25000 in ".V" area 00002 (codes DST01);
  // the pair ORG01-DST01 names E record 1. Rate method '0' multiplies by operand / 10.
  AddTariff("TESTLG01", 'G');
  testkit::GlobalLaneFileRows rows;
  rows.numbered_blocks = {{}, {"ORG01"}, {"DST01"}};
  rows.pairs = {{"ORG01", "DST01", 1}, {"ORG01", "DST02", 0}};
  data_.Write("TESTLG01.L01", testkit::GlobalLaneFile(rows));
  data_.Write("TESTLG01.U01", testkit::LaneBaseFile({{"10000", "19999", "00001"}}));
  data_.Write("TESTLG01.V01", testkit::LaneBaseFile({{"20000", "29999", "00002"}}));
  // Record 0 belongs to another lane and would double everything.
  data_.Write("TESTLG01.A01",
              Concat({ERecord('1', '1', '1', 20, std::vector<std::int32_t>(9, 20)),
                      ERecord('2', '1', '1', 500, {12, 12, 12, 11, 11, 11})}));
  Record r = RateLine("TESTLG01", "100", "600");
  ASSERT_EQ("    ", Status(r));
  // Minimum 9500 + 500; class 50 x 1.2, class 100 x 1.1, class 200 as it was.
  ExpectMatrix(r, {2400, 1920, 1440, 4400, 3520, 2640, 8000, 6400, 4800});
  EXPECT_EQ("0100.00", MinimumCharge(r));
  EXPECT_EQ("000211.20", Charges(r));  // 6 x 35.20
  // Without ".U" the lane cannot be keyed.
  std::filesystem::remove(data_.File("TESTLG01.U01"));
  EXPECT_EQ("0278", Status(RateLine("TESTLG01", "100", "600")));
}

TEST_F(LaneRatingTest, LanePointTariffAppliesTheERecordsItsRecordsName) {
  // A point-type 'N' tariff (on type 0 records) with no lane-adjustment letter: the origin
  // point names E record 0, the destination point record 1 and the rate record record 2.
  testkit::EfcrecLine line;
  line.tariff_number = 1;
  line.point_type = 'N';
  line.alt_point_type = '0';
  line.tariff_name = "TESTNE01";
  line.version = "4.0";
  line.lane_adj_file_no = "01";
  data_.Write("EFCREC.TBL", testkit::EfcrecFile({line}));
  testkit::FactorBlock block;
  block.class_codes = {"50", "100", "200"};
  block.weight_breaks = {0, 500, 1000};
  block.number = 1;
  block.rates = {{10000, 10000, 10000}, {10000, 10000, 10000}, {10000, 10000, 10000}};
  data_.Write("TESTNE01.F01", testkit::BlockLayoutFactorFile({block}));
  data_.Write("TESTNE01.P01", testkit::LanePointFile({{"10000", "19999", 1, 1, 0, 3},
                                                      {"20000", "29999", 2, 2, 3, 1}}));
  data_.Write("TESTNE01.I01", testkit::LaneIndexFile({{1, 2, 0}}));
  data_.Write("TESTNE01.R01",
              testkit::LaneRateFile({{1, "   601 ", {6000, 2000, 1600, 1200, 4000, 3200, 2400,
                                                     8000, 6400, 4800}}},
                                    526, 2));
  data_.Write("TESTNE01.E01", "");
  data_.Write("TESTNE01.Z01", "");
  // 0 (key 1): minimum + 10.03, class 100 at 500 lb + 1.00. 1 (key 2, after the class
  // factors): 500 lb - 0.50. 2 (key 1, after 0): minimum x 1.1 rounded to 5 cents, 500 lb
  // x 1.2. Record 3 is named only by the ends the other way round.
  data_.Write("TESTNE01.A01",
              Concat({ERecord('2', '2', '1', 1003, {0, 0, 0, 0, 100}),
                      ERecord('0', '5', '2', 0, {0, 0, 0, 0, 50}),
                      ERecord('3', '1', '1', 11, {0, 0, 0, 0, 12}),
                      ERecord('2', '2', '1', 99999, std::vector<std::int32_t>(9, 99999))}));
  ASSERT_EQ(kOk, InitializeEngine(engine_, data_.path().c_str()));
  Record r = RateLine("TESTNE01", "100", "600");
  ASSERT_EQ("    ", Status(r));
  // 3200 + 100 = 3300, x 1.2 = 3960, - 50 = 3910. Minimum 6000 + 1003 = 7003,
  // x 1.1 = 7703 (7703.3 truncated after adding half a unit), to 5 cents 7705.
  ExpectMatrix(r, {2000, 1600, 1200, 4000, 3910, 2400, 8000, 6400, 4800});
  EXPECT_EQ("0077.05", MinimumCharge(r));
  EXPECT_EQ("000234.60", Charges(r));  // 6 x 39.10; 1000 lb at 24.00 would be 240.00
  // The records are read from ".A" of the lane-adjustment file number.
  std::filesystem::remove(data_.File("TESTNE01.A01"));
  EXPECT_EQ("0231", Status(RateLine("TESTNE01", "100", "600")));
}

TEST_F(LaneRatingTest, LaneFileFaultsAreTheShipmentsStatus) {
  AddTariff("TESTLL01", 'L');
  Record r = RateLine("TESTLL01", "100", "600");
  EXPECT_EQ("0230", Status(r));
  data_.Write("TESTLL01.L01", testkit::TextLaneFile(Areas()));
  EXPECT_EQ("0231", Status(RateLine("TESTLL01", "100", "600")));
  data_.Write("TESTLL01.A01", AdjByCodeRecord("100", 0, {}));
  data_.Write("TESTLL01.L01", std::string("10000199990AAA\r\n"));
  EXPECT_EQ("0232", Status(RateLine("TESTLL01", "100", "600")));
  // Mended, the same tariff rates again.
  data_.Write("TESTLL01.L01", testkit::TextLaneFile(Areas()));
  EXPECT_EQ("    ", Status(RateLine("TESTLL01", "100", "600")));
}

}  // namespace
}  // namespace tolv
