#include "frelane/app/smoke_mode.h"

#include <cstdio>
#include <cstdlib>
#include <utility>

#include "frelane/core/frm_intro.h"
#include "frelane/core/tolv32_binding.h"
#include "frelane/core/tolv_declares.h"
#include "frelane/rating/frm_rating_screen.h"

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
  // As the close box does: the window's unload ends the engine and the program.
  host_.CloseRequested(screen);
}

std::unique_ptr<SmokeWatch> StartSmokeWatch(forms::Application& app, qtbind::QtHost& host,
                                            const std::string& directory) {
  modTolvDeclares32::InstallEngine(std::make_unique<SmokeEngine>(directory));
  return std::make_unique<SmokeWatch>(app, host);
}

}  // namespace frelane
