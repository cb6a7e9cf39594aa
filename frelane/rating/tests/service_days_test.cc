// Served lanes (zipval.dat) and service days (the ServiceUO/UD/M/US.dat matrix), with the
// files short, missing or holding cells that name no record.
#include "frelane/rating/service_days.h"

#include <filesystem>
#include <string>

#include "frelane/rating/tests/lane_test_support.h"
#include "testkit/rating/lane_lookup_files.h"

namespace frelane {
namespace {

using modMain::GetServiceDays;
using modMain::IsServedZipPair;

class ServiceDaysTest : public testing::LaneTest {
 protected:
  // Origin ranges are the matrix's columns, destination ranges its rows.
  void WriteMatrix(const std::vector<std::vector<int>>& rows) {
    dir_.Write("ServiceUO.dat", testkit::ZipRangeFile({{"30000", "31999"}, {"60000", "60999"}}));
    dir_.Write("ServiceUD.dat", testkit::ZipRangeFile({{"60000", "60999"},
                                                       {"90000", "96199"},
                                                       {"K0A", "P9Z"}}));
    dir_.Write("ServiceM.dat", testkit::ServiceMatrixFile(rows));
    dir_.Write("ServiceUS.dat", testkit::ServiceDaysFile({{1, 1}, {2, 3}, {0, 0}}));
  }
};

TEST_F(ServiceDaysTest, ServedPairsByPrefixRanges) {
  std::string lanes = testkit::ServedLaneFile({{"300", "399", "900", "999"}, {"300", "319", "K0A", "P9Z"}});
  dir_.Write("zipval.dat", lanes + "X");  // a trailing partial record is not read
  EXPECT_TRUE(IsServedZipPair("350", "945"));
  EXPECT_TRUE(IsServedZipPair("300", "999"));
  EXPECT_FALSE(IsServedZipPair("350", "899"));
  EXPECT_TRUE(IsServedZipPair("303", "K1A"));
  EXPECT_FALSE(IsServedZipPair("350", "K1A"));
  EXPECT_FALSE(IsServedZipPair("945", "350"));  // no pair the other way round

  // Beyond 16-bit positions: the last of 3000 records still counts.
  std::string many;
  for (int n = 0; n < 2999; ++n) many += testkit::ServedLaneFile({{"001", "001", "001", "001"}});
  dir_.Write("zipval.dat", many + testkit::ServedLaneFile({{"500", "500", "600", "600"}}));
  EXPECT_TRUE(IsServedZipPair("500", "600"));
}

TEST_F(ServiceDaysTest, MissingOrUnreadableFilesGiveNothingAndAreSaidOnce) {
  EXPECT_FALSE(IsServedZipPair("303", "902"));
  EXPECT_TRUE(user_.MessageBoxes().empty());
  std::filesystem::create_directory(dir_.File("zipval.dat"));
  user_.ExpectMsgBox(forms::MsgBoxResult::kOK, "Unable to read zipval.dat");
  EXPECT_FALSE(IsServedZipPair("303", "902"));
  EXPECT_FALSE(IsServedZipPair("303", "902"));

  // Each file of the matrix in turn with a directory in its place.
  SetLane("30301", "60601");
  for (const char* name : {"ServiceUO.dat", "ServiceUD.dat", "ServiceM.dat", "ServiceUS.dat"}) {
    WriteMatrix({{1, 0}, {2, 3}, {0, 2}});
    ASSERT_EQ(GetServiceDays(), "1");
    std::filesystem::remove(dir_.File(name));
    std::filesystem::create_directory(dir_.File(name));
    user_.ExpectMsgBox(forms::MsgBoxResult::kOK, std::string("Unable to read ") + name);
    EXPECT_EQ(GetServiceDays(), "") << name;
    EXPECT_EQ(GetServiceDays(), "") << name;
    std::filesystem::remove(dir_.File(name));
  }
  EXPECT_EQ(user_.MessageBoxes().size(), 5u);
}

TEST_F(ServiceDaysTest, DaysAsNumberRangeOrNothing) {
  // Columns: Atlanta, Chicago; rows: Chicago, California, Ontario.
  WriteMatrix({{1, 0}, {2, 3}, {0, 2}});
  SetLane("30301", "60601");
  EXPECT_EQ(GetServiceDays(), "1");
  SetLane("30301", "90210");
  EXPECT_EQ(GetServiceDays(), "2-3");
  SetLane("60601", "90210");
  EXPECT_EQ(GetServiceDays(), "");  // 0 and 0 days
  // Atlanta to Ontario: a blank cell is no service, and no swapped search.
  SetLane("30301", "K1A0B1");
  EXPECT_EQ(GetServiceDays(), "");
  SetLane("60601", "K1A0B1");
  EXPECT_EQ(GetServiceDays(), "2-3");
  // Origin in no range.
  SetLane("40202", "60601");
  EXPECT_EQ(GetServiceDays(), "");
}

TEST_F(ServiceDaysTest, CellsThatNameNoRecordAreNoService) {
  // A blank cell is skipped: the next covering row answers. Blanks alone never read
  // record 32, a 0 byte never record 0, and cells past either file's end give nothing.
  dir_.Write("ServiceUO.dat", testkit::ZipRangeFile({{"30000", "31999"}}));
  dir_.Write("ServiceUD.dat", testkit::ZipRangeFile({{"90000", "90999"}, {"90000", "96199"},
                                                     {"97000", "97999"}, {"98000", "98999"},
                                                     {"99000", "99999"}}));
  std::string cells = " \x02" "\x00" "\x09";  // row 5's cell lies past the end
  dir_.Write("ServiceM.dat", std::string(cells.data(), 4));
  std::vector<testkit::ServiceDays> days(40, {7, 7});
  dir_.Write("ServiceUS.dat", testkit::ServiceDaysFile({{1, 1}, {4, 5}}));
  SetLane("30301", "90210");
  EXPECT_EQ(GetServiceDays(), "4-5");
  SetLane("30301", "97201");
  EXPECT_EQ(GetServiceDays(), "");
  SetLane("30301", "98101");
  EXPECT_EQ(GetServiceDays(), "");  // record 9 of a 2-record file
  SetLane("30301", "99501");
  EXPECT_EQ(GetServiceDays(), "");
  dir_.Write("ServiceUS.dat", testkit::ServiceDaysFile(days));
  dir_.Write("ServiceM.dat", std::string("  "));
  SetLane("30301", "90210");
  EXPECT_EQ(GetServiceDays(), "");
}

TEST_F(ServiceDaysTest, MissingRangeFilesAreCreatedEmptyAndGiveNothing) {
  dir_.Write("ServiceM.dat", std::string("\x01"));
  SetLane("30301", "90210");
  EXPECT_EQ(GetServiceDays(), "");
  EXPECT_TRUE(std::filesystem::exists(dir_.File("ServiceUO.dat")));
  EXPECT_EQ(std::filesystem::file_size(dir_.File("ServiceUD.dat")), 0u);
}

}  // namespace
}  // namespace frelane
