// The headless host of the form model, for tests: it plays the user (typing, keys, Tab,
// clicks, focus moves), answers message boxes from a script (an unexpected one fails the
// test), runs a script when a modal form opens, and drives the timers' clock.
//
//   forms::Application app;
//   forms::testing::HeadlessDriver user(app);
//   auto& form = app.Get<frmDefaults>();
//   user.WhenShown("frmZipDiscounts", [&] { user.Click(zip.btnClose); });
//   form.Show();
//   user.TypeInto(form.txtFactor, "4");
//   user.ExpectMsgBox(forms::MsgBoxResult::kOK, "Rate adjustment factor");
//   user.Tab();
#ifndef FRELANE_PLATFORM_FORMS_TESTING_HEADLESS_DRIVER_H_
#define FRELANE_PLATFORM_FORMS_TESTING_HEADLESS_DRIVER_H_

#include <cstdint>
#include <deque>
#include <functional>
#include <map>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "platform/forms/application.h"
#include "platform/forms/desktop.h"
#include "platform/forms/host.h"

namespace forms {

class Control;
class Form;
class Menu;
class ScrollBar;

namespace testing {

struct ShownMessageBox {
  MessageBoxRequest request;
  MsgBoxResult answer;
};

class ManualClock : public Clock {
 public:
  std::int64_t NowMs() override { return now_; }
  void Set(std::int64_t ms) { now_ = ms; }

 private:
  std::int64_t now_ = 0;
};

class HeadlessDriver : public Host, public Desktop {
 public:
  // Installs itself as the application's host, desktop and clock.
  explicit HeadlessDriver(Application& app);
  // Fails the test when scripted message boxes or modal scripts were never used.
  ~HeadlessDriver() override;

  // The user. Each returns what the model's entry point returned (false: ignored, or the
  // focus did not move).
  bool Focus(Control& control);
  bool Tab();
  bool ShiftTab();
  // Types into the focused control of the active form, as keystrokes.
  bool Type(std::string_view text);
  // Focuses the control, selects all its text, and types.
  bool TypeInto(Control& control, std::string_view text);
  bool Paste(std::string_view text);
  bool Select(Control& control, int sel_start, int sel_length);
  // A key on the focused control. Keys that make a character (Enter, Escape, Backspace)
  // give it; others (Delete, F1, arrows) only KeyDown/KeyUp and the control's handling.
  // Ctrl with a letter gives its control character (Press('V', kCtrlMask) pastes the
  // clipboard, which tests fill with SetClipboardText).
  bool Press(int key_code, int shift = 0);
  bool PressEnter();
  bool PressEscape();
  bool Backspace();
  // The mouse, fed to the model as a Qt window feeds it: raw presses and releases, x and y
  // in twips from the control's top left. A release belongs to the control pressed last,
  // so MouseRelease(control, -10, 5) is a release to the left of it.
  bool MousePress(Control& control, int x = 0, int y = 0, int button = kLeftButton,
                  int shift = 0);
  bool MouseRelease(Control& control, int x = 0, int y = 0, int button = kLeftButton,
                    int shift = 0);
  // The second press of a double click, with the left button, in place of its MousePress.
  bool MouseDoublePress(Control& control, int x = 0, int y = 0);
  // A press and its release at (x, y). True when that was a Click.
  bool Click(Control& control, int x = 0, int y = 0);
  // A tap: the press and its release at (x, y) arrive together, so the release is already
  // among the host's pending events while the press is handled (a DoEvents there takes it).
  // True when the press went through.
  bool Tap(Control& control, int x = 0, int y = 0);
  // Press, release, the second press as a double click, release.
  bool DblClick(Control& control);
  // A press on the control and its release at (x, y), which may lie outside it (then
  // MouseUp fires but no Click).
  bool MouseUp(Control& control, int x, int y, int button = kLeftButton, int shift = 0);
  bool MouseMove(Control& control, int x, int y);
  bool Pick(Control& list, int index);
  bool Scroll(ScrollBar& bar, int value);
  bool MenuClick(Menu& menu);
  bool ClickForm(Form& form);
  bool CloseForm(Form& form);

  // Message boxes. Each expected box is answered in turn; when `prompt_contains` is not
  // empty the prompt must contain it. A box with nothing expected fails the test and gets
  // its default answer.
  void ExpectMsgBox(MsgBoxResult answer, std::string prompt_contains = "");
  const std::vector<ShownMessageBox>& MessageBoxes() const { return shown_boxes_; }
  // The prompt of the last message box, "" when none.
  std::string LastPrompt() const;
  bool AllMessageBoxesShown() const { return expected_boxes_.empty(); }

  // Modal forms. When the form of that name is shown modal, the next script for it runs and
  // the Show returns. A form still open after its script fails the test and is hidden.
  // A modal form shown with no script fails the test and is hidden at once.
  void WhenShown(const std::string& form_name, std::function<void()> script);

  // The clock. Advancing it fires every timer due on the way, in order of due time.
  void AdvanceClock(std::int64_t ms);
  std::int64_t NowMs() const;

  // What the desktop services were asked.
  int beeps() const { return beeps_; }
  const std::vector<std::pair<std::string, int>>& help_requests() const { return help_; }
  const std::vector<std::string>& opened_urls() const { return urls_; }
  const std::vector<std::pair<std::string, ShellVerb>>& opened_documents() const {
    return documents_;
  }
  const std::vector<std::string>& open_with_requests() const { return open_with_; }
  int calculator_starts() const { return calculator_starts_; }
  const std::vector<int>& mouse_pointers() const { return mouse_pointers_; }
  // The answers the services give.
  void SetBrowserAvailable(bool v) { browser_available_ = v; }
  void SetCalculatorAvailable(bool v) { calculator_available_ = v; }
  void SetDocumentResult(int shell_result) { document_result_ = shell_result; }
  void SetOpenWithAvailable(bool v) { open_with_available_ = v; }
  // The notices the model sent, one line each ("shown frmX modal", "focus frmX.txtA", ...).
  const std::vector<std::string>& host_log() const { return host_log_; }

  // Host.
  void FormLoaded(Form& form) override;
  void FormUnloaded(Form& form) override;
  void FormShown(Form& form, bool modal) override;
  void FormHidden(Form& form) override;
  void FocusChanged(Form& form, Control* control) override;
  void DropDownRequested(Control& control) override;
  void RunModal(Form& form) override;
  void ProcessHostEvents() override;
  void ProgramEnded() override;

  // Desktop.
  MsgBoxResult ShowMessageBox(const MessageBoxRequest& request) override;
  void Beep() override { ++beeps_; }
  void SetMousePointer(int pointer) override { mouse_pointers_.push_back(pointer); }
  void ShowHelp(const std::string& help_file, int context_id) override;
  bool OpenUrl(const std::string& url) override;
  int OpenDocument(const std::string& path, ShellVerb verb) override;
  bool OpenWith(const std::string& path) override;
  bool StartCalculator() override;

 private:
  Form* FocusForm() const;

  struct ExpectedBox {
    MsgBoxResult answer;
    std::string prompt_contains;
  };

  Application& app_;
  ManualClock clock_;
  std::deque<ExpectedBox> expected_boxes_;
  std::vector<ShownMessageBox> shown_boxes_;
  std::map<std::string, std::deque<std::function<void()>>> modal_scripts_;
  int beeps_ = 0;
  std::vector<std::pair<std::string, int>> help_;
  std::vector<std::string> urls_;
  std::vector<std::pair<std::string, ShellVerb>> documents_;
  std::vector<std::string> open_with_;
  int calculator_starts_ = 0;
  std::vector<int> mouse_pointers_;
  bool browser_available_ = true;
  bool calculator_available_ = true;
  int document_result_ = kShellOk;
  bool open_with_available_ = true;
  std::vector<std::string> host_log_;
  // Input that arrived with the current one and waits for the host's event loop.
  std::deque<std::function<void()>> pending_input_;
};

}  // namespace testing
}  // namespace forms

#endif  // FRELANE_PLATFORM_FORMS_TESTING_HEADLESS_DRIVER_H_
