// Truncated and random input for every reader of this component: each must answer with a
// value or an error number, never read or write out of bounds (run under the sanitizers).
#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "KMLIB/packed_zip.h"
#include "testkit/tariff/factor_file_writer.h"
#include "testkit/temp_dir.h"
#include "tolv32dll/tariff/codecs.h"
#include "tolv32dll/tariff/factor_file.h"
#include "tolv32dll/tariff/record_search.h"
#include "tolv32dll/tariff/tariff_file_set.h"
#include "tolv32dll/tariff/tariff_options.h"
#include "tolv32dll/tariff/tests/stream_fixture.h"
#include "tolv32dll/tariff/text_helpers.h"
#include "tolv32dll/tariff/weight_types.h"

namespace tolv {
namespace {

std::string RandomText(std::mt19937& random, std::size_t size) {
  // Mostly the characters of a factor file, with some of everything.
  static const std::string kAlphabet = " 0123456789.*=\r\n\t-+FAKYESHCITYNCITYBRKS";
  std::string text(size, ' ');
  for (char& c : text) {
    c = random() % 8 == 0 ? static_cast<char>(random() % 256)
                          : kAlphabet[random() % kAlphabet.size()];
  }
  return text;
}

std::string ValidFactorFile() {
  testkit::FactorBlock block;
  block.leading_lines = {testkit::FactorOptionLine("BRKS", "A10* B20X"),
                         testkit::FactorOptionLine("HCITY", "5 6")};
  block.class_codes = {"100", "92", "FAK"};
  block.weight_breaks = {1, 500, 1000, 2000};
  block.number = 100;
  block.rates = {{1, 2, 3, 4}, {5, 6, 7, 8}, {9, 10, 11, 12}};
  block.second_lines = {{1, 2, 3}, {4, 5}};
  return testkit::BlockLayoutFactorFile({block, block});
}

void LoadAllLayouts(const std::string& bytes) {
  for (char point_type : {'E', 'D', 'H', '1'}) {
    MemoryStream stream(bytes);
    FactorOptions options;
    FactorTables tables;
    FactorFileRequest request{point_type, point_type == '1', 100};
    ErrorNumber result = Parm_LoadFactorFile(stream.get(), request, options, tables);
    ASSERT_TRUE(result == kOk || result == kErrFacred || result == kErrHcy2big) << result;
    ASSERT_LE(tables.class_count, kMaxClasses);
    ASSERT_LE(tables.break_count, kMaxBreaks);
    ASSERT_LE(tables.block_count, kMaxBlocks);
    ASSERT_LE(options.hcity.count, kMaxHcityEntries);
    ASSERT_LE(options.brks.count, kMaxBreakCodes);
  }
}

TEST(Fuzz, FactorFileTruncatedAndRandom) {
  std::string valid = ValidFactorFile();
  for (std::size_t cut = 0; cut <= valid.size(); ++cut) LoadAllLayouts(valid.substr(0, cut));
  std::mt19937 random(7);
  for (int round = 0; round < 400; ++round) {
    LoadAllLayouts(RandomText(random, random() % 2000));
    std::string flipped = valid;
    for (int i = 0; i < 4; ++i) flipped[random() % flipped.size()] = static_cast<char>(random());
    LoadAllLayouts(flipped);
  }
}

TEST(Fuzz, OptionLinesAndNumberReaders) {
  std::mt19937 random(11);
  FactorOptions options;
  for (int round = 0; round < 3000; ++round) {
    std::string line = "* " + RandomText(random, random() % 120);
    Parm_ParseOptionLine(line, options);
    FactorLineCursor cursor(line);
    for (int i = 0; i < 50 && !cursor.AtEnd(); ++i) {
      switch (random() % 4) {
        case 0:
          cursor.Parm_ReadShort();
          break;
        case 1:
          cursor.Parm_ReadInt();
          break;
        case 2:
          cursor.Parm_ReadFixed4();
          break;
        default:
          cursor.Parm_ReadClassCode(random() % 2 == 0);
          break;
      }
      if (cursor.bad()) break;
    }
    std::string_view rest = line;
    while (Util_NextToken(&rest, " =\t\r\n")) {
    }
  }
}

TEST(Fuzz, WeightTypeFilesTruncatedAndRandom) {
  std::mt19937 random(13);
  for (int round = 0; round < 300; ++round) {
    std::string bytes(random() % 700, '\0');
    for (char& c : bytes) c = static_cast<char>(random());
    MemoryStream stream(bytes);
    WeightTypeState state;
    FactorTables tables;
    CurrentTariff tariff;
    tariff.weight_type_digit = '1';
    ASSERT_EQ(Tariff_LoadWeightTypes(tariff, stream.get(), state, tables), kOk);
    for (const WeightTypeEntry& e : state.table.entries) ASSERT_LE(e.count, kWeightTypeSlots);
  }
}

struct Bytes {
  std::vector<std::uint8_t> data;
  std::int64_t Size() const { return static_cast<std::int64_t>(data.size()); }
  std::int64_t ReadAt(std::int64_t offset, os::MutableByteSpan out) const {
    if (offset < 0 || offset >= Size()) return 0;
    std::size_t n = std::min<std::size_t>(out.size(), data.size() - offset);
    std::copy_n(data.begin() + offset, n, out.begin());
    return static_cast<std::int64_t>(n);
  }
};

TEST(Fuzz, SearchesOverRandomFilesAndCompares) {
  std::mt19937 random(17);
  for (int round = 0; round < 2000; ++round) {
    Bytes file{std::vector<std::uint8_t>(random() % 600)};
    for (auto& b : file.data) b = static_cast<std::uint8_t>(random());
    std::vector<std::uint8_t> key(random() % 24);
    for (auto& b : key) b = static_cast<std::uint8_t>(random());
    std::size_t length = random() % 120;
    auto compare = [&](os::ByteSpan, os::ByteSpan) { return static_cast<int>(random() % 3) - 1; };
    std::int64_t low = static_cast<std::int64_t>(random() % 700) - 50;
    std::int64_t high = static_cast<std::int64_t>(random() % 700) - 50;
    char unit = random() % 2 ? 'B' : 'R';
    std::int64_t records = length ? file.Size() / static_cast<std::int64_t>(length) : 0;
    auto in_file = [&](std::int64_t i) { return i == -1 || (i >= 0 && i <= records); };
    ASSERT_TRUE(in_file(RecordFile_Search(key, file, length, compare)));
    ASSERT_TRUE(in_file(FileSearch_Binary(key, file, length, compare, unit, low, high)));
    ASSERT_TRUE(in_file(FileSearch_BinaryFirst(key, file, length, compare, unit, low, high)));
    FileSearch_Linear(key, file, length, compare, unit, low, high);
    Compare_Range10(key,
                    os::ByteSpan(file.data).first(std::min<std::size_t>(file.data.size(), 23)));
  }
}

TEST(Fuzz, CodecsOnEveryByte) {
  std::mt19937 random(19);
  for (int round = 0; round < 5000; ++round) {
    std::uint8_t bytes[4];
    for (auto& b : bytes) b = static_cast<std::uint8_t>(random());
    std::string text = kmlib::UnpackZip(bytes);
    ASSERT_TRUE(text.size() == 5 || text.size() == 3);
    ASSERT_EQ(Code6_Unpack(bytes).size(), 6u);
    ASSERT_EQ(Bcd_Unpack(bytes, static_cast<int>(random() % 12) - 2).size() > 0, true);
    std::string code(random() % 8, ' ');
    for (char& c : code) c = static_cast<char>(random());
    Zip_Pack(code);
    std::uint8_t out[4];
    Code6_Pack(out, code);
    Bcd_Pack(out, code, static_cast<int>(random() % 12) - 2);
    Util_AtoiN(code, static_cast<int>(random() % 60) - 10);
    Util_TrimPath(code);
  }
}

TEST(Fuzz, FileNamesFromRandomTariffs) {
  testkit::TempDir dir;
  TariffFileSet files;
  files.SetTariffDataDirectory(dir.path());
  std::mt19937 random(23);
  for (int round = 0; round < 500; ++round) {
    CurrentTariff tariff;
    for (char& c : tariff.tariff_name)
      c = static_cast<char>(random() % 2 ? '.' + random() % 4 : random());
    for (char& c : tariff.point_file_no) c = static_cast<char>(random());
    for (char& c : tariff.default_file_no) c = static_cast<char>(random() % 2 ? '/' : random());
    if (auto name = files.TariffFileName(tariff, ".P", tariff.point_file_no, false)) {
      ASSERT_EQ(name->rfind(dir.path(), 0), 0u) << *name;
      ASSERT_EQ(name->find('/', dir.path().size()), std::string::npos) << *name;
    }
    ASSERT_EQ(files.TariffFile_OpenPoints(tariff, "1", "2", 'O', false), kErrPntopn);
  }
}

}  // namespace
}  // namespace tolv
