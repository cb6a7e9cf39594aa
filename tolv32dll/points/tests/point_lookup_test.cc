#include "tolv32dll/points/point_lookup.h"

#include <gtest/gtest.h>

#include "testkit/points/memory_rating_files.h"
#include "testkit/points/point_files.h"
#include "tolv32dll/tariff/codecs.h"

namespace tolv {
namespace {

using testkit::ExpRow;
using testkit::PointRow;

class PointLookupTest : public ::testing::Test {
 protected:
  void SetUp() override {
    files_.Set(".P", testkit::PointFile({{"10000", "15099", 1, 0}, {"15100", "19999", 3, 0},
                                         {"20000", "29999", 2, 0}}));
    request_.origin_zip = "15000 ";
    request_.destination_zip = "25000 ";
    state_.Reset("15000 ", "", "25000 ", "");
  }
  testkit::MemoryRatingFiles files_;
  ListRequest request_;
  PointState state_;
};

TEST_F(PointLookupTest, FullRecordsGiveTheUnorderedPairIndex) {
  EXPECT_EQ(4, *LookupPoints(files_, {}, state_));
  EXPECT_EQ(1, state_.origin_record.index);
  EXPECT_EQ(2, state_.destination_record.index);
  EXPECT_EQ('D', files_.last_side());
  state_.Reset("25000", "", "15000", "");
  EXPECT_EQ(4, *LookupPoints(files_, {}, state_));
}

// A rating resets the points its last rating left: the codes padded or cut to their width,
// the cities to theirs, and nothing found for the last lane kept.
TEST(PointStateTest, ResetLeavesNothingOfTheLastShipment) {
  PointState state;
  state.Reset("1500012345", "A VERY LONG CITY NAME THAT RUNS ON", "T2P", "X");
  EXPECT_EQ("150001", state.origin.code);
  EXPECT_EQ("A VERY LONG CITY NA", state.origin.city);
  EXPECT_EQ("T2P   ", state.destination.code);
  EXPECT_EQ("X                  ", state.destination.city);
  state.origin.exp_found = true;
  state.destination.exp_found = true;
  state.origin_record = PointRecord{"19999", "10000", 3, 7, 8};
  state.destination_record = PointRecord{"29999", "20000", 4, 9, 10};
  state.destination_point_count = 12;

  state.Reset("25", "", "", "B");
  EXPECT_EQ("25    ", state.origin.code);
  EXPECT_EQ(std::string(19, ' '), state.origin.city);
  EXPECT_EQ(std::string(6, ' '), state.destination.code);
  EXPECT_EQ("B                  ", state.destination.city);
  EXPECT_FALSE(state.origin.exp_found);
  EXPECT_FALSE(state.destination.exp_found);
  EXPECT_TRUE(state.origin_record.high_zip.empty());
  EXPECT_EQ(0, state.origin_record.index);
  EXPECT_EQ(0, state.destination_record.addon_factor);
  EXPECT_EQ(0, state.destination_record.second_addon_factor);
  EXPECT_EQ(0, state.destination_point_count);

  // The ends may come from the state itself.
  state.destination.code = "T2P";
  state.Reset(state.destination.code, state.origin.city, state.origin.code, "");
  EXPECT_EQ("T2P   ", state.origin.code);
  EXPECT_EQ(std::string(19, ' '), state.origin.city);
  EXPECT_EQ("T2P   ", state.destination.code) << "read after the origin was written";
}

TEST_F(PointLookupTest, UnknownEndsAreReportedPerSide) {
  state_.Reset("35000", "", "25000", "");
  EXPECT_EQ(kErrBadorg, LookupPoints(files_, {}, state_).error());
  state_.Reset("15000", "", "09999", "");
  EXPECT_EQ(kErrBaddst, LookupPoints(files_, {}, state_).error());
  testkit::MemoryRatingFiles empty;
  EXPECT_EQ(kErrPntopn, LookupPoints(empty, {}, state_).error());
}

TEST_F(PointLookupTest, MatrixModeUsesTheDestinationCount) {
  files_.Set(".Q", testkit::PointFile({{"20000", "29999", 4, 0}}, false, 7));
  files_.set_point_file_mode('S');
  // 4 + 1 x 7; the reverse lane is another cell.
  EXPECT_EQ(11, *LookupPoints(files_, {'S'}, state_));
  EXPECT_EQ(7, state_.destination_point_count);
}

TEST_F(PointLookupTest, SixteenByteRecordsTakeTheDestinationsSecondFactor) {
  files_.Set(".P", testkit::PointFile({{"10000", "19999", 1, 10, 11}, {"20000", "29999", 2, 20, 21}},
                                      true));
  ASSERT_EQ(4, *LookupPoints(files_, {'Y'}, state_));
  EXPECT_EQ(10, state_.origin_record.addon_factor);
  EXPECT_EQ(21, state_.destination_record.addon_factor);
}

TEST_F(PointLookupTest, CompactRecords) {
  files_.Set(".P", testkit::CompactPointFile({{15000, 99, 5, 3}, {25000, 127, 9, 63}}));
  EXPECT_EQ(Util_PairIndex(5, 9), *LookupCompactPoints(files_, {}, state_));
  EXPECT_EQ(63, state_.destination_record.addon_factor);
  state_.Reset("15000", "", "25128", "");
  EXPECT_EQ(kErrBaddst, LookupCompactPoints(files_, {}, state_).error());
  EXPECT_EQ(kErrPntred, LookupCompactPoints(files_, {'S'}, state_).error());
}

TEST_F(PointLookupTest, ExpSubstitutionByCity) {
  MemoryFile exp(testkit::ExpZipFile({{"15000", "15100", "**"},
                                      {"25000", "20001", "ASHFORD"},
                                      {"25000", "20002", "Brindle"}}));
  // "**" substitutes for every city and moves the lane to point 3.
  ASSERT_EQ(kOk, SubstituteExpPoint(&exp, ExpForm::kZip, request_, state_.origin));
  EXPECT_EQ("15100 ", state_.origin.code);
  EXPECT_TRUE(state_.origin.exp_found);
  EXPECT_EQ(Util_PairIndex(3, 2), *LookupPoints(files_, {}, state_));

  // The city is matched without regard to case.
  state_.destination.city = "BRINDLE";
  ASSERT_EQ(kOk, SubstituteExpPoint(&exp, ExpForm::kZip, request_, state_.destination));
  EXPECT_EQ("20002 ", state_.destination.code);

  // A blank city matches none of the named records: no substitution.
  state_.destination = {"25000 ", std::string(19, ' '), false};
  ASSERT_EQ(kOk, SubstituteExpPoint(&exp, ExpForm::kZip, request_, state_.destination));
  EXPECT_EQ("25000 ", state_.destination.code);
  EXPECT_FALSE(state_.destination.exp_found);
  EXPECT_EQ('B', request_.list_kind);
}

TEST_F(PointLookupTest, ExpChoiceFromTheRequestCity) {
  MemoryFile exp(testkit::ExpZipFile({{"25000", "20001", "ASHFORD"}, {"25000", "20002", "BRINDLE"}}));
  // The request city picks a candidate when it matches exactly.
  request_.destination_city = "BRINDLE";
  state_.destination.city = "Brindle Heights";
  ASSERT_EQ(kOk, SubstituteExpPoint(&exp, ExpForm::kZip, request_, state_.destination));
  EXPECT_EQ("20002 ", state_.destination.code);
  EXPECT_EQ("BRINDLE            ", state_.destination.city);
  // List mode 'F' through a call without a buffer: 129.
  request_.list_mode = 'F';
  state_.destination = {"25000 ", "OTHER", false};
  EXPECT_EQ(kErrCandidateListWrite,
            SubstituteExpPoint(&exp, ExpForm::kZip, request_, state_.destination));
}

TEST_F(PointLookupTest, ExpPostalFormAndHandBuiltZipRecord) {
  MemoryFile postal(testkit::ExpPostalFile({{"K1A0B1", "K1A9Z9", "**"}}));
  WorkingPoint p{"K1A0B1", "", false};
  ASSERT_EQ(kOk, SubstituteExpPoint(&postal, ExpForm::kPostal, request_, p));
  EXPECT_EQ("K1A9Z9", p.code);

  // One ZIP record by hand: 25000 -> 20001 for "ASHFORD".
  std::vector<std::uint8_t> r{0x02, 0x50, 0x00, 0x02, 0x00, 0x01};
  for (char c : std::string("ASHFORD            ")) r.push_back(static_cast<std::uint8_t>(c));
  MemoryFile exp(r);
  WorkingPoint d{"25000 ", "ashford", false};
  ASSERT_EQ(kOk, SubstituteExpPoint(&exp, ExpForm::kZip, request_, d));
  EXPECT_EQ("20001 ", d.code);
  // A code that packs to nothing is simply not substituted; a missing file neither.
  WorkingPoint blank{" 5000 ", "", false};
  EXPECT_EQ(kOk, SubstituteExpPoint(&exp, ExpForm::kZip, request_, blank));
  EXPECT_EQ(kOk, SubstituteExpPoint(nullptr, ExpForm::kZip, request_, blank));
  EXPECT_FALSE(blank.exp_found);
}

TEST_F(PointLookupTest, ManyRecordsOfOneKeyStayWithinTheList) {
  std::vector<ExpRow> rows;
  for (int i = 0; i < 150; ++i) rows.push_back({"25000", "20001", "CITY " + std::to_string(i)});
  MemoryFile exp(testkit::ExpZipFile(rows));
  std::vector<std::uint8_t> b(16 + 200 * 20, 0);
  os::StoreI32Le(b.data(), 200 * 20);
  request_.list_mode = 'F';
  request_.candidate_list = b.data();
  state_.destination.city = "NOWHERE";
  ASSERT_EQ(kOk, SubstituteExpPoint(&exp, ExpForm::kZip, request_, state_.destination));
  EXPECT_EQ(101, os::LoadI32Le(b.data() + 4)) << "100 records and the closing entry";
}

}  // namespace
}  // namespace tolv
