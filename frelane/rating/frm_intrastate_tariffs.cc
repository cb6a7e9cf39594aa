#include "frelane/rating/frm_intrastate_tariffs.h"

#include <vector>

#include "frelane/core/field_helpers.h"
#include "frelane/core/form_helpers.h"
#include "frelane/core/form_setup.h"
#include "frelane/rating/lane_state.h"
#include "frelane/rating/lookup_files.h"
#include "frelane/rating/tariff_selection.h"

namespace frelane {

namespace {

constexpr int kFirstRowTop = 420;
constexpr int kRowStep = 240;

}  // namespace

frmIntrastateTariffs::frmIntrastateTariffs()
    : Form("frmIntrastateTariffs",
           {.caption = "Intrastate Rates", .width = 4800, .height = 2000, .key_preview = true,
            .center = true}) {
  for (int k = 1; k <= kRows; ++k) {
    chkIntrastateTariff.Add(k, {240, kFirstRowTop + (k - 1) * kRowStep, 4200, 240},
                            {.tab_index = k, .visible = false});
  }
  Bind(btnOK.on.Click, &frmIntrastateTariffs::btnOK_Click);
}

void frmIntrastateTariffs::Form_Load() {
  modMain::SetFormIcon(*this);
  codes_.fill("");
  std::vector<std::string> lines;
  lookup::ReadDataLines(modMain::kTariffListFileName, &lines);
  int rows = 0;
  // The dialog has room for the first twenty flagged tariffs.
  for (const std::string& line : lines) {
    if (rows == kRows) break;
    modMain::TariffLine tariff = modMain::ParseTariffLine(line);
    if (!tariff.ask) continue;
    ++rows;
    forms::CheckBox& box = chkIntrastateTariff(rows);
    box.SetCaption("Use " + modMain::Trim(lookup::Columns(line, 12, 30)) + "?");
    box.SetVisible(true);
    codes_[static_cast<std::size_t>(rows - 1)] = tariff.code;
  }
  if (rows > 0) {
    btnOK.SetTop(chkIntrastateTariff(rows).Top() + 480);
    SetHeight(btnOK.Top() + 885);
  }
}

void frmIntrastateTariffs::Form_Activate() {
  if (!chkIntrastateTariff(1).Visible()) Unload();
}

void frmIntrastateTariffs::Form_KeyPress(int& key_ascii) { modMain::EnterAsTab(key_ascii); }

void frmIntrastateTariffs::btnOK_Click() {
  auto& list = modMain::Lane().IntrastateList;
  for (int k = 1; k <= kRows; ++k) {
    list[static_cast<std::size_t>(k - 1)] =
        chkIntrastateTariff(k).Value() == 1 ? codes_[static_cast<std::size_t>(k - 1)] : "  ";
  }
  Unload();
}

}  // namespace frelane
