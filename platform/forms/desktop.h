// The desktop services the program calls outside its own windows: message boxes, the
// hourglass, beeps, the clipboard, pictures, the help viewer, the browser, documents and
// the calculator.
// The Qt binding implements them for real; tests use the headless driver's scripted ones.
#ifndef FRELANE_PLATFORM_FORMS_DESKTOP_H_
#define FRELANE_PLATFORM_FORMS_DESKTOP_H_

#include <string>

#include "platform/forms/message_box.h"
#include "platform/forms/picture.h"
#include "platform/forms/types.h"

namespace forms {

// Results of OpenDocument, with the numbers of the shell call it stands in for:
// greater than 32 is success.
constexpr int kShellOk = 42;
constexpr int kShellFileNotFound = 2;
constexpr int kShellNoAssociation = 31;

enum class ShellVerb { kOpen, kPrint };

class Desktop {
 public:
  virtual ~Desktop() = default;

  // Shows a message box and waits for the answer. Fires no focus events in the model.
  virtual MsgBoxResult ShowMessageBox(const MessageBoxRequest& request) = 0;
  virtual void Beep() = 0;
  virtual void SetMousePointer(int pointer) = 0;

  // The clipboard's text, UTF-8, for the editing keys of text boxes. The default keeps it
  // within the program.
  virtual std::string ClipboardText() { return clipboard_; }
  virtual void SetClipboardText(const std::string& text) { clipboard_ = text; }

  // Loads a picture file; an empty picture when the file is missing or unreadable.
  // The default reads the size from the file's header.
  virtual Picture LoadPicture(const std::string& path);

  // Opens the help viewer on `help_file` at `context_id` (0 = the contents).
  virtual void ShowHelp(const std::string& help_file, int context_id) = 0;
  // Opens a link in the browser; false when there is no browser.
  virtual bool OpenUrl(const std::string& url) = 0;
  // Opens or prints a document with its associated program; a shell result (above).
  virtual int OpenDocument(const std::string& path, ShellVerb verb) = 0;
  // Offers the "open with" chooser for a document; false when it could not be offered.
  virtual bool OpenWith(const std::string& path) = 0;
  // Starts the calculator in a normal window; false when none could be started.
  virtual bool StartCalculator() = 0;

 private:
  std::string clipboard_;
};

// Answers every message box with its default button and does nothing else. The model uses it
// until a host installs its own.
class NullDesktop : public Desktop {
 public:
  MsgBoxResult ShowMessageBox(const MessageBoxRequest& request) override {
    return request.DefaultResult();
  }
  void Beep() override {}
  void SetMousePointer(int) override {}
  void ShowHelp(const std::string&, int) override {}
  bool OpenUrl(const std::string&) override { return false; }
  int OpenDocument(const std::string&, ShellVerb) override { return kShellNoAssociation; }
  bool OpenWith(const std::string&) override { return false; }
  bool StartCalculator() override { return false; }
};

}  // namespace forms

#endif  // FRELANE_PLATFORM_FORMS_DESKTOP_H_
