// Lifecycle exports: initialisation, the data directory, the end, the version.
#include <cstdint>
#include <cstring>

#include "tolv32dll/engine/engine_version.h"
#include "tolv32dll/engine/initialize.h"
#include "tolv32dll/engine/thread_slot.h"
#include "tolv32dll/exports/export_guard.h"
#include "tolv32dll/include/tolv32.h"

using tolv::CurrentEngine;
using tolv::Guarded;

// Inside a notify callback the engine is busy under the call that notified: it is neither
// rebuilt nor replaced then.
int32_t Tolv_InitializeTolv(const char* data_dir) {
  tolv::ExportCall call;
  if (call.nested()) return tolv::kErrEfcopn;
  return Guarded<int32_t>(tolv::kErrMemory, [&] {
    return static_cast<int32_t>(tolv::InitializeThreadEngine(call.slot(), data_dir));
  });
}

TolvHandle Tolv_InitializeTolvEx(const char* data_dir) {
  tolv::ExportCall call;
  if (call.nested()) return nullptr;
  return Guarded<TolvHandle>(nullptr, [&]() -> TolvHandle {
    if (tolv::InitializeThreadEngine(call.slot(), data_dir) != tolv::kOk) return nullptr;
    return CurrentEngine();
  });
}

int32_t Tolv_Set_TolvdataEx(TolvHandle /*handle*/, const char* path) {
  tolv::ExportCall call;
  return Guarded<int32_t>(0, [&] {
    tolv::RatingEngine* engine = CurrentEngine();
    if (engine == nullptr) return 0;
    return tolv::SetTariffDataDirectory(*engine, path) == tolv::SetDirectoryResult::kSet ? 1 : 0;
  });
}

int32_t Tolv_Set_Tolvdata(const char* path) { return Tolv_Set_TolvdataEx(CurrentEngine(), path); }

// Inside a notify callback the end waits until the call that notified returns.
int32_t Tolv_EndTolvEx(TolvHandle /*handle*/) {
  tolv::ExportCall call;
  return Guarded<int32_t>(-1, [&] { return call.EndWhenOutermostReturns() ? 0 : -1; });
}

int32_t Tolv_EndTolv(void) { return Tolv_EndTolvEx(CurrentEngine()); }

int32_t Tolv_disp_verEx(TolvHandle /*handle*/, char* out) {
  if (out != nullptr) tolv::FillEngineVersionText(reinterpret_cast<std::uint8_t*>(out));
  return 0;
}

int32_t Tolv_disp_ver(char* out) { return Tolv_disp_verEx(CurrentEngine(), out); }

int32_t DllMain(void* /*module*/, uint32_t /*reason*/, void* /*reserved*/) { return 1; }
