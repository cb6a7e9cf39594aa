// frmBOL: the three address-book blocks of the header (shipper, consignee, third party):
// their pick lists, filling a block from a picked record, and Save, Save As and Delete of
// a block in its book.
#include <string>

#include "frelane/bol/bol_records.h"
#include "frelane/bol/frm_bol.h"
#include "frelane/bol/mod_bol.h"
#include "frelane/bol/record_book.h"
#include "frelane/core/field_helpers.h"
#include "platform/forms/application.h"

namespace frelane {
namespace {

namespace party = bol::party;

constexpr std::size_t kNameWidth = 25;

void SetFromRecord(forms::TextBox& box, const os::Field& field) {
  box.SetText(modMain::Trim(modBOL::PartyBuffer().View().Utf8Text(field)));
}

void ToRecord(const std::string& text, const os::Field& field) {
  modBOL::PartyBuffer().View().SetUtf8Text(field, text);
}

}  // namespace

frmBOL::PartyBlock frmBOL::Shipper() {
  return {&cboShipperName, bol::kShipperFile, &current_shipper_record_, &frmBOL::ShipperToRecord,
          &frmBOL::ClearShipperFields};
}
frmBOL::PartyBlock frmBOL::Consignee() {
  return {&cboConsigneeName, bol::kConsigneeFile, &current_consignee_record_,
          &frmBOL::ConsigneeToRecord, &frmBOL::ClearConsigneeFields};
}
frmBOL::PartyBlock frmBOL::ThirdParty() {
  return {&cboThirdPartyName, bol::kThirdPartyFile, &current_third_party_record_,
          &frmBOL::ThirdPartyToRecord, &frmBOL::ClearThirdPartyFields};
}

void frmBOL::FillLists() {
  const os::ConstRecordView d = modBOL::Defaults().View();
  modBOL::LoadPartyList(cboShipperName, bol::kShipperFile, d.I32(bol::defaults::kShipperDefault),
                        false);
  modBOL::LoadPartyList(cboConsigneeName, bol::kConsigneeFile,
                        d.I32(bol::defaults::kConsigneeDefault), false);
  modBOL::LoadPartyList(cboThirdPartyName, bol::kThirdPartyFile,
                        d.I32(bol::defaults::kThirdPartyDefault), false);
  modBOL::LoadProductList(cboProduct, d.I32(bol::defaults::kProductDefault), false);
}

void frmBOL::SelectDefaults() {
  const os::ConstRecordView d = modBOL::Defaults().View();
  // Selected afresh, so that an entry still selected from before is loaded again.
  for (forms::ComboBox* box : {&cboShipperName, &cboConsigneeName, &cboThirdPartyName, &cboProduct}) {
    if (box->ListIndex() >= 0) box->SetListIndex(-1);
  }
  modBOL::SelectByItemData(cboShipperName, d.I32(bol::defaults::kShipperDefault), false);
  modBOL::SelectByItemData(cboConsigneeName, d.I32(bol::defaults::kConsigneeDefault), false);
  modBOL::SelectByItemData(cboThirdPartyName, d.I32(bol::defaults::kThirdPartyDefault), false);
  modBOL::SelectByItemData(cboProduct, d.I32(bol::defaults::kProductDefault), false);
}

void frmBOL::PickParty(const PartyBlock& block) {
  forms::ComboBox& combo = *block.name;
  // Nothing chosen: the block keeps its record, so a later Delete or Save still knows it.
  if (combo.ListIndex() < 0) return;
  *block.record = combo.ItemData(combo.ListIndex());
  if (*block.record > 0) {
    if (!modBOL::ReadBookRecord(block.file, *block.record, modBOL::PartyBuffer().bytes)) return;
    if (block.name == &cboShipperName) {
      SetFromRecord(txtShipperAddress, party::kAddress);
      SetFromRecord(txtShipperCity, party::kCity);
      SetFromRecord(txtShipperState, party::kState);
      SetFromRecord(txtShipperZipCode, party::kZip);
      SetFromRecord(txtShipperCounty, party::kCounty);
      SetFromRecord(txtShipperPhone, party::kPhone);
      SetFromRecord(txtShipper, party::kShipperNumber);
      modBOL::CurrentBOL().View().SetUtf8Text(bol::bill::kShipperName, modMain::Trim(combo.Text()));
    } else if (block.name == &cboConsigneeName) {
      SetFromRecord(txtConsigneeAddress, party::kAddress);
      SetFromRecord(txtConsigneeCity, party::kCity);
      SetFromRecord(txtConsigneeState, party::kState);
      SetFromRecord(txtConsigneeZipCode, party::kZip);
      SetFromRecord(txtConsigneeCounty, party::kCounty);
      SetFromRecord(txtConsigneePhone, party::kPhone);
      modBOL::CurrentBOL().View().SetUtf8Text(bol::bill::kConsigneeName,
                                              modMain::Trim(combo.Text()));
    } else {
      SetFromRecord(txtThirdPartyAddress, party::kAddress);
      SetFromRecord(txtThirdPartyCity, party::kCity);
      SetFromRecord(txtThirdPartyState, party::kState);
      SetFromRecord(txtThirdPartyZipCode, party::kZip);
      modBOL::CurrentBOL().View().SetUtf8Text(bol::bill::kThirdPartyName,
                                              modMain::Trim(combo.Text()));
    }
  }
  bol_changed_ = true;
}

void frmBOL::PartyNameKeyPress(forms::ComboBox& box, int& key) {
  if (modBOL::LetterCount(box.Text()) >= kNameWidth && key != modMain::kKeyBackspace) {
    forms::Beep();
    key = 0;
  }
}

bool frmBOL::WritePartyRecord(forms::ComboBox& name, const char* file, std::int32_t& record) {
  bol::RecordBook book(modBOL::BookPath(file), party::kSize);
  std::string error;
  if (record == -1) {
    auto appended = book.Append(modBOL::PartyBuffer().bytes, &error);
    if (!appended) {
      modBOL::ShowFileError("The entry was not saved.\r\n" + error);
      return false;
    }
    record = *appended;
  } else if (!book.Write(record, modBOL::PartyBuffer().bytes, &error)) {
    modBOL::ShowFileError("The entry was not saved.\r\n" + error);
    return false;
  }
  modBOL::LoadPartyList(name, file, record, false);
  return true;
}

void frmBOL::SaveParty(const PartyBlock& block) {
  (this->*block.to_record)();
  WritePartyRecord(*block.name, block.file, *block.record);
}

void frmBOL::SaveAsParty(const PartyBlock& block) {
  (this->*block.to_record)();
  std::int32_t previous = *block.record;
  *block.record = -1;
  if (!WritePartyRecord(*block.name, block.file, *block.record)) *block.record = previous;
}

void frmBOL::DeleteParty(const PartyBlock& block) {
  // Only a record picked or written for this block can be deleted, and only its status
  // byte changes: the rest of the entry stays as stored.
  if (*block.record <= 0) return;
  bol::RecordBook book(modBOL::BookPath(block.file), party::kSize);
  std::string error;
  if (!book.WriteByte(*block.record, party::kStatus.offset, bol::kStatusDeleted, &error)) {
    modBOL::ShowFileError("The entry was not deleted.\r\n" + error);
    return;
  }
  bol::SetByte(modBOL::PartyBuffer().View(), party::kStatus, bol::kStatusDeleted);
  modBOL::LoadPartyList(*block.name, block.file, *block.record, false);
  // The emptied name combo says so in the bill too.
  const os::Field& bill_name = block.name == &cboShipperName     ? bol::bill::kShipperName
                               : block.name == &cboConsigneeName ? bol::bill::kConsigneeName
                                                                 : bol::bill::kThirdPartyName;
  modBOL::CurrentBOL().View().SetUtf8Text(bill_name, modMain::Trim(block.name->Text()));
  (this->*block.clear_fields)();
}

void frmBOL::ShipperToRecord() {
  modBOL::PartyBuffer() = bol::PartyRecord{};
  ToRecord(cboShipperName.Text(), party::kName);
  ToRecord(txtShipperAddress.Text(), party::kAddress);
  ToRecord(txtShipperCity.Text(), party::kCity);
  ToRecord(txtShipperCounty.Text(), party::kCounty);
  ToRecord(txtShipperState.Text(), party::kState);
  ToRecord(txtShipperZipCode.Text(), party::kZip);
  ToRecord(txtShipperPhone.Text(), party::kPhone);
  ToRecord(txtShipper.Text(), party::kShipperNumber);
}

void frmBOL::ConsigneeToRecord() {
  modBOL::PartyBuffer() = bol::PartyRecord{};
  ToRecord(cboConsigneeName.Text(), party::kName);
  ToRecord(txtConsigneeAddress.Text(), party::kAddress);
  ToRecord(txtConsigneeCity.Text(), party::kCity);
  ToRecord(txtConsigneeCounty.Text(), party::kCounty);
  ToRecord(txtConsigneeState.Text(), party::kState);
  ToRecord(txtConsigneeZipCode.Text(), party::kZip);
  ToRecord(txtConsigneePhone.Text(), party::kPhone);
  ToRecord("", party::kShipperNumber);
}

void frmBOL::ThirdPartyToRecord() {
  modBOL::PartyBuffer() = bol::PartyRecord{};
  ToRecord(cboThirdPartyName.Text(), party::kName);
  ToRecord(txtThirdPartyAddress.Text(), party::kAddress);
  ToRecord(txtThirdPartyCity.Text(), party::kCity);
  ToRecord("", party::kCounty);
  ToRecord(txtThirdPartyState.Text(), party::kState);
  ToRecord(txtThirdPartyZipCode.Text(), party::kZip);
  ToRecord("", party::kPhone);
  ToRecord("", party::kShipperNumber);
}

void frmBOL::ClearShipperFields() {
  for (forms::TextBox* box : {&txtShipperAddress, &txtShipperCity, &txtShipperState,
                              &txtShipperZipCode, &txtShipperCounty, &txtShipperPhone,
                              &txtShipper}) {
    box->SetText("");
  }
}

void frmBOL::ClearConsigneeFields() {
  for (forms::TextBox* box : {&txtConsigneeAddress, &txtConsigneeCity, &txtConsigneeState,
                              &txtConsigneeZipCode, &txtConsigneeCounty, &txtConsigneePhone}) {
    box->SetText("");
  }
}

void frmBOL::ClearThirdPartyFields() {
  for (forms::TextBox* box : {&txtThirdPartyAddress, &txtThirdPartyCity, &txtThirdPartyState,
                              &txtThirdPartyZipCode}) {
    box->SetText("");
  }
}

}  // namespace frelane
