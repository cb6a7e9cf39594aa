// The one read-only file type on both of its paths: a file served as its image and the
// same file read through a descriptor answer every question alike.
#include "platform/os/read_only_file.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <array>
#include <string>

#include "platform/os/file_cache.h"
#include "testkit/temp_dir.h"

namespace os {
namespace {

// The parameter tells whether files are imaged (true) or read through a descriptor.
class ReadOnlyFileTest : public ::testing::TestWithParam<bool> {
 protected:
  void SetUp() override {
    limit_ = MaxFileImageSize();
    SetMaxFileImageSizeForTesting(GetParam() ? limit_ : 0);
    dir_.Write("R.R01", "0123456789");
  }
  void TearDown() override { SetMaxFileImageSizeForTesting(limit_); }

  std::string At(const ReadOnlyFile& file, std::int64_t offset, std::size_t n) {
    std::array<std::uint8_t, 16> buffer{};
    const std::int64_t got = file.ReadAt(offset, MutableByteSpan(buffer.data(), n));
    if (got < 0) return "<error>";
    return std::string(buffer.begin(), buffer.begin() + got);
  }

  testkit::TempDir dir_;
  std::size_t limit_ = 0;
};

TEST_P(ReadOnlyFileTest, SizeAndPositionedReads) {
  const ReadOnlyFile file = ReadOnlyFile::Open(dir_.File("R.R01"));
  ASSERT_TRUE(file.is_open());
  EXPECT_EQ(GetParam(), file.image() != nullptr);
  EXPECT_EQ(GetParam(), file.descriptor() < 0);
  EXPECT_EQ(10, file.Size());
  EXPECT_EQ("0123", At(file, 0, 4));
  EXPECT_EQ("789", At(file, 7, 8)) << "short at the end";
  EXPECT_EQ("", At(file, 10, 4));
  EXPECT_EQ("", At(file, 99, 4));
  EXPECT_EQ("<error>", At(file, -1, 4));
}

// A file grown or cut short while open reads as it was found, where it still can; bytes
// it no longer holds are a failed read, never an early end.
TEST_P(ReadOnlyFileTest, AFileChangedInLengthWhileOpenReadsAsFound) {
  const ReadOnlyFile file = ReadOnlyFile::Open(dir_.File("R.R01"));
  ASSERT_TRUE(file.is_open());
  dir_.Write("R.R01", "0123456789ABC");
  EXPECT_EQ(10, file.Size());
  EXPECT_EQ("789", At(file, 7, 8)) << "nothing past what was found";
  ASSERT_EQ(0, ::truncate(dir_.File("R.R01").c_str(), 4));
  EXPECT_EQ(10, file.Size());
  EXPECT_EQ("0123", At(file, 0, 4));
  EXPECT_EQ(GetParam() ? "2345" : "<error>", At(file, 2, 4));
  EXPECT_EQ(GetParam() ? "9" : "<error>", At(file, 9, 4));
  EXPECT_EQ("", At(file, 10, 4));
}

TEST_P(ReadOnlyFileTest, MissingMovedAndClosedFilesAreNotOpen) {
  EXPECT_FALSE(ReadOnlyFile::Open(dir_.File("none")).is_open());
  EXPECT_FALSE(ReadOnlyFile::Open(dir_.path()).is_open()) << "a directory is no data file";
  ReadOnlyFile file = ReadOnlyFile::Open(dir_.File("R.R01"));
  ReadOnlyFile moved = std::move(file);
  EXPECT_FALSE(file.is_open());
  EXPECT_EQ("01", At(moved, 0, 2));
  moved.Close();
  EXPECT_FALSE(moved.is_open());
  EXPECT_EQ(-1, moved.Size());
  EXPECT_EQ("<error>", At(moved, 0, 2));
}

TEST_P(ReadOnlyFileTest, StreamsReadTheLinesAsStoredAndEmptyFilesOpen) {
  dir_.Write("F.F01", "first\r\nsecond\n");
  ReadOnlyStream stream = OpenReadOnlyStream(dir_.File("F.F01"), "rb");
  ASSERT_TRUE(stream.is_open());
  EXPECT_EQ(GetParam(), stream.image() != nullptr);
  char line[32];
  ASSERT_NE(nullptr, std::fgets(line, sizeof line, stream.get()));
  EXPECT_STREQ("first\r\n", line);
  ASSERT_NE(nullptr, std::fgets(line, sizeof line, stream.get()));
  EXPECT_STREQ("second\n", line);
  EXPECT_EQ(nullptr, std::fgets(line, sizeof line, stream.get()));
  stream.Rewind();
  ASSERT_NE(nullptr, std::fgets(line, sizeof line, stream.get()));
  EXPECT_STREQ("first\r\n", line);

  dir_.Write("E.F01", "");
  ReadOnlyStream empty = OpenReadOnlyStream(dir_.File("E.F01"), "rb");
  ASSERT_TRUE(empty.is_open());
  EXPECT_EQ(nullptr, std::fgets(line, sizeof line, empty.get()));
  EXPECT_FALSE(OpenReadOnlyStream(dir_.File("none"), "rb").is_open());
}

INSTANTIATE_TEST_SUITE_P(Both, ReadOnlyFileTest, ::testing::Bool(),
                         [](const auto& info) { return info.param ? "Image" : "Descriptor"; });

}  // namespace
}  // namespace os
