// The charge step's overrides around the rate matrix: the ".C" range factor and the "001"
// lane code, the type-C add-on amounts, letter H's floor and first-bracket factor, and the
// E-record operators. Amounts are worked out by hand.
#include <gtest/gtest.h>
#include <unistd.h>

#include "testkit/charges/charge_files.h"
#include "testkit/logs/binary_log_reader.h"
#include "testkit/rates/rate_files.h"
#include "testkit/read_file.h"
#include "testkit/temp_dir.h"
#include "tolv32dll/charges/charge_compute.h"
#include "tolv32dll/charges/e_records.h"
#include "tolv32dll/logs/binary_log.h"

namespace tolv {
namespace {

FactorRow Row(std::int32_t a, std::int32_t b) {
  FactorRow r{};
  r[0] = a;
  r[1] = b;
  return r;
}

// Two classes at breaks of 500 and 1000 lb; class 100 carries factors 1.2 and 1.1.
ClassRateTables TwoClasses() {
  ClassRateTables t;
  t.class_codes = {"050", "100"};
  t.weight_breaks = {500, 1000};
  t.class_factors = {Row(10000, 10000), Row(12000, 11000)};
  return t;
}

// Lanes that load with a given answer and hand over a given first code, and nothing else.
class FakeLanes final : public LaneAdjustments {
 public:
  ErrorNumber Load() override {
    loaded = true;
    return load_answer;
  }
  void Apply(ChargeResult&, int, int) override {}
  void ApplySecond(ChargeResult&, int, int) override {}
  bool BeforeClassFactors() const override { return false; }
  std::string_view FirstHitCode() const override { return first_code; }
  const std::vector<ERecordBytes>& ERecords() const override { return none_; }

  ErrorNumber load_answer = kOk;
  std::string first_code;
  bool loaded = false;

 private:
  std::vector<ERecordBytes> none_;
};

std::vector<std::int32_t> Cells(const ChargeResult& r, int n) {
  return std::vector<std::int32_t>(r.matrix.cells.begin(), r.matrix.cells.begin() + n);
}

TEST(ChargeStepsTest, ClassRangeFactorLaneCodeAndAddOnAmounts) {
  // Letter L, kind C: V(0) 1500 and V(1) 1800 are the two minimum charges (method 4); the
  // rates of breaks 0 and 1 are V(4) 2000 and V(5) 1800, times the class factor.
  const RateRecord rate(testkit::RateRecord({1, "  1234C", {1500, 1800, 0, 0, 2000, 1800}}, 40));
  ChargeTerms terms;
  terms.cell.method_letter = 'L';

  ClassRateTables tables = TwoClasses();
  ChargeResult r;
  ASSERT_EQ(kOk, ComputeCharges(tables, rate, terms, r));
  EXPECT_EQ((std::vector<std::int32_t>{2000, 1800, 2400, 1980}), Cells(r, 4));
  EXPECT_EQ(4, r.brackets.method);

  // The ".C" range's factor 0.9 replaces the last class's row: 1800 and 1620. The add-on
  // amounts go on both bracket charges and the first two cells of every row.
  terms.class_range_factor = [] { return std::optional<std::int32_t>(9000); };
  terms.addon_c_amounts = std::array<std::int32_t, 2>{125, 40};
  FakeLanes lanes;
  lanes.first_code = "001";
  terms.lanes = &lanes;
  ASSERT_EQ(kOk, ComputeCharges(tables, rate, terms, r));
  EXPECT_TRUE(lanes.loaded);
  EXPECT_EQ((std::vector<std::int32_t>{2040, 1840, 1840, 1660}), Cells(r, 4));
  EXPECT_EQ(1625, r.brackets.charges[0]);
  EXPECT_EQ(1925, r.brackets.charges[1]);
  EXPECT_EQ(9000, tables.class_factors[1][1]) << "the override stays in the tables";

  // No range but the lane's first code "001": the row becomes 0.595: 1190 and 1071.
  tables = TwoClasses();
  terms.class_range_factor = [] { return std::optional<std::int32_t>(); };
  terms.addon_c_amounts.reset();
  ASSERT_EQ(kOk, ComputeCharges(tables, rate, terms, r));
  EXPECT_EQ((std::vector<std::int32_t>{2000, 1800, 1190, 1071}), Cells(r, 4));
  tables = TwoClasses();
  lanes.first_code = "002";
  ASSERT_EQ(kOk, ComputeCharges(tables, rate, terms, r));
  EXPECT_EQ(2400, r.matrix.cells[2]);

  // Other kinds never ask for the range nor take the add-on amounts.
  const RateRecord plain(testkit::RateRecord({1, "  1234J", {1500, 0, 0, 0, 2000, 1800}}, 40));
  terms.class_range_factor = [] { return std::optional<std::int32_t>(9000); };
  terms.addon_c_amounts = std::array<std::int32_t, 2>{125, 40};
  tables = TwoClasses();
  ASSERT_EQ(kOk, ComputeCharges(tables, plain, terms, r));
  EXPECT_EQ((std::vector<std::int32_t>{2000, 1800, 2400, 1980}), Cells(r, 4));
  EXPECT_EQ(1500, r.brackets.charges[0]);

  // A load error stops the step before the matrix is priced.
  lanes.load_answer = ErrorNumber{231};
  EXPECT_EQ(231, ComputeCharges(tables, plain, terms, r));
  EXPECT_EQ(ChargeResult::kUnpriced, r.matrix.cells[0]);
}

TEST(ChargeStepsTest, LetterHFloorAndFirstBracketFactor) {
  // Letter H: rates V(1), V(2); V(n + 1) = V(3) is the floor. The first bracket 2500 is
  // scaled by BreakFactorGrid[2][0] = 1.1: 2750. A class factor of 0 at break 1 copies break
  // 0's scaled cell: 3000 x 1.05 = 3150 twice.
  ClassRateTables tables = TwoClasses();
  tables.class_factors = {Row(10500, 0), Row(10000, 10000)};
  tables.break_factors = {Row(0, 0), Row(0, 0), Row(11000, 0)};
  const RateRecord rate(testkit::RateRecord({1, "  1234 ", {2500, 3000, 2800, 1999}}, 40));
  ChargeTerms terms;
  terms.cell.method_letter = 'H';
  ChargeResult r;
  ASSERT_EQ(kOk, ComputeCharges(tables, rate, terms, r));
  EXPECT_EQ(1999, r.minimum_floor);
  EXPECT_EQ(2750, r.brackets.charges[0]);
  EXPECT_EQ((std::vector<std::int32_t>{3150, 3150, 3000, 2800}), Cells(r, 4));
}

TEST(ChargeStepsTest, BinaryLogHoldsThePricedBlockAndTheFinalBrackets) {
  testkit::TempDir dir;
  char old_dir[4096];
  ASSERT_NE(::getcwd(old_dir, sizeof old_dir), nullptr);
  ASSERT_EQ(::chdir(dir.path().c_str()), 0);
  SetThreadBinaryDebug('Y');
  ClassRateTables tables = TwoClasses();
  const RateRecord rate(testkit::RateRecord({1, "  1234C", {1500, 1800, 0, 0, 2000, 1800}}, 40));
  ChargeTerms terms;
  terms.cell.method_letter = 'L';
  terms.request_factor = 1.25f;
  ChargeResult r;
  const ErrorNumber error = ComputeCharges(tables, rate, terms, r);
  SetThreadBinaryDebug('N');
  const std::string bytes = testkit::ReadFile(dir.File("kqdebug.dbr"));
  ASSERT_EQ(::chdir(old_dir), 0);
  ASSERT_EQ(kOk, error);

  testkit::BinaryLog log = testkit::ParseBinaryLog(bytes);
  ASSERT_FALSE(log.truncated);
  ASSERT_EQ(2u, log.entries.size());
  // Kind 3 right after pricing: before the factor 1.25; cells past the priced ones unpriced.
  const testkit::BinaryLogEntry& block = log.entries[0];
  EXPECT_EQ(3, block.kind);
  ASSERT_EQ(700u, block.data.size());
  EXPECT_EQ(0, testkit::DataI32(block, 0));
  EXPECT_EQ(2000, testkit::DataI32(block, 16));
  EXPECT_EQ(1980, testkit::DataI32(block, 28));
  EXPECT_EQ(9999999, testkit::DataI32(block, 32));
  // Kind 16 at the end: 1500 x 1.25 = 1875, 1800 x 1.25 = 2250.
  const testkit::BinaryLogEntry& brackets = log.entries[1];
  EXPECT_EQ(16, brackets.kind);
  ASSERT_EQ(276u, brackets.data.size());
  EXPECT_EQ("10", brackets.data.substr(0, 2));
  EXPECT_EQ(1875, testkit::DataI32(brackets, 152));
  EXPECT_EQ(2250, testkit::DataI32(brackets, 156));
  EXPECT_EQ(4, brackets.data[272] | brackets.data[273] << 8) << "method";
  EXPECT_EQ(2, brackets.data[274] | brackets.data[275] << 8) << "count";
}

// Two brackets of 1000 and 2000 cents; one class row of 3001 and 4003.
ChargeResult Priced() {
  ChargeResult r;
  r.brackets.Set(0, '1', 0, 1000);
  r.brackets.Set(1, '0', 0, 2000);
  r.brackets.count = 2;
  r.matrix.cells[0] = 3001;
  r.matrix.cells[1] = 4003;
  return r;
}

TEST(ERecordsTest, OperatorsRunsAndRounding) {
  const std::vector<ERecordBytes> records = {
      testkit::ERecord('2', '3', '1', 150, {11000, 9000}),
      testkit::ERecord('4', ' ', '1', 12000, {}),
      testkit::ERecord('2', '2', '2', 5, {7, 7}),
  };
  ChargeResult r = Priced();
  // Letter 6 scales by 10000. Rates, digit 3: 3301 and 3603, rounded to 5: 3300 and 3605.
  // Minimum: +150 (1150, 2150), then the first "4" of a run at 10: 1380000 and 2580000,
  // divided by 1000 at the run's end: 1380 and 2580. The key-2 record waits.
  ApplyERecords(records, EOperatorTerms{'1', '\0', '6', 1, 2}, r);
  EXPECT_EQ(1380, r.brackets.charges[0]);
  EXPECT_EQ(2580, r.brackets.charges[1]);
  EXPECT_EQ(3300, r.matrix.cells[0]);
  EXPECT_EQ(3605, r.matrix.cells[1]);
  EXPECT_EQ(RateMatrix::kNotComputed, r.matrix.cells[2]) << "outside the priced cells";
  ApplyERecords(records, EOperatorTerms{'2', '\0', '6', 1, 2}, r);
  EXPECT_EQ(1385, r.brackets.charges[0]);
  EXPECT_EQ(3307, r.matrix.cells[0]);

  // Letter 7 scales by 100000; any other letter by 10; digits 5 and 6.
  r = Priced();
  ApplyERecords({testkit::ERecord('1', '6', '1', 110000, {95000, 0})}, EOperatorTerms{'1', '\0', '7', 1, 2}, r);
  EXPECT_EQ(1100, r.brackets.charges[0]);
  EXPECT_EQ(2850, r.matrix.cells[0]) << "2850.95 -> 2851, to the nearest 10";
  EXPECT_EQ(4003, r.matrix.cells[1]) << "an operand of 0 leaves the cell";
  r = Priced();
  ApplyERecords({testkit::ERecord('5', '1', '1', 25, {12, 12})}, EOperatorTerms{'1', '\0', 'L', 1, 2}, r);
  EXPECT_EQ(975, r.brackets.charges[0]);
  EXPECT_EQ(3601, r.matrix.cells[0]) << "(3001 x 12 + 5) / 10";
}

TEST(ERecordsTest, LaPctMergesIntoTheFirstRecord) {
  const std::vector<ERecordBytes> records = {
      testkit::ERecord('1', '1', '1', 11000, {11000, 10000}),
      testkit::ERecord('1', '1', '1', 9000, {9000, 12000}),
  };
  // Unmerged: x 1.1 then x 0.9 gives 990; "+": 1.1 + 0.9 - 1.0 = 1.0 leaves 1000; "H": 1.1.
  ChargeResult r = Priced();
  ApplyERecords(records, EOperatorTerms{'1', '\0', '6', 1, 2}, r);
  EXPECT_EQ(990, r.brackets.charges[0]);
  r = Priced();
  ApplyERecords(records, EOperatorTerms{'1', '+', '6', 1, 2}, r);
  EXPECT_EQ(1000, r.brackets.charges[0]);
  EXPECT_EQ(3001, r.matrix.cells[0]);
  EXPECT_EQ(4804, r.matrix.cells[1]) << "1.0 + 1.2 - 1.0: 4003 x 1.2";
  r = Priced();
  ApplyERecords(records, EOperatorTerms{'1', 'H', '6', 1, 2}, r);
  EXPECT_EQ(1100, r.brackets.charges[0]);
  EXPECT_EQ(4804, r.matrix.cells[1]);
}

}  // namespace
}  // namespace tolv
