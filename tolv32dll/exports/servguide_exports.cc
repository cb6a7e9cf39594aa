// Service-guide exports. Each runs the thread's attach first: the thread gets an engine
// when it has none, and the library is initialised for the thread. Without the library
// the calls report status "0700" and false; six forward to the library's call of the same
// name on the thread's engine.
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <new>

#include "tolv32dll/engine/thread_slot.h"
#include "tolv32dll/exports/export_guard.h"
#include "tolv32dll/include/tolv32.h"
#include "tolv32dll/servguide/service_guide_thread.h"

namespace {

using tolv::Guarded;
using tolv::ServGdCall;
using tolv::ServiceGuideEntryPoints;

void WriteStatus(char* status, int number) {
  char text[8];
  std::snprintf(text, sizeof text, "%04d", number);
  std::memcpy(status, text, 4);
}

struct Attached {
  bool available = false;
  tolv::RatingEngine* engine = nullptr;  // null only when none could be made
};

Attached Attach() {
  tolv::ThreadSlot& slot = tolv::CurrentThreadSlot();
  if (!slot.engine) slot.engine.reset(new (std::nothrow) tolv::RatingEngine());
  if (!slot.engine) return {tolv::ServiceGuideLibrary::Process().available(), nullptr};
  bool available = tolv::AttachServiceGuide(tolv::ServiceGuideLibrary::Process(),
                                            slot.service_guide, slot.engine->service_guide);
  return {available, slot.engine.get()};
}

// The frame of every call but ServGd_Terminate: records given, the thread attached, the
// library available ("0700" and false when not), then body on the thread's engine.
template <typename Body>
uint8_t WithLibrary(char* status, char* record, Body body) {
  tolv::ExportCall call;
  return Guarded<uint8_t>(0, [&]() -> uint8_t {
    // Inside a notify callback the thread's engine is busy under the call that notified.
    if (status == nullptr || record == nullptr || call.nested()) return 0;
    Attached attached = Attach();
    if (!attached.available) {
      WriteStatus(status, tolv::kErrServiceGuideUnavailable);
      return 0;
    }
    if (attached.engine == nullptr) return 0;
    return body(*attached.engine) ? 1 : 0;
  });
}

// The library's call of the same name, through the thread's engine.
uint8_t Forward(ServGdCall ServiceGuideEntryPoints::*call, char* status, char* record) {
  return WithLibrary(status, record, [&](tolv::RatingEngine& engine) {
    return (engine.service_guide.entry_points.*call)(status, record) != 0;
  });
}

}  // namespace

uint8_t ServGd_GetCarrierTypes(char* status, char* record) {
  return Forward(&ServiceGuideEntryPoints::get_carrier_types, status, record);
}
uint8_t ServGd_GetCarriers(char* status, char* record) {
  return Forward(&ServiceGuideEntryPoints::get_carriers, status, record);
}
uint8_t ServGd_GetServGuideData(char* status, char* record) {
  return Forward(&ServiceGuideEntryPoints::get_serv_guide_data, status, record);
}
uint8_t ServGd_GetTermToTermDays(char* status, char* record) {
  return Forward(&ServiceGuideEntryPoints::get_term_to_term_days, status, record);
}
uint8_t ServGd_GetTerminals(char* status, char* record) {
  return Forward(&ServiceGuideEntryPoints::get_terminals, status, record);
}
uint8_t ServGd_SetCarrierDataPath(char* status, char* record) {
  return Forward(&ServiceGuideEntryPoints::set_carrier_data_path, status, record);
}

// The library's own initialisation ran at the attach: the caller gets its record.
uint8_t ServGd_Initialize(char* status, char* record) {
  return WithLibrary(status, record, [&](tolv::RatingEngine& engine) {
    const tolv::ServiceGuideInitRecord& init = engine.service_guide.init_record;
    std::memcpy(record, init.data(), init.size());
    WriteStatus(status, 1001);
    return true;
  });
}

uint8_t ServGd_Terminate(void) { return 1; }
