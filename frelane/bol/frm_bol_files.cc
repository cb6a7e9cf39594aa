// frmBOL: validation, saving, and the file commands (new, open, save, save as, delete,
// close) with the other menu commands.
#include <string>

#include "frelane/bol/bill_files.h"
#include "frelane/bol/frm_bol.h"
#include "frelane/bol/frm_bol_defaults.h"
#include "frelane/bol/frm_bol_products.h"
#include "frelane/bol/frm_bol_open.h"
#include "frelane/bol/frm_print.h"
#include "frelane/bol/mod_bol.h"
#include "frelane/bol/print_bol.h"
#include "frelane/core/field_helpers.h"
#include "platform/forms/application.h"

namespace frelane {
namespace {

namespace msgbox = forms::msgbox;

bool Filled(const std::string& text) { return !modMain::Trim(text).empty(); }

bool Ask(const std::string& question) {
  return forms::MsgBox(question, msgbox::kYesNo | msgbox::kQuestion) == forms::MsgBoxResult::kYes;
}

std::string ChangedElsewhere(const std::string& name) {
  return "This BOL (" + bol::BillNamePart(name) +
         ") has been saved by another window or program since you opened it.  Do you wish to "
         "replace it with yours?  No keeps the other one.";
}

void ShowNotSaved(const std::string& why) {
  modBOL::ShowFileError("The BOL was not saved.\r\n" + why);
}

constexpr char kUnusableNumber[] =
    "The first 8 characters of the BOL # name its file: they may not hold / \\ : * ? \" < > | "
    "or control characters, nor be \".\" or hold \"..\".";

}  // namespace

bool frmBOL::ValidateBOL() {
  auto fail = [](const char* message) {
    forms::MsgBox(message);
    return false;
  };
  if (!Filled(txtBOL.Text())) return fail("You must specify a BOL#");
  if (!ValidateDate(txtShipmentDate.Text())) {
    return fail("Invalid Date.  The date must be in the format of mm/dd/yyyy.");
  }
  if (!Filled(cboShipperName.Text()) || !Filled(txtShipperAddress.Text()) ||
      !Filled(txtShipperCity.Text()) || !Filled(txtShipperState.Text()) ||
      !Filled(txtShipperZipCode.Text())) {
    return fail("You must enter all Shipper information.");
  }
  if (!Filled(cboConsigneeName.Text()) || !Filled(txtConsigneeAddress.Text()) ||
      !Filled(txtConsigneeCity.Text()) || !Filled(txtConsigneeState.Text()) ||
      !Filled(txtConsigneeZipCode.Text())) {
    return fail("You must enter all Consignee information.");
  }
  if (!optFreightChargesPaidBy(0).Value() && !optFreightChargesPaidBy(1).Value() &&
      !optFreightChargesPaidBy(2).Value()) {
    return fail("You must specify the party responsible for paying the freight.");
  }
  if (optFreightChargesPaidBy(2).Value() || chkRemitCODToThirdParty.Value() == 1) {
    if (!Filled(cboThirdPartyName.Text()) || !Filled(txtThirdPartyAddress.Text()) ||
        !Filled(txtThirdPartyCity.Text()) || !Filled(txtThirdPartyState.Text()) ||
        !Filled(txtThirdPartyZipCode.Text())) {
      return fail("You must enter all Third Party information.");
    }
  }
  if (!Filled(txtCODAmount.Text())) return true;
  if (chkCashiersCheckOnly.Value() != 1 && chkConsigneeCheckOK.Value() != 1) {
    return fail("You must specify the acceptable type of check.");
  }
  if (chkCODFeePrepaid.Value() != 1 && chkCODFeeCollect.Value() != 1) {
    return fail("You must specify if the COD Fee is Prepaid of Collect.");
  }
  if (chkRemitCODToShipper.Value() != 1 && chkRemitCODToThirdParty.Value() != 1) {
    return fail("You must specify the party to which COD should be remitted.");
  }
  return true;
}

bool frmBOL::SaveBOL() {
  if (!ValidateBOL()) return false;
  std::string number = modMain::Trim(txtBOL.Text());
  if (!bol::IsUsableBillName(number)) {
    forms::MsgBox(kUnusableNumber);
    return false;
  }
  std::string name = bol::BillFileName(number);
  std::string refusal;
  if (!bol::OwnBillPath(name, &refusal)) {
    // Refused before anything is asked: no answer could let it be written.
    ShowNotSaved(refusal);
    return false;
  }
  if (bol::ExistingBillFile(name)) {
    // Another bill's file, or this bill's own file now holding a bill of another number
    // (the numbers agree only in their first 8 characters): replacing it needs a Yes.
    bool ask = !bol::SameNameNoCase(name, modBOL::CurrentBOLFile());
    if (!ask) {
      bol::BOLRecord stored;
      std::string ignored;
      ask = bol::ReadBillFile(name, &stored, &ignored) != bol::BillRead::kOk ||
            stored.View().Text(bol::bill::kBOLNumber) !=
                modBOL::CurrentBOL().View().Text(bol::bill::kBOLNumber);
    }
    if (ask) {
      if (!Ask("A BOL with this # (" + bol::BillNamePart(name) +
               ") already exists, do you wish to replace it?")) {
        return false;
      }
    } else if (bol::StampOfBillFile(name) != modBOL::CurrentBOLStamp() &&
               !Ask(ChangedElsewhere(name))) {
      // Its own file, saved meanwhile by another instance: never overwritten unasked.
      return false;
    }
  }
  if (!WriteBOLFile(name)) return false;
  bol_changed_ = false;
  return true;
}

bool frmBOL::WriteBOLFile(const std::string& file_name) {
  std::string error;
  if (!bol::EnsureBillFolder(&error) ||
      !bol::WriteBillFile(file_name, modBOL::CurrentBOL(), &error)) {
    ShowNotSaved(error);
    return false;
  }
  modBOL::CurrentBOLFile() = file_name;
  modBOL::CurrentBOLStamp() = bol::StampOfBillFile(file_name);
  return true;
}

bool frmBOL::ReadBOLFile(const std::string& file_name) {
  // A vanished, short or unreadable file leaves the bill in the editor and its name alone.
  bol::BOLRecord record;
  std::string error;
  // Taken before the read: a save elsewhere in between then counts as a change.
  const bol::BillStamp stamp = bol::StampOfBillFile(file_name);
  if (bol::ReadBillFile(file_name, &record, &error) != bol::BillRead::kOk) {
    modBOL::ShowFileError("The BOL was not opened: " + error + ".");
    return false;
  }
  modBOL::CurrentBOL() = record;
  modBOL::CurrentBOLFile() = file_name;
  modBOL::CurrentBOLStamp() = stamp;
  return true;
}

bool frmBOL::AskSaveChanges() {
  if (!Ask("Save Changes?")) return true;
  return SaveBOL();
}

void frmBOL::mnuFileNewBOL_Click() {
  if (bol_changed_ && !AskSaveChanges()) return;
  modBOL::ClearBOL();
  ResetPartyRecords();
  ShowBOL();
  SelectDefaults();
  if (fraHeader.Visible()) txtBOL.SetFocus();
}

void frmBOL::mnuFileOpenBOL_Click() {
  if (bol_changed_ && !AskSaveChanges()) return;
  std::string name = forms::App().Get<frmBOLOpen>().LoadMe();
  if (name.empty()) return;
  if (!ReadBOLFile(name)) return;
  ResetPartyRecords();
  ShowBOL();
}

void frmBOL::mnuFileSaveBOL_Click() { SaveBOL(); }

void frmBOL::mnuFileSaveAsBOL_Click() {
  // Saved as a bill never saved before, so an existing file of its name needs a Yes.
  std::string previous = modBOL::CurrentBOLFile();
  modBOL::CurrentBOLFile().clear();
  if (!SaveBOL()) modBOL::CurrentBOLFile() = previous;
}

void frmBOL::mnuEditDeleteBOL_Click() {
  const std::string name = modBOL::CurrentBOLFile();
  if (name.empty() || !bol::ExistingBillFile(name)) return;
  if (!Ask("Are you sure you want to delete the current BOL?")) return;
  std::string error;
  if (!bol::DeleteBillFile(name, &error)) {
    modBOL::ShowFileError("The BOL was not deleted.\r\n" + error);
    return;
  }
  bol_changed_ = false;
  mnuFileNewBOL_Click();
}

void frmBOL::mnuExit_Click() { Unload(); }

void frmBOL::Form_Unload(bool& cancel) {
  if (bol_changed_ && !AskSaveChanges()) cancel = true;
}

void frmBOL::mnuEditDefaults_Click() { forms::App().Get<frmBOLDefaults>().ShowModal(); }

void frmBOL::mnuEditProducts_Click() {
  forms::App().Get<frmBOLProducts>().ShowModal();
  // The catalogue dialog may have changed Product.dat: the list is read again.
  modBOL::LoadProductList(cboProduct, 0, false);
}

void frmBOL::mnuFilePrint_Click() {
  std::int32_t copies = 1;
  if (!forms::App().Get<frmPrint>().SelectPrinter(copies)) return;
  if (!ValidateBOL()) return;
  if (modBOL::PrintCopies(copies)) forms::MsgBox("Printing successfully completed");
}

void frmBOL::mnuHelp_Click() { txtTemp_GotFocus(); }

void frmBOL::BindMenus() {
  Bind(mnuFileNewBOL.on.Click, &frmBOL::mnuFileNewBOL_Click);
  Bind(mnuFileOpenBOL.on.Click, &frmBOL::mnuFileOpenBOL_Click);
  Bind(mnuFileSaveBOL.on.Click, &frmBOL::mnuFileSaveBOL_Click);
  Bind(mnuFileSaveAsBOL.on.Click, &frmBOL::mnuFileSaveAsBOL_Click);
  Bind(mnuFileImport.on.Click, &frmBOL::mnuFileImport_Click);
  Bind(mnuFilePrint.on.Click, &frmBOL::mnuFilePrint_Click);
  Bind(mnuExit.on.Click, &frmBOL::mnuExit_Click);
  Bind(mnuEditDefaults.on.Click, &frmBOL::mnuEditDefaults_Click);
  Bind(mnuEditDeleteBOL.on.Click, &frmBOL::mnuEditDeleteBOL_Click);
  Bind(mnuEditProducts.on.Click, &frmBOL::mnuEditProducts_Click);
  Bind(mnuHelp.on.Click, &frmBOL::mnuHelp_Click);
  mnuFileSaveShipper.on.Click = [this] { SaveParty(Shipper()); };
  mnuFileSaveConsignee.on.Click = [this] { SaveParty(Consignee()); };
  mnuFileSaveThirdParty.on.Click = [this] { SaveParty(ThirdParty()); };
  mnuFileSaveAsShipper.on.Click = [this] { SaveAsParty(Shipper()); };
  mnuFileSaveAsConsignee.on.Click = [this] { SaveAsParty(Consignee()); };
  mnuFileSaveAsThirdParty.on.Click = [this] { SaveAsParty(ThirdParty()); };
  mnuEditDeleteShipper.on.Click = [this] { DeleteParty(Shipper()); };
  mnuEditDeleteConsignee.on.Click = [this] { DeleteParty(Consignee()); };
  mnuEditDeleteThirdParty.on.Click = [this] { DeleteParty(ThirdParty()); };
}

}  // namespace frelane
