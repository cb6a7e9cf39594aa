// Package records and rows read from bytes built by hand.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tolv32dll/package/package_options.h"
#include "tolv32dll/package/package_rate_record.h"
#include "tolv32dll/package/package_text.h"

namespace tolv {
namespace {

TEST(PackageRateRecord, EntriesAreThreeByteLittleEndianFromByteTen) {
  std::vector<std::uint8_t> bytes(19, ' ');
  bytes[8] = '7';
  // Entry 0 = 0x123456, entry 1 = 0xFFFFFE (-2 in its low 16 bits), entry 2 = 0x008000.
  const std::uint8_t entries[] = {0x56, 0x34, 0x12, 0xFE, 0xFF, 0xFF, 0x00, 0x80, 0x00};
  std::copy(std::begin(entries), std::end(entries), bytes.begin() + 10);
  PackageRateRecord r(bytes);
  EXPECT_EQ(r.entry_count(), 3);
  EXPECT_EQ(*r.Entry(0), 0x123456);
  EXPECT_EQ(*r.Entry(1), 0xFFFFFE);
  EXPECT_EQ(*r.Entry16(1), -2);
  EXPECT_EQ(*r.Entry16(2), -32768);
  EXPECT_EQ(r.ZoneByte(), '7');
  EXPECT_EQ(r.Entry(3).error(), kErrRtered);
  EXPECT_EQ(r.Entry(-1).error(), kErrRtered);
  EXPECT_EQ(PackageRateRecord().Entry16(0).error(), kErrRtered);
  EXPECT_EQ(PackageRateRecord().ZoneByte(), ' ');
}

TEST(PackageText, FieldsAndWeights) {
  std::string out(10, '#');
  auto* p = reinterpret_cast<std::uint8_t*>(out.data());
  StoreFormatted(p, os::TextField(1, 7), "%07lld", 12345678);
  EXPECT_EQ(out, "#1234567##");  // the first 7 characters
  StoreFormatted(p, os::TextField(1, 7), "%07lld", -50);
  EXPECT_EQ(out, "#-000050##");
  StoreStatus(p, os::TextField(0, 4), 394);
  EXPECT_EQ(out.substr(0, 4), "0394");
  StoreStatus(p, os::TextField(0, 4), kOk);
  EXPECT_EQ(out.substr(0, 4), "    ");
  EXPECT_EQ(WholePounds(12.2), 13);
  EXPECT_EQ(WholePounds(12.0), 12);
  EXPECT_EQ(WholePounds(0.5), 1);
}

// An info response: "13", status, count, then 34-byte rows.
std::vector<std::uint8_t> InfoResponse(const std::string& count,
                                       const std::vector<std::string>& rows) {
  std::string text = "13    " + count;
  for (const std::string& row : rows) text += (row + std::string(34, ' ')).substr(0, 34);
  text.resize(1062, '\0');
  return std::vector<std::uint8_t>(text.begin(), text.end());
}

TEST(PackageOptionRows, EachCodeNeedsARowOfItsType) {
  const std::vector<std::string> rows = {"1OUR",
                                         "1ELT",
                                         "2DPS",
                                         "3   "
                                         "159",
                                         "2OUR",
                                         "9DPS"};
  auto check = [&](const char* packaging, const char* dropoff, char tier,
                   const std::string& count = "06") {
    return CheckOptionRows(InfoResponse(count, rows), PackageOptions{packaging, dropoff, tier});
  };
  EXPECT_EQ(check("OUR", "DPS", '5'), kOk);
  EXPECT_EQ(check("ELT", "DPS", 'N'), kOk);
  EXPECT_EQ(check("DPS", "DPS", '1'), kErrInvpkc);  // a drop-off row offers no packaging
  EXPECT_EQ(check("OUR", "OUR", '1'), kOk);
  EXPECT_EQ(check("OUR", "ELT", '1'), kErrInvdpc);
  EXPECT_EQ(check("OUR", "DPS", '2'), kErrInvtier);
  EXPECT_EQ(check("OUR", "DPS", ' '), kOk) << "a blank tier matches the list's blanks";
  EXPECT_EQ(check("OUR", "DPS", '1', "02"), kErrInvdpc) << "rows past the count are not read";
  EXPECT_EQ(check("OUR", "DPS", '1', std::string(2, '\0')), kErrInvpkc);
  EXPECT_EQ(check("OUR", "DPS", '1', "00"), kErrInvpkc);
}

}  // namespace
}  // namespace tolv
