#include "frelane/core/class_tables.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <vector>

#include "testkit/app/settings_file_writer.h"
#include "testkit/temp_dir.h"

namespace frelane {
namespace {

std::vector<std::uint8_t> ReadAll(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::vector<std::uint8_t>(std::istreambuf_iterator<char>(in), {});
}

class FakFileTest : public ::testing::Test {
 protected:
  std::string Path() const { return dir_.File("fak.dat"); }
  void WriteEntries(const std::vector<std::int16_t>& entries) {
    dir_.Write("fak.dat", testkit::FakFileBytes(entries));
  }
  testkit::TempDir dir_;
  ClassTable classes_ = MakeClassTable();
  FakState fak_;
};

TEST(ClassTableTest, HoldsTheEighteenClassesHighestFirst) {
  ClassTable t = MakeClassTable();
  EXPECT_EQ(t[0], 18);
  EXPECT_EQ(t[1], 500);
  EXPECT_EQ(t[11], 92);
  EXPECT_EQ(t[13], 77);
  EXPECT_EQ(t[18], 50);
}

TEST(ClassTableTest, ClassCheckTakesHalfClassesAndExactValuesOnly) {
  ClassTable t = MakeClassTable();
  for (double ok : {92.5, 92.0, 77.5, 77.0, 500.0, 50.0, 55.0}) {
    EXPECT_TRUE(IsValidClass(t, ok)) << ok;
  }
  for (double bad : {92.4, 0.0, 93.0, 77.25, -50.0, 1000.0, 50.0001}) {
    EXPECT_FALSE(IsValidClass(t, bad)) << bad;
  }
}

TEST_F(FakFileTest, HandBuiltFileMapping85To70) {
  std::vector<std::uint8_t> bytes = {
      0xF4, 0x01, 0x90, 0x01, 0x2C, 0x01, 0xFA, 0x00, 0xC8, 0x00, 0xAF, 0x00,  // 500..175
      0x96, 0x00, 0x7D, 0x00, 0x6E, 0x00, 0x64, 0x00, 0x5C, 0x00,              // 150..92
      0x46, 0x00,                                                              // 85 -> 70
      0x4D, 0x00, 0x46, 0x00, 0x41, 0x00, 0x3C, 0x00, 0x37, 0x00, 0x32, 0x00};  // 77..50
  dir_.Write("fak.dat", bytes);
  FakReadReport report = ReadFakFile(Path(), classes_, &fak_);
  EXPECT_TRUE(report.file_found);
  EXPECT_EQ(report.entries_read, 18);
  EXPECT_TRUE(fak_.active);
  EXPECT_EQ(LookupFAKClass(classes_, fak_.map, 85), 70);
  EXPECT_EQ(LookupFAKClass(classes_, fak_.map, 92), 92);
  EXPECT_EQ(LookupFAKClass(classes_, fak_.map, 93), std::nullopt);
}

TEST_F(FakFileTest, IdentityFileLeavesFakOff) {
  WriteEntries(testkit::FreightClasses());
  ReadFakFile(Path(), classes_, &fak_);
  EXPECT_FALSE(fak_.active);
  EXPECT_EQ(fak_.map, IdentityFakMap(classes_));
}

TEST_F(FakFileTest, MissingFileMapsEveryClassToItselfAndIsNotCreated) {
  fak_.active = true;
  FakReadReport report = ReadFakFile(Path(), classes_, &fak_);
  EXPECT_FALSE(report.file_found);
  EXPECT_FALSE(fak_.active);
  EXPECT_EQ(LookupFAKClass(classes_, fak_.map, 500), 500);
  EXPECT_EQ(LookupFAKClass(classes_, fak_.map, 50), 50);
  EXPECT_FALSE(std::filesystem::exists(Path()));
}

TEST_F(FakFileTest, ShortOrDamagedFileKeepsOnlyTheGoodEntries) {
  // 5.5 records: 500->400, 400, 300, 250, 200->0 (not a class), then half a record.
  std::vector<std::uint8_t> bytes = testkit::FakFileBytes({400, 400, 300, 250, 0});
  bytes.push_back(0x55);
  dir_.Write("fak.dat", bytes);
  FakReadReport report = ReadFakFile(Path(), classes_, &fak_);
  EXPECT_EQ(report.entries_read, 5);
  EXPECT_EQ(report.entries_refused, 1);
  EXPECT_TRUE(fak_.active);
  EXPECT_EQ(LookupFAKClass(classes_, fak_.map, 500), 400);
  EXPECT_EQ(LookupFAKClass(classes_, fak_.map, 200), 200);
  EXPECT_EQ(LookupFAKClass(classes_, fak_.map, 175), 175);

  std::vector<std::int16_t> junk(18, 999);
  junk.resize(40, 70);  // an over-long file: only the first 18 records count
  WriteEntries(junk);
  report = ReadFakFile(Path(), classes_, &fak_);
  EXPECT_EQ(report.entries_refused, 18);
  EXPECT_FALSE(fak_.active);
}

TEST_F(FakFileTest, SaveWritesAllEighteenAndNeverTurnsTheFlagOff) {
  fak_.map = IdentityFakMap(classes_);
  fak_.map[11] = 70;  // 85 -> 70
  std::string error;
  ASSERT_TRUE(WriteFakFile(Path(), classes_, &fak_, &error)) << error;
  std::vector<std::uint8_t> saved = ReadAll(Path());
  ASSERT_EQ(saved.size(), 36u);
  EXPECT_EQ(saved[0], 0xF4);  // 500
  EXPECT_EQ(saved[1], 0x01);
  EXPECT_EQ(saved[22], 70);
  EXPECT_EQ(saved[23], 0);
  EXPECT_TRUE(fak_.active);

  fak_.map = IdentityFakMap(classes_);
  ASSERT_TRUE(WriteFakFile(Path(), classes_, &fak_, &error)) << error;
  EXPECT_TRUE(fak_.active);  // the mapping is now the identity, so prices are unaffected
  EXPECT_EQ(LookupFAKClass(classes_, fak_.map, 85), 85);
  FakState reread;
  ReadFakFile(Path(), classes_, &reread);
  EXPECT_FALSE(reread.active);
}

TEST_F(FakFileTest, FailedSaveReportsAndKeepsTheFlag) {
  fak_.map = IdentityFakMap(classes_);
  fak_.map[0] = 400;
  std::string error;
  EXPECT_FALSE(WriteFakFile(dir_.File("no/such/fak.dat"), classes_, &fak_, &error));
  EXPECT_FALSE(error.empty());
  EXPECT_FALSE(fak_.active);
}

}  // namespace
}  // namespace frelane
