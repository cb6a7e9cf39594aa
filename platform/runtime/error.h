// A run-time error of the desktop program: an error number and its description. Desktop
// code raises it for a trappable fault (a control array element that does not exist, an
// invalid property value, a cancelled dialog) and catches it where a procedure answers the
// fault itself; the numbers are the contract between the two. The form model catches what
// a handler lets escape and reports it in a message box, so it never ends the program.
#ifndef FRELANE_PLATFORM_RUNTIME_ERROR_H_
#define FRELANE_PLATFORM_RUNTIME_ERROR_H_

#include <stdexcept>
#include <string>

namespace runtime {

// Numbers the program and the layer use.
constexpr int kErrInvalidProcedureCall = 5;
constexpr int kErrOverflow = 6;
constexpr int kErrSubscriptOutOfRange = 9;
constexpr int kErrTypeMismatch = 13;
constexpr int kErrBadFileName = 52;
constexpr int kErrFileNotFound = 53;
constexpr int kErrBadRecordNumber = 63;
constexpr int kErrDeviceUnavailable = 68;
constexpr int kErrPathNotFound = 76;
constexpr int kErrControlArrayElement = 340;
constexpr int kErrInvalidPropertyValue = 380;
constexpr int kErrInvalidPropertyArrayIndex = 381;
constexpr int kErrFormAlreadyDisplayed = 400;
constexpr int kErrCancel = 32755;

class RuntimeError : public std::runtime_error {
 public:
  RuntimeError(int number, const std::string& description)
      : std::runtime_error(description), number_(number) {}
  int Number() const { return number_; }
  std::string Description() const { return what(); }

 private:
  int number_;
};

// The standard description of a number ("Overflow", "File not found", ...); "Application-
// defined or object-defined error" for numbers it does not know.
const char* ErrorDescription(int number);

// Raises the error with its standard description.
[[noreturn]] void Raise(int number);

}  // namespace runtime

#endif  // FRELANE_PLATFORM_RUNTIME_ERROR_H_
