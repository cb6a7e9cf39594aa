#include "platform/qt/qt_host.h"

#include <algorithm>

#include <QApplication>
#include <QComboBox>
#include <QDialog>
#include <QIcon>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QMenu>
#include <QMouseEvent>
#include <QScreen>
#include <QScrollBar>

#include "platform/forms/list_controls.h"
#include "platform/forms/other_controls.h"
#include "platform/forms/text_controls.h"
#include "platform/forms/user_input.h"
#include "platform/print/print_form.h"
#include "platform/qt/control_widgets.h"
#include "platform/qt/form_window.h"
#include "platform/qt/key_codes.h"
#include "platform/qt/list_view.h"

namespace qtbind {
namespace {

using forms::ControlKind;

int ButtonOf(Qt::MouseButton button) {
  switch (button) {
    case Qt::RightButton:
      return forms::kRightButton;
    case Qt::MiddleButton:
      return forms::kMiddleButton;
    default:
      return forms::kLeftButton;
  }
}

int ShiftOf(Qt::KeyboardModifiers modifiers) {
  int shift = 0;
  if (modifiers & Qt::ShiftModifier) shift |= forms::kShiftMask;
  if (modifiers & Qt::ControlModifier) shift |= forms::kCtrlMask;
  if (modifiers & Qt::AltModifier) shift |= forms::kAltMask;
  return shift;
}

// A widget's look as printed-form pixels.
std::shared_ptr<const print::Bitmap> Grab(QWidget& widget) {
  const QImage image = widget.grab().toImage().convertToFormat(QImage::Format_ARGB32);
  auto bitmap = std::make_shared<print::Bitmap>();
  bitmap->width = image.width();
  bitmap->height = image.height();
  bitmap->argb.reserve(static_cast<std::size_t>(image.width()) * image.height());
  for (int y = 0; y < image.height(); ++y) {
    const auto* row = reinterpret_cast<const QRgb*>(image.constScanLine(y));
    bitmap->argb.insert(bitmap->argb.end(), row, row + image.width());
  }
  return bitmap;
}

// Controls without a window of their own, painted on their container.
bool IsDrawnOnForm(const forms::Control& control) {
  const ControlKind kind = control.Kind();
  return kind == ControlKind::kLabel || kind == ControlKind::kImage || kind == ControlKind::kLine;
}

}  // namespace

QtHost::QtHost(forms::Application& app) : app_(app) {
  if (const QScreen* screen = QGuiApplication::primaryScreen()) {
    const QRect whole = screen->geometry();
    app_.SetScreenSize(ToTwips(whole.width()), ToTwips(whole.height()));
  }
  timer_.setSingleShot(true);
  QObject::connect(&timer_, &QTimer::timeout, [this] {
    forms::user::RunDueTimers(Key());
    TimersChanged();
  });
  app_.SetHost(this);
  previous_image_source_ = print::SetWindowImageSource([this](const std::string& name) {
    forms::Form* form = app_.FindForm(name);
    auto* window = form ? static_cast<FormWindow*>(WindowOf(*form)) : nullptr;
    return window ? Grab(*window->Client()) : nullptr;
  });
}

QtHost::~QtHost() {
  print::SetWindowImageSource(std::move(previous_image_source_));
  if (app_.GetHost() == this) app_.SetHost(nullptr);
  QuitModalLoops(nullptr);
  for (const QPointer<FormWindow>& window : released_) delete window.data();
}

QWidget* QtHost::WindowOf(const forms::Form& form) const {
  const auto it = windows_.find(&form);
  return it == windows_.end() ? nullptr : it->second.get();
}

QWidget* QtHost::WidgetOf(const forms::Control& control) const {
  const auto it = widgets_.find(&control);
  return it == widgets_.end() ? nullptr : it->second;
}

forms::Control* QtHost::ControlOf(const QObject* widget) const {
  const auto it = controls_.find(widget);
  return it == controls_.end() ? nullptr : it->second;
}

QWidget* QtHost::ActiveWindow() const {
  forms::Form* form = app_.ActiveForm();
  return form == nullptr ? nullptr : WindowOf(*form);
}

void QtHost::FormLoaded(forms::Form& form) {
  auto window = std::make_unique<FormWindow>(*this, form);
  FormWindow& ref = *window;
  windows_[&form] = std::move(window);
  BuildControls(form, ref);
  BuildMenus(form, ref);
  SyncForm(form, ref);
}

void QtHost::FormUnloaded(forms::Form& form) {
  QuitModalLoops(&form);
  Forget(form);
}

void QtHost::FormShown(forms::Form& form, bool modal) {
  auto it = windows_.find(&form);
  if (it == windows_.end()) return;
  FormWindow& window = *it->second;
  window.setWindowModality(modal ? Qt::ApplicationModal : Qt::NonModal);
  SyncForm(form, window);
  NameBoxesByCaption(form);
  window.show();
  window.raise();
  window.activateWindow();
  SyncFocus(form);
  // A message box still waiting for its answer stays in front of a window shown meanwhile.
  QWidget* waiting = QApplication::activeModalWidget();
  if (waiting != nullptr && waiting != &window && qobject_cast<QDialog*>(waiting) != nullptr) {
    waiting->raise();
    waiting->activateWindow();
  }
}

void QtHost::FormHidden(forms::Form& form) {
  if (QWidget* window = WindowOf(form)) window->hide();
  QuitModalLoops(&form);
}

void QtHost::FormChanged(forms::Form& form, forms::Property) {
  auto it = windows_.find(&form);
  if (it != windows_.end()) SyncForm(form, *it->second);
}

void QtHost::ControlChanged(forms::Control& control, forms::Property property) {
  if (control.Kind() == ControlKind::kMenu) {
    SyncMenu(control);
    return;
  }
  if (QWidget* widget = WidgetOf(control)) SyncControlWidget(control, *widget);
  if (property == forms::Property::kCaption) RenameBoxesCaptionedBy(control);
}

void QtHost::FocusChanged(forms::Form& form, forms::Control*) { SyncFocus(form); }

void QtHost::DropDownRequested(forms::Control& control) {
  if (auto* combo = qobject_cast<QComboBox*>(WidgetOf(control))) combo->showPopup();
}

std::optional<forms::ListRows> QtHost::ListRowsInView(const forms::Control& control) {
  auto* view = dynamic_cast<ListView*>(WidgetOf(control));
  if (view == nullptr || !view->isVisible()) return std::nullopt;
  return view->WholeRowsInView();
}

void QtHost::TimersChanged() {
  const std::optional<std::int64_t> due = app_.NextTimerDue();
  if (!due.has_value()) {
    timer_.stop();
    return;
  }
  timer_.start(static_cast<int>(std::clamp<std::int64_t>(*due - app_.Now(), 0, 1 << 30)));
}

std::optional<forms::Rect> QtHost::ScreenWorkArea(const forms::Form&) {
  const QWidget* active = ActiveWindow();
  const QScreen* screen = active != nullptr ? active->screen() : QGuiApplication::primaryScreen();
  if (screen == nullptr) return std::nullopt;
  const QRect area = screen->availableGeometry();
  return forms::Rect{ToTwips(area.x()), ToTwips(area.y()), ToTwips(area.width()),
                     ToTwips(area.height())};
}

void QtHost::RunModal(forms::Form& form) {
  if (!form.IsVisible() || app_.Ended()) return;
  QEventLoop loop;
  modal_loops_.emplace_back(&form, &loop);
  loop.exec();
  std::erase_if(modal_loops_, [&loop](const auto& entry) { return entry.second == &loop; });
  // The window system hands the activation around while the dialog's window goes away; once
  // it has, the form the model made active again takes the keyboard back.
  if (forms::Form* active = app_.ActiveForm()) SyncFocus(*active);
}

void QtHost::ProcessHostEvents() { QCoreApplication::processEvents(); }

void QtHost::ProgramEnded() {
  QuitModalLoops(nullptr);
  for (auto& [form, window] : windows_) window->hide();
  QCoreApplication::quit();
}

bool QtHost::ControlEvent(forms::Control& control, QWidget& widget, QEvent& event) {
  forms::Form& form = control.GetForm();
  switch (event.type()) {
    case QEvent::ShortcutOverride: {
      // Keys go to the model, except Alt combinations, which open the menus.
      auto& key = static_cast<QKeyEvent&>(event);
      if (!(key.modifiers() & Qt::AltModifier)) key.accept();
      return true;
    }
    case QEvent::KeyPress:
      return KeyEvent(form, static_cast<QKeyEvent&>(event));
    case QEvent::KeyRelease:
      return true;
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
      return MouseEvent(control, widget, static_cast<QMouseEvent&>(event));
    case QEvent::MouseMove: {
      auto& mouse = static_cast<QMouseEvent&>(event);
      const QPoint at = widget.mapTo(WidgetOf(control), mouse.position().toPoint());
      forms::user::MouseMove(Key(), control, ButtonOf(mouse.button()), ShiftOf(mouse.modifiers()),
                             ToTwips(at.x()), ToTwips(at.y()));
      return false;
    }
    case QEvent::InputMethod: {
      const QString text = static_cast<QInputMethodEvent&>(event).commitString();
      if (!text.isEmpty()) forms::user::Type(Key(), form, text.toStdString());
      return true;
    }
    case QEvent::ContextMenu:
    case QEvent::DragEnter:
    case QEvent::DragMove:
    case QEvent::Drop:
      return true;
    default:
      return false;
  }
}

void QtHost::WindowKey(forms::Form& form, QKeyEvent& event) { KeyEvent(form, event); }

void QtHost::CloseRequested(forms::Form& form) {
  forms::user::CloseForm(Key(), form);
}

bool QtHost::KeyEvent(forms::Form& form, QKeyEvent& event) {
  const Keystroke stroke = ToKeystroke(event);
  if (stroke.key_code != 0 || stroke.ascii != 0) {
    forms::user::Key(Key(), form, stroke.key_code, stroke.shift, stroke.ascii);
  } else if (!(event.modifiers() & (Qt::ControlModifier | Qt::AltModifier)) &&
             !event.text().isEmpty() && event.text().at(0) >= QChar(' ')) {
    // A character without a single-byte code: the model refuses it as the user types it.
    forms::user::Type(Key(), form, event.text().toStdString());
  }
  return true;
}

bool QtHost::MouseEvent(forms::Control& control, QWidget& widget, QMouseEvent& event) {
  // Scroll bars (their own, and those inside lists) scroll as Qt does.
  if (qobject_cast<QScrollBar*>(&widget) != nullptr) return false;
  QWidget* root = WidgetOf(control);
  const QPoint at = widget.mapTo(root, event.position().toPoint());
  const int x = ToTwips(at.x());
  const int y = ToTwips(at.y());
  const int button = ButtonOf(event.button());
  const int shift = ShiftOf(event.modifiers());

  switch (event.type()) {
    case QEvent::MouseButtonPress:
      if (forms::user::MouseDown(Key(), control, button, shift, x, y) &&
          button == forms::kLeftButton) {
        ShowPressInWidget(control, widget, event.position().toPoint());
      }
      break;
    case QEvent::MouseButtonDblClick:
      forms::user::DblClick(Key(), control, button, shift, x, y);
      break;
    default:
      forms::user::MouseUp(Key(), control, button, shift, x, y);
      break;
  }
  return true;
}

void QtHost::ShowPressInWidget(forms::Control& control, QWidget& widget, QPoint point) {
  // What only the widget knows: the caret position under the pointer, the list row under
  // it, the drop-down of a combo box.
  QWidget* root = WidgetOf(control);
  if (root == nullptr || !control.HasFocus()) return;
  if (auto* line = qobject_cast<QLineEdit*>(&widget)) {
    forms::user::Select(Key(), control, line->cursorPositionAt(point), 0);
  } else if (auto* combo = qobject_cast<QComboBox*>(root); combo && &widget == combo) {
    combo->showPopup();
  } else if (auto* list = qobject_cast<QListView*>(root)) {
    const int row = list->indexAt(list->viewport()->mapFrom(&widget, point)).row();
    if (row >= 0) forms::user::PickListItem(Key(), control, row);
  }
}

void QtHost::BuildControls(forms::Form& form, FormWindow& window) {
  // Containers come before their controls in creation order, so a parent always exists.
  for (forms::Control* control : form.Controls()) {
    QWidget* parent = window.Client();
    if (control->Container() != nullptr) {
      if (QWidget* container = WidgetOf(*control->Container())) parent = container;
    }
    QWidget* widget = CreateControlWidget(*control, parent);
    if (widget == nullptr) continue;
    widgets_[control] = widget;
    controls_[widget] = control;
    for (QWidget* child : widget->findChildren<QWidget*>()) controls_[child] = control;
    window.Watch(*widget);
    if (auto* combo = qobject_cast<QComboBox*>(widget)) {
      QObject::connect(combo, &QComboBox::activated, [this, control](int index) {
        forms::user::PickListItem(Key(), *control, index);
      });
    }
    if (auto* bar = qobject_cast<QScrollBar*>(widget)) {
      QObject::connect(bar, &QScrollBar::valueChanged, [this, control, bar](int value) {
        forms::user::Scroll(Key(), static_cast<forms::ScrollBar&>(*control), value);
        // The model may refuse or change the value: show what it holds.
        SyncControlWidget(*control, *bar);
      });
    }
    SyncControlWidget(*control, *widget);
  }
  // Labels, images and lines are drawn on the form itself, beneath every control that is a
  // window of its own: a combo box shown where a label is hides the label.
  for (forms::Control* control : form.Controls()) {
    if (IsDrawnOnForm(*control)) continue;
    if (QWidget* widget = WidgetOf(*control)) widget->raise();
  }
}

void QtHost::BuildMenus(forms::Form& form, FormWindow& window) {
  std::map<const forms::Control*, QMenu*> menus;
  for (forms::Control* control : form.Controls()) {
    if (control->Kind() != ControlKind::kMenu) continue;
    const bool has_entries = std::any_of(form.Controls().begin(), form.Controls().end(),
                                         [control](forms::Control* other) {
                                           return other->Kind() == ControlKind::kMenu &&
                                                  other->Container() == control;
                                         });
    const auto& menu = static_cast<forms::Menu&>(*control);
    const QString caption = QString::fromStdString(menu.CaptionValue());
    QMenu* owner = control->Container() ? menus[control->Container()] : nullptr;
    QAction* action = nullptr;
    if (has_entries) {
      QMenu* sub = owner ? owner->addMenu(caption) : window.MenuBar()->addMenu(caption);
      menus[control] = sub;
      action = sub->menuAction();
    } else if (caption == QStringLiteral("-")) {
      action = owner ? owner->addSeparator() : window.MenuBar()->addSeparator();
    } else {
      action = owner ? owner->addAction(caption) : window.MenuBar()->addAction(caption);
      QObject::connect(action, &QAction::triggered, [this, control] {
        forms::user::MenuClick(Key(), static_cast<forms::Menu&>(*control));
      });
    }
    actions_[control] = action;
    SyncMenu(*control);
  }
}

void QtHost::SyncMenu(forms::Control& control) {
  const auto it = actions_.find(&control);
  if (it == actions_.end()) return;
  auto& menu = static_cast<forms::Menu&>(control);
  QAction* action = it->second;
  if (!action->isSeparator()) action->setText(QString::fromStdString(menu.CaptionValue()));
  action->setCheckable(menu.Checked());
  action->setChecked(menu.Checked());
  action->setVisible(menu.Visible());
  action->setEnabled(menu.Enabled());
}

void QtHost::SyncForm(forms::Form& form, FormWindow& window) {
  window.setWindowTitle(QString::fromStdString(form.CaptionValue()));
  const forms::Rect& rect = form.Geometry();
  window.move(rect.left / forms::kTwipsPerPixel, rect.top / forms::kTwipsPerPixel);
  window.Client()->setFixedSize(form.ScaleWidth() / forms::kTwipsPerPixel,
                                form.ScaleHeight() / forms::kTwipsPerPixel);
  window.adjustSize();
  const forms::Color back = form.BackColor();
  const QColor color(static_cast<int>(back & 0xFF), static_cast<int>((back >> 8) & 0xFF),
                     static_cast<int>((back >> 16) & 0xFF));
  const std::string& picture = form.PictureValue().path;
  window.SetBackground(picture.empty() ? QPixmap() : QPixmap(QString::fromStdString(picture)),
                       color);
  const std::string& icon = form.IconValue().path;
  window.setWindowIcon(icon.empty() ? QIcon() : QIcon(QString::fromStdString(icon)));
}

void QtHost::SyncFocus(forms::Form& form) {
  QWidget* window = WindowOf(form);
  if (window == nullptr || !window->isVisible()) return;
  // The form the model makes active (again, when a dialog above it closed) takes the
  // keyboard: without a window manager nobody else gives its window the input focus back.
  if (&form == app_.ActiveForm() && !window->isActiveWindow()) window->activateWindow();
  forms::Control* active = form.ActiveControl();
  QWidget* widget = active ? WidgetOf(*active) : nullptr;
  // The model moves the focus for Tab and Enter itself, so Qt never sees a keyboard focus
  // change; without this mark the style draws no focus frame on buttons and check boxes.
  window->setAttribute(Qt::WA_KeyboardFocusChange);
  if (widget != nullptr && widget->isVisible()) {
    widget->setFocus(Qt::OtherFocusReason);
  } else {
    window->setFocus(Qt::OtherFocusReason);
  }
}

void QtHost::NameBoxesByCaption(forms::Form& form) {
  std::map<const forms::Control*, int> boxes_captioned;
  for (forms::Control* control : form.Controls()) {
    if (control->Kind() != ControlKind::kTextBox && control->Kind() != ControlKind::kComboBox) {
      continue;
    }
    QWidget* box = WidgetOf(*control);
    if (box == nullptr) continue;
    if (!control->AccessibleName().empty()) {
      // Named by the design: no caption renames it.
      box->setAccessibleName(QString::fromStdString(control->AccessibleName()));
      continue;
    }
    const forms::BoxCaption caption = forms::CaptionOf(*control);
    captions_[box] = caption;
    // Without a caption the name is empty, and Qt names the box by its frame's caption.
    box->setAccessibleName(QString::fromStdString(forms::CaptionName(caption)));
    if (caption.label != nullptr) ++boxes_captioned[caption.label];
  }
  // A label that captions one box alone is that box's label for Qt too; a column heading
  // names its boxes by name only.
  for (forms::Control* control : form.Controls()) {
    auto* label = qobject_cast<QLabel*>(WidgetOf(*control));
    if (control->Kind() != ControlKind::kLabel || label == nullptr) continue;
    QWidget* buddy = nullptr;
    if (boxes_captioned[control] == 1) {
      for (const auto& [box, caption] : captions_) {
        if (caption.label == control) buddy = box;
      }
    }
    if (label->buddy() != buddy) {
      label->setBuddy(buddy);
      SyncControlWidget(*control, *label);  // a buddy's label shows "&" doubled
    }
  }
}

void QtHost::RenameBoxesCaptionedBy(const forms::Control& label) {
  if (label.Kind() != ControlKind::kLabel) return;
  for (const auto& [box, caption] : captions_) {
    if (caption.label == &label || caption.heading == &label || caption.row == &label) {
      box->setAccessibleName(QString::fromStdString(forms::CaptionName(caption)));
    }
  }
}

void QtHost::QuitModalLoops(const forms::Form* form) {
  for (auto& [owner, loop] : modal_loops_) {
    if (form == nullptr || owner == form) loop->quit();
  }
}

void QtHost::Forget(forms::Form& form) {
  auto it = windows_.find(&form);
  if (it == windows_.end()) return;
  for (forms::Control* control : form.Controls()) {
    if (QWidget* widget = WidgetOf(*control)) captions_.erase(widget);
    widgets_.erase(control);
    actions_.erase(control);
  }
  std::erase_if(controls_, [&form](const auto& entry) { return &entry.second->GetForm() == &form; });
  // The window may be inside one of its own event handlers: delete it once they return.
  FormWindow* window = it->second.release();
  windows_.erase(it);
  window->hide();
  std::erase_if(released_, [](const QPointer<FormWindow>& gone) { return gone.isNull(); });
  released_.emplace_back(window);
  // A dialog still open over the window (a message box a handler is waiting on) is its
  // child and would go with it: the window is deleted once the last such dialog is.
  std::vector<QDialog*> open;
  for (QDialog* dialog : window->findChildren<QDialog*>()) {
    if (dialog->isVisible()) open.push_back(dialog);
  }
  if (open.empty()) {
    window->deleteLater();
    return;
  }
  auto remaining = std::make_shared<std::size_t>(open.size());
  for (QDialog* dialog : open) {
    QObject::connect(dialog, &QObject::destroyed, window, [window, remaining] {
      if (--*remaining == 0) window->deleteLater();
    });
  }
}

}  // namespace qtbind
