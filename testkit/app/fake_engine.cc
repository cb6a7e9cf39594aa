#include "testkit/app/fake_engine.h"

namespace testkit {

using frelane::EngineOutcome;
using frelane::RuntimeError;

bool FakeEngine::Enter(const std::string& name, const std::string& argument,
                       EngineOutcome* out) {
  log_->calls.push_back(argument.empty() ? name : name + "(" + argument + ")");
  if (library_missing) {
    out->error = RuntimeError{frelane::kErrFileNotFound, "File not found: libTolv32.so"};
    return false;
  }
  if (missing_entry_points.count(name) != 0) {
    out->error = RuntimeError{frelane::kErrEntryPointNotFound,
                              "Can't find DLL entry point " + name + " in libTolv32.so"};
    return false;
  }
  return true;
}

EngineOutcome FakeEngine::Tolv_InitializeTolv(const std::string& data_path) {
  EngineOutcome out;
  if (Enter("Tolv_InitializeTolv", data_path, &out)) out.value = initialize_status;
  return out;
}

EngineOutcome FakeEngine::Tolv_Set_Tolvdata(const std::string& data_path) {
  EngineOutcome out;
  if (Enter("Tolv_Set_Tolvdata", data_path, &out)) out.value = 1;
  return out;
}

EngineOutcome FakeEngine::Tolv_RateShipment(frelane::ShipmentBytes record) {
  EngineOutcome out;
  if (Enter("Tolv_RateShipment", "", &out)) {
    log_->rated_records.emplace_back(record.begin(), record.end());
    if (rate) rate(record);
  }
  return out;
}

EngineOutcome FakeEngine::Tolv_GetTables(frelane::TariffTablesBytes) {
  EngineOutcome out;
  if (Enter("Tolv_GetTables", "", &out)) out.value = 0;
  return out;
}

EngineOutcome FakeEngine::Tolv_EndTolv() {
  EngineOutcome out;
  if (Enter("Tolv_EndTolv", "", &out)) out.value = 0;
  return out;
}

}  // namespace testkit
