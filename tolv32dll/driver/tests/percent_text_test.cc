// The discount percent text against the C library's "%05.2f" of the same value.
#include "tolv32dll/driver/percent_text.h"

#include <gtest/gtest.h>
#include <locale.h>

#include <bit>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <limits>
#include <string>

namespace tolv {
namespace {

// The text snprintf gives in the C locale, or "" when it is not five characters.
std::string Printed(float v) {
  static const locale_t c_locale = newlocale(LC_ALL_MASK, "C", locale_t{});
  const locale_t was = uselocale(c_locale);
  char text[64];
  const int n = std::snprintf(text, sizeof text, "%05.2f", static_cast<double>(v));
  uselocale(was);
  return n == 5 ? std::string(text, 5) : std::string();
}

std::string Ours(float v) {
  std::array<char, 5> out{'?', '?', '?', '?', '?'};
  return PercentText(v, out) ? std::string(out.data(), out.size()) : std::string();
}

TEST(PercentTextTest, BinaryTiesAndTheirNeighboursRoundAsPrintf) {
  // Multiples of 1/1024 hold every exact tie below 100 (0.125, 0.375, ...).
  for (int k = 0; k < 100 * 1024; ++k) {
    const float v = static_cast<float>(k) / 1024.0f;
    ASSERT_EQ(Printed(v), Ours(v)) << v;
  }
  // The floats around every half hundredth, where the rounding turns.
  for (int h = 0; h < 10000; ++h) {
    float v = (static_cast<float>(h) + 0.5f) / 100.0f;
    for (int step = 0; step < 3; ++step) v = std::nextafter(v, 0.0f);
    for (int step = 0; step < 7; ++step, v = std::nextafter(v, 200.0f)) {
      ASSERT_EQ(Printed(v), Ours(v)) << v;
    }
  }
}

TEST(PercentTextTest, SpreadOfAllFloatsBelowAHundred) {
  const std::uint32_t top = std::bit_cast<std::uint32_t>(100.0f);
  for (std::uint32_t bits = 0; bits < top + 4096; bits += 4099) {
    const float v = std::bit_cast<float>(bits);
    ASSERT_EQ(Printed(v), Ours(v)) << v;
  }
}

TEST(PercentTextTest, ValuesOutsideTheFastRangeStillPrintAsPrintf) {
  const float inf = std::numeric_limits<float>::infinity();
  for (float v : {-0.0f, -5.0f, -9.994f, -10.0f, 99.994f, 99.995f, 99.996f, 100.0f, 1e30f, inf,
                  -inf, std::numeric_limits<float>::quiet_NaN(),
                  std::numeric_limits<float>::denorm_min(), std::numeric_limits<float>::min()}) {
    EXPECT_EQ(Printed(v), Ours(v)) << v;
  }
  EXPECT_EQ("", Ours(100.0f)) << "six characters fit no field";
  EXPECT_EQ("-5.00", Ours(-5.0f));
  // Negative values down to where the sign leaves no room, ties included.
  for (int k = -10 * 1024 - 8; k < 0; ++k) {
    const float v = static_cast<float>(k) / 1024.0f;
    ASSERT_EQ(Printed(v), Ours(v)) << v;
  }
  EXPECT_EQ(Printed(-std::numeric_limits<float>::quiet_NaN()),
            Ours(-std::numeric_limits<float>::quiet_NaN()));
}

}  // namespace
}  // namespace tolv
