// The grouping of rated sub-ranges into rows, the condensing of prefixes through the
// held-back row, the candidate built from a rated record and the line splitting.
#include "frelane/ratesheet/grouping.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace frelane::ratesheet {
namespace {

namespace rec = tolv::shipment_record;

// A candidate whose results are told apart by one rate.
RateSheetGroup Result(int rate) {
  RateSheetGroup g;
  g.Shape.class_count = 1;
  g.Shape.weight_break_count = 1;
  g.Shape.class_codes[0] = "100";
  g.Rates[0] = rate;
  g.BracketFlags = std::string(30, '0');
  g.RateBasis = "        123";
  return g;
}

struct Row {
  std::string where;
  std::string prefix;
  std::string zips;
  bool split;
  bool operator==(const Row&) const = default;
};

class RecordingWriter : public RateSheetRowWriter {
 public:
  void ExportGroupRow(const RateSheetGroup& g, bool split) override {
    rows.push_back({"export", g.PrefixText, g.ZipText, split});
  }
  void PrintGroupRow(const RateSheetGroup& g, bool split) override {
    rows.push_back({"print", g.PrefixText, g.ZipText, split});
  }
  std::vector<Row> rows;
};

std::vector<std::string> ZipTexts(const std::vector<RateSheetGroup>& groups) {
  std::vector<std::string> texts;
  for (const RateSheetGroup& g : groups) texts.push_back(g.ZipText);
  return texts;
}

TEST(FileSubRangeTest, AdjacentEqualResultsJoinOneEntry) {
  std::vector<RateSheetGroup> groups;
  FileSubRange(groups, Result(900), "00", "49", "303", false);
  FileSubRange(groups, Result(900), "50", "99", "303", false);
  ASSERT_EQ(groups.size(), 1u);
  EXPECT_EQ(groups[0].ZipText, "00-99");
  EXPECT_EQ(groups[0].PrefixText, "303-303");
}

TEST(FileSubRangeTest, GapsSplitRowsWithoutNotesAndListWithNotes) {
  for (bool notes : {false, true}) {
    std::vector<RateSheetGroup> groups;
    FileSubRange(groups, Result(900), "00", "09", "303", notes);
    FileSubRange(groups, Result(800), "10", "19", "303", notes);
    FileSubRange(groups, Result(900), "20", "29", "303", notes);
    if (notes) {
      EXPECT_EQ(ZipTexts(groups), (std::vector<std::string>{"00-09,20-29", "10-19"}));
    } else {
      EXPECT_EQ(ZipTexts(groups), (std::vector<std::string>{"00-09", "10-19", "20-29"}));
    }
  }
}

TEST(FileSubRangeTest, SingleSuffixEntriesAndTheirExtension) {
  std::vector<RateSheetGroup> with_notes;
  FileSubRange(with_notes, Result(900), "05", "05", "303", true);
  EXPECT_EQ(with_notes[0].ZipText, "05");
  FileSubRange(with_notes, Result(900), "06", "09", "303", true);
  EXPECT_EQ(with_notes[0].ZipText, "05-09");

  std::vector<RateSheetGroup> without;
  FileSubRange(without, Result(900), "05", "05", "303", false);
  EXPECT_EQ(without[0].ZipText, "05-05");

  RateSheetGroup g = Result(900);
  g.ZipText = "00-09,20-29";
  std::vector<RateSheetGroup> groups{g};
  FileSubRange(groups, Result(900), "30", "39", "303", true);
  EXPECT_EQ(groups[0].ZipText, "00-09,20-39");
  groups[0].ZipText = "00-09,20";
  FileSubRange(groups, Result(900), "21", "39", "303", true);
  EXPECT_EQ(groups[0].ZipText, "00-09,20-39");
}

TEST(FileSubRangeTest, EqualRatesOnAnotherTableAreAnotherResult) {
  std::vector<RateSheetGroup> groups;
  FileSubRange(groups, Result(900), "00", "49", "303", false);
  RateSheetGroup other = Result(900);
  other.Shape.class_codes[0] = "85";
  FileSubRange(groups, other, "50", "99", "303", false);
  EXPECT_EQ(groups.size(), 2u);
}

class HandOffTest : public ::testing::Test {
 protected:
  HandOffTest() {
    run_.PrintOutput = true;
    run_.WithNotes = false;
  }
  // One prefix rated whole with one result.
  void Prefix(const std::string& p, int rate, const std::string& zips = "00-99") {
    RateSheetGroup g = Result(rate);
    g.PrefixText = p + "-" + p;
    g.ZipText = zips;
    HandOffGroups(run_, {g}, p, writer_);
  }
  RateSheetRunState run_;
  RecordingWriter writer_;
};

TEST_F(HandOffTest, ConsecutiveEqualPrefixesCondenseUntilAGap) {
  Prefix("300", 900);
  Prefix("301", 900);
  Prefix("302", 900);
  EXPECT_TRUE(writer_.rows.empty());
  EXPECT_EQ(run_.PendingRow.PrefixText, "300-302");
  HandOffGroups(run_, {}, "303", writer_);  // nothing served
  Prefix("304", 900);
  EXPECT_EQ(writer_.rows, (std::vector<Row>{{"print", "300-302", "00-99", false}}));
  EXPECT_EQ(run_.PendingRow.PrefixText, "304-304");
}

TEST_F(HandOffTest, ASplitPrefixFlushesThePendingRowFirst) {
  Prefix("300", 900);
  Prefix("301", 900);
  RateSheetGroup a = Result(900), b = Result(800);
  a.ZipText = "00-49";
  b.ZipText = "50-99";
  a.PrefixText = b.PrefixText = "302-302";
  HandOffGroups(run_, {a, b}, "302", writer_);
  EXPECT_EQ(writer_.rows, (std::vector<Row>{{"print", "300-301", "00-99", false},
                                            {"print", "302-302", "00-49", true},
                                            {"print", "302-302", "50-99", true}}));
  EXPECT_TRUE(run_.PendingRow.IsEmpty());
  EXPECT_EQ(run_.PendingRow.BracketCount, 0);
}

TEST_F(HandOffTest, OtherResultsOrOtherZipsStartANewRow) {
  Prefix("300", 900);
  Prefix("301", 800);
  // Same rates but 302 serves only half its codes: it may not be listed as 30100-30299.
  Prefix("302", 800, "00-49");
  EXPECT_EQ(writer_.rows, (std::vector<Row>{{"print", "300-300", "00-99", false},
                                            {"print", "301-301", "00-99", false}}));
  EXPECT_EQ(run_.PendingRow.PrefixText, "302-302");
}

TEST_F(HandOffTest, ExportWritesEveryPrefixOnItsOwn) {
  run_.PrintOutput = false;
  run_.ExportOutput = true;
  Prefix("300", 900);
  Prefix("301", 900);
  Prefix("302", 900);
  EXPECT_EQ(writer_.rows.size(), 3u);
  EXPECT_EQ(writer_.rows[2], (Row{"export", "302-302", "00-99", false}));
  EXPECT_TRUE(run_.PendingRow.IsEmpty());
}

TEST(CandidateTest, ResultsOfTheRecordWithBracketsRaisedToTheFloor) {
  tolv::ShipmentRecord record;
  os::RecordView v = record.view();
  v.SetI16(rec::kClassCount, 2);
  v.SetI16(rec::kWeightBreakCount, 3);
  v.SetText(rec::kClassCode.Nth(0), "100");
  v.SetText(rec::kClassCode.Nth(1), "92");
  const std::int32_t breaks[] = {0, 500, 1000};
  for (int k = 0; k < 3; ++k) v.SetI32(rec::kWeightBreak.Nth(k), breaks[k]);
  for (int i = 0; i < 6; ++i) v.SetI32(rec::kRateMatrix.Nth(i), 1000 + i);
  v.SetI32(rec::kRateMatrix.Nth(6), 4444);  // beyond the lane's table
  v.SetText(rec::kBracketKinds, "110");
  v.SetI16(rec::kBracketCount, 3);
  const std::int32_t charges[] = {8000, 0, 9000};
  for (int j = 0; j < 3; ++j) {
    v.SetI32(rec::kBracketCharge.Nth(j), charges[j]);
    v.SetI32(rec::kBracketWeight.Nth(j), 200 * j);
  }
  record.header().SetText(tolv::shipment_header::kRateBasisNumber, "      4021");

  RateSheetGroup g = CandidateFromRecord(record, 8500.4);
  EXPECT_EQ(g.BracketCharges[0], 8500);  // below the floor: the floor
  EXPECT_EQ(g.BracketCharges[1], 0);     // no charge stays none
  EXPECT_EQ(g.BracketCharges[2], 9000);
  EXPECT_EQ(g.BracketWeights[2], 400);
  EXPECT_EQ(g.BracketCount, 3);
  EXPECT_EQ(g.BracketFlags.substr(0, 3), "110");
  EXPECT_EQ(g.RateBasis, "      4021 ");
  EXPECT_EQ(g.Rates[6], 0);

  EXPECT_EQ(g.RateFor("100", 500), 1001);
  EXPECT_EQ(g.RateFor("92", 0), 1003);
  EXPECT_EQ(g.RateFor("92", 1000), 1005);
  EXPECT_EQ(g.RateFor("85", 500), std::nullopt);   // class the lane's tariff lacks
  EXPECT_EQ(g.RateFor("100", 2000), std::nullopt);  // break it lacks
}

TEST(CandidateTest, ACorruptTableCountStaysInsideTheMatrix) {
  tolv::ShipmentRecord record;
  record.view().SetI16(rec::kClassCount, 400);
  record.view().SetI16(rec::kWeightBreakCount, -3);
  RateSheetGroup g = CandidateFromRecord(record, 0);
  EXPECT_EQ(g.Shape.class_count, kMaxClasses);
  EXPECT_EQ(g.Shape.weight_break_count, 0);
}

TEST(SplitAtDelimiterTest, CutsAfterTheLastDelimiterInReach) {
  std::string text = "[MC 85.00][>199  85.00][>499  90.00]";
  EXPECT_EQ(SplitAtDelimiter(text, ']', 25), "[MC 85.00][>199  85.00]");
  EXPECT_EQ(text, "[>499  90.00]");
  EXPECT_EQ(SplitAtDelimiter(text, ']', 25), "[>499  90.00]");
  EXPECT_EQ(text, "");

  std::string zips = "00-09, 20-29,40";
  EXPECT_EQ(SplitAtDelimiter(zips, ',', 8), "00-09,");
  EXPECT_EQ(zips, "20-29,40");

  std::string no_delimiter = "ABCDEFGHIJ";
  EXPECT_EQ(SplitAtDelimiter(no_delimiter, ',', 4), "ABCD");
  EXPECT_EQ(no_delimiter, "EFGHIJ");
}

}  // namespace
}  // namespace frelane::ratesheet
