// The library loaded by a host at run time, as the desktop program loads it, and unloaded
// again: what it started goes with it.
#include <dlfcn.h>
#include <gtest/gtest.h>

#include <string>
#include <thread>

#include "testkit/driver/shipment_request.h"
#include "testkit/thread_count.h"
#include "tolv32dll/include/tolv32.h"

namespace {

template <typename Fn>
Fn Call(void* library, const char* name) {
  return reinterpret_cast<Fn>(::dlsym(library, name));
}

TEST(UnloadTest, UnloadingTheLibraryAfterARatingEndsItsWatcherThread) {
  const int before = testkit::ThreadCount();
  void* library = ::dlopen(FRELANE_TOLV32_LIBRARY, RTLD_NOW | RTLD_LOCAL);
  ASSERT_NE(nullptr, library) << ::dlerror();
  auto initialize = Call<decltype(&Tolv_InitializeTolv)>(library, "Tolv_InitializeTolv");
  auto rate = Call<decltype(&Tolv_RateShipment)>(library, "Tolv_RateShipment");
  auto end = Call<decltype(&Tolv_EndTolv)>(library, "Tolv_EndTolv");
  ASSERT_TRUE(initialize && rate && end);
  // On a thread of its own, as a host's worker: the thread's engine ends with it.
  std::string status;
  std::thread([&] {
    ASSERT_EQ(0, initialize(FRELANE_SAMPLE_DIR));
    testkit::ShipmentRequest q = testkit::LaneRequest("", "15010", "60601", {{"100", "1200"}});
    q.ship_date = "12/05/2026";
    auto record = testkit::ShipmentRequestBytes(q);
    rate(reinterpret_cast<char*>(record.data()));
    status.assign(reinterpret_cast<const char*>(record.data() + 3), 4);
    EXPECT_EQ(0, end());
  }).join();
  EXPECT_EQ("    ", status);
  EXPECT_EQ(before + 1, testkit::ThreadCount()) << "the library's watcher thread";

  ASSERT_EQ(0, ::dlclose(library));
  EXPECT_EQ(nullptr, ::dlopen(FRELANE_TOLV32_LIBRARY, RTLD_NOW | RTLD_NOLOAD))
      << "the library stayed loaded";
  // Joined before the unload returns.
  EXPECT_EQ(before, testkit::ThreadCountOnceSettledAt(before));
}

}  // namespace
