// Ratings while another party changes EFCREC.TBL and the tariff files: replaced atomically
// (a new file renamed over the old) under rating threads, every rating gives the answer of
// the old files or of the new, never an error; rewritten in place by a writer that holds the
// effective table's mutex, a rating that meets the half-written file waits for the writer
// and rates on what it left.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <chrono>
#include <string>
#include <thread>
#include <vector>

#include "platform/os/dir_watch.h"
#include "platform/os/file_cache.h"
#include "platform/os/named_mutex.h"
#include "testkit/driver/shipment_request.h"
#include "testkit/read_file.h"
#include "testkit/temp_dir.h"
#include "tolv32dll/driver/rate_driver.h"
#include "tolv32dll/engine/engine_globals.h"
#include "tolv32dll/engine/initialize.h"

namespace tolv {
namespace {

using Record = std::array<std::uint8_t, 2160>;

std::string At(const Record& r, std::size_t at, std::size_t n) {
  return std::string(reinterpret_cast<const char*>(r.data() + at), n);
}

std::vector<Record> Shipments() {
  const char* lanes[][2] = {{"15010", "60601"}, {"30301", "75001"}, {"15021", "44190"}};
  std::vector<Record> out;
  for (int i = 0; i < 6; ++i) {
    testkit::ShipmentRequest q;
    q.origin_zip = lanes[i % 3][0];
    q.destination_zip = lanes[i % 3][1];
    q.ship_date = "12/05/2026";
    q.lines = {{"100", "1200"}, {"70", std::to_string(200 + 100 * i)}};
    out.push_back(testkit::ShipmentRequestBytes(q));
  }
  return out;
}

// The sample's EFCREC.TBL with its later issue dated a month earlier.
std::string EarlierIssue(std::string efcrec) {
  const std::size_t at = efcrec.find("20261201");
  if (at != std::string::npos) efcrec.replace(at, 8, "20261101");
  return efcrec;
}

class EffectiveWriterTest : public ::testing::Test {
 protected:
  void SetUp() override {
    os::SetSettleTimeForTesting(std::chrono::milliseconds(0));
    dir_.CopyFilesOf(FRELANE_SAMPLE_DIR);
    efcrec_ = testkit::ReadFile(dir_.File("EFCREC.TBL"));
    ASSERT_NE(efcrec_, EarlierIssue(efcrec_));
  }
  void TearDown() override {
    os::SetSettleTimeForTesting(os::kDefaultSettleTime);
    EngineGlobals::Get().set_use_critical_section(1);
  }

  // The records one engine gives for shipments on the data set as it stands.
  std::vector<Record> RatedNow(const std::vector<Record>& shipments) {
    RatingEngine engine;
    EXPECT_EQ(kOk, InitializeEngine(engine, dir_.path().c_str()));
    std::vector<Record> out = shipments;
    for (Record& r : out) RateShipmentRecord(engine, r.data());
    return out;
  }

  // Writes bytes to a new file and renames it over name.
  void Replace(const std::string& name, const std::string& bytes) {
    dir_.Write(name + ".new", bytes);
    ASSERT_EQ(0, ::rename(dir_.File(name + ".new").c_str(), dir_.File(name).c_str()));
  }

  testkit::TempDir dir_;
  std::string efcrec_;
};

TEST_F(EffectiveWriterTest, FilesReplacedAtomicallyUnderRatingThreadsGiveOldOrNewAnswers) {
  const std::vector<Record> shipments = Shipments();
  const std::vector<Record> old_answers = RatedNow(shipments);
  Replace("EFCREC.TBL", EarlierIssue(efcrec_));
  const std::vector<Record> new_answers = RatedNow(shipments);
  ASSERT_EQ("    ", At(old_answers[0], 3, 4));
  ASSERT_NE(At(old_answers[0], 0, 2160), At(new_answers[0], 0, 2160));

  const std::string rates = testkit::ReadFile(dir_.File("NORTHW01.R01"));
  const std::string factors = testkit::ReadFile(dir_.File("NORTHW01.F01"));
  // The lock setting is the library's, and every initialisation reads it afresh: each run
  // sets it once all its engines are initialised, before any rates.
  for (int use_lock : {0, 1}) {
    SCOPED_TRACE(use_lock ? "ratings serialised" : "ratings side by side");
    constexpr int kRaters = 4;
    std::atomic<int> ready{0};
    std::atomic<bool> go{false};
    std::atomic<bool> done{false};
    std::atomic<int> ratings{0};
    std::atomic<int> false_answers{0};
    std::vector<std::thread> raters;
    for (int t = 0; t < kRaters; ++t) {
      raters.emplace_back([&, t] {
        RatingEngine engine;
        const bool initialised = InitializeEngine(engine, dir_.path().c_str()) == kOk;
        ++ready;
        while (!go.load()) std::this_thread::yield();
        if (!initialised) {
          ++false_answers;
          return;
        }
        for (std::size_t i = t; !done.load(); ++i) {
          const std::size_t k = i % shipments.size();
          Record r = shipments[k];
          RateShipmentRecord(engine, r.data());
          if (r != old_answers[k] && r != new_answers[k]) ++false_answers;
          ++ratings;
        }
      });
    }
    while (ready.load() < kRaters) std::this_thread::yield();
    EngineGlobals::Get().set_use_critical_section(use_lock);
    go = true;
    // Replaces for at least a second and until the raters have made enough ratings to meet
    // many replacements, however slow the build (sanitizers) or the machine; bounded all
    // the same.
    constexpr int kEnoughRatings = 200;
    const auto start = std::chrono::steady_clock::now();
    const auto until = start + std::chrono::milliseconds(1000);
    const auto limit = start + std::chrono::seconds(60);
    for (int i = 0; true; ++i) {
      const auto now = std::chrono::steady_clock::now();
      if (now >= limit || (now >= until && ratings.load() >= kEnoughRatings)) break;
      Replace("EFCREC.TBL", i % 2 ? efcrec_ : EarlierIssue(efcrec_));
      Replace("NORTHW01.R01", rates);
      Replace("NORTHW01.F01", factors);
      std::this_thread::sleep_for(std::chrono::microseconds(300));
    }
    done = true;
    for (std::thread& t : raters) t.join();
    EXPECT_EQ(use_lock, EngineGlobals::Get().use_critical_section());
    EXPECT_GE(ratings.load(), kEnoughRatings);
    EXPECT_EQ(0, false_answers.load());
  }
}

TEST_F(EffectiveWriterTest, ARatingMeetingALockedRewriteRatesOnWhatTheWriterLeft) {
  RatingEngine engine;
  ASSERT_EQ(kOk, InitializeEngine(engine, dir_.path().c_str()));
  const Record request = Shipments()[0];
  auto rate = [&] {
    Record r = request;
    RateShipmentRecord(engine, r.data());
    return At(r, 3, 4) + " " + At(r, 151, 10);
  };
  ASSERT_EQ("     12-01-2026", rate());

  // The writer holds the mutex while it rewrites the file in place, in two parts.
  std::unique_ptr<os::NamedMutex> writer = os::NamedMutex::Open(kEffectiveMutexName);
  ASSERT_NE(nullptr, writer);
  ASSERT_EQ(os::NamedMutex::WaitResult::kAcquired, writer->Wait(std::chrono::seconds(30)));
  const std::string next = EarlierIssue(efcrec_);
  const std::string path = dir_.File("EFCREC.TBL");
  int fd = ::open(path.c_str(), O_WRONLY | O_TRUNC);
  ASSERT_GE(fd, 0);
  ASSERT_EQ(100, ::write(fd, next.data(), 100));
  os::WaitForWatcherForTesting();  // the rating begins a moment after the write
  std::string during;
  std::thread rating([&] { during = rate(); });
  std::this_thread::sleep_for(std::chrono::milliseconds(300));
  const auto rest = static_cast<ssize_t>(next.size() - 100);
  ASSERT_EQ(rest, ::write(fd, next.data() + 100, next.size() - 100));
  ::close(fd);
  writer->Release();
  rating.join();

  EXPECT_EQ("     11-01-2026", during);
  EXPECT_EQ("     11-01-2026", rate());
}

}  // namespace
}  // namespace tolv
