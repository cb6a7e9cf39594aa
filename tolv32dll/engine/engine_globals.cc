#include "tolv32dll/engine/engine_globals.h"

#include "platform/os/process_state.h"

namespace tolv {
namespace {

// Freed only with the library (see process_state.h): threads may still end (and end their
// engines) during process exit.
constinit os::ProcessWide<EngineGlobals> globals;

}  // namespace

EngineGlobals& EngineGlobals::Get() { return globals.Get(); }

std::string EngineGlobals::settings_path() const {
  std::lock_guard<std::mutex> hold(text_mutex_);
  return settings_path_;
}
void EngineGlobals::set_settings_path(std::string path) {
  std::lock_guard<std::mutex> hold(text_mutex_);
  settings_path_ = std::move(path);
}
std::string EngineGlobals::text_log_path() const {
  std::lock_guard<std::mutex> hold(text_mutex_);
  return text_log_path_;
}
void EngineGlobals::set_text_log_path(std::string path) {
  std::lock_guard<std::mutex> hold(text_mutex_);
  text_log_path_ = std::move(path);
}

}  // namespace tolv
