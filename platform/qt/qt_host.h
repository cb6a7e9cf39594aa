// The Qt host of the form model: a window per loaded form, a widget per control, model
// changes mirrored onto them, and the user's input forwarded to the model's entry points
// (forms/user_input.h), which alone decide focus, validation and event order. A move of the
// focus in Qt (Tab, a click) is asked of the model and happens only when Validate lets it.
//
// The host also gives PrintForm its windows' images (print/print_form.h).
//
// REQUIRES: a QApplication exists while the host lives. The host and the application must
// outlive every form window; the host detaches from the application when it is destroyed.
#ifndef FRELANE_PLATFORM_QT_QT_HOST_H_
#define FRELANE_PLATFORM_QT_QT_HOST_H_

#include <map>
#include <memory>
#include <optional>
#include <vector>

#include <QAction>
#include <QPointer>
#include <QEventLoop>
#include <QTimer>
#include <QWidget>

#include "platform/forms/application.h"
#include "platform/forms/caption_label.h"
#include "platform/forms/form.h"
#include "platform/forms/host.h"
#include "platform/print/print_form.h"

namespace qtbind {

class FormWindow;

class QtHost : public forms::Host {
 public:
  explicit QtHost(forms::Application& app);
  ~QtHost() override;
  QtHost(const QtHost&) = delete;
  QtHost& operator=(const QtHost&) = delete;

  // The window of a loaded form, the widget of a control (nullptr when it has none), and the
  // control of a widget. For tests and for printing a form's image.
  QWidget* WindowOf(const forms::Form& form) const;
  QWidget* WidgetOf(const forms::Control& control) const;
  forms::Control* ControlOf(const QObject* widget) const;
  // The window of the active form; nullptr when none is shown.
  QWidget* ActiveWindow() const;

  void FormLoaded(forms::Form& form) override;
  void FormUnloaded(forms::Form& form) override;
  void FormShown(forms::Form& form, bool modal) override;
  void FormHidden(forms::Form& form) override;
  void FormChanged(forms::Form& form, forms::Property property) override;
  void ControlChanged(forms::Control& control, forms::Property property) override;
  void FocusChanged(forms::Form& form, forms::Control* control) override;
  void DropDownRequested(forms::Control& control) override;
  // The rows a list's view shows whole.
  std::optional<forms::ListRows> ListRowsInView(const forms::Control& control) override;
  void TimersChanged() override;
  // The available area of the screen the active window is on, else of the primary screen.
  std::optional<forms::Rect> ScreenWorkArea(const forms::Form& form) override;
  void RunModal(forms::Form& form) override;
  void ProcessHostEvents() override;
  void ProgramEnded() override;

  // From the windows: an input event on a control's widget (true: consumed), a key on the
  // window itself, the close box.
  bool ControlEvent(forms::Control& control, QWidget& widget, QEvent& event);
  void WindowKey(forms::Form& form, QKeyEvent& event);
  void CloseRequested(forms::Form& form);

 private:
  void BuildControls(forms::Form& form, FormWindow& window);
  void BuildMenus(forms::Form& form, FormWindow& window);
  void SyncForm(forms::Form& form, FormWindow& window);
  void SyncMenu(forms::Control& menu);
  void SyncFocus(forms::Form& form);
  // Gives each text and combo box the caption of its label as its accessible name (and the
  // label its box as buddy when it captions that box alone), as the form lies now.
  void NameBoxesByCaption(forms::Form& form);
  void RenameBoxesCaptionedBy(const forms::Control& label);
  bool KeyEvent(forms::Form& form, QKeyEvent& event);
  bool MouseEvent(forms::Control& control, QWidget& widget, QMouseEvent& event);
  void ShowPressInWidget(forms::Control& control, QWidget& widget, QPoint point);
  void QuitModalLoops(const forms::Form* form);
  void Forget(forms::Form& form);

  forms::Application& app_;
  std::map<const forms::Form*, std::unique_ptr<FormWindow>> windows_;
  // Windows of unloaded forms whose deletion waits for the event loop or for a dialog over
  // them; any still alive when the host goes are deleted with it, since their event filters
  // call back into the host.
  std::vector<QPointer<FormWindow>> released_;
  std::map<const forms::Control*, QWidget*> widgets_;
  std::map<const QObject*, forms::Control*> controls_;
  std::map<const forms::Control*, QAction*> actions_;
  // The caption of each text and combo box of the shown forms.
  std::map<QWidget*, forms::BoxCaption> captions_;
  std::vector<std::pair<const forms::Form*, QEventLoop*>> modal_loops_;
  QTimer timer_;
  print::WindowImageSource previous_image_source_;
};

}  // namespace qtbind

#endif  // FRELANE_PLATFORM_QT_QT_HOST_H_
