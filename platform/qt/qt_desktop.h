// The desktop services of the form model on Linux: QMessageBox, the beep, the clipboard and
// the hourglass cursor, xdg-open (QDesktopServices) for documents, links and help, the desktop
// portal's "open with" chooser, and a calculator found on the PATH.
#ifndef FRELANE_PLATFORM_QT_QT_DESKTOP_H_
#define FRELANE_PLATFORM_QT_QT_DESKTOP_H_

#include <functional>

#include <QWidget>

#include "platform/forms/desktop.h"

namespace qtbind {

class QtDesktop : public forms::Desktop {
 public:
  // `parent_window` gives the window a message box belongs to (nullptr: none).
  explicit QtDesktop(std::function<QWidget*()> parent_window = {});
  ~QtDesktop() override;

  forms::MsgBoxResult ShowMessageBox(const forms::MessageBoxRequest& request) override;
  void Beep() override;
  std::string ClipboardText() override;
  void SetClipboardText(const std::string& text) override;
  void SetMousePointer(int pointer) override;
  void ShowHelp(const std::string& help_file, int context_id) override;
  bool OpenUrl(const std::string& url) override;
  int OpenDocument(const std::string& path, forms::ShellVerb verb) override;
  bool OpenWith(const std::string& path) override;
  bool StartCalculator() override;

 private:
  std::function<QWidget*()> parent_window_;
  bool hourglass_ = false;
};

}  // namespace qtbind

#endif  // FRELANE_PLATFORM_QT_QT_DESKTOP_H_
