// Ratings per second on the sample data set, once the tariff's files are open: a typical
// three-line shipment on one thread and on eight (with and without the rating lock), after a
// pause, and on a rate file too large to hold in memory; a rate sheet: one origin against
// every destination prefix of the sample. Initialisations per second on one thread and on
// eight at once (they meet at the effective table's mutex).
#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdio>
#include <string>
#include <thread>
#include <vector>

#include "testkit/read_file.h"
#include "testkit/temp_dir.h"

#include "testkit/driver/shipment_request.h"
#include "tolv32dll/driver/rate_driver.h"
#include "tolv32dll/engine/engine_globals.h"
#include "tolv32dll/engine/initialize.h"

namespace {

using Record = std::array<std::uint8_t, 2160>;

testkit::ShipmentRequest Typical(const std::string& destination) {
  testkit::ShipmentRequest q;
  q.origin_zip = "15010";
  q.destination_zip = destination;
  q.ship_date = "12/05/2026";
  q.lines = {{"100", "1200"}, {"70", "450"}, {"250", "80"}};
  q.discount_switch = 'Y';
  q.block_a = {"0500 ", "1000 ", "1500 ", "2000 ", "2500 "};
  return q;
}

// An engine of the calling thread on the sample data set; aborts the run when it fails.
void Open(tolv::RatingEngine& engine, benchmark::State& state) {
  if (tolv::InitializeEngine(engine, FRELANE_SAMPLE_DIR) != tolv::kOk) {
    state.SkipWithError("the sample data set does not open");
  }
}

// True when the shipment rated (blank status).
bool Rate(tolv::RatingEngine& engine, const Record& request) {
  Record r = request;
  tolv::RateShipmentRecord(engine, r.data());
  benchmark::DoNotOptimize(r);
  return r[3] == ' ';
}

void BM_ThreeLineShipment(benchmark::State& state) {
  tolv::RatingEngine engine;
  Open(engine, state);
  // The lock setting is library-wide; set after every thread's initialisation.
  tolv::EngineGlobals::Get().set_use_critical_section(static_cast<int>(state.range(0)));
  const Record request = testkit::ShipmentRequestBytes(Typical("60601"));
  // The first rating opens the tariff's files.
  if (!Rate(engine, request)) state.SkipWithError("the shipment did not rate");
  for (auto _ : state) {
    Rate(engine, request);
  }
  state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_ThreeLineShipment)->ArgName("UseCriticalSection")->Arg(0)->Arg(1)->UseRealTime();
BENCHMARK(BM_ThreeLineShipment)->ArgName("UseCriticalSection")->Arg(0)->Arg(1)->Threads(8)
    ->UseRealTime();
// A fixed count of the same ratings, for instruction profiles that compare from run to run
// (callgrind --toggle-collect='tolv::RateShipmentRecord*').
BENCHMARK(BM_ThreeLineShipment)->Name("BM_ThreeLineShipmentCounted")->Arg(0)->Iterations(1000);

// The typical shipment rated after a pause of a millisecond (untimed), as a user's ratings
// come: the first request of such a rating asks the kernel for the changes so far.
void BM_ThreeLineShipmentAfterAPause(benchmark::State& state) {
  tolv::RatingEngine engine;
  Open(engine, state);
  const Record request = testkit::ShipmentRequestBytes(Typical("60601"));
  if (!Rate(engine, request)) state.SkipWithError("the shipment did not rate");
  for (auto _ : state) {
    state.PauseTiming();
    std::this_thread::sleep_for(std::chrono::milliseconds(1));
    state.ResumeTiming();
    Rate(engine, request);
  }
  state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_ThreeLineShipmentAfterAPause);

// A steady run of the typical shipment on a copy of the sample whose rate file is padded
// to 20 MB, above the size the file cache holds in memory: it should cost what the sample's
// does, since nothing changes between the ratings.
void BM_ThreeLineShipmentOnALargeRateFile(benchmark::State& state) {
  std::string rates = testkit::ReadFile(std::string(FRELANE_SAMPLE_DIR) + "NORTHW01.R01");
  rates.resize(20u << 20, '\0');
  testkit::TempDir dir;
  dir.CopyFilesOf(FRELANE_SAMPLE_DIR);
  dir.Write("NORTHW01.R01", rates);
  // Files younger than the cache's settle time are read afresh at every look.
  std::this_thread::sleep_for(std::chrono::milliseconds(2100));
  tolv::RatingEngine engine;
  if (tolv::InitializeEngine(engine, dir.path().c_str()) != tolv::kOk) {
    state.SkipWithError("the copy of the sample does not open");
  }
  tolv::EngineGlobals::Get().set_use_critical_section(0);
  const Record request = testkit::ShipmentRequestBytes(Typical("60601"));
  if (!Rate(engine, request)) state.SkipWithError("the shipment did not rate");
  for (auto _ : state) {
    Rate(engine, request);
  }
  state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_ThreeLineShipmentOnALargeRateFile)->UseRealTime();

// The first rating on a tariff 100 times the sample's: a copy of the sample whose rate
// file of the typical lane's tariff is padded past its last indexed record to 100 times
// the size of all of that tariff's files. Each iteration rates in a new directory, so
// every file is read afresh.
void BM_FirstRatingOfALargeTariff(benchmark::State& state) {
  constexpr char kRates[] = "NORTHW01.R01";
  std::string rates = testkit::ReadFile(std::string(FRELANE_SAMPLE_DIR) + kRates);
  rates.resize(100 * 10'075, '\0');  // the tariff's files are 10,075 bytes in all
  const Record request = testkit::ShipmentRequestBytes(Typical("60601"));
  for (auto _ : state) {
    state.PauseTiming();
    {
      testkit::TempDir dir;
      dir.CopyFilesOf(FRELANE_SAMPLE_DIR);
      dir.Write(kRates, rates);
      state.ResumeTiming();
      tolv::RatingEngine engine;
      if (tolv::InitializeEngine(engine, dir.path().c_str()) != tolv::kOk) {
        state.SkipWithError("the copy of the sample does not open");
      }
      if (!Rate(engine, request)) state.SkipWithError("the shipment did not rate");
      state.PauseTiming();
    }
    state.ResumeTiming();
  }
}
BENCHMARK(BM_FirstRatingOfALargeTariff)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_Initialize(benchmark::State& state) {
  for (auto _ : state) {
    tolv::RatingEngine engine;
    Open(engine, state);
  }
  state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_Initialize)->Threads(1)->Threads(8)->UseRealTime();

// Every three-digit ZIP prefix and every Ontario postal district the sample rates.
std::vector<Record> Sheet() {
  std::vector<Record> out;
  char zip[8];
  for (int prefix = 0; prefix < 1000; ++prefix) {
    std::snprintf(zip, sizeof zip, "%03d10", prefix);
    out.push_back(testkit::ShipmentRequestBytes(Typical(zip)));
  }
  for (char district : std::string("KLMNP")) {
    for (int d = 0; d < 10; ++d) {
      std::snprintf(zip, sizeof zip, "%c%dA1B2", district, d);
      out.push_back(testkit::ShipmentRequestBytes(Typical(zip)));
    }
  }
  return out;
}

void BM_RateSheet(benchmark::State& state) {
  tolv::RatingEngine engine;
  Open(engine, state);
  tolv::EngineGlobals::Get().set_use_critical_section(1);
  const std::vector<Record> sheet = Sheet();
  int rated = 0;
  for (auto _ : state) {
    rated = 0;
    for (const Record& request : sheet) rated += Rate(engine, request);
  }
  state.SetItemsProcessed(state.iterations() * static_cast<std::int64_t>(sheet.size()));
  // Prefixes without a tariff are part of a sheet too: they count, their error shows.
  state.counters["rated"] = rated;
  state.counters["lanes"] = static_cast<double>(sheet.size());
}
BENCHMARK(BM_RateSheet)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
