// Result<T>: a value or an engine error number. Engine steps return errors as values;
// only the exported calls turn them into return codes or a record's status.
#ifndef TOLV32DLL_ERRORS_RESULT_H_
#define TOLV32DLL_ERRORS_RESULT_H_

#include <cassert>
#include <utility>
#include <variant>

#include "tolv32dll/errors/error_numbers.h"

namespace tolv {

template <typename T>
class [[nodiscard]] Result {
 public:
  Result(T value) : state_(std::move(value)) {}  // NOLINT: implicit by design
  static Result Error(ErrorNumber error) {
    assert(error != kOk);
    return Result(ErrorTag{}, error);
  }

  bool ok() const { return std::holds_alternative<T>(state_); }
  // kOk when the result holds a value.
  ErrorNumber error() const { return ok() ? kOk : std::get<ErrorNumber>(state_); }

  // REQUIRES: ok().
  const T& value() const& { return std::get<T>(state_); }
  T& value() & { return std::get<T>(state_); }
  T&& value() && { return std::get<T>(std::move(state_)); }
  const T* operator->() const { return &value(); }
  T* operator->() { return &value(); }
  const T& operator*() const& { return value(); }
  T& operator*() & { return value(); }

 private:
  struct ErrorTag {};
  Result(ErrorTag, ErrorNumber error) : state_(error) {}
  std::variant<T, ErrorNumber> state_;
};

// Returns the error of an expression yielding an ErrorNumber, when it is not kOk.
#define TOLV_RETURN_IF_ERROR(expr)                 \
  do {                                             \
    ::tolv::ErrorNumber tolv_error_ = (expr);      \
    if (tolv_error_ != ::tolv::kOk) return tolv_error_; \
  } while (0)

// Runs a step that returns an ErrorNumber; an exception out of it (out of memory above
// all) becomes 201, so a failed step is never reported as success.
template <typename Body>
ErrorNumber RunCatchingErrors(Body&& body) noexcept {
  try {
    return std::forward<Body>(body)();
  } catch (...) {
    return kErrMemory;
  }
}

}  // namespace tolv

#endif  // TOLV32DLL_ERRORS_RESULT_H_
