#include "platform/forms/message_box.h"

#include <utility>

#include "platform/forms/types.h"

namespace forms {

MessageBoxRequest MessageBoxRequest::FromStyle(std::string prompt, int style, std::string title) {
  MessageBoxRequest r;
  r.prompt = std::move(prompt);
  r.title = std::move(title);
  switch (style & 7) {
    case msgbox::kOKCancel:
      r.buttons = MsgBoxButtons::kOKCancel;
      break;
    case msgbox::kAbortRetryIgnore:
      r.buttons = MsgBoxButtons::kAbortRetryIgnore;
      break;
    case msgbox::kYesNoCancel:
      r.buttons = MsgBoxButtons::kYesNoCancel;
      break;
    case msgbox::kYesNo:
      r.buttons = MsgBoxButtons::kYesNo;
      break;
    case msgbox::kRetryCancel:
      r.buttons = MsgBoxButtons::kRetryCancel;
      break;
    default:
      r.buttons = MsgBoxButtons::kOK;
      break;
  }
  switch (style & 0x70) {
    case msgbox::kCritical:
      r.icon = MsgBoxIcon::kCritical;
      break;
    case msgbox::kQuestion:
      r.icon = MsgBoxIcon::kQuestion;
      break;
    case msgbox::kExclamation:
      r.icon = MsgBoxIcon::kExclamation;
      break;
    case msgbox::kInformation:
      r.icon = MsgBoxIcon::kInformation;
      break;
    default:
      r.icon = MsgBoxIcon::kNone;
      break;
  }
  int requested = ((style & 0x300) >> 8) + 1;
  int count = 1;
  switch (r.buttons) {
    case MsgBoxButtons::kOK:
      count = 1;
      break;
    case MsgBoxButtons::kOKCancel:
    case MsgBoxButtons::kYesNo:
    case MsgBoxButtons::kRetryCancel:
      count = 2;
      break;
    case MsgBoxButtons::kAbortRetryIgnore:
    case MsgBoxButtons::kYesNoCancel:
      count = 3;
      break;
  }
  // A default beyond the buttons offered falls back to the first, so Enter always answers
  // with a button the user can see.
  r.default_button = requested <= count ? requested : 1;
  return r;
}

namespace {

// The results of the buttons, left to right.
int Buttons(MsgBoxButtons b, MsgBoxResult out[3]) {
  using R = MsgBoxResult;
  switch (b) {
    case MsgBoxButtons::kOK:
      out[0] = R::kOK;
      return 1;
    case MsgBoxButtons::kOKCancel:
      out[0] = R::kOK;
      out[1] = R::kCancel;
      return 2;
    case MsgBoxButtons::kAbortRetryIgnore:
      out[0] = R::kAbort;
      out[1] = R::kRetry;
      out[2] = R::kIgnore;
      return 3;
    case MsgBoxButtons::kYesNoCancel:
      out[0] = R::kYes;
      out[1] = R::kNo;
      out[2] = R::kCancel;
      return 3;
    case MsgBoxButtons::kYesNo:
      out[0] = R::kYes;
      out[1] = R::kNo;
      return 2;
    case MsgBoxButtons::kRetryCancel:
      out[0] = R::kRetry;
      out[1] = R::kCancel;
      return 2;
  }
  out[0] = R::kOK;
  return 1;
}

}  // namespace

MsgBoxResult MessageBoxRequest::DefaultResult() const {
  MsgBoxResult results[3];
  int n = Buttons(buttons, results);
  int i = default_button - 1;
  return results[i >= 0 && i < n ? i : 0];
}

bool MessageBoxRequest::Offers(MsgBoxResult result) const {
  MsgBoxResult results[3];
  int n = Buttons(buttons, results);
  for (int i = 0; i < n; ++i) {
    if (results[i] == result) return true;
  }
  return false;
}

const char* ResultName(MsgBoxResult result) {
  switch (result) {
    case MsgBoxResult::kOK:
      return "OK";
    case MsgBoxResult::kCancel:
      return "Cancel";
    case MsgBoxResult::kAbort:
      return "Abort";
    case MsgBoxResult::kRetry:
      return "Retry";
    case MsgBoxResult::kIgnore:
      return "Ignore";
    case MsgBoxResult::kYes:
      return "Yes";
    case MsgBoxResult::kNo:
      return "No";
  }
  return "?";
}

const char* KindName(ControlKind kind) {
  switch (kind) {
    case ControlKind::kTextBox:
      return "TextBox";
    case ControlKind::kLabel:
      return "Label";
    case ControlKind::kComboBox:
      return "ComboBox";
    case ControlKind::kListBox:
      return "ListBox";
    case ControlKind::kCheckBox:
      return "CheckBox";
    case ControlKind::kOptionButton:
      return "OptionButton";
    case ControlKind::kFrame:
      return "Frame";
    case ControlKind::kCommandButton:
      return "CommandButton";
    case ControlKind::kImage:
      return "Image";
    case ControlKind::kPictureBox:
      return "PictureBox";
    case ControlKind::kTimer:
      return "Timer";
    case ControlKind::kMenu:
      return "Menu";
    case ControlKind::kLine:
      return "Line";
    case ControlKind::kDriveListBox:
      return "DriveListBox";
    case ControlKind::kDirListBox:
      return "DirListBox";
    case ControlKind::kFileListBox:
      return "FileListBox";
    case ControlKind::kVScrollBar:
      return "VScrollBar";
    case ControlKind::kHScrollBar:
      return "HScrollBar";
  }
  return "?";
}

}  // namespace forms
