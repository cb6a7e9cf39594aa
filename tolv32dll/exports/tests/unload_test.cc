// The library loaded by a host at run time, as the desktop program loads it, and unloaded
// again: what it started and what it took goes with it.
#include <dlfcn.h>
#include <malloc.h>
#include <gtest/gtest.h>

#include <cstddef>
#include <string>
#include <thread>

#include "testkit/driver/shipment_request.h"
#include "testkit/thread_count.h"
#include "tolv32dll/include/tolv32.h"

#if defined(__SANITIZE_ADDRESS__)
#include <sanitizer/allocator_interface.h>
#endif

namespace {

template <typename Fn>
Fn Call(void* library, const char* name) {
  return reinterpret_cast<Fn>(::dlsym(library, name));
}

// Bytes of heap in use. The address sanitizer serves the heap itself (mallinfo2 sees none
// of it), and tells its own count.
std::size_t HeapInUse() {
#if defined(__SANITIZE_ADDRESS__)
  return __sanitizer_get_current_allocated_bytes();
#else
  return ::mallinfo2().uordblks;
#endif
}

// A host's use of the library: loaded, one worker thread that initialises, rates, ends its
// engine (or just ends) and ends, unloaded. The status of the rating, "" when a call failed.
std::string LoadRateAndUnload(bool end_engine) {
  void* library = ::dlopen(FRELANE_TOLV32_LIBRARY, RTLD_NOW | RTLD_LOCAL);
  if (library == nullptr) return "";
  auto initialize = Call<decltype(&Tolv_InitializeTolv)>(library, "Tolv_InitializeTolv");
  auto rate = Call<decltype(&Tolv_RateShipment)>(library, "Tolv_RateShipment");
  auto end = Call<decltype(&Tolv_EndTolv)>(library, "Tolv_EndTolv");
  std::string status;
  if (initialize && rate && end) {
    std::thread([&] {
      if (initialize(FRELANE_SAMPLE_DIR) != 0) return;
      testkit::ShipmentRequest q = testkit::LaneRequest("", "15010", "60601", {{"100", "1200"}});
      q.ship_date = "12/05/2026";
      auto record = testkit::ShipmentRequestBytes(q);
      rate(reinterpret_cast<char*>(record.data()));
      if (end_engine && end() != 0) return;
      status.assign(reinterpret_cast<const char*>(record.data() + 3), 4);
    }).join();
  }
  if (::dlclose(library) != 0) return "";
  return status;
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

// Heap the library took and kept over many loads: what its caches, watches, per-thread
// notes and process-wide state took is given back at the unload, whether or not the thread
// ended its engine before it ended.
class UnloadHeapTest : public testing::TestWithParam<bool> {};

TEST_P(UnloadHeapTest, RepeatedLoadsGiveBackTheirHeap) {
  constexpr int kWarmUpCycles = 20;  // the runtime's and the loader's own first takings
  constexpr int kCycles = 600;
  constexpr std::size_t kMaxGrowthPerCycle = 1024;
  const bool end_engine = GetParam();
  for (int i = 0; i < kWarmUpCycles; ++i) ASSERT_EQ("    ", LoadRateAndUnload(end_engine));
  const std::size_t before = HeapInUse();
  for (int i = 0; i < kCycles; ++i) ASSERT_EQ("    ", LoadRateAndUnload(end_engine)) << i;
  const std::size_t after = HeapInUse();
  const double per_cycle =
      after > before ? static_cast<double>(after - before) / kCycles : 0.0;
  RecordProperty("heap_growth_bytes_per_cycle", std::to_string(per_cycle));
  std::printf("heap growth %s Tolv_EndTolv: %.1f bytes a cycle over %d cycles\n",
              end_engine ? "with" : "without", per_cycle, kCycles);
  EXPECT_LT(per_cycle, kMaxGrowthPerCycle);
}

INSTANTIATE_TEST_SUITE_P(WithAndWithoutEnd, UnloadHeapTest, testing::Bool(),
                         [](const testing::TestParamInfo<bool>& info) {
                           return info.param ? std::string("EndTolv") : std::string("ThreadEnds");
                         });

}  // namespace
