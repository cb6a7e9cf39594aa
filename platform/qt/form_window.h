// The top-level window of one loaded form: its menu bar, and the client area on which the
// controls' widgets sit at their twips. Input on the widgets is handed to the host.
#ifndef FRELANE_PLATFORM_QT_FORM_WINDOW_H_
#define FRELANE_PLATFORM_QT_FORM_WINDOW_H_

#include <QMenuBar>
#include <QPixmap>
#include <QWidget>

#include "platform/forms/form.h"

namespace qtbind {

class QtHost;

class FormWindow : public QWidget {
 public:
  FormWindow(QtHost& host, forms::Form& form);

  forms::Form& form() const { return form_; }
  QWidget* Client() const { return client_; }
  // Created on first use.
  QMenuBar* MenuBar();
  // Watches a control's widget (and its inner widgets) for input.
  void Watch(QWidget& widget);
  // The form's Picture, drawn at the client's top left at its own size.
  void SetBackground(const QPixmap& picture, QColor color);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void closeEvent(QCloseEvent* event) override;

 private:
  QtHost& host_;
  forms::Form& form_;
  QWidget* client_;
  QMenuBar* menu_bar_ = nullptr;
};

}  // namespace qtbind

#endif  // FRELANE_PLATFORM_QT_FORM_WINDOW_H_
