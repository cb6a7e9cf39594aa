// The Lite rate-basis methods through the dispatcher: a lane from 15000 (point 1) to 25000
// (point 2) whose index entry names record 0 of ".R", over Lite E bases, matrices and RBNO
// add-ons built by the writers. Every expected number is worked out by hand from the
// files each test builds.
#include "tolv32dll/ziptables/lite_methods.h"

#include <gtest/gtest.h>

#include "testkit/points/memory_rating_files.h"
#include "testkit/points/point_files.h"
#include "testkit/rates/rate_files.h"
#include "testkit/ziptables/memory_zip_table_files.h"
#include "testkit/ziptables/zip_table_writers.h"
#include "tolv32dll/ratebasis/dispatch.h"

namespace tolv {
namespace {

using testkit::LiteBaseRow;
using testkit::LiteMatrixRow;
using testkit::LiteTableLine;
using testkit::RateRow;

class LiteMethodsTest : public ::testing::Test {
 protected:
  LiteMethodsTest() {
    files_.Set(".P", testkit::PointFile({{"10000", "19999", 1, 0}, {"20000", "29999", 2, 0}}));
    files_.Set(".I", testkit::RateIndex16({std::nullopt, std::nullopt, 1, std::nullopt, 0}));
    points_.Reset("15000", "", "25000", "");
    request_.origin_zip = "15000";
    request_.destination_zip = "25000";
    terms_.reload_factor_set = [this](int set) {
      reloads_.push_back(set);
      return kOk;
    };
    auto companion = [this]() -> Result<std::size_t> {
      ++switches_;
      return std::size_t{52};
    };
    terms_.lite_steps = MakeLiteSteps({tables_, lite_table_, work_, &hcity_, companion, {}});
  }
  void Rates(const std::vector<RateRow>& rows, std::size_t length = 52) {
    files_.Set(".R", testkit::RateFile(rows, length));
  }
  void Base(const std::vector<LiteBaseRow>& rows, const std::vector<LiteTableLine>& table = {}) {
    tables_.Set(".B", testkit::LiteBaseFile(rows, table, terms_.tariff.point_type == 'M'));
  }
  void Matrix(const std::vector<LiteMatrixRow>& rows) {
    tables_.Set(".K", testkit::LiteMatrixFile(rows, terms_.tariff.point_type == 'M'));
  }
  ErrorNumber Find(char point_type) {
    terms_.tariff.point_type = point_type;
    reloads_.clear();
    switches_ = 0;
    return FindRateBasis(files_, terms_, points_, request_, state_);
  }
  std::string First10() const { return state_.record.Text(0, 10); }
  unsigned Value1() const { return static_cast<unsigned>(state_.record.Value(1)); }

  testkit::MemoryRatingFiles files_;
  testkit::MemoryZipTableFiles tables_;
  RateBasisTerms terms_;
  PointState points_;
  ListRequest request_;
  RateBasisState state_;
  std::vector<LiteTableRow> lite_table_;
  LiteWork work_;
  HcityList hcity_;
  std::vector<int> reloads_;
  int switches_ = 0;
};

TEST_F(LiteMethodsTest, MethodEBuildsTheNumberFromTheA1Pair) {
  // Record 0 lacks a number. Both ends have "A1" points (152 and 303) whose matrix entry is
  // 00777 'B'; the built-in table gives 'B' the set 002, and the final record is read.
  Rates({{1, " 00000A", {100}}, {2, " 00777B", {4200, 1234}}}, 40);
  Base({{"A1", "15000", "15099", "00152"}, {"A1", "25000", "25099", "00303"}});
  Matrix({{"A1", "00152", "00303", "00777", 'B'}});
  ASSERT_EQ(kOk, Find('E'));
  EXPECT_EQ("002 00777B", First10());
  EXPECT_EQ(1234u, static_cast<unsigned>(state_.record.Value(1)));
  EXPECT_EQ("00777B", state_.printed_number);
  EXPECT_EQ((std::vector<int>{1, 2}), reloads_);  // the record's own set, then the Lite one

  // No matrix entry for the pair: the record stays without a number.
  Matrix({{"A1", "00152", "00304", "00777", 'B'}});
  EXPECT_EQ(kErrIvdcmb, Find('E'));
  // A record that has its number needs no Lite files at all.
  Rates({{1, " 00120A", {100}}}, 40);
  tables_ = testkit::MemoryZipTableFiles();
  ASSERT_EQ(kOk, Find('E'));
  EXPECT_EQ("00120A", state_.printed_number);
}

TEST_F(LiteMethodsTest, MethodIAddsBothRbnoAmounts) {
  // 01000 + 250 (forward) - 50 (reverse) = 01200; 'D' has the built-in set 004.
  Rates({{1, " 01000D", {}}, {4, " 01200D", {9000, 777}}});
  std::vector<testkit::RbnoRow> rbno = {{'D', "15000", "15099", "25000", "25099", '+', "00250"},
                                        {'D', "25000", "25099", "15000", "15099", '-', "00050"}};
  tables_.Set(".H", testkit::RbnoFile(rbno));
  Base({});
  Matrix({});
  ASSERT_EQ(kOk, Find('I'));
  EXPECT_EQ("004 01200D", First10());
  EXPECT_EQ(777u, static_cast<unsigned>(state_.record.Value(1)));
  EXPECT_EQ(std::vector<int>{4}, reloads_);

  // Amounts that cancel leave a record without a number: 223.
  Rates({{1, " 00000D", {}}, {4, " 01200D", {}}});
  rbno[1].amount = "00250";
  tables_.Set(".H", testkit::RbnoFile(rbno));
  EXPECT_EQ(kErrInvrbn, Find('I'));
  // Without ".H" the method cannot run.
  tables_ = testkit::MemoryZipTableFiles();
  EXPECT_EQ(kErrTrbopn, Find('I'));
}

TEST_F(LiteMethodsTest, MethodJNumbersWithSixDigits) {
  // Seed "011 000000". The "J2" points 152/303 give 00043 and the digit '0' in the "J "
  // matrix: the number 000430, whose first digit chooses the table and whose last five meet
  // the thresholds: 00430 reaches 00400, set 022. The "J1" amounts add 10 + 20: 000460.
  const std::vector<LiteTableLine> table = {{'0', "00000", "021", 'N'}, {'0', "00400", "022", 'N'}};
  Base({{"J1", "15000", "15099", "00001", "00010"},
        {"J1", "25000", "25099", "00002", "00020"},
        {"J2", "15000", "15099", "00152"},
        {"J2", "25000", "25099", "00303"}},
       table);
  Matrix({{"J ", "00152", "00303", "00043", '0'}});
  Rates({{1, " 00000J", {}}, {22, " 000450", {5000, 111}}, {22, " 000460", {5000, 321}}});
  ASSERT_EQ(kOk, Find('J'));
  EXPECT_EQ("022 000460", First10());
  EXPECT_EQ(321u, Value1());
  EXPECT_EQ("000460", state_.printed_number);
  EXPECT_EQ(std::vector<int>{22}, reloads_);

  // The six-digit number is read exactly: without its record the lane's index decides.
  Rates({{1, " 00000J", {}}, {22, " 000450", {5000, 111}}});
  ASSERT_EQ(kOk, Find('J'));
  EXPECT_EQ("001 00000J", First10());
  // Without "J1" records the "J2" amounts are not added in their place.
  Base({{"J2", "15000", "15099", "00152", "00005"}, {"J2", "25000", "25099", "00303", "00007"}},
       table);
  Rates({{1, " 00000J", {}}, {22, " 000430", {5000, 222}}, {22, " 000442", {5000, 333}}});
  ASSERT_EQ(kOk, Find('J'));
  EXPECT_EQ("022 000430", First10());
  // No "J2" pair: the record at the lane's index.
  Base({{"J1", "15000", "15099", "00001", "00010"}}, table);
  ASSERT_EQ(kOk, Find('J'));
  EXPECT_EQ("001 00000J", First10());
}

TEST_F(LiteMethodsTest, MethodKByYear) {
  // Year 94, letter 'H': "H " points 152/303 (amounts 30 and 45) give 02000 'G'; number
  // 02000 + 75, letter 'G'; the original letter 'H' keeps the built-in set 012.
  terms_.tariff.year = 94;
  Base({{"H ", "15000", "15099", "00152", "00030"}, {"H ", "25000", "25099", "00303", "00045"}});
  Matrix({{"H ", "00152", "00303", "02000", 'G'}});
  Rates({{1, " 01000H", {}}, {12, " 02075G", {6000, 55}}});
  ASSERT_EQ(kOk, Find('K'));
  EXPECT_EQ("012 02075G", First10());
  EXPECT_EQ(std::vector<int>{12}, reloads_);

  // Year 92, letter 'E': no add-on for a number not above 20000; one above takes the "E1"
  // sum 30 + 45. 'E' has the built-in thresholds 1-4: 20100 is at "2", set 006.
  terms_.tariff.year = 92;
  Base({{"E1", "15000", "15099", "00152", "00030"}, {"E1", "25000", "25099", "00303", "00045"}});
  Rates({{1, " 01000E", {}}});
  ASSERT_EQ(kOk, Find('K'));
  EXPECT_EQ("001 01000E", First10());
  Rates({{1, " 20100E", {}}, {6, " 20175E", {7000, 66}}});
  ASSERT_EQ(kOk, Find('K'));
  EXPECT_EQ("006 20175E", First10());
  EXPECT_EQ(std::vector<int>{6}, reloads_);
  // Year 93 'E' always takes it.
  terms_.tariff.year = 93;
  Rates({{1, " 01000E", {}}, {5, " 01075E", {7000, 67}}});
  ASSERT_EQ(kOk, Find('K'));
  EXPECT_EQ("005 01075E", First10());
}

TEST_F(LiteMethodsTest, MethodKYear95LettersHAndNTakeTheirTypeFromTheNumber) {
  terms_.tariff.year = 95;
  // Every type has points 152 (origin) and 303 (destination) but "N3", whose destination
  // shares the origin's point 152.
  Base({{"H ", "15000", "15099", "00152", "00005"}, {"H ", "25000", "25099", "00303", "00005"},
        {"H1", "15000", "15099", "00152", "00030"}, {"H1", "25000", "25099", "00303", "00045"},
        {"H2", "15000", "15099", "00152", "00100"}, {"H2", "25000", "25099", "00303", "00200"},
        {"N ", "15000", "15099", "00152", "00005"}, {"N ", "25000", "25099", "00152", "00005"},
        {"N2", "15000", "15099", "00152", "00030"}, {"N2", "25000", "25099", "00303", "00045"},
        {"N3", "15000", "15099", "00152", "00030"}, {"N3", "25000", "25099", "00152", "00045"}},
       {{'D', "", "004", 'N'}, {'G', "", "011", 'N'}, {'H', "", "012", 'N'}, {'N', "", "031", 'N'}});
  Matrix({{"H ", "00152", "00303", "06000", 'G'},
          {"H1", "00152", "00303", "02000", 'G'},
          {"H2", "00152", "00303", "04000", 'D'},
          {"N2", "00152", "00303", "03000", 'D'}});

  // " 00001H": type "H1", 02000 'G' plus 30 + 45; the record's own 'H' keeps set 012.
  Rates({{1, " 00001H", {}}, {12, " 02075G", {0, 41}}});
  ASSERT_EQ(kOk, Find('K'));
  EXPECT_EQ("012 02075G", First10());
  EXPECT_EQ(41u, Value1());
  EXPECT_EQ(std::vector<int>{12}, reloads_);
  // " 00002H": type "H2", 04000 'D' plus 100 + 200.
  Rates({{1, " 00002H", {}}, {12, " 04300D", {0, 42}}});
  ASSERT_EQ(kOk, Find('K'));
  EXPECT_EQ("012 04300D", First10());
  // Any other number takes no add-on, though "H " records would fit the lane.
  Rates({{1, " 00005H", {}}, {12, " 00005H", {0, 43}}, {12, " 06010G", {0, 44}}});
  ASSERT_EQ(kOk, Find('K'));
  EXPECT_EQ("012 00005H", First10());
  EXPECT_EQ(43u, Value1());

  // " 00002N", two add-on points: 03000 'D' plus 75 under the set of 'N'.
  Rates({{1, " 00002N", {}}, {31, " 03075D", {0, 51}}});
  ASSERT_EQ(kOk, Find('K'));
  EXPECT_EQ("031 03075D", First10());
  EXPECT_EQ(std::vector<int>{31}, reloads_);
  // " 00003N", one add-on point: the set of 'N' is loaded and the first city entry whose
  // threshold reaches the sum 75 (100) gives 09500.
  hcity_.count = 2;
  hcity_.entries[0] = {50, 9000, {}};
  hcity_.entries[1] = {100, 9500, {}};
  Rates({{1, " 00003N", {}}, {31, " 09500N", {0, 52}}});
  ASSERT_EQ(kOk, Find('K'));
  EXPECT_EQ("031 09500N", First10());
  EXPECT_EQ(52u, Value1());
  EXPECT_EQ((std::vector<int>{31, 31}), reloads_);
  // No entry reaches the sum: type "N3" lies 5000 further on, 05075.
  hcity_.count = 1;
  Rates({{1, " 00003N", {}}, {31, " 05075N", {0, 53}}});
  ASSERT_EQ(kOk, Find('K'));
  EXPECT_EQ("031 05075N", First10());
  // Any other number: no add-on, and no city value for the "N " points that coincide.
  Rates({{1, " 00007N", {}}, {31, " 00007N", {0, 54}}});
  ASSERT_EQ(kOk, Find('K'));
  EXPECT_EQ("031 00007N", First10());
  EXPECT_EQ(std::vector<int>{31}, reloads_);
}

TEST_F(LiteMethodsTest, MethodKLetterMReadsUnderADigitZero) {
  // "M " points 152/303 with amounts 30 and 45.
  Base({{"M ", "15000", "15099", "00152", "00030"}, {"M ", "25000", "25099", "00303", "00045"}},
       {{'C', "", "003", 'N'}, {'E', "", "005", 'N'}, {'M', "", "041", 'N'}});
  // Year 95 with a matrix letter: 12000 'C' + 75 is read as 02075 and printed 12075.
  terms_.tariff.year = 95;
  Matrix({{"M ", "00152", "00303", "12000", 'C'}});
  Rates({{1, " 10000M", {}}, {41, " 02075C", {0, 61}}});
  ASSERT_EQ(kOk, Find('K'));
  EXPECT_EQ("041 12075C", First10());
  EXPECT_EQ(61u, Value1());
  EXPECT_EQ("12075C", state_.printed_number);
  // Nothing to read: the lane's record keeps its own first digit.
  Rates({{1, " 20000M", {0, 60}}});
  ASSERT_EQ(kOk, Find('K'));
  EXPECT_EQ("20000M", state_.printed_number);
  EXPECT_EQ(60u, Value1());
  // Year 94: the matrix entry's number, not the record's, takes the sum: 03075 'E'.
  terms_.tariff.year = 94;
  Matrix({{"M ", "00152", "00303", "03000", 'E'}});
  Rates({{1, " 00500M", {}}, {41, " 00575E", {0, 62}}, {41, " 03075E", {0, 63}}});
  ASSERT_EQ(kOk, Find('K'));
  EXPECT_EQ("041 03075E", First10());
  EXPECT_EQ(63u, Value1());
}

TEST_F(LiteMethodsTest, MethodKCityValueNeedsBothAddonPoints) {
  // Year 92, letter 'I' (which also reads the ".M" block).
  terms_.tariff.year = 92;
  files_.Set(".M", testkit::MinBlock({}));
  hcity_.count = 1;
  hcity_.entries[0] = {100, 9000, {}};
  Matrix({});
  Rates({{1, " 01500I", {}}, {51, " 01500I", {0, 81}}, {51, " 09000I", {0, 82}}});
  // Both ends at point 152: the set of 'I' is loaded and the entry reaching 30 + 45 gives
  // 09000.
  const std::vector<LiteTableLine> table = {{'I', "", "051", 'N'}};
  Base({{"I ", "15000", "15099", "00152", "00030"}, {"I ", "25000", "25099", "00152", "00045"}},
       table);
  ASSERT_EQ(kOk, Find('K'));
  EXPECT_EQ("051 09000I", First10());
  EXPECT_EQ(82u, Value1());
  EXPECT_EQ((std::vector<int>{51, 51}), reloads_);
  // No "I " record for either end means no add-on point at all: the number stays.
  Base({{"I ", "40000", "40099", "00152", "00030"}}, table);
  ASSERT_EQ(kOk, Find('K'));
  EXPECT_EQ("051 01500I", First10());
  EXPECT_EQ(81u, Value1());
  EXPECT_EQ(std::vector<int>{51}, reloads_);
}

TEST_F(LiteMethodsTest, MethodsIAndKHaveTheirOwnReaders) {
  // Method 'I' reads an 'H' record under its own first digit.
  tables_.Set(".H", testkit::RbnoFile({{'Q', "15000", "15099", "25000", "25099", '+', "00250"}}));
  Base({});
  Matrix({});
  Rates({{1, " 15000H", {}}, {12, " 05000H", {0, 71}}, {12, " 15000H", {0, 72}}});
  ASSERT_EQ(kOk, Find('I'));
  EXPECT_EQ("012 15000H", First10());
  EXPECT_EQ(72u, Value1());
  // Its 'B' row without an add-on flag switches to the companion first.
  Base({}, {{'B', "", "002", ' '}, {'F', "", "009", ' '}});
  Rates({{1, " 01000B", {}}, {2, " 01000B", {0, 73}}});
  ASSERT_EQ(kOk, Find('I'));
  EXPECT_EQ(1, switches_);
  EXPECT_EQ(73u, Value1());
  // Method 'K' switches only for a flag of 1, which reads nothing: an 'F' row without a
  // flag stays with the tariff.
  terms_.tariff.year = 94;
  Rates({{1, " 01000F", {}}, {9, " 01000F", {0, 74}}});
  ASSERT_EQ(kOk, Find('K'));
  EXPECT_EQ(0, switches_);
  EXPECT_EQ("009 01000F", First10());
}

TEST_F(LiteMethodsTest, ARecordWithoutNumberSeeksNoArea) {
  // The Lite record 002 00000B finds its record; area 0000 of set 002 would lead on to area
  // 0003 (the origin's increment), but a record without a number ends the method.
  files_.Set(".H", testkit::AreaCompanionFile({{2, 0, 9999, 9999}}, {}));
  files_.Set(".O", testkit::AreaIncrementFile({{"15000", 9999, 'F', 3}}));
  Base({});
  Matrix({});
  Rates({{1, " 00000B", {}}, {2, " 00000B", {}}, {2, " 00003B", {}}});
  EXPECT_EQ(kErrIvdcmb, Find('L'));
}

TEST_F(LiteMethodsTest, MethodLStepsByLetter) {
  // Letter 'E': both ends "E " raise 01000 by 70 each; the set of 'E' at "0" is 005 in the
  // built-in table (number below "1"), and the record is then read.
  Base({{"E ", "15000", "15099", "00152"}, {"E ", "25000", "25099", "00303"}});
  Matrix({});
  Rates({{1, " 01000E", {}}, {5, " 01140E", {100, 88}}});
  ASSERT_EQ(kOk, Find('L'));
  EXPECT_EQ("005 01140E", First10());
  EXPECT_EQ(std::vector<int>{5}, reloads_);

  // Letter 'A' with a number and add-on mode '0' takes no step.
  terms_.tariff.addon_mode = '0';
  Rates({{1, " 01000A", {}}});
  ASSERT_EQ(kOk, Find('L'));
  EXPECT_EQ("001 01000A", First10());

  // Point type 'L' insists on both "H " records.
  Base({{"H ", "15000", "15099", "00152"}});
  Rates({{1, " 01000H", {}}});
  EXPECT_EQ(kErrBadcmb, Find('L'));
}

TEST_F(LiteMethodsTest, MethodMReadsTheTextFormBase) {
  // Text-form records: "H " points 15200/30300 with amounts 30 and 45 give 00500 'C' in the
  // matrix; the seed "001 00000H" becomes 00500 + 75 with letter 'C' (set 003 below).
  terms_.tariff.point_type = 'M';  // the writers' text form
  // The seed's letter '0' needs the end row of a table at the tail of ".B".
  Base({{"H ", "15000", "15099", "15200", "00030"}, {"H ", "25000", "25099", "30300", "00045"}},
       {{'C', "", "003", 'N'}, {'D', "", "004", 'N'}});
  Matrix({{"H ", "15200", "30300", "00500", 'C'}});
  Rates({{1, " 00000H", {}}, {3, " 00575C", {100, 99}}});
  ASSERT_EQ(kOk, Find('M'));
  EXPECT_EQ("003 00575C", First10());
  EXPECT_EQ(99u, static_cast<unsigned>(state_.record.Value(1)));
  EXPECT_EQ(std::vector<int>{3}, reloads_);

  // Without a matrix entry the record at the lane's index decides.
  Matrix({});
  Rates({{4, " 00321D", {}}});
  ASSERT_EQ(kOk, Find('M'));
  EXPECT_EQ("004 00321D", First10());
}

}  // namespace
}  // namespace tolv
