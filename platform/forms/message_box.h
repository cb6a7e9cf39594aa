// Message boxes: the request the program makes and the answer it gets. The style argument
// packs buttons, icon and default button as one number of flags, so that a call states them
// in one expression:
//   MsgBox("Save Changes?", msgbox::kYesNo | msgbox::kQuestion | msgbox::kDefaultButton2).
#ifndef FRELANE_PLATFORM_FORMS_MESSAGE_BOX_H_
#define FRELANE_PLATFORM_FORMS_MESSAGE_BOX_H_

#include <string>

namespace forms {

namespace msgbox {
// Buttons (low bits).
constexpr int kOKOnly = 0;
constexpr int kOKCancel = 1;
constexpr int kAbortRetryIgnore = 2;
constexpr int kYesNoCancel = 3;
constexpr int kYesNo = 4;
constexpr int kRetryCancel = 5;
// Icons.
constexpr int kCritical = 16;
constexpr int kQuestion = 32;
constexpr int kExclamation = 48;
constexpr int kInformation = 64;
// Default button.
constexpr int kDefaultButton1 = 0;
constexpr int kDefaultButton2 = 256;
constexpr int kDefaultButton3 = 512;
}  // namespace msgbox

enum class MsgBoxButtons { kOK, kOKCancel, kAbortRetryIgnore, kYesNoCancel, kYesNo, kRetryCancel };
enum class MsgBoxIcon { kNone, kCritical, kQuestion, kExclamation, kInformation };

// The answer. The numbers are part of the program's contract: its code compares and stores
// them as numbers.
enum class MsgBoxResult : int {
  kOK = 1,
  kCancel = 2,
  kAbort = 3,
  kRetry = 4,
  kIgnore = 5,
  kYes = 6,
  kNo = 7,
};

struct MessageBoxRequest {
  std::string prompt;  // exactly as the program built it; CR LF and lone CR kept
  std::string title;   // never empty: the program's title when the caller gave none
  MsgBoxButtons buttons = MsgBoxButtons::kOK;
  MsgBoxIcon icon = MsgBoxIcon::kNone;
  int default_button = 1;  // 1-based

  // Decodes a style number: the sum of one msgbox buttons value, one icon value and one
  // default-button value.
  static MessageBoxRequest FromStyle(std::string prompt, int style, std::string title);
  // The answer of the default button (what Enter gives).
  MsgBoxResult DefaultResult() const;
  // True when `result` is one of the buttons offered.
  bool Offers(MsgBoxResult result) const;
};

const char* ResultName(MsgBoxResult result);  // "OK", "Yes", ...

}  // namespace forms

#endif  // FRELANE_PLATFORM_FORMS_MESSAGE_BOX_H_
