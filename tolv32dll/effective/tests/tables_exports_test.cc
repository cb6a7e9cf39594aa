// The effective-table family of exports, called through libTolv32.so on a small data set.
#include <cstring>
#include <string>

#include <gtest/gtest.h>

#include "testkit/effective/efcrec_writer.h"
#include "testkit/tariff/factor_file_writer.h"
#include "testkit/td/td_writers.h"
#include "testkit/temp_dir.h"
#include "tolv32dll/include/tolv32.h"

namespace {

class TablesExportsTest : public ::testing::Test {
 protected:
  TablesExportsTest() {
    testkit::EfcrecLine first;
    first.tariff_name = "ABCD0001";
    first.date = "20240101";
    testkit::EfcrecLine second = first;  // a later block of the same tariff
    second.date = "20240701";
    second.factor_file_no = "02";
    testkit::EfcrecLine bureau = first;  // found only by the second search
    bureau.tariff_name = "BURE0001";
    bureau.tariff_number = 2;
    dir_.Write("EFCREC.TBL", testkit::EfcrecFile({first, second, bureau}));
    dir_.Write("TDS.SEQ", testkit::TdsFile({{1, 1, 2, 100, 0, 1, 99}}));
    dir_.Write("TDA.SEQ", testkit::TdaFile({{1, "PA"}, {2, "OH"}}));
    dir_.Write("TDZ.BIN", testkit::TdzFile({{"15000", "15999", 1, 99, 1, 0, 0}}));
    testkit::FactorBlock block;
    block.class_codes = {"250", "200", "100"};
    block.weight_breaks = {1, 500, 1000};
    block.number = 100;
    block.rates = {{10000, 9000, 8000}, {9000, 8000, 7000}, {8000, 7000, 6000}};
    dir_.Write("ABCD0001.F01", testkit::BlockLayoutFactorFile({block}));
    block.class_codes = {"150", "85"};
    block.weight_breaks = {1, 2000};
    block.rates = {{10000, 9000}, {9000, 8000}};
    dir_.Write("ABCD0001.F02", testkit::BlockLayoutFactorFile({block}));
    block.number = 2;
    dir_.Write("BURE0001.F01", testkit::BlockLayoutFactorFile({block}));
  }
  ~TablesExportsTest() override { Tolv_EndTolv(); }

  // A TariffTablesRecord asking for name on date.
  std::string Ask(const char* name, const char* date) {
    std::string record(TOLV32_TARIFF_TABLES_RECORD_SIZE, 'z');
    std::memcpy(record.data() + 204, name, 8);
    std::memcpy(record.data() + 212, date, 10);
    return record;
  }
  static std::string ClassCode(const std::string& r, int i) { return r.substr(6 * i, 6); }
  static int I32(const std::string& r, std::size_t at) {
    std::uint32_t v = 0;
    std::memcpy(&v, r.data() + at, 4);
    return static_cast<int>(v);
  }
  static int I16(const std::string& r, std::size_t at) {
    std::int16_t v = 0;
    std::memcpy(&v, r.data() + at, 2);
    return v;
  }

  testkit::TempDir dir_;
};

TEST_F(TablesExportsTest, GetTablesListsTheClassesAndBreaksOfTheTariffInForce) {
  ASSERT_EQ(0, Tolv_InitializeTolv(dir_.path().c_str()));
  std::string r = Ask("ABCD0001", "06/30/2024");
  ASSERT_EQ(1, Tolv_GetTables(r.data()));
  EXPECT_EQ(3, I16(r, 200));
  EXPECT_EQ(3, I16(r, 202));
  EXPECT_EQ(std::string("250\0\0\0", 6), ClassCode(r, 0));
  EXPECT_EQ(std::string("100\0\0\0", 6), ClassCode(r, 2));
  EXPECT_EQ(std::string(6, '\0'), ClassCode(r, 3));
  EXPECT_EQ(1, I32(r, 120));
  EXPECT_EQ(1000, I32(r, 128));
  EXPECT_EQ(0, I32(r, 132));
  EXPECT_EQ("ABCD000106-30-2024", r.substr(204, 18));

  r = Ask("ABCD0001", "07-01-2024");  // the first day of the later block
  ASSERT_EQ(1, Tolv_GetTables(r.data()));
  EXPECT_EQ(2, I16(r, 200));
  EXPECT_EQ(std::string("85\0\0\0\0", 6), ClassCode(r, 1));
  EXPECT_EQ(2000, I32(r, 124));

  r = Ask("BURE0001", "07-01-2024");  // tariff number 2: the second search
  EXPECT_EQ(1, Tolv_GetTables(r.data()));

  r = Ask("ABCD0001", "12/31/2023");  // the day before the first
  std::string before = r;
  EXPECT_EQ(0, Tolv_GetTables(r.data()));
  EXPECT_EQ(before.substr(0, 204), r.substr(0, 204));
  r = Ask("ABCD0001", "02/30/2024");
  EXPECT_EQ(0, Tolv_GetTables(r.data()));
  EXPECT_EQ(0, Tolv_GetTables(nullptr));
}

TEST_F(TablesExportsTest, StateAndRatingVersion) {
  ASSERT_EQ(0, Tolv_InitializeTolv(dir_.path().c_str()));
  char state[2] = {'?', '?'};
  ASSERT_EQ(state, Tolv_GetState(state, "15213 "));
  EXPECT_EQ("PA", std::string(state, 2));
  EXPECT_EQ(nullptr, Tolv_GetState(state, "99999 "));
  ASSERT_EQ(state, Tolv_GetState(state, "99999M"));
  EXPECT_EQ("MX", std::string(state, 2));

  testkit::EfcrecLine a;
  a.record_letter = 'A';
  a.tariff_kind = 'P';
  a.version = "";
  std::string line = testkit::EfcrecLineText(a);
  Tolv_DetermineRatingVersion(line.data());
  EXPECT_EQ("4.8  ", line.substr(39, 5));
  EXPECT_EQ('B', line[0]);
}

TEST_F(TablesExportsTest, DataSetOpenNeedsTheSelectTableAndTheAreas) {
  std::remove(dir_.File("TDA.SEQ").c_str());
  EXPECT_EQ(101, Tolv_InitializeTolv(dir_.path().c_str()));
  std::remove(dir_.File("TDS.SEQ").c_str());
  EXPECT_EQ(102, Tolv_InitializeTolv(dir_.path().c_str()));
  dir_.Write("EFCREC.TBL", "");
  EXPECT_EQ(209, Tolv_InitializeTolv(dir_.path().c_str()));
  EXPECT_EQ(-1, Tolv_EndTolv());
}

TEST(SampleTariffsTest, GetTablesListsTheSampleTariffInForce) {
  ASSERT_EQ(0, Tolv_InitializeTolv(FRELANE_SAMPLE_DIR));
  std::string r(TOLV32_TARIFF_TABLES_RECORD_SIZE, ' ');
  std::memcpy(r.data() + 204, "NORTHW0112/01/2026", 18);
  ASSERT_EQ(1, Tolv_GetTables(r.data()));
  std::int16_t classes = 0, breaks = 0;
  std::memcpy(&classes, r.data() + 200, 2);
  std::memcpy(&breaks, r.data() + 202, 2);
  EXPECT_EQ(18, classes);
  EXPECT_EQ(6, breaks);
  EXPECT_EQ(std::string("500\0\0\0", 6), r.substr(0, 6));
  EXPECT_EQ(std::string("92\0\0\0\0", 6), r.substr(60, 6));
  std::int32_t first_break = -1, last_break = 0;
  std::memcpy(&first_break, r.data() + 120, 4);
  std::memcpy(&last_break, r.data() + 120 + 5 * 4, 4);
  EXPECT_EQ(1, first_break);
  EXPECT_EQ(10000, last_break);
  // The Canadian tariff on its first day in force, and the day before.
  std::memcpy(r.data() + 204, "QFLC000101/01/2026", 18);
  ASSERT_EQ(1, Tolv_GetTables(r.data()));
  std::memcpy(r.data() + 204, "QFLC000112/31/2025", 18);
  EXPECT_EQ(0, Tolv_GetTables(r.data()));
  char state[2];
  ASSERT_NE(nullptr, Tolv_GetState(state, "K1A0B1"));
  EXPECT_EQ("ON", std::string(state, 2));
  ASSERT_NE(nullptr, Tolv_GetState(state, "02110 "));
  EXPECT_EQ("MA", std::string(state, 2));
  Tolv_EndTolv();
}

}  // namespace
