// The program's smoke-test mode (FRELANE_SMOKE_TEST): it reports each step on stdout, answers
// every message box with its default button, and closes the main window once it is shown,
// through the window's normal unload. With FRELANE_SMOKE_PRINT naming a file, a quote is
// printed to the "PDF file" printer into that file before the window closes, and the
// shipment on the screen is reported afterwards.
#ifndef FRELANE_APP_SMOKE_MODE_H_
#define FRELANE_APP_SMOKE_MODE_H_

#include <functional>
#include <memory>
#include <set>
#include <string>

#include <QTimer>
#include <QWidget>

#include "platform/forms/application.h"
#include "platform/qt/qt_desktop.h"
#include "platform/qt/qt_host.h"

namespace frelane {

class frmRatingScreen;

std::unique_ptr<qtbind::QtDesktop> MakeSmokeDesktop(std::function<QWidget*()> parent_window);

// With FRELANE_SMOKE_PRINT set: the "PDF file" printer, writing to that file, is the current
// printer.
void InstallSmokePrinter();

// Watches for the main window; reports and closes it once.
class SmokeWatch {
 public:
  SmokeWatch(forms::Application& app, qtbind::QtHost& host);

 private:
  void Poll();
  void Shoot(forms::Form& form, const char* file);
  void PrintQuote(frmRatingScreen& screen);

  forms::Application& app_;
  qtbind::QtHost& host_;
  QTimer timer_;
  bool closing_ = false;
  std::set<std::string> shot_;
};

// Also installs an engine binding on `directory` that reports when the engine is ended.
std::unique_ptr<SmokeWatch> StartSmokeWatch(forms::Application& app, qtbind::QtHost& host,
                                            const std::string& directory);

}  // namespace frelane

#endif  // FRELANE_APP_SMOKE_MODE_H_
