#include "frelane/ratesheet/frm_rate_sheet_run.h"

#include <utility>

#include "frelane/core/company_name.h"
#include "frelane/core/form_helpers.h"
#include "frelane/core/form_setup.h"
#include "frelane/core/main_module.h"
#include "frelane/core/tolv_declares.h"
#include "frelane/ratesheet/frm_rate_sheet.h"
#include "frelane/ratesheet/frm_rate_sheet_options.h"
#include "frelane/ratesheet/lane_rating.h"
#include "frelane/ratesheet/sideline_pair.h"
#include "platform/forms/application.h"
#include "platform/os/cp1252.h"
#include "platform/os/file_lookup.h"
#include "platform/print/printers.h"
#include "platform/runtime/fixed_string.h"
#include "tolv32dll/records/tariff_tables_record.h"

namespace frelane {

namespace {

constexpr char kChooseOutput[] = "Choose an Output Option";
constexpr char kAskCancel[] = "Are you sure you want to cancel processing?";
constexpr char kCancelled[] = "Processing Cancelled";
constexpr char kComplete[] = "Processing Complete";
constexpr char kInvalidExportPath[] =
    "You must specify a valid path and file name for your export file";
constexpr float kPrinterFontSize = 10;

bool IsSheetFont(const std::string& name) { return name.starts_with("Courier") || name == "Fixedsys"; }

}  // namespace

frmRateSheetRun::frmRateSheetRun()
    : Form("frmRateSheetRun", {.width = 4920, .height = 3480, .key_preview = true, .center = true}) {
  Bind(chkExport.on.Click, &frmRateSheetRun::chkExport_Click);
  Bind(btnCancel.on.Click, &frmRateSheetRun::btnCancel_Click);
  Bind(btnOK.on.Click, &frmRateSheetRun::btnOK_Click);
  Bind(txtExportPathFile.on.GotFocus, &frmRateSheetRun::txtExportPathFile_GotFocus);
}

void frmRateSheetRun::Form_Load() {
  modMain::SetFormIcon(*this);
  SettingsRecord& s = modMain::Settings();
  SetCaption(runtime::Trim(s.Text(settings::kCompanyName)) + " - " +
             runtime::Trim(s.Text(settings::kAboutText2)));
  const bool offered = s.On(settings::kRateSheetTextExportOffered);
  chkExport.SetVisible(offered);
  lblExportPathFile.SetVisible(offered);
  txtExportPathFile.SetVisible(offered);
  if (modMain::CompanyNameStartsWith("QUARLEN")) {
    chkExport.SetValue(1);
    chkPrint.SetValue(0);
  }
  run_ = ratesheet::RateSheetRunState();
  running_ = false;
}

void frmRateSheetRun::Form_Activate() {
  if (chkExport.Value() == 1) txtExportPathFile.SetFocus();
}

void frmRateSheetRun::Form_KeyPress(int& key_ascii) { modMain::EnterAsTab(key_ascii); }

void frmRateSheetRun::Form_QueryUnload(bool& cancel, int) {
  // Closing the window while a run goes on asks for a stop, as Cancel does.
  if (!running_) return;
  cancel = true;
  run_.RunStopped = true;
}

void frmRateSheetRun::chkExport_Click() {
  try {
    if (chkExport.Value() == 1) {
      txtExportPathFile.SetText(os::JoinPath(modMain::DataDirectory(), ratesheet::kDefaultExportFileName));
      txtExportPathFile.SetFocus();
    } else {
      txtExportPathFile.SetText("");
    }
  } catch (const runtime::RuntimeError&) {
  }
}

void frmRateSheetRun::btnCancel_Click() {
  if (!running_) {
    Unload();
    return;
  }
  run_.RunStopped = true;
}

void frmRateSheetRun::txtExportPathFile_GotFocus() { modMain::SelectAllText(txtExportPathFile); }

// The run.

void frmRateSheetRun::btnOK_Click() {
  if (chkPrint.Value() != 1 && chkExport.Value() != 1) {
    forms::MsgBox(kChooseOutput, forms::msgbox::kOKOnly);
    return;
  }
  try {
    StartRun();
    if (run_.PrintOutput) ChoosePrinterFont();
    os::RecordView header = modTolvDeclares32::ShipmentRecord().header();
    header.SetText(tolv::shipment_header::kDiscountSwitch, "Y");
    header.SetText(tolv::shipment_header::kDiscountKind, "R");
    if (run_.ExportOutput) export_->Open(txtExportPathFile.Text());
    if (WalkSidelines() == WalkEnd::kStopped) {
      StopEnd();
      return;
    }
    NormalEnd();
  } catch (const ratesheet::ExportPathError&) {
    ExportPathEnd();
  } catch (const print::PrintCancelled&) {
    // The user's own Cancel in the printer's file dialog: the dialog stays, idle, nothing said.
    StopEnd();
  } catch (const runtime::RuntimeError& e) {
    ErrorEnd(e.Description());
  } catch (const std::exception& e) {
    ErrorEnd(e.what());
  }
}

void frmRateSheetRun::StartRun() {
  run_.StartRun();
  // The outputs and the note style hold for the whole run, whatever the boxes show later.
  run_.PrintOutput = chkPrint.Value() == 1;
  run_.ExportOutput = chkExport.Value() == 1;
  run_.WithNotes = optWNotes.Value();
  running_ = true;
  App().SetMousePointer(forms::kMouseHourglass);
  btnOK.SetEnabled(false);
  layout_ = LayoutOfDefinition();
  page_ = std::make_unique<ratesheet::RateSheetPage>(run_, layout_, print::CurrentPrinter());
  export_ = std::make_unique<ratesheet::RateSheetExport>(run_, layout_);
}

void frmRateSheetRun::ChoosePrinterFont() {
  print::Printer& printer = print::CurrentPrinter();
  for (int i = 0; i < printer.FontCount(); ++i) {
    const std::string name = printer.Fonts(i);
    if (IsSheetFont(name)) {
      printer.SetFontName(name);
      break;
    }
  }
  printer.SetFontSize(kPrinterFontSize);
}

frmRateSheetRun::WalkEnd frmRateSheetRun::WalkSidelines() {
  frmRateSheet& sheet = App().Get<frmRateSheet>();
  ratesheet::LaneRating lane(run_, sheet, *this);
  for (int i = 1; i <= frmRateSheet::kPairs; ++i) {
    const std::string low = sheet.txtSidelineZipLow(i).Text();
    if (runtime::Trim(low).empty() || runtime::Trim(sheet.txtSidelineZipHigh(i).Text()).empty()) {
      continue;
    }
    std::string prefix = low;
    if (prefix > sheet.txtSidelineZipHigh(i).Text()) continue;
    for (;;) {
      forms::DoEvents();
      if (run_.RunStopped) {
        if (run_.HeadlineInvalid || ConfirmCancel()) return WalkEnd::kStopped;
        run_.RunStopped = false;  // the same prefix, not yet rated
        continue;
      }
      lane.RateLane(prefix);
      if (!ratesheet::StepWithinPair(prefix, sheet.txtSidelineZipHigh(i).Text())) break;
    }
  }
  // A refused headline on the very last prefix stops the run too.
  return run_.RunStopped ? WalkEnd::kStopped : WalkEnd::kDone;
}

bool frmRateSheetRun::ConfirmCancel() {
  if (forms::MsgBox(kAskCancel, forms::msgbox::kQuestion | forms::msgbox::kYesNo) !=
      forms::MsgBoxResult::kYes) {
    return false;
  }
  forms::MsgBox(kCancelled, forms::msgbox::kOKOnly);
  return true;
}

// The ends of a run.

void frmRateSheetRun::NormalEnd() {
  if (run_.PrintOutput && !run_.PendingRow.IsEmpty()) page_->PrintGroupRow(run_.PendingRow, false);
  if (run_.ExportOutput) {
    if (run_.WithNotes) export_->WriteNoteLines();
    export_->Close();
  }
  if (run_.PrintOutput) {
    if (run_.PageLineCount > 0) page_->PrintPageFooter();
    print::CurrentPrinter().EndDoc();
  }
  BackToIdle();
  forms::MsgBox(kComplete, forms::msgbox::kOKOnly);
  Unload();
}

void frmRateSheetRun::StopEnd() {
  CloseOutputs(false);
  BackToIdle();
}

void frmRateSheetRun::ExportPathEnd() {
  CloseOutputs(false);
  BackToIdle();
  forms::MsgBox(kInvalidExportPath, forms::msgbox::kOKOnly);
  txtExportPathFile.SetFocus();
}

void frmRateSheetRun::ErrorEnd(const std::string& description) {
  App().SetMousePointer(forms::kMouseDefault);
  forms::MsgBox(description, forms::msgbox::kOKOnly);
  CloseOutputs(true);
  BackToIdle();
  Unload();
}

void frmRateSheetRun::CloseOutputs(bool send_document) {
  if (run_.PrintOutput) {
    try {
      print::Printer& printer = print::CurrentPrinter();
      if (send_document) {
        printer.EndDoc();
      } else {
        printer.KillDoc();
      }
    } catch (const runtime::RuntimeError&) {
    }
    // No page is begun: a next run starts its first page with the header.
    run_.PageLineCount = 0;
  }
  if (export_ != nullptr) {
    try {
      export_->Close();
    } catch (const runtime::RuntimeError&) {
    }
  }
}

void frmRateSheetRun::BackToIdle() {
  running_ = false;
  run_.RunStopped = true;
  App().SetMousePointer(forms::kMouseDefault);
  btnOK.SetEnabled(true);
}

ratesheet::RateSheetLayout frmRateSheetRun::LayoutOfDefinition() const {
  frmRateSheet& sheet = App().Get<frmRateSheet>();
  frmRateSheetOptions& options = App().Get<frmRateSheetOptions>();
  ratesheet::RateSheetLayout layout;
  layout.headline_zip = os::Utf8ToCp1252(sheet.txtHeadlineZip.Text());
  layout.from_headline = sheet.optOutBound.Value();
  for (int c = 1; c <= frmRateSheet::kClassBoxes; ++c) {
    if (sheet.chkClass(c).Value() == 1) {
      layout.classes.push_back(runtime::Trim(os::Utf8ToCp1252(sheet.chkClass(c).Caption())));
    }
  }
  const RateSheetTables& tables = DefinitionTables();
  os::ConstRecordView record{std::span<const std::uint8_t>(tables.record)};
  layout.weight_break_count = std::min(tables.WeightBreakCount, frmRateSheet::kWeightBoxes);
  for (int w = 1; w <= frmRateSheet::kWeightBoxes; ++w) {
    ratesheet::RateSheetLayout::WeightBox& box = layout.weight_boxes[w - 1];
    box.caption = os::Utf8ToCp1252(sheet.chkWeight(w).Caption());
    if (w <= layout.weight_break_count) {
      box.weight = record.I32(tolv::tariff_tables_record::kWeightBreak.Nth(w - 1));
      box.checked = sheet.chkWeight(w).Value() == 1;
    }
  }
  for (int k = 1; k <= frmRateSheetOptions::kHeaderLines; ++k) {
    layout.header_lines[k - 1] = os::Utf8ToCp1252(options.txtHeader(k).Text());
  }
  const SettingsRecord& s = modMain::Settings();
  layout.company_name = os::Utf8ToCp1252(s.Text(settings::kCompanyName));
  layout.effective_date_text = os::Utf8ToCp1252(s.Text(settings::kEffectiveDateText));
  return layout;
}

void frmRateSheetRun::ExportGroupRow(const ratesheet::RateSheetGroup& row, bool split) {
  export_->ExportGroupRow(row, split);
}

void frmRateSheetRun::PrintGroupRow(const ratesheet::RateSheetGroup& row, bool split) {
  page_->PrintGroupRow(row, split);
}

}  // namespace frelane
