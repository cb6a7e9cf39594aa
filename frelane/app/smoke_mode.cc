#include "frelane/app/smoke_mode.h"

#include <cstdio>
#include <cstdlib>
#include <utility>
#include <vector>

#include "frelane/core/frm_intro.h"
#include "frelane/core/tolv32_binding.h"
#include "frelane/core/tolv_declares.h"
#include "frelane/rating/frm_rating_screen.h"
#include "frelane/rating/print_quote.h"
#include "platform/print/printers.h"
#include "platform/qt/qt_print_system.h"

namespace frelane {

namespace {

class SmokeDesktop : public qtbind::QtDesktop {
 public:
  using QtDesktop::QtDesktop;
  forms::MsgBoxResult ShowMessageBox(const forms::MessageBoxRequest& request) override {
    std::printf("smoke: message box: %s\n", request.prompt.c_str());
    std::fflush(stdout);
    return request.DefaultResult();
  }
};

// The real engine, reporting its end.
class SmokeEngine : public Tolv32Binding {
 public:
  using Tolv32Binding::Tolv32Binding;
  EngineOutcome Tolv_EndTolv() override {
    EngineOutcome out = Tolv32Binding::Tolv_EndTolv();
    if (out.ok()) {
      std::printf("smoke: engine ended (%d)\n", static_cast<int>(out.value));
    } else {
      std::printf("smoke: engine end failed: %s\n", out.error->description.c_str());
    }
    std::fflush(stdout);
    return out;
  }
};

}  // namespace

std::unique_ptr<qtbind::QtDesktop> MakeSmokeDesktop(std::function<QWidget*()> parent_window) {
  return std::make_unique<SmokeDesktop>(std::move(parent_window));
}

void InstallSmokePrinter() {
  const char* pdf = std::getenv("FRELANE_SMOKE_PRINT");
  if (pdf == nullptr) return;
  const QString path = QString::fromLocal8Bit(pdf);
  print::InstallPrintSystem(std::make_unique<qtbind::QtPrintSystem>([path] { return path; }));
  const std::vector<print::PrinterInfo> printers = print::Printers();
  for (int i = 0; i < static_cast<int>(printers.size()); ++i) {
    if (printers[i].device_name == qtbind::kPdfPrinterName) print::SelectPrinter(i);
  }
}

SmokeWatch::SmokeWatch(forms::Application& app, qtbind::QtHost& host) : app_(app), host_(host) {
  timer_.setInterval(100);
  QObject::connect(&timer_, &QTimer::timeout, [this] { Poll(); });
  timer_.start();
}

// With FRELANE_SMOKE_SHOTS naming a directory, each window's image is kept there once.
void SmokeWatch::Shoot(forms::Form& form, const char* file) {
  const char* dir = std::getenv("FRELANE_SMOKE_SHOTS");
  QWidget* window = host_.WindowOf(form);
  if (dir == nullptr || window == nullptr || !form.IsVisible() || shot_.count(file)) return;
  shot_.insert(file);
  window->grab().save(QString::fromStdString(std::string(dir) + "/" + file));
}

void SmokeWatch::Poll() {
  Shoot(app_.Get<frmIntro>(), "splash.png");
  frmRatingScreen& screen = app_.Get<frmRatingScreen>();
  if (closing_ || !screen.IsVisible() || host_.WindowOf(screen) == nullptr) return;
  closing_ = true;
  Shoot(screen, "main.png");
  std::printf("smoke: main window shown: %s\n", screen.CaptionValue().c_str());
  std::fflush(stdout);
  if (std::getenv("FRELANE_SMOKE_PRINT") != nullptr) PrintQuote(screen);
  // As the close box does: the window's unload ends the engine and the program.
  host_.CloseRequested(screen);
}

// A shipment as the user leaves it on the screen, printed as File > Print does; what the
// screen holds afterwards shows that the program went on.
void SmokeWatch::PrintQuote(frmRatingScreen& screen) {
  screen.txtOrigin.SetText("30301");
  screen.txtDestination.SetText("60601");
  screen.cboClass(1).SetText("100");
  screen.txtWeight(1).SetText("1500");
  frelane::PrintQuote(screen, ShortDateToday());
  std::printf("smoke: quote printed, shipment on the screen: %s %s %s %s\n",
              screen.txtOrigin.Text().c_str(), screen.txtDestination.Text().c_str(),
              screen.cboClass(1).Text().c_str(), screen.txtWeight(1).Text().c_str());
  std::fflush(stdout);
}

std::unique_ptr<SmokeWatch> StartSmokeWatch(forms::Application& app, qtbind::QtHost& host,
                                            const std::string& directory) {
  modTolvDeclares32::InstallEngine(std::make_unique<SmokeEngine>(directory));
  return std::make_unique<SmokeWatch>(app, host);
}

}  // namespace frelane
