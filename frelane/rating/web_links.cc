#include "frelane/rating/web_links.h"

#include <array>
#include <optional>
#include <string>

#include "frelane/core/field_helpers.h"
#include "frelane/core/main_module.h"
#include "frelane/rating/frm_rating_screen.h"
#include "platform/forms/application.h"
#include "platform/os/cp1252.h"
#include "platform/os/file_lookup.h"
#include "platform/runtime/line_input.h"

namespace frelane::modWebSite32 {

namespace {

constexpr std::size_t kCaptionColumns = 30;

std::array<std::string, kMaxWebLinks>& Links() {
  static std::array<std::string, kMaxWebLinks> links;
  return links;
}

}  // namespace

std::string GetWebSiteAddress() {
  return modMain::Trim(modMain::Settings().Text(settings::kWebAddress));
}

void LoadWebLinks(frmRatingScreen& screen) {
  const std::string address = GetWebSiteAddress();
  screen.txtWebSite.SetText(address);
  screen.lblWebSite.SetCaption(address);
  if (!modMain::Trim(screen.txtWebSite.Text()).empty()) {
    screen.Frame2.SetVisible(true);
    screen.txtWebSite.SetVisible(true);
    screen.lblWebSiteLabel.SetCaption("Visit us on the web at:");
    screen.lblWebSiteLabel.SetVisible(true);
    screen.mnuViewWebSite.SetVisible(true);
    screen.btnViewWebSite.SetVisible(true);
  }

  Links().fill("");
  std::optional<std::string> path =
      os::FindFileNoCase(modMain::DataDirectory(), kWebLinksFileName);
  if (!path) return;
  screen.mnuWebLinks.SetVisible(true);
  runtime::LineReader in;
  if (!in.Open(*path)) return;
  int n = 0;
  for (std::string line; in.ReadLine(line);) {
    if (n == kMaxWebLinks) {
      forms::MsgBox("Too many links in weblinks.dat", forms::msgbox::kOKOnly);
      break;
    }
    ++n;
    // The columns are those of the single-byte file, split before the text becomes UTF-8.
    const std::string caption = line.substr(0, std::min(line.size(), kCaptionColumns));
    screen.mnuWebLink(n).SetCaption(modMain::Trim(os::Cp1252ToUtf8(caption)));
    screen.mnuWebLink(n).SetVisible(true);
    Links()[static_cast<std::size_t>(n - 1)] =
        line.size() > kCaptionColumns
            ? modMain::Trim(os::Cp1252ToUtf8(line.substr(kCaptionColumns)))
            : "";
  }
  in.Close();
  if (n > 0) screen.mnuViewWebSite.SetVisible(false);
}

void OpenWebSite(const std::string& address) {
  const std::string trimmed = modMain::Trim(address);
  if (trimmed.empty()) return;
  if (!forms::App().GetDesktop().OpenUrl("http://" + trimmed)) {
    forms::MsgBox("Unable to find an Internet Browser", forms::msgbox::kOKOnly);
  }
}

std::string WebLink(int n) {
  if (n < 1 || n > kMaxWebLinks) return "";
  return Links()[static_cast<std::size_t>(n - 1)];
}

void OpenWebLink(int n) { OpenWebSite(WebLink(n)); }

}  // namespace frelane::modWebSite32
