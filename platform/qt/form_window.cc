#include "platform/qt/form_window.h"

#include <QCloseEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QVBoxLayout>

#include "platform/qt/qt_host.h"

namespace qtbind {
namespace {

// The client area: the form's back colour and picture under the controls.
class FormClient : public QWidget {
 public:
  explicit FormClient(QWidget* parent) : QWidget(parent) {}
  void SetBackground(const QPixmap& picture, QColor color) {
    picture_ = picture;
    color_ = color;
    update();
  }

 protected:
  void paintEvent(QPaintEvent*) override {
    QPainter painter(this);
    painter.fillRect(rect(), color_);
    if (!picture_.isNull()) painter.drawPixmap(0, 0, picture_);
  }

 private:
  QPixmap picture_;
  QColor color_ = QColor(0xC0, 0xC0, 0xC0);
};

}  // namespace

FormWindow::FormWindow(QtHost& host, forms::Form& form)
    : QWidget(nullptr, Qt::Window), host_(host), form_(form), client_(new FormClient(this)) {
  setObjectName(QString::fromStdString(form.Name()));
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(0);
  layout->addWidget(client_);
  // The window itself takes the keys when no control has the focus; it is given the focus
  // only by the host, never by a click (Qt would take it from the model's control).
  setFocusPolicy(Qt::NoFocus);
}

QMenuBar* FormWindow::MenuBar() {
  if (menu_bar_ == nullptr) {
    menu_bar_ = new QMenuBar(this);
    static_cast<QVBoxLayout*>(layout())->setMenuBar(menu_bar_);
  }
  return menu_bar_;
}

void FormWindow::Watch(QWidget& widget) {
  widget.installEventFilter(this);
  for (QWidget* child : widget.findChildren<QWidget*>()) child->installEventFilter(this);
}

void FormWindow::SetBackground(const QPixmap& picture, QColor color) {
  static_cast<FormClient*>(client_)->SetBackground(picture, color);
}

bool FormWindow::eventFilter(QObject* watched, QEvent* event) {
  forms::Control* control = host_.ControlOf(watched);
  auto* widget = qobject_cast<QWidget*>(watched);
  if (control == nullptr || widget == nullptr) return QWidget::eventFilter(watched, event);
  // A combo box's drop-down list is a window of its own: Qt picks its rows, and the pick
  // reaches the model through the combo's activated signal.
  if (QWidget* popup = widget->window(); popup != this) {
    // Except the release of the press that opened it, which lands outside it and would
    // close it again at once.
    if (event->type() == QEvent::MouseButtonRelease) {
      const QPoint at = static_cast<QMouseEvent*>(event)->globalPosition().toPoint();
      if (!popup->rect().contains(popup->mapFromGlobal(at))) return true;
    }
    return QWidget::eventFilter(watched, event);
  }
  return host_.ControlEvent(*control, *widget, *event);
}

void FormWindow::keyPressEvent(QKeyEvent* event) { host_.WindowKey(form_, *event); }

void FormWindow::closeEvent(QCloseEvent* event) {
  // The model decides: QueryUnload and Unload may cancel; an unload deletes this window.
  event->ignore();
  host_.CloseRequested(form_);
}

}  // namespace qtbind
