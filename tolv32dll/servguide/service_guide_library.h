// The outside service-guide library: found through the directory that vdx_cvdll.ini
// names, loaded, and its eight entry points bound by name. One library object serves the
// process; its flag is 'Y' while the library is bound and no thread's initialisation of
// it has failed.
#ifndef TOLV32DLL_SERVGUIDE_SERVICE_GUIDE_LIBRARY_H_
#define TOLV32DLL_SERVGUIDE_SERVICE_GUIDE_LIBRARY_H_

#include <atomic>
#include <cstdint>
#include <memory>
#include <string>

#include "platform/os/dynamic_library.h"
#include "tolv32dll/errors/error_numbers.h"

namespace tolv {

// Every entry point takes (status block, record) and answers a boolean byte, except
// ServGd_Terminate, which takes nothing.
using ServGdCall = std::uint8_t (*)(char* status, char* record);
using ServGdTerminateCall = std::uint8_t (*)();

struct ServiceGuideEntryPoints {
  ServGdCall get_carrier_types = nullptr;
  ServGdCall get_serv_guide_data = nullptr;
  ServGdCall get_terminals = nullptr;
  ServGdCall get_term_to_term_days = nullptr;
  ServGdCall get_carriers = nullptr;
  ServGdCall initialize = nullptr;
  ServGdTerminateCall terminate = nullptr;
  ServGdCall set_carrier_data_path = nullptr;

  bool complete() const;
};

inline constexpr char kServiceGuideSettingsFile[] = "vdx_cvdll.ini";
inline constexpr char kServiceGuideLibraryFile[] = "libDraymap32.so";
// The longest directory text the settings may give, and the longest library path built
// from it (the engine's path buffers held 260 characters with the terminator).
inline constexpr std::size_t kMaxServiceGuidePath = 259;

class ServiceGuideLibrary {
 public:
  // The process's library, bound at its first use from vdx_cvdll.ini as the current
  // directory holds it; it lasts as long as this library (threads may still end during
  // process exit).
  static ServiceGuideLibrary& Process();

  ServiceGuideLibrary() = default;  // not bound, flag 'N'
  ServiceGuideLibrary(const ServiceGuideLibrary&) = delete;
  ServiceGuideLibrary& operator=(const ServiceGuideLibrary&) = delete;

  // Binds the library that the settings file at settings_path names (section "Product",
  // key "Path": its directory). kOk with flag 'Y'; 700 when no directory is named, the
  // path is too long or the library does not load; 701 when an entry point is missing
  // (the library then stays loaded but unused). Call once, before any thread uses it.
  ErrorNumber Bind(const std::string& settings_path);

  char flag() const { return flag_.load(); }
  bool available() const { return flag() == 'Y'; }
  // A thread's initialisation failed: the library is unavailable to every thread.
  void Disable() { flag_.store('N'); }
  // Valid (all set) while available().
  const ServiceGuideEntryPoints& entry_points() const { return entry_points_; }
  // The directory text of the settings, as read.
  const std::string& directory() const { return directory_; }

 private:
  std::unique_ptr<os::DynamicLibrary> library_;
  ServiceGuideEntryPoints entry_points_;
  std::atomic<char> flag_{'N'};
  std::string directory_;
};

}  // namespace tolv

#endif  // TOLV32DLL_SERVGUIDE_SERVICE_GUIDE_LIBRARY_H_
