// Rate sheets of the sample carrier through the desktop program's lane rating and the real
// engine library: the whole US (985 prefixes) and North America (the US and every Canadian
// prefix A0A to Z9Z), rated and grouped into rows, one run per iteration.
#include <benchmark/benchmark.h>

#include <memory>
#include <string>

#include "frelane/core/main_module.h"
#include "frelane/core/startup.h"
#include "frelane/core/tolv_declares.h"
#include "frelane/ratesheet/lane_rating.h"
#include "frelane/ratesheet/sideline_pair.h"
#include "platform/forms/application.h"
#include "testkit/temp_dir.h"

namespace {

using frelane::ratesheet::RateSheetGroup;

class Definition : public frelane::ratesheet::RateSheetDefinition {
 public:
  std::string HeadlineZip() override { return "30301"; }
  bool FromHeadline() override { return true; }
};

class CountingWriter : public frelane::ratesheet::RateSheetRowWriter {
 public:
  void ExportGroupRow(const RateSheetGroup& g, bool) override { benchmark::DoNotOptimize(&g); ++rows; }
  void PrintGroupRow(const RateSheetGroup& g, bool) override { benchmark::DoNotOptimize(&g); ++rows; }
  long rows = 0;
};

// The program started on a private copy of the sample data set.
class Program {
 public:
  Program() {
    dir_.CopyFilesOf(FRELANE_SAMPLE_DIR);
    frelane::StartupEnvironment env{dir_.path(), [](double) { return std::string("1.5"); }};
    ok_ = frelane::modMain::InitializeApplication(env, &error_) == frelane::StartupResult::kReady;
  }
  ~Program() {
    frelane::modTolvDeclares32::Reset();
    frelane::modMain::Reset();
  }
  bool ok() const { return ok_; }

 private:
  testkit::TempDir dir_;
  forms::Application app_;
  std::string error_;
  bool ok_ = false;
};

void RunSheet(benchmark::State& state, std::initializer_list<std::pair<const char*, const char*>> pairs) {
  Program program;
  if (!program.ok()) {
    state.SkipWithError("the sample data set does not start");
    return;
  }
  Definition definition;
  long prefixes = 0, sub_ranges = 0, rows = 0;
  for (auto _ : state) {
    frelane::ratesheet::RateSheetRunState run;
    run.StartRun();
    run.PrintOutput = run.ExportOutput = true;
    CountingWriter writer;
    frelane::ratesheet::LaneRating lane(run, definition, writer);
    prefixes = sub_ranges = 0;
    for (const auto& [low, high] : pairs) {
      for (std::string prefix = low;;) {
        lane.RateLane(prefix);
        ++prefixes;
        sub_ranges += static_cast<long>(run.SubRanges.size());
        if (!frelane::ratesheet::StepWithinPair(prefix, high)) break;
      }
    }
    rows = writer.rows;
  }
  state.counters["prefixes"] = static_cast<double>(prefixes);
  state.counters["engine_calls"] = static_cast<double>(sub_ranges);
  state.counters["rows"] = static_cast<double>(rows);
}

void BM_RateSheetUS(benchmark::State& state) { RunSheet(state, {{"010", "994"}}); }
void BM_RateSheetNorthAmerica(benchmark::State& state) {
  RunSheet(state, {{"010", "994"}, {"A0A", "Z9Z"}});
}

BENCHMARK(BM_RateSheetUS)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_RateSheetNorthAmerica)->Unit(benchmark::kMillisecond)->Iterations(2);

}  // namespace

BENCHMARK_MAIN();
