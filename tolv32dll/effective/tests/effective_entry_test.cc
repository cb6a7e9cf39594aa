#include "tolv32dll/effective/effective_entry.h"

#include <gtest/gtest.h>

#include "testkit/effective/efcrec_writer.h"
#include "tolv32dll/effective/effective_listing.h"

namespace tolv {
namespace {

std::vector<std::uint8_t> Bytes(const std::string& s) { return {s.begin(), s.end()}; }

TEST(EffectiveEntryTest, HandBuiltLineGivesItsFields) {
  // Column by column: letter B, number 123, date 20240315, default file 07, point type E,
  // alternate blank, lane kind blank, lane file 00, name ABCD0001, six file numbers,
  // version "4.18 ", 44 blank, mode 'S', digit blank, jurisdiction 'C', kind 'X', 19
  // blanks, 68-70 blank, companion code 00, add-on mode N, CR LF.
  std::string line = "B12320240315";
  line += "07E  00ABCD0001";
  line += "010203040506";
  line += "4.18  S CX";
  line += std::string(19, ' ');
  line += "   00N\r\n";
  ASSERT_EQ(76u, line.size());
  EffectiveEntry e = ParseEffectiveEntry(Bytes(line), 4);
  EXPECT_EQ(4, e.record_index);
  EXPECT_EQ(123, e.tariff_number);
  EXPECT_EQ((TariffDate{20, 24, 3, 15}), e.date);
  EXPECT_EQ("ABCD0001", e.Name());
  EXPECT_EQ('S', e.point_file_mode);
  EXPECT_EQ('C', e.jurisdiction);
  EXPECT_EQ('X', e.tariff_kind);
  EXPECT_EQ('E', e.point_type);
  // The testkit writer puts every field where the hand-built line has it.
  testkit::EfcrecLine w;
  w.tariff_number = 123;
  w.date = "20240315";
  w.default_file_no = "07";
  w.index_file_no = "01";
  w.rate_file_no = "02";
  w.weight_type_file_no = "03";
  w.point_file_no = "04";
  w.exp_file_no = "05";
  w.factor_file_no = "06";
  w.point_file_mode = 'S';
  w.jurisdiction = 'C';
  w.tariff_kind = 'X';
  EXPECT_EQ(line, testkit::EfcrecLineText(w));
}

TEST(EffectiveEntryTest, FileIsSortedByNumberDateNameAndCappedAtAThousand) {
  std::vector<testkit::EfcrecLine> lines(1001);
  for (int i = 0; i < 1001; ++i) lines[i].tariff_number = 900 - i % 700;
  lines[0].tariff_name = "ZZZZ0001";
  lines[0].tariff_number = 5;
  lines[1].tariff_name = "AAAA0001";
  lines[1].tariff_number = 5;
  lines[2].tariff_number = 5;
  lines[2].date = "20230101";
  lines[3].tariff_name = "ABCD002A";  // read as kind S
  auto parsed = ParseEffectiveFile(Bytes(testkit::EfcrecFile(lines)));
  ASSERT_TRUE(parsed.ok());
  const std::vector<EffectiveEntry>& e = *parsed;
  EXPECT_EQ(1000u, e.size());
  EXPECT_EQ(2, e[0].record_index);  // same number, earlier date
  EXPECT_EQ("AAAA0001", e[1].Name());
  EXPECT_EQ("ZZZZ0001", e[2].Name());
  for (std::size_t i = 1; i < e.size(); ++i) EXPECT_LE(e[i - 1].tariff_number, e[i].tariff_number);
  auto it = std::find_if(e.begin(), e.end(), [](const EffectiveEntry& x) { return x.record_index == 3; });
  ASSERT_NE(e.end(), it);
  EXPECT_EQ('S', it->tariff_kind);
}

TEST(EffectiveEntryTest, ShortOrMisalignedFilesAreRefused) {
  EXPECT_EQ(kErrEfcred, ParseEffectiveFile({}).error());
  std::string line = testkit::EfcrecLineText({});
  EXPECT_EQ(kErrEfcred, ParseEffectiveFile(Bytes(line.substr(0, 70))).error());
  // The last line may lack its LF.
  EXPECT_TRUE(ParseEffectiveFile(Bytes(line.substr(0, 75))).ok());
  // Lines ending in LF only are one byte short: refused, not read askew.
  std::string lf = line.substr(0, 74) + "\n";
  EXPECT_EQ(kErrEfcred, ParseEffectiveFile(Bytes(lf + lf + lf)).error());
  // An over-long line is refused too.
  std::string longer = line.substr(0, 74) + "X\r\n";
  EXPECT_EQ(kErrEfcred, ParseEffectiveFile(Bytes(longer + line)).error());
}

TEST(EffectiveListingTest, RowsByKindWithoutDuplicates) {
  testkit::EfcrecLine n1;
  n1.tariff_kind = 'N';
  n1.tariff_name = "NORT0001";
  testkit::EfcrecLine n2 = n1;  // same name and date: one row
  n2.tariff_number = 101;
  testkit::EfcrecLine intra = n1;
  intra.tariff_name = "INTR0001";
  intra.jurisdiction = 'Y';
  testkit::EfcrecLine x1;
  x1.tariff_kind = 'X';
  x1.tariff_name = "XPR00001";
  testkit::EfcrecLine x2 = x1;  // same prefix and date: one row
  x2.tariff_name = "XPR00002";
  testkit::EfcrecLine y1;  // kind Y: one Bureau row for all
  testkit::EfcrecLine y2;
  y2.tariff_name = "OTHR0001";
  testkit::EfcrecLine two_a = n1;
  two_a.tariff_name = "NORT002A";
  testkit::EfcrecLine s;
  s.tariff_kind = 'S';
  auto parsed = ParseEffectiveFile(
      Bytes(testkit::EfcrecFile({n1, n2, intra, x1, x2, y1, y2, two_a, s})));
  ASSERT_TRUE(parsed.ok());
  std::vector<EffectiveTableRow> rows = BuildEffectiveListing(*parsed);
  std::vector<std::string> text;
  for (const auto& r : rows) text.emplace_back(r.begin(), r.end());
  EXPECT_EQ((std::vector<std::string>{"Bureau           ", "INTR000120240101I",
                                      "NORT000120240101N", "XPR0000120240101X"}),
            text);
}

}  // namespace
}  // namespace tolv
