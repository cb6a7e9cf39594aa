// Application: the program's run of the form model. It holds the forms, the focus rules'
// shared state, the queue of keystrokes sent by code, the timers' clock, the host and the
// desktop services, and what the program's code reads as App (path, title, help file) and
// Screen (active form and control, mouse pointer, size). One Application is current at a
// time (the newest alive); forms and the free functions below use it.
#ifndef FRELANE_PLATFORM_FORMS_APPLICATION_H_
#define FRELANE_PLATFORM_FORMS_APPLICATION_H_

#include <cstdint>
#include <deque>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <typeindex>
#include <unordered_map>
#include <vector>

#include "platform/forms/desktop.h"
#include "platform/forms/host.h"
#include "platform/forms/message_box.h"
#include "platform/forms/picture.h"

namespace forms {

class Control;
class Form;
class Timer;

// Milliseconds of a monotonic clock. Tests drive their own.
class Clock {
 public:
  virtual ~Clock() = default;
  virtual std::int64_t NowMs() = 0;
};

class Application {
 public:
  Application();
  Application(const Application&) = delete;
  Application& operator=(const Application&) = delete;
  ~Application();

  // REQUIRES: an Application exists.
  static Application& Current();
  static Application* CurrentOrNull();

  // The host and desktop are not owned and must outlive their use. Without a host a modal
  // Show returns at once; without a desktop every message box gets its default answer.
  void SetHost(Host* host) { host_ = host; }
  Host* GetHost() const { return host_; }
  void SetDesktop(Desktop* desktop);
  Desktop& GetDesktop() const { return *desktop_; }
  void SetClock(Clock* clock);
  std::int64_t Now() const;

  // The program's forms, one per class, created on first use and owned here.
  template <typename T>
  T& Get() {
    auto it = owned_forms_.find(std::type_index(typeid(T)));
    if (it != owned_forms_.end()) return static_cast<T&>(*it->second);
    auto form = std::make_unique<T>();
    T& ref = *form;
    owned_forms_.emplace(std::type_index(typeid(T)), std::move(form));
    return ref;
  }
  // Every form alive, in creation order.
  const std::vector<Form*>& Forms() const { return forms_; }
  Form* FindForm(const std::string& name) const;
  int LoadedFormCount() const;

  // The App object.
  const std::string& Path() const { return path_; }
  void SetPath(std::string path) { path_ = std::move(path); }
  const std::string& Title() const { return title_; }
  void SetTitle(std::string title) { title_ = std::move(title); }
  const std::string& EXEName() const { return exe_name_; }
  void SetEXEName(std::string name) { exe_name_ = std::move(name); }
  const std::string& HelpFile() const { return help_file_; }
  void SetHelpFile(std::string file) { help_file_ = std::move(file); }

  // The Screen object.
  Form* ActiveForm() const;
  Control* ActiveControl() const;
  int MousePointer() const { return mouse_pointer_; }
  void SetMousePointer(int pointer);
  // The size of the screen, twips (Screen.Width, Screen.Height); the host sets it.
  int ScreenWidth() const { return screen_width_; }
  int ScreenHeight() const { return screen_height_; }
  void SetScreenSize(int width_twips, int height_twips);
  // The usable part of the screen `form` opens on, twips: the host's answer, else the whole
  // screen of ScreenWidth x ScreenHeight.
  Rect ScreenWorkArea(const Form& form) const;

  // Statements and functions.
  MsgBoxResult MsgBox(const std::string& prompt, int style = 0, const std::string& title = "");
  void Beep();
  // How many beeps have sounded, so that an edit refused once beeps once.
  int BeepCount() const { return beep_count_; }
  Picture LoadPicture(const std::string& path);
  // Queues keystrokes for the focused control: "{TAB}", "{F1}", "{ENTER}", "+{TAB}" (Shift),
  // and plain characters. They run when the current event handler returns (or at DoEvents).
  void SendKeys(const std::string& keys);
  // Runs what is pending: queued keystrokes, due timers and the host's own events.
  void DoEvents();
  // Ends the program at once: every form is gone without Unload events, no event fires
  // again, a modal Show returns.
  void End();
  bool Ended() const { return ended_; }

  // Timers.
  std::optional<std::int64_t> NextTimerDue() const;
  void RunDueTimers();

  // The model's own bookkeeping (used by forms, controls and the input entry points).
  void RegisterForm(Form& form);
  void UnregisterForm(Form& form);
  void RegisterTimer(Timer& timer);
  void UnregisterTimer(Timer& timer);
  void TimersChanged();
  // Runs a user action or event from outside; when the outermost one returns, queued
  // keystrokes run. This is the one place an error a handler lets escape is caught: it is
  // reported in the run-time error message box and the program goes on.
  void Dispatch(const std::function<void()>& action);
  bool InDispatch() const { return dispatch_depth_ > 0; }
  // Runs the host's modal loop for `form` as a fresh level of dispatch, so that keys sent
  // inside the modal form run there.
  void RunModalLoop(Form& form);
  // Focus moves and activation (focus.cc).
  bool MoveFocus(Control& target);
  bool FocusNext(Form& form, bool backwards);
  // Before a command acts without moving the focus: when the form's focused control holds
  // an edit its Validate has not accepted yet, Validate runs as if the focus were leaving
  // it, and the focus stays. False when Validate refused it, sent the focus elsewhere or
  // withdrew the command.
  bool CheckUncheckedEdit(Form& form);
  // Called from the check that runs before a command (a Validate, or what it calls): the
  // check ended with nothing left to act on (the entry refused or thrown away, the form
  // started over), so the command does not run, whatever started it; the focus stays where
  // it is. True when a command was withdrawn; outside such a check nothing happens and a
  // Tab moves on as ever.
  bool WithdrawCommand();
  void ActivateForm(Form& form);
  // The form has just become the active one: Activate, then its control's GotFocus.
  void EnterForm(Form& form);
  void FormClosing(Form& form);  // hidden or unloaded: the next form becomes active
  // The forms shown, oldest first; the last visible one is the active form.
  const std::vector<Form*>& ShownOrder() const { return shown_order_; }
  // The topmost modal form, which alone takes input; nullptr when none.
  Form* ModalForm() const;
  bool AcceptsInput(const Form& form) const;
  void RunPendingKeys();
  // The mouse press that the next release belongs to (user_input.cc): the control the
  // button went down on, which button, and whether releasing it inside the control clicks
  // it. `control` is nullptr when no press is held.
  struct MouseCapture {
    Control* control = nullptr;
    int button = 0;
    bool clicks = false;
    // The press is still being handled (the focus moving to the control, its MouseDown).
    bool pressing = false;
    // A release that arrived meanwhile, its point in the pressed control's twips: it is
    // played once the press is done.
    struct Release {
      int shift = 0;
      int x = 0;
      int y = 0;
    };
    std::optional<Release> early_release;
  };
  MouseCapture& Capture() { return capture_; }
  // A keystroke on the active form: KeyDown, KeyPress (form first with KeyPreview), the
  // control's own handling, KeyUp (key_handling.cc).
  void KeyStroke(Form& form, int key_code, int shift, int ascii);
  void Paste(Form& form, const std::string& utf8_text);
  // The user typed a character that has no single-byte code.
  void TypedWithoutCode(Form& form);
  void ShowHelpFor(Control* control);
  // What a focused control does with a character no handler refused.
  void DefaultCharacter(Control* c, int key_ascii);

 private:
  void RunKey(const std::string& key);
  void ReportRuntimeError(int number, const std::string& description);

  Application* previous_;
  Host* host_ = nullptr;
  Desktop* desktop_;
  Clock* clock_;
  std::unique_ptr<Desktop> null_desktop_;
  std::unique_ptr<Clock> steady_clock_;

  std::vector<Form*> forms_;
  std::unordered_map<std::type_index, std::unique_ptr<Form>> owned_forms_;
  std::vector<Form*> shown_order_;
  std::vector<Timer*> timers_;

  std::string path_;
  std::string title_ = "Frelane";
  std::string exe_name_ = "Frelane";
  std::string help_file_;
  int mouse_pointer_ = 0;
  int screen_width_ = 1920 * 15;
  int screen_height_ = 1080 * 15;

  std::deque<std::string> pending_keys_;
  int dispatch_depth_ = 0;
  int beep_count_ = 0;
  bool running_keys_ = false;
  bool ended_ = false;
  bool all_closed_told_ = false;

  MouseCapture capture_;

  // Focus transitions (focus.cc).
  int transition_depth_ = 0;
  Control* queued_focus_ = nullptr;
  bool checking_for_command_ = false;
  bool command_withdrawn_ = false;
};

// The statements the program's code calls without naming an Application: they act on the
// current one.
MsgBoxResult MsgBox(const std::string& prompt, int style = 0, const std::string& title = "");
void Beep();
void DoEvents();
void SendKeys(const std::string& keys);
void End();
Picture LoadPicture(const std::string& path);
Application& App();

// Screen.ActiveControl, Screen.ActiveForm, Screen.MousePointer.
struct ScreenObject {
  Control* ActiveControl() const;
  Form* ActiveForm() const;
  int MousePointer() const;
  void SetMousePointer(int pointer) const;
  int Width() const;
  int Height() const;
};
ScreenObject Screen();

}  // namespace forms

#endif  // FRELANE_PLATFORM_FORMS_APPLICATION_H_
