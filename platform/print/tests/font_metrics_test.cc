#include "platform/print/font_metrics.h"

#include <gtest/gtest.h>

#include <string>

namespace print {
namespace {

Font MakeFont(std::string name, float size, bool bold = false) {
  Font font;
  font.name = std::move(name);
  font.size = size;
  font.bold = bold;
  return font;
}

TEST(FontFamilyTest, WindowsAndLiberationNamesMapToTheirMetricTwins) {
  struct Row {
    const char* name;
    Family family;
  };
  const Row rows[] = {
      {"Arial", Family::kSans},            {"Liberation Sans", Family::kSans},
      {"Courier New", Family::kMono},      {"courier", Family::kMono},
      {"Fixedsys", Family::kMono},         {"Liberation Mono", Family::kMono},
      {"Times New Roman", Family::kSerif}, {"Liberation Serif", Family::kSerif},
      {"DejaVu Sans", Family::kSans},      {"Unknown Face", Family::kSans},
  };
  for (const Row& row : rows) EXPECT_EQ(FamilyOf(row.name), row.family) << row.name;
  EXPECT_EQ(LiberationFamily(Family::kMono), "Liberation Mono");
}

TEST(FontMetricsTest, TenPointCourierIsExactlyOneHundredTwentyTwipsACharacter) {
  const Font courier = MakeFont("Courier New", 10);
  EXPECT_EQ(TextWidthTwips(courier, "X"), 120);
  // Rounded per character: 94 columns stay 94 x 120, never drift by accumulated fractions.
  EXPECT_EQ(TextWidthTwips(courier, std::string(94, 'W')), 94 * 120);
  EXPECT_EQ(TextWidthTwips(MakeFont("Courier New", 10, true), "iiii"), 480);
  EXPECT_EQ(TextHeightTwips(courier), 227);
}

TEST(FontMetricsTest, ProportionalFacesCarryArialAndTimesWidths) {
  // Arial: "A" 1366, "i" 455, space 569 units of 2048; at 10 points (200 twips) rounded.
  const Font arial = MakeFont("Arial", 10);
  EXPECT_EQ(TextWidthTwips(arial, "A"), 133);
  EXPECT_EQ(TextWidthTwips(arial, "i"), 44);
  EXPECT_EQ(TextWidthTwips(arial, "A i"), 133 + 56 + 44);
  EXPECT_GT(TextWidthTwips(MakeFont("Arial", 10, true), "A"), 133);
  EXPECT_EQ(TextHeightTwips(arial), 230);
  EXPECT_EQ(AscentTwips(arial), 181);
  // Times New Roman is narrower than Arial.
  EXPECT_LT(TextWidthTwips(MakeFont("Times New Roman", 10), "Bill of Lading"),
            TextWidthTwips(arial, "Bill of Lading"));
  // Size scales: 8 points is four fifths of 10, to the twip per character.
  EXPECT_EQ(TextWidthTwips(MakeFont("Arial", 8), "A"), 107);
}

TEST(FontMetricsTest, TextIsMeasuredAsItsWindows1252Characters) {
  const Font arial = MakeFont("Arial", 10);
  // The section sign is byte 0xA7; "\xc2\xa7" is its UTF-8 form.
  EXPECT_EQ(TextWidthTwips(arial, "\xc2\xa7"), 111);
  // A character Windows-1252 lacks is drawn, and measured, as a question mark.
  EXPECT_EQ(TextWidthTwips(arial, "\xe2\x88\x9e"), TextWidthTwips(arial, "?"));
  // Control characters take no room.
  EXPECT_EQ(TextWidthTwips(arial, "A\tB\x7f"), TextWidthTwips(arial, "AB"));
  EXPECT_EQ(TextWidthTwips(arial, ""), 0);
}

}  // namespace
}  // namespace print
