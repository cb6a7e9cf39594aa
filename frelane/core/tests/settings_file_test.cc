#include "frelane/core/settings_file.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <limits>
#include <vector>

#include "testkit/app/settings_file_writer.h"
#include "testkit/temp_dir.h"

namespace frelane {
namespace {

namespace s = settings;

std::vector<std::uint8_t> ReadAll(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::vector<std::uint8_t>(std::istreambuf_iterator<char>(in), {});
}

SettingsRecord ReadOk(const std::string& path) {
  SettingsRecord record;
  std::string error;
  EXPECT_TRUE(ReadSettingsFile(path, &record, &error)) << error;
  return record;
}

// A full record put together byte by byte from the file's layout table.
TEST(SettingsRecordLayout, HandBuiltRecordReadsFieldByField) {
  std::vector<std::uint8_t> b(1206, 0);
  std::memset(&b[0], ' ', 537);      // company name to About text 5: all text
  std::memset(&b[672], ' ', 260);    // rate-sheet header lines
  std::memset(&b[1156], ' ', 50);    // unserved-lane message
  std::memcpy(&b[0], "Example Freight Lines", 21);
  std::memcpy(&b[377], "01-15-2026", 10);
  std::memcpy(&b[517], "01/15/2026", 10);
  b[545] = 0xFF, b[546] = 0xFF;  // FAK in use: -1
  std::memcpy(&b[579], "85 ", 3);
  b[584] = 0xE8, b[585] = 0x03;  // default weight 1000
  b[616] = 0xF4, b[617] = 0x3F;  // rate adjustment factor 1.25 = 0x3FF4000000000000
  b[632] = 3;                    // discount count
  std::memcpy(&b[672 + 65], "SECOND HEADER LINE", 18);
  b[1132] = 0x04, b[1133] = 0x40;  // Canada discount 3 (TL) = 2.5 = 0x4004000000000000
  b[1144] = 0x20, b[1145] = 0x4E;  // fuel-surcharge weight threshold 20000
  std::memcpy(&b[1156], "Lane not served", 15);

  testkit::TempDir dir;
  dir.Write("variable.dat", b);
  SettingsRecord r = ReadOk(dir.File("variable.dat"));
  EXPECT_EQ(r.Text(s::kCompanyName), "Example Freight Lines");
  EXPECT_EQ(r.Text(s::kEffectiveDateText), "01-15-2026");
  EXPECT_EQ(r.Raw(s::kRatingDate), "01/15/2026");
  EXPECT_EQ(r.I16(s::kFakInUse), -1);
  EXPECT_TRUE(r.On(s::kFakInUse));
  EXPECT_FALSE(r.On(s::kCityLookupShown));
  EXPECT_EQ(r.Text(s::kDefaultClass), "85");
  EXPECT_EQ(r.I32(s::kDefaultWeight), 1000);
  EXPECT_EQ(r.Text(s::kRateSheetHeaderLines, 2), "SECOND HEADER LINE");
  EXPECT_EQ(r.Text(s::kRateSheetHeaderLines, 1), "");
  EXPECT_DOUBLE_EQ(r.F64(s::kRateAdjustmentFactor), 1.25);
  EXPECT_EQ(r.I16(s::kDiscountCount), 3);
  EXPECT_DOUBLE_EQ(r.F64(s::kCanadaDiscounts, s::kDiscountTl), 2.5);
  EXPECT_DOUBLE_EQ(r.F64(s::kCanadaDiscounts, s::kDiscountLtl), 0.0);
  EXPECT_EQ(r.I32(s::kFuelSurchargeWeightThreshold), 20000);
  // A full-length file gets no defaults, even for a field it leaves blank.
  EXPECT_EQ(r.Text(s::kUnservedLaneMessage), "Lane not served");
  EXPECT_EQ(r.I16(s::kToolbarShown), 0);
}

// The record of a version that wrote every field with non-default values.
testkit::SettingsFileWriter Busy() {
  testkit::SettingsFileWriter w;
  w.CompanyName("Example Freight Lines")
      .LtlFuelSurchargeFloor(12.5)
      .F64(966, 20.0)   // TL floor
      .Switch(974, true)  // TL discount hidden
      .WebAddress("www.example.com")
      .IntrastateDiscount(2, 30.0)
      .IntrastateDiscountsEnabled(true)
      .CanadaDiscount(2, 40.0)
      .CanadaDiscountsEnabled(true)
      .FuelSurchargeWeightThreshold(15000)
      .ZipDiscountsOffered(true)
      .Switch(1150, true)  // zip discounts used
      .Switch(1152, true)  // never ask single shipment
      .ToolbarShown(false)
      .UnservedLaneMessage("Not served");
  return w;
}

TEST(OlderSettingsFiles, EachKnownLengthGetsItsDefaults) {
  testkit::TempDir dir;
  struct Row {
    std::size_t length;
    bool message, toolbar, single, zip, threshold, canada, v958;
  };
  // Which defaults each length receives; the others keep what the file holds.
  const Row rows[] = {
      {958, true, true, true, true, true, true, true},
      {1100, true, true, true, true, true, true, false},
      {1110, true, true, true, true, true, true, false},
      {1144, true, true, true, true, true, false, false},
      {1148, true, true, true, true, false, false, false},
      {1152, true, true, true, false, false, false, false},
      {1154, true, true, false, false, false, false, false},
      {1204, true, false, false, false, false, false, false},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.length);
    dir.Write("variable.dat", Busy().Bytes(row.length));
    SettingsRecord r = ReadOk(dir.File("variable.dat"));
    EXPECT_EQ(r.Text(s::kCompanyName), "Example Freight Lines");
    EXPECT_EQ(r.Text(s::kUnservedLaneMessage),
              row.message ? "Invalid Zip Code Combination" : "Not served");
    EXPECT_EQ(r.I16(s::kToolbarShown), row.toolbar ? -1 : 0);
    EXPECT_EQ(r.I16(s::kNeverAskSingleShipment), row.single ? 0 : -1);
    EXPECT_EQ(r.I16(s::kZipDiscountsOffered), row.zip ? 0 : -1);
    EXPECT_EQ(r.I16(s::kZipDiscountsUsed), row.zip ? 0 : -1);
    EXPECT_EQ(r.I32(s::kFuelSurchargeWeightThreshold), row.threshold ? 20000 : 15000);
    EXPECT_EQ(r.F64(s::kCanadaDiscounts, 2), row.canada ? 0.0 : 40.0);
    EXPECT_EQ(r.I16(s::kCanadaDiscountsEnabled), row.canada ? 0 : -1);
    EXPECT_EQ(r.F64(s::kLtlFuelSurchargeFloor), row.v958 ? 0.0 : 12.5);
    EXPECT_EQ(r.F64(s::kTlFuelSurchargeFloor), row.v958 ? 0.0 : 20.0);
    EXPECT_EQ(r.I16(s::kTlDiscountHidden), row.v958 ? 0 : -1);
    EXPECT_EQ(r.Text(s::kWebAddress), row.v958 ? "" : "www.example.com");
    EXPECT_EQ(r.F64(s::kIntrastateDiscounts, 2), row.v958 ? 0.0 : 30.0);
    // 1100 bytes end before the intrastate switch at 1108, which then reads 0.
    EXPECT_EQ(r.I16(s::kIntrastateDiscountsEnabled), row.v958 || row.length < 1110 ? 0 : -1);
  }
}

TEST(OlderSettingsFiles, FieldCutByTheEndOfTheFileIsBlankNotHalfRead) {
  testkit::TempDir dir;
  // 1000 bytes hold the TL floor (966-973) whole and cut the web address (976-1075).
  dir.Write("variable.dat", Busy().WebAddress(std::string(100, 'w')).Bytes(1000));
  SettingsRecord r = ReadOk(dir.File("variable.dat"));
  EXPECT_DOUBLE_EQ(r.F64(s::kTlFuelSurchargeFloor), 20.0);
  EXPECT_EQ(r.Raw(s::kWebAddress), std::string(100, ' '));
  EXPECT_EQ(r.F64(s::kIntrastateDiscounts, 1), 0.0);
}

TEST(SettingsRoundTrip, LoadThenSaveReproducesTheFileByteForByte) {
  testkit::TempDir dir;
  testkit::SettingsFileWriter w = Busy();
  // Reserved texts and odd bytes that no window reads must survive as they are.
  w.Text(50, 35, "reserved one").Text(247, 100, std::string(100, '\xE9')).I16(541, 7);
  w.Text(1190, 16, std::string("\0\x01zz", 4));
  std::vector<std::uint8_t> original = w.Bytes();
  dir.Write("variable.dat", original);
  SettingsRecord r = ReadOk(dir.File("variable.dat"));
  std::string error;
  ASSERT_TRUE(WriteSettingsFile(dir.File("copy.dat"), r, &error)) << error;
  EXPECT_EQ(ReadAll(dir.File("copy.dat")), original);
}

TEST(SettingsRoundTrip, SavingAnOlderFileStoresItsDefaultsInFullLength) {
  testkit::TempDir dir;
  dir.Write("variable.dat", Busy().Bytes(958));
  SettingsRecord r = ReadOk(dir.File("variable.dat"));
  std::string error;
  ASSERT_TRUE(WriteSettingsFile(dir.File("variable.dat"), r, &error)) << error;
  std::vector<std::uint8_t> saved = ReadAll(dir.File("variable.dat"));
  ASSERT_EQ(saved.size(), 1206u);
  EXPECT_EQ(std::string(saved.begin() + 1156, saved.begin() + 1184),
            "Invalid Zip Code Combination");
  EXPECT_EQ(saved[1144], 0x20);  // 20000 = 0x4E20
  EXPECT_EQ(saved[1145], 0x4E);
}

TEST(SettingsText, AccentedTextIsStoredAsSingleBytes) {
  SettingsRecord r;
  r.SetText(s::kCompanyName, "Fret Québec Ltée");
  EXPECT_EQ(r.bytes()[7], 0xE9);  // "é" in Windows-1252
  EXPECT_EQ(r.Text(s::kCompanyName), "Fret Québec Ltée");
  // Raw is the stored bytes, padding included; Text is the UTF-8 text.
  EXPECT_EQ(r.Raw(s::kCompanyName), "Fret Qu\351bec Lt\351e" + std::string(34, ' '));
  r.SetText(s::kDefaultOrigin, "K1A0B1X");  // cut at the width
  EXPECT_EQ(r.Raw(s::kDefaultOrigin), "K1A0B1");
  r.SetText(s::kDefaultClass, "92");
  EXPECT_EQ(r.Raw(s::kDefaultClass), "92 ");
}

TEST(BadSettingsFiles, MissingEmptyOrNotAFileIsReportedAndNothingIsWritten) {
  testkit::TempDir dir;
  SettingsRecord r;
  r.SetText(s::kCompanyName, "stale");
  std::string error;
  EXPECT_FALSE(ReadSettingsFile(dir.File("variable.dat"), &r, &error));
  EXPECT_NE(error.find("variable.dat"), std::string::npos);
  EXPECT_NE(error.find("not found"), std::string::npos);
  EXPECT_EQ(r.Text(s::kCompanyName), "");
  EXPECT_FALSE(std::filesystem::exists(dir.File("variable.dat")));

  dir.Write("variable.dat", std::string_view());
  error.clear();
  EXPECT_FALSE(ReadSettingsFile(dir.File("variable.dat"), &r, &error));
  EXPECT_NE(error.find("empty"), std::string::npos);

  std::filesystem::create_directory(dir.File("sub"));
  std::filesystem::create_directory(dir.File("sub/variable.dat"));
  EXPECT_FALSE(ReadSettingsFile(dir.File("sub/variable.dat"), &r, &error));
}

TEST(BadSettingsFiles, OverLongFileIsReadAsItsFirstRecord) {
  testkit::TempDir dir;
  std::vector<std::uint8_t> bytes = Busy().Bytes();
  bytes.resize(70000, 'x');
  dir.Write("variable.dat", bytes);
  SettingsRecord r = ReadOk(dir.File("variable.dat"));
  EXPECT_EQ(r.Text(s::kUnservedLaneMessage), "Not served");
  EXPECT_EQ(r.I16(s::kToolbarShown), 0);
}

TEST(BadSettingsFiles, GarbageNumbersReadAsZeroAndTinyFilesStillLoad) {
  testkit::TempDir dir;
  testkit::SettingsFileWriter w;
  w.RateAdjustmentFactor(std::numeric_limits<double>::quiet_NaN())
      .HiddenRateAdjustmentFactor(std::numeric_limits<double>::infinity());
  dir.Write("variable.dat", w.Bytes());
  SettingsRecord r = ReadOk(dir.File("variable.dat"));
  EXPECT_EQ(r.F64(s::kRateAdjustmentFactor), 0.0);
  EXPECT_EQ(r.F64(s::kHiddenRateAdjustmentFactor), 0.0);

  dir.Write("variable.dat", std::string_view("abc"));
  r = ReadOk(dir.File("variable.dat"));
  EXPECT_EQ(r.Text(s::kCompanyName), "");  // a cut field is not half taken
  EXPECT_EQ(r.I32(s::kFuelSurchargeWeightThreshold), 20000);
}

TEST(BadSettingsFiles, FailedWriteReportsAndLeavesNoFile) {
  testkit::TempDir dir;
  SettingsRecord r;
  std::string error;
  EXPECT_FALSE(WriteSettingsFile(dir.File("missing/variable.dat"), r, &error));
  EXPECT_NE(error.find("could not be written"), std::string::npos);
}

}  // namespace
}  // namespace frelane
