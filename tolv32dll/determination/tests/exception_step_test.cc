#include <gtest/gtest.h>

#include "testkit/effective/efcrec_writer.h"
#include "testkit/td/td_writers.h"
#include "testkit/temp_dir.h"
#include "tolv32dll/determination/tariff_determination.h"

namespace tolv {
namespace {

using testkit::TdxException;

testkit::EfcrecLine Tariff(const char* name, int number) {
  testkit::EfcrecLine l;
  l.tariff_name = name;
  l.tariff_number = number;
  return l;
}

// Two groups cover the pair (area 1, order 4) to (area 2, order 7): group 100 (ABCD0001)
// and group 200 (WXYZ0001).
class ExceptionStepTest : public ::testing::Test {
 protected:
  ExceptionStepTest() : table_("TolvExceptionTest" + std::to_string(::getpid())) {
    dir_.Write("TDV.SEQ", testkit::TdvFile({{1, 20, 24, 1, 1}}));
    dir_.Write("TDS.SEQ", testkit::TdsFile({{1, 1, 2, 100, 0, 1, 99}, {2, 1, 2, 200, 0, 1, 99}}));
    dir_.Write("TDA.SEQ", testkit::TdaFile({{1, "PA"}, {2, "OH"}}));
    dir_.Write("TDZ.BIN", testkit::TdzFile({{"15000", "15999", 1, 99, 1, 0, 4},
                                            {"43000", "43999", 1, 99, 2, 0, 7}}));
    dir_.Write("TDT.BIN", testkit::TdtFile({{1, 0, {1, 1}}, {2, 0, {2, 2}}}));
    dir_.Write("EFCREC.TBL", testkit::EfcrecFile({Tariff("ABCD0001", 100),
                                                  Tariff("WXYZ0001", 200)}));
    table_.set_directory(dir_.path());
  }

  // The groups left after determination, or the error.
  Result<std::vector<std::int16_t>> Groups(const std::vector<TdxException>& records,
                                           std::uint8_t* list = nullptr) {
    if (!records.empty()) dir_.Write("TDX.TBL", testkit::TdxFile(records));
    EXPECT_EQ(kOk, data_.Load(dir_.path()));
    table_.Clear();
    EXPECT_EQ(kOk, table_.Load());
    DeterminationRequest request;
    request.origin_zip = "15213 ";
    request.destination_zip = "43215 ";
    request.ship_date = {20, 24, 6, 15};
    ListRequest list_request;
    list_request.candidate_list = list;
    list_request.list_mode = 'F';
    DeterminationContext context{data_, dir_.path(), table_, current_, &list_request};
    DeterminationState state;
    ErrorNumber error = DetermineTariff(1, request, context, &state);
    if (error != kOk) return Result<std::vector<std::int16_t>>::Error(error);
    return state.a;
  }

  testkit::TempDir dir_;
  TdDataSet data_;
  EffectiveTable table_;
  CurrentTariff current_;
};

TdxException Record(int group, int okey, int dkey, int other, int ook = 0, int dok = 0,
                    char omark = ' ', char dmark = ' ', int link = 1) {
  return {1, 99, group, okey, link, dkey, ook, dok, omark, dmark, other};
}

TEST_F(ExceptionStepTest, WithoutExceptionsTwoNamesGoToTheCaller) {
  EXPECT_EQ(kErrCandidateListWrite, Groups({}).error());
  std::vector<std::uint8_t> list(16 + 24 * 4, 0);
  list[0] = 24 * 4;
  EXPECT_EQ(kErrTariffListBuilt, Groups({}, list.data()).error());
  EXPECT_EQ(2, list[4]);
  EXPECT_EQ("ABCD0001240101", std::string(list.begin() + 16, list.begin() + 30));
  EXPECT_EQ("WXYZ0001240101", std::string(list.begin() + 40, list.begin() + 54));
}

TEST_F(ExceptionStepTest, BlankMarksAndZeroOrderKeysApplyWhateverTheOrderBytes) {
  auto groups = Groups({Record(100, 0, 0, 200)});
  ASSERT_TRUE(groups.ok());
  EXPECT_EQ((std::vector<std::int16_t>{0, 200}), *groups);
  EXPECT_EQ("WXYZ0001", TextOf(current_.tariff_name));
}

TEST_F(ExceptionStepTest, OrderKeysAndAreaKeysMustFitThePoints) {
  auto fits = Groups({Record(100, 1, 2, 200, 4, 7)});
  ASSERT_TRUE(fits.ok());
  EXPECT_EQ((std::vector<std::int16_t>{0, 200}), *fits);
  EXPECT_EQ(kErrCandidateListWrite, Groups({Record(100, 1, 0, 200, 5)}).error());
  EXPECT_EQ(kErrCandidateListWrite, Groups({Record(100, 0, 3, 200)}).error());
  EXPECT_EQ(kErrCandidateListWrite, Groups({Record(100, 0, 0, 300)}).error());
}

TEST_F(ExceptionStepTest, OriginMarkTurnsTheOriginSideOffOnlyOnItsOrderByte) {
  // Under an origin "=", a continuation whose origin order key is the origin's order byte
  // turns the origin side off; an origin order key of 0 does not.
  auto off = Groups({Record(100, 0, 0, 200, 0, 0, '=', ' '), Record(100, 0, 0, 200, 4, 0, '=', ' ')});
  EXPECT_EQ(kErrCandidateListWrite, off.error());
  auto on = Groups({Record(100, 0, 0, 200, 0, 0, '=', ' '), Record(100, 0, 0, 200, 0, 0, '=', ' ')});
  ASSERT_TRUE(on.ok());
  EXPECT_EQ((std::vector<std::int16_t>{0, 200}), *on);
}

TEST_F(ExceptionStepTest, WalksOf99And98) {
  auto by99 = Groups({Record(200, 99, 99, 100)});
  ASSERT_TRUE(by99.ok());
  EXPECT_EQ((std::vector<std::int16_t>{100, 0}), *by99);
  auto by98 = Groups({Record(200, 98, 98, 0)});
  ASSERT_TRUE(by98.ok());
  EXPECT_EQ((std::vector<std::int16_t>{100, 0}), *by98);
  // Group 100 goes in the keyed walk, so its 99 record cannot take group 200 away too.
  auto removed = Groups({Record(100, 0, 0, 200), Record(100, 99, 99, 0)});
  ASSERT_TRUE(removed.ok());
  EXPECT_EQ((std::vector<std::int16_t>{0, 200}), *removed);
}

TEST_F(ExceptionStepTest, TheCityChoiceFollowsTheKeyedWalksAndPrecedesThe98Walks) {
  testkit::TdnFiles names =
      testkit::TdnFilesFor({{"15213", 100, 1, 99, "ASHBY"}, {"15213", 200, 1, 99, "BRAMLEY"}});
  dir_.Write("TDN.IDX", names.index);
  dir_.Write("TDN.IDA", names.names);
  std::vector<std::uint8_t> list(16 + 3 * 20, 0);
  list[0] = 3 * 20;
  EXPECT_EQ(kErrCityListBuilt, Groups({}, list.data()).error());
  EXPECT_EQ("15213", std::string(list.begin() + 10, list.begin() + 15));
  // A keyed walk leaves one group: nothing to choose.
  auto keyed = Groups({Record(100, 0, 0, 200)});
  ASSERT_TRUE(keyed.ok());
  EXPECT_EQ((std::vector<std::int16_t>{0, 200}), *keyed);
  // Only the 98 walk would leave one group, but the choice comes first.
  EXPECT_EQ(kErrCityListBuilt, Groups({Record(200, 98, 98, 0)}, list.data()).error());
}

}  // namespace
}  // namespace tolv
