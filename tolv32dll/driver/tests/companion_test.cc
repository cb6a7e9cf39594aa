// Lite tariffs (point type 'E') whose Lite table row asks for the companion tariff, rated
// end to end. The lane 15000 -> 25000 reads rate record 0 (" 00000A", no number); the "A1"
// points 00152 and 00303 give 00777 'B' in the matrix, and the table row of 'B' chooses
// factor set 003 with flag 'Y', so the final record "003 00777B" is read after the switch.
// A companion brings its own rate file only: the selected tariff's factor file, open when
// the switch comes, stays open and gives the companion its blocks. Every expected figure
// is worked by hand from the files written here.
#include <filesystem>

#include "testkit/effective/efcrec_writer.h"
#include "testkit/points/point_files.h"
#include "testkit/rates/rate_files.h"
#include "testkit/tariff/factor_file_writer.h"
#include "testkit/ziptables/zip_table_writers.h"
#include "tolv32dll/driver/tests/rating_fixture.h"

namespace tolv {
namespace {

using Record = std::array<std::uint8_t, 2160>;
using testkit::RateRow;

testkit::FactorBlock Block(int number, std::int32_t f50, std::int32_t f100, std::int32_t f200) {
  testkit::FactorBlock block;
  block.class_codes = {"50", "100", "200"};
  block.weight_breaks = {0, 500, 1000};
  block.number = number;
  block.rates = {{f50, f50, f50}, {f100, f100, f100}, {f200, f200, f200}};
  return block;
}

class CompanionTest : public RatingTest {
 protected:
  static testkit::EfcrecLine Line(int number, const std::string& name, const std::string& date,
                                  const std::string& code, char letter) {
    testkit::EfcrecLine line;
    line.tariff_number = number;
    line.point_type = 'E';
    line.tariff_name = name;
    line.date = date;
    line.version = "4.0";
    line.companion_code = code;
    line.companion_point_type = letter;
    return line;
  }
  // A tariff of the lane whose own ".R" also holds "003 00777B" (5000; 2000 1600 1200) and
  // whose factor set 3 takes the classes by 0.5 / 1.0 / 2.0.
  void WriteSelected(const std::string& name) {
    File(name, ".F", testkit::BlockLayoutFactorFile({Block(1, 10000, 10000, 10000),
                                                     Block(2, 10000, 10000, 10000),
                                                     Block(3, 5000, 10000, 20000)}));
    File(name, ".P",
         testkit::PointFile({{"10000", "19999", 1, 0}, {"20000", "29999", 2, 0}}));
    File(name, ".I", testkit::RateIndex16({std::nullopt, std::nullopt, 1, std::nullopt, 0, 1}));
    File(name, ".R", testkit::RateFile({{1, " 00000A", {100}},
                                        {3, " 00777B", {5000, 2000, 1600, 1200}}},
                                       40));
    File(name, ".B", testkit::LiteBaseFile({{"A1", "15000", "15099", "00152"},
                                            {"A1", "25000", "25099", "00303"}},
                                           {{'A', "", "001", 'N'}, {'B', "", "003", 'Y'}}));
    File(name, ".K", testkit::LiteMatrixFile({{"A1", "00152", "00303", "00777", 'B'}}));
    File(name, ".E", std::string());
    File(name, ".Z", std::string());
  }
  void WriteCompanion(const std::string& name, const RateRow& record, std::size_t length) {
    File(name, ".R", testkit::RateFile({record}, length));
  }
  void File(const std::string& name, const char* suffix, const std::vector<std::uint8_t>& bytes) {
    data_.Write(testkit::TariffFileName(name, suffix, "01"), bytes);
  }
  void File(const std::string& name, const char* suffix, const std::string& text) {
    data_.Write(testkit::TariffFileName(name, suffix, "01"), text);
  }
  Record RateLane(const std::string& tariff) {
    testkit::ShipmentRequest q;
    q.tariff_name = tariff;
    q.lines = {{"100", "600"}};
    return Rate(q);
  }
  void ExpectMatrix(const Record& r, const std::vector<std::int32_t>& cells) {
    for (std::size_t k = 0; k < cells.size(); ++k) EXPECT_EQ(cells[k], I32(r, 992 + 4 * k)) << k;
  }
  static std::string MinimumCharge(const Record& r) { return At(r, 113, 7); }
  static std::string Charges(const Record& r) { return At(r, 142, 9); }
  static std::string RateBasis(const Record& r) { return At(r, 90, 11); }
};

TEST_F(CompanionTest, CodeZeroZeroSwitchesToTheCompanionInForce) {
  // TESTCO2A under tariff number 2 is the companion; its entry dated after the ship date
  // (files 02, which do not exist) is passed over, and so is the same name under number 1.
  std::vector<testkit::EfcrecLine> lines = {Line(1, "TESTCO01", "20240101", "00", ' '),
                                            Line(1, "TESTCO2A", "20240101", "00", ' '),
                                            Line(2, "TESTCO2A", "20240101", "00", ' '),
                                            Line(2, "TESTCO2A", "20250101", "00", ' '),
                                            Line(1, "TESTCN01", "20240101", "00", ' ')};
  lines[1].rate_file_no = lines[3].rate_file_no = lines[3].factor_file_no = "02";
  data_.Write("EFCREC.TBL", testkit::EfcrecFile(lines));
  WriteSelected("TESTCO01");
  WriteCompanion("TESTCO2A", {3, " 00777B", {7000, 3000, 2400, 1800}}, 40);
  WriteSelected("TESTCN01");
  ASSERT_EQ(kOk, InitializeEngine(engine_, data_.path().c_str()));

  Record r = RateLane("TESTCO01");
  ASSERT_EQ("    ", Status(r));
  // The companion's record (7000; 3000 2400 1800) under set 3. 600 lb of class 100:
  // 2400 x 1.0 = 24.00 x 6 = 144.00 (1000 lb at 18.00 would be 180.00).
  ExpectMatrix(r, {1500, 1200, 900, 3000, 2400, 1800, 6000, 4800, 3600});
  EXPECT_EQ("0070.00", MinimumCharge(r));
  EXPECT_EQ("000144.00", Charges(r));
  EXPECT_EQ("     00777B", RateBasis(r));
  EXPECT_EQ(2, engine_.current_tariff.tariff_number);

  // No TESTCN2A: the tariff stays and reads its own record (5000; 2000 1600 1200) under
  // its own set 3: 1600 x 1.0 = 16.00 x 6 = 96.00.
  r = RateLane("TESTCN01");
  ASSERT_EQ("    ", Status(r));
  ExpectMatrix(r, {1000, 800, 600, 2000, 1600, 1200, 4000, 3200, 2400});
  EXPECT_EQ("0050.00", MinimumCharge(r));
  EXPECT_EQ("000096.00", Charges(r));
  EXPECT_EQ("     00777B", RateBasis(r));

  // The selected tariff is chosen afresh for the next shipment.
  r = RateLane("TESTCO01");
  EXPECT_EQ("000144.00", Charges(r));
  // A companion whose rate file is missing is the shipment's status.
  std::filesystem::remove(data_.File("TESTCO2A.R01"));
  EXPECT_EQ("0208", Status(RateLane("TESTCO01")));
}

TEST_F(CompanionTest, OwnCodeRenamesTheTariffAndTakesTheCompanionType) {
  // Code "2B" with letter 'G': the files of TESTCP2B, read as 52-byte records of type 'G'
  // (8000; rates from V(4) on: 3000 2400 1800, factored by the cell rule). Letter 'P' has
  // no kind row.
  data_.Write("EFCREC.TBL", testkit::EfcrecFile({Line(1, "TESTCP01", "20240101", "2B", 'G'),
                                                 Line(1, "TESTCQ01", "20240101", "2B", 'P')}));
  WriteSelected("TESTCP01");
  WriteCompanion("TESTCP2B", {3, " 00777B", {8000, 0, 0, 0, 3000, 2400, 1800}}, 52);
  WriteSelected("TESTCQ01");
  WriteCompanion("TESTCQ2B", {3, " 00777B", {8000, 0, 0, 0, 3000, 2400, 1800}}, 52);
  ASSERT_EQ(kOk, InitializeEngine(engine_, data_.path().c_str()));

  Record r = RateLane("TESTCP01");
  ASSERT_EQ("    ", Status(r));
  ExpectMatrix(r, {1500, 1200, 900, 3000, 2400, 1800, 6000, 4800, 3600});
  EXPECT_EQ("0080.00", MinimumCharge(r));
  EXPECT_EQ("000144.00", Charges(r));
  EXPECT_EQ("     00777B", RateBasis(r));
  EXPECT_EQ("TESTCP2B", std::string(engine_.current_tariff.tariff_name.data(), 8));
  EXPECT_EQ('G', engine_.current_tariff.point_type);

  // A companion letter without a kind row.
  EXPECT_EQ("0202", Status(RateLane("TESTCQ01")));
}

}  // namespace
}  // namespace tolv
