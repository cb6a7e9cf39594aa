// The engine keeps what it read of the data set while the files stay as they were; a file
// rewritten between two ratings (a new tariff issue, new determination data) shows in the
// very next rating. Runs on a copy of the sample data set.
#include <dirent.h>
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstring>
#include <string>
#include <thread>

#include "platform/os/dir_watch.h"
#include "platform/os/file_cache.h"
#include "testkit/bind_mount.h"
#include "testkit/driver/shipment_request.h"
#include "testkit/read_file.h"
#include "testkit/temp_dir.h"
#include "tolv32dll/driver/rate_driver.h"
#include "tolv32dll/engine/initialize.h"

namespace tolv {
namespace {

using Record = std::array<std::uint8_t, 2160>;

std::string At(const Record& r, std::size_t at, std::size_t n) {
  return std::string(reinterpret_cast<const char*>(r.data() + at), n);
}

// Each case runs with the data directory watched, and with the watch off.
class ChangedFilesTest : public ::testing::TestWithParam<bool> {
 protected:
  void SetUp() override {
    // Files written a moment ago are served from the caches, as settled files are.
    os::SetSettleTimeForTesting(std::chrono::milliseconds(0));
    os::SetDirWatchEnabledForTesting(GetParam());
    DIR* sample = ::opendir(FRELANE_SAMPLE_DIR);
    ASSERT_NE(nullptr, sample);
    while (const dirent* entry = ::readdir(sample)) {
      std::string from = std::string(FRELANE_SAMPLE_DIR) + entry->d_name;
      struct stat st;
      if (::stat(from.c_str(), &st) == 0 && S_ISREG(st.st_mode)) {
        dir_.Write(entry->d_name, testkit::ReadFile(from));
      }
    }
    ::closedir(sample);
    ASSERT_EQ(kOk, InitializeEngine(engine_, dir_.path().c_str()));
  }
  void TearDown() override {
    os::SetSettleTimeForTesting(os::kDefaultSettleTime);
    os::SetDirWatchEnabledForTesting(true);
  }

  // A rating begun a moment after the changes made before it, as the watcher takes them in.
  Record Rate() {
    os::WaitForWatcherForTesting();
    return RateIn(engine_);
  }
  static Record RateIn(RatingEngine& engine) {
    testkit::ShipmentRequest q;
    q.origin_zip = "15010";
    q.destination_zip = "60601";
    q.ship_date = "12/05/2026";
    q.lines = {{"100", "1200"}, {"70", "450"}, {"250", "80"}};
    Record r = testkit::ShipmentRequestBytes(q);
    RateShipmentRecord(engine, r.data());
    return r;
  }

  Record RateInAFreshEngine() {
    RatingEngine fresh;
    EXPECT_EQ(kOk, InitializeEngine(fresh, dir_.path().c_str()));
    return RateIn(fresh);
  }

  // Rewrites a file in place and gives it a modification time of its own, as a write in a
  // later tick of the file system's clock would.
  void Rewrite(const std::string& name, const std::string& bytes, long second) {
    dir_.Write(name, bytes);
    struct timespec times[2] = {{second, 0}, {second, 0}};
    ASSERT_EQ(0, ::utimensat(AT_FDCWD, dir_.File(name).c_str(), times, 0));
  }

  testkit::TempDir dir_;
  RatingEngine engine_;
};

TEST_P(ChangedFilesTest, RewrittenFilesShowInTheNextRating) {
  Record first = Rate();
  ASSERT_EQ("    ", At(first, 3, 4));
  ASSERT_EQ("12-01-2026", At(first, 151, 10));
  EXPECT_EQ(At(first, 0, 2160), At(Rate(), 0, 2160)) << "rated again from what was kept";

  // The later issue dated a month earlier: the same size, only the time tells.
  const std::string efcrec = testkit::ReadFile(dir_.File("EFCREC.TBL"));
  std::string moved = efcrec;
  std::size_t at = moved.find("20261201");
  ASSERT_NE(std::string::npos, at);
  moved.replace(at, 8, "20261101");
  Rewrite("EFCREC.TBL", moved, 1'000'000'000);
  EXPECT_EQ("11-01-2026", At(Rate(), 151, 10));

  // The later issue withdrawn: the earlier one is in force again.
  std::string withdrawn = efcrec;
  withdrawn.erase(efcrec.find("B10020261201"), 76);
  Rewrite("EFCREC.TBL", withdrawn, 1'000'000'001);
  Record earlier = Rate();
  EXPECT_EQ("01-01-2025", At(earlier, 151, 10));

  // Determination data without the origin's ZIP range, then with it again.
  const std::string tdz = testkit::ReadFile(dir_.File("TDZ.BIN"));
  Rewrite("TDZ.BIN", "", 1'000'000'003);
  EXPECT_NE("    ", At(Rate(), 3, 4));
  Rewrite("TDZ.BIN", tdz, 1'000'000'004);
  EXPECT_EQ(At(earlier, 0, 2160), At(Rate(), 0, 2160));
  // And without the points' area values.
  const std::string tdt = testkit::ReadFile(dir_.File("TDT.BIN"));
  Rewrite("TDT.BIN", "", 1'000'000'003);
  EXPECT_NE("    ", At(Rate(), 3, 4));
  Rewrite("TDT.BIN", tdt, 1'000'000'004);
  EXPECT_EQ(At(earlier, 0, 2160), At(Rate(), 0, 2160));

  // The only TD version moved past the ship date, the same size: none is in force yet.
  const std::string tdv = testkit::ReadFile(dir_.File("TDV.SEQ"));
  ASSERT_EQ("0120240101\r\n", tdv);
  Rewrite("TDV.SEQ", "0120270101\r\n", 1'000'000'005);
  EXPECT_EQ("0122", At(Rate(), 3, 4));
  Rewrite("TDV.SEQ", tdv, 1'000'000'006);
  EXPECT_EQ(At(earlier, 0, 2160), At(Rate(), 0, 2160));
}

TEST_P(ChangedFilesTest, ReplacedRemovedAndAddedFilesShowInTheNextRating) {
  const Record first = Rate();
  ASSERT_EQ("    ", At(first, 3, 4));
  const std::string tdv = testkit::ReadFile(dir_.File("TDV.SEQ"));
  Rewrite("TDV.SEQ", tdv, 1'000'000'000);
  ASSERT_EQ(At(first, 0, 2160), At(Rate(), 0, 2160));

  // Replaced by a file of the same size and time whose only version is not yet in force.
  Rewrite("TDV.NEW", "0120270101\r\n", 1'000'000'000);
  ASSERT_EQ(0, ::rename(dir_.File("TDV.NEW").c_str(), dir_.File("TDV.SEQ").c_str()));
  EXPECT_EQ("0122", At(Rate(), 3, 4));

  ASSERT_EQ(0, ::unlink(dir_.File("TDV.SEQ").c_str()));
  EXPECT_EQ("0130", At(Rate(), 3, 4));

  // Back under a name of another case.
  Rewrite("tdv.seq", tdv, 1'000'000'001);
  EXPECT_EQ(At(first, 0, 2160), At(Rate(), 0, 2160));
}

// Trees of hard links (cp -al) and in-place copies (rsync --inplace) write through a name
// in another directory: the rating still sees the new bytes.
TEST_P(ChangedFilesTest, AWriteThroughAHardLinkMadeAfterTheFirstRatingShows) {
  ASSERT_EQ("12-01-2026", At(Rate(), 151, 10));
  testkit::TempDir elsewhere;
  const std::string link = elsewhere.File("EFCREC.TBL");
  ASSERT_EQ(0, ::link(dir_.File("EFCREC.TBL").c_str(), link.c_str()));
  ASSERT_EQ("12-01-2026", At(Rate(), 151, 10));
  std::string moved = testkit::ReadFile(link);
  moved.replace(moved.find("20261201"), 8, "20261101");
  elsewhere.Write("EFCREC.TBL", moved);
  struct timespec times[2] = {{1'000'000'000, 0}, {1'000'000'000, 0}};
  ASSERT_EQ(0, ::utimensat(AT_FDCWD, link.c_str(), times, 0));
  EXPECT_EQ("11-01-2026", At(Rate(), 151, 10));
}

// The rate files rewritten in place through hard links in another directory, the same size
// and within the same clock tick: only the files themselves can tell.
TEST_P(ChangedFilesTest, AnInPlaceWriteThroughALinkElsewhereShowsWithoutATimeOfItsOwn) {
  const Record first = Rate();
  ASSERT_EQ("    ", At(first, 3, 4));
  testkit::TempDir elsewhere;
  for (const char* name : {"MILE0001.R01", "NORTHW01.R01", "PARCEL01.R01", "QFLC0001.R01",
                           "ZIPRNG01.R01"}) {
    const std::string link = elsewhere.File(name);
    ASSERT_EQ(0, ::link(dir_.File(name).c_str(), link.c_str())) << name;
    const std::string blank(testkit::ReadFile(link).size(), ' ');
    const int fd = ::open(link.c_str(), O_WRONLY);
    ASSERT_GE(fd, 0);
    ASSERT_EQ(static_cast<ssize_t>(blank.size()), ::pwrite(fd, blank.data(), blank.size(), 0));
    ::close(fd);
  }
  const Record after = Rate();
  EXPECT_TRUE(first != after) << "rated from the old rate file";
  EXPECT_EQ("0145", At(after, 3, 4));
  EXPECT_TRUE(after == RateInAFreshEngine());
}

// Changes that raise no directory event: each must show within the watcher's stamp check,
// well inside this bound.
constexpr auto kPatience = std::chrono::seconds(5);

// A whole file opened through a shared mapping, written through it and synced.
class SharedMapping {
 public:
  explicit SharedMapping(const std::string& path) {
    const int fd = ::open(path.c_str(), O_RDWR);
    struct stat st;
    if (fd < 0 || ::fstat(fd, &st) != 0) return;
    size_ = static_cast<std::size_t>(st.st_size);
    void* map = ::mmap(nullptr, size_, PROT_READ | PROT_WRITE, MAP_SHARED, fd, 0);
    // The file's last close comes only with the unmapping, which raises an event.
    ::close(fd);
    if (map != MAP_FAILED) bytes_ = static_cast<char*>(map);
  }
  ~SharedMapping() {
    if (bytes_ != nullptr) ::munmap(bytes_, size_);
  }
  bool mapped() const { return bytes_ != nullptr; }
  std::string_view bytes() const { return {bytes_, size_}; }
  bool Write(const std::string& bytes) { return Store(bytes) && ::msync(bytes_, size_, MS_SYNC) == 0; }
  // Writes through the mapping without syncing.
  bool Store(const std::string& bytes) {
    if (bytes.size() != size_) return false;
    std::memcpy(bytes_, bytes.data(), size_);
    return true;
  }

 private:
  char* bytes_ = nullptr;
  std::size_t size_ = 0;
};

using testkit::BindMount;

struct Notified {
  int calls = 0;
  std::int32_t code = -1;
};
void Note(std::intptr_t user, std::uint8_t* message) {
  auto* notified = reinterpret_cast<Notified*>(user);
  ++notified->calls;
  std::memcpy(&notified->code, message, 4);
}

class SilentChangesTest : public ChangedFilesTest {
 protected:
  // True once a rating shows text at [at, at + text.size()), rating until kPatience has
  // passed. No wait for the watcher: these changes come to it by its own clock.
  bool RatedBecomes(std::size_t at, const std::string& text) {
    const auto give_up = std::chrono::steady_clock::now() + kPatience;
    while (At(RateIn(engine_), at, text.size()) != text) {
      if (std::chrono::steady_clock::now() > give_up) return false;
      std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    return true;
  }
  // The effective date of the tariff rated.
  bool DateBecomes(const std::string& date) { return RatedBecomes(151, date); }
  // The sample's effective table with its later issue dated a month earlier.
  std::string MovedEffectiveTable() {
    std::string moved = testkit::ReadFile(dir_.File("EFCREC.TBL"));
    moved.replace(moved.find("20261201"), 8, "20261101");
    return moved;
  }
  // The rate file of the tariff rated (its name, then the rate file number 01).
  std::string RateFileName(const Record& r) { return At(r, 82, 8) + ".R01"; }
};

TEST_P(SilentChangesTest, WritesThroughSharedMappingsShow) {
  const std::string rate_file = RateFileName(Rate());
  // Times of their own first, so that a write within the clock tick of the copy shows too.
  Rewrite("EFCREC.TBL", testkit::ReadFile(dir_.File("EFCREC.TBL")), 1'000'000'000);
  Rewrite(rate_file, testkit::ReadFile(dir_.File(rate_file)), 1'000'000'000);
  // Mapped before the rating reads them again: only the files' stamps tell of the writes.
  SharedMapping effective(dir_.File("EFCREC.TBL"));
  SharedMapping rates(dir_.File(rate_file));
  ASSERT_TRUE(effective.mapped() && rates.mapped()) << rate_file;
  const Record first = Rate();
  ASSERT_EQ("    ", At(first, 3, 4));
  ASSERT_EQ("12-01-2026", At(first, 151, 10));
  Notified notified;
  engine_.effective.SetNotifyCallback(reinterpret_cast<std::intptr_t>(&notified), &Note);
  const Result<int> rows = engine_.effective.ListingSize();
  ASSERT_TRUE(rows.ok());
  ASSERT_EQ(At(first, 0, 2160), At(RateIn(engine_), 0, 2160)) << "rated again as kept";

  // The effective table: the listing and the notice follow, and then the rating.
  ASSERT_TRUE(effective.Write(MovedEffectiveTable()));
  const auto give_up = std::chrono::steady_clock::now() + kPatience;
  while (notified.calls == 0 && std::chrono::steady_clock::now() < give_up) {
    ASSERT_EQ(*rows, engine_.effective.ListingSize().value());
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
  EXPECT_EQ(1, notified.calls);
  EXPECT_EQ(kNotifyReloadOnListing, notified.code);
  EXPECT_TRUE(DateBecomes("11-01-2026"));
  EXPECT_EQ(1, notified.calls) << "the rating found the table reloaded already";

  // The rate file blanked: the rating fails as a fresh engine's does.
  ASSERT_TRUE(rates.Write(std::string(rates.bytes().size(), ' ')));
  EXPECT_TRUE(RatedBecomes(3, "0145"));
  EXPECT_TRUE(RateIn(engine_) == RateInAFreshEngine());
}

// The limit of what the stamps can tell: a write into a mapped page that is already dirty
// moves no stamp, so a running engine keeps what it read (a later engine reads the new
// bytes). A writer that syncs each change is seen at its next one.
TEST_P(SilentChangesTest, ASecondWriteIntoADirtyMappedPageIsNotSeenUntilAWriteAfterASync) {
  const std::string efcrec = testkit::ReadFile(dir_.File("EFCREC.TBL"));
  Rewrite("EFCREC.TBL", efcrec, 1'000'000'000);
  SharedMapping effective(dir_.File("EFCREC.TBL"));
  ASSERT_TRUE(effective.mapped());
  ASSERT_EQ("12-01-2026", At(Rate(), 151, 10));

  // The first write into the page faults, which moves the file's times.
  const std::string moved = MovedEffectiveTable();
  ASSERT_TRUE(effective.Store(moved));
  EXPECT_TRUE(DateBecomes("11-01-2026"));
  std::string again = moved;
  again.replace(again.find("20261101"), 8, "20261002");
  ASSERT_TRUE(effective.Store(again));
  std::this_thread::sleep_for(3 * os::kStampCheckInterval);
  ASSERT_EQ(again, testkit::ReadFile(dir_.File("EFCREC.TBL"))) << "the file holds the write";
  EXPECT_EQ("11-01-2026", At(Rate(), 151, 10)) << "the second write is seen after all";

  ASSERT_TRUE(effective.Write(again));
  ASSERT_TRUE(effective.Write(efcrec));
  EXPECT_TRUE(DateBecomes("12-01-2026"));
}

TEST_P(SilentChangesTest, AMountOverADataFileAndItsUnmountShow) {
  const Record first = Rate();
  ASSERT_EQ("12-01-2026", At(first, 151, 10));
  testkit::TempDir other;
  other.Write("EFCREC.TBL", MovedEffectiveTable());
  {
    BindMount mount(other.File("EFCREC.TBL"), dir_.File("EFCREC.TBL"));
    SKIP_UNLESS_MOUNTED(mount);
    EXPECT_TRUE(DateBecomes("11-01-2026"));
    ASSERT_TRUE(mount.Undo());
    EXPECT_TRUE(DateBecomes("12-01-2026"));
  }
  const std::string rate_file = RateFileName(first);
  other.Write(rate_file, std::string(testkit::ReadFile(dir_.File(rate_file)).size(), ' '));
  BindMount mount(other.File(rate_file), dir_.File(rate_file));
  ASSERT_TRUE(mount.mounted());
  EXPECT_TRUE(RatedBecomes(3, "0145"));
  ASSERT_TRUE(mount.Undo());
  EXPECT_TRUE(RatedBecomes(0, At(first, 0, 2160)));
}

TEST_P(SilentChangesTest, AMountOverTheDataDirectoryAndItsUnmountShow) {
  const Record first = Rate();
  ASSERT_EQ("12-01-2026", At(first, 151, 10));
  testkit::TempDir other;
  other.CopyFilesOf(dir_.path());
  other.Write("EFCREC.TBL", MovedEffectiveTable());
  BindMount mount(other.path(), dir_.path());
  SKIP_UNLESS_MOUNTED(mount);
  EXPECT_TRUE(DateBecomes("11-01-2026"));
  ASSERT_TRUE(mount.Undo());
  EXPECT_TRUE(RatedBecomes(0, At(first, 0, 2160)));
}

INSTANTIATE_TEST_SUITE_P(Both, SilentChangesTest, ::testing::Bool(),
                         [](const auto& info) { return info.param ? "Watched" : "Checked"; });

// A rate file above the image limit is kept open as a descriptor under the same rule as an
// image: rated again through it, and each change to it shows in the next rating.
// Files above 32 kB kept as descriptors while it stands.
struct SmallImageLimit {
  std::size_t before = os::MaxFileImageSize();
  SmallImageLimit() { os::SetMaxFileImageSizeForTesting(32u << 10); }
  ~SmallImageLimit() { os::SetMaxFileImageSizeForTesting(before); }
};

TEST_P(ChangedFilesTest, ARateFileAboveTheImageLimitIsKeptOpenAndItsChangesShow) {
  SmallImageLimit limit;
  std::string rates = testkit::ReadFile(dir_.File("NORTHW01.R01"));
  const std::size_t used = rates.size();
  rates.resize(64u << 10, '\0');
  Rewrite("NORTHW01.R01", rates, 1'000'000'000);
  const Record first = Rate();
  ASSERT_EQ("    ", At(first, 3, 4));
  EXPECT_TRUE(first == Rate());

  testkit::TempDir elsewhere;
  const std::string link = elsewhere.File("NORTHW01.R01");
  ASSERT_EQ(0, ::link(dir_.File("NORTHW01.R01").c_str(), link.c_str()));
  ASSERT_TRUE(first == Rate());
  const std::string blank(used, ' ');
  const int fd = ::open(link.c_str(), O_WRONLY);
  ASSERT_GE(fd, 0);
  ASSERT_EQ(static_cast<ssize_t>(used), ::pwrite(fd, blank.data(), used, 0));
  ::close(fd);
  const Record blanked = Rate();
  EXPECT_NE(At(first, 0, 2160), At(blanked, 0, 2160)) << "rated from the old rate file";
  EXPECT_TRUE(blanked == RateInAFreshEngine());

  Rewrite("NORTHW01.NEW", rates, 1'000'000'001);
  ASSERT_EQ(0, ::rename(dir_.File("NORTHW01.NEW").c_str(), dir_.File("NORTHW01.R01").c_str()));
  EXPECT_EQ(At(first, 0, 2160), At(Rate(), 0, 2160)) << "replaced by the first rates again";
}

// How many of the process's descriptors are open on path, or on the file it named before
// it was deleted.
int DescriptorsOpenOn(const std::string& path) {
  int count = 0;
  DIR* fds = ::opendir("/proc/self/fd");
  if (fds == nullptr) return -1;
  while (const dirent* entry = ::readdir(fds)) {
    char target[4096];
    const std::string link = std::string("/proc/self/fd/") + entry->d_name;
    const ssize_t n = ::readlink(link.c_str(), target, sizeof target);
    if (n <= 0) continue;
    const std::string to(target, static_cast<std::size_t>(n));
    if (to == path || to == path + " (deleted)") ++count;
  }
  ::closedir(fds);
  return count;
}

// A deleted rate file kept as a descriptor is let go by the next rating, and with it its
// disk blocks, though nothing looks its name up again.
TEST_P(ChangedFilesTest, ADeletedRateFileAboveTheImageLimitIsClosedByTheNextRating) {
  SmallImageLimit limit;
  const std::string path = dir_.File("NORTHW01.R01");
  std::string rates = testkit::ReadFile(path);
  rates.resize(64u << 10, '\0');
  Rewrite("NORTHW01.R01", rates, 1'000'000'000);
  ASSERT_EQ("    ", At(Rate(), 3, 4));
  ASSERT_EQ("    ", At(Rate(), 3, 4));
  ASSERT_LT(0, DescriptorsOpenOn(path)) << "kept open between ratings";

  ASSERT_EQ(0, ::unlink(path.c_str()));
  EXPECT_NE("    ", At(Rate(), 3, 4));
  EXPECT_EQ(0, DescriptorsOpenOn(path));
}

INSTANTIATE_TEST_SUITE_P(Both, ChangedFilesTest, ::testing::Bool(),
                         [](const auto& info) { return info.param ? "Watched" : "Checked"; });

}  // namespace
}  // namespace tolv
