#include "frelane/core/tolv32_binding.h"

#include <type_traits>
#include <utility>

#include "tolv32dll/include/tolv32.h"

#include "platform/os/dynamic_library.h"

namespace frelane {

namespace {

// The calls as the library exports them (extern "C", default calling convention). Strings
// are NUL-terminated single-byte text; records are passed as a pointer to their bytes.
using InitializeFn = std::int32_t (*)(const char* data_path);
using SetTolvdataFn = std::int32_t (*)(const char* data_path);
using RateShipmentFn = void (*)(char* record);
using GetTablesFn = std::int32_t (*)(char* record);
using EndFn = std::int32_t (*)();

// The library's own declarations must agree with these.
static_assert(std::is_same_v<InitializeFn, decltype(&::Tolv_InitializeTolv)>);
static_assert(std::is_same_v<SetTolvdataFn, decltype(&::Tolv_Set_Tolvdata)>);
static_assert(std::is_same_v<RateShipmentFn, decltype(&::Tolv_RateShipment)>);
static_assert(std::is_same_v<GetTablesFn, decltype(&::Tolv_GetTables)>);
static_assert(std::is_same_v<EndFn, decltype(&::Tolv_EndTolv)>);

template <typename Fn>
Fn As(void* address) {
  return reinterpret_cast<Fn>(address);
}

}  // namespace

Tolv32Binding::Tolv32Binding(std::string directory) {
  if (!directory.empty() && directory.back() != '/') directory += '/';
  library_path_ = std::move(directory) + kEngineLibraryName;
}

Tolv32Binding::~Tolv32Binding() = default;

void* Tolv32Binding::Bind(const char* name, void** slot, std::optional<RuntimeError>* error) {
  if (*slot != nullptr) return *slot;
  if (library_ == nullptr) {
    std::string why;
    library_ = os::DynamicLibrary::Open(library_path_, &why);
    if (library_ == nullptr) {
      *error = RuntimeError{kErrFileNotFound, "File not found: " + library_path_ +
                                                  (why.empty() ? "" : " (" + why + ")")};
      return nullptr;
    }
  }
  *slot = library_->Symbol(name);
  if (*slot == nullptr) {
    *error = RuntimeError{kErrEntryPointNotFound, std::string("Can't find DLL entry point ") +
                                                      name + " in " + kEngineLibraryName};
  }
  return *slot;
}

EngineOutcome Tolv32Binding::Tolv_InitializeTolv(const std::string& data_path) {
  EngineOutcome out;
  if (void* fn = Bind("Tolv_InitializeTolv", &initialize_, &out.error)) {
    out.value = As<InitializeFn>(fn)(data_path.c_str());
  }
  return out;
}

EngineOutcome Tolv32Binding::Tolv_Set_Tolvdata(const std::string& data_path) {
  EngineOutcome out;
  if (void* fn = Bind("Tolv_Set_Tolvdata", &set_tolvdata_, &out.error)) {
    out.value = As<SetTolvdataFn>(fn)(data_path.c_str());
  }
  return out;
}

EngineOutcome Tolv32Binding::Tolv_RateShipment(ShipmentBytes record) {
  EngineOutcome out;
  if (void* fn = Bind("Tolv_RateShipment", &rate_shipment_, &out.error)) {
    As<RateShipmentFn>(fn)(reinterpret_cast<char*>(record.data()));
  }
  return out;
}

EngineOutcome Tolv32Binding::Tolv_GetTables(TariffTablesBytes record) {
  EngineOutcome out;
  if (void* fn = Bind("Tolv_GetTables", &get_tables_, &out.error)) {
    out.value = As<GetTablesFn>(fn)(reinterpret_cast<char*>(record.data()));
  }
  return out;
}

EngineOutcome Tolv32Binding::Tolv_EndTolv() {
  EngineOutcome out;
  if (void* fn = Bind("Tolv_EndTolv", &end_, &out.error)) out.value = As<EndFn>(fn)();
  return out;
}

}  // namespace frelane
