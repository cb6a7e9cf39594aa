#include "tolv32dll/engine/text_log.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <memory>
#include <mutex>

#include "platform/os/file_lookup.h"
#include "tolv32dll/engine/engine_globals.h"

namespace tolv {
namespace {

constexpr long long kMegabyte = 1048576;

std::mutex& TextLogLock() {
  static std::mutex* lock = new std::mutex();
  return *lock;
}

}  // namespace

bool WriteTextLog(const RatingEngine& engine, std::string_view section, bool apply_size_rule) {
  if (engine.debug_flag != 'Y') return true;
  std::string path = os::JoinPath(engine.tariff_data_dir, kTextLogName);
  EngineGlobals::Get().set_text_log_path(path);

  std::lock_guard<std::mutex> hold(TextLogLock());
  struct stat st;
  if (apply_size_rule && ::stat(path.c_str(), &st) == 0 && st.st_size > 0 &&
      st.st_size / kMegabyte >= EngineGlobals::Get().mb_log_size()) {
    ::unlink(path.c_str());
  }
  std::unique_ptr<std::FILE, int (*)(std::FILE*)> file(std::fopen(path.c_str(), "ab"), std::fclose);
  if (!file) return false;
  return std::fwrite(section.data(), 1, section.size(), file.get()) == section.size();
}

}  // namespace tolv
