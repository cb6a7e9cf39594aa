// The minimum-charge rules beyond the plain method numbers: method 6, the ZIP-pair record,
// band charges and the letter rules that choose among them. Expected amounts are worked out
// by hand from the records below.
#include <gtest/gtest.h>

#include <memory>

#include "testkit/charges/charge_files.h"
#include "testkit/rates/rate_files.h"
#include "tolv32dll/charges/minimum_charge.h"

namespace tolv {
namespace {

RateRecord Rate(const std::string& number, std::vector<std::uint32_t> values) {
  return RateRecord(testkit::RateRecord({1, number, std::move(values)}, 60));
}

std::string Kinds(const ChargeResult& r, std::size_t n) { return std::string(r.brackets.kinds.data(), n); }

class MinimumRulesTest : public ::testing::Test {
 protected:
  ChargeResult Build(const RateRecord& rate, char letter) {
    terms_.rate = &rate;
    terms_.method_letter = letter;
    ChargeResult result;
    error_ = BuildMinimumBrackets(terms_, result, &tables_);
    return result;
  }
  void UseMinFile(testkit::Bytes bytes) {
    min_ = std::make_unique<MemoryFile>(std::move(bytes));
    terms_.min_file = [this]() -> Result<const FileView*> { return min_.get(); };
  }
  void UseBandBlock(const std::vector<std::uint32_t>& values) {
    const testkit::Bytes bytes = testkit::MinBlock(values);
    std::copy(bytes.begin(), bytes.end(), band_.begin());
    terms_.band_block = [this]() -> Result<const MinimumBandBlock*> { return &band_; };
  }

  MinimumTerms terms_;
  ClassRateTables tables_;
  std::unique_ptr<MemoryFile> min_;
  MinimumBandBlock band_{};
  ErrorNumber error_ = kOk;
};

TEST_F(MinimumRulesTest, MethodSixPercentOfTheBase) {
  tables_.class_codes = {"050", "100"};
  tables_.weight_breaks = {500, 1000};
  terms_.origin_addon_factor = 12000;
  terms_.destination_addon_factor = 8000;
  // Base "A": R(5000 x 1.2) + R(5000 x 0.8) + V(1) = 6000 + 4000 + 2000 = 12000.
  // Group 1: 50% = 6000 (floor 1000). Group 2: 40% = 4800, held to the ceiling 3000.
  // Then the class factors (2 x 2), then a = 5000 closing the record.
  UseMinFile(testkit::MinRecordFile("         A", 13, 2,
                                    {{"001  1234 ", {0, 5000, 1000, 0, 500, 4000, 0, 3000,
                                                     9000, 9500, 11000, 12000, 5000}}}));
  const RateRecord rate = Rate("  1234 ", {6, 2000});
  ChargeResult r = Build(rate, 'L');
  ASSERT_EQ(kOk, error_);
  EXPECT_EQ(6, r.brackets.method);
  EXPECT_EQ(2, r.brackets.count);
  EXPECT_EQ("11", Kinds(r, 2));
  EXPECT_EQ(0, r.brackets.weights[0]);
  EXPECT_EQ(6000, r.brackets.charges[0]);
  EXPECT_EQ(500, r.brackets.weights[1]);
  EXPECT_EQ(3000, r.brackets.charges[1]);
  EXPECT_EQ(9000, tables_.class_factors[0][0]);
  EXPECT_EQ(9500, tables_.class_factors[0][1]);
  EXPECT_EQ(11000, tables_.class_factors[1][0]);
  EXPECT_EQ(12000, tables_.class_factors[1][1]) << "a is no factor";

  // Base "B": V(1) + R(5000 x 2.0) = 12000 as well; with no letter the base is the sum
  // 12000 + 8000 + 2000 = 22000 and always two groups: 11000, then 8800 held to 3000. A
  // second group of weight 0 is skipped.
  UseMinFile(testkit::MinRecordFile("          ", 8, 0,
                                    {{"001  1234 ", {0, 5000, 1000, 0, 0, 4000, 0, 3000}}}));
  r = Build(rate, 'L');
  ASSERT_EQ(kOk, error_);
  EXPECT_EQ(1, r.brackets.count);
  EXPECT_EQ(11000, r.brackets.charges[0]);
  UseMinFile(testkit::MinRecordFile("          ", 8, 0,
                                    {{"001  1234 ", {0, 2500, 7000, 0, 250, 4000, 0, 3000}}}));
  r = Build(rate, 'L');
  EXPECT_EQ(2, r.brackets.count);
  EXPECT_EQ(7000, r.brackets.charges[0]) << "25% = 5500, raised to the floor";
  EXPECT_EQ(3000, r.brackets.charges[1]);
}

TEST_F(MinimumRulesTest, ZipPairRecordDecidesFirst) {
  const RateRecord rate = Rate("  1234 ", {3, 1500, 1600, 1700});
  UseMinFile(testkit::MinRecordFile("          ", 4, 0, {{"001  1234 ", {800, 950, 0, 0}}}));
  // Mode "*": the record's own four charges, method 1 pinned at 0/200/300/400.
  terms_.zip_pair = ZipPairMinimum{1, 4, '*', {900, 1000, 1100, 1200}};
  ChargeResult r = Build(rate, 'L');
  ASSERT_EQ(kOk, error_);
  EXPECT_TRUE(r.pin_mc);
  EXPECT_EQ(1, r.brackets.method);
  EXPECT_EQ(4, r.brackets.count);
  EXPECT_EQ("1111", Kinds(r, 4));
  EXPECT_EQ(300, r.brackets.weights[2]);
  EXPECT_EQ(1100, r.brackets.charges[2]);
  // Mode "R": the rate record's V(0)-V(3), method 3 at 0 and 100 lb.
  terms_.zip_pair = ZipPairMinimum{3, 2, 'R', {}};
  r = Build(rate, 'L');
  EXPECT_EQ(3, r.brackets.method);
  EXPECT_EQ(2, r.brackets.count);
  EXPECT_EQ(100, r.brackets.weights[1]);
  EXPECT_EQ(3, r.brackets.charges[0]);
  EXPECT_EQ(1500, r.brackets.charges[1]);
  // Mode "M": the ".M" record's method-3 rules, also for a letter-ruled V(0).
  terms_.zip_pair = ZipPairMinimum{3, 0, 'M', {}};
  const RateRecord charge = Rate("  1234 ", {2500});
  r = Build(charge, 'F');
  ASSERT_EQ(kOk, error_);
  EXPECT_EQ(2, r.brackets.count);
  EXPECT_EQ(800, r.brackets.charges[0]);
  EXPECT_EQ(950, r.brackets.charges[1]);
  EXPECT_EQ(100, r.brackets.weights[1]);
  // Method 4 of the record: an ordinary and a single-shipment bracket at 0 lb.
  terms_.zip_pair = ZipPairMinimum{4, 2, '*', {700, 600, 0, 0}};
  r = Build(charge, 'F');
  EXPECT_EQ("10", Kinds(r, 2));
  EXPECT_EQ(600, r.brackets.charges[1]);
}

TEST_F(MinimumRulesTest, BandChargesByWeightAndDistance) {
  // Class digit 2 (d = 1), area 0800. Weight bands 0-3 at 100, 200, 300, 400 lb; distance
  // band 2 (no lettered end) puts 100 lb at M(1 + 0 + 32) = M(33); band 3 (a lettered end,
  // 790-1020) at M(49).
  std::vector<std::uint32_t> m(128, 0);
  m[33] = 4100, m[37] = 4200, m[41] = 4300, m[45] = 4400;
  m[49] = 5100, m[53] = 5200, m[57] = 5300, m[61] = 5400;
  UseBandBlock(m);
  const RateRecord rate = Rate("210800 ", {2500});
  ChargeResult r = Build(rate, '7');
  ASSERT_EQ(kOk, error_);
  EXPECT_TRUE(r.pin_mc);
  EXPECT_EQ(1, r.brackets.method);
  EXPECT_EQ(3, r.brackets.count) << "the fourth bracket is written, not counted";
  EXPECT_EQ(4100, r.brackets.charges[0]);
  EXPECT_EQ(4400, r.brackets.charges[3]);
  EXPECT_EQ(400, r.brackets.weights[3]);
  terms_.lettered_point = true;
  r = Build(rate, '7');
  EXPECT_EQ(5100, r.brackets.charges[0]);
  EXPECT_EQ(5300, r.brackets.charges[2]);

  // Letters J and L, rate-record kind "H": band charges when the 100-lb one is set.
  const RateRecord kind_h = Rate("210800H", {2500, 2600});
  r = Build(kind_h, 'J');
  EXPECT_EQ(4, r.brackets.count);
  EXPECT_EQ(5200, r.brackets.charges[1]);
  m[49] = 0;
  UseBandBlock(m);
  r = Build(kind_h, 'L');
  EXPECT_EQ(0, r.brackets.method);
  EXPECT_EQ(1, r.brackets.count);
  EXPECT_EQ(2500, r.brackets.charges[0]);

  // A class digit outside 1-4 would read another band's values: the record is refused.
  const RateRecord odd = Rate("710800 ", {2500});
  Build(odd, '7');
  EXPECT_EQ(kErrMinred, error_);
}

TEST_F(MinimumRulesTest, LetterRulesByKindAndDetailDigit) {
  // Letter I: kind "H" with detail digit 5 and a third charge: (0 lb: 700), (100 lb: 1500).
  ChargeResult r = Build(Rate("25 123H", {1500, 1600, 700}), 'I');
  EXPECT_EQ(3, r.brackets.method);
  EXPECT_EQ(2, r.brackets.count);
  EXPECT_EQ(700, r.brackets.charges[0]);
  EXPECT_EQ(1500, r.brackets.charges[1]);
  EXPECT_EQ(0, r.brackets.charges[2]) << "the third charge's slot is cleared";
  // Kind "J" with detail digit 5 keeps one bracket; kind "M" the two-bracket rule counted 1.
  r = Build(Rate("25 123J", {1500, 1600}), 'I');
  EXPECT_EQ(0, r.brackets.method);
  EXPECT_EQ(1, r.brackets.count);
  r = Build(Rate("25 123M", {1500, 1600}), 'I');
  EXPECT_EQ(3, r.brackets.method);
  EXPECT_EQ(1, r.brackets.count);
  EXPECT_EQ(100, r.brackets.weights[1]);

  // Letters J/L: kind "C" with a second charge, method 4; kind "J" with a third, method 2.
  r = Build(Rate("25 123C", {1500, 1600}), 'L');
  EXPECT_EQ(4, r.brackets.method);
  EXPECT_EQ("10", Kinds(r, 2));
  r = Build(Rate("25 123J", {1500, 1600, 1700, 1800}), 'J');
  EXPECT_EQ(2, r.brackets.method);
  EXPECT_EQ("1010", Kinds(r, 4));
  EXPECT_EQ(1800, r.brackets.charges[3]);

  // Letter K by the tariff's year.
  terms_.tariff_date_key = 19950301;
  r = Build(Rate("22 123J", {1500, 1600, 1700, 1800}), 'K');
  EXPECT_EQ(2, r.brackets.method);
  EXPECT_EQ(4, r.brackets.count);
  r = Build(Rate("25 123J", {1500, 1600}), 'K');
  EXPECT_EQ(4, r.brackets.method);
  EXPECT_EQ(0, r.brackets.weights[1]);
  terms_.tariff_date_key = 19940301;
  r = Build(Rate("25 123H", {1500, 1600}), 'K');
  EXPECT_EQ(3, r.brackets.method);
  EXPECT_EQ(1500, r.brackets.charges[0]);
  EXPECT_EQ(1600, r.brackets.charges[1]);
  terms_.tariff_date_key = 19930301;
  r = Build(Rate("21 123E", {1500, 1600, 1700}), 'K');
  EXPECT_EQ(0, r.brackets.method);
  EXPECT_EQ(1, r.brackets.count);
  EXPECT_EQ(0, r.brackets.charges[2]) << "a single bracket clears the others";
  r = Build(Rate("23 123E", {1500, 1600, 1700}), 'K');
  EXPECT_EQ(2, r.brackets.method);
  terms_.tariff_date_key = 19990301;
  r = Build(Rate("21 123Z", {1500, 1600, 1700, 1800}), 'K');
  EXPECT_EQ(2, r.brackets.method) << "kind Z in any year";
  EXPECT_EQ(100, r.brackets.weights[0]);
}

}  // namespace
}  // namespace tolv
