// frmRateSheetRun: the run dialog of a rate sheet. The user sends the sheet defined on the
// definition screen to the printer, to a text export file, or to both, with or without notes;
// OK runs the whole sheet: every sideline prefix of every range in turn, each rated, grouped
// and written, with one yield to the window's pending events per prefix so that Cancel (or
// closing the window) is taken in. A completed run says "Processing Complete" and closes the
// dialog; a cancelled or stopped run keeps it open for another.
#ifndef FRELANE_RATESHEET_FRM_RATE_SHEET_RUN_H_
#define FRELANE_RATESHEET_FRM_RATE_SHEET_RUN_H_

#include <memory>
#include <string>

#include "frelane/ratesheet/rate_sheet_export.h"
#include "frelane/ratesheet/rate_sheet_layout.h"
#include "frelane/ratesheet/rate_sheet_page.h"
#include "frelane/ratesheet/row_writer.h"
#include "frelane/ratesheet/run_state.h"
#include "platform/forms/form.h"

namespace frelane {

class frmRateSheetRun : public forms::Form, private ratesheet::RateSheetRowWriter {
 public:
  frmRateSheetRun();

  // Whether a run is going on.
  bool Running() const { return running_; }

  forms::Frame& fraOutput =
      Add<forms::Frame>("fraOutput", {120, 120, 4560, 1335}, {.caption = "Output to:"});
  forms::CheckBox& chkPrint = Add<forms::CheckBox>(
      "chkPrint", {180, 270, 2400, 255},
      {.container = &fraOutput, .caption = "Printer", .tab_index = 0, .value = 1});
  forms::CheckBox& chkExport = Add<forms::CheckBox>(
      "chkExport", {180, 570, 3600, 255},
      {.container = &fraOutput, .caption = "Export Format Ascii File", .tab_index = 1});
  forms::Label& lblExportPathFile = Add<forms::Label>(
      "lblExportPathFile", {180, 930, 840, 225}, {.container = &fraOutput, .caption = "Full Path"});
  forms::TextBox& txtExportPathFile = Add<forms::TextBox>(
      "txtExportPathFile", {1080, 900, 3360, 285}, {.container = &fraOutput, .tab_index = 2});
  forms::Frame& fraNotes =
      Add<forms::Frame>("fraNotes", {120, 1560, 4560, 855}, {.caption = "Notes"});
  forms::OptionButton& optWNotes = Add<forms::OptionButton>(
      "optWNotes", {180, 240, 4200, 255},
      {.container = &fraNotes, .caption = "w/ Notes (Condensed 3-digit)", .tab_index = 3,
       .value = 1});
  forms::OptionButton& optWONotes = Add<forms::OptionButton>(
      "optWONotes", {180, 525, 4200, 255},
      {.container = &fraNotes, .caption = "w/o Notes (5-digit)", .tab_index = 4});
  forms::CommandButton& btnOK = Add<forms::CommandButton>(
      "btnOK", {1020, 2580, 1215, 375}, {.caption = "OK", .tab_index = 5});
  forms::CommandButton& btnCancel = Add<forms::CommandButton>(
      "btnCancel", {2580, 2580, 1215, 375},
      {.caption = "Cancel", .tab_index = 6, .causes_validation = false, .is_cancel = true});

 private:
  enum class WalkEnd { kDone, kStopped };

  void Form_Load() override;
  void Form_Activate() override;
  void Form_KeyPress(int& key_ascii) override;
  void Form_QueryUnload(bool& cancel, int unload_mode) override;
  void chkExport_Click();
  void btnCancel_Click();
  void btnOK_Click();
  void txtExportPathFile_GotFocus();

  // The steps of a run.
  void StartRun();
  void ChoosePrinterFont();
  WalkEnd WalkSidelines();
  // Asks whether to cancel; true when the user said Yes.
  bool ConfirmCancel();
  void NormalEnd();
  void StopEnd();
  void ExportPathEnd();
  void ErrorEnd(const std::string& description);
  // Ends the print document (sent or discarded) and closes the export, ignoring errors.
  void CloseOutputs(bool send_document);
  void BackToIdle();
  ratesheet::RateSheetLayout LayoutOfDefinition() const;

  // Where the lane rating's rows go.
  void ExportGroupRow(const ratesheet::RateSheetGroup& row, bool split) override;
  void PrintGroupRow(const ratesheet::RateSheetGroup& row, bool split) override;

  ratesheet::RateSheetRunState run_;
  ratesheet::RateSheetLayout layout_;
  std::unique_ptr<ratesheet::RateSheetPage> page_;
  std::unique_ptr<ratesheet::RateSheetExport> export_;
  // True from OK until the run has ended; Cancel and closing then only ask for a stop.
  bool running_ = false;
};

}  // namespace frelane

#endif  // FRELANE_RATESHEET_FRM_RATE_SHEET_RUN_H_
