// Saving an entry of the postal-code discount editor that sorts first, in tables of 3,000
// entries and at the 32,767-entry limit: the file alone (read, sort in memory, one write),
// the whole Save through the form model, and the Save in the real Qt window, whose list is
// filled again and painted afterwards; and what a screen reader is offered of the list.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <functional>
#include <string>
#include <vector>

#include "frelane/core/frm_zip_discounts.h"
#include "frelane/core/main_module.h"
#include "frelane/core/zip_discount_file.h"
#include "platform/forms/application.h"
#include "platform/forms/testing/headless_driver.h"
#include "testkit/app/zip_discount_writer.h"
#include "testkit/temp_dir.h"

#ifdef FRELANE_BENCH_QT
#include <QAccessible>
#include <QApplication>

#include "platform/qt/qt_host.h"
#endif

namespace {

using frelane::frmZipDiscounts;

std::string Code(int n) {
  char code[12];
  std::snprintf(code, sizeof code, "%05d", n);
  return code;
}

// n live entries, one origin code each from 00100 on, every destination: the last entry is
// the one moved to the front by giving it origin 00001.
std::string Table(int n) {
  std::vector<testkit::ZipDiscountBytes> records;
  records.reserve(static_cast<std::size_t>(n));
  for (int i = 0; i < n; ++i) {
    const std::string origin = Code(100 + i);
    records.push_back(testkit::HandBuiltZipDiscount(origin.c_str(), origin.c_str(), "00000",
                                                    "99999", 10, 20, 30, 40));
  }
  return testkit::HandBuiltZipDiscountFile(records);
}

void BM_StoreRecordThatSortsFirst(benchmark::State& state) {
  const int n = static_cast<int>(state.range(0));
  testkit::TempDir dir;
  const std::string table = Table(n);
  const std::string path = dir.File("ZipDisc.dat");
  frelane::zipdisc::Record moved{};
  std::copy_n(table.end() - 64, 64, moved.begin());
  std::copy_n("0000100001", 10, moved.begin());
  for (auto _ : state) {
    state.PauseTiming();
    dir.Write("ZipDisc.dat", table);
    state.ResumeTiming();
    std::string error;
    if (!frelane::zipdisc::StoreRecord(path, moved, n, &error)) state.SkipWithError(error.c_str());
  }
}
BENCHMARK(BM_StoreRecordThatSortsFirst)->Arg(3000)->Arg(32767)->Unit(benchmark::kMillisecond);

// Opens the last entry, types a first origin and clicks Save; only the Save is timed, with
// what `settle` does after it (a window's repaint).
void SaveLastEntryFirst(benchmark::State& state, forms::Application& app,
                        const testkit::TempDir& dir, const std::function<void()>& settle = {}) {
  const int n = static_cast<int>(state.range(0));
  const std::string table = Table(n);
  frelane::modMain::Reset();
  frelane::modMain::Get().data_directory = dir.path();
  for (auto _ : state) {
    state.PauseTiming();
    dir.Write("ZipDisc.dat", table);
    frmZipDiscounts& f = app.Get<frmZipDiscounts>();
    f.Show();
    if (settle) settle();
    f.lstZipDiscounts.SetListIndex(n - 1);
    f.btnEdit.SetValue(true);
    f.txtOriginLow.SetText("00001");
    f.txtOriginHigh.SetText("00001");
    state.ResumeTiming();
    f.btnSave.SetValue(true);
    if (settle) settle();
    state.PauseTiming();
    if (f.lstZipDiscounts.ItemData(0) != 1 || f.lstZipDiscounts.List(0).rfind("00001", 0) != 0) {
      state.SkipWithError("the saved entry is not first");
    }
    f.Unload();
    state.ResumeTiming();
  }
  frelane::modMain::Reset();
}

void BM_SaveInTheEditor(benchmark::State& state) {
  testkit::TempDir dir;
  forms::Application app;
  forms::testing::HeadlessDriver user(app);
  SaveLastEntryFirst(state, app, dir);
}
BENCHMARK(BM_SaveInTheEditor)->Arg(3000)->Arg(32767)->Unit(benchmark::kMillisecond);

#ifdef FRELANE_BENCH_QT
void BM_SaveInTheQtWindow(benchmark::State& state) {
  testkit::TempDir dir;
  forms::Application app;
  qtbind::QtHost host(app);
  // The list laid out and painted again, as the user sees it.
  SaveLastEntryFirst(state, app, dir, [] { QCoreApplication::processEvents(); });
}
BENCHMARK(BM_SaveInTheQtWindow)->Arg(3000)->Arg(32767)->Unit(benchmark::kMillisecond);

// What a screen reader walking the window asks of the list: each line it is offered, and
// that line's text.
void BM_ReadTheListAsAScreenReaderDoes(benchmark::State& state) {
  const int n = static_cast<int>(state.range(0));
  testkit::TempDir dir;
  dir.Write("ZipDisc.dat", Table(n));
  frelane::modMain::Reset();
  frelane::modMain::Get().data_directory = dir.path();
  forms::Application app;
  qtbind::QtHost host(app);
  frmZipDiscounts& f = app.Get<frmZipDiscounts>();
  f.Show();
  QAccessibleInterface* list =
      QAccessible::queryAccessibleInterface(host.WidgetOf(f.lstZipDiscounts));
  for (auto _ : state) {
    std::size_t heard = 0;
    for (int i = 0; i < list->childCount(); ++i) {
      heard += static_cast<std::size_t>(list->child(i)->text(QAccessible::Name).size());
    }
    benchmark::DoNotOptimize(heard);
  }
  state.counters["lines"] = list->childCount();
  f.Unload();
  frelane::modMain::Reset();
}
BENCHMARK(BM_ReadTheListAsAScreenReaderDoes)->Arg(32767)->Unit(benchmark::kMillisecond);
#endif

}  // namespace

int main(int argc, char** argv) {
#ifdef FRELANE_BENCH_QT
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication qt(argc, argv);
#endif
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
