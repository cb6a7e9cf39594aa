#include <gtest/gtest.h>
#include <sys/stat.h>

#include <array>
#include <cstdint>
#include <fstream>
#include <string>
#include <vector>

#include "platform/runtime/error.h"
#include "platform/runtime/line_input.h"
#include "platform/runtime/record_file.h"
#include "testkit/temp_dir.h"

namespace runtime {
namespace {

std::string ReadAll(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

TEST(RecordFileTest, OpenCreatesAMissingFileEmpty) {
  testkit::TempDir dir;
  RecordFile f;
  ASSERT_TRUE(f.Open(dir.File("new.dat"), 4));
  EXPECT_EQ(f.Lof(), 0);
  EXPECT_EQ(f.RecordCount(), 0);
  std::array<std::uint8_t, 4> rec{9, 9, 9, 9};
  EXPECT_FALSE(f.Get(1, rec));
  EXPECT_TRUE(f.Eof());
  EXPECT_EQ(rec, (std::array<std::uint8_t, 4>{0, 0, 0, 0}));
}

TEST(RecordFileTest, GetAndPutByOneBasedRecordNumber) {
  testkit::TempDir dir;
  dir.Write("r.dat", std::string("AAAABBBBCC"));  // two records and a partial third
  RecordFile f;
  ASSERT_TRUE(f.Open(dir.File("r.dat"), 4));
  EXPECT_EQ(f.RecordCount(), 2);
  std::array<std::uint8_t, 4> rec{};
  ASSERT_TRUE(f.Get(2, rec));
  EXPECT_EQ(std::string(rec.begin(), rec.end()), "BBBB");
  EXPECT_FALSE(f.Eof());
  // The partial record counts as past the end.
  EXPECT_FALSE(f.Get(3, rec));
  EXPECT_TRUE(f.Eof());
  const std::uint8_t x[] = {'X', 'X'};
  ASSERT_TRUE(f.Put(1, x));  // short data is zero-padded
  const std::uint8_t z[] = {'Z', 'Z', 'Z', 'Z'};
  ASSERT_TRUE(f.Put(5, z));  // the gap is zero-filled
  f.Close();
  std::string bytes = ReadAll(dir.File("r.dat"));
  EXPECT_EQ(bytes, std::string("XX\0\0BBBBCC", 10) + std::string(6, '\0') + "ZZZZ");
}

TEST(RecordFileTest, RecordZeroIsBadRecordNumber) {
  testkit::TempDir dir;
  RecordFile f;
  ASSERT_TRUE(f.Open(dir.File("z.dat"), 2));
  std::array<std::uint8_t, 2> rec{};
  try {
    f.Get(0, rec);
    FAIL();
  } catch (const RuntimeError& e) {
    EXPECT_EQ(e.Number(), kErrBadRecordNumber);
  }
  EXPECT_THROW(f.Put(-1, rec), RuntimeError);
}

TEST(RecordFileTest, ReadOnlyOpenRefusesMissingFilesAndWrites) {
  testkit::TempDir dir;
  RecordFile f;
  EXPECT_FALSE(f.OpenForReading(dir.File("none.dat"), 2));
  dir.Write("ro.dat", std::string("ab"));
  ASSERT_TRUE(f.OpenForReading(dir.File("ro.dat"), 2));
  const std::uint8_t d[] = {'c', 'd'};
  EXPECT_FALSE(f.Put(1, d));
  EXPECT_FALSE(f.Open(dir.File("x.dat"), 0));
}

TEST(LineReaderTest, SplitsAtCrLfLfAndLoneCr) {
  testkit::TempDir dir;
  dir.Write("t.txt", std::string("one\r\ntwo\nthree\rfour\r\n\r\nlast"));
  LineReader r;
  ASSERT_TRUE(r.Open(dir.File("t.txt")));
  std::vector<std::string> lines;
  std::string line;
  while (r.ReadLine(line)) lines.push_back(line);
  EXPECT_EQ(lines, (std::vector<std::string>{"one", "two", "three", "four", "", "last"}));
  EXPECT_TRUE(r.Eof());
  EXPECT_FALSE(r.Open(dir.File("missing.txt")));
}

// A pipe in a data file's place would block the open until a writer came.
TEST(DataFileOpenTest, APipeIsNotOpenedByAnyReader) {
  testkit::TempDir dir;
  ASSERT_EQ(::mkfifo(dir.File("pipe.dat").c_str(), 0600), 0);
  RecordFile f;
  EXPECT_FALSE(f.Open(dir.File("pipe.dat"), 4));
  EXPECT_FALSE(f.OpenForReading(dir.File("pipe.dat"), 4));
  LineReader r;
  EXPECT_FALSE(r.Open(dir.File("pipe.dat")));
  EXPECT_TRUE(r.Eof());
}

}  // namespace
}  // namespace runtime
