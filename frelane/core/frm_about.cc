#include "frelane/core/frm_about.h"

#include <sys/stat.h>

#include <ctime>
#include <optional>
#include <string>

#include "frelane/core/company_name.h"
#include "frelane/core/data_pictures.h"
#include "frelane/core/field_helpers.h"
#include "frelane/core/form_setup.h"
#include "frelane/core/main_module.h"
#include "platform/forms/application.h"
#include "platform/os/file_lookup.h"
#include "platform/runtime/format.h"

namespace frelane {

namespace {

constexpr int kHourglass = 11;
constexpr int kDefaultPointer = 0;
constexpr char kMakerUpperCased[] = "TARVEX SYSTEMS";

std::string SettingText(const auto& field) {
  return modMain::Trim(modMain::Settings().Text(field));
}

// The local date and time the program file was last changed; nullopt when unknown.
std::optional<runtime::DateTime> ProgramFileDate() {
  const std::string& exe = forms::App().EXEName();
  std::optional<std::string> path = os::FindFileNoCase(modMain::DataDirectory(), exe);
  if (!path) path = os::FindFileNoCase(modMain::DataDirectory(), exe + ".exe");
  struct stat st;
  if (!path || ::stat(path->c_str(), &st) != 0) return std::nullopt;
  std::tm local;
  if (::localtime_r(&st.st_mtime, &local) == nullptr) return std::nullopt;
  return runtime::DateTime{local.tm_year + 1900, local.tm_mon + 1, local.tm_mday,
                           local.tm_hour,        local.tm_min,     local.tm_sec};
}

}  // namespace

frmAbout::frmAbout() : Form("frmAbout", {.center = true}) {
  Bind(btnClose.on.Click, &frmAbout::btnClose_Click);
}

forms::Label& frmAbout::Line(const char* name, int top, const char* caption, double size,
                             bool bold) {
  return Add<forms::Label>(name, {240, top, 9000, size > 0 ? 360 : 255},
                           {.caption = caption, .font_size = size, .font_bold = bold});
}

void frmAbout::Form_Load() {
  forms::Screen().SetMousePointer(kHourglass);
  modMain::SetStandardFormSize(*this);
  modMain::SetFormIcon(*this);

  const std::string title = SettingText(settings::kAboutText1);
  const std::string company = SettingText(settings::kCompanyName);
  SetCaption("About " + title + " - " + company);
  if (std::optional<std::string> picture = FindDataPicture("headline")) {
    imgHeadline.SetPicture(forms::LoadPicture(*picture));
  }
  imgHeadline.SetToolTipText(company);  // the headline pictures the carrier's name
  lblProductName.SetCaption(title + lblProductName.Caption());
  lblVersion.SetCaption(SettingText(settings::kAboutText2));
  lblEffectiveDate.SetCaption("Effective " + SettingText(settings::kEffectiveDateText));
  lblTechSupportName.SetCaption(SettingText(settings::kAboutText3));
  lblTechSupportNumber.SetCaption(SettingText(settings::kAboutText4));
  lblProductNumber.SetCaption(SettingText(settings::kAboutText5));
  if (std::optional<runtime::DateTime> date = ProgramFileDate()) {
    lblProgramDate.SetCaption("Last Program Modification " +
                              runtime::FormatDate(*date, "mm-dd-yyyy "));
  }
  std::string credit = title + lblCredit.Caption();
  if (!modMain::StartsWithUpperCased(company, kMakerUpperCased)) credit += " for " + company;
  lblCredit.SetCaption(credit + " by");

  forms::Screen().SetMousePointer(kDefaultPointer);
}

void frmAbout::btnClose_Click() { Unload(); }

}  // namespace frelane
