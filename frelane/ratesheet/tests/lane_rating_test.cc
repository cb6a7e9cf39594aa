// The lane rating of a sideline prefix: the zip block file and its search, the zip-discount
// ranges, the cutting into sub-ranges, and the rating of each sub-range with its status
// handling, through an engine that answers per lane.
#include "frelane/ratesheet/lane_rating.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "frelane/ratesheet/sub_ranges.h"
#include "frelane/ratesheet/tests/sheet_test_support.h"
#include "frelane/ratesheet/zip_block_file.h"
#include "frelane/rating/lane_state.h"
#include "platform/runtime/error.h"
#include "testkit/ratesheet/rate_sheet_files.h"
#include "testkit/rating/lane_lookup_files.h"

namespace frelane::ratesheet {
namespace {

namespace h = tolv::shipment_header;
using Ranges = std::vector<SuffixRange>;

TEST(MergeSubRangesTest, BlocksSplitAtEveryDiscountBound) {
  EXPECT_EQ(MergeSubRanges({{"00", "99"}}, {}, "303"), (Ranges{{"00", "99"}}));
  EXPECT_EQ(MergeSubRanges({{"00", "99"}}, {{"50", "74"}}, "303"),
            (Ranges{{"00", "49"}, {"50", "74"}, {"75", "99"}}));
  EXPECT_EQ(MergeSubRanges({{"00", "49"}, {"50", "99"}}, {{"40", "59"}}, "303"),
            (Ranges{{"00", "39"}, {"40", "49"}, {"50", "59"}, {"60", "99"}}));
  // A discount range in a gap is rated; the rest of the gap is not.
  EXPECT_EQ(MergeSubRanges({{"00", "09"}, {"40", "99"}}, {{"20", "29"}}, "303"),
            (Ranges{{"00", "09"}, {"20", "29"}, {"40", "99"}}));
  EXPECT_EQ(MergeSubRanges({{"0A", "9Z"}}, {{"1A", "2C"}}, "K1A"),
            (Ranges{{"0A", "0Z"}, {"1A", "2C"}, {"2D", "9Z"}}));
  EXPECT_EQ(MergeSubRanges({{"00", "49"}}, {{"00", "99"}}, "303"),
            (Ranges{{"00", "49"}, {"50", "99"}}));
}

TEST(MergeSubRangesTest, OverlappingRangesAreClippedSoNoCodeIsRatedTwice) {
  EXPECT_EQ(SortedWithoutOverlap({{"50", "69"}, {"40", "59"}, {"45", "50"}, {"80", "70"}}),
            (Ranges{{"40", "59"}, {"60", "69"}}));
  EXPECT_EQ(MergeSubRanges({{"00", "99"}}, SortedWithoutOverlap({{"40", "59"}, {"50", "69"}}),
                           "303"),
            (Ranges{{"00", "39"}, {"40", "59"}, {"60", "69"}, {"70", "99"}}));
}

class ZipBlockFileTest : public ::testing::Test {
 protected:
  Ranges BlocksOf(const std::string& prefix) {
    return ZipBlockFile(dir_.path(), "NORTHW01", prefix).Blocks();
  }
  testkit::TempDir dir_;
};

TEST_F(ZipBlockFileTest, AHandBuiltRecordReads) {
  // Two records byte by byte: 30300-30349 and 30350-30499, each with 2 reserved bytes.
  dir_.Write("NORTHW01.b", std::string("3030030349\0\0" "3035030499  ", 24));
  EXPECT_EQ(BlocksOf("303"), (Ranges{{"00", "49"}, {"50", "99"}}));
  EXPECT_EQ(BlocksOf("304"), (Ranges{{"00", "99"}}));
  EXPECT_EQ(BlocksOf("302"), Ranges{});
}

TEST_F(ZipBlockFileTest, TheSearchFindsEveryPrefixAsAScanDoes) {
  // Prefixes 100, 103, 106 ... each in two blocks; 400-409 in one block across prefixes.
  std::vector<testkit::ZipBlock> blocks;
  for (int p = 100; p < 400; p += 3) {
    blocks.push_back({std::to_string(p) + "00", std::to_string(p) + "49"});
    blocks.push_back({std::to_string(p) + "50", std::to_string(p) + "99"});
  }
  blocks.push_back({"40010", "40905"});
  dir_.Write("NORTHW01.b", testkit::ZipBlockFile(blocks));
  for (int p = 99; p <= 411; ++p) {
    const std::string prefix = std::to_string(p).insert(0, p < 100 ? "0" : "");
    Ranges expected;
    if (p >= 100 && p < 400 && (p - 100) % 3 == 0) expected = {{"00", "49"}, {"50", "99"}};
    if (p == 400) expected = {{"10", "99"}};
    if (p > 400 && p < 409) expected = {{"00", "99"}};
    if (p == 409) expected = {{"00", "05"}};
    EXPECT_EQ(BlocksOf(prefix), expected) << prefix;
  }
  for (int n : {1, 2}) {
    dir_.Write("NORTHW01.b", testkit::ZipBlockFile(std::vector(blocks.begin(), blocks.begin() + n)));
    EXPECT_EQ(BlocksOf("100").size(), static_cast<std::size_t>(n));
    EXPECT_EQ(BlocksOf("099"), Ranges{});
    EXPECT_EQ(BlocksOf("101"), Ranges{});
  }
  dir_.Write("NORTHW01.b", "");
  EXPECT_EQ(BlocksOf("100"), Ranges{});  // a tariff that serves nothing
}

TEST_F(ZipBlockFileTest, CanadianBlocksSpanningPrefixes) {
  dir_.Write("NORTHW01.b", testkit::ZipBlockFile({{"K0A0A", "K2B5Z"}}));
  EXPECT_EQ(BlocksOf("K0A"), (Ranges{{"0A", "9Z"}}));
  EXPECT_EQ(BlocksOf("K1C"), (Ranges{{"0A", "9Z"}}));
  EXPECT_EQ(BlocksOf("K2B"), (Ranges{{"0A", "5Z"}}));
  EXPECT_EQ(BlocksOf("K2C"), Ranges{});
}

TEST_F(ZipBlockFileTest, MissingFilesAndUnsafeNamesAreReportedNotCreated) {
  try {
    ZipBlockFile(dir_.path(), "ABC", "303");
    ADD_FAILURE() << "no error";
  } catch (const runtime::RuntimeError& e) {
    EXPECT_NE(e.Description().find("\"ABC     .b\""), std::string::npos) << e.Description();
  }
  EXPECT_FALSE(std::filesystem::exists(dir_.File("ABC     .b")));
  EXPECT_THROW(ZipBlockFile(dir_.path(), "../X", "303"), runtime::RuntimeError);
  dir_.Write("abc     .B", testkit::ZipBlockFile({{"30300", "30399"}}));
  EXPECT_EQ(ZipBlockFile(dir_.path(), "ABC", "303").Blocks().size(), 1u);  // any case
}

TEST_F(ZipBlockFileTest, DiscountRangesTouchingTheLane) {
  dir_.Write("zipdisc.dat", testkit::ZipDiscountFile({
                                {"30000", "31999", "30340", "30359", 5},   // split 40-59
                                {"30000", "31999", "30290", "30310", 5},   // starts earlier
                                {"30000", "31999", "30390", "30420", 5},   // ends later
                                {"30000", "31999", "30320", "30330", 5, 0, 0, 0, true},
                                {"40000", "41999", "30300", "30399", 5},   // other origin
                            }));
  EXPECT_EQ(LoadZipDiscountRanges(dir_.File("zipdisc.dat"), "30301", "303", "303", true),
            (Ranges{{"00", "10"}, {"40", "59"}, {"90", "99"}}));
  // To the headline the sideline is the origin: the origin bounds are cut to the prefix.
  EXPECT_EQ(LoadZipDiscountRanges(dir_.File("zipdisc.dat"), "310", "30345", "310", false),
            (Ranges{{"00", "99"}}));
  EXPECT_EQ(LoadZipDiscountRanges(dir_.File("none.dat"), "30301", "303", "303", true), Ranges{});
}

class RateLaneTest : public testing::SheetTest, public RateSheetDefinition, public RateSheetRowWriter {
 protected:
  void SetUp() override {
    SheetTest::SetUp();
    dir_.Write("NORTHW01.b", testkit::ZipBlockFile({{"30300", "30349"},
                                                   {"30350", "30399"},
                                                   {"30400", "30499"},
                                                   {"K1A0A", "K1A9Z"}}));
    Lookups().GetFloorCharge = [this] {
      ++floor_calls_;
      return 0.0;
    };
    run_.StartRun();
    run_.ExportOutput = true;
    run_.WithNotes = false;
  }
  std::string HeadlineZip() override { return headline_; }
  bool FromHeadline() override { return from_headline_; }
  void ExportGroupRow(const RateSheetGroup& g, bool split) override {
    rows_.push_back(g.PrefixText + " " + g.ZipText + (split ? " split" : ""));
  }
  void PrintGroupRow(const RateSheetGroup&, bool) override {}

  void Rate(const std::string& prefix) { lane_.RateLane(prefix); }

  std::string headline_ = "30301";
  bool from_headline_ = true;
  RateSheetRunState run_;
  LaneRating lane_{run_, *this, *this};
  std::vector<std::string> rows_;
  int floor_calls_ = 0;
};

TEST_F(RateLaneTest, OneEngineCallPerSubRangeByItsFirstCode) {
  Rate("303");
  EXPECT_EQ(log_->rate_calls, 2);
  EXPECT_EQ(log_->destinations, (std::vector<std::string>{"30300", "30350"}));
  EXPECT_EQ(log_->origins, (std::vector<std::string>{"30301", "30301"}));
  EXPECT_EQ(floor_calls_, 2);
  EXPECT_EQ(rows_, (std::vector<std::string>{"303-303 00-99"}));  // equal results, one row
  EXPECT_EQ(modMain::Lane().OriginState, "");  // no state.dat in this data set

  Rate("305");  // no block: no call, no row
  EXPECT_EQ(log_->rate_calls, 2);
  EXPECT_EQ(rows_.size(), 1u);
}

TEST_F(RateLaneTest, DiscountRangesSplitTheLaneWhenUsed) {
  dir_.Write("zipdisc.dat",
             testkit::ZipDiscountFile({{"30000", "31999", "30410", "30419", 5, 30, 0, 0}}));
  Rate("304");
  EXPECT_EQ(log_->rate_calls, 1);
  UseZipDiscounts() = true;
  Rate("304");
  EXPECT_EQ(log_->rate_calls, 4);
  EXPECT_EQ(run_.SubRanges, (Ranges{{"00", "09"}, {"10", "19"}, {"20", "99"}}));
}

TEST_F(RateLaneTest, ToTheHeadlineThePrefixIsTheOrigin) {
  from_headline_ = false;
  Rate("K1A");
  EXPECT_EQ(log_->origins, (std::vector<std::string>{"K1A0A"}));
  EXPECT_EQ(log_->destinations, (std::vector<std::string>{"30301"}));
  EXPECT_EQ(rows_, (std::vector<std::string>{"K1A-K1A 0A-9Z"}));
}

TEST_F(RateLaneTest, RefusedSubRangesAreLeftOut) {
  engine_->status = [](const std::string&, const std::string& d) {
    if (d == "30300") return std::string("0217");  // the sideline is not in the tariff
    if (d == "30350") return std::string("SG01");  // not a number, still not rated
    return std::string("    ");
  };
  Rate("303");
  EXPECT_TRUE(rows_.empty());
  EXPECT_FALSE(run_.RunStopped);
  Rate("304");
  EXPECT_EQ(rows_, (std::vector<std::string>{"304-304 00-99"}));
}

TEST_F(RateLaneTest, ARefusedHeadlineStopsTheRunOnce) {
  engine_->status = [](const std::string&, const std::string&) { return std::string("0216"); };
  user_.ExpectMsgBox(forms::MsgBoxResult::kOK, "Invalid Headline Zip");
  Rate("303");
  EXPECT_EQ(log_->rate_calls, 1);  // the rest of the prefix is not rated
  EXPECT_TRUE(run_.RunStopped);
  EXPECT_TRUE(run_.HeadlineInvalid);
  EXPECT_TRUE(rows_.empty());
  EXPECT_EQ(testing::HeaderTextOf(h::kStatus), "0216");

  // 216 under "To Headline" is the sideline's and only skips it.
  run_.StartRun();
  from_headline_ = false;
  Rate("303");
  EXPECT_FALSE(run_.RunStopped);

  // 217 under "To Headline" is the headline's and stops the run.
  engine_->status = [](const std::string&, const std::string&) { return std::string("0217"); };
  user_.ExpectMsgBox(forms::MsgBoxResult::kOK, "Invalid Headline Zip");
  const int calls = log_->rate_calls;
  Rate("303");
  EXPECT_EQ(log_->rate_calls, calls + 1);
  EXPECT_TRUE(user_.AllMessageBoxesShown());
  EXPECT_TRUE(run_.RunStopped);
  EXPECT_TRUE(run_.HeadlineInvalid);
  EXPECT_TRUE(rows_.empty());
}

TEST_F(RateLaneTest, DifferentResultsMakeSplitRows) {
  engine_->rate = [](const std::string&, const std::string& d) { return d == "30350" ? 900 : 1000; };
  Rate("303");
  EXPECT_EQ(rows_, (std::vector<std::string>{"303-303 00-49 split", "303-303 50-99 split"}));
}

TEST_F(RateLaneTest, NoTariffRatesNothing) {
  Lookups().SelectTariff = [](bool) {
    modTolvDeclares32::ShipmentRecord().header().SetText(h::kTariffName, "");
  };
  Rate("303");
  EXPECT_EQ(log_->rate_calls, 0);
  EXPECT_TRUE(run_.SubRanges.empty());
}

}  // namespace
}  // namespace frelane::ratesheet
