#include "tolv32dll/tariff/tariff_state.h"

#include <gtest/gtest.h>

#include <chrono>
#include <string>

#include "platform/os/file_cache.h"
#include "testkit/tariff/factor_file_writer.h"
#include "testkit/temp_dir.h"

namespace tolv {
namespace {

CurrentTariff Tariff() {
  CurrentTariff t;
  std::copy_n("ABCD0001", 8, t.tariff_name.begin());
  t.tariff_number = 100;
  t.point_type = 'E';
  t.factor_file_no = {'0', '1'};
  t.weight_type_file_no = {'0', '2'};
  t.weight_type_digit = '1';
  return t;
}

testkit::FactorBlock Block(int classes, int breaks) {
  testkit::FactorBlock block;
  for (int c = 0; c < classes; ++c) block.class_codes.push_back(std::to_string(50 + c));
  for (int b = 0; b < breaks; ++b) block.weight_breaks.push_back(1 + 500 * b);
  block.number = 100;
  block.rates.assign(classes, std::vector<std::int32_t>(breaks, 10000));
  return block;
}

class TariffStateTest : public ::testing::Test {
 protected:
  TariffStateTest() { state_.files.SetTariffDataDirectory(dir_.path()); }
  void WriteFactors(const testkit::FactorBlock& block) {
    dir_.Write("ABCD0001.F01", testkit::BlockLayoutFactorFile({block}));
  }
  testkit::TempDir dir_;
  TariffState state_;
};

TEST_F(TariffStateTest, LoadsFactorsThenWeightTypes) {
  testkit::FactorBlock block = Block(3, 3);
  block.leading_lines = {testkit::FactorOptionLine("BRKS", "AAA*")};
  WriteFactors(block);
  dir_.Write("ABCD0001.T02", testkit::WeightTypeFile({testkit::WeightType("000", 2, 1500)}));
  state_.options.la_pct = 'P';
  ASSERT_EQ(Tariff_LoadForRating(state_, Tariff()), kOk);
  EXPECT_EQ(state_.tables.class_count, 3);
  EXPECT_EQ(state_.tables.weight_breaks[2], 1500);
  EXPECT_EQ(state_.options.brks.count, 1);
  EXPECT_EQ(state_.options.la_pct, '\0') << "lists emptied before the load";
  EXPECT_FALSE(state_.files.weight_types().is_open());
  EXPECT_TRUE(state_.files.factors().is_open()) << "kept open while the tariff stays";
  // A second load rewinds the factor file and keeps the weight types.
  ASSERT_EQ(Tariff_LoadForRating(state_, Tariff()), kOk);
  EXPECT_EQ(state_.tables.weight_breaks[2], 1500);
}

TEST_F(TariffStateTest, MissingFilesGiveTheirNumbers) {
  EXPECT_EQ(Tariff_LoadForRating(state_, Tariff()), kErrFacopn);
  WriteFactors(Block(1, 1));
  EXPECT_EQ(Tariff_LoadForRating(state_, Tariff()), kErrWtpopn);
  CurrentTariff no_types = Tariff();
  no_types.weight_type_digit = ' ';
  EXPECT_EQ(Tariff_LoadForRating(state_, no_types), kOk);
}

TEST_F(TariffStateTest, ClassesByBreaksMustFitTheRateMatrix) {
  CurrentTariff t = Tariff();
  t.weight_type_digit = ' ';
  WriteFactors(Block(19, 9));
  EXPECT_EQ(Tariff_LoadForRating(state_, t), kOk);
  state_.files.CloseFactors();
  WriteFactors(Block(19, 10));
  EXPECT_EQ(Tariff_LoadForRating(state_, t), kErrFacred);
  // The table listing reads the same file without that limit.
  EXPECT_EQ(Tariff_LoadFactorTables(state_, t), kOk);
  EXPECT_EQ(state_.tables.break_count, 10);
  EXPECT_FALSE(state_.files.factors().is_open());
  state_.files.CloseFactors();
  WriteFactors(Block(20, 8));  // the twentieth class is not priced
  EXPECT_EQ(Tariff_LoadForRating(state_, t), kOk);
}

// The factor file is loaded before every rating from an image that seldom changes; a load
// handed out again must be exactly what reading the file once more would give.
TEST_F(TariffStateTest, RepeatedLoadsGiveWhatReadingTheFileAgainGives) {
  CurrentTariff t = Tariff();
  t.weight_type_digit = ' ';
  testkit::FactorBlock first = Block(2, 2);
  first.leading_lines = {testkit::FactorOptionLine("BRKS", "AAA*")};
  first.after_class_lines = {testkit::FactorOptionLine("NCITY", "AB"),
                             testkit::FactorOptionLine("HCITY", "7")};
  testkit::FactorBlock second = Block(2, 2);
  second.number = 200;
  second.leading_lines = {testkit::FactorOptionLine("RADJF", "1.5")};
  second.rates.assign(2, std::vector<std::int32_t>(2, 20000));
  dir_.Write("ABCD0001.F01", testkit::BlockLayoutFactorFile({first, second}));

  ASSERT_EQ(Tariff_LoadForRating(state_, t), kOk);
  EXPECT_EQ(state_.options.brks.count, 1);
  EXPECT_EQ(state_.options.hcity.count, 0) << "another city set's section";
  // Options rewritten in memory after a load are undone by the next one.
  state_.options.brks = BreakCodeList();
  ASSERT_EQ(Tariff_LoadForRating(state_, t), kOk);
  EXPECT_EQ(state_.tables.class_factors[1][0], 10000);
  EXPECT_EQ(state_.options.brks.count, 1);

  // The options a load starts from take part: here the city set opens the section.
  state_.options.city_set_code = {'A', 'B'};
  ASSERT_EQ(Tariff_LoadForRating(state_, t), kOk);
  EXPECT_EQ(state_.options.hcity.count, 1);
  state_.options.city_set_code = {' ', ' '};
  ASSERT_EQ(Tariff_LoadForRating(state_, t), kOk);
  EXPECT_EQ(state_.options.hcity.count, 0);

  // Another block of the same file, and back.
  CurrentTariff other_set = t;
  other_set.tariff_number = 200;
  ASSERT_EQ(Tariff_LoadForRating(state_, other_set), kOk);
  EXPECT_EQ(state_.tables.class_factors[0][0], 20000);
  EXPECT_FLOAT_EQ(state_.options.radjf, 1.5f);
  ASSERT_EQ(Tariff_LoadForRating(state_, t), kOk);
  EXPECT_EQ(state_.tables.class_factors[0][0], 10000);
  EXPECT_FLOAT_EQ(state_.options.radjf, 1.0f);

  // A new issue of the file, opened again.
  state_.files.CloseFactors();
  testkit::FactorBlock reissued = Block(2, 2);
  reissued.rates.assign(2, std::vector<std::int32_t>(2, 30000));
  WriteFactors(reissued);
  ASSERT_EQ(Tariff_LoadForRating(state_, t), kOk);
  EXPECT_EQ(state_.tables.class_factors[0][0], 30000);
  EXPECT_EQ(state_.options.brks.count, 0);
}

TEST_F(TariffStateTest, ARatingAfterATableListingGetsItsOwnTables) {
  CurrentTariff t = Tariff();
  t.weight_type_digit = ' ';
  CurrentTariff other_set = t;
  other_set.tariff_number = 200;
  testkit::FactorBlock second = Block(3, 3);
  second.number = 200;
  second.rates.assign(3, std::vector<std::int32_t>(3, 20000));
  dir_.Write("ABCD0001.F01", testkit::BlockLayoutFactorFile({Block(2, 2), second}));
  // Served from the cache at once, so that every open finds the same image.
  struct SettleAtOnce {
    SettleAtOnce() { os::SetSettleTimeForTesting(std::chrono::milliseconds(0)); }
    ~SettleAtOnce() { os::SetSettleTimeForTesting(os::kDefaultSettleTime); }
  } settle_at_once;

  for (int rating = 0; rating < 2; ++rating) {
    ASSERT_EQ(Tariff_LoadForRating(state_, t), kOk);
    EXPECT_EQ(state_.tables.class_factors[0][0], 10000);
  }
  // The listing reads the other block over the same tables; the kept load of the rating
  // is still the one handed out next.
  ASSERT_EQ(Tariff_LoadFactorTables(state_, other_set), kOk);
  EXPECT_EQ(state_.tables.class_factors[0][0], 20000);
  ASSERT_EQ(Tariff_LoadForRating(state_, t), kOk);
  EXPECT_EQ(state_.tables.class_factors[0][0], 10000);
  EXPECT_EQ(state_.tables.class_factors[2][2], 0);
  EXPECT_EQ(state_.tables.break_count, 2);
}

}  // namespace
}  // namespace tolv
