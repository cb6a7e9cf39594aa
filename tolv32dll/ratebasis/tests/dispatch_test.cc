#include "tolv32dll/ratebasis/dispatch.h"
#include "tolv32dll/ratebasis/methods.h"

#include <gtest/gtest.h>
#include <limits.h>
#include <unistd.h>

#include <cstdio>
#include <utility>

#include "platform/os/bytes.h"
#include "testkit/logs/binary_log_reader.h"
#include "testkit/points/memory_rating_files.h"
#include "testkit/points/point_files.h"
#include "testkit/rates/rate_files.h"
#include "testkit/read_file.h"
#include "testkit/temp_dir.h"
#include "tolv32dll/logs/binary_log.h"

namespace tolv {
namespace {

using testkit::RateRow;

// The calling thread's binary log switched on, written into a directory of its own (the
// log goes to the current directory); both put back afterwards.
class BinaryLogHere {
 public:
  BinaryLogHere() {
    char cwd[PATH_MAX];
    if (::getcwd(cwd, sizeof cwd) != nullptr) old_ = cwd;
    if (::chdir(dir_.path().c_str()) != 0) ADD_FAILURE() << "no log directory";
    SetThreadBinaryDebug('Y');
  }
  ~BinaryLogHere() {
    SetThreadBinaryDebug('N');
    if (::chdir(old_.c_str()) != 0) ADD_FAILURE() << "cannot go back to " << old_;
  }
  // The records of the given kinds logged since the last call, as (kind, data).
  std::vector<std::pair<int, std::string>> Take() {
    testkit::BinaryLog log = testkit::ParseBinaryLog(testkit::ReadFile(dir_.File(kBinaryLogName)));
    std::remove(dir_.File(kBinaryLogName).c_str());
    EXPECT_FALSE(log.truncated);
    std::vector<std::pair<int, std::string>> out;
    for (const testkit::BinaryLogEntry& e : log.entries) {
      if (e.kind == 2 || (e.kind >= 5 && e.kind <= 10) || e.kind == 13) {
        out.emplace_back(e.kind, e.data);
      }
    }
    return out;
  }

 private:
  testkit::TempDir dir_;
  std::string old_;
};

std::string Text(const std::vector<std::uint8_t>& bytes) {
  return std::string(bytes.begin(), bytes.end());
}

std::string I32(std::int32_t v) {
  std::string s(4, '\0');
  os::StoreI32Le(reinterpret_cast<std::uint8_t*>(s.data()), v);
  return s;
}
std::string I16(std::int16_t v) { return I32(v).substr(0, 2); }
// A point as logged: high and low ZIP, point index, add-on factor, second factor.
std::string Point(const char* high, const char* low, int index, int factor) {
  return std::string(high) + low + I16(static_cast<std::int16_t>(index)) +
         I16(static_cast<std::int16_t>(factor)) + I16(0);
}

class DispatchTest : public ::testing::Test {
 protected:
  DispatchTest() {
    // Points 10000-19999 (index 1) and 20000-29999 (index 2): the lane's number is 4.
    files_.Set(".P", testkit::PointFile({{"10000", "19999", 1, 0}, {"20000", "29999", 2, 0}}));
    files_.Set(".I", testkit::RateIndex16({std::nullopt, std::nullopt, 1, std::nullopt, 0, 1}));
    files_.Set(".R", testkit::RateFile({{1, "  1234 ", {9500, 2000}}, {1, "   777 ", {9500, 10}}}, 526));
    terms_.tariff.point_type = '0';
    points_.Reset("15000", "", "25000", "");
    request_.origin_zip = "15000";
    request_.destination_zip = "25000";
  }
  ErrorNumber Find() { return FindRateBasis(files_, terms_, points_, request_, state_); }

  testkit::MemoryRatingFiles files_;
  RateBasisTerms terms_;
  PointState points_;
  ListRequest request_;
  RateBasisState state_;
};

TEST_F(DispatchTest, PlainMethodReadsTheIndexedRecord) {
  ASSERT_EQ(kOk, Find());
  EXPECT_EQ(4, state_.rate_basis_number);
  EXPECT_EQ(0, state_.rate_index);
  EXPECT_EQ("1234", state_.printed_number);
  EXPECT_EQ(2000, state_.record.Value(1));

  // Add-on factors move the record number; the '4' family reads the index alone.
  files_.Set(".P", testkit::PointFile({{"10000", "19999", 1, 1}, {"20000", "29999", 2, 0}}));
  ASSERT_EQ(kOk, Find());
  EXPECT_EQ("777", state_.printed_number);
  terms_.tariff.point_type = '4';
  files_.Set(".R", testkit::RateFile({{1, "  1234 ", {}}}, 631));
  ASSERT_EQ(kOk, Find());
  EXPECT_EQ("1234", state_.printed_number);
}

TEST_F(DispatchTest, BinaryLogFollowsTheSteps) {
  BinaryLogHere log;
  // Plain method: both points, the lane's number 4, index entry 0 and the record it leads
  // to as read (before the move to its area's record), then the area: 1234 of factor set
  // 001 lies in 1000-2000, increments 3 and 4.
  const RateRow read{1, "  1234 ", {9500}};
  files_.Set(".R", testkit::RateFile({read, {1, "  1241 ", {9600}}}, 526));
  files_.Set(".H", testkit::AreaCompanionFile({{1, 1000, 2000, 1500}}, {}));
  files_.Set(".O", testkit::AreaIncrementFile({{"15000", 2000, 'F', 3}, {"25000", 2000, 'T', 4}}));
  ASSERT_EQ(kOk, Find());
  ASSERT_EQ(9600, state_.record.Value(0));
  using Logged = std::vector<std::pair<int, std::string>>;
  EXPECT_EQ(log.Take(), (Logged{{7, Point("19999", "10000", 1, 0)},
                                {8, Point("29999", "20000", 2, 0)},
                                {13, I32(4)},
                                {9, I32(0)},
                                {10, I16(0)},
                                {5, Text(testkit::RateRecord(read, 526))},
                                {6, I32(7)}}));

  // Add-on method: index 3 x 1024 + 17 gives base 17 and record 17 + 5 + 10, with the
  // rule that made it.
  terms_.tariff.point_type = '7';
  files_.Set(".H", testkit::AreaCompanionFile({}, {}));
  files_.Set(".P", testkit::PointFile({{"10000", "19999", 1, 1005}, {"20000", "29999", 2, 2010}}));
  files_.Set(".I", testkit::RateIndex16({0, 0, 0, 0, 3 * 1024 + 17}));
  files_.Set(".R", testkit::RateFile(std::vector<RateRow>(40, RateRow{1, " 0321  ", {}}), 16));
  files_.Set(".M", testkit::MinBlock({1, 2, 3}));
  ASSERT_EQ(kOk, Find());
  EXPECT_EQ(log.Take(),
            (Logged{{7, Point("19999", "10000", 1, 1005)},
                    {8, Point("29999", "20000", 2, 2010)},
                    {9, I16(17)},
                    {10, I16(32)},
                    {2, "RR# = Base RR# + org addon fac % 1000 + dest addon fac % 1000"},
                    {5, Text(testkit::RateRecord({1, " 0321  ", {}}, 16))}}));
}

TEST_F(DispatchTest, ExpSubstitutionMovesTheLane) {
  // 15000 is rated as 25001: both ends in point 2, number 5, index entry 1.
  files_.Set(".E", testkit::ExpZipFile({{"15000", "25001", "**"}}));
  ASSERT_EQ(kOk, Find());
  EXPECT_EQ(5, state_.rate_basis_number);
  EXPECT_EQ("777", state_.printed_number);
  EXPECT_TRUE(points_.origin.exp_found);
}

TEST_F(DispatchTest, LettersWithoutAMethod) {
  ASSERT_EQ(kOk, Find());
  ASSERT_FALSE(state_.record.empty());
  // Point type '2' runs no method: the last shipment's record must not stay in hand.
  terms_.tariff.point_type = '2';
  ASSERT_EQ(kOk, Find());
  EXPECT_TRUE(state_.record.empty());
  EXPECT_EQ("", state_.printed_number);
  // 'K' runs a method only for the years it knows.
  terms_.tariff.point_type = 'K';
  terms_.tariff.year = 96;
  ASSERT_EQ(kOk, Find());
  EXPECT_TRUE(state_.record.empty());
  terms_.tariff.year = 94;
  files_.Set(".R", testkit::RateFile({{1, "  1234 ", {}}}, 52));
  ASSERT_EQ(kOk, Find());
  EXPECT_EQ("1234", state_.printed_number);
  for (char letter : {'Y', '8', '9', '@', 'O', 'Z', ' '}) {
    terms_.tariff.point_type = letter;
    EXPECT_EQ(kErrTyptar, Find()) << letter;
  }
}

TEST_F(DispatchTest, CompactPointsAndCodedNumbers) {
  terms_.tariff.point_type = '1';
  files_.Set(".P", testkit::CompactPointFile({{15000, 10, 1, 0}, {25000, 100, 2, 0}}));
  files_.Set(".I", testkit::RateIndexBits({0, 0, 0, 0, 1}, 10));
  files_.Set(".R", testkit::RateFile({{1, "  1234 ", {}}, {803, "  0042 ", {}}}, 25));
  ASSERT_EQ(kOk, Find());
  EXPECT_EQ("30042", state_.printed_number);
}

TEST_F(DispatchTest, AddonMethodBetweenPoints) {
  terms_.tariff.point_type = '7';
  // Factors 1005 and 2010, rate index 3 x 1024 + 17: record 17 + 5 + 10 = 32, thousands
  // digit 1 + 2 + 3 = 6.
  files_.Set(".P", testkit::PointFile({{"10000", "19999", 1, 1005}, {"20000", "29999", 2, 2010}}));
  files_.Set(".I", testkit::RateIndex16({0, 0, 0, 0, 3 * 1024 + 17}));
  std::vector<RateRow> rows(40, RateRow{1, " 0000  ", {}});
  rows[32] = {1, " 0321  ", {}};
  files_.Set(".R", testkit::RateFile(rows, 16));
  EXPECT_EQ(kErrMinopn, Find()) << "the method reads the minimum block";
  files_.Set(".M", testkit::MinBlock({1, 2, 3}));
  ASSERT_EQ(kOk, Find());
  EXPECT_EQ("60321", state_.printed_number);
  EXPECT_TRUE(state_.minimum_block_read);
}

TEST_F(DispatchTest, AddonMethodInsideOnePoint) {
  terms_.tariff.point_type = '7';
  files_.Set(".M", testkit::MinBlock({}));
  // Two ranges of one point: the lane stays inside it; s = the sum of the two factors.
  auto rate = [&](std::int16_t origin_factor, std::int16_t destination_factor) {
    files_.Set(".P", testkit::PointFile({{"10000", "15000", 1, origin_factor},
                                         {"15001", "19999", 1, destination_factor}}));
    points_.Reset("15000", "", "15001", "");
    ErrorNumber e = Find();
    return e == kOk ? state_.printed_number : "error " + std::to_string(e);
  };
  // The 4-character key sits in the factor-set and number bytes: "042" + "0".
  files_.Set(".R", [] {
    testkit::Bytes out;
    for (const char* key : {"0420", "0520", "0840", "5000"}) {
      testkit::Bytes r(16, ' ');
      for (int i = 0; i < 4; ++i) r[i] = key[i];
      r[5] = 'R';
      r[6] = key[1];
      out.insert(out.end(), r.begin(), r.end());
    }
    return out;
  }());
  EXPECT_EQ("10R4", rate(0, 0));       // 1042: thousands digit 1, bytes 3-9 "0 R4"
  EXPECT_EQ("10R5", rate(1001, 51));   // 1052
  EXPECT_EQ("10R8", rate(500, 500));   // 1084
  EXPECT_EQ("10R5", rate(1000, 52));   // 1052 by the second rule for 1001-1052
  EXPECT_EQ("20R5", rate(2000, 52));   // 2052: key "0520"; digit 2
  EXPECT_EQ("error 218", rate(1400, 200));  // 1600 stays itself: key "6000" is not there
  EXPECT_EQ("10R0", rate(1400, 100));  // 1500: key "5000"
}

TEST_F(DispatchTest, LanePointsKeepTheirWholeRecords) {
  terms_.tariff.point_type = 'N';
  terms_.tariff.alt_point_type = 'L';  // its kind row gives the 52-byte records
  // 30-byte point records: high ZIP at 2, low ZIP at 8, keys at 14 and 18, lane-adjustment
  // numbers at 22 and 26.
  auto point = [](const char* low, const char* high, std::int32_t ok, std::int32_t dk,
                  std::int32_t ola, std::int32_t dla) {
    testkit::Bytes r(30, ' ');
    for (int i = 0; i < 5; ++i) {
      r[2 + i] = high[i];
      r[8 + i] = low[i];
    }
    testkit::Bytes tail;
    for (std::int32_t v : {ok, dk, ola, dla}) testkit::AppendI32(tail, v);
    std::copy(tail.begin(), tail.end(), r.begin() + 14);
    return r;
  };
  testkit::Bytes points = point("10000", "19999", 11, 12, 700, -1);
  testkit::Bytes second = point("20000", "29999", 21, 22, -1, 800);
  points.insert(points.end(), second.begin(), second.end());
  files_.Set(".P", points);
  testkit::Bytes index;
  for (std::int32_t v : {11, 12, 0, 11, 22, 1, 21, 12, 0}) testkit::AppendI32(index, v);
  files_.Set(".I", index);
  // Rate records of 52 + 4 bytes; bytes 10-13 hold the lane-adjustment number.
  testkit::Bytes rates = testkit::RateRecord({1, "  1111 ", {}}, 56);
  testkit::Bytes lane = testkit::RateRecord({1, "  2222 ", {}}, 56);
  for (int i = 0; i < 4; ++i) lane[10 + i] = static_cast<std::uint8_t>(0x01020304 >> (8 * i));
  lane[14] = 0x04;
  lane[15] = 0x05;
  lane[16] = 0x06;
  rates.insert(rates.end(), lane.begin(), lane.end());
  files_.Set(".R", rates);
  ASSERT_EQ(kOk, Find());
  EXPECT_EQ(1, state_.rate_basis_number);
  EXPECT_EQ("2222", state_.printed_number);
  EXPECT_EQ(52u, state_.record.bytes().size());
  EXPECT_EQ(0x060504, state_.record.Value(0)) << "the record resumes after the lane number";
  EXPECT_EQ(700, state_.lane_adjustment_records[0]);
  EXPECT_EQ(800, state_.lane_adjustment_records[1]);
  EXPECT_EQ(0x01020304, state_.lane_adjustment_records[2]);
  points_.Reset("15000", "", "35000", "");
  EXPECT_EQ(kErrBaddst, Find());
}

TEST_F(DispatchTest, LiteMethodsWithoutANumber) {
  files_.Set(".R", testkit::RateFile({{1, " 00000E", {}}}, 52));
  terms_.tariff.point_type = 'L';
  EXPECT_EQ(kErrIvdcmb, Find());
  terms_.tariff.point_type = 'I';
  EXPECT_EQ(kErrInvrbn, Find());
  // The Lite steps may give the record its number.
  terms_.lite_steps = [](char method, MethodContext& ctx) {
    EXPECT_EQ('I', method);
    TOLV_RETURN_IF_ERROR(RunCommonSkeleton(ctx, false, true));
    ctx.state.record.mutable_bytes()[8] = '5';
    return kOk;
  };
  EXPECT_EQ(kOk, Find());
}

TEST_F(DispatchTest, SteppedRateBasis) {
  files_.Set(".R", testkit::RateFile({{1, "  1234 ", {}}, {1, "  1236 ", {}}}, 526));
  terms_.stepped = true;
  terms_.step_increment = 2;
  ASSERT_EQ(kOk, Find());
  EXPECT_EQ("1236", state_.printed_number);
  EXPECT_EQ(1, state_.record_number);
}

}  // namespace
}  // namespace tolv
