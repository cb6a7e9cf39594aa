// Eight threads, each with its own engine, rating different shipments of the sample data
// set at once must give, byte for byte, the records one thread gives, with the rating lock
// in use and without it.
#include <gtest/gtest.h>

#include <atomic>
#include <barrier>
#include <thread>
#include <vector>

#include "testkit/driver/shipment_request.h"
#include "tolv32dll/driver/rate_driver.h"
#include "tolv32dll/engine/engine_globals.h"
#include "tolv32dll/engine/initialize.h"

namespace tolv {
namespace {

using Record = std::array<std::uint8_t, 2160>;

// Lanes of both sample tariffs, so engines switch tariffs and files between shipments,
// with a few requests that fail.
std::vector<Record> Shipments() {
  const char* lanes[][3] = {{"15010", "60601", ""},        {"44120", "M5V2T6", "QFLC0001"},
                            {"30301", "75001", ""},         {"30301", "75001", ""},
                            {"K1A0B1", "M5V2T6", ""},      {"15021", "44190", ""},
                            {"80202", "10001", "NORTHW01"}, {"60601", "60601", ""}};
  const testkit::RequestLine lines[] = {{"100", "1200"}, {"70", "450"},  {"250", "80"},
                                        {"50", "9000"},  {"85", "30"},   {"125", "2600"},
                                        {"92", "700"},   {"500", "15"},  {"77", "0"}};
  std::vector<Record> out;
  for (int i = 0; i < 40; ++i) {
    testkit::ShipmentRequest q;
    q.origin_zip = lanes[i % 8][0];
    q.destination_zip = lanes[i % 8][1];
    q.tariff_name = lanes[i % 8][2];
    q.ship_date = i % 5 == 0 ? "06/15/2025" : "12/05/2026";
    for (int k = 0; k <= i % 3; ++k) q.lines.push_back(lines[(i + 4 * k) % 9]);
    q.discount_switch = i % 2 ? 'Y' : 'N';
    q.discount_kind = i % 4 == 1 ? 'R' : 'C';
    q.block_a = {"0500 ", "1000 ", "1500 ", "2000 ", "2500 "};
    q.adjustment_factor = i % 7 == 0 ? "11000" : "     ";
    out.push_back(testkit::ShipmentRequestBytes(q));
  }
  return out;
}

class ThreadsTest : public ::testing::TestWithParam<int> {
 protected:
  void TearDown() override { EngineGlobals::Get().set_use_critical_section(1); }
};

TEST_P(ThreadsTest, EightEnginesGiveTheRecordsOfOne) {
  const std::vector<Record> shipments = Shipments();
  std::vector<Record> expected = shipments;
  {
    RatingEngine engine;
    ASSERT_EQ(kOk, InitializeEngine(engine, FRELANE_SAMPLE_DIR));
    int rated = 0;
    for (Record& r : expected) {
      RateShipmentRecord(engine, r.data());
      rated += r[3] == ' ';
    }
    ASSERT_GT(rated, 20) << "most of the shipments rate";
  }

  constexpr int kThreads = 8;
  constexpr int kPasses = 6;
  std::barrier start(kThreads);
  std::atomic<int> mismatches{0};
  std::vector<std::thread> threads;
  for (int t = 0; t < kThreads; ++t) {
    threads.emplace_back([&, t] {
      RatingEngine engine;
      const ErrorNumber opened = InitializeEngine(engine, FRELANE_SAMPLE_DIR);
      // Every initialisation sets the library-wide switch; the last one wins.
      EngineGlobals::Get().set_use_critical_section(GetParam());
      start.arrive_and_wait();
      EngineGlobals::Get().set_use_critical_section(GetParam());
      if (opened != kOk) {
        ++mismatches;
        return;
      }
      // Each thread walks the shipments in its own order.
      for (int pass = 0; pass < kPasses; ++pass) {
        for (std::size_t i = 0; i < shipments.size(); ++i) {
          const std::size_t k = (i * (2 * t + 1) + pass + t) % shipments.size();
          Record r = shipments[k];
          RateShipmentRecord(engine, r.data());
          if (r != expected[k]) ++mismatches;
        }
      }
    });
  }
  for (std::thread& t : threads) t.join();
  EXPECT_EQ(0, mismatches.load());
}

INSTANTIATE_TEST_SUITE_P(RatingLock, ThreadsTest, ::testing::Values(0, 1),
                         [](const auto& info) { return info.param ? "Locked" : "Unlocked"; });

}  // namespace
}  // namespace tolv
