#include "platform/qt/qt_desktop.h"

#include <utility>

#include <QApplication>
#include <QClipboard>
#include <QDesktopServices>
#include <QFileInfo>
#include <QMessageBox>
#include <QProcess>
#include <QPushButton>
#include <QStandardPaths>
#include <QUrl>

#include "platform/forms/types.h"
#include "platform/qt/keyboard_return.h"
#include "platform/qt/open_with_portal.h"

namespace qtbind {
namespace {

using forms::MsgBoxButtons;
using forms::MsgBoxResult;

struct ButtonRow {
  MsgBoxResult result;
  QMessageBox::StandardButton button;
};

std::vector<ButtonRow> ButtonsOf(MsgBoxButtons buttons) {
  switch (buttons) {
    case MsgBoxButtons::kOK:
      return {{MsgBoxResult::kOK, QMessageBox::Ok}};
    case MsgBoxButtons::kOKCancel:
      return {{MsgBoxResult::kOK, QMessageBox::Ok}, {MsgBoxResult::kCancel, QMessageBox::Cancel}};
    case MsgBoxButtons::kAbortRetryIgnore:
      return {{MsgBoxResult::kAbort, QMessageBox::Abort},
              {MsgBoxResult::kRetry, QMessageBox::Retry},
              {MsgBoxResult::kIgnore, QMessageBox::Ignore}};
    case MsgBoxButtons::kYesNoCancel:
      return {{MsgBoxResult::kYes, QMessageBox::Yes},
              {MsgBoxResult::kNo, QMessageBox::No},
              {MsgBoxResult::kCancel, QMessageBox::Cancel}};
    case MsgBoxButtons::kYesNo:
      return {{MsgBoxResult::kYes, QMessageBox::Yes}, {MsgBoxResult::kNo, QMessageBox::No}};
    case MsgBoxButtons::kRetryCancel:
      return {{MsgBoxResult::kRetry, QMessageBox::Retry},
              {MsgBoxResult::kCancel, QMessageBox::Cancel}};
  }
  return {{MsgBoxResult::kOK, QMessageBox::Ok}};
}

QMessageBox::Icon IconOf(forms::MsgBoxIcon icon) {
  switch (icon) {
    case forms::MsgBoxIcon::kCritical:
      return QMessageBox::Critical;
    case forms::MsgBoxIcon::kQuestion:
      return QMessageBox::Question;
    case forms::MsgBoxIcon::kExclamation:
      return QMessageBox::Warning;
    case forms::MsgBoxIcon::kInformation:
      return QMessageBox::Information;
    case forms::MsgBoxIcon::kNone:
      break;
  }
  return QMessageBox::NoIcon;
}

// The prompt's CR LF and lone CR become line breaks.
QString PromptText(const std::string& prompt) {
  QString text = QString::fromStdString(prompt);
  text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
  text.replace(QChar('\r'), QChar('\n'));
  return text;
}

QUrl LocalFile(const std::string& path) { return QUrl::fromLocalFile(QString::fromStdString(path)); }

}  // namespace

QtDesktop::QtDesktop(std::function<QWidget*()> parent_window)
    : parent_window_(std::move(parent_window)) {}

QtDesktop::~QtDesktop() {
  if (hourglass_) QApplication::restoreOverrideCursor();
}

MsgBoxResult QtDesktop::ShowMessageBox(const forms::MessageBoxRequest& request) {
  QMessageBox box(IconOf(request.icon), QString::fromStdString(request.title),
                  PromptText(request.prompt), QMessageBox::NoButton,
                  parent_window_ ? parent_window_() : nullptr);
  const std::vector<ButtonRow> rows = ButtonsOf(request.buttons);
  std::vector<QPushButton*> buttons;
  for (const ButtonRow& row : rows) buttons.push_back(box.addButton(row.button));
  const std::size_t default_index = static_cast<std::size_t>(request.default_button - 1);
  if (default_index < buttons.size()) box.setDefaultButton(buttons[default_index]);
  // Escape answers only with a button that does nothing (Cancel, or a lone OK): it must
  // never choose Yes, No, Abort, Retry or Ignore for the user.
  for (std::size_t i = 0; i < rows.size(); ++i) {
    if (rows[i].result == MsgBoxResult::kCancel) box.setEscapeButton(buttons[i]);
  }
  if (rows.size() == 1) box.setEscapeButton(buttons[0]);
  box.exec();
  // The window the box was shown over may have been unloaded meanwhile.
  QWidget* back = box.parentWidget();
  if ((back == nullptr || !back->isVisible()) && parent_window_) back = parent_window_();
  ReturnKeyboardTo(back);
  for (std::size_t i = 0; i < rows.size(); ++i) {
    if (box.clickedButton() == buttons[i]) return rows[i].result;
  }
  return request.DefaultResult();
}

void QtDesktop::Beep() { QApplication::beep(); }

std::string QtDesktop::ClipboardText() { return QGuiApplication::clipboard()->text().toStdString(); }

void QtDesktop::SetClipboardText(const std::string& text) {
  QGuiApplication::clipboard()->setText(QString::fromStdString(text));
}

void QtDesktop::SetMousePointer(int pointer) {
  const bool hourglass = pointer == forms::kMouseHourglass;
  if (hourglass == hourglass_) return;
  hourglass_ = hourglass;
  if (hourglass) {
    QApplication::setOverrideCursor(Qt::WaitCursor);
  } else {
    QApplication::restoreOverrideCursor();
  }
}

void QtDesktop::ShowHelp(const std::string& help_file, int) {
  // No help viewer takes context numbers here: the file opens at its start.
  if (!help_file.empty()) QDesktopServices::openUrl(LocalFile(help_file));
}

bool QtDesktop::OpenUrl(const std::string& url) {
  return QDesktopServices::openUrl(QUrl(QString::fromStdString(url)));
}

int QtDesktop::OpenDocument(const std::string& path, forms::ShellVerb verb) {
  if (!QFileInfo::exists(QString::fromStdString(path))) return forms::kShellFileNotFound;
  if (verb == forms::ShellVerb::kPrint) {
    const bool started =
        QProcess::startDetached(QStringLiteral("lp"), {QString::fromStdString(path)});
    return started ? forms::kShellOk : forms::kShellNoAssociation;
  }
  return QDesktopServices::openUrl(LocalFile(path)) ? forms::kShellOk
                                                    : forms::kShellNoAssociation;
}

bool QtDesktop::OpenWith(const std::string& path) {
  return AskPortalToOpenWith(QDBusConnection::sessionBus(), QString::fromStdString(path));
}

bool QtDesktop::StartCalculator() {
  for (const char* name : {"gnome-calculator", "kcalc", "mate-calc", "galculator",
                           "qalculate-gtk", "xcalc"}) {
    const QString program = QStandardPaths::findExecutable(QString::fromLatin1(name));
    if (!program.isEmpty() && QProcess::startDetached(program, {})) return true;
  }
  return false;
}

}  // namespace qtbind
