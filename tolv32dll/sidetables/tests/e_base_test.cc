#include "tolv32dll/sidetables/e_base.h"

#include <gtest/gtest.h>

#include "testkit/points/memory_rating_files.h"
#include "testkit/points/point_files.h"
#include "testkit/sidetables/side_table_files.h"

namespace tolv {
namespace {

class EBaseTest : public ::testing::Test {
 protected:
  EBaseTest() {
    files_.Set(".Q(E base)", testkit::EBaseFile({{"15000", "15099", "A01"},
                                                 {"15100", "15199", "A02"},
                                                 {"25000", "25050", "B07"}}));
    files_.Set(".J(E matrix)", testkit::EMatrixFile({{"A01", "B07", 42}, {"A02", "B07", 43}}));
    sink_.read_record = [this](std::int32_t number) -> std::optional<std::vector<std::uint8_t>> {
      read_ = number;
      return record_;
    };
    sink_.add_hit = [this](std::int32_t n) { hits_.push_back(n); };
    sink_.add_e_record = [this](std::int32_t n) { e_records_.push_back(n); };
  }
  // A 350-byte record: i16 numbers from byte 8.
  void Numbers(const std::vector<std::int16_t>& numbers) {
    record_.assign(350, 0);
    for (std::size_t i = 0; i < numbers.size(); ++i) os::StoreI16Le(record_.data() + 8 + 2 * i, numbers[i]);
  }
  testkit::MemoryRatingFiles files_;
  EBaseSink sink_;
  std::vector<std::uint8_t> record_;
  std::int32_t read_ = -1;
  std::vector<std::int32_t> hits_;
  std::vector<std::int32_t> e_records_;
};

TEST_F(EBaseTest, OldRuleTakesPlainNumbersUpToTheFirstZero) {
  Numbers({5, 10012, 7, 0, 9});
  ASSERT_EQ(kOk, SearchEBase(files_, {"15000", "25010", 1998}, false, sink_));
  EXPECT_EQ(42, read_);
  EXPECT_EQ((std::vector<std::int32_t>{5, 12, 7}), hits_) << "no precedence record: p = 1";
  // With a precedence record the numbers above 10000 stay out.
  files_.Set(".X", testkit::PrecedenceFile({{"15000", "25010", '0', 40, 49}}));
  hits_.clear();
  ASSERT_EQ(kOk, SearchEBase(files_, {"15000", "25010", 1998}, false, sink_));
  EXPECT_EQ((std::vector<std::int32_t>{5, 7}), hits_);
}

TEST_F(EBaseTest, FlagDigitsChooseTheLinksOfLaterTariffs) {
  // First number 3; then 1 to 10000 always; above 10000 by flag digit.
  Numbers({3, 10001, 10002, 8, 10004, 0, 0, 0});
  files_.Set(".X", testkit::PrecedenceFile({{"15150", "25000", 'A', 1000, 0}}));
  ASSERT_EQ(kOk, SearchEBase(files_, {"15150", "25000", 2003}, false, sink_));
  EXPECT_EQ(43, read_);
  // Flags "10000000": link 0 is off, links 1 and 3 on.
  EXPECT_EQ((std::vector<std::int32_t>{3, 2, 8, 4}), hits_);
}

TEST_F(EBaseTest, ERecordLinks) {
  record_.assign(660, 0);
  os::StoreI32Le(record_.data() + 44, 900);
  os::StoreI32Le(record_.data() + 48, 10050);
  os::StoreI32Le(record_.data() + 52, 9000);  // not above 10000: not a link
  ASSERT_EQ(kOk, SearchEBase(files_, {"15000", "25000", 2003}, true, sink_));
  EXPECT_EQ((std::vector<std::int32_t>{900, 50}), e_records_);
  EXPECT_TRUE(hits_.empty());
}

TEST_F(EBaseTest, LanesOutsideTheBaseAndMissingFiles) {
  Numbers({5});
  ASSERT_EQ(kOk, SearchEBase(files_, {"15000", "25051", 2003}, false, sink_));
  EXPECT_EQ(-1, read_) << "25051 is past the range's high end";
  ASSERT_EQ(kOk, SearchEBase(files_, {"K1A0B1", "25000", 2003}, false, sink_));
  files_.Set(".J(E matrix)", testkit::EMatrixFile({{"A01", "B07", 42}}, "B "));
  ASSERT_EQ(kOk, SearchEBase(files_, {"15000", "25000", 2003}, false, sink_));
  EXPECT_EQ(-1, read_) << "only a first section \"A \" is searched";
  EXPECT_TRUE(hits_.empty());
  testkit::MemoryRatingFiles none;
  EXPECT_EQ(kErrPbasopn, SearchEBase(none, {"15000", "25000", 2003}, false, sink_));
  none.Set(".Q(E base)", {});
  EXPECT_EQ(kErrPmatopn, SearchEBase(none, {"15000", "25000", 2003}, false, sink_));
}

TEST_F(EBaseTest, HandBuiltBaseRecord) {
  // 'A', blank, 15000 packed, high tail 99, area "A01".
  testkit::Bytes base{'A', ' ', 1, 0, 0, 0, ' ', ' ', 2, 0, 0, 0};  // head: "A " 1, "  " 2
  testkit::Bytes record{'A', ' ', 0x01, 0x50, 0x00, 0x99, 'A', '0', '1', ' ', ' ', ' '};
  base.insert(base.end(), record.begin(), record.end());
  files_.Set(".Q(E base)", base);
  files_.Set(".J(E matrix)", testkit::EMatrixFile({{"A01", "A01", 61}}));
  Numbers({9});
  ASSERT_EQ(kOk, SearchEBase(files_, {"15099", "15000", 2003}, false, sink_));
  EXPECT_EQ(61, read_);
  EXPECT_EQ((std::vector<std::int32_t>{9}), hits_);
}

}  // namespace
}  // namespace tolv
