#include "tolv32dll/sidetables/precedence.h"

#include <gtest/gtest.h>

#include "testkit/points/memory_rating_files.h"
#include "testkit/sidetables/side_table_files.h"

namespace tolv {
namespace {

class PrecedenceTest : public ::testing::Test {
 protected:
  testkit::MemoryRatingFiles files_;
  PrecedenceLane lane_{"15000", "25000", 1998};
};

TEST_F(PrecedenceTest, OldTariffsLookUpTheNumber) {
  files_.Set(".X", testkit::PrecedenceFile({{"15000", "25000", '0', 10, 19},
                                            {"15000", "25000", '0', 20, 29},
                                            {"15000", "26000", '0', 1, 99}}));
  auto found = *FindPrecedence(files_, lane_, 25);
  ASSERT_TRUE(found.has_value());
  EXPECT_EQ(20, os::LoadI16Le(found->bytes.data() + 9));
  EXPECT_EQ("00200029", *found->FlagDigits());
  EXPECT_FALSE(FindPrecedence(files_, lane_, 30)->has_value());
  lane_.destination_zip = "27000";
  EXPECT_FALSE(FindPrecedence(files_, lane_, 25)->has_value());
}

TEST_F(PrecedenceTest, LaterTariffsMatchTheLaneAlone) {
  lane_.effective_year = 1999;
  files_.Set(".X", testkit::PrecedenceFile({{"15000", "25000", 'Y', 1010, 0}}));
  auto found = *FindPrecedence(files_, lane_, 77);
  ASSERT_TRUE(found.has_value());
  EXPECT_EQ("10100000", *found->FlagDigits());
}

TEST_F(PrecedenceTest, MissingOrBrokenTables) {
  EXPECT_FALSE(FindPrecedence(files_, lane_, 25)->has_value()) << "no .X file";
  files_.Set(".X", testkit::PrecedenceFile({{"15000", "25000", 'Y', 10, 19}}, 13, "T2"));
  EXPECT_FALSE(FindPrecedence(files_, lane_, 15)->has_value()) << "no T1 table";
  testkit::Bytes x = testkit::PrecedenceFile({{"15000", "25000", 'Y', 10, 19}});
  x[11] = 0;  // a record length of 0 would divide by zero
  files_.Set(".X", x);
  EXPECT_FALSE(FindPrecedence(files_, lane_, 15)->has_value());
  x = testkit::PrecedenceFile({{"15000", "25000", 'Y', 10, 19}}, 20);
  x.resize(x.size() - 10);  // the table record is cut short
  files_.Set(".X", x);
  EXPECT_FALSE(FindPrecedence(files_, lane_, 15)->has_value());
  // Numbers outside 0-9999 give no flag digits.
  files_.Set(".X", testkit::PrecedenceFile({{"15000", "25000", 'Y', -5, 12000}}));
  lane_.effective_year = 2001;
  EXPECT_FALSE((*FindPrecedence(files_, lane_, 1))->FlagDigits().has_value());
}

TEST_F(PrecedenceTest, HitsListedForTheLaneAreRemoved) {
  files_.Set(".X", testkit::PrecedenceFile({{"15000", "25000", 'T', 10, 19}}));
  std::vector<LaneAdjustmentHit> hits{{'T', 12}, {'T', 22}, {'Y', 12}};
  ASSERT_EQ(kOk, FilterHitsByPrecedence(files_, lane_, hits));
  EXPECT_EQ(0, hits[0].number);
  EXPECT_EQ(22, hits[1].number);
  EXPECT_EQ(12, hits[2].number) << "another kind";
}

}  // namespace
}  // namespace tolv
