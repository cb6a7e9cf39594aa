#include "tolv32dll/servguide/service_guide_thread.h"

#include <algorithm>
#include <cstring>

namespace tolv {

namespace ir = service_guide_init_record;

ServiceGuideThread::~ServiceGuideThread() {
  if (initialised_ && library_ != nullptr && library_->available()) {
    library_->entry_points().terminate();
  }
}

bool AttachServiceGuide(ServiceGuideLibrary& library, ServiceGuideThread& thread,
                        ServiceGuideBinding& engine) {
  if (!library.available()) return false;
  if (!thread.initialised_) {
    ServiceGuideInitRecord record{};
    const std::string& dir = library.directory();
    std::memcpy(record.data() + ir::kDirectory.offset, dir.data(),
                std::min(dir.size(), ir::kDirectory.width));
    std::array<char, kServiceGuideInitStatusSize> status{};
    if (!library.entry_points().initialize(status.data(),
                                           reinterpret_cast<char*>(record.data()))) {
      library.Disable();
      engine = ServiceGuideBinding{};
      return false;
    }
    thread.init_record_ = record;
    thread.library_ = &library;
    thread.initialised_ = true;
  }
  engine.entry_points = library.entry_points();
  engine.init_record = thread.init_record_;
  return true;
}

}  // namespace tolv
