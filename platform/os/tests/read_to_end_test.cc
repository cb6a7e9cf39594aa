// Files are read straight into one buffer of their size: no buffer filled beforehand, none
// grown and copied at the end of the file. Counts the bytes allocated while reading.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <atomic>
#include <cstdlib>
#include <new>
#include <string>

#include "platform/os/file_cache.h"
#include "platform/os/regular_file.h"
#include "platform/os/tests/file_cache_fixture.h"

namespace {
std::atomic<bool> counting{false};
std::atomic<std::size_t> allocated{0};
}  // namespace

// Replaced for the whole test program: malloc and free stand behind every new and delete.
#pragma GCC diagnostic ignored "-Wmismatched-new-delete"
void* operator new(std::size_t n, const std::nothrow_t&) noexcept {
  if (counting.load(std::memory_order_relaxed)) allocated += n;
  return std::malloc(n == 0 ? 1 : n);
}
void* operator new(std::size_t n) {
  if (void* p = operator new(n, std::nothrow)) return p;
  throw std::bad_alloc();
}
void* operator new[](std::size_t n) { return operator new(n); }
void* operator new[](std::size_t n, const std::nothrow_t&) noexcept {
  return operator new(n, std::nothrow);
}
void operator delete(void* p) noexcept { std::free(p); }
void operator delete(void* p, std::size_t) noexcept { std::free(p); }
void operator delete(void* p, const std::nothrow_t&) noexcept { std::free(p); }
void operator delete[](void* p) noexcept { std::free(p); }
void operator delete[](void* p, std::size_t) noexcept { std::free(p); }
void operator delete[](void* p, const std::nothrow_t&) noexcept { std::free(p); }

namespace os {
namespace {

// The bytes allocated while f runs.
template <typename F>
std::size_t AllocatedBy(F&& f) {
  allocated = 0;
  counting = true;
  f();
  counting = false;
  return allocated.load();
}

class ReadToEndTest : public ::testing::Test {
 protected:
  int Open(const std::string& name) {
    fd_ = ::open(dir_.File(name).c_str(), O_RDONLY | O_CLOEXEC);
    return fd_;
  }
  void TearDown() override {
    if (fd_ >= 0) ::close(fd_);
  }
  testkit::TempDir dir_;
  int fd_ = -1;
};

constexpr std::size_t kLarge = 4u << 20;

TEST_F(ReadToEndTest, ALargeFileTakesOneBufferOfItsSize) {
  dir_.Write("big.R01", std::string(kLarge, 'r'));
  ASSERT_GE(Open("big.R01"), 0);
  std::optional<ReadBytes> bytes;
  const std::size_t used = AllocatedBy([&] { bytes = ReadToEnd(fd_, kLarge, kLarge); });
  ASSERT_TRUE(bytes.has_value());
  EXPECT_EQ(kLarge, bytes->size);
  EXPECT_EQ('r', bytes->data[kLarge - 1]);
  EXPECT_LE(used, kLarge + 64);

  SetSettleTimeForTesting(std::chrono::milliseconds(0));
  FileImagePtr image;
  const std::size_t imaged =
      AllocatedBy([&] { image = ReadFileImage(dir_.File("big.R01")); });
  SetSettleTimeForTesting(kDefaultSettleTime);
  ASSERT_NE(nullptr, image);
  EXPECT_EQ(kLarge, image->size());
  EXPECT_LE(imaged, kLarge + (64u << 10)) << "the image is the buffer read, not a copy";
}

TEST_F(ReadToEndTest, AFileLargerThanExpectedIsReadToItsEndAndTheLimitHolds) {
  dir_.Write("grown", "0123456789abcdef");
  ASSERT_GE(Open("grown"), 0);
  std::optional<ReadBytes> bytes = ReadToEnd(fd_, 3, 100);
  ASSERT_TRUE(bytes.has_value());
  EXPECT_EQ("0123456789abcdef", std::string(bytes->data.get(), bytes->data.get() + bytes->size));

  ASSERT_EQ(0, ::lseek(fd_, 0, SEEK_SET));
  EXPECT_FALSE(ReadToEnd(fd_, 3, 15).has_value()) << "one byte beyond the limit";
  ASSERT_EQ(0, ::lseek(fd_, 0, SEEK_SET));
  EXPECT_TRUE(ReadToEnd(fd_, 16, 16).has_value()) << "exactly the limit";
  EXPECT_FALSE(ReadToEnd(fd_, 17, 16).has_value()) << "expected beyond the limit";

  dir_.Write("empty", "");
  ::close(fd_);
  ASSERT_GE(Open("empty"), 0);
  bytes = ReadToEnd(fd_, 0, 0);
  ASSERT_TRUE(bytes.has_value());
  EXPECT_EQ(0u, bytes->size);
}

}  // namespace
}  // namespace os
