#include "tolv32dll/tariff/factor_file.h"

#include <gtest/gtest.h>

#include <string>

#include "testkit/tariff/factor_file_writer.h"
#include "tolv32dll/tariff/tests/stream_fixture.h"

namespace tolv {
namespace {

FactorFileRequest Block(char point_type, int number) {
  FactorFileRequest request;
  request.point_type = point_type;
  request.block_number = static_cast<std::int16_t>(number);
  return request;
}

struct Loaded {
  ErrorNumber result;
  FactorOptions options;
  FactorTables tables;
};

Loaded Load(const std::string& text, const FactorFileRequest& request,
            FactorOptions options = FactorOptions()) {
  MemoryStream stream(text);
  Loaded out{kOk, options, FactorTables()};
  out.result = Parm_LoadFactorFile(stream.get(), request, out.options, out.tables);
  return out;
}

// Block layout written character by character: an option line, a comment, a decoy block
// 99, then block 100 with an option after its class line.
constexpr char kHandBuilt[] =
    "* RADJF = 1.05\r\n"
    "comment line\r\n"
    " 300 100\r\n"
    " 1 1000\r\n"
    " 99\r\n"
    " 1 2\r\n"
    " 3 4\r\n"
    "* PIN_MC = YES\r\n"
    " 250 200 92\r\n"
    "* PIN_MC = yes\r\n"
    " 1 500 1000\r\n"
    " 100\r\n"
    " 12.5 7 1.23456\r\n"
    " 0.0001 10 .5\r\n"
    " 3\t4 5\r\n";

TEST(FactorFileBlockLayout, HandBuiltFileKeepsTheTariffsBlock) {
  Loaded l = Load(kHandBuilt, Block('E', 100));
  ASSERT_EQ(l.result, kOk);
  ASSERT_EQ(l.tables.class_count, 3);
  EXPECT_EQ(l.tables.ClassCodeText(0), "250");
  EXPECT_EQ(l.tables.ClassCodeText(2), "92");
  ASSERT_EQ(l.tables.break_count, 3);
  EXPECT_EQ(l.tables.weight_breaks[0], 1);
  EXPECT_EQ(l.tables.weight_breaks[2], 1000);
  EXPECT_EQ(l.tables.block_count, 2);
  EXPECT_EQ(l.tables.block_numbers[0], 99);
  EXPECT_EQ(l.tables.block_numbers[1], 100);
  EXPECT_EQ(l.tables.class_factors[0][0], 125000);
  EXPECT_EQ(l.tables.class_factors[0][1], 70000);
  EXPECT_EQ(l.tables.class_factors[0][2], 123456) << "more than 4 decimals are not cut";
  EXPECT_EQ(l.tables.class_factors[1][0], 1);
  EXPECT_EQ(l.tables.class_factors[1][2], 5000);
  EXPECT_EQ(l.tables.class_factors[2][1], 40000) << "tabs separate values too";
  EXPECT_FLOAT_EQ(l.options.radjf, 1.05f);
  // The PIN_MC before block 100's class line was undone by the block's reset; the one
  // after it stands.
  EXPECT_TRUE(l.options.pin_mc);
}

TEST(FactorFileBlockLayout, OptionBeforeClassLineIsResetByTheBlock) {
  testkit::FactorBlock block;
  block.leading_lines = {testkit::FactorOptionLine("PIN_MC", "YES"),
                         testkit::FactorOptionLine("MC_ADDON", "2.5")};
  block.class_codes = {"100"};
  block.weight_breaks = {1};
  block.number = 7;
  block.rates = {{10000}};
  Loaded l = Load(testkit::BlockLayoutFactorFile({block}), Block('E', 7));
  ASSERT_EQ(l.result, kOk);
  EXPECT_FALSE(l.options.pin_mc);
  EXPECT_EQ(l.options.mc_addon, 0.0f);
  block.leading_lines.clear();
  block.after_class_lines = {testkit::FactorOptionLine("PIN_MC", "YES")};
  l = Load(testkit::BlockLayoutFactorFile({block}), Block('E', 7));
  EXPECT_TRUE(l.options.pin_mc);
}

TEST(FactorFileBlockLayout, SecondTableForPointTypesDAndH) {
  testkit::FactorBlock block;
  block.class_codes = {"100"};
  block.weight_breaks = {1, 500, 1000};
  block.number = 5;
  block.rates = {{1, 2, 3}};
  block.second_lines = {{11, 12}, {13}};
  Loaded d = Load(testkit::BlockLayoutFactorFile({block}), Block('D', 5));
  ASSERT_EQ(d.result, kOk);
  EXPECT_EQ(d.tables.break_factors[0][0], 11);
  EXPECT_EQ(d.tables.break_factors[1][0], 12);
  EXPECT_EQ(d.tables.break_factors[2][0], 13);
  // 'H': each line carries one more value; the last line's lands after the last break.
  block.second_lines = {{11, 12, 99}, {13, 77}};
  Loaded h = Load(testkit::BlockLayoutFactorFile({block}), Block('H', 5));
  ASSERT_EQ(h.result, kOk);
  EXPECT_EQ(h.tables.break_factors[1][0], 12);
  EXPECT_EQ(h.tables.break_factors[2][0], 13);
  EXPECT_EQ(h.tables.break_factors[3][0], 77);
  // Without the second table, those lines would be read as the next block.
  Loaded e = Load(testkit::BlockLayoutFactorFile({block}), Block('E', 5));
  EXPECT_EQ(e.tables.break_factors[0][0], 0);
}

TEST(FactorFileBlockLayout, WithoutTheTariffsBlockTheLastBlockStands) {
  // Blocks 99 and 100, asked for 101: block 100's tables, and no error.
  Loaded l = Load(kHandBuilt, Block('E', 101));
  ASSERT_EQ(l.result, kOk);
  EXPECT_EQ(l.tables.block_count, 2);
  ASSERT_EQ(l.tables.class_count, 3);
  EXPECT_EQ(l.tables.ClassCodeText(0), "250");
  EXPECT_EQ(l.tables.weight_breaks[2], 1000);
  EXPECT_EQ(l.tables.class_factors[0][0], 125000);
  Loaded empty = Load("", Block('E', 1));
  EXPECT_EQ(empty.result, kOk);
  EXPECT_EQ(empty.tables.class_count, 0);
}

TEST(FactorFileCountLayout, BreaksListedHighestFirstFillAscending) {
  testkit::CountLayoutFactors f;
  f.block_numbers = {200, 201};
  f.class_codes = {"100", "85", "FAK"};
  f.weight_breaks = {5000, 10000, 20000};
  f.rates = {{10000, 20000, 30000}, {1, 2, 3}};
  f.second = {{5, 6, 7}, {8, 9, 10}};
  Loaded l = Load(testkit::CountLayoutFactorFile(f), Block('4', 200));
  ASSERT_EQ(l.result, kOk);
  EXPECT_EQ(l.tables.block_count, 2);
  EXPECT_EQ(l.tables.block_numbers[1], 201);
  EXPECT_EQ(l.tables.ClassCodeText(1), "85");
  EXPECT_EQ(l.tables.ClassCodeText(2), "FAK");
  EXPECT_EQ(l.tables.weight_breaks[0], 5000);
  EXPECT_EQ(l.tables.weight_breaks[2], 20000);
  EXPECT_EQ(l.tables.class_factors[0][2], 30000);
  EXPECT_EQ(l.tables.class_factors[1][0], 1);
  EXPECT_EQ(l.tables.break_factors[1][2], 10);
}

TEST(FactorFileCountLayout, HandBuiltLines) {
  const char text[] = " 1\r\n 9\r\n 1\r\n 50\r\n 2\r\n 1000\r\n 1\r\n 2.5\r\n 1\r\n 3\r\n";
  Loaded l = Load(text, Block('1', 9));
  ASSERT_EQ(l.result, kOk);
  EXPECT_EQ(l.tables.weight_breaks[0], 1);
  EXPECT_EQ(l.tables.weight_breaks[1], 1000);
  EXPECT_EQ(l.tables.class_factors[0][0], 25000);
  EXPECT_EQ(l.tables.break_factors[0][1], 30000);
}

TEST(FactorFileCountLayout, SectionsStopAtTheEndOfTheFile) {
  // Cut inside the rates: blocks, classes and breaks stand, the rates read so far too.
  const char rates_cut[] = " 1\r\n 9\r\n 2\r\n 50\r\n 85\r\n 2\r\n 1000\r\n 500\r\n 2.5\r\n";
  Loaded l = Load(rates_cut, Block('1', 9));
  ASSERT_EQ(l.result, kOk);
  EXPECT_EQ(l.tables.block_numbers[0], 9);
  EXPECT_EQ(l.tables.ClassCodeText(1), "85");
  ASSERT_EQ(l.tables.break_count, 2);
  EXPECT_EQ(l.tables.weight_breaks[0], 500);
  EXPECT_EQ(l.tables.class_factors[0][0], 25000);
  EXPECT_EQ(l.tables.class_factors[0][1], 0);
  // Cut inside the breaks: the breaks read are the highest ones, and fill from the first.
  l = Load(" 1\r\n 9\r\n 1\r\n 50\r\n 3\r\n 20000\r\n 10000\r\n", Block('1', 9));
  ASSERT_EQ(l.result, kOk);
  ASSERT_EQ(l.tables.break_count, 2);
  EXPECT_EQ(l.tables.weight_breaks[0], 10000);
  EXPECT_EQ(l.tables.weight_breaks[1], 20000);
  EXPECT_EQ(Load(" 2\r\n 9\r\n", Block('1', 9)).tables.block_count, 1);
}

TEST(FactorFileFaults, CountsBeyondTheirRoomAreRefused) {
  // 21 classes on a block's class line.
  std::string classes = " ";
  for (int i = 0; i < 21; ++i) classes += std::to_string(50 + i) + " ";
  EXPECT_EQ(Load(classes + "\r\n 1\r\n 1\r\n", Block('E', 1)).result, kErrFacred);
  // 21 breaks.
  std::string breaks = " ";
  for (int i = 0; i < 21; ++i) breaks += std::to_string(i + 1) + " ";
  EXPECT_EQ(Load(" 100\r\n" + breaks + "\r\n 1\r\n 1\r\n", Block('E', 1)).result, kErrFacred);
  // Count layout: more blocks, classes or breaks than the tables hold.
  EXPECT_EQ(Load(" 21\r\n", Block('1', 1)).result, kErrFacred);
  EXPECT_EQ(Load(" 1\r\n 1\r\n 65535\r\n", Block('1', 1)).result, kErrFacred);
  EXPECT_EQ(Load(" 1\r\n 1\r\n 1\r\n 100\r\n 25\r\n", Block('1', 1)).result, kErrFacred);
}

TEST(FactorFileFaults, TruncatedOrCorruptFilesAreRefused) {
  std::string whole = kHandBuilt;
  // Every cut inside block 100 (after its number line) loses rates.
  std::size_t block_start = whole.find("\r\n 100\r\n") + 8;
  for (std::size_t cut = block_start; cut + 2 < whole.size(); cut += 3) {
    EXPECT_EQ(Load(whole.substr(0, cut), Block('E', 100)).result, kErrFacred) << cut;
  }
  EXPECT_EQ(Load(" 100\r\n 1\r\n 1\r\n abc\r\n", Block('E', 1)).result, kErrFacred);
  EXPECT_EQ(Load(" 100\r\n 1\r\n 1\r\n 99999999999\r\n", Block('E', 1)).result, kErrFacred);
  EXPECT_EQ(Load(" 100\r\n 1 x\r\n 1\r\n 1\r\n", Block('E', 1)).result, kErrFacred);
  EXPECT_EQ(Load(" 1\r\n 1\r\n 1\r\n 100\r\n 1\r\n 5\r\n 99999999999\r\n", Block('1', 1)).result,
            kErrFacred);
  // A line longer than 255 characters.
  std::string longline = " 100" + std::string(300, ' ') + "\r\n 1\r\n 1\r\n 1\r\n";
  EXPECT_EQ(Load(longline, Block('E', 1)).result, kErrFacred);
}

TEST(FactorFileFaults, EarlierResultsDoNotCarryOver) {
  std::string overflow;
  for (int i = 0; i < 81; ++i) overflow += testkit::FactorOptionLine("HCITY", std::to_string(i));
  testkit::FactorBlock block;
  block.class_codes = {"100"};
  block.after_class_lines = {overflow};
  block.weight_breaks = {1};
  block.number = 3;
  block.rates = {{1}};
  Loaded first = Load(testkit::BlockLayoutFactorFile({block}), Block('E', 3));
  EXPECT_EQ(first.result, kErrHcy2big);
  EXPECT_EQ(first.options.hcity.count, 80);
  block.after_class_lines.clear();
  Loaded second = Load(testkit::BlockLayoutFactorFile({block}), Block('E', 3), first.options);
  EXPECT_EQ(second.result, kOk);
  EXPECT_EQ(second.options.hcity.count, 0);
}

TEST(FactorFileRequestFor, PackageTariffsReadBlockOneInTheBlockLayout) {
  CurrentTariff package;
  package.point_type = '0';
  package.tariff_kind = 'P';
  package.tariff_number = 500;
  FactorFileRequest request = FactorRequestFor(package);
  EXPECT_GE(request.point_type, 'A');
  EXPECT_TRUE(request.package_codes);
  EXPECT_EQ(request.block_number, 1);
  CurrentTariff shipment;
  shipment.point_type = '4';
  shipment.tariff_number = 200;
  EXPECT_EQ(FactorRequestFor(shipment).block_number, 200);
  EXPECT_FALSE(FactorRequestFor(shipment).package_codes);
}

TEST(FactorLineCursor, NumberReaders) {
  FactorLineCursor c("  12.5 7 1.23456 .0001 65537 -3\r\n");
  EXPECT_EQ(c.Parm_ReadFixed4(), 125000);
  EXPECT_EQ(c.Parm_ReadFixed4(), 70000);
  EXPECT_EQ(c.Parm_ReadFixed4(), 123456);
  EXPECT_EQ(c.Parm_ReadFixed4(), 1);
  EXPECT_EQ(c.Parm_ReadShort(), 1) << "16 bits kept";
  EXPECT_EQ(c.Parm_ReadInt(), -3);
  EXPECT_EQ(c.Parm_ReadInt(), std::nullopt);
  EXPECT_FALSE(c.bad());
  FactorLineCursor empty("   ");
  EXPECT_EQ(empty.Parm_ReadShort(), 0);
  FactorLineCursor big("214748.3648");
  EXPECT_EQ(big.Parm_ReadFixed4(), std::nullopt);
  EXPECT_TRUE(big.bad());
}

TEST(FactorLineCursor, ClassCodes) {
  FactorLineCursor c(" FAK1 92 500 ABCDEFG 7\r\n");
  EXPECT_EQ(std::string(c.Parm_ReadClassCode(false)->data()), "FAK");
  EXPECT_EQ(std::string(c.Parm_ReadClassCode(false)->data()), "1");
  EXPECT_EQ(std::string(c.Parm_ReadClassCode(false)->data()), "92");
  EXPECT_EQ(std::string(c.Parm_ReadClassCode(false)->data()), "500");
  EXPECT_EQ(std::string(c.Parm_ReadClassCode(false)->data()), "ABCDE") << "cut, not looping";
  EXPECT_EQ(std::string(c.Parm_ReadClassCode(false)->data()), "7");
  EXPECT_FALSE(c.Parm_ReadClassCode(false).has_value());
  FactorLineCursor package(" GND E1A\r\n");
  EXPECT_EQ(std::string(package.Parm_ReadClassCode(true)->data()), "GND");
  EXPECT_EQ(std::string(package.Parm_ReadClassCode(true)->data()), "E1A");
}

}  // namespace
}  // namespace tolv
