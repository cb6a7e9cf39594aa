// EngineApi: the five calls of the rating engine that the desktop program uses, as the
// program sees them. The real binding (tolv32_binding.h) loads libTolv32.so by name; tests
// use a recording fake (testkit/app/fake_engine.h).
//
// Records cross as their single-byte bytes and are updated in place. A call that cannot be
// made (library or entry point missing) answers a RuntimeError instead of its result.
#ifndef FRELANE_CORE_ENGINE_API_H_
#define FRELANE_CORE_ENGINE_API_H_

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>

namespace frelane {

inline constexpr std::size_t kShipmentRecordSize = 2160;
inline constexpr std::size_t kTariffTablesRecordSize = 224;

using ShipmentBytes = std::span<std::uint8_t, kShipmentRecordSize>;
using TariffTablesBytes = std::span<std::uint8_t, kTariffTablesRecordSize>;

// A run-time error of the calling procedure, with the number its error handling tests
// (53: the library is missing, 453: it lacks an entry point).
struct RuntimeError {
  int number = 0;
  std::string description;
  // "Error # n occurred." CR LF description: how unexpected run-time errors are shown.
  std::string Message() const;
};

inline constexpr int kErrFileNotFound = 53;        // the library is missing
inline constexpr int kErrEntryPointNotFound = 453;  // the library lacks an entry point

// The outcome of one engine call: the call's own result, or why it could not be made.
struct EngineOutcome {
  std::int32_t value = 0;
  std::optional<RuntimeError> error;
  bool ok() const { return !error.has_value(); }
};

class EngineApi {
 public:
  virtual ~EngineApi() = default;

  // Status of the initialisation (0, or an engine error number; 10 = files locked).
  virtual EngineOutcome Tolv_InitializeTolv(const std::string& data_path) = 0;
  // The result is not looked at by the program.
  virtual EngineOutcome Tolv_Set_Tolvdata(const std::string& data_path) = 0;
  // No result: the outcome of the rating is the record's status field.
  virtual EngineOutcome Tolv_RateShipment(ShipmentBytes record) = 0;
  // 1 with the tables filled, 0 without; the program does not test it.
  virtual EngineOutcome Tolv_GetTables(TariffTablesBytes record) = 0;
  virtual EngineOutcome Tolv_EndTolv() = 0;
};

}  // namespace frelane

#endif  // FRELANE_CORE_ENGINE_API_H_
