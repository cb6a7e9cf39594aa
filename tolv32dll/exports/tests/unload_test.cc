// The library loaded by a host at run time, as the desktop program loads it, and unloaded
// again: what it started and what it took goes with it.
#include <dlfcn.h>
#include <malloc.h>
#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <cstddef>
#include <cstdlib>
#include <string>
#include <thread>

#include "testkit/driver/shipment_request.h"
#include "testkit/thread_count.h"
#include "tolv32dll/include/tolv32.h"

#if defined(__SANITIZE_ADDRESS__)
// The sanitizer's own count (its header does not come with every compiler).
extern "C" std::size_t __sanitizer_get_current_allocated_bytes();
#endif

namespace {

template <typename Fn>
Fn Call(void* library, const char* name) {
  return reinterpret_cast<Fn>(::dlsym(library, name));
}

// Bytes of heap in use. The address sanitizer serves the heap itself (mallinfo2 sees none
// of it) and tells its own count; its loads are slow, so fewer of them are counted there.
#if defined(__SANITIZE_ADDRESS__)
std::size_t HeapInUse() { return __sanitizer_get_current_allocated_bytes(); }
constexpr int kHeapCycles = 60;
#else
std::size_t HeapInUse() { return ::mallinfo2().uordblks; }
constexpr int kHeapCycles = 600;
#endif

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
// notes and process-wide objects took is given back at the unload, whether or not the
// thread ended its engine before it ended. (The loader keeps a few bytes a load itself;
// under the address sanitizer, some 500.)
class UnloadHeapTest : public testing::TestWithParam<bool> {};

TEST_P(UnloadHeapTest, RepeatedLoadsGiveBackTheirHeap) {
  constexpr int kWarmUpCycles = 5;  // the runtime's and the loader's own first takings
  constexpr double kMaxGrowthPerCycle = 1024;
  const bool end_engine = GetParam();
  for (int i = 0; i < kWarmUpCycles; ++i) ASSERT_EQ("    ", LoadRateAndUnload(end_engine));
  const std::size_t before = HeapInUse();
  for (int i = 0; i < kHeapCycles; ++i) ASSERT_EQ("    ", LoadRateAndUnload(end_engine)) << i;
  const std::size_t after = HeapInUse();
  const double per_cycle =
      after > before ? static_cast<double>(after - before) / kHeapCycles : 0.0;
  RecordProperty("heap_growth_bytes_per_cycle", std::to_string(per_cycle));
  EXPECT_LT(per_cycle, kMaxGrowthPerCycle)
      << (after - before) << " bytes kept over " << kHeapCycles << " loads";
}

// A process that ends while a thread still rates (a host that exits without ending its
// workers): the library's process-wide objects stay for that thread to the end.
TEST(UnloadTest, AProcessMayEndWhileAThreadStillRates) {
  GTEST_FLAG_SET(death_test_style, "threadsafe");
  EXPECT_EXIT(
      {
        // Run after the library's own exit work: the thread rates on over it meanwhile.
        std::atexit([] { std::this_thread::sleep_for(std::chrono::milliseconds(100)); });
        void* library = ::dlopen(FRELANE_TOLV32_LIBRARY, RTLD_NOW | RTLD_LOCAL);
        if (library == nullptr) std::_Exit(2);
        auto initialize = Call<decltype(&Tolv_InitializeTolv)>(library, "Tolv_InitializeTolv");
        auto rate = Call<decltype(&Tolv_RateShipment)>(library, "Tolv_RateShipment");
        std::atomic<int> rated{0};
        std::thread([&] {
          if (initialize(FRELANE_SAMPLE_DIR) != 0) std::_Exit(3);
          testkit::ShipmentRequest q =
              testkit::LaneRequest("", "15010", "60601", {{"100", "1200"}});
          q.ship_date = "12/05/2026";
          const auto request = testkit::ShipmentRequestBytes(q);
          for (;;) {
            auto record = request;
            rate(reinterpret_cast<char*>(record.data()));
            rated.fetch_add(1);
          }
        }).detach();
        while (rated.load() < 10) std::this_thread::yield();
        std::exit(0);
      },
      testing::ExitedWithCode(0), "");
}

INSTANTIATE_TEST_SUITE_P(WithAndWithoutEnd, UnloadHeapTest, testing::Bool(),
                         [](const testing::TestParamInfo<bool>& info) {
                           return info.param ? std::string("EndTolv") : std::string("ThreadEnds");
                         });

}  // namespace
