#include "frelane/core/geography.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "frelane/core/main_module.h"
#include "testkit/geo/geo_writers.h"
#include "testkit/temp_dir.h"

namespace frelane::modMain {
namespace {

class GeographyTest : public ::testing::Test {
 protected:
  void SetUp() override {
    Reset();
    Get().data_directory = dir_.path();
  }
  testkit::TempDir dir_;
};

TEST_F(GeographyTest, ZipPrefixNamesItsStateRecord) {
  dir_.Write("state.dat", testkit::StateFile({{1, "MA"}, {303, "GA"}, {999, "AK"}}));
  EXPECT_EQ(StateOrProvince("30301"), "GA");
  EXPECT_EQ(StateOrProvince(" 303"), "GA");
  EXPECT_EQ(StateOfZipPrefix(1), "MA");
  EXPECT_EQ(StateOfZipPrefix(999), "AK");
  EXPECT_EQ(StateOfZipPrefix(2), "");
}

TEST_F(GeographyTest, HandBuiltStateFileAndItsEdges) {
  // Record 1 "NY*", record 2 "TX*": the third byte is never part of the answer.
  dir_.Write("STATE.DAT", std::string("NY*TX*\0\0", 8));
  EXPECT_EQ(StateOfZipPrefix(2), "TX");
  EXPECT_EQ(StateOfZipPrefix(3), "");  // a short tail is no record
  EXPECT_EQ(StateOfZipPrefix(0), "");
  EXPECT_EQ(StateOfZipPrefix(-5), "");
  EXPECT_EQ(StateOrProvince("1e3"), "");  // reads as a number but names no record
}

TEST_F(GeographyTest, MissingStateFileIsNotCreated) {
  EXPECT_EQ(StateOrProvince("30301"), "");
  EXPECT_FALSE(std::filesystem::exists(dir_.File("state.dat")));
}

TEST(ProvinceOfPostalCode, RangesInTheirOrder) {
  struct Row {
    const char* code;
    const char* province;
  } rows[] = {{"K1A0B1", "ON"}, {"X0B", "NU"}, {"X0C9Z9", "NU"}, {"X0D", "NT"},
              {"T2P", "AB"},    {"V6B", "BC"}, {"R3C", "MB"},    {"E1A", "NB"},
              {"A1C", "NL"},    {"B3H", "NS"}, {"M5V", "ON"},    {"P9Z", "ON"},
              {"C1A", "PE"},    {"H2X", "QC"}, {"S4P", "SK"},    {"Y1A", "YT"}};
  for (const Row& row : rows) {
    EXPECT_EQ(ProvinceOfPostalCode(row.code).value_or("-"), row.province) << row.code;
  }
  for (const char* none : {"k1a", "D1A", "Z1A", "000", "", "Q0A"}) {
    EXPECT_FALSE(ProvinceOfPostalCode(none).has_value()) << none;
  }
}

TEST_F(GeographyTest, NonPositivePrefixGoesToTheProvinceTable) {
  EXPECT_EQ(StateOrProvince("00012"), "");
  EXPECT_EQ(StateOrProvince(" K1A0B1 "), "ON");
  EXPECT_EQ(StateOrProvince("k1a0b1"), "");
}

}  // namespace
}  // namespace frelane::modMain
