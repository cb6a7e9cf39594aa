// A whole rate sheet of the sample carrier through the run dialog, from OK to the last page
// and export line: the definition screen filled for the whole US (or North America), every
// weight break and class, printed to the recording print system and exported to a file of
// a temporary directory, through the real engine library. Reports the engine calls, the
// yields to the window (one per prefix) and the longest time between two yields, the
// window's worst freeze.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <memory>
#include <string>

#include "frelane/core/engine_api.h"
#include "frelane/core/main_module.h"
#include "frelane/core/startup.h"
#include "frelane/core/tolv32_binding.h"
#include "frelane/core/tolv_declares.h"
#include "frelane/ratesheet/frm_rate_sheet.h"
#include "frelane/ratesheet/frm_rate_sheet_run.h"
#include "platform/forms/application.h"
#include "platform/forms/host.h"
#include "platform/print/recording_print_system.h"
#include "testkit/temp_dir.h"

namespace {

using Clock = std::chrono::steady_clock;

class CountingEngine : public frelane::EngineApi {
 public:
  explicit CountingEngine(std::unique_ptr<EngineApi> real) : real_(std::move(real)) {}
  frelane::EngineOutcome Tolv_InitializeTolv(const std::string& p) override { return real_->Tolv_InitializeTolv(p); }
  frelane::EngineOutcome Tolv_Set_Tolvdata(const std::string& p) override { return real_->Tolv_Set_Tolvdata(p); }
  frelane::EngineOutcome Tolv_RateShipment(frelane::ShipmentBytes r) override {
    ++*ratings;
    return real_->Tolv_RateShipment(r);
  }
  frelane::EngineOutcome Tolv_GetTables(frelane::TariffTablesBytes r) override { return real_->Tolv_GetTables(r); }
  frelane::EngineOutcome Tolv_EndTolv() override { return real_->Tolv_EndTolv(); }
  std::shared_ptr<long> ratings = std::make_shared<long>(0);

 private:
  std::unique_ptr<EngineApi> real_;
};

// A host with no window: modal forms return at once; each yield is counted and timed.
class TimingHost : public forms::Host {
 public:
  void RunModal(forms::Form&) override {}
  void ProcessHostEvents() override {
    const Clock::time_point now = Clock::now();
    if (yields > 0) longest = std::max(longest, now - last);
    last = now;
    ++yields;
  }
  long yields = 0;
  Clock::duration longest{};
  Clock::time_point last;
};

void RunSheet(benchmark::State& state, std::initializer_list<std::pair<const char*, const char*>> pairs) {
  testkit::TempDir dir;
  dir.CopyFilesOf(FRELANE_SAMPLE_DIR);
  forms::Application app;
  TimingHost host;
  app.SetHost(&host);
  print::testing::ScopedRecordingPrintSystem printers;
  auto engine = std::make_unique<CountingEngine>(std::make_unique<frelane::Tolv32Binding>(dir.path()));
  std::shared_ptr<long> ratings = engine->ratings;
  frelane::modTolvDeclares32::InstallEngine(std::move(engine));
  frelane::StartupEnvironment env{dir.path(), [](double) { return std::string("1.5"); }};
  std::string error;
  if (frelane::modMain::InitializeApplication(env, &error) != frelane::StartupResult::kReady) {
    state.SkipWithError("the sample data set does not start");
    return;
  }
  frelane::frmRateSheet& sheet = app.Get<frelane::frmRateSheet>();
  sheet.Load();
  sheet.txtHeadlineZip.SetText("30301");
  int pair = 1;
  for (const auto& [low, high] : pairs) {
    sheet.txtSidelineZipLow(pair).SetText(low);
    sheet.txtSidelineZipHigh(pair).SetText(high);
    ++pair;
  }
  for (int i = 1; i <= frelane::frmRateSheet::kWeightBoxes; ++i) {
    if (sheet.chkWeight(i).Visible()) sheet.chkWeight(i).SetValue(1);
  }
  for (int i = 1; i <= frelane::frmRateSheet::kClassBoxes; ++i) {
    if (sheet.chkClass(i).Visible()) sheet.chkClass(i).SetValue(1);
  }

  long calls = 0, yields = 0, pages = 0;
  Clock::duration longest{};
  for (auto _ : state) {
    *ratings = 0;
    host.yields = 0;
    host.longest = {};
    frelane::frmRateSheetRun& run = app.Get<frelane::frmRateSheetRun>();
    run.Load();
    run.chkPrint.SetValue(1);
    run.chkExport.SetValue(1);  // RATES.PRN in the temporary data directory
    run.btnOK.SetValue(true);
    calls = *ratings;
    yields = host.yields;
    longest = std::max(longest, host.longest);
    pages = static_cast<long>(printers->LastDocument().pages.size());
  }
  state.counters["engine_calls"] = static_cast<double>(calls);
  state.counters["yields"] = static_cast<double>(yields);
  state.counters["pages"] = static_cast<double>(pages);
  state.counters["longest_gap_ms"] =
      std::chrono::duration<double, std::milli>(longest).count();
  frelane::modTolvDeclares32::Reset();
  frelane::modMain::Reset();
}

void BM_RateSheetRunUS(benchmark::State& state) { RunSheet(state, {{"010", "994"}}); }
void BM_RateSheetRunNorthAmerica(benchmark::State& state) {
  RunSheet(state, {{"010", "994"}, {"A0A", "Z9Z"}});
}

BENCHMARK(BM_RateSheetRunUS)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_RateSheetRunNorthAmerica)->Unit(benchmark::kMillisecond)->Iterations(2);

}  // namespace

BENCHMARK_MAIN();
