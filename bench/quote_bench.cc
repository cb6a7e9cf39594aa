// The quote as a user feels it, on the sample data set through the real engine library:
// from the Tab that leaves a weight box to the total shown on the rating screen (the whole
// calculation: the rating, the floor, accessorial and surcharge look-ups, the display).
#include <benchmark/benchmark.h>

#include <string>

#include "frelane/rating/frm_accessorial_charges.h"
#include "frelane/rating/frm_rating_screen.h"
#include "frelane/rating/tests/sample_program.h"
#include "platform/forms/application.h"
#include "platform/forms/testing/headless_driver.h"
#include "testkit/temp_dir.h"

namespace {

void BM_WeightTabToShownTotal(benchmark::State& state) {
  testkit::TempDir dir;
  const std::string error = frelane::testing::StartOnSampleData(dir, FRELANE_SAMPLE_DIR);
  if (!error.empty()) {
    state.SkipWithError(error.c_str());
    return;
  }
  forms::Application app;
  forms::testing::HeadlessDriver user(app);
  auto& screen = app.Get<frelane::frmRatingScreen>();
  screen.Show();
  auto& dialog = app.Get<frelane::frmAccessorialCharges>();
  user.WhenShown("frmAccessorialCharges", [&] {
    user.Click(dialog.chkAccessorialCharge(1));
    user.Click(dialog.btnOK);
  });
  user.TypeInto(screen.txtOrigin, "30310");
  user.Tab();
  user.Type("60610");
  user.Tab();
  user.TypeInto(screen.cboClass(1), "70");
  user.Tab();
  user.Type("1250");
  user.Tab();
  user.TypeInto(screen.cboClass(2), "100");
  user.Tab();
  int weight = 400;
  for (auto _ : state) {
    state.PauseTiming();
    user.Focus(screen.txtWeight(2));
    user.Type(std::to_string(weight));
    weight = weight == 400 ? 450 : 400;  // each Tab rates a changed shipment
    state.ResumeTiming();
    user.Tab();
    benchmark::DoNotOptimize(screen.lblTotalCharge.Caption());
  }
  if (screen.lblTotalCharge.Caption().empty()) state.SkipWithError("no total was shown");
  frelane::testing::StopSampleProgram();
}
BENCHMARK(BM_WeightTabToShownTotal)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
