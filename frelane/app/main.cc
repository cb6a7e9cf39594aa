// Frelane: the desktop program. Starts Qt and the form model, names the rating screen as
// the window the splash hands over to, and shows the splash, whose load starts everything.
//
// FRELANE_SMOKE_TEST (set only by scripts/smoke.sh) makes the program report its steps on
// stdout, answer message boxes with their default button, and close its main window as
// soon as it has opened; with FRELANE_SMOKE_PRINT naming a file, it first prints a quote to
// the "PDF file" printer into that file.
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>

#include <QApplication>
#include <QLocale>
#include <QTimer>

#include "frelane/app/smoke_mode.h"
#include "frelane/core/frm_intro.h"
#include "frelane/core/startup.h"
#include "frelane/ratesheet/rate_sheet_screen_setup.h"
#include "frelane/rating/frm_rating_screen.h"
#include "platform/forms/application.h"
#include "platform/print/printers.h"
#include "platform/qt/qt_desktop.h"
#include "platform/qt/qt_host.h"
#include "platform/qt/qt_print_system.h"

int main(int argc, char** argv) {
  // Past a file-size limit (ulimit -f) the kernel would end the program in the middle of a
  // write. Ignored, the write fails with "File too large" and takes the way of a full disk:
  // the user is told, the old file is kept and the temporary removed.
  std::signal(SIGXFSZ, SIG_IGN);
  QApplication qt_app(argc, argv);
  forms::Application app;
  qtbind::QtHost host(app);
  const bool smoke = std::getenv("FRELANE_SMOKE_TEST") != nullptr;
  std::unique_ptr<qtbind::QtDesktop> desktop =
      smoke ? frelane::MakeSmokeDesktop([&host] { return host.ActiveWindow(); })
            : std::make_unique<qtbind::QtDesktop>([&host] { return host.ActiveWindow(); });
  app.SetDesktop(desktop.get());
  // File > Print goes to the CUPS default printer, else to "PDF file".
  print::InstallPrintSystem(std::make_unique<qtbind::QtPrintSystem>());
  if (smoke) frelane::InstallSmokePrinter();
  if (smoke) std::printf("smoke: printer %s\n", print::CurrentPrinter().DeviceName().c_str());

  frelane::StartupEnvironment env;
  env.executable_directory = frelane::ExecutableDirectory();
  env.format_in_locale = [](double value) {
    return QLocale::system().toString(value).toStdString();
  };
  frelane::modMain::SetStartupEnvironment(env);
  frelane::SetMainWindow([&app]() -> forms::Form& { return app.Get<frelane::frmRatingScreen>(); });
  frelane::InstallRateSheetScreen();

  std::unique_ptr<frelane::SmokeWatch> watch;
  if (smoke) watch = frelane::StartSmokeWatch(app, host, env.executable_directory);

  app.Get<frelane::frmIntro>().Show();
  // Start-up that could not go on has already said why and left no window.
  if (app.Ended() || app.LoadedFormCount() == 0) {
    if (smoke) std::printf("smoke: start-up failed\n");
    return 1;
  }
  int status = qt_app.exec();
  if (smoke) std::printf("smoke: program ended\n");
  return status;
}
