#include "frelane/rating/frm_zip_lu.h"

#include <string>

#include "frelane/core/field_helpers.h"
#include "frelane/core/form_helpers.h"
#include "frelane/core/form_setup.h"
#include "frelane/rating/city_files.h"
#include "frelane/rating/picked_point.h"
#include "platform/forms/application.h"

namespace frelane {

namespace {
constexpr int kKeyEscape = 27;
}  // namespace

frmZipLU::frmZipLU()
    : Form("frmZipLU", {.caption = "City Look-Up", .width = 5760, .height = 4740, .center = true}) {
  Bind(txtCity.on.KeyPress, &frmZipLU::txtCity_KeyPress);
  Bind(txtCity.on.LostFocus, &frmZipLU::txtCity_LostFocus);
  Bind(lstCity.on.DblClick, &frmZipLU::lstCity_DblClick);
  Bind(lstCity.on.KeyPress, &frmZipLU::lstCity_KeyPress);
}

void frmZipLU::Form_Load() {
  modMain::SetFormIcon(*this);
  modMain::PickedCity().clear();
  modMain::PickedZip().clear();
}

void frmZipLU::txtCity_KeyPress(int& key_ascii) {
  if (CloseOnEscape(key_ascii)) return;
  modMain::EnterAsTab(key_ascii);
}

bool frmZipLU::CloseOnEscape(int& key_ascii) {
  // The window may have no close box (no window manager): Escape closes it, nothing picked.
  if (key_ascii != kKeyEscape) return false;
  key_ascii = 0;
  Unload();
  return true;
}

void frmZipLU::txtCity_LostFocus() {
  std::string prefix = modMain::Trim(txtCity.Text());
  if (prefix.empty()) {
    forms::MsgBox("You must enter at least one character");
    txtCity.SetFocus();
    return;
  }
  lstCity.Clear();
  lstZip.Clear();
  for (const modMain::CityEntry& entry : modMain::CitiesStartingWith(prefix)) {
    lstZip.AddItem(entry.zip);
    lstCity.AddItem(entry.city + ", " + entry.state + " - " + entry.zip);
  }
}

void frmZipLU::lstCity_DblClick() { Pick(); }

void frmZipLU::lstCity_KeyPress(int& key_ascii) {
  if (CloseOnEscape(key_ascii)) return;
  if (key_ascii != modMain::kKeyEnter) return;
  key_ascii = 0;
  Pick();
}

void frmZipLU::Pick() {
  int line = lstCity.ListIndex();
  if (line < 0 || line >= lstZip.ListCount()) return;
  lstZip.SetListIndex(line);
  std::string zip = lstZip.List(line);
  zip.resize(6, ' ');
  modMain::PickedZip() = zip;
  std::string text = lstCity.List(line);
  modMain::PickedCity() = text.substr(0, text.find(','));
  Unload();
}

}  // namespace frelane
