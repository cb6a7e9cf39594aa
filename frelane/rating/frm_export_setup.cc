#include "frelane/rating/frm_export_setup.h"

#include <string>

#include "frelane/core/field_helpers.h"
#include "frelane/core/form_setup.h"
#include "frelane/rating/frm_common_dialog.h"
#include "frelane/rating/shipment_export.h"
#include "platform/forms/application.h"

namespace frelane {

namespace {

constexpr char kExportFilePatterns[] = "*.csv;*.prn;*.txt";

const char* YesNo(bool yes) { return yes ? "Y" : "N"; }

}  // namespace

frmExportSetup::frmExportSetup()
    : Form("frmExportSetup", {.caption = "Export Setup", .width = 5655, .height = 4350,
                              .center = true}) {
  Bind(btnFileLookup.on.Click, &frmExportSetup::btnFileLookup_Click);
  Bind(btnSave.on.Click, &frmExportSetup::btnSave_Click);
  Bind(btnIgnore.on.Click, &frmExportSetup::btnIgnore_Click);
}

void frmExportSetup::Form_Load() {
  modMain::SetFormIcon(*this);
  const modShipmentExport::ExportSettingsState& s = modShipmentExport::ExportSettings();
  chkExportAll.SetValue(s.ExportAll == "Y" ? 1 : 0);
  if (s.Append == "Y") {
    optAppend.SetValue(true);
  } else {
    optCreate.SetValue(true);
  }
  if (s.CommaSeparated == "Y") {
    optCommaSeparated.SetValue(true);
  } else {
    optFixedWidth.SetValue(true);
  }
  lblPathFile.SetCaption(modMain::Trim(s.PathFile));
}

void frmExportSetup::btnFileLookup_Click() {
  frmCommonDialog& chooser = App().Get<frmCommonDialog>();
  chooser.SetFilter(kExportFilePatterns);
  std::string path = chooser.ShowOpen();
  if (!modMain::Trim(path).empty()) lblPathFile.SetCaption(path);
}

void frmExportSetup::btnSave_Click() {
  if (modMain::Trim(lblPathFile.Caption()).empty() && chkExportAll.Value() == 1) {
    forms::MsgBox("You must specify an output file", forms::msgbox::kOKOnly);
    btnFileLookup.SetFocus();
    return;
  }
  // The settings hold for this run even when Defaults.ini cannot be written.
  modShipmentExport::ExportSettingsState& s = modShipmentExport::ExportSettings();
  s.ExportAll = YesNo(chkExportAll.Value() == 1);
  s.Append = YesNo(optAppend.Value());
  s.PathFile = lblPathFile.Caption();
  s.CommaSeparated = YesNo(optCommaSeparated.Value());
  modShipmentExport::WriteIniKeys({{"ExportAll", s.ExportAll},
                                   {"Append", s.Append},
                                   {"PathFile", s.PathFile},
                                   {"CommaSeparated", s.CommaSeparated}});
  btnIgnore_Click();
}

void frmExportSetup::btnIgnore_Click() { Unload(); }

}  // namespace frelane
