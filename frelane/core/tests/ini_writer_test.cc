// The ini writer as the export settings use it, and the mileage look-up on a scripted engine.
#include "frelane/core/ini_writer.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "frelane/core/main_module.h"
#include "frelane/core/mileage.h"
#include "frelane/core/tolv_declares.h"
#include "testkit/app/fake_engine.h"
#include "testkit/read_file.h"
#include "testkit/temp_dir.h"

namespace frelane {
namespace {

using modIniFile::WriteIniString;

TEST(IniWriterTest, CreatesTheFileAndKeepsKeysInTheOrderWritten) {
  testkit::TempDir dir;
  const std::string ini = dir.File("Defaults.ini");
  ASSERT_TRUE(WriteIniString("ShipmentExport", "Append", "Y", ini));
  EXPECT_EQ(testkit::ReadFile(ini), "[ShipmentExport]\r\nAppend=Y\r\n");

  for (const char* key : {"ExportAll", "Append", "PathFile", "CommaSeparated"}) {
    ASSERT_TRUE(WriteIniString("ShipmentExport", key, "N", ini));
  }
  // Append is replaced where it stood; the others follow it.
  EXPECT_EQ(testkit::ReadFile(ini),
            "[ShipmentExport]\r\nAppend=N\r\nExportAll=N\r\nPathFile=N\r\nCommaSeparated=N\r\n");
}

TEST(IniWriterTest, KeepsOtherSectionsCommentsAndKeys) {
  testkit::TempDir dir;
  dir.Write("Defaults.ini",
            "; written by hand\r\n[Other]\r\nKey=1\r\n[shipmentexport]\r\npathfile=/old.csv\r\n"
            "Extra=keep\r\n");
  ASSERT_TRUE(WriteIniString("ShipmentExport", "PathFile", "/tmp/new file.csv",
                             dir.File("Defaults.ini")));
  EXPECT_EQ(testkit::ReadFile(dir.File("Defaults.ini")),
            "; written by hand\r\n[Other]\r\nKey=1\r\n[shipmentexport]\r\n"
            "PathFile=/tmp/new file.csv\r\nExtra=keep\r\n");
}

TEST(IniWriterTest, DamagedFileIsRepairedAroundItsGarbageOrLeftAlone) {
  testkit::TempDir dir;
  // Lines without "=", a NUL and no line end at the end: the writer adds its section and
  // keeps what it cannot read.
  const char kGarbage[] = "\x01\x02 junk\r\nno equals here\r\n\0tail";
  std::string garbage(kGarbage, sizeof kGarbage - 1);
  dir.Write("Defaults.ini", garbage);
  ASSERT_TRUE(WriteIniString("ShipmentExport", "ExportAll", "Y", dir.File("Defaults.ini")));
  std::string after = testkit::ReadFile(dir.File("Defaults.ini"));
  EXPECT_EQ(after.substr(0, garbage.size()), garbage);
  EXPECT_NE(after.find("[ShipmentExport]\r\nExportAll=Y\r\n"), std::string::npos);

  // A directory in the file's place is not written and says so.
  EXPECT_FALSE(WriteIniString("ShipmentExport", "Append", "Y", dir.path()));
  // Names the format cannot hold are refused.
  EXPECT_FALSE(WriteIniString("Shipment]Export", "Append", "Y", dir.File("x.ini")));
  EXPECT_FALSE(WriteIniString("ShipmentExport", "A=B", "Y", dir.File("x.ini")));
}

class MileageTest : public ::testing::Test {
 protected:
  void SetUp() override {
    modTolvDeclares32::Reset();
    auto engine = std::make_unique<testkit::FakeEngine>();
    engine->rate = [this](ShipmentBytes bytes) {
      tolv::ShipmentRecord r = tolv::ShipmentRecord::FromBytes(bytes.data());
      r.header().SetText(tolv::shipment_header::kStatus, status_);
      r.header().SetText(tolv::shipment_header::kRateBasisNumber, rate_basis_);
      r.CopyTo(bytes.data());
    };
    log_ = engine->log();
    modTolvDeclares32::InstallEngine(std::move(engine));
    auto header = modTolvDeclares32::ShipmentRecord().header();
    header.SetText(tolv::shipment_header::kDetailCount, "3");
    header.SetText(tolv::shipment_header::kTariffName, "QFLC0001");
    header.SetText(tolv::shipment_header::kDiscountSwitch, "Y");
  }
  void TearDown() override { modTolvDeclares32::Reset(); }

  std::string status_ = "    ";
  std::string rate_basis_;
  std::shared_ptr<testkit::FakeEngine::Log> log_;
};

TEST_F(MileageTest, AsksTheMileageTariffAndPutsTheDetailCountBack) {
  rate_basis_ = "        245";
  EXPECT_EQ(modMain::GetMileage(), 245);
  ASSERT_EQ(log_->rated_records.size(), 1u);
  tolv::ShipmentRecord sent = tolv::ShipmentRecord::FromBytes(log_->rated_records[0].data());
  EXPECT_EQ(sent.header().Raw(tolv::shipment_header::kTariffName), "MILE0001");
  EXPECT_EQ(sent.header().Raw(tolv::shipment_header::kDetailCount), "00");
  EXPECT_EQ(sent.header().Raw(tolv::shipment_header::kDiscountSwitch), "N");
  auto after = std::as_const(modTolvDeclares32::ShipmentRecord()).header();
  EXPECT_EQ(after.Raw(tolv::shipment_header::kDetailCount), "3 ");
  EXPECT_EQ(after.Raw(tolv::shipment_header::kTariffName), "MILE0001");
}

TEST_F(MileageTest, OneMileOrAFailedRatingGivesMinusOne) {
  rate_basis_ = "          1";
  EXPECT_EQ(modMain::GetMileage(), -1);
  rate_basis_ = "        245";
  status_ = "0216";
  EXPECT_EQ(modMain::GetMileage(), -1);
  status_ = "    ";
  rate_basis_ = "";
  EXPECT_EQ(modMain::GetMileage(), -1);
}

}  // namespace
}  // namespace frelane
