#include "tolv32dll/ratebasis/rate_file.h"

#include <random>

#include <gtest/gtest.h>

#include "testkit/points/memory_rating_files.h"
#include "testkit/points/point_files.h"
#include "testkit/rates/rate_files.h"

namespace tolv {
namespace {

constexpr std::size_t kLength = 526;

class RateFileTest : public ::testing::Test {
 protected:
  RateFileTest() { points_.Reset("15000", "ASHFORD", "25000", "BRINDLE"); }
  ErrorNumber Read(std::int64_t number) {
    return ReadRateRecord(files_, tariff_, number, kLength, points_, request_, state_);
  }
  testkit::MemoryRatingFiles files_;
  CurrentTariff tariff_;
  PointState points_;
  ListRequest request_;
  RateBasisState state_;
};

TEST_F(RateFileTest, IndexEntriesOfEveryForm) {
  files_.Set(".I", testkit::RateIndex16({5, std::nullopt, 65534}));
  EXPECT_EQ(5, *FetchRateIndex(files_, tariff_, 0, 0));
  EXPECT_EQ(kErrBadcmb, FetchRateIndex(files_, tariff_, 0, 1).error());
  EXPECT_EQ(65534, *FetchRateIndex(files_, tariff_, 0, 2));
  EXPECT_EQ(kErrBadcmb, FetchRateIndex(files_, tariff_, 0, 3).error()) << "past the end";

  tariff_.index_format = 'P';
  files_.Set(".I", testkit::RateIndex24({0x123456, std::nullopt}));
  EXPECT_EQ(0x123456, *FetchRateIndex(files_, tariff_, 0, 0));
  EXPECT_EQ(kErrBadcmb, FetchRateIndex(files_, tariff_, 0, 1).error());

  // 10-bit fields: entry 5 starts at bit 50, byte 6, two bits in. 17 is 01 10 there.
  tariff_.index_format = ' ';
  files_.Set(".I", {0, 0, 0, 0, 0, 0, 0x01, 0x10, 0x00, 0x00});
  EXPECT_EQ(17, *FetchRateIndex(files_, tariff_, 10, 5));
  // The last field of a file needs only the bytes it covers.
  files_.Set(".I", {0, 0, 0, 0, 0, 0, 0x01, 0x10});
  EXPECT_EQ(17, *FetchRateIndex(files_, tariff_, 10, 5));
  files_.Set(".I", {0, 0, 0, 0, 0, 0, 0x01});
  EXPECT_EQ(kErrBadcmb, FetchRateIndex(files_, tariff_, 10, 5).error());

  testkit::MemoryRatingFiles none;
  EXPECT_EQ(kErrIdxopn, FetchRateIndex(none, tariff_, 0, 0).error());
}

TEST_F(RateFileTest, PackedIndexMatchesAModel) {
  std::mt19937 random(7);
  for (int bits : {8, 10, 11, 13}) {
    testkit::IndexEntries entries;
    for (int i = 0; i < 300; ++i) {
      std::uint32_t v = random() % (1u << bits);
      entries.push_back(v == (1u << bits) - 1 ? std::nullopt : std::optional<std::uint32_t>(v));
    }
    files_.Set(".I", testkit::RateIndexBits(entries, bits));
    for (int i = 0; i < 300; ++i) {
      Result<std::int32_t> got = FetchRateIndex(files_, tariff_, bits, i);
      if (entries[i]) {
        ASSERT_EQ(static_cast<std::int32_t>(*entries[i]), *got) << bits << " bits, entry " << i;
      } else {
        ASSERT_EQ(kErrBadcmb, got.error());
      }
    }
  }
}

TEST_F(RateFileTest, RecordsAndTheirArea) {
  files_.Set(".R", testkit::RateFile({{1, "  1234 ", {1}}, {1, "  1240 ", {2}}, {1, "  1241 ", {3}},
                                      {1, "  1236A", {4}}},
                                     kLength));
  ASSERT_EQ(kOk, Read(1));
  EXPECT_EQ(2, state_.record.Value(0)) << "no areas without the companion file";
  EXPECT_EQ(kErrRtered, Read(4));
  testkit::MemoryRatingFiles none;
  EXPECT_EQ(kErrRteopn, ReadRateRecord(none, tariff_, 0, kLength, points_, request_, state_));

  // Area 1234 lies in 1000-2000 of factor set 001; increments 3 (origin) and 4
  // (destination) under area 2000 make 1241.
  files_.Set(".H", testkit::AreaCompanionFile({{2, 0, 9999, 9999}, {1, 1000, 2000, 1500}}, {}));
  files_.Set(".O", testkit::AreaIncrementFile({{"15000", 2000, 'F', 3},
                                               {"15000", 2000, 'T', 50},
                                               {"25000", 2000, 'T', 4},
                                               {"25000", 2000, 'F', 60}}));
  ASSERT_EQ(kOk, Read(0));
  EXPECT_EQ(2, state_.record_number);
  EXPECT_EQ(3, state_.record.Value(0));

  // The limit caps the area at 1236; reading forward stops at 1240, which is not it.
  files_.Set(".H", testkit::AreaCompanionFile({{1, 1000, 2000, 1236}}, {}));
  EXPECT_EQ(kErrRtered, Read(0));

  // City values of the sequential records join when the sum is still below the limit.
  files_.Set(".H", testkit::AreaCompanionFile({{1, 1000, 2000, 1500}},
                                              {{"15000", 2000, 'F', 3, "ASHFORD"},
                                               {"25000", 2000, 'B', 2, "BRINDLE"}}));
  files_.Set(".O", testkit::AreaIncrementFile({{"15000", 2000, 'F', 6}}));
  files_.Set(".R", testkit::RateFile({{1, "  1234 ", {1}}, {1, "  1240 ", {2}}, {1, "  1245 ", {3}}},
                                     kLength));
  ASSERT_EQ(kOk, Read(0));
  EXPECT_EQ(3, state_.record.Value(0));
  // Outside the line's range: no area, the record stands.
  files_.Set(".H", testkit::AreaCompanionFile({{1, 1235, 2000, 1500}}, {}));
  ASSERT_EQ(kOk, Read(0));
  EXPECT_EQ(1, state_.record.Value(0));
}

TEST_F(RateFileTest, MinimumBlock) {
  EXPECT_EQ(kErrMinopn, ReadMinimumBlock(files_, state_));
  files_.Set(".M", testkit::Bytes(383, 1));
  EXPECT_EQ(kErrMinred, ReadMinimumBlock(files_, state_));
  files_.Set(".M", testkit::MinBlock({7, 8}));
  ASSERT_EQ(kOk, ReadMinimumBlock(files_, state_));
  EXPECT_EQ(8, state_.minimum_block[3]);

  // Cleared for the next shipment, the state is a new one's: nothing read carries over.
  const std::vector<std::uint8_t> record = testkit::RateRecord({1, " 00123B", {}}, 40);
  state_.record.Assign(record);
  state_.record_number = 4;
  state_.record_length = record.size();
  state_.rate_basis_number = 7;
  state_.rate_index = 3;
  state_.printed_number = "00123B";
  state_.lane_adjustment_records = {1, 2, 3};
  state_.Clear();
  const RateBasisState fresh;
  EXPECT_EQ(fresh.rate_basis_number, state_.rate_basis_number);
  EXPECT_EQ(fresh.rate_index, state_.rate_index);
  EXPECT_TRUE(state_.record.empty());
  EXPECT_EQ(fresh.record_number, state_.record_number);
  EXPECT_EQ(fresh.record_length, state_.record_length);
  EXPECT_EQ(fresh.printed_number, state_.printed_number);
  EXPECT_EQ(fresh.minimum_block, state_.minimum_block);
  EXPECT_EQ(fresh.minimum_block_read, state_.minimum_block_read);
  EXPECT_EQ(fresh.lane_adjustment_records, state_.lane_adjustment_records);
}

TEST_F(RateFileTest, PrintedNumbers) {
  RateRecord r(testkit::RateRecord({802, " 01234B", {}}, 40));
  EXPECT_EQ("01234B", CompactRateBasisNumber(r, '0'));
  EXPECT_EQ("01234", CompactRateBasisNumber(r, 'F'));
  EXPECT_EQ("21234", CodedRateBasisNumber(r));
  EXPECT_EQ("41234", CodedRateBasisNumber(RateRecord(testkit::RateRecord({1, " 01234", {}}, 40))));
}

TEST_F(RateFileTest, SteppedRateBasis) {
  files_.Set(".R", testkit::RateFile({{1, " 00120A", {1}}, {1, " 00121A", {2}}, {7, " 00123B", {3}},
                                      {1, " 00125A", {4}}},
                                     40));
  ASSERT_EQ(kOk, ReadRateRecord(files_, tariff_, 0, 40, points_, request_, state_));
  state_.printed_number = CompactRateBasisNumber(state_.record, '0');
  RateBasisTerms terms;
  terms.step_increment = 3;
  int reloaded = 0;
  terms.reload_factor_set = [&](int set) {
    reloaded = set;
    return kOk;
  };
  ASSERT_EQ(kOk, SeekSteppedRateNumber(files_, terms, 40, state_));
  EXPECT_EQ("00123B", state_.printed_number);
  EXPECT_EQ(3, state_.record.Value(0));
  EXPECT_EQ(7, reloaded);
  terms.step_increment = 1;
  EXPECT_EQ(kErrRtered, SeekSteppedRateNumber(files_, terms, 40, state_)) << "no record 124";
}

}  // namespace
}  // namespace tolv
