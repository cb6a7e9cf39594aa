// What readers made of a file is handed out again for the very image it was made of, and
// for no other: not for a new version of the file, not as another kind of thing.
#include "platform/os/parsed_files.h"

#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <string>

namespace os {
namespace {

FileImagePtr Image(const std::string& bytes, std::uint64_t inode, std::int64_t version) {
  ReadBytes read{std::unique_ptr<std::uint8_t[]>(new std::uint8_t[bytes.size() + 1]),
                 bytes.size()};
  std::memcpy(read.data.get(), bytes.data(), bytes.size());
  FileStamp stamp;
  stamp.inode = inode;
  stamp.modified_s = version;
  return std::make_shared<const FileImage>(std::move(read), stamp);
}

struct Lines {
  std::string first;
};
struct Count {
  int n = 0;
};

class ParsedFilesTest : public ::testing::Test {
 protected:
  void TearDown() override { ForgetParsedFiles(); }
};

TEST_F(ParsedFilesTest, KeptForTheSameImageOnlyAndByKind) {
  const FileImagePtr v1 = Image("one", 7, 1);
  EXPECT_EQ(nullptr, KeptParse<Lines>(v1));
  KeepParse(v1, std::make_shared<const Lines>(Lines{"one"}));
  ASSERT_NE(nullptr, KeptParse<Lines>(v1));
  EXPECT_EQ("one", KeptParse<Lines>(v1)->first);
  EXPECT_EQ(nullptr, KeptParse<Count>(v1)) << "another kind of thing";
  KeepParse(v1, std::make_shared<const Count>(Count{3}));
  EXPECT_EQ(3, KeptParse<Count>(v1)->n);
  EXPECT_EQ("one", KeptParse<Lines>(v1)->first) << "kinds kept apart";

  // The same bytes read again make another image: another version as far as the cache
  // knows, never served from the first.
  const FileImagePtr again = Image("one", 7, 1);
  EXPECT_EQ(nullptr, KeptParse<Lines>(again));
  // A new version of the file replaces the old one's for that kind.
  const FileImagePtr v2 = Image("two", 7, 2);
  KeepParse(v2, std::make_shared<const Lines>(Lines{"two"}));
  EXPECT_EQ("two", KeptParse<Lines>(v2)->first);
  EXPECT_EQ(nullptr, KeptParse<Lines>(v1));
  EXPECT_EQ(3, KeptParse<Count>(v1)->n);

  KeepParse(FileImagePtr(), std::make_shared<const Lines>(Lines{"none"}));
  EXPECT_EQ(nullptr, KeptParse<Lines>(FileImagePtr())) << "no image, nothing kept";
}

TEST_F(ParsedFilesTest, KeptImagesLiveOnUntilForgottenAndTheListIsBounded) {
  std::weak_ptr<const FileImage> held;
  {
    FileImagePtr image = Image("x", 1, 1);
    held = image;
    KeepParse(image, std::make_shared<const Count>(Count{1}));
  }
  EXPECT_FALSE(held.expired()) << "no other image may take its address meanwhile";
  for (std::uint64_t inode = 100; inode < 300; ++inode) {
    KeepParse(Image("y", inode, 1), std::make_shared<const Count>(Count{2}));
  }
  EXPECT_TRUE(held.expired()) << "the oldest dropped beyond the bound";
  const FileImagePtr last = Image("z", 999, 1);
  KeepParse(last, std::make_shared<const Count>(Count{4}));
  ForgetParsedFiles();
  EXPECT_EQ(nullptr, KeptParse<Count>(last));
}

}  // namespace
}  // namespace os
