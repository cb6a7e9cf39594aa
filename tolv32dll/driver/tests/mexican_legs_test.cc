// The border crossing of a Mexican lane and the sum of its two legs.
#include "tolv32dll/driver/mexican_legs.h"

#include <gtest/gtest.h>

#include <cstring>

namespace tolv {
namespace {

// One 37-byte record laid out column by column.
std::vector<std::uint8_t> Crossing(const char* other_low, const char* other_high,
                                   const char* mexican_low, const char* mexican_high,
                                   const char* crossing) {
  std::vector<std::uint8_t> r(37, ' ');
  std::memcpy(&r[0], other_low, 5);
  std::memcpy(&r[6], other_high, 5);
  std::memcpy(&r[12], mexican_low, 5);
  std::memcpy(&r[18], mexican_high, 5);
  std::memcpy(&r[24], crossing, 5);
  r[35] = '\r';
  r[36] = '\n';
  return r;
}

TEST(MexicanLegsTest, MexicanPoints) {
  EXPECT_TRUE(IsMexicanZip("44100M"));
  EXPECT_TRUE(IsMexicanZip("44100m"));
  EXPECT_FALSE(IsMexicanZip("K1A0BM")) << "a postal code is never Mexican";
  EXPECT_FALSE(IsMexicanZip("44100 "));
  EXPECT_FALSE(IsMexicanZip("4410M"));
}

TEST(MexicanLegsTest, FirstRecordHoldingBothPoints) {
  std::vector<std::uint8_t> bytes = Crossing("20000", "29999", "40000", "49999", "78500");
  std::vector<std::uint8_t> second = Crossing("10000", "19999", "40000", "44999", "78040");
  std::vector<std::uint8_t> third = Crossing("10000", "19999", "40000", "49999", "79999");
  bytes.insert(bytes.end(), second.begin(), second.end());
  bytes.insert(bytes.end(), third.begin(), third.end());
  MemoryFile file(bytes);
  EXPECT_EQ("78040", *FindBorderCrossing(file, "15000 ", "44100M"));
  EXPECT_EQ("78040", *FindBorderCrossing(file, "10000", "44999M")) << "ranges include both ends";
  EXPECT_EQ("79999", *FindBorderCrossing(file, "19999", "45000M"));
  EXPECT_EQ("78500", *FindBorderCrossing(file, "25000", "40000M"));
  EXPECT_EQ(kErrMxbcp, FindBorderCrossing(file, "35000", "44100M").error());
  EXPECT_EQ(kErrMxbcp, FindBorderCrossing(file, "15000", "50000M").error());

  // A record cut short is not read.
  bytes.resize(37 + 20);
  MemoryFile cut(bytes);
  EXPECT_EQ(kErrMxbcp, FindBorderCrossing(cut, "15000", "44100M").error());
  EXPECT_EQ(kErrMxbcp, FindBorderCrossing(MemoryFile{}, "15000", "44100M").error());
}

TEST(MexicanLegsTest, LegsAddUp) {
  ChargeResult first;
  first.matrix.cells[0] = 1600;
  first.matrix.cells[1] = 1200;
  first.brackets.Set(0, kOrdinaryBracket, 0, 5000);
  first.brackets.count = 1;
  ChargeResult second;
  second.matrix.cells[0] = 800;
  second.matrix.cells[2] = 0;
  second.brackets.Set(0, kOrdinaryBracket, 100, 3000);
  second.brackets.Set(1, kSingleShipmentBracket, 0, 2000);
  second.brackets.count = 2;
  second.brackets.method = 2;

  Result<ChargeResult> both = CombineLegs(first, second);
  ASSERT_TRUE(both.ok());
  EXPECT_EQ(2400, both->matrix.cells[0]);
  EXPECT_EQ(ChargeResult::kUnpriced, both->matrix.cells[1]) << "unpriced by the second leg";
  EXPECT_EQ(ChargeResult::kUnpriced, both->matrix.cells[2]) << "unpriced by the first leg";
  EXPECT_EQ(8000, both->brackets.charges[0]);
  EXPECT_EQ(7000, both->brackets.charges[1]);
  EXPECT_EQ(kSingleShipmentBracket, both->brackets.kinds[1]);
  EXPECT_EQ(100, both->brackets.weights[0]);
  EXPECT_EQ(0, both->brackets.charges[2]) << "unused brackets stay empty";
  EXPECT_EQ(2, both->brackets.count);
  EXPECT_EQ(2, both->brackets.method);

  first.brackets.count = 2;
  EXPECT_EQ(kErrMxmin, CombineLegs(first, second).error());
}

}  // namespace
}  // namespace tolv
