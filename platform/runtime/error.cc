#include "platform/runtime/error.h"

namespace runtime {

const char* ErrorDescription(int number) {
  switch (number) {
    case kErrInvalidProcedureCall:
      return "Invalid procedure call or argument";
    case kErrOverflow:
      return "Overflow";
    case kErrSubscriptOutOfRange:
      return "Subscript out of range";
    case kErrTypeMismatch:
      return "Type mismatch";
    case kErrBadFileName:
      return "Bad file name or number";
    case kErrFileNotFound:
      return "File not found";
    case kErrBadRecordNumber:
      return "Bad record number";
    case kErrDeviceUnavailable:
      return "Device unavailable";
    case kErrPathNotFound:
      return "Path not found";
    case kErrControlArrayElement:
      return "Control array element doesn't exist";
    case kErrInvalidPropertyValue:
      return "Invalid property value";
    case kErrInvalidPropertyArrayIndex:
      return "Invalid property array index";
    case kErrFormAlreadyDisplayed:
      return "Form already displayed; can't show modally";
    case kErrCancel:
      return "Cancel was selected.";
    default:
      return "Application-defined or object-defined error";
  }
}

void Raise(int number) { throw RuntimeError(number, ErrorDescription(number)); }

}  // namespace runtime
