#include "tolv32dll/rates/cell_rule.h"

#include <gtest/gtest.h>

#include "tolv32dll/rates/tests/rate_fixture.h"

namespace tolv {
namespace {

class CellRuleTest : public ::testing::Test {
 protected:
  Result<std::int32_t> Cell(char letter, int c, int b, const std::string& cls = "100") {
    CellRuleInputs in{tables_, matrix_, record_, context_};
    in.context.method_letter = letter;
    return ComputeCell(in, c, b, cls);
  }
  ClassRateTables tables_ = SmallTariffTables();
  RateMatrix matrix_;
  RateRecord record_ = SmallTariffRecord();
  CellRuleContext context_;
};

TEST_F(CellRuleTest, BreakAndClassIndexes) {
  EXPECT_EQ(0, tables_.WeightBreakIndex(0));
  EXPECT_EQ(0, tables_.WeightBreakIndex(499));
  EXPECT_EQ(1, tables_.WeightBreakIndex(500)) << "a weight equal to a break uses that break";
  EXPECT_EQ(2, tables_.WeightBreakIndex(999999));
  tables_.weight_breaks = {100, 500};
  EXPECT_EQ(0, tables_.WeightBreakIndex(50)) << "below the first break is break 0";
  tables_.weight_breaks.clear();
  EXPECT_EQ(-1, tables_.WeightBreakIndex(50));

  tables_ = SmallTariffTables();
  EXPECT_EQ(1, tables_.ClassIndex("100"));
  EXPECT_EQ(-1, tables_.ClassIndex("10"));
  EXPECT_EQ(-1, tables_.ClassIndex("FAK"));
  tables_.class_codes = {"FAK", "100"};
  EXPECT_EQ(0, tables_.ClassIndex("100")) << "an all-classes list prices with row 0";
  tables_.class_codes = {"65"};
  EXPECT_EQ(0, tables_.ClassIndex("FAK"));
  EXPECT_EQ(-1, tables_.ClassIndex("70"));
}

TEST_F(CellRuleTest, PlainMethodsReadTheGrid) {
  for (char letter : {'0', '3', '4', '6'}) {
    EXPECT_EQ(2000, *Cell(letter, 0, 0));
    EXPECT_EQ(2400, *Cell(letter, 1, 2));
    EXPECT_EQ(6400, *Cell(letter, 2, 1));
  }
  EXPECT_EQ(kErrTyptar, Cell('Z', 0, 0).error());
  EXPECT_EQ(kErrTyptar, Cell('2', 0, 0).error());
}

TEST_F(CellRuleTest, FactoredMethods) {
  // Base rate V(4) = 4000; block index of factor set 1 is 0.
  tables_.break_factors[0][1] = 15000;
  tables_.class_factors[0][2] = 5000;
  EXPECT_EQ(3000, *Cell('1', 2, 1));  // 4000 x 1.5 x 0.5
  tables_.block_numbers = {7};
  EXPECT_EQ(0, *Cell('1', 2, 1)) << "a factor set the tariff does not list prices nothing";

  tables_ = SmallTariffTables();
  tables_.break_factors[2][0] = 12345;
  tables_.class_factors[1][0] = 20000;
  // R(4000 x 1.2345) = 4938; R(4938 x 2) = 9876.
  EXPECT_EQ(9876, *Cell('D', 1, 2));

  // Method 5: class 3 reads the factor of row 0; class 10 and up read V directly.
  tables_.class_factors[0][3] = 5000;
  EXPECT_EQ(1000, *Cell('5', 3, 0));  // R(V(1) x 0.5)
  EXPECT_EQ(record_.Value(0 + 9 * 10 - 89), *Cell('5', 10, 0));
}

TEST_F(CellRuleTest, DistanceBandsOfMethod7) {
  // Area 1234 is band 2.
  tables_.break_factors[3] = tables_.break_factors[0];
  tables_.class_factors[3] = tables_.class_factors[0];
  tables_.break_factors[2][1] = 5000;
  EXPECT_EQ(1000, *Cell('7', 0, 1));  // V(1) = 2000 x 0.5
  record_ = RateRecord(testkit::RateRecord({1, "  0549 ", {0, 2000}}, 40));
  EXPECT_EQ(2000, *Cell('7', 0, 1));
}

TEST_F(CellRuleTest, LoweringToANonZeroClassFactor) {
  tables_.class_factors[1] = FactorRow{};
  tables_.class_factors[1][0] = 7500;
  // Break 2 lowers to break 0: V(1) x 0.75.
  EXPECT_EQ(1500, *Cell('A', 1, 2));
  EXPECT_EQ(1500, *Cell('B', 1, 2));
  EXPECT_EQ(2000, *Cell('E', 1, 2));
  EXPECT_EQ(4000, *Cell('F', 1, 2));  // V(0 + 4)
  EXPECT_EQ(3000, *Cell('G', 1, 2));  // R(V(4) x 0.75)
  context_.unfactored_lane_rates = true;
  EXPECT_EQ(4000, *Cell('L', 1, 2));
  context_.point_kind_letter = 'M';
  tables_.class_factors[1][1] = 5000;
  EXPECT_EQ(1000, *Cell('A', 1, 1)) << "point kind 'M' reads V(1)";
  EXPECT_EQ(800, *Cell('B', 1, 1));
}

TEST_F(CellRuleTest, MethodCOrdersFactorsByClass) {
  // v = V(b + 1) = 2000 at break 0; f = 1.5; g from the kind letter's row ('A' = row 0).
  record_ = RateRecord(testkit::RateRecord({1, "  1234A", {0, 2001}}, 40));
  tables_.class_factors[0][0] = 15000;
  tables_.break_factors[0][0] = 3333;
  // below "100": R(R(2001 x 0.3333) x 1.5) = R(667 x 1.5) = 1001
  EXPECT_EQ(1001, *Cell('C', 0, 0, "50"));
  // equal: R(2001 x 0.3333) = 667
  EXPECT_EQ(667, *Cell('C', 0, 0, "100"));
  // above: R(R(2001 x 1.5) x 0.3333) = R(3002 x 0.3333) = 1001 (3002 from 3001.5 rounded)
  EXPECT_EQ(1001, *Cell('C', 0, 0, "200"));
  context_.tariff_number = 412;
  EXPECT_EQ(1001, *Cell('C', 0, 0, "100")) << "tariff 412 always applies g first";
}

TEST_F(CellRuleTest, NothingIsReadBeyondTheRecordOrTheMatrix) {
  record_ = RateRecord(testkit::RateRecord({1, "  1234 ", {9500, 2000, 1600}}, 16));
  EXPECT_EQ(2000, *Cell('0', 0, 0));
  EXPECT_EQ(0, *Cell('0', 0, 1)) << "V(2) ends past a 16-byte record";
  EXPECT_EQ(0, *Cell('5', 19, 0));
  // A whole class row read at once stops at the same place, also inside a value.
  for (std::size_t size = 16; size <= 20; ++size) {
    record_ = RateRecord(testkit::RateRecord({1, "  1234 ", {9500, 2000, 1600}}, size));
    std::array<std::int32_t, 3> row{-1, -1, -1};
    ASSERT_EQ(kOk, ComputeClassRow({tables_, matrix_, record_, context_}, 0, "100", row));
    const std::int32_t second = size >= 19 ? 1600 : 0;
    EXPECT_EQ((std::array<std::int32_t, 3>{2000, second, 0}), row) << size << "-byte record";
  }

  // 20 classes of 9 breaks: class 19 lies beyond the 171 cells.
  tables_.class_codes.clear();
  for (int i = 0; i < 20; ++i) tables_.class_codes.push_back(std::to_string(100 + i));
  tables_.weight_breaks = {0, 100, 200, 300, 400, 500, 600, 700, 800};
  record_ = RateRecord(testkit::RateRecord({1, "  1234 ", std::vector<std::uint32_t>(200, 7)}, 631));
  CellRuleInputs in{tables_, matrix_, record_, context_};
  EXPECT_EQ(7, *LookupCell(in, 800, "118"));
  EXPECT_EQ(0, *LookupCell(in, 800, "119"));
}

TEST_F(CellRuleTest, PricedCellsComeFromTheMatrix) {
  matrix_.cells[1 * 3 + 1] = 3100;
  CellRuleInputs in{tables_, matrix_, record_, context_};
  EXPECT_EQ(3100, *LookupCell(in, 600, "100"));
  EXPECT_EQ(4000, *LookupCell(in, 499, "100"));
  EXPECT_EQ(0, *LookupCell(in, 600, "85"));
}

TEST_F(CellRuleTest, ClassSpecificBreaks) {
  tables_.class_break_flag = '1';
  tables_.weight_types = {{"050", {{1, 300}, {5, 900}, {-1, 1}}}, {"100", {{2, 2000}}}, {"", {}}};
  tables_.ApplyClassBreaks("50");
  EXPECT_EQ((decltype(tables_.weight_breaks){0, 300, 1000}), tables_.weight_breaks)
      << "entries naming breaks the tariff lacks are ignored";
  tables_.ApplyClassBreaks("70");
  EXPECT_EQ(2000, tables_.weight_breaks[2]) << "the first row not below the class applies";
  tables_ = SmallTariffTables();
  tables_.weight_types = {{"050", {{1, 300}}}};
  tables_.ApplyClassBreaks("50");
  EXPECT_EQ(500, tables_.weight_breaks[1]) << "no class-break flag, no change";
}

}  // namespace
}  // namespace tolv

namespace tolv {
namespace {

TEST(ClassRateTablesTest, TakenFromTheFactorFileAndWeightTypes) {
  FactorTables f;
  f.class_count = 3;
  f.class_codes[0] = {'5', '0', 0, 0, 0, 0};
  f.class_codes[1] = {'1', '0', '0', 0, 0, 0};
  f.class_codes[2] = {'P', 'K', 'G', 'B', 'O', 'X'};  // a code filling its field
  f.break_count = 3;
  f.weight_breaks = {0, 500, 1000, 7777};
  f.block_count = 1;
  f.block_numbers[0] = 4;
  f.class_factors[1][2] = 12000;
  WeightTypeTable w;
  w.entries[0].code = {'0', '5', '0'};
  w.entries[0].count = 1;
  w.entries[0].slots[0].break_index = 1;
  w.entries[0].slots[0].amount1 = 400;
  ClassRateTables t = ClassRateTables::FromTariff(f, w, '1');
  EXPECT_EQ((decltype(t.class_codes){"50", "100", "PKGBOX"}), t.class_codes);
  EXPECT_EQ((decltype(t.weight_breaks){0, 500, 1000}), t.weight_breaks);
  EXPECT_EQ(12000, ClassRateTables::Factor(t.class_factors, 1, 2));
  EXPECT_EQ(0, t.FactorSetIndex(4));
  t.ApplyClassBreaks("50");
  EXPECT_EQ(400, t.weight_breaks[1]);
  // Counts beyond the room of their tables are held to it.
  f.class_count = 99;
  f.break_count = -3;
  t = ClassRateTables::FromTariff(f, w, ' ');
  EXPECT_EQ(20u, t.class_codes.size());
  EXPECT_TRUE(t.weight_breaks.empty());
}

// A rating loads the tables over those of the last one: nothing of the last tariff, nor of
// what the last charge step wrote into them, may remain.
TEST(ClassRateTablesTest, LoadingOverUsedTablesLeavesNothingOfTheLastTariff) {
  FactorTables first;
  first.class_count = 3;
  first.class_codes[0] = {'5', '0', 0, 0, 0, 0};
  first.class_codes[1] = {'6', '5', 0, 0, 0, 0};
  first.class_codes[2] = {'1', '0', '0', 0, 0, 0};
  first.break_count = 4;
  first.weight_breaks = {0, 500, 1000, 2000};
  first.block_count = 2;
  first.block_numbers[0] = 4;
  first.block_numbers[1] = 9;
  first.class_factors[2][3] = 8000;
  WeightTypeTable types;
  types.entries[0].code = {'0', '5', '0'};
  types.entries[0].count = 1;
  types.entries[0].slots[0].break_index = 1;
  types.entries[0].slots[0].amount1 = 400;
  ClassRateTables used = ClassRateTables::FromTariff(first, types, '1');
  used.ApplyClassBreaks("50");
  used.class_factors[0][0] = 5950;  // a charge step's override

  FactorTables second;
  second.class_count = 1;
  second.class_codes[0] = {'F', 'A', 'K', 0, 0, 0};
  second.break_count = 2;
  second.weight_breaks = {0, 300};
  second.block_count = 1;
  second.block_numbers[0] = 7;
  second.break_factors[1][1] = 11000;
  used.Load(second, types, ' ');

  const ClassRateTables fresh = ClassRateTables::FromTariff(second, types, ' ');
  EXPECT_EQ(fresh.class_codes, used.class_codes);
  EXPECT_EQ(fresh.weight_breaks, used.weight_breaks);
  EXPECT_EQ(fresh.block_numbers, used.block_numbers);
  EXPECT_EQ(fresh.class_factors, used.class_factors);
  EXPECT_EQ(fresh.break_factors, used.break_factors);
  EXPECT_TRUE(used.weight_types.empty());
  EXPECT_EQ(-1, used.FactorSetIndex(9));
  used.ApplyClassBreaks("50");
  EXPECT_EQ(300, used.weight_breaks[1]) << "no class breaks without the digit flag";

  // Loaded again with the flag, the rows are the table's, not what was left in them.
  used.Load(first, types, '1');
  ASSERT_EQ(types.entries.size(), used.weight_types.size());
  EXPECT_EQ(1u, used.weight_types[0].entries.size());
  EXPECT_TRUE(used.weight_types[1].entries.empty());
  used.ApplyClassBreaks("50");
  EXPECT_EQ((decltype(used.weight_breaks){0, 400, 1000, 2000}), used.weight_breaks);
}

}  // namespace
}  // namespace tolv
