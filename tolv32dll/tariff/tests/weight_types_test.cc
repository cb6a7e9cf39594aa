#include "tolv32dll/tariff/weight_types.h"

#include <gtest/gtest.h>

#include <string>

#include "testkit/tariff/factor_file_writer.h"
#include "tolv32dll/tariff/tests/stream_fixture.h"

namespace tolv {
namespace {

CurrentTariff WithDigit(char digit, const char* name = "ABCD0001") {
  CurrentTariff t;
  std::copy_n(name, 8, t.tariff_name.begin());
  t.weight_type_file_no = {'0', '1'};
  t.weight_type_digit = digit;
  return t;
}

std::string Bytes(const std::vector<std::uint8_t>& v) { return std::string(v.begin(), v.end()); }

TEST(WeightTypes, HandBuiltRecord) {
  // type '1', break index 2, Lite code "X9Z ", 2 unused, code "07\0" (a leading '0' turns
  // the NUL into '0'), amounts 750 / 1000 / -1 with codes "AB1" and "CD2".
  const std::uint8_t record[30] = {'1',  0x02, 0x00, 'X',  '9',  'Z',  ' ',  0xEE, 0xEE, '0',
                                   '7',  0x00, 0xEE, 0x02, 0x00, 0x00, 'A',  'B',  '1',  0xE8,
                                   0x03, 0x00, 0x00, 'C',  'D',  '2',  0xFF, 0xFF, 0xFF, 0xFF};
  WeightTypeTable table;
  EXPECT_FALSE(table.Apply(record).has_value());
  const WeightTypeEntry& e = table.entries[0];
  EXPECT_EQ(e.type_digit, '1');
  EXPECT_EQ(std::string(e.code.data(), 3), "070");
  EXPECT_EQ(e.count, 1);
  EXPECT_EQ(e.slots[0].break_index, 2);
  EXPECT_EQ(e.slots[0].amount1, 750);
  EXPECT_EQ(std::string(e.slots[0].code1.data(), 3), "AB1");
  EXPECT_EQ(e.slots[0].amount2, 1000);
  EXPECT_EQ(std::string(e.slots[0].code2.data(), 3), "CD2");
  EXPECT_EQ(e.slots[0].amount3, -1);
  EXPECT_EQ(e.slots[1].break_index, -1);
  EXPECT_EQ(std::string(table.lite_codes[2].data(), 5), std::string("X9Z \0", 5));
  EXPECT_EQ(std::string(table.lite_codes[0].data()), "L5C");
  // The testkit writer builds the same bytes (but for the unused bytes).
  auto written = testkit::WeightTypeFile({{'1', 2, "X9Z ", "07", 750, "AB1", 1000, "CD2", -1}});
  ASSERT_EQ(written.size(), 30u);
  for (int i = 0; i < 30; ++i) {
    if (i == 7 || i == 8) continue;
    EXPECT_EQ(written[i], record[i]) << "byte " << i;
  }
}

TEST(WeightTypes, RecordsGatherByCodeIntoSlots) {
  std::vector<testkit::WeightTypeSpec> specs;
  for (int i = 0; i < 12; ++i)
    specs.push_back(testkit::WeightType("A10", static_cast<std::int16_t>(i), i));
  specs.push_back(testkit::WeightType("B20", 0, 5));
  WeightTypeTable table;
  auto bytes = testkit::WeightTypeFile(specs);
  for (std::size_t at = 0; at < bytes.size(); at += 30)
    table.Apply(os::ByteSpan(bytes).subspan(at, 30));
  EXPECT_EQ(table.entries[0].count, kWeightTypeSlots) << "a twelfth slot finds no room";
  EXPECT_EQ(table.entries[0].slots[10].amount1, 10);
  EXPECT_EQ(std::string(table.entries[1].code.data(), 3), "B20");
  // Twenty codes: the table holds nineteen.
  WeightTypeTable full;
  for (int i = 0; i < 20; ++i) {
    auto one = testkit::WeightTypeFile({testkit::WeightType("C" + std::to_string(10 + i), 0, i)});
    full.Apply(one);
  }
  EXPECT_EQ(std::string(full.entries[18].code.data(), 3), "C28");
}

TEST(WeightTypes, OutOfRangeIndexesAreSkipped) {
  WeightTypeTable table;
  auto bytes = testkit::WeightTypeFile(
      {testkit::WeightType("000", 20, 99, "QQQQ"), testkit::WeightType("000", -3, 98, "QQQQ")});
  EXPECT_FALSE(table.Apply(os::ByteSpan(bytes).first(30)).has_value());
  EXPECT_FALSE(table.Apply(os::ByteSpan(bytes).subspan(30)).has_value());
  EXPECT_EQ(table.lite_codes, DefaultLiteCodes());
}

TEST(WeightTypes, ZeroCodeReplacesTheBreakOnEveryLoad) {
  auto file = Bytes(testkit::WeightTypeFile(
      {testkit::WeightType("000", 1, 750), testkit::WeightType("100", 0, 5)}));
  WeightTypeState state;
  FactorTables tables;
  tables.weight_breaks = {1, 500, 1000};
  {
    MemoryStream stream(file);
    ASSERT_EQ(Tariff_LoadWeightTypes(WithDigit('1'), stream.get(), state, tables), kOk);
  }
  EXPECT_EQ(tables.weight_breaks[1], 750);
  EXPECT_TRUE(WeightTypesCurrent(WithDigit('1'), state));
  // The factor file was loaded again: the cached table still replaces the break.
  tables.weight_breaks = {1, 500, 1000};
  ASSERT_EQ(Tariff_LoadWeightTypes(WithDigit('1'), nullptr, state, tables), kOk);
  EXPECT_EQ(tables.weight_breaks[1], 750);
}

TEST(WeightTypes, AnotherTariffWithTheSameDigitReadsItsOwnFile) {
  WeightTypeState state;
  FactorTables tables;
  {
    MemoryStream stream(Bytes(testkit::WeightTypeFile({testkit::WeightType("000", 1, 750)})));
    ASSERT_EQ(Tariff_LoadWeightTypes(WithDigit('1'), stream.get(), state, tables), kOk);
  }
  CurrentTariff other = WithDigit('1', "WXYZ0001");
  EXPECT_FALSE(WeightTypesCurrent(other, state));
  EXPECT_EQ(Tariff_LoadWeightTypes(other, nullptr, state, tables), kErrWtpopn);
  tables = FactorTables();
  MemoryStream stream(Bytes(testkit::WeightTypeFile({testkit::WeightType("000", 2, 900)})));
  ASSERT_EQ(Tariff_LoadWeightTypes(other, stream.get(), state, tables), kOk);
  EXPECT_EQ(tables.weight_breaks[1], 0) << "the first tariff's override does not apply";
  EXPECT_EQ(tables.weight_breaks[2], 900);
}

TEST(WeightTypes, BlankDigitResetsToDefaults) {
  WeightTypeState state;
  FactorTables tables;
  MemoryStream stream(Bytes(testkit::WeightTypeFile({testkit::WeightType("100", 0, 1, "ZZZZ")})));
  ASSERT_EQ(Tariff_LoadWeightTypes(WithDigit('1'), stream.get(), state, tables), kOk);
  EXPECT_EQ(state.table.entries[0].count, 1);
  EXPECT_EQ(Tariff_LoadWeightTypes(WithDigit(' '), nullptr, state, tables), kOk);
  EXPECT_EQ(state.table.entries[0].count, 0);
  EXPECT_EQ(state.table.lite_codes, DefaultLiteCodes());
  EXPECT_TRUE(WeightTypesCurrent(WithDigit(' '), state));
}

TEST(WeightTypes, PartialTrailingRecordIsIgnored) {
  WeightTypeState state;
  FactorTables tables;
  std::string file = Bytes(testkit::WeightTypeFile(
      {testkit::WeightType("100", 0, 1), testkit::WeightType("200", 0, 2)}));
  MemoryStream stream(file.substr(0, 45));
  ASSERT_EQ(Tariff_LoadWeightTypes(WithDigit('1'), stream.get(), state, tables), kOk);
  EXPECT_EQ(state.table.entries[0].count, 1);
  EXPECT_EQ(state.table.entries[1].count, 0);
}

}  // namespace
}  // namespace tolv
