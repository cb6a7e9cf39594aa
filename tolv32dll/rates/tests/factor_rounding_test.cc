// The rounding of factors and rates per 100 lbs, at the half, below zero and at the limits
// of the values the files can hold.
#include "tolv32dll/rates/factor_rounding.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <limits>

#include "tolv32dll/rates/charge_math.h"

namespace tolv {
namespace {

constexpr std::int64_t kMax32 = std::numeric_limits<std::int32_t>::max();
constexpr std::int64_t kMin32 = std::numeric_limits<std::int32_t>::min();
constexpr std::int64_t kMax64 = std::numeric_limits<std::int64_t>::max();
constexpr std::int64_t kMin64 = std::numeric_limits<std::int64_t>::min();

struct Case {
  const char* what;
  std::int64_t a;
  std::int64_t b;
  std::int64_t expected;
};

TEST(FactorRoundingTest, EveryRuleAtTheHalfAndAtTheLimits) {
  enum Rule { kR, kR100, kFactor, kCharge, kCell };
  struct Row {
    Rule rule;
    Case c;
  };
  const Row rows[] = {
      {kR, {"below the half", 4999, 0, 0}},
      {kR, {"the half rounds up", 5000, 0, 1}},
      {kR, {"one and a half", 15000, 0, 2}},
      {kR, {"negative: truncates toward zero", -15001, 0, -1}},
      {kR, {"negative half", -5000, 0, 0}},
      {kR, {"largest", kMax64 - 5000, 0, 922337203685477}},
      {kR, {"smallest", kMin64, 0, -922337203685477}},
      {kR100, {"below the half", 49, 0, 0}},
      {kR100, {"the half rounds up", 50, 0, 1}},
      {kR100, {"negative: truncates toward zero", -151, 0, -1}},
      {kR100, {"largest", kMax64 - 50, 0, 92233720368547758}},
      {kR100, {"smallest", kMin64, 0, -92233720368547757}},
      {kFactor, {"1.0 keeps the amount", kMax32, 10000, kMax32}},
      {kFactor, {"1.0 moves a negative amount toward zero by the half", kMin32, 10000, kMin32 + 1}},
      {kFactor, {"half a unit up", 1, 5000, 1}},
      {kFactor, {"just below half", 1, 4999, 0}},
      {kFactor, {"both largest: no wrap", kMax32, kMax32, 461168601413242}},
      {kFactor, {"smallest by largest", kMin32, kMax32, -461168601627989}},
      {kFactor, {"both smallest", kMin32, kMin32, 461168601842739}},
      {kCharge, {"a pound at 0.49 a hundredweight", 1, 49, 0}},
      {kCharge, {"a pound at 0.50 a hundredweight", 1, 50, 1}},
      {kCharge, {"the largest weight and rate the response holds", 999999, 9999999, 99999890000}},
      {kCharge, {"both largest: no wrap", kMax32, kMax32, 46116860141324206}},
      {kCell, {"an empty cell stays empty", 0, kMax32, 0}},
      {kCell, {"rounded as a factor", 9500, 12500, 11875}},
      {kCell, {"held to 32 bits above", kMax32, 20000, kMax32}},
      {kCell, {"held to 32 bits below", kMin32, 20000, kMin32}},
  };
  for (const Row& row : rows) {
    const Case& c = row.c;
    std::int64_t got = 0;
    switch (row.rule) {
      case kR:
        got = Rounded10000(c.a);
        break;
      case kR100:
        got = Rounded100(c.a);
        break;
      case kFactor:
        got = ApplyFactor(c.a, c.b);
        break;
      case kCharge:
        got = LineCharge(c.a, c.b);
        break;
      case kCell:
        got = ScaleCell(static_cast<std::int32_t>(c.a), c.b);
        break;
    }
    EXPECT_EQ(c.expected, got) << "rule " << row.rule << ": " << c.what;
  }
  static_assert(ApplyFactor(9500, 12500) == 11875, "usable in constant expressions");
}

}  // namespace
}  // namespace tolv
