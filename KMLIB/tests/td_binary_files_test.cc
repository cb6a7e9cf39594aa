#include <gtest/gtest.h>

#include "KMLIB/packed_zip.h"
#include "KMLIB/tdn_files.h"
#include "KMLIB/tdt_file.h"
#include "KMLIB/tdx_file.h"
#include "KMLIB/tdz_file.h"
#include "testkit/td/td_writers.h"
#include "testkit/temp_dir.h"

namespace kmlib {
namespace {

using testkit::Bytes;

TEST(PackedZipTest, DigitsAndPostalPrefixes) {
  const std::uint8_t digits[3] = {0x01, 0x23, 0x45};
  EXPECT_EQ("12345", UnpackZip(digits));
  const std::uint8_t postal[3] = {'K', '1', 'a'};
  EXPECT_EQ("K1A", UnpackZip(postal));
  EXPECT_EQ((Bytes{0x01, 0x52, 0x13}), testkit::PackZip("15213"));
}

TEST(TdzTest, FindsHandBuiltRangeAndItsFields) {
  // 15000-15999, versions 1 to 99 (end excluded), area 1, sub-area 0x0102, order 7.
  const Bytes record = {0x01, 0x50, 0x00, 0x01, 0x59, 0x99, 0x01, 0x63, 0x01, 0x02, 0x01, 0x07};
  testkit::TempDir dir;
  dir.Write("TDZ.BIN", record);
  TdzRecord found;
  ASSERT_EQ(TdStatus::kOk, FindZip(dir.File("TDZ.BIN"), "15213 ", 1, &found));
  EXPECT_EQ(1, found.area());
  EXPECT_EQ(0x0102, found.sub_area());
  EXPECT_EQ(7, found.order());
  EXPECT_EQ(TdStatus::kNotFound, FindZip(dir.File("TDZ.BIN"), "16000 ", 1, &found));
  EXPECT_EQ(TdStatus::kNotFound, FindZip(dir.File("TDZ.BIN"), "15213 ", 99, &found));
  EXPECT_EQ(TdStatus::kCannotOpen, FindZip(dir.File("NONE.BIN"), "15213 ", 1, &found));
}

TEST(TdzTest, PicksTheRangeOfTheVersionInForce) {
  testkit::TempDir dir;
  dir.Write("TDZ.BIN", testkit::TdzFile({{"10000", "14999", 1, 99, 4, 0, 0},
                                         {"15000", "15999", 1, 3, 1, 0, 0},
                                         {"15000", "15999", 3, 99, 2, 0, 0},
                                         {"K0A", "K9Z", 1, 99, 9, 0, 0}}));
  TdzRecord found;
  ASSERT_EQ(TdStatus::kOk, FindZip(dir.File("TDZ.BIN"), "15213 ", 2, &found));
  EXPECT_EQ(1, found.area());
  ASSERT_EQ(TdStatus::kOk, FindZip(dir.File("TDZ.BIN"), "15213 ", 3, &found));
  EXPECT_EQ(2, found.area());
  ASSERT_EQ(TdStatus::kOk, FindZip(dir.File("TDZ.BIN"), "K1A0B1", 1, &found));
  EXPECT_EQ(9, found.area());
}

TEST(TdtTest, FindsByAreaAndSubAreaWithGroupCountWideRecords) {
  // N = 2: area 2, sub-area 0, values 5 and -1, after area 1's record.
  const Bytes bytes = {0x01, 0x00, 0x00, 0x00, 0x01, 0x00, 0x01, 0x00,
                       0x02, 0x00, 0x00, 0x00, 0x05, 0x00, 0xFF, 0xFF};
  testkit::TempDir dir;
  dir.Write("TDT.BIN", bytes);
  TdtRecord r;
  ASSERT_EQ(TdStatus::kOk, FindAreaValues(dir.File("TDT.BIN"), 2, 0, 2, &r));
  EXPECT_EQ((std::vector<std::int16_t>{5, -1}), r.values);
  EXPECT_EQ(TdStatus::kNotFound, FindAreaValues(dir.File("TDT.BIN"), 2, 1, 2, &r));
  EXPECT_EQ(TdStatus::kBadData, FindAreaValues(dir.File("TDT.BIN"), 2, 0, 51, &r));
}

TEST(TdxTest, HandBuiltRecordDecodesFieldByField) {
  const Bytes bytes = {0x01, 0x63, 0x64, 0x00, 0x03, 0x00, 0x07, 0x00, 0x04, 0x00,
                       0x02, 0x00, 0x05, 0x00, 0x3D, 0x00, 0x20, 0x00, 0xC8, 0x00};
  TdxRecord r = DecodeTdxRecord(bytes);
  EXPECT_EQ(1, r.first_version);
  EXPECT_EQ(99, r.end_version);
  EXPECT_EQ(100, r.group_result);
  EXPECT_EQ(3, r.origin_key);
  EXPECT_EQ(7, r.link);
  EXPECT_EQ(4, r.destination_key);
  EXPECT_EQ(2, r.origin_order_key);
  EXPECT_EQ(5, r.destination_order_key);
  EXPECT_EQ('=', r.origin_mark);
  EXPECT_EQ(' ', r.destination_mark);
  EXPECT_EQ(200, r.other_group_result);
}

TEST(TdxTest, FindTestsVersionsAndNextSteppingDoesNot) {
  testkit::TempDir dir;
  dir.Write("TDX.TBL", testkit::TdxFile({
                           {1, 2, 100, 0, 1, 0, 0, 0, ' ', ' ', 200},
                           {2, 99, 100, 0, 2, 0, 0, 0, ' ', ' ', 300},
                           {50, 60, 100, 0, 3, 0, 0, 0, '=', ' ', 300},
                           {1, 99, 100, 99, 4, 99, 0, 0, ' ', ' ', 0},
                       }));
  std::unique_ptr<ExceptionFile> file = ExceptionFile::Open(dir.File("TDX.TBL"));
  ASSERT_NE(nullptr, file);
  ASSERT_TRUE(file->Find(100, 0, 0, 5));
  EXPECT_EQ(2, file->record().link);
  ASSERT_TRUE(file->Next());
  EXPECT_EQ(3, file->record().link);  // outside its versions, still taken by stepping
  ASSERT_TRUE(file->Find(100, 99, 99, 5));
  EXPECT_EQ(4, file->record().link);
  EXPECT_FALSE(file->Next());
  EXPECT_FALSE(file->Find(101, 0, 0, 5));
  EXPECT_EQ(nullptr, ExceptionFile::Open(dir.File("NONE.TBL")));
}

TEST(TdnTest, NamesInFileOrderUntilTheVersionsStopHolding) {
  testkit::TempDir dir;
  testkit::TdnFiles files = testkit::TdnFilesFor({
      {"15213", 100, 1, 6, "ELM CREEK"},
      {"15213", 100, 1, 6, "AB"},  // too short to keep
      {"15213", 100, 1, 6, "BIRCH HOLLOW"},
      {"15213", 100, 7, 9, "LATE MILL"},  // versions no longer hold 5: the scan stops
      {"15213", 200, 1, 9, "OAK RIDGE"},
  });
  dir.Write("TDN.IDX", files.index);
  dir.Write("TDN.IDA", files.names);
  std::vector<std::string> names = ReadExceptionNames(
      dir.File("TDN.IDX"), dir.File("TDN.IDA"), "15213 ", {100, 200}, 5, 66);
  EXPECT_EQ((std::vector<std::string>{"ELM CREEK", "BIRCH HOLLOW", "OAK RIDGE"}), names);
  EXPECT_EQ(1u, ReadExceptionNames(dir.File("TDN.IDX"), dir.File("TDN.IDA"), "15213 ",
                                   {100, 200}, 5, 1)
                    .size());
  EXPECT_TRUE(ReadExceptionNames(dir.File("TDN.IDX"), dir.File("NONE.IDA"), "15213 ", {100}, 5,
                                 66)
                  .empty());
}

TEST(TdnTest, OffsetOutsideTheNameFileEndsTheListWithoutOverrun) {
  // One index record whose offset points past the end of a 20-byte name file, and one
  // whose length byte claims more than 19 characters.
  Bytes index = {0x01, 0x52, 0x13, 0x64, 0x00, 0x01, 0x09, 0xE8, 0x03, 0x00, 0x00};
  Bytes names = {0xFF};
  std::string long_name(30, 'Z');
  names.insert(names.end(), long_name.begin(), long_name.end());
  Bytes index2 = {0x01, 0x52, 0x13, 0xC8, 0x00, 0x01, 0x09, 0x00, 0x00, 0x00, 0x00};
  index.insert(index.end(), index2.begin(), index2.end());
  testkit::TempDir dir;
  dir.Write("TDN.IDX", index);
  dir.Write("TDN.IDA", names);
  std::vector<std::string> got = ReadExceptionNames(dir.File("TDN.IDX"), dir.File("TDN.IDA"),
                                                    "15213 ", {100, 200}, 1, 66);
  ASSERT_EQ(1u, got.size());
  EXPECT_EQ(std::string(19, 'Z'), got[0]);
}

}  // namespace
}  // namespace kmlib
