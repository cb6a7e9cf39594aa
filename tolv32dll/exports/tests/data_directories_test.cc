// A process that rates on many data directories, one after another, keeps what belongs to
// a directory only while an engine uses it.
#include <dirent.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <array>
#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "testkit/driver/shipment_request.h"
#include "testkit/temp_dir.h"
#include "tolv32dll/include/tolv32.h"

namespace {

// The resident memory of the process in bytes.
std::size_t ResidentBytes() {
  std::FILE* statm = std::fopen("/proc/self/statm", "r");
  if (statm == nullptr) return 0;
  unsigned long size = 0, resident = 0;
  const int got = std::fscanf(statm, "%lu %lu", &size, &resident);
  std::fclose(statm);
  return got == 2 ? resident * static_cast<std::size_t>(::sysconf(_SC_PAGESIZE)) : 0;
}

// The regular files of the sample data set.
std::vector<std::string> SampleFiles() {
  std::vector<std::string> names;
  DIR* dir = ::opendir(FRELANE_SAMPLE_DIR);
  if (dir == nullptr) return names;
  while (const dirent* entry = ::readdir(dir)) {
    struct stat st;
    const std::string path = std::string(FRELANE_SAMPLE_DIR) + entry->d_name;
    if (::stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode)) names.push_back(entry->d_name);
  }
  ::closedir(dir);
  return names;
}

TEST(DataDirectoriesTest, MemoryStaysFlatOverTwoThousandDirectories) {
#if defined(__SANITIZE_ADDRESS__)
  GTEST_SKIP() << "the address sanitizer holds freed memory back: the resident size tells nothing";
#endif
  const std::vector<std::string> files = SampleFiles();
  ASSERT_FALSE(files.empty());
  testkit::ShipmentRequest q;
  q.origin_zip = "15010";
  q.destination_zip = "60601";
  q.ship_date = "12/05/2026";
  q.lines = {{"100", "1200"}};
  const std::array<std::uint8_t, 2160> request = testkit::ShipmentRequestBytes(q);
  testkit::TempDir top;
  std::size_t after_hundred = 0;
  for (int i = 0; i < 2000; ++i) {
    const std::string dir = top.File("d" + std::to_string(i) + "/");
    ASSERT_EQ(0, ::mkdir(dir.c_str(), 0755));
    for (const std::string& name : files) {
      ASSERT_EQ(0, ::link((FRELANE_SAMPLE_DIR + name).c_str(), (dir + name).c_str()));
    }
    ASSERT_EQ(0, Tolv_InitializeTolv(dir.c_str())) << dir;
    std::array<std::uint8_t, 2160> r = request;
    Tolv_RateShipment(reinterpret_cast<char*>(r.data()));
    EXPECT_EQ(' ', r[3]) << dir;
    ASSERT_EQ(0, Tolv_EndTolv());
    if (i == 99) after_hundred = ResidentBytes();
  }
  // About 2 KB a directory before an engine's end let its directory go.
  EXPECT_LT(ResidentBytes(), after_hundred + (1u << 20));
}

}  // namespace
