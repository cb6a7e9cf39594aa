#include "tolv32dll/effective/effective_table.h"

#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <cstring>
#include <thread>

#include "platform/os/file_cache.h"
#include "testkit/effective/efcrec_writer.h"
#include "testkit/temp_dir.h"

namespace tolv {
namespace {

using namespace std::chrono_literals;

std::string TestMutexName() { return "TolvEffectiveTest" + std::to_string(::getpid()); }

// Sets the file's modification time, so that a rewrite within one clock tick still
// counts as a change.
void SetMtime(const std::string& path, long seconds) {
  timespec times[2] = {{seconds, 0}, {seconds, 0}};
  ASSERT_EQ(0, ::utimensat(AT_FDCWD, path.c_str(), times, 0));
}

class EffectiveTableTest : public ::testing::Test {
 protected:
  EffectiveTableTest() : table_(TestMutexName(), 200ms) { table_.set_directory(dir_.path()); }

  void WriteTable(const std::vector<testkit::EfcrecLine>& lines, long mtime) {
    dir_.Write("EFCREC.TBL", testkit::EfcrecFile(lines));
    SetMtime(dir_.File("EFCREC.TBL"), mtime);
  }
  int IndexOf(std::string_view name) {
    const auto& e = table_.entries();
    for (std::size_t i = 0; i < e.size(); ++i) {
      if (e[i].Name() == name) return static_cast<int>(i);
    }
    return -1;
  }

  testkit::TempDir dir_;
  EffectiveTable table_;
};

testkit::EfcrecLine Tariff(const char* name, int number, const char* version = "4.18") {
  testkit::EfcrecLine l;
  l.tariff_name = name;
  l.tariff_number = number;
  l.version = version;
  return l;
}

TEST_F(EffectiveTableTest, MissingFileIs203) {
  EXPECT_EQ(kErrEfcopn, table_.Load());
  EXPECT_EQ(kErrEfcopn, table_.ListingSize().error());
}

TEST_F(EffectiveTableTest, SelectionChecksTheVersionAgainstTheLibrary) {
  WriteTable({Tariff("OLD00001", 1, "3.9"), Tariff("NEW00001", 2, "4.19"),
              Tariff("ZERO0001", 3, "4.0"), Tariff("BARE0001", 4, "418"),
              Tariff("PKG00001", 5, "4.8")},
             1000);
  ASSERT_EQ(kOk, table_.Load());
  CurrentTariff current;
  EXPECT_EQ(kErrEfcold, table_.Select(IndexOf("OLD00001"), &current));
  EXPECT_EQ(kErrEfcnew, table_.Select(IndexOf("NEW00001"), &current));
  EXPECT_EQ(kErrEfcold, table_.Select(IndexOf("BARE0001"), &current));
  EXPECT_EQ(CurrentTariff{}, current);
  EXPECT_EQ(kOk, table_.Select(IndexOf("PKG00001"), &current));
  EXPECT_EQ(kOk, table_.Select(IndexOf("ZERO0001"), &current));
  EXPECT_EQ("ZERO0001", TextOf(current.tariff_name));
  EXPECT_EQ(3, current.tariff_number);
  EXPECT_FLOAT_EQ(4.0f, current.rating_version);
}

TEST_F(EffectiveTableTest, SelectionFillsTheCurrentTariffFromTheLine) {
  // Files count as settled at once, so that selections are kept while the file stands.
  os::SetSettleTimeForTesting(0ms);
  testkit::EfcrecLine l = Tariff("ABCD0001", 100);
  l.point_file_no = "AA";
  l.factor_file_no = "07";
  l.point_file_mode = 'Y';
  l.jurisdiction = 'C';
  l.index_format = 'P';
  l.companion_code = "12";
  // A later line of the same tariff (number, date and name) selects as the first one, also
  // from a table already read.
  testkit::EfcrecLine twin = l;
  twin.point_file_no = "BB";
  WriteTable({l, twin, Tariff("ABCD0002", 101)}, 1000);
  ASSERT_EQ(kOk, table_.Load());
  CurrentTariff c;
  ASSERT_EQ(kOk, table_.Select(2, &c));
  ASSERT_EQ(kOk, table_.Select(1, &c));
  EXPECT_EQ('B', c.record_letter);
  EXPECT_EQ(20, c.century);
  EXPECT_EQ(24, c.year);
  EXPECT_EQ("AA", TextOf(c.point_file_no));
  EXPECT_EQ("07", TextOf(c.factor_file_no));
  EXPECT_EQ("01", TextOf(c.default_file_no));
  EXPECT_EQ('E', c.point_type);
  EXPECT_EQ('Y', c.point_file_mode);
  EXPECT_EQ('C', c.jurisdiction);
  EXPECT_EQ('Y', c.tariff_kind);
  EXPECT_EQ('P', c.index_format);
  EXPECT_EQ("12", TextOf(c.companion_code));
  EXPECT_FLOAT_EQ(4.18f, c.rating_version);

  // The line rewritten under the same tariff: what was selected of it before is not kept.
  l.point_file_no = "CC";
  WriteTable({l, twin, Tariff("ABCD0002", 101)}, 1001);
  ASSERT_EQ(kOk, table_.Select(2, &c));
  ASSERT_EQ(kOk, table_.Select(1, &c));
  EXPECT_EQ("CC", TextOf(c.point_file_no));
  os::SetSettleTimeForTesting(os::kDefaultSettleTime);
}

TEST_F(EffectiveTableTest, ReloadNeverSelectsFromTheStaleTable) {
  WriteTable({Tariff("FRST0001", 100), Tariff("SCND0001", 200)}, 1000);
  ASSERT_EQ(kOk, table_.Load());
  int second = IndexOf("SCND0001");
  ASSERT_EQ(1, second);
  // The file is replaced: a new tariff now sorts first, so index 1 means another line.
  WriteTable({Tariff("SCND0001", 200), Tariff("ZERO0001", 50), Tariff("FRST0001", 100)}, 2000);
  CurrentTariff current;
  ASSERT_EQ(kOk, table_.Select(second, &current));
  EXPECT_EQ("SCND0001", TextOf(current.tariff_name));
  EXPECT_EQ(3u, table_.entries().size());

  // Rewritten within the same tick, same size: the line read is checked all the same.
  int first = IndexOf("FRST0001");
  WriteTable({Tariff("SCND0001", 200), Tariff("FRST0001", 100), Tariff("ZERO0001", 50)}, 2000);
  ASSERT_EQ(kOk, table_.Select(first, &current));
  EXPECT_EQ("FRST0001", TextOf(current.tariff_name));

  // A tariff that left the file cannot be selected.
  int zero = IndexOf("ZERO0001");
  WriteTable({Tariff("SCND0001", 200)}, 3000);
  EXPECT_EQ(kErrEfcred, table_.Select(zero, &current));
}

struct Notified {
  int calls = 0;
  std::int32_t code = -1;
  std::vector<std::uint8_t> message;
};

void Record(std::intptr_t user, std::uint8_t* message) {
  auto* n = reinterpret_cast<Notified*>(user);
  ++n->calls;
  n->message.assign(message, message + notify_message::kSize);
  n->code = static_cast<std::int32_t>(message[0] | message[1] << 8 | message[2] << 16 |
                                      message[3] << 24);
}

TEST_F(EffectiveTableTest, ChangedFileReloadsAndNotifies) {
  testkit::EfcrecLine n = Tariff("NORT0001", 100);
  n.tariff_kind = 'N';
  WriteTable({n}, 1000);
  ASSERT_EQ(kOk, table_.Load());
  Notified notified;
  table_.SetNotifyCallback(reinterpret_cast<std::intptr_t>(&notified), &Record);

  // The first look after loading always finds a change.
  ASSERT_EQ(1, table_.ListingSize().value());
  EXPECT_EQ(1, notified.calls);
  EXPECT_EQ(kNotifyReloadOnListing, notified.code);
  std::vector<std::uint8_t> expected(512, 0);
  expected[0] = 6;
  expected[4] = 1;
  EXPECT_EQ(expected, notified.message);
  ASSERT_EQ(1, table_.ListingSize().value());
  EXPECT_EQ(1, notified.calls);  // untouched: no reload

  testkit::EfcrecLine n2 = Tariff("NORT0002", 101);
  n2.tariff_kind = 'N';
  WriteTable({n, n2}, 1001);
  ASSERT_EQ(2, table_.ListingSize().value());
  EXPECT_EQ(2, notified.calls);
  ASSERT_NE(nullptr, table_.ListingRow(1));
  EXPECT_EQ(nullptr, table_.ListingRow(2));

  WriteTable({n, n2}, 1002);
  CurrentTariff current;
  ASSERT_EQ(kOk, table_.Select(0, &current));
  EXPECT_EQ(3, notified.calls);
  EXPECT_EQ(kNotifyReloadOnSelect, notified.code);

  table_.SetNotifyCallback(0, nullptr);
  WriteTable({n}, 1003);
  EXPECT_EQ(1, table_.ListingSize().value());

  // A broken rewrite is an error every time, not an empty table once it has been seen.
  dir_.Write("EFCREC.TBL", "short");
  EXPECT_EQ(kErrEfcred, table_.ListingSize().error());
  EXPECT_EQ(kErrEfcred, table_.ListingSize().error());
}

// A rewrite through a shared mapping raises no directory event; the listing and the notice
// follow it all the same, within a bound.
TEST_F(EffectiveTableTest, ARewriteThroughASharedMappingReloadsAndNotifies) {
  os::SetSettleTimeForTesting(0ms);
  const std::string before = testkit::EfcrecFile({Tariff("NORT0001", 100)});
  const std::string after = testkit::EfcrecFile({Tariff("NORT0002", 100)});
  ASSERT_EQ(before.size(), after.size());
  WriteTable({Tariff("NORT0001", 100)}, 1000);
  const int fd = ::open(dir_.File("EFCREC.TBL").c_str(), O_RDWR);
  ASSERT_GE(fd, 0);
  void* map = ::mmap(nullptr, before.size(), PROT_READ | PROT_WRITE, MAP_SHARED, fd, 0);
  ::close(fd);
  ASSERT_NE(MAP_FAILED, map);
  Notified notified;
  table_.SetNotifyCallback(reinterpret_cast<std::intptr_t>(&notified), &Record);
  ASSERT_EQ(1, table_.ListingSize().value());
  ASSERT_EQ(1, table_.ListingSize().value());
  ASSERT_EQ(1, notified.calls);

  std::memcpy(map, after.data(), after.size());
  ASSERT_EQ(0, ::msync(map, after.size(), MS_SYNC));
  const auto give_up = std::chrono::steady_clock::now() + 5s;
  while (notified.calls == 1 && std::chrono::steady_clock::now() < give_up) {
    ASSERT_EQ(1, table_.ListingSize().value());
    std::this_thread::sleep_for(10ms);
  }
  // Unmapped only now: the last close of the file, which raises an event.
  ::munmap(map, after.size());
  os::SetSettleTimeForTesting(os::kDefaultSettleTime);
  EXPECT_EQ(2, notified.calls);
  EXPECT_EQ(kNotifyReloadOnListing, notified.code);
  ASSERT_EQ(1u, table_.entries().size());
  EXPECT_EQ("NORT0002", table_.entries()[0].Name());
}

// Waits until the child writes its byte into the pipe.
void WaitFor(int fd) {
  char c;
  ASSERT_EQ(1, ::read(fd, &c, 1));
}

TEST(EffectiveLockTest, SecondProcessWaitsUntilTheHolderReleasesOrDies) {
  const std::string name = TestMutexName() + "lock";
  for (bool dies : {false, true}) {
    int ready[2];
    int go[2];
    ASSERT_EQ(0, ::pipe(ready));
    ASSERT_EQ(0, ::pipe(go));
    pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
      EffectiveTable holder(name, 1000ms);
      if (!holder.Lock()) ::_exit(2);
      char c = 'x';
      if (::write(ready[1], &c, 1) != 1) ::_exit(3);
      if (::read(go[0], &c, 1) != 1) ::_exit(4);
      if (dies) ::_exit(0);  // the kernel lets go of the lock
      holder.Unlock();
      ::pause();
    }
    WaitFor(ready[0]);
    EffectiveTable waiter(name, 100ms);
    EXPECT_FALSE(waiter.Lock()) << "the child holds it";
    char c = 'g';
    ASSERT_EQ(1, ::write(go[1], &c, 1));
    EffectiveTable patient(name, 10s);
    EXPECT_TRUE(patient.Lock()) << (dies ? "abandoned" : "released");
    EXPECT_TRUE(patient.Lock()) << "recursive for its owner";
    EXPECT_TRUE(patient.Unlock());
    EXPECT_TRUE(patient.Unlock());
    EXPECT_FALSE(patient.Unlock());
    ::kill(child, SIGKILL);
    int status = 0;
    ::waitpid(child, &status, 0);
    for (int fd : {ready[0], ready[1], go[0], go[1]}) ::close(fd);
  }
}

}  // namespace
}  // namespace tolv
