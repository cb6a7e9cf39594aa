#include "tolv32dll/effective/rating_version.h"

#include <gtest/gtest.h>

#include "testkit/effective/efcrec_writer.h"

namespace tolv {
namespace {

std::vector<std::uint8_t> Line(const testkit::EfcrecLine& l) {
  std::string s = testkit::EfcrecLineText(l);
  return {s.begin(), s.end()};
}

std::string Version(const std::vector<std::uint8_t>& line) {
  return std::string(line.begin() + 39, line.begin() + 44);
}

TEST(RatingVersionTest, NumbersCompareAsWholePartsNotAsDecimals) {
  EXPECT_EQ(408, RatingVersionNumber("4.8  "));
  EXPECT_EQ(418, RatingVersionNumber("4.18 "));
  EXPECT_EQ(419, RatingVersionNumber("4.19"));
  EXPECT_LT(*RatingVersionNumber("4.8"), *RatingVersionNumber("4.18"));
  EXPECT_GT(*RatingVersionNumber("4.19"), *RatingVersionNumber("4.18"));
  EXPECT_EQ(400, RatingVersionNumber("4.0"));
  EXPECT_EQ(309, RatingVersionNumber("3.9"));
  for (const char* bad : {"4", "418  ", ".5", "4.", "4.1x", "     ", "a.b"}) {
    EXPECT_FALSE(RatingVersionNumber(bad).has_value()) << bad;
  }
  EXPECT_EQ(418, LibraryRatingVersion());
}

TEST(RatingVersionTest, RulesDecideAnALineAndTidyIt) {
  testkit::EfcrecLine l;
  l.record_letter = 'A';
  l.tariff_kind = 'P';
  l.version = "";
  l.lane_adj_kind = 'Q';  // not a lane kind: blanked, file number "00"
  l.lane_adj_file_no = "07";
  l.addon_mode = 'Z';
  l.version_flag = '0';
  l.companion_point_type = '.';
  std::vector<std::uint8_t> line = Line(l);
  line[55] = 'J';  // the unread block is blanked
  DetermineRatingVersion(line, BuiltInRatingVersionTable());
  EXPECT_EQ("4.8  ", Version(line));
  EXPECT_EQ('B', line[0]);
  EXPECT_EQ(' ', line[16]);
  EXPECT_EQ('0', line[17]);
  EXPECT_EQ('0', line[18]);
  EXPECT_EQ('N', line[73]);
  EXPECT_EQ(' ', line[69]);
  EXPECT_EQ(' ', line[70]);
  EXPECT_EQ(' ', line[55]);
  EXPECT_EQ('\r', line[74]);
  EXPECT_EQ('\n', line[75]);
}

TEST(RatingVersionTest, RuleOrder) {
  struct Case {
    const char* name;
    char kind, mode, point_type, lane_file0;
    const char* tariff;
    const char* expected;
  };
  const Case cases[] = {
      {"package first", 'P', 'S', 'Y', '0', "ABCD0001", "4.8  "},
      {"split point files", 'N', 'S', 'Y', '0', "ABCD0001", "4.7  "},
      {"G and Y", 'N', ' ', 'Y', 'G', "ABCD0001", "4.5  "},
      {"Y", 'N', ' ', 'Y', '0', "ABCD0001", "4.4  "},
      {"own carrier Y falls to 4.0", 'N', ' ', 'Y', '0', "KVA00001", "4.0  "},
      {"plain", 'Y', ' ', 'E', '0', "ABCD0001", "4.0  "},
      {"unknown point type", 'Y', ' ', 'Z', '0', "ABCD0001", "0.0  "},
  };
  for (const Case& c : cases) {
    testkit::EfcrecLine l;
    l.record_letter = 'A';
    l.tariff_kind = c.kind;
    l.point_file_mode = c.mode;
    l.point_type = c.point_type;
    l.lane_adj_file_no = std::string(1, c.lane_file0) + "0";
    l.tariff_name = c.tariff;
    std::vector<std::uint8_t> line = Line(l);
    DetermineRatingVersion(line, BuiltInRatingVersionTable());
    EXPECT_EQ(c.expected, Version(line)) << c.name;
  }
}

TEST(RatingVersionTest, TableRowWinsAndUnknownBLineStaysAsItIs) {
  testkit::EfcrecLine l;
  l.version = "9.9";
  l.lane_adj_kind = 'Q';
  std::vector<std::uint8_t> line = Line(l);
  std::vector<std::uint8_t> before = line;
  DetermineRatingVersion(line, BuiltInRatingVersionTable());
  EXPECT_EQ(before, line);

  std::vector<RatingVersionRow> table = {{"ABCD0001", "2024", "01", "01", "01", ' ', "4.12"}};
  DetermineRatingVersion(line, table);
  EXPECT_EQ("4.12 ", Version(line));
  EXPECT_EQ(' ', line[16]);  // tidied as a rule-decided line is
}

}  // namespace
}  // namespace tolv
