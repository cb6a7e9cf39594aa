#include "KMLIB/td_text_files.h"

#include <gtest/gtest.h>

#include "testkit/td/td_writers.h"
#include "testkit/temp_dir.h"

namespace kmlib {
namespace {

TEST(TdvTest, ReadsFiveTwoDigitNumbersPerLine) {
  testkit::TempDir dir;
  dir.Write("TDV.SEQ", "0120240101\r\n0220250615\r\n");
  std::vector<TdVersionRow> rows;
  ASSERT_EQ(TdStatus::kOk, ReadTdv(dir.File("TDV.SEQ"), &rows));
  ASSERT_EQ(2u, rows.size());
  EXPECT_EQ(2, rows[1].version);
  EXPECT_EQ(20, rows[1].century);
  EXPECT_EQ(25, rows[1].year);
  EXPECT_EQ(6, rows[1].month);
  EXPECT_EQ(15, rows[1].day);
}

TEST(TdvTest, BlanksAreSkippedAsScanfSkipsThem) {
  // " 1" then "20": a leading blank does not count towards the width of a field.
  testkit::TempDir dir;
  dir.Write("TDV.SEQ", " 120240101\r\n");
  std::vector<TdVersionRow> rows;
  ASSERT_EQ(TdStatus::kOk, ReadTdv(dir.File("TDV.SEQ"), &rows));
  EXPECT_EQ(12, rows[0].version);
  EXPECT_EQ(2, rows[0].century);
  EXPECT_EQ(40, rows[0].year);
}

TEST(TdvTest, LongShortAndUnreadableLines) {
  // A long line's rest reads as a line of its own; a short line counts when its version
  // number reads; a line that does not read is skipped.
  testkit::TempDir dir;
  std::vector<TdVersionRow> rows;
  dir.Write("TDV.SEQ", "0120240101" + std::string(29, ' ') + "0320250101\r\n"
                       "04202401\r\nxx20240101\r\n\r\n");
  ASSERT_EQ(TdStatus::kOk, ReadTdv(dir.File("TDV.SEQ"), &rows));
  ASSERT_EQ(3u, rows.size());
  EXPECT_EQ(1, rows[0].version);
  EXPECT_EQ(3, rows[1].version);
  EXPECT_EQ(25, rows[1].year);
  EXPECT_EQ(4, rows[2].version);
  EXPECT_EQ(1, rows[2].month);
  EXPECT_EQ(0, rows[2].day);
  dir.Write("TDV.SEQ", "xx\r\n");
  EXPECT_EQ(TdStatus::kEmpty, ReadTdv(dir.File("TDV.SEQ"), &rows));
}

TEST(TdvTest, MissingEmptyAndTooManyAreReported) {
  testkit::TempDir dir;
  std::vector<TdVersionRow> rows;
  EXPECT_EQ(TdStatus::kCannotOpen, ReadTdv(dir.File("TDV.SEQ"), &rows));
  dir.Write("TDV.SEQ", "");
  EXPECT_EQ(TdStatus::kEmpty, ReadTdv(dir.File("TDV.SEQ"), &rows));
  std::vector<testkit::TdvLine> lines(51, testkit::TdvLine{1, 20, 24, 1, 1});
  dir.Write("TDV.SEQ", testkit::TdvFile(lines));
  EXPECT_EQ(TdStatus::kBadData, ReadTdv(dir.File("TDV.SEQ"), &rows));
  lines.pop_back();
  dir.Write("TDV.SEQ", testkit::TdvFile(lines));
  EXPECT_EQ(TdStatus::kOk, ReadTdv(dir.File("TDV.SEQ"), &rows));
  EXPECT_EQ(50u, rows.size());
}

TEST(TdsTest, ParsesSevenFieldsAndTakesTheLargestGroup) {
  testkit::TempDir dir;
  dir.Write("TDS.SEQ", "010010021000000199\r\n03005006200\r\n\r\n");
  TdSelectTable table;
  ASSERT_EQ(TdStatus::kOk, ReadTds(dir.File("TDS.SEQ"), &table));
  ASSERT_EQ(2u, table.rows.size());
  EXPECT_EQ(3, table.group_count);
  const TdSelectRow& r = table.rows[0];
  EXPECT_EQ(1, r.group);
  EXPECT_EQ(1, r.origin_value);
  EXPECT_EQ(2, r.destination_value);
  EXPECT_EQ(100, r.result);
  EXPECT_EQ(0, r.second_result);
  EXPECT_EQ(1, r.first_version);
  EXPECT_EQ(99, r.last_version);
  // A short line counts; the fields it lacks are zero, not left over.
  EXPECT_EQ(200, table.rows[1].result);
  EXPECT_EQ(0, table.rows[1].second_result);
  EXPECT_EQ(0, table.rows[1].last_version);
}

TEST(TdsTest, KeepsThreeHundredLinesAndRefusesBadGroups) {
  testkit::TempDir dir;
  std::vector<testkit::TdsLine> lines(300, testkit::TdsLine{1, 1, 2, 100, 0, 1, 99});
  lines.push_back({2, 1, 2, 200, 0, 1, 99});
  dir.Write("TDS.SEQ", testkit::TdsFile(lines));
  TdSelectTable table;
  ASSERT_EQ(TdStatus::kOk, ReadTds(dir.File("TDS.SEQ"), &table));
  EXPECT_EQ(300u, table.rows.size());
  EXPECT_EQ(1, table.group_count);  // the 301st line is ignored

  dir.Write("TDS.SEQ", testkit::TdsFile({{51, 1, 2, 100, 0, 1, 99}}));
  EXPECT_EQ(TdStatus::kBadData, ReadTds(dir.File("TDS.SEQ"), &table));
  // 79 characters make a line; the rest of a longer one is the next line (group 11).
  dir.Write("TDS.SEQ", "01" + std::string(90, '1') + "\r\n");
  ASSERT_EQ(TdStatus::kOk, ReadTds(dir.File("TDS.SEQ"), &table));
  ASSERT_EQ(2u, table.rows.size());
  EXPECT_EQ(111, table.rows[0].origin_value);
  EXPECT_EQ(11, table.rows[1].group);
  EXPECT_EQ(11, table.group_count);
  EXPECT_EQ(TdStatus::kCannotOpen, ReadTds(dir.File("NONE.SEQ"), &table));
}

TEST(TdaTest, ReadsSixByteLinesSortedByArea) {
  testkit::TempDir dir;
  dir.Write("TDA.SEQ", "02OH\r\n01PA\r\n");
  std::vector<TdAreaEntry> entries;
  ASSERT_EQ(TdStatus::kOk, ReadTda(dir.File("TDA.SEQ"), &entries));
  ASSERT_EQ(2u, entries.size());
  EXPECT_EQ(1, entries[0].area);
  EXPECT_EQ('P', entries[0].state[0]);
  EXPECT_EQ('A', entries[0].state[1]);
  EXPECT_EQ(2, entries[1].area);
}

TEST(TdaTest, LineFeedOnlyFileIsRefusedNotMisread) {
  testkit::TempDir dir;
  dir.Write("TDA.SEQ", "01PA\n02OH\n03NY\n");
  std::vector<TdAreaEntry> entries;
  EXPECT_EQ(TdStatus::kBadData, ReadTda(dir.File("TDA.SEQ"), &entries));
  EXPECT_EQ(TdStatus::kCannotOpen, ReadTda(dir.File("NONE.SEQ"), &entries));
}

TEST(TdaTest, AFileFarLargerThanAnyAreaTableIsRefusedUnread) {
  testkit::TempDir dir;
  std::string lines;
  while (lines.size() <= kMaxTdaBytes) lines += "01PA\r\n";
  dir.Write("TDA.SEQ", lines);
  std::vector<TdAreaEntry> entries;
  EXPECT_EQ(TdStatus::kBadData, ReadTda(dir.File("TDA.SEQ"), &entries));
  EXPECT_TRUE(entries.empty());
  lines.resize(kMaxTdaBytes / kTdaLineBytes * kTdaLineBytes);
  dir.Write("TDA.SEQ", lines);
  EXPECT_EQ(TdStatus::kOk, ReadTda(dir.File("TDA.SEQ"), &entries));
}

}  // namespace
}  // namespace kmlib
