#include "platform/forms/application.h"

#include <algorithm>
#include <chrono>

#include "platform/forms/form.h"
#include "platform/runtime/error.h"

namespace forms {
namespace {

thread_local Application* current = nullptr;

class SteadyClock : public Clock {
 public:
  std::int64_t NowMs() override {
    return std::chrono::duration_cast<std::chrono::milliseconds>(
               std::chrono::steady_clock::now().time_since_epoch())
        .count();
  }
};

}  // namespace

Application::Application()
    : previous_(current),
      null_desktop_(std::make_unique<NullDesktop>()),
      steady_clock_(std::make_unique<SteadyClock>()) {
  desktop_ = null_desktop_.get();
  clock_ = steady_clock_.get();
  current = this;
}

Application::~Application() {
  owned_forms_.clear();
  current = previous_;
}

Application& Application::Current() { return *current; }
Application* Application::CurrentOrNull() { return current; }

void Application::SetDesktop(Desktop* desktop) {
  desktop_ = desktop ? desktop : null_desktop_.get();
}

void Application::SetClock(Clock* clock) {
  clock_ = clock ? clock : steady_clock_.get();
  for (Timer* t : timers_) t->Rearm();
}

std::int64_t Application::Now() const { return clock_->NowMs(); }

Form* Application::FindForm(const std::string& name) const {
  for (Form* f : forms_) {
    if (f->Name() == name) return f;
  }
  return nullptr;
}

int Application::LoadedFormCount() const {
  return static_cast<int>(
      std::count_if(forms_.begin(), forms_.end(), [](Form* f) { return f->IsLoaded(); }));
}

void Application::RegisterForm(Form& form) { forms_.push_back(&form); }

void Application::UnregisterForm(Form& form) {
  // The form's controls may already be gone: compare addresses only.
  if (std::find(form.controls_.begin(), form.controls_.end(), capture_.control) !=
      form.controls_.end()) {
    capture_ = {};
  }
  std::erase(forms_, &form);
  std::erase(shown_order_, &form);
}

void Application::RegisterTimer(Timer& timer) { timers_.push_back(&timer); }

void Application::UnregisterTimer(Timer& timer) { std::erase(timers_, &timer); }

void Application::TimersChanged() {
  if (host_) host_->TimersChanged();
}

std::optional<std::int64_t> Application::NextTimerDue() const {
  std::optional<std::int64_t> next;
  for (const Timer* t : timers_) {
    if (t->Armed() && (!next || t->DueAt() < *next)) next = t->DueAt();
  }
  return next;
}

void Application::RunDueTimers() {
  if (ended_) return;
  std::int64_t now = Now();
  std::vector<Timer*> due;
  for (Timer* t : timers_) {
    if (t->Armed() && t->DueAt() <= now) due.push_back(t);
  }
  std::stable_sort(due.begin(), due.end(),
                   [](const Timer* a, const Timer* b) { return a->DueAt() < b->DueAt(); });
  for (Timer* t : due) {
    // An earlier handler may have stopped it, unloaded its form or destroyed nothing else:
    // timers only go away with their form, which outlives this call.
    if (std::find(timers_.begin(), timers_.end(), t) == timers_.end()) continue;
    if (!t->Armed() || t->DueAt() > now) continue;
    Dispatch([t] { t->FireTimer(); });
  }
}

Form* Application::ActiveForm() const {
  for (auto it = shown_order_.rbegin(); it != shown_order_.rend(); ++it) {
    if ((*it)->IsVisible()) return *it;
  }
  return nullptr;
}

Control* Application::ActiveControl() const {
  Form* f = ActiveForm();
  return f ? f->ActiveControl() : nullptr;
}

Form* Application::ModalForm() const {
  for (auto it = shown_order_.rbegin(); it != shown_order_.rend(); ++it) {
    if ((*it)->IsVisible() && (*it)->IsModal()) return *it;
  }
  return nullptr;
}

bool Application::AcceptsInput(const Form& form) const {
  if (ended_ || !form.IsVisible() || !form.enabled_) return false;
  Form* modal = ModalForm();
  return modal == nullptr || modal == &form;
}

void Application::SetMousePointer(int pointer) {
  mouse_pointer_ = pointer;
  desktop_->SetMousePointer(pointer);
}

void Application::SetScreenSize(int width_twips, int height_twips) {
  screen_width_ = width_twips;
  screen_height_ = height_twips;
}

Rect Application::ScreenWorkArea(const Form& form) const {
  if (host_ != nullptr) {
    if (std::optional<Rect> area = host_->ScreenWorkArea(form)) return *area;
  }
  return {0, 0, screen_width_, screen_height_};
}

MsgBoxResult Application::MsgBox(const std::string& prompt, int style, const std::string& title) {
  MessageBoxRequest request =
      MessageBoxRequest::FromStyle(prompt, style, title.empty() ? title_ : title);
  if (ended_) return request.DefaultResult();
  return desktop_->ShowMessageBox(request);
}

void Application::Beep() {
  ++beep_count_;
  desktop_->Beep();
}

Picture Application::LoadPicture(const std::string& path) { return desktop_->LoadPicture(path); }

void Application::SendKeys(const std::string& keys) {
  if (ended_) return;
  // One entry per keystroke: "{TAB}", "+{TAB}", "~", "a".
  std::size_t i = 0;
  while (i < keys.size()) {
    std::string prefix;
    while (i < keys.size() && (keys[i] == '+' || keys[i] == '^' || keys[i] == '%')) {
      prefix += keys[i++];
    }
    if (i >= keys.size()) break;
    if (keys[i] == '{') {
      // "{}}" is a literal brace.
      std::size_t close = keys.find('}', i + 2);
      if (close == std::string::npos) break;
      pending_keys_.push_back(prefix + keys.substr(i, close - i + 1));
      i = close + 1;
    } else {
      pending_keys_.push_back(prefix + keys[i]);
      ++i;
    }
  }
  if (dispatch_depth_ == 0 && !running_keys_) RunPendingKeys();
}

void Application::DoEvents() {
  if (ended_) return;
  RunPendingKeys();
  RunDueTimers();
  if (host_) host_->ProcessHostEvents();
}

void Application::End() {
  if (ended_) return;
  ended_ = true;
  pending_keys_.clear();
  for (Form* f : forms_) {
    f->loaded_ = false;
    f->visible_ = false;
    f->modal_ = false;
    for (Control* c : f->controls_) c->OnUnload();
  }
  shown_order_.clear();
  if (host_) host_->ProgramEnded();
}

void Application::Dispatch(const std::function<void()>& action) {
  if (ended_) return;
  ++dispatch_depth_;
  try {
    action();
  } catch (const runtime::RuntimeError& e) {
    ReportRuntimeError(e.Number(), e.Description());
  } catch (const std::exception& e) {
    ReportRuntimeError(0, e.what());
  }
  --dispatch_depth_;
  if (dispatch_depth_ == 0) {
    RunPendingKeys();
    if (!ended_ && LoadedFormCount() == 0 && !forms_.empty() && host_ && !all_closed_told_) {
      all_closed_told_ = true;
      host_->ProgramEnded();
    }
  }
}

void Application::RunModalLoop(Form& form) {
  // A modal form shown from a focus handler (a dialog opened when a box is left) moves the
  // focus among its own controls at once; the handler's pending move waits for its end.
  int saved_depth = dispatch_depth_;
  int saved_transition = transition_depth_;
  Control* saved_queued = queued_focus_;
  dispatch_depth_ = 0;
  transition_depth_ = 0;
  queued_focus_ = nullptr;
  host_->RunModal(form);
  dispatch_depth_ = saved_depth;
  transition_depth_ = saved_transition;
  if (queued_focus_ == nullptr) queued_focus_ = saved_queued;
}

void Application::ReportRuntimeError(int number, const std::string& description) {
  std::string prompt =
      number != 0 ? "Run-time error '" + std::to_string(number) + "':\r\n\r\n" + description
                  : "Run-time error:\r\n\r\n" + description;
  MsgBox(prompt, msgbox::kCritical);
}

void Application::RunPendingKeys() {
  // Keys sent while one runs are queued behind it; a DoEvents inside a handler runs them
  // early, since DoEvents promises that everything pending has run when it returns.
  bool outer = !running_keys_;
  running_keys_ = true;
  while (!pending_keys_.empty() && !ended_) {
    std::string key = pending_keys_.front();
    pending_keys_.pop_front();
    ++dispatch_depth_;
    try {
      RunKey(key);
    } catch (const runtime::RuntimeError& e) {
      ReportRuntimeError(e.Number(), e.Description());
    } catch (const std::exception& e) {
      ReportRuntimeError(0, e.what());
    }
    --dispatch_depth_;
  }
  if (outer) running_keys_ = false;
}

MsgBoxResult MsgBox(const std::string& prompt, int style, const std::string& title) {
  return Application::Current().MsgBox(prompt, style, title);
}
void Beep() { Application::Current().Beep(); }
void DoEvents() { Application::Current().DoEvents(); }
void SendKeys(const std::string& keys) { Application::Current().SendKeys(keys); }
void End() { Application::Current().End(); }
Picture LoadPicture(const std::string& path) { return Application::Current().LoadPicture(path); }
Application& App() { return Application::Current(); }

Control* ScreenObject::ActiveControl() const { return App().ActiveControl(); }
Form* ScreenObject::ActiveForm() const { return App().ActiveForm(); }
int ScreenObject::MousePointer() const { return App().MousePointer(); }
void ScreenObject::SetMousePointer(int pointer) const { App().SetMousePointer(pointer); }
int ScreenObject::Width() const { return App().ScreenWidth(); }
int ScreenObject::Height() const { return App().ScreenHeight(); }
ScreenObject Screen() { return {}; }

}  // namespace forms
