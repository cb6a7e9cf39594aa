// Exports of the effective-date table, the tariff tables, the state look-up and the rating
// version. Those whose engine parts are still to come answer their empty result.
#include <chrono>
#include <cstdint>
#include <cstring>

#include "tolv32dll/engine/thread_slot.h"
#include "tolv32dll/exports/export_guard.h"
#include "tolv32dll/include/tolv32.h"

using tolv::CurrentEngine;
using tolv::Guarded;

namespace {

// The longest a caller waits for the effective table's lock.
constexpr std::chrono::milliseconds kEffectiveLockWait{3600000};

}  // namespace

char* Tolv_GetEffectiveTableEx(TolvHandle /*handle*/, char* out, int32_t index) {
  return Guarded<char*>(nullptr, [&]() -> char* {
    if (out == nullptr || index < 0 || CurrentEngine() == nullptr) return nullptr;
    return nullptr;  // the listing is empty until the effective table is read
  });
}

char* Tolv_GetEffectiveTable(char* out, int32_t index) {
  return Tolv_GetEffectiveTableEx(CurrentEngine(), out, index);
}

int16_t Tolv_GetEffectiveTableSizeEx(TolvHandle /*handle*/) {
  return Guarded<int16_t>(-1, []() -> int16_t { return CurrentEngine() == nullptr ? -1 : 0; });
}

int16_t Tolv_GetEffectiveTableSize(void) { return Tolv_GetEffectiveTableSizeEx(CurrentEngine()); }

int32_t Tolv_GetTablesEx(TolvHandle /*handle*/, char* record) {
  return Guarded<int32_t>(0, [&] {
    if (record == nullptr || CurrentEngine() == nullptr) return 0;
    return 0;  // no tariff can be found until the effective table is read
  });
}

int32_t Tolv_GetTables(char* record) { return Tolv_GetTablesEx(CurrentEngine(), record); }

char* Tolv_GetStateEx(TolvHandle /*handle*/, char* out, const char* zip) {
  return Guarded<char*>(nullptr, [&]() -> char* {
    if (out == nullptr || zip == nullptr || CurrentEngine() == nullptr) return nullptr;
    // An 'M' in the sixth place marks a Mexican point: no table is needed.
    if (zip[5] == 'M') {
      std::memcpy(out, "MX", 2);
      return out;
    }
    return nullptr;  // the tariff-determination tables answer the rest
  });
}

char* Tolv_GetState(char* out, const char* zip) {
  return Tolv_GetStateEx(CurrentEngine(), out, zip);
}

int32_t Tolv_LockEffectiveEx(TolvHandle /*handle*/) {
  return Guarded<int32_t>(0, [] {
    tolv::RatingEngine* engine = CurrentEngine();
    if (engine == nullptr || !engine->effective_mutex) return 0;
    auto result = engine->effective_mutex->Wait(kEffectiveLockWait);
    return (result == os::NamedMutex::WaitResult::kAcquired ||
            result == os::NamedMutex::WaitResult::kAbandoned)
               ? 1
               : 0;
  });
}

int32_t Tolv_LockEffective(void) { return Tolv_LockEffectiveEx(CurrentEngine()); }

int32_t Tolv_UnlockEffectiveEx(TolvHandle /*handle*/) {
  return Guarded<int32_t>(0, [] {
    tolv::RatingEngine* engine = CurrentEngine();
    if (engine == nullptr || !engine->effective_mutex) return 0;
    return engine->effective_mutex->Release() ? 1 : 0;
  });
}

int32_t Tolv_UnlockEffective(void) { return Tolv_UnlockEffectiveEx(CurrentEngine()); }

void Tolv_SetNotifyCallbackEx(TolvHandle /*handle*/, void* user_value,
                              TolvNotifyCallback callback) {
  tolv::RatingEngine* engine = CurrentEngine();
  if (engine == nullptr) return;
  engine->notify_callback = callback;
  engine->notify_user_value = user_value;
}

void Tolv_SetNotifyCallback(void* user_value, TolvNotifyCallback callback) {
  Tolv_SetNotifyCallbackEx(CurrentEngine(), user_value, callback);
}

int32_t Tolv_DetermineRatingVersion(char* /*record*/) {
  return 0;  // the line stays as it is until the rating-version table is built
}
