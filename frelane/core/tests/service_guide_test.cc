#include "frelane/core/service_guide.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "frelane/core/main_module.h"
#include "testkit/geo/geo_writers.h"
#include "testkit/temp_dir.h"

namespace frelane::ServGuid {
namespace {

class ServiceGuideTest : public ::testing::Test {
 protected:
  void SetUp() override {
    modMain::Reset();
    modMain::Get().data_directory = dir_.path();
  }
  std::int32_t Find(const std::string& zip, const std::string& kind) {
    code_ = "?";
    days_ = -1;
    return FindServiceTerminal(zip, kind, code_, days_);
  }
  testkit::TempDir dir_;
  std::string code_;
  std::int16_t days_ = 0;
};

std::vector<testkit::ServiceZipRange> SampleRanges() {
  return {{"10000", "19999", 1, 'D', 'I', 1, 2},
          {"30000", "31999", 2, 'I', 'D', 3, 4},
          {"60000", "69999", 3, 'D', 'D', 0, 1},
          {"K0A", "K9Z9Z9", 4, 'I', 'I', 2, 5}};
}

TEST_F(ServiceGuideTest, FindsTheRangeOfEveryCode) {
  dir_.Write("ServZipsA.dat", testkit::ServiceZipFile(SampleRanges()));
  EXPECT_EQ(Find("10000", "O"), 1);
  EXPECT_EQ(code_, "D");
  EXPECT_EQ(days_, 1);
  EXPECT_EQ(Find("30301", "D"), 2);
  EXPECT_EQ(code_, "D");
  EXPECT_EQ(days_, 4);
  EXPECT_EQ(Find(" 69999 ", "O"), 3);
  EXPECT_EQ(Find("K1A0B1", "X"), 4);
  EXPECT_EQ(code_, "I");
  EXPECT_EQ(days_, 5);
  EXPECT_EQ(LastServiceZip().Text(service_zip_record::kLowCode), "K0A");
  for (const char* outside : {"05000", "25000", "99999", "A1A"}) {
    EXPECT_EQ(Find(outside, "O"), 0) << outside;
    EXPECT_EQ(code_, "");
    EXPECT_EQ(days_, 0);
  }
}

TEST_F(ServiceGuideTest, HandBuiltRangeRecord) {
  // kind 'A', "30000 ", "31999 ", terminal 7, 'D' 'I', origin days 2, destination days 258.
  std::string record = "A30000 31999 ";
  record += std::string("\x07\x00\x00\x00", 4);
  record += "DI";
  record += std::string("\x02\x00\x02\x01", 4);
  ASSERT_EQ(record.size(), service_zip_record::kSize);
  dir_.Write("servzipsa.dat", record + "x");  // a torn tail is ignored
  EXPECT_EQ(Find("30500", "D"), 7);
  EXPECT_EQ(code_, "I");
  EXPECT_EQ(days_, 258);
}

TEST_F(ServiceGuideTest, EmptyOrMissingFileFindsNothing) {
  EXPECT_EQ(Find("30301", "O"), 0);
  dir_.Write("ServZipsA.dat", std::string("short"));
  EXPECT_EQ(Find("30301", "O"), 0);
  EXPECT_EQ(code_, "");
}

TEST_F(ServiceGuideTest, ReadTerminalKeepsNothingOfAnEarlierTerminal) {
  testkit::Terminal north;
  north.name = "North Yard";
  north.code = "NY1";
  north.city = "Ashford";
  north.phone = "555-0100";
  north.contact_title = "Manager";
  testkit::Terminal south;
  south.name = "South Yard";
  south.code = "SY22";
  dir_.Write("ServTerm.dat", testkit::TerminalFile({north, south}));
  EXPECT_EQ(ReadTerminal(1), "NY1  ");
  EXPECT_EQ(LastTerminal().Text(terminal_record::kCity), "Ashford");
  EXPECT_EQ(LastTerminal().Text(terminal_record::kPhone), "555-0100");
  EXPECT_EQ(LastTerminal().Text(terminal_record::kContactTitle), "Manager");
  EXPECT_EQ(ReadTerminal(2), "SY22 ");
  EXPECT_EQ(ReadTerminal(3), "");
  EXPECT_EQ(LastTerminal().Text(terminal_record::kName), "");
  EXPECT_EQ(ReadTerminal(0), "");
}

TEST_F(ServiceGuideTest, HandBuiltTerminalRecord) {
  std::string record(terminal_record::kSize, ' ');
  record.replace(0, 8, "East Bay");
  record.replace(50, 5, "\311B001");  // Windows-1252 "É"
  record.replace(155, 8, "Montr\351al");
  record.replace(185, 2, "ON");
  record.replace(233, 9, "eb@ex.com");
  record.replace(383, 5, "Chief");
  dir_.Write("ServTerm.dat", record);
  // ReadTerminal and Text give UTF-8; Raw gives the stored bytes.
  EXPECT_EQ(ReadTerminal(1), "ÉB001");
  EXPECT_EQ(LastTerminal().Text(terminal_record::kName), "East Bay");
  EXPECT_EQ(LastTerminal().Text(terminal_record::kCity), "Montréal");
  EXPECT_EQ(LastTerminal().Raw(terminal_record::kCity), "Montr\351al" + std::string(22, ' '));
  EXPECT_EQ(LastTerminal().Text(terminal_record::kState), "ON");
  EXPECT_EQ(LastTerminal().Text(terminal_record::kEmail), "eb@ex.com");
  EXPECT_EQ(LastTerminal().Text(terminal_record::kContactTitle), "Chief");
}

TEST_F(ServiceGuideTest, TransitDaysComeFromTheMatrixCell) {
  // Ten terminals; the days from o to d are 10 x o + d, so cell 27 (3 to 7) holds 37.
  std::vector<std::vector<std::int16_t>> days(10, std::vector<std::int16_t>(10));
  for (int o = 1; o <= 10; ++o) {
    for (int d = 1; d <= 10; ++d) days[o - 1][d - 1] = static_cast<std::int16_t>(10 * o + d);
  }
  dir_.Write("ServTerm.dat", testkit::TerminalFile(std::vector<testkit::Terminal>(10)));
  dir_.Write("ServMatx.dat", testkit::TransitMatrixFile(days));
  EXPECT_EQ(GetTerminalDays(3, 7, 0), 37);
  EXPECT_EQ(GetTerminalDays(3, 7, 4), 41);
  EXPECT_EQ(GetTerminalDays(10, 10, 0), 110);
  EXPECT_EQ(GetTerminalDays(0, 7, 4), 0);
  EXPECT_EQ(GetTerminalDays(3, 11, 4), 0);
  EXPECT_EQ(GetTerminalDays(3, 7, 32767), 0);  // would overflow the 16-bit result
}

TEST_F(ServiceGuideTest, ShortMatrixGivesNoDays) {
  dir_.Write("ServTerm.dat", testkit::TerminalFile(std::vector<testkit::Terminal>(3)));
  dir_.Write("ServMatx.dat", std::string("\x05\x00\x06\x00", 4));
  EXPECT_EQ(GetTerminalDays(1, 2, 1), 7);
  EXPECT_EQ(GetTerminalDays(2, 2, 1), 0);
}

}  // namespace
}  // namespace frelane::ServGuid
