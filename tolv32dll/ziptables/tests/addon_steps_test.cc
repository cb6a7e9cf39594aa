// The Lite table, the type directories and the add-on steps over files built by the
// writers (and one Lite table tail built byte by byte).
#include "tolv32dll/ziptables/addon_steps.h"

#include <gtest/gtest.h>

#include <cstring>

#include "testkit/points/memory_rating_files.h"
#include "testkit/ziptables/memory_zip_table_files.h"
#include "testkit/ziptables/zip_table_writers.h"

namespace tolv {
namespace {

std::string Row(const LiteTableRow& r) {
  return std::string(1, r.letter) + std::string(r.threshold.data(), 5) +
         std::string(r.table.data(), 3) + r.flag;
}

TEST(LiteTableTest, TailBetweenStartAndEndRows) {
  // Directory-less bytes: noise, the start row, two rows, the end row, a trailing row.
  std::string text = "junkjunkjuX     000XA00   005NA01   006YX     000XZ     123N";
  MemoryFile file(std::vector<std::uint8_t>(text.begin(), text.end()));
  std::vector<LiteTableRow> table = LoadLiteTable(file);
  ASSERT_EQ(3u, table.size());
  EXPECT_EQ("A00   005N", Row(table[0]));
  EXPECT_EQ("A01   006Y", Row(table[1]));
  EXPECT_EQ("*     000X", Row(table[2]));

  // A start row of another letter, a file shorter than a row, or no end row: built in.
  const std::size_t built_in = DefaultLiteTable().size();
  text = "B     000XA00   005NX     000X";
  EXPECT_EQ(built_in, LoadLiteTable(MemoryFile({text.begin(), text.end()})).size());
  EXPECT_EQ(built_in, LoadLiteTable(MemoryFile({'X', '0'})).size());
  text = "A00   005NA01   006Y";
  EXPECT_EQ(built_in, LoadLiteTable(MemoryFile({text.begin(), text.end()})).size());
}

class AddonStepsTest : public ::testing::Test {
 protected:
  AddonStepsTest() {
    terms_.tariff.point_type = 'L';
    points_.Reset("15213", "", "30301", "");
  }
  void SetBase(const std::vector<testkit::LiteBaseRow>& rows,
               const std::vector<testkit::LiteTableLine>& table = {}) {
    tables_.Set(".B", testkit::LiteBaseFile(rows, table));
  }
  void SetMatrix(const std::vector<testkit::LiteMatrixRow>& rows) {
    tables_.Set(".K", testkit::LiteMatrixFile(rows));
  }
  void SetNumber(const char* record) { std::memcpy(work_.lite_record.data(), record, 10); }

  testkit::MemoryRatingFiles files_;
  RateBasisTerms terms_;
  PointState points_;
  ListRequest request_;
  RateBasisState state_;
  MethodContext method_{files_, terms_, points_, request_, state_, 0, 52};
  testkit::MemoryZipTableFiles tables_;
  std::vector<LiteTableRow> lite_table_;
  LiteWork work_;
  HcityList hcity_;
  LiteContext ctx_{method_, tables_, lite_table_, work_, &hcity_, {}, {}};
};

TEST_F(AddonStepsTest, PrepareNeedsBothFilesAndReadsTheDirectories) {
  EXPECT_EQ(kErrEbsopn, PrepareLite(ctx_));
  SetBase({{"A1", "15200", "15299", "00152", "00150"}, {"E ", "30300", "30399", "00303", "00000"}});
  EXPECT_EQ(kErrEmtopn, PrepareLite(ctx_));
  SetMatrix({});
  ASSERT_EQ(kOk, PrepareLite(ctx_));
  EXPECT_EQ(DefaultLiteTable(), lite_table_);  // no table at the tail
  auto range = work_.base_directory.RangeOf(TypeCode("E "));
  ASSERT_TRUE(range.has_value());
  EXPECT_EQ(120 + 12, range->first);
  EXPECT_EQ(120 + 24, range->second);
  EXPECT_FALSE(work_.base_directory.RangeOf(TypeCode("B ")).has_value());
}

TEST_F(AddonStepsTest, TableNumberByThreshold) {
  SetBase({}, {{'L', "00000", "011", 'N'}, {'L', "01000", "012", 'Y'}, {'L', "05000", "013", 'N'},
               {'Q', "", "020", 'X'}});
  SetMatrix({});
  ASSERT_EQ(kOk, PrepareLite(ctx_));
  SetNumber("001 03000L");
  EXPECT_EQ(12, *SelectTableNumber(ctx_, 'L'));
  EXPECT_EQ("012 03000L", std::string(work_.lite_record.data(), 10));
  EXPECT_EQ(1, work_.addon_flag);
  SetNumber("001 00999L");
  EXPECT_EQ(11, *SelectTableNumber(ctx_, 'L'));
  EXPECT_EQ(0, work_.addon_flag);
  // A flag other than 'Y' or 'N' leaves -1; a letter past every row meets the end row '*'
  // and keeps the record's own number.
  EXPECT_EQ(20, *SelectTableNumber(ctx_, 'Q'));
  EXPECT_EQ(-1, work_.addon_flag);
  SetNumber("007 00999Z");
  EXPECT_EQ(7, *SelectTableNumber(ctx_, 'Z'));
  // The built-in table has no end row '*': a letter it lacks is refused.
  lite_table_ = DefaultLiteTable();
  EXPECT_EQ(kErrBadtno, SelectTableNumber(ctx_, 'Z').error());
  EXPECT_EQ(2, *SelectTableNumber(ctx_, 'B'));
}

TEST_F(AddonStepsTest, SumsCountAmount2020AsNothing) {
  SetBase({{"H ", "15200", "15299", "00152", "02020"}, {"H ", "30300", "30399", "00303", "00150"}});
  SetMatrix({});
  ASSERT_EQ(kOk, PrepareLite(ctx_));
  EXPECT_EQ(150, *SumAddons(ctx_, TypeCode("H ")));
  // Point type 'L' insists on both "H" records.
  points_.destination.code = "40000";
  EXPECT_EQ(kErrBadcmb, SumAddons(ctx_, TypeCode("H ")).error());
  terms_.tariff.point_type = 'E';
  EXPECT_EQ(0, *SumAddons(ctx_, TypeCode("H ")));
}

TEST_F(AddonStepsTest, LetterERaisesTheNumberPerEndOfTypeE) {
  SetBase({{"E ", "15200", "15299", "00152", "00000"}, {"E ", "30300", "30399", "00303", "00000"}});
  SetMatrix({});
  ASSERT_EQ(kOk, PrepareLite(ctx_));
  SetNumber("005 01000E");
  char letter = 'E';
  EXPECT_EQ(0, *AddonByMethod(ctx_, letter));
  EXPECT_EQ("01140", work_.Number());
  points_.destination.code = "40000";  // one end only
  EXPECT_EQ(0, *AddonByMethod(ctx_, letter));
  EXPECT_EQ("01210", work_.Number());
}

TEST_F(AddonStepsTest, LetterDGivesAMissingEndItsPrefixPoint) {
  // The origin has a record (point 00152); the destination 30301 has none and becomes point
  // 30399, and the pair (00152, 30399) is in the matrix.
  SetBase({{"D ", "15200", "15299", "00152", "00000"}},
          {{'R', "", "021", 'N'}});
  SetMatrix({{"D ", "00152", "30399", "04321", 'R'}});
  ASSERT_EQ(kOk, PrepareLite(ctx_));
  SetNumber("005 00000D");
  char letter = 'D';
  ASSERT_EQ(1, *AddonByMethod(ctx_, letter));
  EXPECT_EQ('R', letter);
  EXPECT_EQ("021 04321R", std::string(work_.lite_record.data(), 10));
  EXPECT_EQ(0, work_.addon_flag);
}

TEST_F(AddonStepsTest, MatrixOrdersThePointsAndLetterAChoosesItsType) {
  // "A1" finds no destination; "A2" finds both ends, whose points are stored lower first.
  SetBase({{"A1", "15200", "15299", "00152", "00000"},
           {"A2", "15200", "15299", "00900", "00000"},
           {"A2", "30300", "30399", "00303", "00000"}});
  SetMatrix({{"A2", "00303", "00900", "00777", 'B'}});
  ASSERT_EQ(kOk, PrepareLite(ctx_));
  SetNumber("001 00000A");
  char letter = 'A';
  ASSERT_EQ(1, *AddonByMethod(ctx_, letter));
  EXPECT_EQ('B', letter);
  EXPECT_EQ("00777", work_.Number());
  EXPECT_EQ("A2", std::string(work_.type_code.data(), 2));
  // The built-in table's 'B' row: table 002.
  EXPECT_EQ("002", std::string(work_.lite_record.data(), 3));
}

TEST_F(AddonStepsTest, LetterHInsideOnePointTakesTheCityValue) {
  SetBase({{"H ", "15200", "15299", "00152", "00030"}, {"H ", "30300", "30399", "00152", "00045"}});
  SetMatrix({});
  ASSERT_EQ(kOk, PrepareLite(ctx_));
  hcity_.count = 2;
  hcity_.entries[0] = {50, 9000, {}};
  hcity_.entries[1] = {100, 9500, {}};
  std::vector<int> reloads;
  terms_.reload_factor_set = [&](int set) {
    reloads.push_back(set);
    return kOk;
  };
  SetNumber("001 01000H");
  char letter = 'H';
  EXPECT_EQ(0, *AddonByMethod(ctx_, letter));
  EXPECT_EQ("09500", work_.Number());  // sum 75: the first threshold at least 75 is 100
  // The entries are those of the tariff as loaded: the table number is chosen, not loaded.
  EXPECT_EQ("012", std::string(work_.lite_record.data(), 3));
  EXPECT_TRUE(reloads.empty());
  hcity_.count = 0;
  SetNumber("001 01000H");
  EXPECT_EQ(0, *AddonByMethod(ctx_, letter));
  EXPECT_EQ("01075", work_.Number());
}

}  // namespace
}  // namespace tolv
