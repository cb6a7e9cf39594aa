// Charge arithmetic and the minimum-charge brackets.
#include <gtest/gtest.h>

#include "testkit/rates/rate_files.h"
#include "tolv32dll/rates/charge_math.h"
#include "tolv32dll/charges/minimum_charge.h"

namespace tolv {
namespace {

// The factor on a cell is in rates/tests/factor_rounding_test.cc.
TEST(ChargeMathTest, Discounts) {
  EXPECT_EQ(475, PercentOf(9500, 5.0f));
  EXPECT_EQ(4800, PercentOf(19200, 25.0f));
  EXPECT_EQ(840, DiscountCell(1200, 30.0f));
  // 0.49 of a cent is kept, 0.49 + the engine's 0.01 rounds up.
  EXPECT_EQ(1, PercentOf(98, 1.0f)) << "0.98 cents rounds to 1";
  EXPECT_EQ(0, PercentOf(48, 1.0f)) << "0.48 cents rounds to 0";
  EXPECT_EQ(1, PercentOf(49, 1.0f)) << "0.49 + 0.51 reaches 1";
  EXPECT_EQ(12500, FactorOf(1.25f));
  EXPECT_EQ(11000, FactorOf(1.1f));
}

TEST(BracketRuleTest, HeaviestBracketAtOrBelowTheWeight) {
  MinimumBrackets b;
  b.Set(0, '1', 300, 3000);
  b.Set(1, '0', 0, 500);
  b.Set(2, '1', 0, 1000);
  b.Set(3, 'x', 0, 99);
  b.Set(4, '0', 200, 700);
  b.count = 5;
  MinimumBrackets copy = b;
  EXPECT_EQ(1000, MinimumChargeFor(copy, 299, false));
  EXPECT_EQ(4, copy.count);
  copy = b;
  EXPECT_EQ(3000, MinimumChargeFor(copy, 300, false));
  copy = b;
  EXPECT_EQ(700, MinimumChargeFor(copy, 250, true));
  copy = b;
  EXPECT_EQ(500, MinimumChargeFor(copy, 100, true));
  // Rewritten sorted: ordinary first, then single-shipment; the unknown kind dropped.
  EXPECT_EQ(4, copy.count);
  EXPECT_EQ(std::string("1100 "), std::string(copy.kinds.data(), 5));
  EXPECT_EQ(0, copy.weights[0]);
  EXPECT_EQ(300, copy.weights[1]);
  EXPECT_EQ(200, copy.weights[3]);
  EXPECT_EQ(0, copy.charges[4]);
}

// A ".M" file: the head (key, value count, three more values), then records.
MemoryFile MinFile(std::uint32_t count, const std::vector<testkit::RateRow>& rows) {
  std::vector<std::uint8_t> bytes = testkit::RateRecord({0, "       ", {count, 0, 0, 0}}, 10 + 3 * count);
  for (const auto& row : rows) {
    std::vector<std::uint8_t> rec = testkit::RateRecord(row, 10 + 3 * count);
    bytes.insert(bytes.end(), rec.begin(), rec.end());
  }
  return MemoryFile(bytes);
}

TEST(MinimumBracketsTest, MethodFiveFromTheMinFile) {
  // Two weights, single-shipment charges, ordinary charges.
  MemoryFile same = MinFile(7, {{1, "  1234 ", {2, 0, 500, 900, 1200, 900, 1200}}});
  MemoryFile differ = MinFile(7, {{1, "  1234 ", {2, 0, 500, 900, 1200, 950, 1200}}});
  RateRecord rate(testkit::RateRecord({1, "  1234 ", {5, 100}}, 40));
  MinimumTerms terms;
  terms.rate = &rate;
  const FileView* file = &same;
  terms.min_file = [&file]() -> Result<const FileView*> { return file; };

  ChargeResult result;
  ASSERT_EQ(kOk, BuildMinimumBrackets(terms, result));
  EXPECT_EQ(5, result.brackets.method);
  EXPECT_EQ(2, result.brackets.count) << "equal charges: ordinary brackets only";
  EXPECT_EQ("11  ", std::string(result.brackets.kinds.data(), 4));
  EXPECT_EQ(500, result.brackets.weights[1]);
  EXPECT_EQ(1200, result.brackets.charges[1]);

  file = &differ;
  ASSERT_EQ(kOk, BuildMinimumBrackets(terms, result));
  EXPECT_EQ(4, result.brackets.count);
  EXPECT_EQ("0011", std::string(result.brackets.kinds.data(), 4));
  EXPECT_EQ(950, result.brackets.charges[2]);

  RateRecord missing(testkit::RateRecord({1, "  9999 ", {5}}, 40));
  terms.rate = &missing;
  EXPECT_EQ(kErrMinred, BuildMinimumBrackets(terms, result));
  MemoryFile huge = MinFile(200, {});
  file = &huge;
  terms.rate = &rate;
  EXPECT_EQ(kErrMinred, BuildMinimumBrackets(terms, result)) << "a count the records cannot hold";
}

TEST(MinimumBracketsTest, ChargesByMethodLetter) {
  MinimumTerms terms;
  ChargeResult result;
  RateRecord split(testkit::RateRecord({1, "  1234 ", {1500, 1600, 1700, 1800}}, 40));
  terms.rate = &split;
  terms.method_letter = 'D';
  ASSERT_EQ(kOk, BuildMinimumBrackets(terms, result));
  EXPECT_EQ(2, result.brackets.method);
  EXPECT_EQ("1010", std::string(result.brackets.kinds.data(), 4));
  EXPECT_EQ(100, result.brackets.weights[3]);

  // Letter C rounds the scaled charge to 5 cents: 1503 x 1.0 -> 1505.
  RateRecord c(testkit::RateRecord({1, "  1234C", {1503}}, 40));
  terms.rate = &c;
  terms.method_letter = 'C';
  terms.break_factor = [](int row, int) { return row == 7 ? 10000 : 0; };
  ASSERT_EQ(kOk, BuildMinimumBrackets(terms, result));
  EXPECT_EQ(1505, result.brackets.charges[0]);
  EXPECT_EQ(1, result.brackets.count);

  // Letter F with a first and third charge: two brackets, the third charge first.
  RateRecord f(testkit::RateRecord({1, "  1234 ", {1500, 0, 2000, 0}}, 40));
  terms.rate = &f;
  terms.method_letter = 'F';
  ASSERT_EQ(kOk, BuildMinimumBrackets(terms, result));
  EXPECT_EQ(3, result.brackets.method);
  EXPECT_EQ(2, result.brackets.count);
  EXPECT_EQ(2000, result.brackets.charges[0]);
  EXPECT_EQ(1500, result.brackets.charges[1]);
  EXPECT_EQ(100, result.brackets.weights[1]);
}

}  // namespace
}  // namespace tolv
