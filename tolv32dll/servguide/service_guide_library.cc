#include "tolv32dll/servguide/service_guide_library.h"

#include "platform/os/file_lookup.h"
#include "platform/os/process_state.h"
#include "platform/os/profile.h"

namespace tolv {
namespace {

constexpr char kNotFound[] = "NOT FOUND";

template <typename Call>
bool BindOne(const os::DynamicLibrary& library, const char* name, Call& call) {
  call = reinterpret_cast<Call>(library.Symbol(name));
  return call != nullptr;
}

// Freed, and the outside library unloaded, only with this library (see process_state.h).
constinit os::ProcessWide<ServiceGuideLibrary> process_library{[] {
  auto* bound = new ServiceGuideLibrary();
  bound->Bind(kServiceGuideSettingsFile);
  return bound;
}};

}  // namespace

bool ServiceGuideEntryPoints::complete() const {
  return get_carrier_types && get_serv_guide_data && get_terminals && get_term_to_term_days &&
         get_carriers && initialize && terminate && set_carrier_data_path;
}

ServiceGuideLibrary& ServiceGuideLibrary::Process() { return process_library.Get(); }

ErrorNumber ServiceGuideLibrary::Bind(const std::string& settings_path) {
  flag_.store('N');
  entry_points_ = ServiceGuideEntryPoints{};
  library_.reset();
  directory_ = os::GetProfileString("Product", "Path", kNotFound, settings_path);
  if (directory_ == kNotFound || directory_.empty()) return kErrServiceGuideUnavailable;
  // A directory that does not fit is not cut into another one: no library.
  if (directory_.size() > kMaxServiceGuidePath) return kErrServiceGuideUnavailable;
  std::string path = os::JoinPath(directory_, kServiceGuideLibraryFile);
  if (path.size() > kMaxServiceGuidePath) return kErrServiceGuideUnavailable;
  if (auto found = os::FindFileNoCase(os::NormalizeSeparators(directory_),
                                      kServiceGuideLibraryFile)) {
    path = *found;
  }
  library_ = os::DynamicLibrary::Open(path, nullptr);
  if (!library_) return kErrServiceGuideUnavailable;

  // In this order; the first one missing ends the binding.
  const os::DynamicLibrary& lib = *library_;
  ServiceGuideEntryPoints& e = entry_points_;
  if (!BindOne(lib, "ServGd_GetCarrierTypes", e.get_carrier_types) ||
      !BindOne(lib, "ServGd_GetServGuideData", e.get_serv_guide_data) ||
      !BindOne(lib, "ServGd_GetTerminals", e.get_terminals) ||
      !BindOne(lib, "ServGd_GetTermToTermDays", e.get_term_to_term_days) ||
      !BindOne(lib, "ServGd_GetCarriers", e.get_carriers) ||
      !BindOne(lib, "ServGd_Initialize", e.initialize) ||
      !BindOne(lib, "ServGd_Terminate", e.terminate) ||
      !BindOne(lib, "ServGd_SetCarrierDataPath", e.set_carrier_data_path)) {
    entry_points_ = ServiceGuideEntryPoints{};
    return kErrServiceGuideEntryPoint;
  }
  flag_.store('Y');
  return kOk;
}

}  // namespace tolv
