// The focus rules. A move from A to B runs A's Validate when B causes validation (Cancel
// keeps the focus on A and nothing else runs), then makes B the active control, then runs
// A's LostFocus and B's GotFocus. A SetFocus made inside Validate redirects the move to its
// control; one made inside LostFocus or GotFocus is queued and runs as its own move once the
// current one has finished. A menu item or a toolbar button, which take no focus, first
// check with the same Validate an edit the focused control still holds unchecked.
#include <algorithm>
#include <utility>

#include "platform/forms/application.h"
#include "platform/forms/form.h"

namespace forms {
namespace {

// A chain of moves queued by focus handlers that keep moving the focus ends here.
constexpr int kMaxChainedMoves = 64;

}  // namespace

bool Application::MoveFocus(Control& target) {
  Form& form = target.GetForm();
  if (ended_ || !form.IsLoaded() || !target.CanTakeFocus()) return false;
  if (transition_depth_ > 0) {
    queued_focus_ = &target;
    return true;
  }
  if (!form.IsVisible()) {
    // The control that gets the focus when the form is shown.
    form.active_ = &target;
    return true;
  }
  if (ActiveForm() != &form) {
    form.active_ = &target;
    ActivateForm(form);
    return form.active_ == &target;
  }

  bool moved = true;
  Control* from = form.active_;
  if (from != &target) {
    ++transition_depth_;
    Control* to = &target;
    if (from != nullptr && target.causes_validation_) {
      bool cancel = false;
      from->Fire(from->on.Validate, cancel);
      if (!cancel) from->unchecked_edit_ = false;
      // A SetFocus made inside Validate (a check that resets the form and starts over)
      // takes the place of the move the user began: the control they were heading to is
      // never entered.
      if (!cancel && queued_focus_ != nullptr && &queued_focus_->GetForm() == &form) {
        to = queued_focus_;
        queued_focus_ = nullptr;
        if (!to->CanTakeFocus()) to = &target;
      }
      moved = !cancel && to == &target;
      if (cancel || to == from) to = nullptr;
    }
    if (to != nullptr && form.IsVisible()) {
      form.active_ = to;
      if (host_) host_->FocusChanged(form, to);
      if (from != nullptr) from->Fire(from->on.LostFocus);
      to->Fire(to->on.GotFocus);
    }
    --transition_depth_;
  }
  for (int chained = 0; transition_depth_ == 0 && queued_focus_ != nullptr; ++chained) {
    Control* next = queued_focus_;
    queued_focus_ = nullptr;
    if (chained < kMaxChainedMoves) MoveFocus(*next);
  }
  return moved;
}

bool Application::CheckUncheckedEdit(Form& form) {
  Control* c = form.active_;
  if (ended_ || c == nullptr || !c->unchecked_edit_) return !ended_;
  Control* outer = std::exchange(queued_focus_, nullptr);
  const bool outer_checking = std::exchange(checking_for_command_, true);
  const bool outer_withdrawn = std::exchange(command_withdrawn_, false);
  ++transition_depth_;
  bool cancel = false;
  c->Fire(c->on.Validate, cancel);
  --transition_depth_;
  checking_for_command_ = outer_checking;
  const bool withdrawn = std::exchange(command_withdrawn_, outer_withdrawn);
  if (!cancel) c->unchecked_edit_ = false;
  // A SetFocus made inside Validate (a check that starts over elsewhere) runs now, and
  // takes the place of the command as it would of the move.
  Control* elsewhere = std::exchange(queued_focus_, outer);
  if (elsewhere != nullptr && elsewhere != c) MoveFocus(*elsewhere);
  return !cancel && !withdrawn && !ended_ && form.active_ == c;
}

bool Application::WithdrawCommand() {
  if (!checking_for_command_) return false;
  command_withdrawn_ = true;
  return true;
}

bool Application::FocusNext(Form& form, bool backwards) {
  std::vector<Control*> order = form.TabOrder();
  if (order.empty()) return false;
  auto it = std::find(order.begin(), order.end(), form.active_);
  std::size_t n = order.size();
  std::size_t next;
  if (it == order.end()) {
    next = backwards ? n - 1 : 0;
  } else {
    std::size_t i = static_cast<std::size_t>(it - order.begin());
    next = backwards ? (i + n - 1) % n : (i + 1) % n;
  }
  if (order[next] == form.active_) return false;
  return MoveFocus(*order[next]);
}

void Application::ActivateForm(Form& form) {
  Form* previous = ActiveForm();
  std::erase(shown_order_, &form);
  shown_order_.push_back(&form);
  if (previous == &form) return;
  if (previous != nullptr) {
    // The previous form's control loses the focus to the new form: no Validate, and
    // Screen.ActiveForm is already the new one.
    if (Control* c = previous->active_) c->Fire(c->on.LostFocus);
    if (previous->IsLoaded()) previous->Form_Deactivate();
  }
  EnterForm(form);
}

void Application::EnterForm(Form& form) {
  if (ended_ || !form.IsVisible() || ActiveForm() != &form) return;
  form.Form_Activate();
  if (ended_ || !form.IsVisible() || ActiveForm() != &form) return;
  Control* c = form.active_;
  if (c == nullptr || !c->CanTakeFocus()) {
    std::vector<Control*> order = form.TabOrder();
    c = order.empty() ? nullptr : order.front();
  }
  form.active_ = c;
  if (host_) host_->FocusChanged(form, c);
  if (c == nullptr) return;
  ++transition_depth_;
  c->Fire(c->on.GotFocus);
  --transition_depth_;
  if (queued_focus_ != nullptr) {
    Control* next = queued_focus_;
    queued_focus_ = nullptr;
    MoveFocus(*next);
  }
}

void Application::FormClosing(Form& form) {
  bool was_active = !shown_order_.empty() && shown_order_.back() == &form;
  std::erase(shown_order_, &form);
  if (!was_active) return;
  // The form below becomes active again: its Activate and its control's GotFocus run.
  if (Form* next = ActiveForm()) {
    std::erase(shown_order_, next);
    shown_order_.push_back(next);
    EnterForm(*next);
  }
}

}  // namespace forms
