// The ".Z", ".C" and ".H" look-ups over records built byte by byte and by the writers.
#include "tolv32dll/ziptables/zip_pair.h"

#include <gtest/gtest.h>

#include "testkit/rates/rate_files.h"
#include "testkit/ziptables/memory_zip_table_files.h"
#include "testkit/ziptables/zip_table_writers.h"
#include "tolv32dll/ziptables/rbno_addon.h"
#include "tolv32dll/ziptables/zip_rating.h"

namespace tolv {
namespace {

RateRecord Rate(const std::string& number) {
  return RateRecord(testkit::RateRecord({1, number, {}}, 52));
}

TEST(ZipPairTest, HandBuiltRecordIsFoundAndItsChargesRead) {
  // 'F', origin 15000-15999, destination 30000-30999, basis "      "-"999999", method 3,
  // 2 brackets, mode '*', charges 7500 and 9000.
  std::vector<std::uint8_t> r = {'F',  0x01, 0x50, 0x00, 0x01, 0x59, 0x99, 0x03, 0x00, 0x00,
                                 0x03, 0x09, 0x99, ' ',  ' ',  ' ',  ' ',  ' ',  ' ',  '9',
                                 '9',  '9',  '9',  '9',  '9',  3,    2,    '*',  0x4C, 0x1D,
                                 0x00, 0x28, 0x23, 0x00, 0,    0,    0,    0,    0,    0};
  ASSERT_EQ(40u, r.size());
  testkit::MemoryZipTableFiles files;
  files.Set(".Z", r);
  Result<std::optional<ZipPairRecord>> found = FindZipPair(files, "15213", "30301", Rate("  1234 "));
  ASSERT_TRUE(found.ok());
  ASSERT_TRUE(found->has_value());
  ZipPairCharges charges = ZipPairChargesOf(**found);
  EXPECT_EQ(3, charges.method);
  EXPECT_EQ(2, charges.bracket_count);
  EXPECT_EQ('*', charges.mode);
  EXPECT_EQ(7500, charges.values[0]);
  EXPECT_EQ(9000, charges.values[1]);
  // The forward record does not serve the other direction, nor a ZIP outside it.
  EXPECT_FALSE(FindZipPair(files, "30301", "15213", Rate("  1234 "))->has_value());
  EXPECT_FALSE(FindZipPair(files, "16000", "30301", Rate("  1234 "))->has_value());
}

TEST(ZipPairTest, BothWaysPairStoredLowerRangeFirst) {
  testkit::ZipPairRow both;
  both.direction = 'B';
  both.origin_low = "10000";
  both.origin_high = "10999";
  both.destination_low = "60000";
  both.destination_high = "60999";
  both.basis_low = "001000";
  both.basis_high = "001999";
  both.minimum_method = 4;
  testkit::MemoryZipTableFiles files;
  files.Set(".Z", testkit::ZipPairFile({both}));
  // Found on the second search with the two codes swapped; both directions.
  EXPECT_EQ(4, ZipPairChargesOf(**FindZipPair(files, "60500", "10500", Rate(" 001500"))).method);
  EXPECT_TRUE(FindZipPair(files, "10500", "60500", Rate(" 001500"))->has_value());
  // The rate basis must lie in its range.
  EXPECT_FALSE(FindZipPair(files, "60500", "10500", Rate(" 002500"))->has_value());
}

TEST(ZipPairTest, MissingShortAndUnpackableInputsFindNothing) {
  testkit::MemoryZipTableFiles files;
  Result<std::optional<ZipPairRecord>> missing = FindZipPair(files, "15213", "30301", Rate("  1 "));
  ASSERT_FALSE(missing.ok());
  EXPECT_EQ(kErrZrmopn, missing.error());
  files.Set(".Z", std::vector<std::uint8_t>(39, 'F'));  // shorter than one record
  EXPECT_FALSE(FindZipPair(files, "15213", "30301", Rate("  1 "))->has_value());
  files.Set(".Z", testkit::ZipPairFile({{}}));
  EXPECT_FALSE(FindZipPair(files, " 1521", "30301", Rate("  1 "))->has_value());
}

TEST(ClassFactorRangeTest, OriginFirstThenDestination) {
  testkit::MemoryZipTableFiles files;
  ClassFactorRanges none;
  EXPECT_EQ(kErrCfacopn, FindClassFactorRange(files, "1", "2", none).error());
  // Hand-built: 20000-29999 with break factor 0x1234, then by the writer 50000-59999.
  std::vector<std::uint8_t> bytes = {0x02, 0x00, 0x00, 0x02, 0x99, 0x99, ' ', ' ', ' ', 0x34, 0x12};
  std::vector<std::uint8_t> second = testkit::ClassRangeFile({{"50000", "59999", 7000}});
  bytes.insert(bytes.end(), second.begin(), second.end());
  files.Set(".C", bytes);
  ClassFactorRanges ranges;
  EXPECT_EQ(1, *FindClassFactorRange(files, "55000", "25000", ranges));  // origin wins
  EXPECT_EQ(0, *FindClassFactorRange(files, "90000", "25000", ranges));  // destination
  EXPECT_EQ(2u, ranges.ranges.size());
  EXPECT_EQ(0x1234, ranges.BreakFactor(0));
  EXPECT_EQ(7000, ranges.BreakFactor(1));
  EXPECT_EQ(0, ranges.BreakFactor(5));
  EXPECT_EQ(-1, *FindClassFactorRange(files, "90000", "91000", ranges));
}

TEST(RbnoAddonTest, ForwardAndReverseAmountsBySign) {
  // Hand-built: letter 'B', origin 15200-15299, destination 30000-30999, '+', 00150.
  std::vector<std::uint8_t> forward = {'B',  0x01, 0x52, 0x00, 0x99, 0x03, 0x00, 0x00,
                                       0x03, 0x09, 0x99, '+',  0x00, 0x01, 0x50};
  std::vector<std::uint8_t> rows = testkit::RbnoFile({{'B', "30000", "30099", "15000", "15999", '-', "00040"},
                                                      {'C', "15200", "15299", "30000", "30999", ' ', "00900"}});
  forward.insert(forward.end(), rows.begin(), rows.end());
  testkit::MemoryZipTableFiles files;
  files.Set(".H", forward);
  Result<RbnoAddons> b = SumRbnoAddons(files, 'B', "15213", "30050");
  ASSERT_TRUE(b.ok());
  EXPECT_TRUE(b->forward.has_value());
  EXPECT_TRUE(b->reverse.has_value());
  EXPECT_EQ(150 - 40, b->sum);
  // The origin's high end is 15299: 15300 is outside.
  EXPECT_EQ(-40, SumRbnoAddons(files, 'B', "15300", "30050")->sum);
  // A blank sign adds nothing.
  EXPECT_EQ(0, SumRbnoAddons(files, 'C', "15213", "30050")->sum);
  files = testkit::MemoryZipTableFiles();
  EXPECT_EQ(kErrTrbopn, SumRbnoAddons(files, 'B', "15213", "30050").error());
}

}  // namespace
}  // namespace tolv
