#include "frelane/rating/frm_accessorial_charges.h"

#include <cstdint>
#include <string>
#include <vector>

#include "frelane/core/company_name.h"
#include "frelane/core/field_helpers.h"
#include "frelane/core/form_helpers.h"
#include "frelane/core/main_module.h"
#include "frelane/rating/data_file_bytes.h"
#include "platform/forms/application.h"
#include "platform/forms/message_box.h"
#include "platform/runtime/format.h"

namespace frelane {

namespace {

constexpr int kRowStep = 240;
constexpr int kInputMaxLength = 8;
constexpr int kHourglass = 11;
constexpr int kDefaultPointer = 0;

std::string TypeCaption(int kind, const std::string& unit) {
  switch (kind) {
    case accchg::kPercentOfValue: return "% of Value";
    case accchg::kPerHundredWeight: return "$/CWT";
    case accchg::kPerShipment:
    case accchg::kAmountEntered: return "$/Shpmnt.";
    case accchg::kPercentOfFreight: return "% of Freight";
    case accchg::kPerUnit: return "$/" + unit;
    default: return "";
  }
}

std::string InputCaption(int kind, const std::string& unit) {
  switch (kind) {
    case accchg::kPercentOfValue: return "$ Value";
    case accchg::kAmountEntered: return "$ Amount";
    case accchg::kPerUnit: return "# of " + unit + "s";
    default: return "";
  }
}

}  // namespace

frmAccessorialCharges::frmAccessorialCharges()
    : Form("frmAccessorialCharges",
           {.caption = "Accessorial Charges", .width = 9480, .height = 7320,
            .key_preview = true, .center = true}) {
  for (int i = 1; i <= accchg::kMaxRows; ++i) {
    const int top = kRowStep * i;
    chkAccessorialCharge.Add(i, {120, top, 3600, 225}, {.tab_index = 2 * i, .visible = false});
    lblAccessorialCharge.Add(i, {3780, top, 720, 225}, {});
    lblAccessorialType.Add(i, {4560, top, 1140, 225}, {});
    lblAccessorialLabel.Add(i, {5760, top, 1200, 225}, {});
    txtUserInput.Add(i, {6960, top, 1020, 240},
                     {.tab_index = 2 * i + 1, .visible = false, .max_length = kInputMaxLength});
    lblAccessorialChargeMin.Add(i, {8040, top, 600, 225}, {});
    lblAccessorialChargeMax.Add(i, {8700, top, 600, 225}, {});
  }
  Bind(txtUserInput.on.GotFocus, &frmAccessorialCharges::txtUserInput_GotFocus);
  Bind(txtUserInput.on.KeyPress, &frmAccessorialCharges::txtUserInput_KeyPress);
  Bind(btnOK.on.Click, &frmAccessorialCharges::btnOK_Click);
  Bind(btnReset.on.Click, &frmAccessorialCharges::btnReset_Click);
}

void frmAccessorialCharges::FillRow(int row, os::ConstRecordView record) {
  const std::string description = record.Text(accchg::kDescription);
  const int kind = record.I16(accchg::kKind);
  const std::string unit = modMain::Trim(record.Text(accchg::kUnit));
  chkAccessorialCharge(row).SetCaption(accchg::Caption(description));
  chkAccessorialCharge(row).SetVisible(true);
  const double rate = record.FiniteF64(accchg::kRate);
  if (rate != 0) lblAccessorialCharge(row).SetCaption(runtime::Format(rate, "0.00"));
  lblAccessorialType(row).SetCaption(TypeCaption(kind, unit));
  const double minimum = record.FiniteF64(accchg::kMinimum);
  if (minimum != 0) lblAccessorialChargeMin(row).SetCaption(runtime::Format(minimum, "0.00"));
  const double maximum = record.FiniteF64(accchg::kMaximum);
  if (maximum != 0) lblAccessorialChargeMax(row).SetCaption(runtime::Format(maximum, "0.00"));
  if (accchg::NeedsInput(kind)) {
    txtUserInput(row).SetVisible(true);
    lblAccessorialLabel(row).SetCaption(InputCaption(kind, unit));
  }
}

void frmAccessorialCharges::Form_Load() {
  forms::Screen().SetMousePointer(kHourglass);
  if (modMain::CompanyNameStartsWith("QUARLEN")) SetCaption("Value Added Services");
  const std::vector<std::uint8_t> file = ReadLookupFile(modMain::DataDirectory(), accchg::kFileName)
                                             .value_or(std::vector<std::uint8_t>{});
  int rows = 0;
  while (rows < accchg::kMaxRows) {
    std::span<const std::uint8_t> record =
        RecordOf(file, accchg::kRecordSize, static_cast<std::size_t>(rows + 1));
    if (record.empty()) break;
    ++rows;
    FillRow(rows, os::ConstRecordView(record));
  }
  // Without rows the buttons stand under the column headings.
  const int last_top = rows > 0 ? chkAccessorialCharge(rows).Top() : lblChargeHeading.Top();
  btnOK.SetTop(last_top + 420);
  btnReset.SetTop(btnOK.Top());
  SetHeight(btnOK.Top() + 900);
  forms::Screen().SetMousePointer(kDefaultPointer);
}

void frmAccessorialCharges::Form_KeyPress(int& key_ascii) { modMain::EnterAsTab(key_ascii); }

void frmAccessorialCharges::txtUserInput_GotFocus(int index) {
  modMain::SelectAllTextItem(txtUserInput, index);
}

void frmAccessorialCharges::txtUserInput_KeyPress(int index, int& key_ascii) {
  modMain::SetNumericKey(txtUserInput(index), key_ascii, kInputMaxLength, 2);
}

void frmAccessorialCharges::btnOK_Click() {
  for (int i = 1; i <= accchg::kMaxRows; ++i) {
    if (chkAccessorialCharge(i).Value() != forms::CheckBox::kChecked) continue;
    if (!txtUserInput(i).Visible()) continue;
    const std::string input = modMain::Trim(txtUserInput(i).Text());
    if (input.empty() || modMain::SafeValue(input) <= 0) {
      forms::MsgBox("A Positive Value is Required");
      txtUserInput(i).SetFocus();
      return;
    }
  }
  Hide();
}

void frmAccessorialCharges::btnReset_Click() {
  for (int i = 1; i <= accchg::kMaxRows; ++i) {
    chkAccessorialCharge(i).SetValue(forms::CheckBox::kUnchecked);
    txtUserInput(i).SetText("");
  }
}

}  // namespace frelane
