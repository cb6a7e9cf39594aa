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
  return {&cboShipperName, bol::kShipperFile, &current_shipper_record_, &bol::bill::kShipperName,
          {{&txtShipperAddress, &party::kAddress}, {&txtShipperCity, &party::kCity},
           {&txtShipperState, &party::kState}, {&txtShipperZipCode, &party::kZip},
           {&txtShipperCounty, &party::kCounty}, {&txtShipperPhone, &party::kPhone},
           {&txtShipper, &party::kShipperNumber}}};
}
frmBOL::PartyBlock frmBOL::Consignee() {
  return {&cboConsigneeName, bol::kConsigneeFile, &current_consignee_record_,
          &bol::bill::kConsigneeName,
          {{&txtConsigneeAddress, &party::kAddress}, {&txtConsigneeCity, &party::kCity},
           {&txtConsigneeState, &party::kState}, {&txtConsigneeZipCode, &party::kZip},
           {&txtConsigneeCounty, &party::kCounty}, {&txtConsigneePhone, &party::kPhone}}};
}
frmBOL::PartyBlock frmBOL::ThirdParty() {
  return {&cboThirdPartyName, bol::kThirdPartyFile, &current_third_party_record_,
          &bol::bill::kThirdPartyName,
          {{&txtThirdPartyAddress, &party::kAddress}, {&txtThirdPartyCity, &party::kCity},
           {&txtThirdPartyState, &party::kState}, {&txtThirdPartyZipCode, &party::kZip}}};
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
    for (const PartyBox& b : block.boxes) SetFromRecord(*b.box, *b.field);
    modBOL::CurrentBOL().View().SetUtf8Text(*block.bill_name, modMain::Trim(combo.Text()));
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
  PartyToRecord(block);
  WritePartyRecord(*block.name, block.file, *block.record);
}

void frmBOL::SaveAsParty(const PartyBlock& block) {
  PartyToRecord(block);
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
  modBOL::CurrentBOL().View().SetUtf8Text(*block.bill_name, modMain::Trim(block.name->Text()));
  for (const PartyBox& b : block.boxes) b.box->SetText("");
}

void frmBOL::PartyToRecord(const PartyBlock& block) {
  modBOL::PartyBuffer() = bol::PartyRecord{};
  // A field the block does not show is stored blank.
  for (const os::Field* field : {&party::kName, &party::kAddress, &party::kCity, &party::kCounty,
                                 &party::kState, &party::kZip, &party::kPhone,
                                 &party::kShipperNumber}) {
    ToRecord("", *field);
  }
  ToRecord(block.name->Text(), party::kName);
  for (const PartyBox& b : block.boxes) ToRecord(b.box->Text(), *b.field);
}

}  // namespace frelane
