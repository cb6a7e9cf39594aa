// The service guide as each thread and each engine hold it. A thread initialises the
// library once; every engine the thread gets (a new one after each end) is given the
// entry points and the thread's initialisation record, so an engine never holds a copy of
// the flag without the calls behind it.
#ifndef TOLV32DLL_SERVGUIDE_SERVICE_GUIDE_THREAD_H_
#define TOLV32DLL_SERVGUIDE_SERVICE_GUIDE_THREAD_H_

#include <array>
#include <cstdint>

#include "tolv32dll/servguide/service_guide_library.h"
#include "tolv32dll/servguide/service_guide_records.h"

namespace tolv {

using ServiceGuideInitRecord = std::array<std::uint8_t, service_guide_init_record::kSize>;

// One engine's calls into the library: complete only while the library serves it.
struct ServiceGuideBinding {
  ServiceGuideEntryPoints entry_points;
  ServiceGuideInitRecord init_record{};
};

// One thread's initialisation of the library. Ending the thread terminates the library
// for it when it was initialised and the library is still available.
class ServiceGuideThread {
 public:
  ServiceGuideThread() = default;
  ~ServiceGuideThread();
  ServiceGuideThread(const ServiceGuideThread&) = delete;
  ServiceGuideThread& operator=(const ServiceGuideThread&) = delete;

  bool initialised() const { return initialised_; }

 private:
  friend bool AttachServiceGuide(ServiceGuideLibrary&, ServiceGuideThread&,
                                 ServiceGuideBinding&);
  ServiceGuideLibrary* library_ = nullptr;
  bool initialised_ = false;
  ServiceGuideInitRecord init_record_{};
};

// The per-thread attach, once the thread has its engine: initialises the library for the
// thread the first time (its directory at byte 17 of a zero record), and gives the engine
// the entry points and the record. A refused initialisation makes the library unavailable
// to every thread. True when the library is available to the thread.
bool AttachServiceGuide(ServiceGuideLibrary& library, ServiceGuideThread& thread,
                        ServiceGuideBinding& engine);

}  // namespace tolv

#endif  // TOLV32DLL_SERVGUIDE_SERVICE_GUIDE_THREAD_H_
