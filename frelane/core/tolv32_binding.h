// Tolv32Binding: the EngineApi of the real engine library, libTolv32.so, loaded from the
// installation directory by name at the first call and kept loaded until the binding goes.
// Each entry point is looked up by name at its own first call, so a library that lacks one
// call still serves the others.
#ifndef FRELANE_CORE_TOLV32_BINDING_H_
#define FRELANE_CORE_TOLV32_BINDING_H_

#include <memory>
#include <string>

#include "frelane/core/engine_api.h"

namespace os {
class DynamicLibrary;
}

namespace frelane {

inline constexpr char kEngineLibraryName[] = "libTolv32.so";

class Tolv32Binding : public EngineApi {
 public:
  // `directory`: where the library lies (the installation directory), with or without
  // a trailing "/".
  explicit Tolv32Binding(std::string directory);
  ~Tolv32Binding() override;

  EngineOutcome Tolv_InitializeTolv(const std::string& data_path) override;
  EngineOutcome Tolv_Set_Tolvdata(const std::string& data_path) override;
  EngineOutcome Tolv_RateShipment(ShipmentBytes record) override;
  EngineOutcome Tolv_GetTables(TariffTablesBytes record) override;
  EngineOutcome Tolv_EndTolv() override;

  const std::string& library_path() const { return library_path_; }

 private:
  // The address of entry point `name`, or the error that keeps it from being called.
  void* Bind(const char* name, void** slot, std::optional<RuntimeError>* error);

  std::string library_path_;
  std::unique_ptr<os::DynamicLibrary> library_;
  void* initialize_ = nullptr;
  void* set_tolvdata_ = nullptr;
  void* rate_shipment_ = nullptr;
  void* get_tables_ = nullptr;
  void* end_ = nullptr;
};

}  // namespace frelane

#endif  // FRELANE_CORE_TOLV32_BINDING_H_
