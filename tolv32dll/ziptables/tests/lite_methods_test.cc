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
    terms_.lite_steps = MakeLiteSteps({tables_, lite_table_, work_, &hcity_, {}, {}});
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
    return FindRateBasis(files_, terms_, points_, request_, state_);
  }
  std::string First10() const { return state_.record.Text(0, 10); }

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

TEST_F(LiteMethodsTest, MethodJTakesTheJ2PairOrFallsBackOnTheIndex) {
  // Seed "011 000000": the table has no row '0', so its end row keeps the set 011. The "J2"
  // points 152/303 give 00400 'E' in the "J " matrix; the "J1" amounts add 10 + 20.
  const std::vector<LiteTableLine> table = {{'E', "", "021", 'N'}};
  Base({{"J1", "15000", "15099", "00001", "00010"},
        {"J1", "25000", "25099", "00002", "00020"},
        {"J2", "15000", "15099", "00152"},
        {"J2", "25000", "25099", "00303"}},
       table);
  Matrix({{"J ", "00152", "00303", "00400", 'E'}});
  Rates({{1, " 00000J", {}}, {11, " 00430E", {5000, 321}}});
  ASSERT_EQ(kOk, Find('J'));
  EXPECT_EQ("011 00430E", First10());
  EXPECT_EQ(321u, static_cast<unsigned>(state_.record.Value(1)));
  EXPECT_EQ(std::vector<int>{11}, reloads_);

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
