// The process-wide objects of this code (the file cache, the directory watch, the named
// mutexes' gates, the engine's settings) and when they are given back.
//
// Each is made at its first use. Where the code holding them is unloaded (a library that a
// host loads and unloads again and again) they go with it, so that no load takes memory for
// good. At the end of the process, though, other threads may still be at work while the
// statics go away; so an object is freed only where the threads that use this code say so
// (a ProcessStateHold each, for as long as they may use it) and no hold remains. Code whose
// threads take no hold keeps its objects to the end of the process.
//
// A hold kept by a thread_local object keeps a dlopened library loaded until its thread
// ends (the runtime holds the library for the destructor), so none remains at the unload.
#ifndef FRELANE_PLATFORM_OS_PROCESS_STATE_H_
#define FRELANE_PLATFORM_OS_PROCESS_STATE_H_

#include <atomic>
#include <mutex>
#include <type_traits>

namespace os {

// One thread's use of the process-wide objects, from construction to destruction.
class ProcessStateHold {
 public:
  ProcessStateHold();
  ~ProcessStateHold();
  ProcessStateHold(const ProcessStateHold&) = delete;
  ProcessStateHold& operator=(const ProcessStateHold&) = delete;
};

// True once a hold was taken and none remains: nothing but the code going away can reach
// the process-wide objects.
bool ProcessStateFreeable();

// Tells the leak checker that p is kept to the end of the process on purpose.
void KeptForTheProcess(const void* p);

// A process-wide T: made at its first use, freed with this code when ProcessStateFreeable.
// Meant for a constinit object at namespace scope, so that it may be used from any static
// initialiser; after it is freed, a use makes a new one, kept to the end of the process.
template <typename T>
class ProcessWide {
 public:
  using Maker = T* (*)();

  constexpr ProcessWide() : make_(&MakeDefault) {}
  constexpr explicit ProcessWide(Maker make) : make_(make) {}
  ~ProcessWide() {
    T* made = object_.load(std::memory_order_acquire);
    if (made == nullptr) return;
    if (!ProcessStateFreeable()) {
      KeptForTheProcess(made);
      return;
    }
    object_.store(nullptr, std::memory_order_release);
    delete made;
  }
  ProcessWide(const ProcessWide&) = delete;
  ProcessWide& operator=(const ProcessWide&) = delete;

  T& Get() {
    T* made = object_.load(std::memory_order_acquire);
    return made != nullptr ? *made : Make();
  }
  // The object, or null when none was made (nothing to tear down).
  T* IfMade() const { return object_.load(std::memory_order_acquire); }

 private:
  static T* MakeDefault() { return new T(); }

  T& Make() {
    std::lock_guard<std::mutex> lock(making_);
    T* made = object_.load(std::memory_order_relaxed);
    if (made == nullptr) {
      made = make_();
      object_.store(made, std::memory_order_release);
    }
    return *made;
  }

  // Left in place by the destructor (nothing to destroy), so a late use still works.
  static_assert(std::is_trivially_destructible_v<std::mutex>);
  Maker make_;
  std::atomic<T*> object_{nullptr};
  std::mutex making_;
};

}  // namespace os

#endif  // FRELANE_PLATFORM_OS_PROCESS_STATE_H_
