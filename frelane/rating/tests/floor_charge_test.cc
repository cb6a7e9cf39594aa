// The lane's minimum-charge floor over hand-made floor files and FloorAdd.dat.
#include "frelane/rating/floor_charge.h"

#include <gtest/gtest.h>

#include <string>

#include "frelane/core/main_module.h"
#include "frelane/core/tolv_declares.h"
#include "frelane/rating/lane_state.h"
#include "testkit/quote/quote_files.h"
#include "testkit/temp_dir.h"

namespace frelane {
namespace {

using testkit::FloorAddLine;
using testkit::FloorAmountsFile;
using testkit::FloorMatrixFile;
using testkit::FloorRangesFile;

class FloorChargeTest : public ::testing::Test {
 protected:
  void SetUp() override {
    modMain::Reset();
    modTolvDeclares32::Reset();
    modMain::Lane() = modMain::LaneState{};
    modMain::Get().data_directory = dir_.path();
    SetLane("30310", "60610");
  }
  void TearDown() override {
    modMain::Lane() = modMain::LaneState{};
    modTolvDeclares32::Reset();
    modMain::Reset();
  }
  void SetLane(const std::string& origin, const std::string& destination) {
    auto header = modTolvDeclares32::ShipmentRecord().header();
    header.SetText(tolv::shipment_header::kOriginZip, origin);
    header.SetText(tolv::shipment_header::kDestinationZip, destination);
  }
  void LaneFloor(double dollars) {
    modMain::Lane().LaneMcFloor = runtime::Currency::FromDouble(dollars);
  }
  void MatrixOn() { modMain::Settings().SetOn(settings::kFloorMatrixInUse, true); }
  // Four origin columns and three destination rows; origin 30310 lies in column 2 and
  // destination 60610 in row 3.
  void WriteRanges() {
    dir_.Write("FloorsUO.dat", FloorRangesFile({{"10000", "19999"}, {"30000", "30999"},
                                                {"40000", "49999"}, {"60000", "69999"}}));
    dir_.Write("FloorsUD.dat",
               FloorRangesFile({{"10000", "19999"}, {"20000", "29999"}, {"60000", "60999"}}));
    dir_.Write("FloorsUF.dat", FloorAmountsFile({5000, 7500, 8000}));
  }

  testkit::TempDir dir_;
};

TEST_F(FloorChargeTest, LaneFloorTakesTheFloorAdditionOfTheFirstCoveringLine) {
  LaneFloor(25.0);
  EXPECT_DOUBLE_EQ(modMain::GetFloorCharge(), 25.0);
  EXPECT_DOUBLE_EQ(modMain::Lane().FloorAddition, 0.0);

  dir_.Write("floorADD.dat", FloorAddLine("10000", "19999", "00000", "99999", 900) + "\r\n" +
                                 FloorAddLine("30000", "30999", "60000", "60999", 500) + "\r\n" +
                                 FloorAddLine("00000", "99999", "00000", "99999", 700) + "\r\n");
  EXPECT_DOUBLE_EQ(modMain::GetFloorCharge(), 30.0);
  EXPECT_DOUBLE_EQ(modMain::Lane().FloorAddition, 5.0);

  // The matrix is not consulted while the lane has a floor of its own.
  MatrixOn();
  WriteRanges();
  dir_.Write("FloorsM.dat", FloorMatrixFile(3, 4, {{{3, 2}, 2}}));
  EXPECT_DOUBLE_EQ(modMain::GetFloorCharge(), 30.0);

  // A line whose amount is not a number adds nothing.
  dir_.Write("FloorAdd.dat", "3000030999600006099912X456\r\n");
  EXPECT_DOUBLE_EQ(modMain::GetFloorCharge(), 25.0);
  EXPECT_DOUBLE_EQ(modMain::Lane().FloorAddition, 0.0);
}

TEST_F(FloorChargeTest, MatrixCellOfTheLaneSelectsTheFloorAmount) {
  WriteRanges();
  dir_.Write("FloorsM.dat", FloorMatrixFile(3, 4, {{{3, 2}, 2}}));
  EXPECT_DOUBLE_EQ(modMain::GetFloorCharge(), 0.0) << "matrix switch off";
  MatrixOn();
  // Cell (row 3, column 2) is record (3 - 1) x 4 + 2 = 10.
  EXPECT_DOUBLE_EQ(modMain::GetFloorCharge(), 75.0);
  EXPECT_DOUBLE_EQ(modMain::Lane().FloorAddition, 0.0);

  // Only the reverse lane is covered: the swapped pass finds it.
  SetLane("60610", "30310");
  dir_.Write("FloorsUO.dat", FloorRangesFile({{"60000", "60999"}}));
  dir_.Write("FloorsUD.dat", FloorRangesFile({{"30000", "30999"}}));
  dir_.Write("FloorsM.dat", std::string(" "));
  EXPECT_DOUBLE_EQ(modMain::GetFloorCharge(), 0.0);
  dir_.Write("FloorsUO.dat", FloorRangesFile({{"30000", "30999"}}));
  dir_.Write("FloorsUD.dat", FloorRangesFile({{"60000", "60999"}}));
  dir_.Write("FloorsM.dat", std::string("\x03"));
  SetLane("60610", "30310");
  EXPECT_DOUBLE_EQ(modMain::GetFloorCharge(), 80.0);
}

TEST_F(FloorChargeTest, BlankZeroAndOutOfRangeCellsGiveNoFloor) {
  MatrixOn();
  WriteRanges();
  // Two rows cover the destination; the first covering cell is blank, the later one filled.
  dir_.Write("FloorsUD.dat",
             FloorRangesFile({{"60000", "60999"}, {"20000", "29999"}, {"60000", "69999"}}));
  dir_.Write("FloorsM.dat", FloorMatrixFile(3, 4, {{{3, 2}, 1}}));
  EXPECT_DOUBLE_EQ(modMain::GetFloorCharge(), 50.0);

  // Only blank cells: no floor (not record 32 of the amounts).
  std::string blanks = FloorMatrixFile(3, 4, {});
  dir_.Write("FloorsUF.dat", FloorAmountsFile(std::vector<std::int32_t>(40, 9900)));
  dir_.Write("FloorsM.dat", blanks);
  EXPECT_DOUBLE_EQ(modMain::GetFloorCharge(), 0.0);

  // A 0 cell is no cell either, and the swapped pass still searches every record.
  dir_.Write("FloorsUO.dat", FloorRangesFile({{"30000", "30999"}, {"60000", "60999"}}));
  dir_.Write("FloorsUD.dat", FloorRangesFile({{"60000", "60999"}, {"30000", "30999"}}));
  dir_.Write("FloorsUF.dat", FloorAmountsFile({5000, 7500, 8000}));
  dir_.Write("FloorsM.dat", FloorMatrixFile(2, 2, {{{1, 1}, 0}, {{2, 2}, 2}}));
  EXPECT_DOUBLE_EQ(modMain::GetFloorCharge(), 75.0);
  WriteRanges();

  // An index past the end of the amounts, or a matrix shorter than its ranges: no floor.
  SetLane("30310", "60610");
  dir_.Write("FloorsM.dat", FloorMatrixFile(3, 4, {{{3, 2}, 9}}));
  EXPECT_DOUBLE_EQ(modMain::GetFloorCharge(), 0.0);
  dir_.Write("FloorsM.dat", std::string("\x01\x01\x01"));
  EXPECT_DOUBLE_EQ(modMain::GetFloorCharge(), 0.0);
}

TEST_F(FloorChargeTest, HandBuiltFilesAndMissingFiles) {
  MatrixOn();
  EXPECT_DOUBLE_EQ(modMain::GetFloorCharge(), 0.0) << "no floor files at all";
  // One column, one row, one cell, one amount of 7500 cents, a trailing partial record.
  dir_.Write("FloorsUO.dat", std::string("30000309993"));
  dir_.Write("FloorsUD.dat", std::string("6000060999"));
  dir_.Write("FloorsM.dat", std::string("\x01"));
  dir_.Write("FloorsUF.dat", std::string("\x4c\x1d\x00\x00\x01", 5));
  EXPECT_DOUBLE_EQ(modMain::GetFloorCharge(), 75.0);
  // A Canadian code is cut to its first 5 characters.
  dir_.Write("FloorsUO.dat", std::string("K1A0AK1A0Z"));
  SetLane("K1A0B1", "60610");
  EXPECT_DOUBLE_EQ(modMain::GetFloorCharge(), 75.0);
}

TEST_F(FloorChargeTest, TrimHaulTakesTheSmallerFloorAndNoAddition) {
  modMain::Settings().SetText(settings::kCompanyName, "Trim Haul Logistics");
  dir_.Write("FloorAdd.dat", FloorAddLine("00000", "99999", "00000", "99999", 500) + "\r\n");
  WriteRanges();
  dir_.Write("FloorsM.dat", FloorMatrixFile(3, 4, {{{3, 2}, 3}}));
  LaneFloor(60.0);
  EXPECT_DOUBLE_EQ(modMain::GetFloorCharge(), 0.0) << "matrix switch off";
  MatrixOn();
  EXPECT_DOUBLE_EQ(modMain::GetFloorCharge(), 60.0);
  EXPECT_DOUBLE_EQ(modMain::Lane().FloorAddition, 0.0);
  LaneFloor(100.0);
  EXPECT_DOUBLE_EQ(modMain::GetFloorCharge(), 80.0);
}

}  // namespace
}  // namespace frelane
