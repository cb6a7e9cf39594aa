#include "tolv32dll/rates/class_totals.h"

#include <gtest/gtest.h>

#include "tolv32dll/rates/tests/rate_fixture.h"

namespace tolv {
namespace {

class ClassTotalsTest : public ::testing::Test {
 protected:
  ClassTotalsTest() { terms_.minimum_charge = [](std::int32_t) { return 9500; }; }

  ErrorNumber Rate(std::vector<DetailLine> lines) {
    lines_ = std::move(lines);
    tables_ = SmallTariffTables();
    return SumLines(tables_, matrix_, record_, terms_, lines_, totals_);
  }
  // Discount on charges with distinct values per break: minimum charge 5 %, break 0 10 %,
  // break 1 25 %, every later break 30 %.
  void DiscountOnCharges() {
    terms_.discount_on = true;
    terms_.discount_kind = 'C';
    terms_.discount_marker = "D%";
    terms_.discount_values = {5, 10, 25, 30, 30, 30, 30, 30, 30, 30};
  }

  ClassRateTables tables_;
  RateMatrix matrix_;
  RateRecord record_ = SmallTariffRecord();
  TotalsTerms terms_;
  std::vector<DetailLine> lines_;
  ShipmentTotals totals_;
};

TEST_F(ClassTotalsTest, PlainLineWithoutDeficit) {
  ASSERT_EQ(kOk, Rate({{"100", 600}}));
  EXPECT_EQ(600, totals_.total_weight);
  EXPECT_EQ(600, totals_.billed_weight);
  EXPECT_EQ(3200, lines_[0].rate);
  EXPECT_EQ(19200, lines_[0].charge);
  EXPECT_EQ(19200, totals_.sum_with_deficit);
  EXPECT_EQ('N', totals_.deficit_flag);
  EXPECT_EQ(0, totals_.deficit_charge);
  EXPECT_EQ(9500, totals_.minimum_charge);
  EXPECT_EQ(1, totals_.chosen_break);
}

TEST_F(ClassTotalsTest, DeficitWeightToTheNextBreak) {
  ASSERT_EQ(kOk, Rate({{"100", 450}}));
  EXPECT_EQ(500, totals_.billed_weight);
  EXPECT_EQ(50, totals_.deficit_weight);
  EXPECT_EQ(3200, totals_.deficit_rate);
  EXPECT_EQ(1600, totals_.deficit_charge);
  EXPECT_EQ('Y', totals_.deficit_flag);
  EXPECT_EQ(3200, lines_[0].rate);
  EXPECT_EQ(14400, lines_[0].charge);
  EXPECT_EQ(16000, totals_.sum_with_deficit);

  // The lowest line rate carries the deficit: 9600 + 2400 + 50 lb at 1600.
  ASSERT_EQ(kOk, Rate({{"100", 300}, {"50", 150}}));
  EXPECT_EQ(1600, totals_.deficit_rate);
  EXPECT_EQ("50", totals_.deficit_class);
  EXPECT_EQ(800, totals_.deficit_charge);
  EXPECT_EQ(9600, lines_[0].charge);
  EXPECT_EQ(2400, lines_[1].charge);
  EXPECT_EQ(12800, totals_.sum_with_deficit);
}

TEST_F(ClassTotalsTest, DeficitOfOneShipmentDoesNotReachTheNext) {
  ASSERT_EQ(kOk, Rate({{"100", 450}}));
  // 1200 lb is at the last break: no search runs.
  ASSERT_EQ(kOk, Rate({{"100", 1200}}));
  EXPECT_EQ('N', totals_.deficit_flag);
  EXPECT_EQ(0, totals_.deficit_charge);
  EXPECT_EQ(1200, totals_.billed_weight);
  EXPECT_EQ(28800, totals_.sum_with_deficit);
}

TEST_F(ClassTotalsTest, DiscountOnChargesUsesTheBreaksOwnElement) {
  DiscountOnCharges();
  ASSERT_EQ(kOk, Rate({{"100", 600}}));
  // Break 1: 25 % of 19200; the deficit at break 2 (24000 less 30 %) is dearer.
  EXPECT_FLOAT_EQ(25.0f, totals_.discount_percent);
  EXPECT_EQ(4800, totals_.discount_amount);
  EXPECT_EQ(19200, lines_[0].charge) << "line charges stay undiscounted";
  EXPECT_EQ(19200, totals_.sum_with_deficit);
  EXPECT_EQ(1, totals_.chosen_break);

  terms_.discount_kind = 'R';
  ASSERT_EQ(kOk, Rate({{"100", 600}}));
  EXPECT_EQ(0, totals_.discount_amount) << "discounted rates are not discounted again";
  EXPECT_EQ(19200, totals_.sum_with_deficit);
}

TEST_F(ClassTotalsTest, DiscountTotalRoundsTwiceAndStopsAtTheTenthElement) {
  DiscountOnCharges();
  terms_.discount_values[3] = 12.5f;  // break 2
  std::int64_t total = 1999;
  // 12.5 x 1999 = 24987.5 -> 24988; x 0.01 = 249.88 -> 250.
  EXPECT_EQ(2, DiscountTotal(terms_, 2, total, totals_));
  EXPECT_EQ(1749, total);
  // 33.33 x 1245489 = 41512148.37 -> 41512148; x 0.01 = 415121.48 -> 415121, exactly as
  // the response discounts the charges (single floats would make it 415122).
  terms_.discount_values[3] = 33.33f;
  total = 1245489;
  DiscountTotal(terms_, 2, total, totals_);
  EXPECT_EQ(1245489 - 415121, total);
  total = 1000;
  DiscountTotal(terms_, 8, total, totals_);
  EXPECT_EQ(700, total);
  total = 1000;
  DiscountTotal(terms_, 9, total, totals_);
  EXPECT_EQ(1000, total) << "break 9 would be an eleventh element";
  EXPECT_FLOAT_EQ(0.0f, totals_.discount_percent);
  terms_.discount_marker = "I%";
  DiscountTotal(terms_, 1, total, totals_);
  EXPECT_EQ(1000, total);
}

TEST_F(ClassTotalsTest, UsableBreakCountCapsTheChosenBreak) {
  terms_.usable_breaks = 1;
  ASSERT_EQ(kOk, Rate({{"100", 600}}));
  EXPECT_EQ(0, totals_.chosen_break);
  EXPECT_EQ(600, totals_.billed_weight);
  EXPECT_EQ(4000, lines_[0].rate);
  EXPECT_EQ(24000, totals_.sum_with_deficit);

  // A count of 0 chooses break 0 as well rather than a break before the first.
  terms_.usable_breaks = 0;
  ASSERT_EQ(kOk, Rate({{"100", 600}}));
  EXPECT_EQ(0, totals_.chosen_break);
  EXPECT_EQ(24000, totals_.sum_with_deficit);
}

TEST_F(ClassTotalsTest, SearchLimitsOfSomeTariffs) {
  // Breaks 0, 500, 1000, 2000 with rates making 2000 lb cheapest for 450 lb of class 100
  // only when the search looks past break 1.
  record_ = RateRecord(testkit::RateRecord(
      {1, "  1234 ", {0, 1, 1, 1, 1, 8000, 7000, 6000, 500, 1, 1, 1, 1}}, 526));
  auto rate = [&](const std::string& name, char point_type) {
    lines_ = {{"100", 450}};
    tables_ = SmallTariffTables();
    tables_.weight_breaks = {0, 500, 1000, 2000};
    terms_.tariff_name = name;
    terms_.point_type = point_type;
    EXPECT_EQ(kOk, SumLines(tables_, matrix_, record_, terms_, lines_, totals_));
    return totals_.chosen_break;
  };
  EXPECT_EQ(3, rate("NORTHW01", '0'));
  EXPECT_EQ(1, rate("QZFAST01", '0')) << "one break ahead only";
  // Point type '4' stops at the first dearer break after the start (break 2).
  EXPECT_EQ(1, rate("NORTHW01", '4'));
  // Weight 450 is below break 1 but above break 0: the start break is the baseline and the
  // stop rule does not end the search there.
  record_ = RateRecord(testkit::RateRecord({1, "  1234 ", {0, 1, 1, 1, 1, 8000, 500, 600, 700}},
                                           526));
  EXPECT_EQ(1, rate("NORTHW01", '4'));
}

TEST_F(ClassTotalsTest, BilledWeightLimit) {
  ASSERT_EQ(kOk, Rate({{"100", 599999}, {"100", 400000}}));
  EXPECT_EQ(999999, totals_.billed_weight);
  EXPECT_EQ(kErrWeightOverMax, Rate({{"100", 600000}, {"100", 400000}}));
  // A tariff without weight breaks cannot be priced.
  lines_ = {{"100", 600}};
  tables_ = SmallTariffTables();
  tables_.weight_breaks.clear();
  EXPECT_EQ(kErrFacred, SumLines(tables_, matrix_, record_, terms_, lines_, totals_));
}

TEST_F(ClassTotalsTest, LowestClassIsAByteComparison) {
  // "100" sorts below "55": the breaks of class 100 apply.
  tables_ = SmallTariffTables();
  tables_.class_codes = {"55", "100"};
  tables_.class_break_flag = '0';
  tables_.weight_types = {{"055", {{1, 400}}}, {"100", {{1, 450}}}, {"", {}}};
  lines_ = {{"55", 200}, {"100", 250}};
  ASSERT_EQ(kOk, SumLines(tables_, matrix_, record_, terms_, lines_, totals_));
  EXPECT_EQ(450, tables_.weight_breaks[1]);
  EXPECT_EQ(0, totals_.deficit_weight);
  EXPECT_EQ(450, totals_.billed_weight);
}

TEST_F(ClassTotalsTest, ValidationAndWeightChecks) {
  tables_ = SmallTariffTables();
  CellRuleInputs in{tables_, matrix_, record_, terms_.cell};
  EXPECT_EQ(kOk, ValidateClasses(in, {{"50", 1}, {"200", 1}}));
  EXPECT_EQ(kErrBadcls + 2, ValidateClasses(in, {{"50", 1}, {"85", 1}}));
  // A priced cell of 9999999 or 0 does not accept the line.
  matrix_.cells[1 * 3 + 1] = 0;
  EXPECT_EQ(kErrBadcls + 1, ValidateClasses(in, {{"100", 1}}));
  tables_.class_codes = {"100"};
  matrix_ = RateMatrix{};
  EXPECT_EQ(kOk, ValidateClasses(in, {{"FAK", 1}})) << "FAK priced as the one code";
  EXPECT_EQ(kErrBadcls + 1, ValidateClasses(in, {{"70", 1}}))
      << "the line's own class is priced";

  std::vector<DetailLine> lines{{"50", 10}, {"50", 0}};
  EXPECT_EQ(kOk, CheckDetailWeight(lines, 0));
  EXPECT_EQ(kErrBadwgt + 2, CheckDetailWeight(lines, 1));
}

TEST_F(ClassTotalsTest, RunNeedsAKindTableLetter) {
  lines_ = {{"100", 600}};
  tables_ = SmallTariffTables();
  terms_.cell.method_letter = 'Z';
  EXPECT_EQ(kErrTyptar, RunClassTotals(tables_, matrix_, record_, terms_, lines_, totals_));
  EXPECT_EQ(0, lines_[0].charge);
  terms_.cell.method_letter = '0';
  EXPECT_EQ(kOk, RunClassTotals(tables_, matrix_, record_, terms_, lines_, totals_));
}

}  // namespace
}  // namespace tolv
