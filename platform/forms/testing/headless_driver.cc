#include "platform/forms/testing/headless_driver.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "platform/forms/form.h"
#include "platform/forms/user_input.h"

namespace forms::testing {

HeadlessDriver::HeadlessDriver(Application& app) : app_(app) {
  app_.SetHost(this);
  app_.SetDesktop(this);
  app_.SetClock(&clock_);
}

HeadlessDriver::~HeadlessDriver() {
  for (const ExpectedBox& box : expected_boxes_) {
    ADD_FAILURE() << "expected message box never shown: answer " << ResultName(box.answer)
                  << (box.prompt_contains.empty()
                          ? ""
                          : ", prompt containing \"" + box.prompt_contains + "\"");
  }
  for (const auto& [name, scripts] : modal_scripts_) {
    if (!scripts.empty()) {
      ADD_FAILURE() << "modal form " << name << " was never shown for " << scripts.size()
                    << " script(s)";
    }
  }
  if (app_.GetHost() == this) app_.SetHost(nullptr);
  app_.SetDesktop(nullptr);
  app_.SetClock(nullptr);
}

Form* HeadlessDriver::FocusForm() const {
  Form* form = app_.ActiveForm();
  if (form == nullptr) ADD_FAILURE() << "no form is active";
  return form;
}

bool HeadlessDriver::Focus(Control& control) { return user::Focus(Key(), control); }

bool HeadlessDriver::Tab() {
  Form* form = FocusForm();
  return form != nullptr && user::Tab(Key(), *form, false);
}

bool HeadlessDriver::ShiftTab() {
  Form* form = FocusForm();
  return form != nullptr && user::Tab(Key(), *form, true);
}

bool HeadlessDriver::Type(std::string_view text) {
  Form* form = FocusForm();
  return form != nullptr && user::Type(Key(), *form, text);
}

bool HeadlessDriver::TypeInto(Control& control, std::string_view text) {
  if (!control.HasFocus() && !Focus(control)) {
    ADD_FAILURE() << control.DisplayName() << " did not take the focus";
    return false;
  }
  int length = 0;
  if (control.Kind() == ControlKind::kTextBox) {
    length = static_cast<TextBox&>(control).Field().Length();
  } else if (control.Kind() == ControlKind::kComboBox) {
    length = static_cast<ComboBox&>(control).Field().Length();
  }
  Select(control, 0, length);
  return Type(text);
}

bool HeadlessDriver::Paste(std::string_view text) {
  Form* form = FocusForm();
  return form != nullptr && user::Paste(Key(), *form, text);
}

bool HeadlessDriver::Select(Control& control, int sel_start, int sel_length) {
  return user::Select(Key(), control, sel_start, sel_length);
}

bool HeadlessDriver::Press(int key_code, int shift) {
  Form* form = FocusForm();
  if (form == nullptr) return false;
  int ascii = 0;
  if (key_code == kKeyReturn || key_code == kKeyEscape || key_code == kKeyBack) ascii = key_code;
  // Ctrl with a letter makes its control character, as on a keyboard.
  if ((shift & (kCtrlMask | kAltMask)) == kCtrlMask && key_code >= 'A' && key_code <= 'Z') {
    ascii = key_code - 'A' + 1;
  }
  return user::Key(Key(), *form, key_code, shift, ascii);
}

bool HeadlessDriver::PressEnter() { return Press(kKeyReturn); }
bool HeadlessDriver::PressEscape() { return Press(kKeyEscape); }
bool HeadlessDriver::Backspace() { return Press(kKeyBack); }

bool HeadlessDriver::MousePress(Control& control, int x, int y, int button, int shift) {
  return user::MouseDown(Key(), control, button, shift, x, y);
}

bool HeadlessDriver::MouseRelease(Control& control, int x, int y, int button, int shift) {
  return user::MouseUp(Key(), control, button, shift, x, y);
}

bool HeadlessDriver::MouseDoublePress(Control& control, int x, int y) {
  return user::DblClick(Key(), control, kLeftButton, 0, x, y);
}

bool HeadlessDriver::Click(Control& control, int x, int y) {
  return user::Click(Key(), control, x, y);
}

bool HeadlessDriver::Tap(Control& control, int x, int y) {
  pending_input_.push_back([this, &control, x, y] { MouseRelease(control, x, y); });
  const bool pressed = MousePress(control, x, y);
  ProcessHostEvents();
  return pressed;
}

void HeadlessDriver::ProcessHostEvents() {
  while (!pending_input_.empty()) {
    std::function<void()> input = std::move(pending_input_.front());
    pending_input_.pop_front();
    input();
  }
}

bool HeadlessDriver::DblClick(Control& control) {
  if (!Click(control) && !control.HasFocus() && control.IsFocusableKind()) return false;
  if (!MouseDoublePress(control)) return false;
  MouseRelease(control);
  return true;
}

bool HeadlessDriver::MouseUp(Control& control, int x, int y, int button, int shift) {
  // The press lands inside the control, nearest the release point.
  const Rect& r = control.Geometry();
  const int press_x = std::clamp(x, 0, std::max(0, r.width - 1));
  const int press_y = std::clamp(y, 0, std::max(0, r.height - 1));
  return MousePress(control, press_x, press_y, button, shift) &&
         MouseRelease(control, x, y, button, shift);
}

bool HeadlessDriver::MouseMove(Control& control, int x, int y) {
  return user::MouseMove(Key(), control, 0, 0, x, y);
}

bool HeadlessDriver::Pick(Control& list, int index) {
  return user::PickListItem(Key(), list, index);
}
bool HeadlessDriver::Scroll(ScrollBar& bar, int value) { return user::Scroll(Key(), bar, value); }
bool HeadlessDriver::MenuClick(Menu& menu) { return user::MenuClick(Key(), menu); }
bool HeadlessDriver::ClickForm(Form& form) { return user::FormClick(Key(), form); }
bool HeadlessDriver::CloseForm(Form& form) { return user::CloseForm(Key(), form); }

void HeadlessDriver::ExpectMsgBox(MsgBoxResult answer, std::string prompt_contains) {
  expected_boxes_.push_back({answer, std::move(prompt_contains)});
}

std::string HeadlessDriver::LastPrompt() const {
  return shown_boxes_.empty() ? std::string() : shown_boxes_.back().request.prompt;
}

void HeadlessDriver::WhenShown(const std::string& form_name, std::function<void()> script) {
  modal_scripts_[form_name].push_back(std::move(script));
}

void HeadlessDriver::AdvanceClock(std::int64_t ms) {
  std::int64_t target = clock_.NowMs() + ms;
  // Each due time on the way is visited in order, so a 3000 ms timer fires twice in 7000 ms.
  for (int guard = 0; guard < 1000000; ++guard) {
    std::optional<std::int64_t> next = app_.NextTimerDue();
    if (!next || *next > target || app_.Ended()) break;
    clock_.Set(std::max(clock_.NowMs(), *next));
    user::RunDueTimers(Key());
  }
  clock_.Set(target);
}

std::int64_t HeadlessDriver::NowMs() const { return const_cast<ManualClock&>(clock_).NowMs(); }

void HeadlessDriver::FormLoaded(Form& form) { host_log_.push_back("loaded " + form.Name()); }
void HeadlessDriver::FormUnloaded(Form& form) { host_log_.push_back("unloaded " + form.Name()); }
void HeadlessDriver::FormShown(Form& form, bool modal) {
  host_log_.push_back("shown " + form.Name() + (modal ? " modal" : ""));
}
void HeadlessDriver::FormHidden(Form& form) { host_log_.push_back("hidden " + form.Name()); }
void HeadlessDriver::FocusChanged(Form& form, Control* control) {
  host_log_.push_back("focus " + form.Name() + "." +
                      (control ? control->DisplayName() : std::string("(none)")));
}
void HeadlessDriver::DropDownRequested(Control& control) {
  host_log_.push_back("drop down " + control.GetForm().Name() + "." + control.DisplayName());
}
void HeadlessDriver::ProgramEnded() { host_log_.push_back("ended"); }

void HeadlessDriver::RunModal(Form& form) {
  auto it = modal_scripts_.find(form.Name());
  if (it == modal_scripts_.end() || it->second.empty()) {
    ADD_FAILURE() << "modal form " << form.Name() << " shown with no script";
    form.Hide();
    return;
  }
  std::function<void()> script = std::move(it->second.front());
  it->second.pop_front();
  script();
  if (form.IsVisible() && !app_.Ended()) {
    ADD_FAILURE() << "modal form " << form.Name() << " still open after its script";
    form.Hide();
  }
}

MsgBoxResult HeadlessDriver::ShowMessageBox(const MessageBoxRequest& request) {
  if (expected_boxes_.empty()) {
    ADD_FAILURE() << "unexpected message box: \"" << request.prompt << "\" (title \""
                  << request.title << "\")";
    shown_boxes_.push_back({request, request.DefaultResult()});
    return request.DefaultResult();
  }
  ExpectedBox box = expected_boxes_.front();
  expected_boxes_.pop_front();
  if (!box.prompt_contains.empty() &&
      request.prompt.find(box.prompt_contains) == std::string::npos) {
    ADD_FAILURE() << "message box \"" << request.prompt << "\" does not contain \""
                  << box.prompt_contains << "\"";
  }
  MsgBoxResult answer = box.answer;
  if (!request.Offers(answer)) {
    ADD_FAILURE() << "message box \"" << request.prompt << "\" has no " << ResultName(answer)
                  << " button";
    answer = request.DefaultResult();
  }
  shown_boxes_.push_back({request, answer});
  return answer;
}

void HeadlessDriver::ShowHelp(const std::string& help_file, int context_id) {
  help_.emplace_back(help_file, context_id);
}

bool HeadlessDriver::OpenUrl(const std::string& url) {
  urls_.push_back(url);
  return browser_available_;
}

int HeadlessDriver::OpenDocument(const std::string& path, ShellVerb verb) {
  documents_.emplace_back(path, verb);
  return document_result_;
}

bool HeadlessDriver::OpenWith(const std::string& path) {
  open_with_.push_back(path);
  return open_with_available_;
}

bool HeadlessDriver::StartCalculator() {
  ++calculator_starts_;
  return calculator_available_;
}

}  // namespace forms::testing
