// The record forms of the lane file (kinds C, U and G), the pair applier and the log
// records, on files built by hand or by the testkit writers.
#include <gtest/gtest.h>

#include "testkit/lanes/lane_files.h"
#include "tolv32dll/errors/error_numbers.h"
#include "tolv32dll/lanes/adj_records.h"
#include "tolv32dll/lanes/area_lanes.h"
#include "tolv32dll/lanes/global_lanes.h"
#include "tolv32dll/lanes/lane_apply.h"
#include "tolv32dll/lanes/lane_log.h"
#include "tolv32dll/lanes/zip_lanes.h"

namespace tolv {
namespace {

using Bytes = std::vector<std::uint8_t>;

Bytes Text(const std::string& s) { return Bytes(s.begin(), s.end()); }

TEST(AreaLanesTest, RangeCodesFromAHandBuiltRecord) {
  // 23 bytes at byte 23 (after one record of filler): "1500025000".."1500025999", "345".
  Bytes file(23, 0);
  const Bytes range = Text("15000250001500025999345");
  file.insert(file.end(), range.begin(), range.end());
  MemoryFile lanes(file);
  const std::vector<std::string> origin{"A12", "   ", "C56"}, destination{"B34"};
  // Codes alternate origin, destination; a blank code is skipped.
  EXPECT_EQ((std::vector<std::string>{"A12000", "A12345", "B34000", "B34345", "C56000", "C56345"}),
            LaneAdj_FindRangeCodes(lanes, 23, "1500025500", origin, destination, 6));
  // No range holds the key, or a range without a code: the "000" pairs alone.
  EXPECT_EQ((std::vector<std::string>{"A12000", "B34000"}),
            LaneAdj_FindRangeCodes(lanes, 23, "1500026000", origin, destination, 2));
  file[46 - 3] = 0;
  EXPECT_EQ((std::vector<std::string>{"A12000", "B34000"}),
            LaneAdj_FindRangeCodes(MemoryFile(file), 23, "1500025500", origin, destination, 2));
}

TEST(AreaLanesTest, AreasOfBothEndsAndDamagedHeads) {
  const Bytes file = testkit::LaneAreaFile(
      {{"15000", 1, "A12"}, {"15000", 11, "X99"}, {"15000", 2, "A13"}, {"25000", 1, "B34"}},
      {{"1500025000", "1500025999", "345"}});
  // Head by hand: 4 area records, range records at 46 (the first multiple of 23 after 35).
  EXPECT_EQ((Bytes{4, 0, 46, 0, 0, 0, 0}), Bytes(file.begin(), file.begin() + 7));
  LaneState state;
  ASSERT_EQ(kOk, LoadLanesByArea(MemoryFile(file), "15000", "25000", state));
  // An area index above 10 is not taken.
  EXPECT_EQ((std::vector<std::string>{"A12", "A13"}), state.origin_areas);
  EXPECT_EQ((std::vector<std::string>{"B34"}), state.destination_areas);
  EXPECT_EQ((std::vector<std::string>{"A12000", "A12345", "B34000", "B34345", "A13000", "A13345"}),
            state.area_pairs);
  // A ZIP without area records gives no areas; a head that does not fit the file is 232.
  ASSERT_EQ(kOk, LoadLanesByArea(MemoryFile(file), "35000", "45000", state));
  EXPECT_TRUE(state.area_pairs.empty());
  for (std::size_t n : {0, 6, 20}) {
    EXPECT_EQ(kErrBadlal, LoadLanesByArea(MemoryFile(Bytes(file.begin(), file.begin() + n)),
                                          "15000", "25000", state));
  }
  Bytes misaligned = file;
  misaligned[2] = 45;
  EXPECT_EQ(kErrBadlal, LoadLanesByArea(MemoryFile(misaligned), "15000", "25000", state));
}

TEST(PairApplyTest, FactorsByDateAndAmounts) {
  // 2,000,000 x 1.0505: the older rule takes the factor to three places (1.050).
  EXPECT_EQ(2100000, ApplyPairFactor(2000000, 10505, 200107));
  EXPECT_EQ(2101000, ApplyPairFactor(2000000, 10505, 200108));
  EXPECT_EQ(3151500, ApplyPairFactor(3000000, 10505, 199901));  // above 2,500,000: newer rule
  // Pairs pack as digits before 1999 and as codes from 1999.
  EXPECT_EQ((std::array<std::uint8_t, 3>{0x12, 0x30, 0x00}), PackAreaPair("123000", 1998));
  EXPECT_EQ((std::array<std::uint8_t, 3>{0x0F, 0x72, 0x79}), PackAreaPair("A12345", 2024));

  LaneState state;
  state.area_pairs = {"A12000", "A12345"};
  const MemoryFile a(testkit::Concat(
      {testkit::AdjByPairRecord(PackAreaPair("A12000", 2024), '1', "10", 11000, {10500, 20000}),
       testkit::AdjByPairRecord(PackAreaPair("A12345", 2024), '2', "02", -300, {0, 150})}));
  ChargeResult result;
  const std::int32_t cells[4] = {2000, 1600, 4000, 0};
  for (std::size_t k = 0; k < 4; ++k) result.matrix.cells[k] = cells[k];
  result.brackets.Set(0, kOrdinaryBracket, 0, 9500);
  result.brackets.count = 1;
  LaneAdj_ApplyByPair(a, {2024, 202401}, state, result, 2, 2);
  // Break 0 x 1.05; break 1 + 1.50 (a cell of 0 stays 0); the minimum x 1.10, while a
  // minimum value that is not positive is not applied.
  EXPECT_EQ(2100, result.matrix.cells[0]);
  EXPECT_EQ(1750, result.matrix.cells[1]);
  EXPECT_EQ(4200, result.matrix.cells[2]);
  EXPECT_EQ(0, result.matrix.cells[3]);
  EXPECT_EQ(10450, result.brackets.charges[0]);
}

class ZipLanesTest : public ::testing::Test {
 protected:
  static testkit::ZipLaneRow Lane(const char* o_low, const char* o_high, const char* d_low,
                                  const char* d_high, const std::string& data,
                                  std::uint8_t slot = 0) {
    testkit::ZipLaneRow row;
    row.origin_low = o_low, row.origin_high = o_high;
    row.destination_low = d_low, row.destination_high = d_high;
    row.data = data, row.slot = slot;
    return row;
  }
  ErrorNumber Load() {
    state_ = LaneState();
    return LoadZipLanes(MemoryFile(testkit::ZipLaneFile(rows_)), terms_, options_, state_);
  }
  std::vector<std::string> Codes() const {
    std::vector<std::string> codes;
    for (const CodeHit& h : state_.code_hits) codes.push_back(h.code);
    return codes;
  }
  testkit::ZipLaneFileRows rows_;
  ZipLaneTerms terms_{"15000", "25000", 3, 7, "0012345", 2024};
  FactorOptions options_;
  LaneState state_;
};

TEST_F(ZipLanesTest, LaneRecordsSlotsAndSections) {
  rows_.option_lines = {"* BRKS = 000* 999*"};
  rows_.lanes = {Lane("10000", "19999", "20000", "29999", "300"),
                 Lane("20000", "29999", "10000", "19999", "200"),  // reversed, one way only
                 Lane("10000", "19999", "30000", "39999", "900"),
                 Lane("20000", "29999", "10000", "19999", "100", 5)};
  rows_.lanes.back().both_ways = true;
  testkit::ZipLaneRow next;
  next.next = testkit::ZipLanePosition(rows_, 6);
  rows_.lanes.push_back(next);
  testkit::ZipLaneRow end;
  end.end = true;
  rows_.lanes.push_back(end);
  // The section continued at record 6, which leads back to itself: read once.
  rows_.lanes.push_back(Lane("15000", "15000", "25000", "25000", "050"));
  testkit::ZipLaneRow loop;
  loop.next = testkit::ZipLanePosition(rows_, 6);
  rows_.lanes.push_back(loop);
  ASSERT_EQ(kOk, Load());
  // Slot 5 leaves holes that the lists skip.
  EXPECT_EQ((std::vector<std::string>{"300", "100", "050"}), Codes());
  EXPECT_EQ(2, options_.brks.count);
  rows_.sort = true;
  ASSERT_EQ(kOk, Load());
  EXPECT_EQ((std::vector<std::string>{"050", "100", "300"}), Codes());
}

TEST_F(ZipLanesTest, SubKindsCheckAndPoints) {
  // Sub-kind 3: 2-byte record numbers for the operator records; lanes by point numbers.
  rows_.sub_kind = 3;
  rows_.postal_codes = false;
  rows_.lanes = {Lane("00001", "00005", "00007", "00007", std::string("\x0C\x00", 2)),
                 Lane("00003", "00003", "00006", "00009", std::string("\x1E\x00", 2))};
  ASSERT_EQ(kOk, Load());
  ASSERT_EQ(2u, state_.number_hits.size());
  EXPECT_EQ(12, state_.number_hits[0].number);
  EXPECT_EQ(30, state_.number_hits[1].number);
  EXPECT_EQ(3, state_.sub_kind);
  // The secondary check keeps a hit only with its check record ("I": only without).
  rows_.check = 'Y';
  rows_.check_keys = {CheckRecordKey("0012345", std::string("\x1E\x00", 2))};
  EXPECT_EQ(std::string("6") + "0012345" + "       " + "........" + std::string("\x1E\x00", 2),
            rows_.check_keys[0]);
  ASSERT_EQ(kOk, Load());
  ASSERT_EQ(1u, state_.number_hits.size());
  EXPECT_EQ(30, state_.number_hits[0].number);
  rows_.check_char = 'I';
  ASSERT_EQ(kOk, Load());
  ASSERT_EQ(1u, state_.number_hits.size());
  EXPECT_EQ(12, state_.number_hits[0].number);
  // Sub-kind 2: packed area pairs.
  rows_ = {};
  rows_.sub_kind = 2;
  const auto pair = PackAreaPair("A12345", 2024);
  rows_.lanes = {Lane("10000", "19999", "20000", "29999", std::string(pair.begin(), pair.end()))};
  ASSERT_EQ(kOk, Load());
  EXPECT_EQ((std::vector<std::string>{"A12345"}), state_.area_pairs);
}

TEST_F(ZipLanesTest, DamagedFilesAre232) {
  rows_.lanes = {Lane("10000", "19999", "20000", "29999", "300")};
  const Bytes good = testkit::ZipLaneFile(rows_);
  for (std::size_t n = 0; n < good.size(); ++n) {
    state_ = LaneState();
    const ErrorNumber e =
        LoadZipLanes(MemoryFile(Bytes(good.begin(), good.begin() + n)), terms_, options_, state_);
    EXPECT_EQ(n < 54 ? kErrBadlal : kOk, e) << n;
  }
  rows_.record_length = 25;  // too short for a 3-character hit
  EXPECT_EQ(kErrBadlal, Load());
  rows_.record_length = 32;
  rows_.option_lines = {"*", "*", "*"};
  EXPECT_EQ(kErrBadlal, Load());
}

class GlobalLanesTest : public ::testing::Test {
 protected:
  void SetUp() override {
    // E records 0-3: byte 0 names the record, byte 7 its key.
    for (std::uint8_t n = 0; n < 4; ++n) {
      Bytes e(660, 0);
      e[0] = static_cast<std::uint8_t>(10 + n);
      e[7] = static_cast<std::uint8_t>(n % 2 ? '2' : '1');
      adjustments_.insert(adjustments_.end(), e.begin(), e.end());
    }
    rows_.numbered_blocks = {{}, {"00001", "QQ"}, {"00002"}};
    rows_.keyed_blocks = {{"K1A", {"00002"}}};
    rows_.pairs = {{"00001", "00002", 3}, {"00001", "00002", 1}, {"QQ   ", "00002", 2}};
  }
  std::vector<std::uint8_t> Heads() const {
    std::vector<std::uint8_t> heads;
    for (const auto& e : state_.e_records) heads.push_back(e[0]);
    return heads;
  }
  ErrorNumber Load(const FileView* u, const FileView* v) {
    state_ = LaneState();
    return LaneAdj_LoadGlobal(MemoryFile(testkit::GlobalLaneFile(rows_)), u, v,
                              MemoryFile(adjustments_), terms_, state_);
  }
  testkit::GlobalLaneFileRows rows_;
  Bytes adjustments_;
  GlobalLaneTerms terms_{"15000", "25000", "0012345"};
  MemoryFile u_{testkit::LaneBaseFile({{"10000", "19999", "00001"}, {"20000", "29999", "00002"}})};
  MemoryFile v_{testkit::LaneBaseFile({{"20000", "29999", "00002"}})};
  LaneState state_;
};

TEST_F(GlobalLanesTest, AreasBlocksAndPairsNameERecords) {
  ASSERT_EQ(kOk, Load(&u_, &v_));
  // Origin area 00001 -> codes 00001, QQ; destination 00002 -> 00002.
  EXPECT_EQ((std::vector<std::uint8_t>{13, 11, 12}), Heads());
  EXPECT_EQ((std::vector<std::int64_t>{3 * 660, 660, 2 * 660}), state_.e_positions);
  // ".U" serves both ends without ".V"; sorted by the records' first bytes.
  rows_.sort = true;
  ASSERT_EQ(kOk, Load(&u_, nullptr));
  EXPECT_EQ((std::vector<std::uint8_t>{11, 12, 13}), Heads());
  EXPECT_EQ(kErrGblLaOrgBase, Load(nullptr, &v_));
  // A ZIP in no base: no E records.
  terms_.destination_zip = "35000";
  ASSERT_EQ(kOk, Load(&u_, &v_));
  EXPECT_TRUE(state_.e_records.empty());
  // Keyed by the codes themselves: a postal code through the keyed blocks.
  rows_.by_areas = false;
  terms_ = {"00001", "K1A", "0012345"};
  ASSERT_EQ(kOk, Load(nullptr, nullptr));
  EXPECT_EQ((std::vector<std::uint8_t>{11, 12, 13}), Heads());
}

TEST_F(GlobalLanesTest, SecondaryCheckAndDamage) {
  rows_.check = 'Y';
  rows_.check_keys = {CheckRecordKey("0012345", "00001")};
  ASSERT_EQ(kOk, Load(&u_, &v_));
  EXPECT_EQ((std::vector<std::uint8_t>{11}), Heads());
  rows_.invert = 'I';
  ASSERT_EQ(kOk, Load(&u_, &v_));
  EXPECT_EQ((std::vector<std::uint8_t>{13, 12}), Heads());
  // A pair naming a record past ".A" is skipped; a block length of 0 is a damaged head.
  rows_.check = 'N';
  rows_.pairs.push_back({"QQ   ", "00002", 99});
  ASSERT_EQ(kOk, Load(&u_, &v_));
  EXPECT_EQ(3u, state_.e_records.size());
  rows_.block_codes = 0;
  EXPECT_EQ(kErrBadlal, Load(&u_, &v_));
  // Heads that ask for more than the file holds: a block longer than the file (with no
  // keyed table to misalign), tables past its end.
  namespace H = global_lane_head;
  rows_.block_codes = 4;
  const Bytes good = testkit::GlobalLaneFile(rows_);
  struct Patch {
    std::size_t at;
    std::int32_t value;
  };
  for (const std::vector<Patch>& patches :
       {std::vector<Patch>{{H::kBlockLength.offset, 2147483645},
                           {H::kKeyedTable.offset, 0},
                           {H::kKeyedCount.offset, 0}},
        std::vector<Patch>{{H::kAreaTable.offset, static_cast<std::int32_t>(good.size()) + 1}},
        std::vector<Patch>{{H::kKeyedCount.offset, 1000}},
        std::vector<Patch>{{H::kPairCount.offset, 1000}}}) {
    Bytes bad = good;
    for (const Patch& p : patches) os::StoreI32Le(bad.data() + p.at, p.value);
    EXPECT_EQ(kErrBadlal, LaneAdj_LoadGlobal(MemoryFile(bad), &u_, &v_, MemoryFile(adjustments_),
                                             terms_, state_))
        << patches[0].at;
  }
}

TEST(LaneLogTest, HitListsAndRowsByHand) {
  LaneState state;
  state.code_hits = {{"100", 'L', 347}};
  state.number_hits = {{'T', 300, 700}};
  state.e_records = {Bytes{1, 2, 3, 4, 5, '1', '2', '1', 9, 9}};
  state.e_positions = {1320};
  const auto a = CodeHitsLog(state.code_hits);
  const auto b = NumberHitsLog(state.number_hits);
  EXPECT_EQ((Bytes{'1', '0', '0', 0x5B, 0x01, 0, 0, 0}), Bytes(a.begin(), a.begin() + 8));
  EXPECT_EQ((Bytes{'T', 0x2C, 0x01, 0xBC, 0x02, 0, 0, 0}), Bytes(b.begin(), b.begin() + 8));
  EXPECT_EQ(105u, a.size());
  const auto rows = LaneAdjRowsLog(state);
  EXPECT_EQ((Bytes{1, 2, 3, 4, 5, '1', '2', '1', 0x28, 0x05, 0, 0, 0, 0}),
            Bytes(rows.begin(), rows.begin() + 14));
}

TEST(PointSectionsTest, BothEndsInTheirSections) {
  const MemoryFile a(
      testkit::Concat({testkit::AdjByCodeRecord("400", 0, {}),
                       testkit::PointSectionRecord("999", {"0100001999", "1000019999"}),
                       testkit::PointSectionRecord("***", {"2000029999"})}));
  EXPECT_TRUE(PointSectionsHold(a, "15000", "25000"));
  EXPECT_FALSE(PointSectionsHold(a, "25000", "15000"));
  EXPECT_FALSE(
      PointSectionsHold(MemoryFile(testkit::AdjByCodeRecord("999", 0, {})), "15000", "25000"));
}

}  // namespace
}  // namespace tolv
