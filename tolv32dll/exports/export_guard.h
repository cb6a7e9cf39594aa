// The edge between the C interface and the engine: every export runs its body through
// Guarded, so no exception leaves the library; an exception gives the export's empty
// result.
#ifndef TOLV32DLL_EXPORTS_EXPORT_GUARD_H_
#define TOLV32DLL_EXPORTS_EXPORT_GUARD_H_

#include <utility>

namespace tolv {

template <typename T, typename Body>
T Guarded(T empty_result, Body&& body) noexcept {
  try {
    return std::forward<Body>(body)();
  } catch (...) {
    return empty_result;
  }
}

template <typename Body>
void GuardedVoid(Body&& body) noexcept {
  try {
    std::forward<Body>(body)();
  } catch (...) {
  }
}

}  // namespace tolv

#endif  // TOLV32DLL_EXPORTS_EXPORT_GUARD_H_
