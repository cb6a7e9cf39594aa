// A Lite tariff of point type L rated end to end: the ZIP-keyed tables reach the rate basis
// (Lite table, add-on records, matrix) and the charge step (ZIP pair, class-factor range,
// the amounts of a type "C" add-on record), and every step leaves its binary-log record.
//
// TESTZL01, tariff number 1, classes 50, 100 and 200 (breaks 0, 500, 1000 lb), at 1.0 in
// factor set 1 and at 0.5, 1.0 and 2.0 in factor set 3; points 10000-19999 (1),
// 20000-29999 (2) and 30000-39999 (3). Its 52-byte rate records, sorted as the Lite reader
// searches them:
//   0 "003 00000D"  the lane 1-3, without a number   V(0) 70.00
//   1 "003 00777D"  the number the "D " matrix gives  V(0) 70.00, V(4-6) 3000 2400 1800
//   2 "003 01234C"  the lane 1-2, kind C             V(0) 80.00, V(4-6) 4000 3200 2400
// Its own Lite table sends 'C' and 'D' to factor set 003, with which the tariff is
// reloaded. Cells of letter L are R(V(b + 4) x factor). Every figure below is worked by
// hand.
#include <unistd.h>

#include <cstdio>

#include "testkit/effective/efcrec_writer.h"
#include "testkit/logs/binary_log_reader.h"
#include "testkit/points/point_files.h"
#include "testkit/rates/rate_files.h"
#include "testkit/read_file.h"
#include "testkit/tariff/factor_file_writer.h"
#include "testkit/ziptables/zip_table_writers.h"
#include "tolv32dll/driver/tests/rating_fixture.h"
#include "tolv32dll/logs/binary_log.h"

namespace tolv {
namespace {

using Record = std::array<std::uint8_t, 2160>;
using testkit::BinaryLogEntry;

const testkit::RateRow kNoNumber{3, " 00000D", {7000}};
const testkit::RateRow kMatrixNumber{3, " 00777D", {7000, 0, 0, 0, 3000, 2400, 1800}};
const testkit::RateRow kKindC{3, " 01234C", {8000, 0, 0, 0, 4000, 3200, 2400}};

std::string Bytes(std::initializer_list<int> bytes) {
  std::string s;
  for (int b : bytes) s.push_back(static_cast<char>(b));
  return s;
}

class ZipTablesRatingTest : public RatingTest {
 protected:
  void SetUp() override {
    RatingTest::SetUp();
    ASSERT_NE(nullptr, ::getcwd(cwd_, sizeof cwd_));
    ASSERT_EQ(0, ::chdir(data_.path().c_str()));
    data_.Write("kqDll.ini", "[Debug]\nBinaryDebug=Y\n");

    testkit::EfcrecLine line;
    line.tariff_number = 1;  // a tariff named in full is taken on the first pass
    line.point_type = 'L';
    line.tariff_name = "TESTZL01";
    line.version = "4.0";
    data_.Write("EFCREC.TBL", testkit::EfcrecFile({line}));
    auto block = [](int number, std::int32_t f50, std::int32_t f100, std::int32_t f200) {
      testkit::FactorBlock b;
      b.number = number;
      b.class_codes = {"50", "100", "200"};
      b.weight_breaks = {0, 500, 1000};
      b.rates = {{f50, f50, f50}, {f100, f100, f100}, {f200, f200, f200}};
      return b;
    };
    Write(".F01", testkit::BlockLayoutFactorFile(
                      {block(1, 10000, 10000, 10000), block(3, 5000, 10000, 20000)}));
    Write(".P01",
          testkit::PointFile(
              {{"10000", "19999", 1, 0}, {"20000", "29999", 2, 0}, {"30000", "39999", 3, 0}}));
    // Rate basis numbers 4 (points 1 and 2) and 7 (points 1 and 3).
    Write(".I01", testkit::RateIndex16({std::nullopt, std::nullopt, std::nullopt, std::nullopt, 2,
                                        std::nullopt, std::nullopt, 0}));
    Write(".R01", testkit::RateFile({kNoNumber, kMatrixNumber, kKindC}, 52));
    Write(".E01", "");
    // The "C " record holds the numbers 01200-01299: amounts 2.50 (brackets) and 1.00
    // (rates); the "D " points 152 and 303 meet in the matrix as 00777 'D'.
    Write(".B01", testkit::LiteBaseFile({{"C ", "01200", "01299", "00250", "00100"},
                                         {"D ", "15000", "15099", "00152"},
                                         {"D ", "35000", "35099", "00303"}},
                                        {{'C', "", "003", 'N'}, {'D', "", "003", 'N'}}));
    Write(".K01", testkit::LiteMatrixFile({{"D ", "00152", "00303", "00777", 'D'}}));
    // 10000-19999 to 20000-29999: method 3, 50.00 from 0 lb and 60.00 from 100 lb.
    testkit::ZipPairRow pair;
    pair.origin_low = "10000", pair.origin_high = "19999";
    pair.destination_low = "20000", pair.destination_high = "29999";
    pair.minimum_method = 3;
    pair.bracket_count = 2;
    pair.mode = '*';
    pair.charges = {5000, 6000, 0, 0};
    Write(".Z01", testkit::ZipPairFile({pair}));
    // An end in 20000-29999 prices the last class, 200, at 1.5.
    Write(".C01", testkit::ClassRangeFile({{"20000", "29999", 15000}}));
    ASSERT_EQ(kOk, InitializeEngine(engine_, data_.path().c_str()));
  }
  void TearDown() override {
    SetThreadBinaryDebug('N');
    ASSERT_EQ(0, ::chdir(cwd_));
  }
  void Write(const std::string& suffix, std::span<const std::uint8_t> bytes) {
    data_.Write("TESTZL01" + suffix, bytes);
  }
  void Write(const std::string& suffix, std::string_view text) {
    data_.Write("TESTZL01" + suffix, text);
  }
  Record RateLine(const std::string& destination, const std::string& cls,
                  const std::string& weight) {
    std::remove(data_.File("kqdebug.dbr").c_str());
    testkit::ShipmentRequest q;
    q.tariff_name = "TESTZL01";
    q.origin_zip = "15000";
    q.destination_zip = destination;
    q.lines = {{cls, weight}};
    return Rate(q);
  }
  // The data of every record of the kind in the rating's log, in order.
  std::vector<std::string> Logged(int kind) {
    testkit::BinaryLog log = testkit::ParseBinaryLog(testkit::ReadFile(data_.File("kqdebug.dbr")));
    EXPECT_FALSE(log.truncated);
    std::vector<std::string> out;
    for (const BinaryLogEntry& e : log.entries) {
      if (e.kind == kind) out.push_back(e.data);
    }
    return out;
  }
  void ExpectMatrix(const Record& r, const std::vector<std::int32_t>& cells) {
    for (std::size_t k = 0; k < cells.size(); ++k) EXPECT_EQ(cells[k], I32(r, 992 + 4 * k)) << k;
  }
  static std::string AsText(const std::vector<std::uint8_t>& bytes) {
    return std::string(bytes.begin(), bytes.end());
  }

  char cwd_[4096] = {};
};

TEST_F(ZipTablesRatingTest, KindCLaneTakesThePairTheRangeAndTheAddonAmounts) {
  // 15000-25000 reads record 2. Letter C: the Lite table (kind 18), the final record read
  // again (kind 5), then the "C " record of the number 01234 (kind 19, origin only).
  Record r = RateLine("25000", "200", "600");
  ASSERT_EQ("    ", Status(r));
  EXPECT_EQ("     01234C", At(r, 90, 11));
  // Class 200 at 1.5 from the destination's range: 6000 4800 3600; the "C " amount 1.00 on
  // the first two breaks of every class: 50 2000+100 1600+100 1200, 100 4100 3300 2400.
  ExpectMatrix(r, {2100, 1700, 1200, 4100, 3300, 2400, 6100, 4900, 3600});
  // The pair's brackets, each + 2.50: 52.50 and 62.50; method 3, two brackets.
  EXPECT_EQ(5250, I32(r, 2032));
  EXPECT_EQ(6250, I32(r, 2036));
  EXPECT_EQ(std::string("\x03\x00\x02\x00", 4), At(r, 2152, 4));
  // 600 lb at the 500 lb break: 49.00 x 6 = 294.00 (1000 lb at 36.00: 360.00); from 100 lb
  // the minimum is 62.50.
  EXPECT_EQ("0062.50", At(r, 113, 7));
  EXPECT_EQ("022000006000049.00000294.00", At(r, 265, 27));

  const std::vector<std::string> table = Logged(18);
  ASSERT_FALSE(table.empty());
  for (const std::string& t : table) {
    ASSERT_EQ(2500u, t.size());
    // The rows after the start row, the end row marked '*', the other slots empty.
    EXPECT_EQ("C     003ND     003N*     000X", t.substr(0, 30));
    EXPECT_EQ(std::string(2470, '\0'), t.substr(30));
  }
  EXPECT_EQ((std::vector<std::string>{
                Bytes({'C', ' ', 0x00, 0x12, 0x00, 0x99, 0x00, 0x02, 0x50, 0x00, 0x01, 0x00})}),
            Logged(19));
  EXPECT_TRUE(Logged(20).empty());
  EXPECT_TRUE(Logged(21).empty());
  const std::vector<std::string> read = Logged(5);
  ASSERT_EQ(2u, read.size());  // the index's record, then the Lite reader's
  EXPECT_EQ(AsText(testkit::RateRecord(kKindC, 52)), read[0]);
  EXPECT_EQ(read[0], read[1]);
}

TEST_F(ZipTablesRatingTest, LaneWithoutNumberTakesTheMatrixNumber) {
  // 15000-35000 reads record 0, which lacks a number. Letter D: both ends' "D " records
  // (kinds 19 and 20), the matrix record (kind 21), and record 1 read for 00777 'D' (kind 5).
  Record r = RateLine("35000", "100", "600");
  ASSERT_EQ("    ", Status(r));
  EXPECT_EQ("     00777D", At(r, 90, 11));
  // Kind D: neither the range nor the add-on amounts apply, and no pair holds the lane:
  // one bracket of V(0), 70.00. 600 lb of class 100 at 24.00: 144.00.
  ExpectMatrix(r, {1500, 1200, 900, 3000, 2400, 1800, 6000, 4800, 3600});
  EXPECT_EQ("0070.00", At(r, 113, 7));
  EXPECT_EQ(std::string("\x00\x00\x01\x00", 4), At(r, 2152, 4));
  EXPECT_EQ("021000006000024.00000144.00", At(r, 265, 27));

  const auto d = [](int zip_high, int zip_low_mid, int p1, int p2) {
    return Bytes({'D', ' ', zip_high, zip_low_mid, 0x00, 0x99, 0x00, p1, p2, 0x00, 0x00, 0x00});
  };
  EXPECT_EQ((std::vector<std::string>{d(0x01, 0x50, 0x01, 0x52)}), Logged(19));
  EXPECT_EQ((std::vector<std::string>{d(0x03, 0x50, 0x03, 0x03)}), Logged(20));
  EXPECT_EQ((std::vector<std::string>{
                Bytes({'D', ' ', 0x00, 0x01, 0x52, 0x00, 0x03, 0x03, 0x00, 0x07, 0x77, 'D'})}),
            Logged(21));
  const std::vector<std::string> read = Logged(5);
  ASSERT_EQ(2u, read.size());
  EXPECT_EQ(AsText(testkit::RateRecord(kNoNumber, 52)), read[0]);
  EXPECT_EQ(AsText(testkit::RateRecord(kMatrixNumber, 52)), read[1]);
}

TEST_F(ZipTablesRatingTest, CutShortZipTablesHoldNoPairAndNoRange) {
  // A ".Z" shorter than one record and a ".C" shorter than one range: the kind C lane
  // rates as if neither file had a line for it. One bracket of V(0) 80.00 + 2.50; class 200
  // at 2.0: 8000+100, 6400+100, 4800. 600 lb at 65.00: 390.00.
  Write(".Z01", std::string(39, 'F'));
  Write(".C01", std::string(10, '\x01'));
  Record r = RateLine("25000", "200", "600");
  ASSERT_EQ("    ", Status(r));
  ExpectMatrix(r, {2100, 1700, 1200, 4100, 3300, 2400, 8100, 6500, 4800});
  EXPECT_EQ("0082.50", At(r, 113, 7));
  EXPECT_EQ("022000006000065.00000390.00", At(r, 265, 27));
}

}  // namespace
}  // namespace tolv
