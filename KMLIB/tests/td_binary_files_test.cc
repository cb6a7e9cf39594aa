#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <random>

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
  // Only ASCII letters change, whatever the locale: Turkish upper-cases no 'i' to 'I', and
  // a Latin-1 locale would upper-case the byte 0xE9.
  const std::uint8_t dotted[3] = {'i', 'i', 'i'};
  EXPECT_EQ("IiI", UnpackZip(dotted));
  const std::uint8_t latin[3] = {0xE9, '1', 0xE9};
  EXPECT_EQ((std::string{'\xE9', '1', '\xE9'}), UnpackZip(latin));
  EXPECT_EQ((Bytes{0x01, 0x52, 0x13}), testkit::PackZip("15213"));
}

TEST(PackedZipTest, CodesInARangeOfPackedEnds) {
  struct Case {
    const char* code;
    bool inside;
  };
  // 15000-15999 with the low end first, as TD records store it, and high end first.
  const Bytes low = {0x01, 0x50, 0x00};
  const Bytes high = {0x01, 0x59, 0x99};
  for (const Case& c : {Case{"15000 ", true}, Case{"15999", true}, Case{"15500-1234", true},
                        Case{"16000 ", false}, Case{"14999", false}, Case{"1521  ", false},
                        Case{"1500A", false}, Case{"K1A0B1", false}, Case{"", false}}) {
    EXPECT_EQ(c.inside, CodeInPackedRange(c.code, low, high)) << c.code;
    EXPECT_EQ(c.inside, CodeInPackedRange(c.code, high, low)) << c.code << " high end first";
  }
  // Postal prefixes compare on three characters, their letters upper-cased as ASCII only.
  const Bytes postal_low = {'K', '0', 'A'};
  const Bytes postal_high = {'K', '9', 'Z'};
  for (const Case& c :
       {Case{"k1a0b1", true}, Case{"K5M 2X9", true}, Case{"k9z", true}, Case{"KKA0B1", false},
        Case{"L1A0B1", false}, Case{"J9Z", false}, Case{"k1\xE9", false}, Case{"K1", false}}) {
    EXPECT_EQ(c.inside, CodeInPackedRange(c.code, postal_low, postal_high)) << c.code;
  }
  const Bytes dotted = {'I', '1', 'I'};
  EXPECT_TRUE(CodeInPackedRange("i1i", dotted, dotted));
  // A five-digit key against ends held as text: the shorter end sorts below its prefix.
  const Bytes text_end = {'1', '5', '0'};
  EXPECT_TRUE(CodeInPackedRange("15000", text_end, high));
  EXPECT_FALSE(CodeInPackedRange("14999", text_end, high));
}

// Digits against ends packed as digits are compared without unpacking; the answer must be
// the one the unpacked texts give, also for ends whose nibbles are not digits.
TEST(PackedZipTest, PackedDigitsCompareAsTheirTexts) {
  std::mt19937 random(30);
  auto packed_end = [&] {
    return Bytes{static_cast<std::uint8_t>(random() % 10), static_cast<std::uint8_t>(random()),
                 static_cast<std::uint8_t>(random())};
  };
  for (int round = 0; round < 2000; ++round) {
    const Bytes one = packed_end();
    const Bytes other = packed_end();
    std::string code = std::to_string(10000 + random() % 90000);
    if (round % 3 == 0 && IsFiveDigitZip(UnpackZip(one))) code = UnpackZip(one);  // an end
    const std::string a = UnpackZip(one);
    const std::string b = UnpackZip(other);
    const bool inside = std::min(a, b) <= code && code <= std::max(a, b);
    ASSERT_EQ(inside, CodeInPackedRange(code, one, other)) << code << " " << a << " " << b;
  }
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

// The compare of a code with a record as text: strncmp with the unpacked ends.
int TextCompare(const std::string& code, std::uint8_t version, const TdzRecord& r) {
  auto strncmp_text = [](const std::string& a, const std::string& b, std::size_t n) {
    for (std::size_t i = 0; i < n; ++i) {
      unsigned char x = i < a.size() ? static_cast<unsigned char>(a[i]) : 0;
      unsigned char y = i < b.size() ? static_cast<unsigned char>(b[i]) : 0;
      if (x != y) return x < y ? -1 : 1;
      if (x == 0) return 0;
    }
    return 0;
  };
  std::size_t width = !code.empty() && std::isalpha(static_cast<unsigned char>(code[0])) ? 3 : 5;
  std::array<std::uint8_t, 3> low = r.low_zip();
  std::array<std::uint8_t, 3> high = r.high_zip();
  if (strncmp_text(code, UnpackZip(low), width) < 0) return -1;
  if (strncmp_text(code, UnpackZip(high), width) > 0) return 1;
  if (version < r.first_version()) return -1;
  return version >= r.end_version() ? 1 : 0;
}

TEST(TdzTest, CompareAgreesWithTextCompareOfTheUnpackedEnds) {
  std::mt19937 random(7);
  const std::string alphabet = std::string("0123456789 kKzZ:", 16) + std::string(1, '\0');
  auto pick = [&](std::size_t n) { return static_cast<std::size_t>(random() % n); };
  for (int round = 0; round < 20000; ++round) {
    std::string code(pick(7), ' ');
    for (char& c : code)
      c = pick(4) == 0 ? alphabet[pick(alphabet.size())] : "0123456789"[pick(10)];
    TdzRecord r;
    for (std::uint8_t& b : r.bytes) b = static_cast<std::uint8_t>(random());
    for (std::size_t end : {tdz_record::kLowZip.offset, tdz_record::kHighZip.offset}) {
      if (pick(3) != 0) r.bytes[end] = static_cast<std::uint8_t>(pick(10));  // mostly digits
      bool five_digits = code.size() >= 5 && std::all_of(code.begin(), code.begin() + 5, ::isdigit);
      if (five_digits && pick(3) == 0) {  // an end equal to the code
        Bytes packed = testkit::PackZip(code.substr(0, 5));
        std::copy(packed.begin(), packed.end(), r.bytes.begin() + static_cast<long>(end));
      }
    }
    std::uint8_t version = static_cast<std::uint8_t>(random());
    ASSERT_EQ(TextCompare(code, version, r), CompareZipWithRecord(code, version, r))
        << "code \"" << code << "\" round " << round;
  }
}

TEST(TdtTest, FindsByAreaAndSubAreaWithGroupCountWideRecords) {
  // N = 2: area 2, sub-area 0, values 5 and -1, after area 1's record.
  const Bytes bytes = {0x01, 0x00, 0x00, 0x00, 0x01, 0x00, 0x01, 0x00,
                       0x02, 0x00, 0x00, 0x00, 0x05, 0x00, 0xFF, 0xFF};
  testkit::TempDir dir;
  dir.Write("TDT.BIN", bytes);
  TdtRecord r;
  ASSERT_EQ(TdStatus::kOk, FindAreaValues(dir.File("TDT.BIN"), 2, 0, 2, &r));
  EXPECT_EQ(5, r.values[0]);
  EXPECT_EQ(-1, r.values[1]);
  EXPECT_EQ(0, r.values[2]);
  EXPECT_EQ(TdStatus::kNotFound, FindAreaValues(dir.File("TDT.BIN"), 2, 1, 2, &r));
  EXPECT_EQ(TdStatus::kBadData, FindAreaValues(dir.File("TDT.BIN"), 2, 0, 51, &r));
}

std::vector<std::string>* noted_paths = nullptr;
void NotePath(const std::string& path) { noted_paths->push_back(path); }

TEST(TdRecordFilesTest, FilesKeptOpenNameThemselvesAtEveryLookUp) {
  testkit::TempDir dir;
  dir.Write("TDZ.BIN", testkit::TdzFile({{"15000", "15999", 1, 99, 1, 0, 0}}));
  dir.Write("TDT.BIN", testkit::TdtFile({{1, 0, {7}}}));
  std::vector<std::string> noted;
  noted_paths = &noted;
  SetOpenedFileHook(NotePath);
  std::optional<ZipRangeFile> zips = ZipRangeFile::Open(dir.File("TDZ.BIN"));
  std::optional<AreaValuesFile> areas;
  ASSERT_TRUE(zips.has_value());
  EXPECT_TRUE(noted.empty());  // opening alone names nothing
  ASSERT_EQ(TdStatus::kOk, AreaValuesFile::Open(dir.File("TDT.BIN"), 1, &areas));
  TdzRecord zip;
  TdtRecord values;
  EXPECT_EQ(TdStatus::kOk, zips->Find("15213 ", 1, &zip));
  EXPECT_EQ(TdStatus::kOk, areas->Find(1, 0, &values));
  EXPECT_EQ(TdStatus::kNotFound, zips->Find("16000 ", 1, &zip));
  EXPECT_EQ(TdStatus::kNotFound, areas->Find(2, 0, &values));
  EXPECT_EQ(TdStatus::kBadData, AreaValuesFile::Open(dir.File("TDT.BIN"), 51, &areas));
  EXPECT_EQ(TdStatus::kCannotOpen, AreaValuesFile::Open(dir.File("NONE.BIN"), 1, &areas));
  EXPECT_FALSE(ZipRangeFile::Open(dir.File("NONE.BIN")).has_value());
  SetOpenedFileHook(nullptr);
  EXPECT_EQ((std::vector<std::string>{dir.File("TDZ.BIN"), dir.File("TDT.BIN"), dir.File("TDZ.BIN"),
                                      dir.File("TDT.BIN")}),
            noted);
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
  std::optional<ExceptionFile> file = ExceptionFile::Open(dir.File("TDX.TBL"));
  ASSERT_TRUE(file.has_value());
  ASSERT_TRUE(file->Find(100, 0, 0, 5));
  EXPECT_EQ(2, file->record().link);
  ASSERT_TRUE(file->Next());
  EXPECT_EQ(3, file->record().link);  // outside its versions, still taken by stepping
  ASSERT_TRUE(file->Find(100, 99, 99, 5));
  EXPECT_EQ(4, file->record().link);
  EXPECT_FALSE(file->Next());
  EXPECT_FALSE(file->Find(101, 0, 0, 5));
  EXPECT_FALSE(ExceptionFile::Open(dir.File("NONE.TBL")).has_value());
}

// "name/code" for each name read.
std::vector<std::string> Listed(const std::vector<TdnName>& names) {
  std::vector<std::string> out;
  for (const TdnName& n : names) out.push_back(n.name + "/" + std::to_string(n.code));
  return out;
}

TEST(TdnTest, WriterLaysOutTheRecordsByteByByte) {
  // ZIP 15213 packed, name code 100, versions 1 to 9, the name at offset 0 of TDN.IDA.
  testkit::TdnFiles files =
      testkit::TdnFilesFor({{"15213", 100, 1, 9, "ELM"}, {"K1A", -2, 0, 255, "OAK"}});
  EXPECT_EQ((Bytes{0x01, 0x52, 0x13, 0x64, 0x00, 0x01, 0x09, 0x00, 0x00, 0x00, 0x00,  //
                   'K', '1', 'A', 0xFE, 0xFF, 0x00, 0xFF, 0x14, 0x00, 0x00, 0x00}),
            files.index);
  // A length byte, then the name padded to 19 characters.
  const std::string names =
      "\x03" "ELM" + std::string(16, ' ') + "\x03" "OAK" + std::string(16, ' ');
  EXPECT_EQ(Bytes(names.begin(), names.end()), files.names);
}

TEST(TdnTest, NamesInFileOrderUntilTheVersionsStopHolding) {
  testkit::TempDir dir;
  testkit::TdnFiles files = testkit::TdnFilesFor({
      {"15213", 100, 1, 6, "ELM CREEK"},
      {"15213", 100, 1, 6, "AB"},  // too short to keep
      {"15213", 100, 1, 6, "BIRCH HOLLOW"},
      {"15213", 100, 7, 9, "LATE MILL"},  // versions no longer hold 5: the scan stops
      {"15213", 100, 1, 9, "AFTER LATE"},
      {"15213", 200, 1, 9, "OAK RIDGE"},
      {"15214", 300, 1, 9, "NEXT ZIP"},
  });
  dir.Write("TDN.IDX", files.index);
  dir.Write("TDN.IDA", files.names);
  const std::string idx = dir.File("TDN.IDX"), ida = dir.File("TDN.IDA");
  EXPECT_EQ((std::vector<std::string>{"ELM CREEK/100", "BIRCH HOLLOW/100", "OAK RIDGE/200"}),
            Listed(ReadExceptionNames(idx, ida, "15213 ", {100, 200, 0}, 5, 66)));
  EXPECT_EQ(1u, ReadExceptionNames(idx, ida, "15213 ", {100, 200}, 5, 1).size());
  EXPECT_EQ((std::vector<std::string>{"NEXT ZIP/300"}),
            Listed(ReadExceptionNames(idx, ida, "15214", {300}, 5, 66)));
  EXPECT_TRUE(ReadExceptionNames(idx, dir.File("NONE.IDA"), "15213 ", {100}, 5, 66).empty());
  EXPECT_TRUE(ReadExceptionNames(dir.File("NONE.IDX"), ida, "15213 ", {100}, 5, 66).empty());
  EXPECT_TRUE(ReadExceptionNames(idx, ida, " 15213", {100}, 5, 66).empty());
}

TEST(TdnTest, TheSearchExcludesTheEndVersionAndTheScanIncludesIt) {
  testkit::TempDir dir;
  testkit::TdnFiles files = testkit::TdnFilesFor({
      {"15213", 100, 1, 9, "OTHER CODE"},
      {"15213", 200, 1, 9, "FOUND"},
      {"15213", 200, 1, 5, "ENDS AT 5"},
  });
  dir.Write("TDN.IDX", files.index);
  dir.Write("TDN.IDA", files.names);
  const std::string idx = dir.File("TDN.IDX"), ida = dir.File("TDN.IDA");
  EXPECT_EQ((std::vector<std::string>{"FOUND/200", "ENDS AT 5/200"}),
            Listed(ReadExceptionNames(idx, ida, "15213 ", {200}, 5, 66)));
  EXPECT_TRUE(ReadExceptionNames(idx, ida, "15213 ", {200}, 9, 66).empty());
}

TEST(TdnTest, PostalCodesCompareOnTheirFirstThreeCharacters) {
  testkit::TempDir dir;
  testkit::TdnFiles files = testkit::TdnFilesFor({{"K1A", 100, 1, 9, "LOWER TOWN"}});
  dir.Write("TDN.IDX", files.index);
  dir.Write("TDN.IDA", files.names);
  EXPECT_EQ(
      (std::vector<std::string>{"LOWER TOWN/100"}),
      Listed(ReadExceptionNames(dir.File("TDN.IDX"), dir.File("TDN.IDA"), "k1a0b1", {100}, 5, 66)));
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
  std::vector<TdnName> got = ReadExceptionNames(dir.File("TDN.IDX"), dir.File("TDN.IDA"),
                                                "15213 ", {100, 200}, 1, 66);
  ASSERT_EQ(1u, got.size());
  EXPECT_EQ(std::string(19, 'Z'), got[0].name);
  EXPECT_EQ(200, got[0].code);
}

}  // namespace
}  // namespace kmlib
