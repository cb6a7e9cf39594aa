// State shared by every engine of the process: the settings the last initialisation read
// (on any thread; the last one wins) and the rating lock. Reads and writes are atomic or
// under a lock, since any thread may initialise at any time.
#ifndef TOLV32DLL_ENGINE_ENGINE_GLOBALS_H_
#define TOLV32DLL_ENGINE_ENGINE_GLOBALS_H_

#include <atomic>
#include <mutex>
#include <string>

namespace os {
template <typename T>
class ProcessWide;
}  // namespace os

namespace tolv {

class EngineGlobals {
 public:
  static EngineGlobals& Get();

  // Recursive: the notify callback may call back into the engine inside a rating.
  std::recursive_mutex& rating_lock() { return rating_lock_; }

  int mb_log_size() const { return mb_log_size_.load(); }
  void set_mb_log_size(int v) { mb_log_size_.store(v); }
  int use_critical_section() const { return use_critical_section_.load(); }
  void set_use_critical_section(int v) { use_critical_section_.store(v); }

  std::string settings_path() const;
  void set_settings_path(std::string path);
  std::string text_log_path() const;
  void set_text_log_path(std::string path);

 private:
  friend class os::ProcessWide<EngineGlobals>;
  EngineGlobals() = default;

  std::recursive_mutex rating_lock_;
  std::atomic<int> mb_log_size_{20};
  std::atomic<int> use_critical_section_{1};
  mutable std::mutex text_mutex_;  // guards the two paths
  std::string settings_path_;
  std::string text_log_path_;
};

}  // namespace tolv

#endif  // TOLV32DLL_ENGINE_ENGINE_GLOBALS_H_
