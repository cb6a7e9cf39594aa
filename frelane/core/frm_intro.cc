#include "frelane/core/frm_intro.h"

#include <optional>
#include <string>
#include <utility>

#include "frelane/core/data_pictures.h"
#include "frelane/core/form_setup.h"
#include "frelane/core/main_module.h"
#include "frelane/core/startup.h"
#include "platform/forms/application.h"

namespace frelane {

namespace {

constexpr int kHourglass = 11;
constexpr int kDefaultPointer = 0;

std::function<forms::Form&()>& MainWindowSlot() {
  static std::function<forms::Form&()> slot;
  return slot;
}

forms::Form* MainWindow() { return MainWindowSlot() ? &MainWindowSlot()() : nullptr; }

}  // namespace

void SetMainWindow(std::function<forms::Form&()> main_window) {
  MainWindowSlot() = std::move(main_window);
}

// The splash has no controls: its keys reach the form through the key preview.
frmIntro::frmIntro() : Form("frmIntro", {.key_preview = true, .center = true}) {
  Bind(Timer1.on.Timer, &frmIntro::Timer1_Timer);
}

void frmIntro::Form_Load() {
  forms::Screen().SetMousePointer(kHourglass);
  handed_over_ = false;

  std::string error;
  switch (modMain::InitializeApplication(modMain::StartupEnvironmentInUse(), &error)) {
    case StartupResult::kFilesLocked:
      GiveUp(kFilesLockedMessage);
      return;
    case StartupResult::kCannotStart:
      GiveUp(error);
      return;
    case StartupResult::kReady:
      break;
  }

  App().SetPath(modMain::DataDirectory());
  App().SetHelpFile(modMain::Get().help_file);

  modMain::SetStandardFormSize(*this);
  modMain::SetFormIcon(*this);
  ShowPictures();
  SetCaption(modMain::CaptionWithEffectiveDate());
  forms::Screen().SetMousePointer(kDefaultPointer);
}

void frmIntro::GiveUp(const std::string& message) {
  // The hourglass goes before the message, so the user is not told to wait while reading it.
  forms::Screen().SetMousePointer(kDefaultPointer);
  forms::MsgBox(message, forms::msgbox::kOKOnly);
  Unload();
}

void frmIntro::ShowPictures() {
  if (auto intro = FindDataPicture("intro")) SetPicture(forms::LoadPicture(*intro));
  // The second picture takes the first one's place, and only with it does the splash close
  // by itself.
  if (auto introd = FindDataPicture("Introd")) {
    SetPicture(forms::LoadPicture(*introd));
    Timer1.SetEnabled(true);
  }
}

void frmIntro::Form_Activate() {
  Refresh();
  if (forms::Form* main = MainWindow()) main->Load();
}

void frmIntro::Form_Click() { HandOver(); }

void frmIntro::Form_KeyPress(int& /*key_ascii*/) { HandOver(); }

void frmIntro::Timer1_Timer() { HandOver(); }

void frmIntro::HandOver() {
  handed_over_ = true;
  Unload();
  if (forms::Form* main = MainWindow()) main->Show();
}

void frmIntro::Form_Unload(bool& /*cancel*/) {
  // Closed before handing over (by the user, or because start-up failed): the rating
  // screen goes too, and with it the program.
  if (handed_over_) return;
  if (forms::Form* main = MainWindow()) main->Unload();
}

}  // namespace frelane
