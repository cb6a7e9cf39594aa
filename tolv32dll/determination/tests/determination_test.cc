#include <gtest/gtest.h>

#include "testkit/effective/efcrec_writer.h"
#include "testkit/td/td_writers.h"
#include "testkit/temp_dir.h"
#include "tolv32dll/determination/tariff_determination.h"

namespace tolv {
namespace {

using testkit::EfcrecLine;

EfcrecLine Tariff(const char* name, int number, const char* date = "20240101", char kind = 'Y',
                  char jurisdiction = 'N') {
  EfcrecLine l;
  l.tariff_name = name;
  l.tariff_number = number;
  l.date = date;
  l.tariff_kind = kind;
  l.jurisdiction = jurisdiction;
  return l;
}

// A small TD data set: Pennsylvania 15000-15999 is area 1, Ohio 43000-43999 area 2, and
// group 1 gives tariff group 100 for the pair of areas.
class DeterminationTest : public ::testing::Test {
 protected:
  DeterminationTest() : table_("TolvDeterminationTest" + std::to_string(::getpid())) {
    dir_.Write("TDV.SEQ", testkit::TdvFile({{1, 20, 24, 1, 1}}));
    dir_.Write("TDS.SEQ", testkit::TdsFile({{1, 1, 2, 100, 0, 1, 99}}));
    dir_.Write("TDA.SEQ", testkit::TdaFile({{1, "PA"}, {2, "OH"}, {3, "NY"}}));
    dir_.Write("TDZ.BIN", testkit::TdzFile({{"15000", "15999", 1, 99, 1, 0, 0},
                                            {"43000", "43999", 1, 99, 2, 0, 0},
                                            {"44000", "44999", 1, 99, 4, 0, 0}}));
    dir_.Write("TDT.BIN", testkit::TdtFile({{1, 0, {1}}, {2, 0, {2}}, {4, 0, {2}}}));
    Efcrec({Tariff("ABCD0001", 100)});
    table_.set_directory(dir_.path());
  }

  void Efcrec(const std::vector<EfcrecLine>& lines) {
    dir_.Write("EFCREC.TBL", testkit::EfcrecFile(lines));
  }

  ErrorNumber Determine(const std::string& origin, const std::string& destination,
                        TariffDate ship = {20, 24, 6, 15}, const std::string& name = "",
                        int pass = 1) {
    EXPECT_EQ(kOk, data_.Load(dir_.path()));
    table_.Clear();
    EXPECT_EQ(kOk, table_.Load());
    DeterminationRequest request;
    request.origin_zip = origin;
    request.destination_zip = destination;
    request.ship_date = ship;
    request.tariff_name = name;
    request.intrastate_flag = intrastate_flag_;
    request.canadian = std::isalpha(static_cast<unsigned char>(origin[0])) ||
                       std::isalpha(static_cast<unsigned char>(destination[0]));
    DeterminationContext context{data_, dir_.path(), table_, current_, nullptr};
    state_ = DeterminationState{};
    return DetermineTariff(pass, request, context, &state_);
  }
  std::string Chosen() const { return std::string(TextOf(current_.tariff_name)); }
  std::string States() const {
    return std::string(state_.origin.state.data(), 2) + std::string(state_.destination.state.data(), 2);
  }

  testkit::TempDir dir_;
  TdDataSet data_;
  EffectiveTable table_;
  CurrentTariff current_;
  DeterminationState state_;
  bool intrastate_flag_ = false;
};

TEST_F(DeterminationTest, ZipPairGivesTheTariffOfItsGroupInEitherOrder) {
  ASSERT_EQ(kOk, Determine("15213 ", "43215 "));
  EXPECT_EQ("ABCD0001", Chosen());
  EXPECT_EQ("PAOH", States());
  EXPECT_EQ('F', state_.direction);
  EXPECT_EQ((TariffDate{20, 24, 1, 1}), state_.tariff_date);

  ASSERT_EQ(kOk, Determine("43215 ", "15213 "));
  EXPECT_EQ("ABCD0001", Chosen());
  EXPECT_EQ('T', state_.direction);
  EXPECT_EQ("OHPA", States());  // back in request order
  EXPECT_EQ(2, state_.origin.tdz.area());
}

TEST_F(DeterminationTest, TariffInForceOnTheShipDateAtTheEdges) {
  dir_.Write("TDV.SEQ", testkit::TdvFile({{1, 20, 20, 1, 1}}));
  Efcrec({Tariff("ABCD0001", 100, "20240101"), Tariff("ABCD0001", 100, "20240601")});
  ASSERT_EQ(kOk, Determine("15213 ", "43215 ", {20, 24, 5, 31}));
  EXPECT_EQ(1, current_.month);  // the day before the new one: still the old
  ASSERT_EQ(kOk, Determine("15213 ", "43215 ", {20, 24, 6, 1}));
  EXPECT_EQ(6, current_.month);  // its first day in force
  ASSERT_EQ(kOk, Determine("15213 ", "43215 ", {20, 24, 1, 1}));
  EXPECT_EQ(1, current_.month);
  // Before the first: no group keeps a tariff in force.
  EXPECT_EQ(kErrIvdcmb, Determine("15213 ", "43215 ", {20, 23, 12, 31}));
}

TEST_F(DeterminationTest, LookUpFailuresGiveTheirNumbers) {
  EXPECT_EQ(kErrGettdz, Determine("16000 ", "43215 "));
  EXPECT_EQ(kErrIvdorg, Determine("1521  ", "43215 "));  // found by prefix, not a ZIP
  EXPECT_EQ(kErrIvddst, Determine("15213 ", "4321A "));
  EXPECT_EQ(kErrSertdv, Determine("15213 ", "43215 ", {20, 23, 12, 31}));
  dir_.Write("TDS.SEQ", testkit::TdsFile({{1, 1, 3, 100, 0, 1, 99}}));
  EXPECT_EQ(kErrIvdcmb, Determine("15213 ", "43215 "));
  dir_.Write("TDS.SEQ", testkit::TdsFile({{1, 1, 2, 100, 0, 5, 99}}));  // not yet valid
  EXPECT_EQ(kErrIvdcmb, Determine("15213 ", "43215 "));
  dir_.Write("TDT.BIN", "");
  EXPECT_EQ(kErrGettdt, Determine("15213 ", "43215 "));
  std::remove(dir_.File("TDZ.BIN").c_str());
  EXPECT_EQ(kErrOpntdz, Determine("15213 ", "43215 "));
  std::remove(dir_.File("TDV.SEQ").c_str());
  EXPECT_EQ(kErrOpntdv, Determine("15213 ", "43215 "));
}

TEST_F(DeterminationTest, SameAreaOrderByteDecidesTheDirection) {
  dir_.Write("TDZ.BIN", testkit::TdzFile({{"15000", "15499", 1, 99, 1, 0, 5},
                                          {"15500", "15999", 1, 99, 1, 0, 3}}));
  dir_.Write("TDT.BIN", testkit::TdtFile({{1, 0, {1}}}));
  dir_.Write("TDS.SEQ", testkit::TdsFile({{1, 1, 1, 100, 0, 1, 99}}));
  ASSERT_EQ(kOk, Determine("15600 ", "15213 "));
  EXPECT_EQ('F', state_.direction);
  ASSERT_EQ(kOk, Determine("15213 ", "15600 "));
  EXPECT_EQ('T', state_.direction);
  ASSERT_EQ(kOk, Determine("15213 ", "15214 "));
  EXPECT_EQ('F', state_.direction);  // equal order bytes
}

TEST_F(DeterminationTest, IntrastateShipmentTakesTheIntrastateTariff) {
  dir_.Write("TDZ.BIN", testkit::TdzFile({{"15000", "15499", 1, 99, 1, 0, 0},
                                          {"15500", "15999", 1, 99, 1, 0, 0}}));
  dir_.Write("TDT.BIN", testkit::TdtFile({{1, 0, {1, 1}}}));
  dir_.Write("TDS.SEQ", testkit::TdsFile({{1, 1, 1, 100, 0, 1, 99}, {2, 1, 1, 200, 0, 1, 99}}));
  Efcrec({Tariff("ABCD0001", 100), Tariff("PAIN0001", 200, "20240101", 'Y', 'Y')});
  intrastate_flag_ = true;
  ASSERT_EQ(kOk, Determine("15213 ", "15600 "));
  EXPECT_EQ("PAIN0001", Chosen());
  EXPECT_TRUE(state_.intrastate);
  intrastate_flag_ = false;
  ASSERT_EQ(kOk, Determine("15213 ", "15600 "));
  EXPECT_EQ("ABCD0001", Chosen());
  EXPECT_EQ(0, state_.a[1]);
}

TEST_F(DeterminationTest, UnknownStatesAreNotOneState) {
  // Both points lie in area 4, which TDA.SEQ does not hold.
  dir_.Write("TDS.SEQ", testkit::TdsFile({{1, 2, 2, 100, 0, 1, 99}, {2, 2, 2, 200, 0, 1, 99}}));
  dir_.Write("TDT.BIN", testkit::TdtFile({{1, 0, {1, 1}}, {2, 0, {2, 2}}, {4, 0, {2, 2}}}));
  Efcrec({Tariff("ABCD0001", 100), Tariff("XXIN0001", 200, "20240101", 'Y', 'Y')});
  intrastate_flag_ = true;
  ASSERT_EQ(kOk, Determine("44100 ", "44200 "));
  EXPECT_EQ("****", States());
  EXPECT_EQ("ABCD0001", Chosen());
}

TEST_F(DeterminationTest, TariffNamedInFullIsTakenWithoutTheTdFiles) {
  Efcrec({Tariff("NAMD0001", 1, "20240101", 'N'), Tariff("NAMD0001", 1, "20240301", 'N'),
          Tariff("NAMD0001", 1, "20250101", 'N')});
  std::remove(dir_.File("TDV.SEQ").c_str());
  ASSERT_EQ(kOk, Determine("15213 ", "43215 ", {20, 24, 6, 15}, "NAMD0001"));
  EXPECT_EQ("NAMD0001", Chosen());
  EXPECT_EQ(3, current_.month);
  // Not of this pass: determination goes on by ZIP codes, and needs TDV.SEQ.
  EXPECT_EQ(kErrOpntdv, Determine("15213 ", "43215 ", {20, 24, 6, 15}, "NAMD0001", 2));
}

TEST_F(DeterminationTest, NamedPassByPrefix) {
  Efcrec({Tariff("KVN00001", 300, "20240101", 'N'), Tariff("KVN00002", 301, "20240101", 'N')});
  ASSERT_EQ(kOk, Determine("15213 ", "43215 ", {20, 24, 6, 15}, "KVN"));
  EXPECT_EQ((std::vector<std::int16_t>{300}), state_.a);  // one group: one slot

  Efcrec({Tariff("KVN00001", 300, "20250101", 'N')});
  EXPECT_EQ(kErrIvdtsd, Determine("15213 ", "43215 ", {20, 24, 6, 15}, "KVN"));
  Efcrec({Tariff("KVY00001", 300, "20240101", 'Y')});
  EXPECT_EQ(kErrIvdefc, Determine("15213 ", "43215 ", {20, 24, 6, 15}, "KVY"));
  EXPECT_EQ(kErrIvdtar, Determine("15213 ", "43215 ", {20, 24, 6, 15}, "QQQ"));
  Efcrec({Tariff("KVY00001", 100, "20240101", 'Y')});
  ASSERT_EQ(kOk, Determine("15213 ", "43215 ", {20, 24, 6, 15}, "KVY"));
  EXPECT_EQ("KVY00001", Chosen());
  dir_.Write("TDS.SEQ", "");
  dir_.Write("TDT.BIN", testkit::TdtFile({{1, 0, {}}, {2, 0, {}}}));
  EXPECT_EQ(kErrIvdtar, Determine("15213 ", "43215 ", {20, 24, 6, 15}, "KVY"));
}

TEST_F(DeterminationTest, CanadianNamedTariffMustBeInForceForCanada) {
  Efcrec({Tariff("CANA0001", 100, "20240101", 'Y', 'C')});
  ASSERT_EQ(kOk, Determine("K1A0B1", "43215 ", {20, 24, 6, 15}, "CANA0001"));
  EXPECT_EQ("CANA0001", Chosen());
  Efcrec({Tariff("CANA0001", 100, "20240101", 'Y', 'N')});
  EXPECT_EQ(kErrBadorg, Determine("K1A0B1", "43215 ", {20, 24, 6, 15}, "CANA0001"));
  EXPECT_EQ(kErrBaddst, Determine("43215 ", "K1A0B1", {20, 24, 6, 15}, "CANA0001"));
}

TEST_F(DeterminationTest, StateOfACode) {
  ASSERT_EQ(kOk, data_.Load(dir_.path()));
  EXPECT_EQ((StateCode{'P', 'A'}), LookupState(data_, dir_.path(), "15213 "));
  EXPECT_EQ((StateCode{'O', 'H'}), LookupState(data_, dir_.path(), "43215 "));
  EXPECT_EQ(std::nullopt, LookupState(data_, dir_.path(), "99999 "));
  EXPECT_EQ(std::nullopt, LookupState(data_, dir_.path(), "44100 "));  // area not in TDA
  testkit::TempDir empty;
  EXPECT_EQ((StateCode{'M', 'X'}), LookupState(data_, empty.path(), "12345M"));
  EXPECT_EQ(std::nullopt, LookupState(data_, empty.path(), "15213 "));
}

TEST(SampleDataSetTest, LanesFindTheSampleTariffsInForce) {
  TdDataSet data;
  ASSERT_EQ(kOk, data.Load(FRELANE_SAMPLE_DIR));
  EffectiveTable table("TolvSampleTest" + std::to_string(::getpid()));
  table.set_directory(FRELANE_SAMPLE_DIR);
  ASSERT_EQ(kOk, table.Load());
  CurrentTariff current;
  auto determine = [&](const char* origin, const char* destination, TariffDate ship) {
    DeterminationRequest request;
    request.origin_zip = origin;
    request.destination_zip = destination;
    request.ship_date = ship;
    request.canadian = std::isalpha(static_cast<unsigned char>(destination[0]));
    DeterminationContext context{data, FRELANE_SAMPLE_DIR, table, current, nullptr};
    DeterminationState state;
    ErrorNumber error = DetermineTariff(1, request, context, &state);
    return error == kOk ? std::string(TextOf(current.tariff_name)) : std::to_string(error);
  };
  EXPECT_EQ("NORTHW01", determine("15213 ", "60609 ", {20, 26, 12, 1}));
  EXPECT_EQ("02", TextOf(current.factor_file_no));  // the issue of 12-01-2026
  EXPECT_EQ("NORTHW01", determine("60609 ", "15213 ", {20, 26, 11, 30}));
  EXPECT_EQ("01", TextOf(current.factor_file_no));
  EXPECT_EQ("QFLC0001", determine("15213 ", "K1A0B1", {20, 26, 6, 1}));
  EXPECT_EQ("119", determine("15213 ", "K1A0B1", {20, 25, 12, 31}));
}

TEST(TdDataSetTest, OpenErrors) {
  testkit::TempDir dir;
  TdDataSet data;
  EXPECT_EQ(kErrOpntds, data.Load(dir.path()));
  dir.Write("TDS.SEQ", testkit::TdsFile({{51, 1, 2, 100, 0, 1, 99}}));
  EXPECT_EQ(kErrRedtds, data.Load(dir.path()));
  dir.Write("TDS.SEQ", testkit::TdsFile({{1, 1, 2, 100, 0, 1, 99}}));
  EXPECT_EQ(kErrOpntda, data.Load(dir.path()));
  dir.Write("tda.seq", testkit::TdaFile({{1, "PA"}}));  // found without regard to case
  EXPECT_EQ(kOk, data.Load(dir.path()));
}

}  // namespace
}  // namespace tolv
