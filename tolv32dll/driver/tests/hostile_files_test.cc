// What lies at a data file's name may be no file at all: a FIFO nobody writes, or a link to
// a device that never ends. Initialising and rating then come back with an error number (or
// a rating that never needed the file), never blocked and never growing without end.
#include <dirent.h>
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <chrono>
#include <future>
#include <string>
#include <vector>

#include "platform/os/file_cache.h"
#include "testkit/driver/shipment_request.h"
#include "testkit/temp_dir.h"
#include "tolv32dll/driver/rate_driver.h"
#include "tolv32dll/engine/initialize.h"

namespace tolv {
namespace {

using Record = std::array<std::uint8_t, 2160>;

// The outcome of initialising an engine on dir and rating one shipment of the sample with
// it: the initialisation's number, or the record's status.
std::string InitialiseAndRate(const std::string& dir) {
  RatingEngine engine;
  ErrorNumber init = InitializeEngine(engine, dir.c_str());
  if (init != kOk) return "init " + std::to_string(init);
  testkit::ShipmentRequest q;
  q.origin_zip = "15010";
  q.destination_zip = "60601";
  q.ship_date = "12/05/2026";
  q.lines = {{"100", "1200"}, {"70", "450"}};
  Record r = testkit::ShipmentRequestBytes(q);
  RateShipmentRecord(engine, r.data());
  return "status " + std::string(reinterpret_cast<const char*>(r.data() + 3), 4);
}

std::vector<std::string> SampleFileNames() {
  std::vector<std::string> names;
  DIR* sample = ::opendir(FRELANE_SAMPLE_DIR);
  while (const dirent* entry = sample ? ::readdir(sample) : nullptr) {
    struct stat st;
    std::string path = std::string(FRELANE_SAMPLE_DIR) + entry->d_name;
    if (::stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode) && st.st_size < (1 << 20)) {
      names.push_back(entry->d_name);
    }
  }
  if (sample) ::closedir(sample);
  return names;
}

class HostileFilesTest : public ::testing::Test {
 protected:
  void SetUp() override {
    dir_.CopyFilesOf(FRELANE_SAMPLE_DIR);
    ASSERT_EQ("status     ", InitialiseAndRate(dir_.path()));
  }

  // Puts what make creates at each data file's name in turn, and initialises and rates on
  // it; the file is put back after each.
  template <typename Make>
  void EachFileReplacedBy(Make make) {
    for (const std::string& name : SampleFileNames()) {
      const std::string path = dir_.File(name);
      const std::string kept = dir_.File(".kept");
      ASSERT_EQ(0, ::rename(path.c_str(), kept.c_str()));
      make(path);
      auto outcome = std::async(std::launch::async, [&] { return InitialiseAndRate(dir_.path()); });
      if (outcome.wait_for(std::chrono::seconds(20)) != std::future_status::ready) {
        ADD_FAILURE() << name << ": still busy";
        // Lets a reader blocked on a FIFO go on, so the test can end.
        int unblock = ::open(path.c_str(), O_RDWR | O_NONBLOCK);
        outcome.wait();
        if (unblock >= 0) ::close(unblock);
      }
      const std::string result = outcome.get();
      ASSERT_EQ(0, ::unlink(path.c_str()));
      ASSERT_EQ(0, ::rename(kept.c_str(), path.c_str()));
      // The names a rating needs fail it; the others leave it rated.
      EXPECT_TRUE(result.rfind("init ", 0) == 0 || result.rfind("status ", 0) == 0) << name;
    }
  }

  testkit::TempDir dir_;
};

TEST_F(HostileFilesTest, AFifoAtADataFilesNameGivesAnErrorNotAHang) {
  EachFileReplacedBy([](const std::string& path) { ASSERT_EQ(0, ::mkfifo(path.c_str(), 0600)); });
  EXPECT_EQ("status     ", InitialiseAndRate(dir_.path()));
}

TEST_F(HostileFilesTest, ALinkToAnEndlessDeviceGivesAnErrorNotAnEndlessRead) {
  for (const char* device : {"/dev/zero", "/dev/urandom"}) {
    EachFileReplacedBy([&](const std::string& path) { ASSERT_EQ(0, ::symlink(device, path.c_str())); });
  }
  EXPECT_EQ("status     ", InitialiseAndRate(dir_.path()));
}

TEST_F(HostileFilesTest, TheFilesAreReadThroughTheirDescriptorsAsWellAsTheirImages) {
  const std::size_t limit = os::MaxFileImageSize();
  os::SetMaxFileImageSizeForTesting(0);
  EXPECT_EQ("status     ", InitialiseAndRate(dir_.path()));
  EachFileReplacedBy([](const std::string& path) { ASSERT_EQ(0, ::mkfifo(path.c_str(), 0600)); });
  EachFileReplacedBy([&](const std::string& path) { ASSERT_EQ(0, ::symlink("/dev/zero", path.c_str())); });
  os::SetMaxFileImageSizeForTesting(limit);
}

}  // namespace
}  // namespace tolv
