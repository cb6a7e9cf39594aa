#include "frelane/ratesheet/frm_rate_sheet.h"

#include <algorithm>
#include <utility>

#include "frelane/core/field_helpers.h"
#include "frelane/core/form_helpers.h"
#include "frelane/core/form_setup.h"
#include "frelane/core/main_module.h"
#include "frelane/ratesheet/discount_sets.h"
#include "frelane/ratesheet/frm_rate_sheet_discounts.h"
#include "frelane/ratesheet/frm_rate_sheet_options.h"
#include "frelane/ratesheet/frm_rate_sheet_run.h"
#include "frelane/ratesheet/lane_lookups.h"
#include "frelane/ratesheet/sideline_pair.h"
#include "frelane/ratesheet/state_prefix_ranges.h"
#include "frelane/ratesheet/weight_captions.h"
#include "frelane/rating/frm_intrastate_tariffs.h"
#include "platform/forms/application.h"
#include "platform/runtime/conversions.h"
#include "platform/runtime/fixed_string.h"
#include "tolv32dll/records/tariff_tables_record.h"

namespace frelane {

namespace {

namespace tables = tolv::tariff_tables_record;

constexpr int kPrefixWidth = 3;
constexpr char kNotEnoughSpace[] = "Not enough space to display all zips, some zips are lost.";

bool IsControl(const forms::Control* c, const char* name) {
  return c != nullptr && c->Name() == name;
}

}  // namespace

RateSheetTables& DefinitionTables() {
  static RateSheetTables tables;
  return tables;
}

frmRateSheet::frmRateSheet() : Form("frmRateSheet", {.key_preview = true, .center = true}) {
  AddArrays();
  BindHandlers();
}

void frmRateSheet::AddArrays() {
  forms::Frame& zips = fraZipCodeInformation;
  for (int column = 0; column < 2; ++column) {
    const int left = 300 + column * 2220;
    lblLow.Add(column + 1, {left, 1380, 660, 225}, {.container = &zips, .caption = "Low"});
    lblHigh.Add(column + 1, {left + 780, 1380, 660, 225}, {.container = &zips, .caption = "High"});
  }
  for (int i = 1; i <= kPairs; ++i) {
    const int column = (i - 1) / 8, row = (i - 1) % 8;
    const int left = 300 + column * 2220, top = 1650 + row * 390;
    // The heading and "Low"/"High" name every box alike: a listener hears the row, numbered
    // as the boxes are tabbed through, down the first column and on down the second.
    const std::string row_name = "Row " + std::to_string(i);
    txtSidelineZipLow.Add(i, {left, top, 660, 285},
                          {.container = &zips, .tab_index = 1 + 2 * i,
                           .accessible_name = row_name + " low", .max_length = 3});
    txtSidelineZipHigh.Add(i, {left + 780, top, 660, 285},
                           {.container = &zips, .tab_index = 2 + 2 * i,
                            .accessible_name = row_name + " high", .max_length = 3});
  }
  for (int i = 1; i <= kWeightBoxes; ++i) {
    const int column = (i - 1) / 3, row = (i - 1) % 3;
    chkWeight.Add(i, {120 + column * 1530, 300 + row * 330, 1380, 255},
                  {.container = &fraWeightSelection, .tab_index = 35 + i, .visible = false});
  }
  for (int i = 1; i <= kClassBoxes; ++i) {
    const int column = (i - 1) / 5, row = (i - 1) % 5;
    chkClass.Add(i, {120 + column * 1140, 300 + row * 315, 1020, 255},
                 {.container = &fraClassSelection, .tab_index = 47 + i, .visible = false});
  }
}

void frmRateSheet::BindHandlers() {
  Bind(mnuExit.on.Click, &frmRateSheet::mnuExit_Click);
  Bind(mnuRateSheetOptions.on.Click, &frmRateSheet::mnuRateSheetOptions_Click);
  Bind(btnDiscount.on.Click, &frmRateSheet::btnDiscount_Click);
  Bind(btnPrint.on.Click, &frmRateSheet::btnPrint_Click);
  Bind(btnStartOver.on.Click, &frmRateSheet::btnStartOver_Click);
  Bind(btnClearSidelineZips.on.Click, &frmRateSheet::btnClearSidelineZips_Click);
  Bind(btnClassClearAll.on.Click, &frmRateSheet::btnClassClearAll_Click);
  Bind(btnClassSelectAll.on.Click, &frmRateSheet::btnClassSelectAll_Click);
  Bind(btnWeightClearAll.on.Click, &frmRateSheet::btnWeightClearAll_Click);
  Bind(btnWeightSelectLTL.on.Click, &frmRateSheet::btnWeightSelectLTL_Click);
  Bind(btnWeightSelectAll.on.Click, &frmRateSheet::btnWeightSelectAll_Click);
  Bind(txtHeadlineZip.on.GotFocus, &frmRateSheet::txtHeadlineZip_GotFocus);
  Bind(txtHeadlineZip.on.KeyDown, &frmRateSheet::txtHeadlineZip_KeyDown);
  Bind(txtHeadlineZip.on.KeyPress, &frmRateSheet::txtHeadlineZip_KeyPress);
  Bind(txtHeadlineZip.on.Validate, &frmRateSheet::txtHeadlineZip_Validate);
  Bind(txtSidelineZipLow.on.GotFocus, &frmRateSheet::txtSidelineZipLow_GotFocus);
  Bind(txtSidelineZipHigh.on.GotFocus, &frmRateSheet::txtSidelineZipHigh_GotFocus);
  Bind(txtSidelineZipLow.on.KeyPress, &frmRateSheet::txtSidelineZipLow_KeyPress);
  Bind(txtSidelineZipHigh.on.KeyPress, &frmRateSheet::txtSidelineZipHigh_KeyPress);
  Bind(txtSidelineZipLow.on.LostFocus, &frmRateSheet::txtSidelineZipLow_LostFocus);
  Bind(txtSidelineZipHigh.on.LostFocus, &frmRateSheet::txtSidelineZipHigh_LostFocus);
}

// Loading.

void frmRateSheet::Form_Load() {
  modMain::SetStandardFormSize(*this);
  modMain::SetFormIcon(*this);
  os::RecordView header = modTolvDeclares32::ShipmentRecord().header();
  header.SetText(tolv::shipment_header::kOriginZip, "");
  header.SetText(tolv::shipment_header::kDestinationZip, "");
  if (ratesheet::Lookups().SelectTariff) ratesheet::Lookups().SelectTariff(true);
  LoadTariffTables();
  App().Get<frmRateSheetOptions>().Load();
  SetCaption(runtime::Trim(modMain::Settings().Text(settings::kCompanyName)) + " - Rate Sheet");
  SettingsRecord& s = modMain::Settings();
  s.SetI16(settings::kDiscountCount, 3);
  s.SetI16(settings::kDiscountsFixed, 0);
  ratesheet::ZeroDiscountSets();
}

void frmRateSheet::LoadTariffTables() {
  RateSheetTables& t = DefinitionTables();
  os::RecordView record{std::span<std::uint8_t>(t.record)};
  record.SetRaw(tables::kTariffName, std::as_const(modTolvDeclares32::ShipmentRecord())
                                         .header()
                                         .Raw(tolv::shipment_header::kTariffName));
  record.SetText(tables::kDate, os::Utf8ToCp1252(modMain::Settings().Text(settings::kRatingDate)));
  modTolvDeclares32::Tolv_GetTables(t.record);
  t.WeightBreakCount = std::clamp<int>(record.I16(tables::kWeightBreakCount), 0, kWeightBoxes);

  std::vector<std::int32_t> breaks;
  for (int i = 0; i < t.WeightBreakCount; ++i) breaks.push_back(record.I32(tables::kWeightBreak.Nth(i)));
  const std::vector<std::string> captions = ratesheet::WeightBoxCaptions(
      breaks, modMain::Settings().I32(settings::kSpotQuoteWeightLimit));
  for (std::size_t i = 0; i < captions.size(); ++i) {
    forms::CheckBox& box = chkWeight(static_cast<int>(i) + 1);
    box.SetCaption(captions[i]);
    box.SetVisible(true);
  }
  const int classes = std::clamp<int>(record.I16(tables::kClassCount), 0, kClassBoxes);
  for (int i = 1; i <= classes; ++i) {
    chkClass(i).SetCaption(os::Cp1252ToUtf8(runtime::Trim(record.Text(tables::kClassCode.Nth(i - 1)))));
    chkClass(i).SetVisible(true);
  }
}

void frmRateSheet::Form_Unload(bool&) {
  std::string error;
  if (!modMain::LoadSettings(&error)) forms::MsgBox(error);
  App().Get<frmRateSheetOptions>().Unload();
  App().Get<frmRateSheetRun>().Unload();
  App().Get<frmRateSheetDiscounts>().Unload();
}

void frmRateSheet::Form_KeyPress(int& key_ascii) { modMain::EnterAsTab(key_ascii); }

// Menus and buttons.

void frmRateSheet::mnuExit_Click() { Unload(); }

void frmRateSheet::mnuRateSheetOptions_Click() {
  App().Get<frmRateSheetOptions>().ShowModal();
  txtHeadlineZip.SetFocus();
}

void frmRateSheet::btnDiscount_Click() { App().Get<frmRateSheetDiscounts>().ShowModal(); }

void frmRateSheet::ClearSidelineZips() {
  for (int i = 1; i <= kPairs; ++i) SetPair(i, "", "");
  txtSidelineZipLow(1).SetFocus();
}

void frmRateSheet::ClearClasses() {
  for (int i = 1; i <= kClassBoxes; ++i) chkClass(i).SetValue(0);
}

void frmRateSheet::ClearWeights() {
  for (int i = 1; i <= kWeightBoxes; ++i) chkWeight(i).SetValue(0);
}

void frmRateSheet::SelectLTLWeights() {
  for (int i = 1; i <= kLtlWeightBoxes; ++i) {
    if (chkWeight(i).Visible()) chkWeight(i).SetValue(1);
  }
  btnClassSelectAll.SetFocus();
}

void frmRateSheet::btnClearSidelineZips_Click() { ClearSidelineZips(); }
void frmRateSheet::btnClassClearAll_Click() { ClearClasses(); }
void frmRateSheet::btnWeightClearAll_Click() { ClearWeights(); }
void frmRateSheet::btnWeightSelectLTL_Click() { SelectLTLWeights(); }

void frmRateSheet::btnClassSelectAll_Click() {
  for (int i = 1; i <= kClassBoxes; ++i) {
    if (chkClass(i).Visible()) chkClass(i).SetValue(1);
  }
  btnPrint.SetFocus();
}

void frmRateSheet::btnWeightSelectAll_Click() {
  SelectLTLWeights();
  for (int i = kLtlWeightBoxes; i <= kWeightBoxes; ++i) {
    if (chkWeight(i).Visible()) chkWeight(i).SetValue(1);
  }
  btnClassSelectAll.SetFocus();
}

void frmRateSheet::btnStartOver_Click() {
  ratesheet::ZeroDiscountSets();
  ClearSidelineZips();
  ClearWeights();
  ClearClasses();
  txtHeadlineZip.SetText("");
  optOutBound.SetValue(true);
  txtHeadlineZip.SetFocus();
}

void frmRateSheet::Fail(const std::string& message, forms::Control& control) {
  modMain::RefuseEntry(control, message);
}

bool frmRateSheet::CheckFilledPairs() {
  for (int i = 1; i <= kPairs; ++i) {
    const std::string low = txtSidelineZipLow(i).Text(), high = txtSidelineZipHigh(i).Text();
    if (runtime::Trim(low).empty() || runtime::Trim(high).empty()) continue;
    switch (ratesheet::CheckSidelinePair(low, high)) {
      case ratesheet::PairCheck::kOk:
        break;
      case ratesheet::PairCheck::kInvalidLow:
        Fail("Invalid Zip", txtSidelineZipLow(i));
        return false;
      case ratesheet::PairCheck::kInvalidHigh:
        Fail("Invalid Zip", txtSidelineZipHigh(i));
        return false;
      case ratesheet::PairCheck::kLowAboveHigh:
        Fail("Low must be less than high", txtSidelineZipLow(i));
        return false;
    }
  }
  return true;
}

bool frmRateSheet::CheckDefinition() {
  if (runtime::Trim(txtHeadlineZip.Text()).empty()) {
    Fail("You must enter a Headline Zip", txtHeadlineZip);
    return false;
  }
  bool any_low = false;
  for (int i = 1; i <= kPairs; ++i) any_low |= !runtime::Trim(txtSidelineZipLow(i).Text()).empty();
  if (!any_low) {
    Fail("You must enter at least one zip range", txtSidelineZipLow(1));
    return false;
  }
  if (!CheckFilledPairs()) return false;
  bool any_weight = false;
  for (int i = 1; i <= kWeightBoxes; ++i) any_weight |= chkWeight(i).Value() == 1;
  if (!any_weight) {
    Fail("You must select a weight", chkWeight(1));
    return false;
  }
  bool any_class = false;
  for (int i = 1; i <= kClassBoxes; ++i) any_class |= chkClass(i).Value() == 1;
  if (!any_class) {
    Fail("You must select a class", chkClass(1));
    return false;
  }
  return true;
}

void frmRateSheet::btnPrint_Click() {
  if (!CheckDefinition()) return;
  App().Get<frmIntrastateTariffs>().ShowModal();
  if (ShowRunDialog) ShowRunDialog();
}

// The headline box.

bool frmRateSheet::OriginLocked() { return modMain::Settings().On(settings::kOriginLocked); }

void frmRateSheet::txtHeadlineZip_GotFocus() {
  const std::string origin = runtime::Trim(modMain::Settings().Text(settings::kDefaultOrigin));
  if (!origin.empty()) {
    // A six-character postal code does not fit the box: its prefix is a headline that can pass.
    const bool postal = origin.size() == 6 && modMain::IsValidZip(origin);
    txtHeadlineZip.SetText(origin.substr(0, postal ? kPrefixWidth : 5));
  }
  if (OriginLocked()) {
    optOutBound.SetValue(true);
    optOutBound.SetEnabled(false);
    optInBound.SetEnabled(false);
  }
  modMain::SelectAllText(txtHeadlineZip);
}

void frmRateSheet::txtHeadlineZip_KeyDown(int& key_code, int) {
  if (OriginLocked() && key_code == forms::kKeyDelete) key_code = 0;
}

void frmRateSheet::txtHeadlineZip_KeyPress(int& key_ascii) {
  if (OriginLocked()) {
    if (key_ascii != modMain::kKeyEnter) key_ascii = 0;
    return;
  }
  modMain::SetZipKey(txtHeadlineZip, key_ascii, false);
}

void frmRateSheet::txtHeadlineZip_Validate(bool& cancel) {
  if (modMain::IsValidZip(runtime::Trim(txtHeadlineZip.Text()))) return;
  modMain::RefuseEntry(txtHeadlineZip, "Invalid Zip");
  cancel = true;
}

// The sideline boxes.

void frmRateSheet::txtSidelineZipLow_GotFocus(int index) {
  modMain::SelectAllTextItem(txtSidelineZipLow, index);
}
void frmRateSheet::txtSidelineZipHigh_GotFocus(int index) {
  modMain::SelectAllTextItem(txtSidelineZipHigh, index);
}

void frmRateSheet::txtSidelineZipLow_KeyPress(int index, int& key_ascii) {
  modMain::SetZipKey(txtSidelineZipLow(index), key_ascii, true);
  modMain::EnterAsTab(key_ascii);
}

void frmRateSheet::txtSidelineZipHigh_KeyPress(int index, int& key_ascii) {
  modMain::SetZipKey(txtSidelineZipHigh(index), key_ascii, false);
}

void frmRateSheet::SetPair(int index, const std::string& low, const std::string& high) {
  txtSidelineZipLow(index).SetText(low.substr(0, kPrefixWidth));
  txtSidelineZipHigh(index).SetText(high.substr(0, kPrefixWidth));
}

int frmRateSheet::ExpandStateCode(int index, const std::string& code) {
  if (code == "US") {
    SetPair(index, "01000", "99499");
    return 1;
  }
  ratesheet::StateSearch search = ratesheet::FindStatePrefixRanges(
      modMain::DataFilePath(ratesheet::kZipcodesFileName), code);
  if (!search.found) return search.last_line ? search.last_line->range_count : 0;
  const ratesheet::StatePrefixLine& line = *search.last_line;
  SetPair(index, line.ranges[0].low, line.ranges[0].high);
  // Rows past the last pair are never touched; a range that would need one is lost.
  for (int r = 1; r < 3; ++r) {
    const ratesheet::PrefixRange& range = line.ranges[r];
    if (index + r > kPairs) {
      if (!range.low.empty()) {
        forms::MsgBox(kNotEnoughSpace, forms::msgbox::kOKOnly);
        break;
      }
      continue;
    }
    SetPair(index + r, range.low, range.high);
  }
  return line.range_count;
}

void frmRateSheet::txtSidelineZipLow_LostFocus(int index) {
  forms::TextBox& low = txtSidelineZipLow(index);
  const forms::Control* next = ActiveControl();
  const bool to_high = IsControl(next, "txtSidelineZipHigh");
  if (runtime::Trim(low.Text()).empty() && (!to_high || next->Index() < index)) return;

  const std::string code = runtime::Trim(low.Text());
  if (runtime::Val(low.Text()) == 0 && code.size() == 2) {
    // A code the file lacks, or no file at all, fills nothing and is reported below.
    const int rows = ExpandStateCode(index, code);
    if (index + rows > kPairs) {
      btnWeightSelectAll.SetFocus();
      return;
    }
    txtSidelineZipLow(index + rows).SetFocus();
  }

  if (runtime::Trim(low.Text()).empty()) {
    if (index == 1) {
      forms::MsgBox("You must enter at least one pair of zips", forms::msgbox::kOKOnly);
      low.SetFocus();
    } else {
      btnWeightSelectAll.SetFocus();
    }
    return;
  }
  if (!modMain::IsValidZip(runtime::Trim(low.Text()))) {
    forms::MsgBox("Invalid Zip", forms::msgbox::kOKOnly);
    low.SetFocus();
  }
}

void frmRateSheet::txtSidelineZipHigh_LostFocus(int index) {
  const forms::Control* next = ActiveControl();
  if (next == &btnClearSidelineZips || next == &btnWeightSelectAll) return;
  if (IsControl(next, "txtSidelineZipLow") && next->Index() <= index) return;

  forms::TextBox& low = txtSidelineZipLow(index);
  forms::TextBox& high = txtSidelineZipHigh(index);
  const std::string low_text = runtime::Trim(low.Text()), high_text = runtime::Trim(high.Text());
  if (high_text.empty() && !low_text.empty()) {
    forms::MsgBox("You must enter a high zip", forms::msgbox::kOKOnly);
    high.SetFocus();
  } else if (!modMain::IsValidZip(high_text)) {
    forms::MsgBox("Invalid Zip", forms::msgbox::kOKOnly);
    high.SetFocus();
  } else if (high.Text() < low.Text()) {
    forms::MsgBox("Low must be less than high", forms::msgbox::kOKOnly);
    low.SetFocus();
  } else if (low_text.empty()) {
    forms::MsgBox("You must enter a low zip", forms::msgbox::kOKOnly);
    if (low.Visible()) low.SetFocus();
  }
}

}  // namespace frelane
