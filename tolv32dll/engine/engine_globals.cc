#include "tolv32dll/engine/engine_globals.h"

namespace tolv {

EngineGlobals& EngineGlobals::Get() {
  // Never destroyed: threads may still end (and end their engines) during process exit.
  static EngineGlobals* globals = new EngineGlobals();
  return *globals;
}

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
