// FakeEngine: an EngineApi that records every call and answers what the test scripted,
// for tests of the desktop program that must not depend on the real engine's data, and for
// answers the real engine never gives (files locked, a missing entry point).
#ifndef TESTKIT_APP_FAKE_ENGINE_H_
#define TESTKIT_APP_FAKE_ENGINE_H_

#include <cstdint>
#include <functional>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "frelane/core/engine_api.h"

namespace testkit {

class FakeEngine : public frelane::EngineApi {
 public:
  // What the engine saw; shared so that a test can read it after the engine is gone.
  struct Log {
    // One entry per call: the call's name, with its text argument in parentheses.
    std::vector<std::string> calls;
    // The record as it arrived at each Tolv_RateShipment.
    std::vector<std::vector<std::uint8_t>> rated_records;
  };

  FakeEngine() : log_(std::make_shared<Log>()) {}

  // Scripting.
  std::int32_t initialize_status = 0;
  // Entry points that are "missing": calling them answers run-time error 453.
  std::set<std::string> missing_entry_points;
  // Every call answers run-time error 53, as when the library is not there.
  bool library_missing = false;
  // Fills in the engine's answer to a rating; default leaves the record as sent.
  std::function<void(frelane::ShipmentBytes)> rate;

  std::shared_ptr<Log> log() const { return log_; }
  const std::vector<std::string>& calls() const { return log_->calls; }

  frelane::EngineOutcome Tolv_InitializeTolv(const std::string& data_path) override;
  frelane::EngineOutcome Tolv_Set_Tolvdata(const std::string& data_path) override;
  frelane::EngineOutcome Tolv_RateShipment(frelane::ShipmentBytes record) override;
  frelane::EngineOutcome Tolv_GetTables(frelane::TariffTablesBytes record) override;
  frelane::EngineOutcome Tolv_EndTolv() override;

 private:
  // Logs the call and answers the scripted run-time error, if any.
  bool Enter(const std::string& name, const std::string& argument, frelane::EngineOutcome* out);

  std::shared_ptr<Log> log_;
};

}  // namespace testkit

#endif  // TESTKIT_APP_FAKE_ENGINE_H_
