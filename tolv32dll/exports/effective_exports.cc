// Exports of the effective-date table, the tariff tables, the state look-up and the rating
// version. Those whose engine parts are still to come answer their empty result.
#include <cstdint>
#include <cstring>
#include <type_traits>

#include "tolv32dll/determination/tariff_determination.h"
#include "tolv32dll/effective/effective_record.h"
#include "tolv32dll/effective/rating_version.h"
#include "tolv32dll/effective/tariff_tables.h"
#include "tolv32dll/engine/thread_slot.h"
#include "tolv32dll/records/tariff_tables_record.h"
#include "tolv32dll/exports/export_guard.h"
#include "tolv32dll/include/tolv32.h"

using tolv::CurrentEngine;
using tolv::Guarded;

char* Tolv_GetEffectiveTableEx(TolvHandle /*handle*/, char* out, int32_t index) {
  tolv::ExportCall call;
  return Guarded<char*>(nullptr, [&]() -> char* {
    tolv::RatingEngine* engine = CurrentEngine();
    if (out == nullptr || index < 0 || engine == nullptr) return nullptr;
    // The listing is rebuilt first: the file may have changed since the caller counted.
    tolv::Result<int> size = engine->effective.ListingSize();
    if (!size.ok()) return nullptr;
    const tolv::EffectiveTableRow* row = engine->effective.ListingRow(index);
    if (row == nullptr) return nullptr;
    std::memcpy(out, row->data(), row->size());
    return out;
  });
}

char* Tolv_GetEffectiveTable(char* out, int32_t index) {
  return Tolv_GetEffectiveTableEx(CurrentEngine(), out, index);
}

int16_t Tolv_GetEffectiveTableSizeEx(TolvHandle /*handle*/) {
  tolv::ExportCall call;
  return Guarded<int16_t>(-1, []() -> int16_t {
    tolv::RatingEngine* engine = CurrentEngine();
    if (engine == nullptr) return -1;
    // A table that cannot be read has no rows; an error number is never passed off as a count.
    tolv::Result<int> size = engine->effective.ListingSize();
    return size.ok() ? static_cast<int16_t>(*size) : -1;
  });
}

int16_t Tolv_GetEffectiveTableSize(void) { return Tolv_GetEffectiveTableSizeEx(CurrentEngine()); }

int32_t Tolv_GetTablesEx(TolvHandle /*handle*/, char* record) {
  tolv::ExportCall call;
  return Guarded<int32_t>(0, [&] {
    tolv::RatingEngine* engine = CurrentEngine();
    if (record == nullptr || engine == nullptr) return 0;
    std::span<std::uint8_t> bytes(reinterpret_cast<std::uint8_t*>(record),
                                  tolv::tariff_tables_record::kSize);
    return tolv::GetTariffTables(bytes, engine->effective, engine->current_tariff,
                                 engine->tariff_data_dir);
  });
}

int32_t Tolv_GetTables(char* record) { return Tolv_GetTablesEx(CurrentEngine(), record); }

char* Tolv_GetStateEx(TolvHandle /*handle*/, char* out, const char* zip) {
  tolv::ExportCall call;
  return Guarded<char*>(nullptr, [&]() -> char* {
    tolv::RatingEngine* engine = CurrentEngine();
    if (out == nullptr || zip == nullptr || engine == nullptr) return nullptr;
    // An 'M' in the sixth place marks a Mexican point: no table is needed.
    std::optional<tolv::StateCode> state =
        tolv::LookupState(engine->td, engine->effective_path, std::string_view(zip, 6));
    if (!state) return nullptr;
    std::memcpy(out, state->data(), state->size());
    return out;
  });
}

char* Tolv_GetState(char* out, const char* zip) {
  return Tolv_GetStateEx(CurrentEngine(), out, zip);
}

int32_t Tolv_LockEffectiveEx(TolvHandle /*handle*/) {
  tolv::ExportCall call;
  return Guarded<int32_t>(0, [] {
    tolv::RatingEngine* engine = CurrentEngine();
    return engine != nullptr && engine->effective.Lock() ? 1 : 0;
  });
}

int32_t Tolv_LockEffective(void) { return Tolv_LockEffectiveEx(CurrentEngine()); }

int32_t Tolv_UnlockEffectiveEx(TolvHandle /*handle*/) {
  tolv::ExportCall call;
  return Guarded<int32_t>(0, [] {
    tolv::RatingEngine* engine = CurrentEngine();
    return engine != nullptr && engine->effective.Unlock() ? 1 : 0;
  });
}

int32_t Tolv_UnlockEffective(void) { return Tolv_UnlockEffectiveEx(CurrentEngine()); }

void Tolv_SetNotifyCallbackEx(TolvHandle /*handle*/, intptr_t user_value,
                              TolvNotifyCallback callback) {
  tolv::ExportCall call;
  tolv::RatingEngine* engine = CurrentEngine();
  if (engine == nullptr) return;
  static_assert(std::is_same_v<TolvNotifyCallback, tolv::NotifyCallback>);
  engine->effective.SetNotifyCallback(user_value, callback);
}

void Tolv_SetNotifyCallback(intptr_t user_value, TolvNotifyCallback callback) {
  Tolv_SetNotifyCallbackEx(CurrentEngine(), user_value, callback);
}

int32_t Tolv_DetermineRatingVersion(char* record) {
  return Guarded<int32_t>(0, [&] {
    if (record == nullptr) return 0;
    std::span<std::uint8_t> line(reinterpret_cast<std::uint8_t*>(record),
                                 tolv::effective_record::kSize);
    tolv::DetermineRatingVersion(line, tolv::BuiltInRatingVersionTable());
    return 0;
  });
}
