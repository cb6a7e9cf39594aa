// frmBOL: the form's load, the display of a bill, the header fields and the pages.
#include "frelane/bol/frm_bol.h"

#include <vector>

#include "frelane/bol/bill_files.h"
#include "frelane/bol/bol_dates.h"
#include "frelane/bol/mod_bol.h"
#include "frelane/core/field_helpers.h"
#include "frelane/core/form_helpers.h"
#include "frelane/core/form_setup.h"
#include "frelane/core/main_module.h"
#include "platform/forms/application.h"
#include "platform/os/file_lookup.h"
#include "platform/runtime/format.h"

namespace frelane {
namespace {

namespace bill = bol::bill;

// The hourglass for the length of a scope, also when a handler leaves it with an error.
struct HourglassWhileLoading {
  HourglassWhileLoading() { forms::Screen().SetMousePointer(forms::kMouseHourglass); }
  ~HourglassWhileLoading() { forms::Screen().SetMousePointer(forms::kMouseDefault); }
};

constexpr char kInvalidDate[] = "Invalid Date.  The date must be in the format of mm/dd/yyyy.";

}  // namespace

frmBOL::frmBOL()
    : Form("frmBOL", {.caption = "Bill of Lading", .width = modMain::kStandardFormWidth,
                      .height = modMain::kStandardFormHeight, .key_preview = true}) {
  const char* payers[] = {"Shipper (Prepaid)", "Consignee (Collect)",
                          "3RD Party (Prepaid) As shown on Right:"};
  for (int i = 0; i < 3; ++i) {
    optFreightChargesPaidBy.Add(i, {120, 240 + 285 * i, 3300, 255},
                                {.container = &fraFreightPaidBy, .caption = payers[i]});
  }
  for (int i = 0; i < 2; ++i) {
    const char* caption = i == 0 ? "Yes" : "No";
    optSection7Signed.Add(i, {240 + 900 * i, 330, 780, 255},
                          {.container = &fraSection7Signed, .caption = caption});
    optSingleShipment.Add(i, {240 + 900 * i, 330, 780, 255},
                          {.container = &fraSingleShipment, .caption = caption});
  }
  BindHeader();
  BindItems();
  BindMenus();
}

void frmBOL::BindField(forms::TextBox& box, const os::Field& field) {
  box.on.Change = [this, &box, field] {
    modBOL::CurrentBOL().View().SetUtf8Text(field, modMain::Trim(box.Text()));
    bol_changed_ = true;
  };
  box.on.GotFocus = [&box] { modMain::SelectAllText(box); };
}

void frmBOL::BindNameCombo(forms::ComboBox& box, const os::Field& field) {
  box.on.Change = [this, &box, field] {
    std::string text = box.Text();
    if (modBOL::LetterCount(text) > field.width) {
      forms::Beep();
      box.SetText(modBOL::FirstLetters(text, field.width));  // runs this handler again, which stores
      modMain::SelectAllText(box);
      return;
    }
    modBOL::CurrentBOL().View().SetUtf8Text(field, modMain::Trim(text));
    bol_changed_ = true;
  };
  box.on.GotFocus = [&box] { modMain::SelectAllText(box); };
  box.on.KeyPress = [this, &box](int& key) { PartyNameKeyPress(box, key); };
}

void frmBOL::BindCheckPair(forms::CheckBox& box, forms::CheckBox& partner,
                           const os::Field& field) {
  box.on.Click = [this, &box, &partner, field] {
    if (box.Value() == forms::CheckBox::kChecked) partner.SetValue(forms::CheckBox::kUnchecked);
    bol::SetByte(modBOL::CurrentBOL().View(), field,
                 box.Value() == forms::CheckBox::kChecked ? 1 : 0);
    bol_changed_ = true;
  };
}

void frmBOL::StoreOption(forms::ControlArray<forms::OptionButton>& group,
                         const os::Field& field) {
  int chosen = -1;
  for (int i = 0; i < group.Count(); ++i) {
    if (group(i).Value()) {
      chosen = i;
      break;
    }
  }
  if (chosen >= 0) {
    bol::SetByte(modBOL::CurrentBOL().View(), field, static_cast<std::uint8_t>(chosen));
  }
  bol_changed_ = true;
}

void frmBOL::BindHeader() {
  BindField(txtBOL, bill::kBOLNumber);
  BindField(txtShipmentDate, bill::kShipDate);
  BindField(txtCarriersProNumber, bill::kCarrierProNumber);
  BindNameCombo(cboShipperName, bill::kShipperName);
  BindField(txtShipperAddress, bill::kShipperAddress);
  BindField(txtShipperCity, bill::kShipperCity);
  BindField(txtShipperState, bill::kShipperState);
  BindField(txtShipperZipCode, bill::kShipperZip);
  BindField(txtShipperCounty, bill::kShipperCounty);
  BindField(txtShipperPhone, bill::kShipperPhone);
  BindField(txtShipper, bill::kShipperNumber);
  BindNameCombo(cboConsigneeName, bill::kConsigneeName);
  BindField(txtConsigneeAddress, bill::kConsigneeAddress);
  BindField(txtConsigneeCity, bill::kConsigneeCity);
  BindField(txtConsigneeState, bill::kConsigneeState);
  BindField(txtConsigneeZipCode, bill::kConsigneeZip);
  BindField(txtConsigneeCounty, bill::kConsigneeCounty);
  BindField(txtConsigneePhone, bill::kConsigneePhone);
  BindField(txtConsigneePO, bill::kConsigneePO);
  BindNameCombo(cboThirdPartyName, bill::kThirdPartyName);
  BindField(txtThirdPartyAddress, bill::kThirdPartyAddress);
  BindField(txtThirdPartyCity, bill::kThirdPartyCity);
  BindField(txtThirdPartyState, bill::kThirdPartyState);
  BindField(txtThirdPartyZipCode, bill::kThirdPartyZip);
  BindField(txtDeclaredValue, bill::kDeclaredValue);
  BindField(txtDeclaredValuePer, bill::kDeclaredValuePer);
  BindField(txtNotifyName, bill::kNotifyName);
  BindField(txtNotifyFax, bill::kNotifyFax);
  BindField(txtNotifyPhone, bill::kNotifyPhone);
  BindField(txtSpecialInstructions, bill::kSpecialInstructions);

  cboShipperName.on.Click = [this] { PickParty(Shipper()); };
  cboConsigneeName.on.Click = [this] { PickParty(Consignee()); };
  cboThirdPartyName.on.Click = [this] { PickParty(ThirdParty()); };
  for (forms::TextBox* state : {&txtShipperState, &txtConsigneeState, &txtThirdPartyState}) {
    state->on.KeyPress = [](int& key) { modMain::UpperCaseKey(key); };
  }
  txtCODAmount.on.Change = [this] { txtCODAmount_Change(); };
  txtCODAmount.on.GotFocus = [this] { modMain::SelectAllText(txtCODAmount); };
  Bind(txtCODAmount.on.KeyPress, &frmBOL::txtCODAmount_KeyPress);
  Bind(txtDeclaredValue.on.KeyPress, &frmBOL::txtDeclaredValue_KeyPress);
  Bind(txtShipmentDate.on.LostFocus, &frmBOL::txtShipmentDate_LostFocus);

  BindCheckPair(chkCashiersCheckOnly, chkConsigneeCheckOK, bill::kCashiersCheckOnly);
  BindCheckPair(chkConsigneeCheckOK, chkCashiersCheckOnly, bill::kConsigneeCheckOK);
  BindCheckPair(chkCODFeePrepaid, chkCODFeeCollect, bill::kCODFeePrepaid);
  BindCheckPair(chkCODFeeCollect, chkCODFeePrepaid, bill::kCODFeeCollect);
  BindCheckPair(chkRemitCODToShipper, chkRemitCODToThirdParty, bill::kRemitCODToShipper);
  BindCheckPair(chkRemitCODToThirdParty, chkRemitCODToShipper, bill::kRemitCODToThirdParty);

  optFreightChargesPaidBy.on.Click = [this](int) {
    StoreOption(optFreightChargesPaidBy, bill::kFreightPaidBy);
  };
  optSingleShipment.on.Click = [this](int) {
    StoreOption(optSingleShipment, bill::kSingleShipment);
  };
  optSection7Signed.on.Click = [this](int) {
    StoreOption(optSection7Signed, bill::kSection7Signed);
  };

  Bind(btnNext.on.Click, &frmBOL::btnNext_Click);
  Bind(btnPrevious.on.Click, &frmBOL::btnPrevious_Click);
  Bind(txtTemp.on.GotFocus, &frmBOL::txtTemp_GotFocus);
}

void frmBOL::Form_Load() {
  HourglassWhileLoading hourglass;
  ResetPartyRecords();
  modMain::SetStandardFormSize(*this);
  modMain::SetFormIcon(*this);

  // The tab order of the pages, the payer options split around the third party's name.
  std::vector<forms::Control*> order = {
      &txtBOL, &txtShipmentDate, &txtCarriersProNumber, &cboShipperName, &txtShipperAddress,
      &txtShipperCity, &txtShipperState, &txtShipperZipCode, &txtShipperCounty,
      &txtShipperPhone, &txtShipper, &cboConsigneeName, &txtConsigneeAddress,
      &txtConsigneeCity, &txtConsigneeState, &txtConsigneeZipCode, &txtConsigneeCounty,
      &txtConsigneePhone, &txtConsigneePO, &optFreightChargesPaidBy(0),
      &optFreightChargesPaidBy(1), &cboThirdPartyName, &optFreightChargesPaidBy(2),
      &txtThirdPartyAddress, &txtThirdPartyCity, &txtThirdPartyState, &txtThirdPartyZipCode,
      &txtCODAmount, &chkCashiersCheckOnly, &chkConsigneeCheckOK, &chkCODFeePrepaid,
      &chkCODFeeCollect, &chkRemitCODToShipper, &chkRemitCODToThirdParty,
      &txtDeclaredValue, &txtDeclaredValuePer, &optSection7Signed(0), &optSection7Signed(1),
      &txtNotifyName, &txtNotifyFax, &txtNotifyPhone, &optSingleShipment(0),
      &optSingleShipment(1), &txtSpecialInstructions, &lstDetails, &btnEdit, &btnAdd,
      &cboProduct, &txtHandlingUnits, &cboHandlingUnitsType, &txtNumberOfPackages,
      &cboPackagesType, &chkHazardousMaterialsFlag, &txtDescription, &txtWeight, &txtClass,
      &txtCube, &btnSave, &btnIgnore, &btnDelete, &btnPrevious, &btnNext};
  for (std::size_t i = 0; i < order.size(); ++i) order[i]->SetTabIndex(static_cast<int>(i));

  if (!os::FindFileNoCase(modMain::DataDirectory(), bol::kShipperFile)) {
    forms::MsgBoxResult answer =
        forms::MsgBox("Do you have a previous version of this software?",
                      forms::msgbox::kYesNo | forms::msgbox::kQuestion);
    if (answer == forms::MsgBoxResult::kYes) mnuFileImport_Click();
  }
  std::string error;
  if (!bol::EnsureBillFolder(&error)) modBOL::ShowFileError(error);
  bol::RemoveStaleTemporaries();
  SetCaption(modMain::Trim(modMain::Settings().Text(settings::kCompanyName)) +
             " - Bill of Lading");

  modBOL::ClearBOL();
  modBOL::ClearProduct();
  modBOL::LoadBOLDefaults();
  FillPackagingLists();
  FillLists();
  ShowBOL();
}

void frmBOL::ResetPartyRecords() {
  current_shipper_record_ = -1;
  current_consignee_record_ = -1;
  current_third_party_record_ = -1;
}

void frmBOL::ShowText(forms::TextBox& box, const os::Field& field) {
  box.SetText(modMain::Trim(modBOL::CurrentBOL().View().Utf8Text(field)));
}

void frmBOL::ShowBOL() {
  // Each assignment runs the field's change handler, which stores the same text back.
  os::ConstRecordView v = modBOL::CurrentBOL().View();
  auto name = [&](forms::ComboBox& box, const os::Field& f) {
    box.SetText(modMain::Trim(v.Utf8Text(f)));
    box.ForgetListIndex();  // a pick of the entry shown before must load it again
  };
  ShowText(txtBOL, bill::kBOLNumber);
  ShowText(txtShipmentDate, bill::kShipDate);
  ShowText(txtCarriersProNumber, bill::kCarrierProNumber);
  name(cboShipperName, bill::kShipperName);
  ShowText(txtShipperAddress, bill::kShipperAddress);
  ShowText(txtShipperCity, bill::kShipperCity);
  ShowText(txtShipperState, bill::kShipperState);
  ShowText(txtShipperZipCode, bill::kShipperZip);
  ShowText(txtShipperCounty, bill::kShipperCounty);
  ShowText(txtShipperPhone, bill::kShipperPhone);
  ShowText(txtShipper, bill::kShipperNumber);
  name(cboConsigneeName, bill::kConsigneeName);
  ShowText(txtConsigneeAddress, bill::kConsigneeAddress);
  ShowText(txtConsigneeCity, bill::kConsigneeCity);
  ShowText(txtConsigneeState, bill::kConsigneeState);
  ShowText(txtConsigneeZipCode, bill::kConsigneeZip);
  ShowText(txtConsigneeCounty, bill::kConsigneeCounty);
  ShowText(txtConsigneePhone, bill::kConsigneePhone);
  ShowText(txtConsigneePO, bill::kConsigneePO);
  name(cboThirdPartyName, bill::kThirdPartyName);
  ShowText(txtThirdPartyAddress, bill::kThirdPartyAddress);
  ShowText(txtThirdPartyCity, bill::kThirdPartyCity);
  ShowText(txtThirdPartyState, bill::kThirdPartyState);
  ShowText(txtThirdPartyZipCode, bill::kThirdPartyZip);
  ShowText(txtDeclaredValue, bill::kDeclaredValue);
  ShowText(txtDeclaredValuePer, bill::kDeclaredValuePer);
  ShowText(txtNotifyName, bill::kNotifyName);
  ShowText(txtNotifyFax, bill::kNotifyFax);
  ShowText(txtNotifyPhone, bill::kNotifyPhone);

  int payer = bol::ByteOf(v, bill::kFreightPaidBy);
  for (int i = 0; i < 3; ++i) optFreightChargesPaidBy(i).SetValue(i == payer);

  // The amount is read before the box is set: setting it stores the box's rounded text.
  double cod = v.FiniteF64(bill::kCODAmount);
  txtCODAmount.SetText(cod == 0 ? "" : runtime::Format(cod, "0.00"));
  modBOL::CurrentBOL().View().SetF64(bill::kCODAmount, cod);
  // Copies first: clicking one box of a pair clears its partner's byte.
  const std::uint8_t checks[] = {
      bol::ByteOf(v, bill::kCashiersCheckOnly), bol::ByteOf(v, bill::kConsigneeCheckOK),
      bol::ByteOf(v, bill::kCODFeePrepaid),     bol::ByteOf(v, bill::kCODFeeCollect),
      bol::ByteOf(v, bill::kRemitCODToShipper), bol::ByteOf(v, bill::kRemitCODToThirdParty)};
  forms::CheckBox* boxes[] = {&chkCashiersCheckOnly, &chkConsigneeCheckOK, &chkCODFeePrepaid,
                              &chkCODFeeCollect,     &chkRemitCODToShipper,
                              &chkRemitCODToThirdParty};
  for (int i = 0; i < 6; ++i) boxes[i]->SetValue(0);
  for (int i = 0; i < 6; ++i) {
    if (checks[i] != 0) boxes[i]->SetValue(1);
  }
  optSection7Signed(bol::ByteOf(v, bill::kSection7Signed) == 0 ? 0 : 1).SetValue(true);
  optSingleShipment(bol::ByteOf(v, bill::kSingleShipment) == 0 ? 0 : 1).SetValue(true);
  ShowText(txtSpecialInstructions, bill::kSpecialInstructions);
  FillDetailList();
  ShowPage(1);
  bol_changed_ = false;
}

void frmBOL::ShowPage(int page) {
  fraHeader.SetVisible(page == 1);
  fraHeader2.SetVisible(page == 2);
  fraDetail.SetVisible(page == 3);
  btnPrevious.SetVisible(page != 1);
  btnNext.SetVisible(page != 3);
}

void frmBOL::btnNext_Click() {
  if (fraHeader.Visible()) {
    ShowPage(2);
    txtDeclaredValue.SetFocus();
  } else {
    ShowPage(3);
    lstDetails.SetFocus();
  }
}

void frmBOL::btnPrevious_Click() {
  if (fraDetail.Visible()) {
    ShowPage(2);
    txtDeclaredValue.SetFocus();
  } else {
    ShowPage(1);
    txtBOL.SetFocus();
  }
}

void frmBOL::Form_KeyPress(int& key) {
  if (key != modMain::kKeyEnter) return;
  forms::Control* active = ActiveControl();
  if (active == &txtDescription || active == &lstDetails || active == &txtSpecialInstructions) {
    return;
  }
  if (active == &optFreightChargesPaidBy(0) || active == &optFreightChargesPaidBy(1)) {
    key = 0;
    txtThirdPartyZipCode.SetFocus();
    return;
  }
  modMain::EnterAsTab(key);
}

void frmBOL::txtCODAmount_Change() {
  std::string text = modMain::Trim(txtCODAmount.Text());
  modBOL::CurrentBOL().View().SetF64(bill::kCODAmount,
                                     text.empty() ? 0.0 : modMain::SafeValue(text));
  bol_changed_ = true;
}

void frmBOL::txtCODAmount_KeyPress(int& key) {
  modMain::SetNumericKey(txtCODAmount, key, 10, 2);
  modMain::EnterAsTab(key);
}

void frmBOL::txtDeclaredValue_KeyPress(int& key) {
  modMain::SetNumericKey(txtDeclaredValue, key, 6, 2);
}

bool frmBOL::ValidateDate(const std::string& text) { return bol::IsValidShipDate(text); }

void frmBOL::txtShipmentDate_LostFocus() {
  if (validating_date_ || ValidateDate(txtShipmentDate.Text())) return;
  validating_date_ = true;
  forms::MsgBox(kInvalidDate);
  txtShipmentDate.SetFocus();
  validating_date_ = false;
}

void frmBOL::txtTemp_GotFocus() { forms::SendKeys("{F1}"); }

}  // namespace frelane
