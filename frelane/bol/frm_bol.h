// frmBOL: the editor of one straight bill of lading, on three pages (the header, the
// declared value, notify and instructions, the line items) with Previous and Next. Every
// edit goes straight into modBOL's current bill; the form keeps the changed flag, the
// record numbers the three address-book blocks were picked from, and the item editor's
// state. The file commands (new, open, save, save as, delete, close) and the address-book
// commands are on its menus.
#ifndef FRELANE_BOL_FRM_BOL_H_
#define FRELANE_BOL_FRM_BOL_H_

#include <cstdint>
#include <string>
#include <vector>

#include "platform/forms/forms.h"
#include "platform/os/record_layout.h"

namespace frelane {

class frmBOL : public forms::Form {
 public:
  frmBOL();

  // Form procedures.
  void ShowBOL();
  bool SaveBOL();
  bool AskSaveChanges();
  bool ValidateBOL();
  bool ValidateDate(const std::string& text);
  // False (after a message) when the bill could not be opened; the editor is then unchanged.
  bool ReadBOLFile(const std::string& file_name);
  bool WriteBOLFile(const std::string& file_name);
  void FillLists();
  void SelectDefaults();
  void FillDetailList();
  void ShowLineItem();
  void FillPackagingLists();
  bool AskLoseItemChanges();

  bool BOLChanged() const { return bol_changed_; }
  std::int32_t CurrentShipperRecord() const { return current_shipper_record_; }
  std::int32_t CurrentConsigneeRecord() const { return current_consignee_record_; }
  std::int32_t CurrentThirdPartyRecord() const { return current_third_party_record_; }
  int CurrentItem() const { return current_item_; }
  std::int32_t CurrentProductRecord() const { return current_product_record_; }

  // Page 1: the header.
  forms::Frame& fraHeader = Add<forms::Frame>("fraHeader", {120, 60, 9240, 5760}, {});
  forms::Label& lblBOL = Label("lblBOL", fraHeader, {120, 270, 600, 255}, "BOL #");
  forms::TextBox& txtBOL = Box("txtBOL", fraHeader, {720, 240, 2160, 285}, 25);
  forms::Label& lblShipmentDate = Label("lblShipmentDate", fraHeader, {3000, 270, 480, 255}, "Date");
  forms::TextBox& txtShipmentDate = Box("txtShipmentDate", fraHeader, {3480, 240, 1200, 285}, 10);
  forms::Label& lblCarriersProNumber =
      Label("lblCarriersProNumber", fraHeader, {4800, 270, 1320, 255}, "Carrier's Pro #");
  forms::TextBox& txtCarriersProNumber =
      Box("txtCarriersProNumber", fraHeader, {6120, 240, 2880, 285}, 25);

  forms::Label& lblShipperFrom =
      Label("lblShipperFrom", fraHeader, {120, 600, 2400, 255}, "Shipper (from)");
  forms::Label& lblShipperName = Label("lblShipperName", fraHeader, {120, 870, 840, 255}, "Name");
  forms::ComboBox& cboShipperName = Add<forms::ComboBox>(
      "cboShipperName", {960, 840, 3420, 315}, {.container = &fraHeader});
  forms::Label& lblShipperAddress = Label("lblShipperAddress", fraHeader, {120, 1200, 840, 255}, "Address");
  forms::TextBox& txtShipperAddress = Box("txtShipperAddress", fraHeader, {960, 1170, 3420, 285}, 35);
  forms::Label& lblShipperCity = Label("lblShipperCity", fraHeader, {120, 1500, 840, 255}, "City");
  forms::TextBox& txtShipperCity = Box("txtShipperCity", fraHeader, {960, 1470, 3420, 285}, 25);
  forms::Label& lblShipperState = Label("lblShipperState", fraHeader, {120, 1800, 840, 255}, "State");
  forms::TextBox& txtShipperState = Box("txtShipperState", fraHeader, {960, 1770, 480, 285}, 2);
  forms::Label& lblShipperZip = Label("lblShipperZip", fraHeader, {1620, 1800, 420, 255}, "Zip");
  forms::TextBox& txtShipperZipCode = Box("txtShipperZipCode", fraHeader, {2040, 1770, 900, 285}, 6);
  forms::Label& lblShipperCounty = Label("lblShipperCounty", fraHeader, {120, 2100, 840, 255}, "County");
  forms::TextBox& txtShipperCounty = Box("txtShipperCounty", fraHeader, {960, 2070, 3420, 285}, 25);
  forms::Label& lblShipperPhone = Label("lblShipperPhone", fraHeader, {120, 2400, 840, 255}, "Phone");
  forms::TextBox& txtShipperPhone = Box("txtShipperPhone", fraHeader, {960, 2370, 3420, 285}, 25);
  forms::Label& lblShipper = Label("lblShipper", fraHeader, {120, 2700, 840, 255}, "Shipper #");
  forms::TextBox& txtShipper = Box("txtShipper", fraHeader, {960, 2670, 3420, 285}, 25);

  forms::Label& lblConsigneeTo =
      Label("lblConsigneeTo", fraHeader, {4680, 600, 2400, 255}, "Consignee (to)");
  forms::Label& lblConsigneeName = Label("lblConsigneeName", fraHeader, {4680, 870, 840, 255}, "Name");
  forms::ComboBox& cboConsigneeName = Add<forms::ComboBox>(
      "cboConsigneeName", {5520, 840, 3420, 315}, {.container = &fraHeader});
  forms::Label& lblConsigneeAddress =
      Label("lblConsigneeAddress", fraHeader, {4680, 1200, 840, 255}, "Address");
  forms::TextBox& txtConsigneeAddress =
      Box("txtConsigneeAddress", fraHeader, {5520, 1170, 3420, 285}, 35);
  forms::Label& lblConsigneeCity = Label("lblConsigneeCity", fraHeader, {4680, 1500, 840, 255}, "City");
  forms::TextBox& txtConsigneeCity = Box("txtConsigneeCity", fraHeader, {5520, 1470, 3420, 285}, 25);
  forms::Label& lblConsigneeState = Label("lblConsigneeState", fraHeader, {4680, 1800, 840, 255}, "State");
  forms::TextBox& txtConsigneeState = Box("txtConsigneeState", fraHeader, {5520, 1770, 480, 285}, 2);
  forms::Label& lblConsigneeZip = Label("lblConsigneeZip", fraHeader, {6180, 1800, 420, 255}, "Zip");
  forms::TextBox& txtConsigneeZipCode =
      Box("txtConsigneeZipCode", fraHeader, {6600, 1770, 900, 285}, 6);
  forms::Label& lblConsigneeCounty = Label("lblConsigneeCounty", fraHeader, {4680, 2100, 840, 255}, "County");
  forms::TextBox& txtConsigneeCounty = Box("txtConsigneeCounty", fraHeader, {5520, 2070, 3420, 285}, 25);
  forms::Label& lblConsigneePhone = Label("lblConsigneePhone", fraHeader, {4680, 2400, 840, 255}, "Phone");
  forms::TextBox& txtConsigneePhone = Box("txtConsigneePhone", fraHeader, {5520, 2370, 3420, 285}, 25);
  forms::Label& lblConsigneePO = Label("lblConsigneePO", fraHeader, {4680, 2700, 840, 255}, "PO #");
  forms::TextBox& txtConsigneePO = Box("txtConsigneePO", fraHeader, {5520, 2670, 3420, 285}, 25);

  forms::Frame& fraFreightPaidBy = Add<forms::Frame>(
      "fraFreightPaidBy", {120, 3060, 3480, 1140},
      {.container = &fraHeader, .caption = "Freight Charges to be Paid by:"});
  forms::ControlArray<forms::OptionButton>& optFreightChargesPaidBy =
      AddArray<forms::OptionButton>("optFreightChargesPaidBy");
  forms::Label& lblThirdParty = Label("lblThirdParty", fraHeader, {3720, 3060, 2400, 255}, "3RD Party ");
  forms::Label& lblThirdPartyName = Label("lblThirdPartyName", fraHeader, {3720, 3330, 840, 255}, "Name");
  forms::ComboBox& cboThirdPartyName = Add<forms::ComboBox>(
      "cboThirdPartyName", {4500, 3300, 1860, 315}, {.container = &fraHeader});
  forms::Label& lblThirdPartyAddress =
      Label("lblThirdPartyAddress", fraHeader, {3720, 3660, 780, 255}, "Address");
  forms::TextBox& txtThirdPartyAddress =
      Box("txtThirdPartyAddress", fraHeader, {4500, 3630, 1860, 285}, 35);
  forms::Label& lblThirdPartyCity = Label("lblThirdPartyCity", fraHeader, {3720, 3960, 780, 255}, "City");
  forms::TextBox& txtThirdPartyCity = Box("txtThirdPartyCity", fraHeader, {4500, 3930, 1860, 285}, 25);
  forms::Label& lblThirdPartyState = Label("lblThirdPartyState", fraHeader, {3720, 4260, 780, 255}, "State");
  forms::TextBox& txtThirdPartyState = Box("txtThirdPartyState", fraHeader, {4500, 4230, 480, 285}, 2);
  forms::Label& lblThirdPartyZip = Label("lblThirdPartyZip", fraHeader, {5040, 4260, 360, 255}, "Zip");
  forms::TextBox& txtThirdPartyZipCode =
      Box("txtThirdPartyZipCode", fraHeader, {5400, 4230, 960, 285}, 6);

  forms::Frame& fraCOD = Add<forms::Frame>("fraCOD", {6420, 3060, 2760, 2640},
                                           {.container = &fraHeader, .caption = "COD"});
  forms::Label& lblCODDollar = Label("lblCODDollar", fraCOD, {120, 270, 180, 255}, "$");
  forms::TextBox& txtCODAmount = Box("txtCODAmount", fraCOD, {300, 240, 1320, 285}, 10);
  forms::CheckBox& chkCashiersCheckOnly =
      Check("chkCashiersCheckOnly", fraCOD, {120, 600, 2280, 255}, "Cashier's Check Only");
  forms::CheckBox& chkConsigneeCheckOK =
      Check("chkConsigneeCheckOK", fraCOD, {120, 870, 2280, 255}, "Consignee Check OK");
  forms::Frame& fraCODFee = Add<forms::Frame>("fraCODFee", {120, 1170, 2580, 555},
                                              {.container = &fraCOD, .caption = "COD Fee"});
  forms::CheckBox& chkCODFeePrepaid =
      Check("chkCODFeePrepaid", fraCODFee, {120, 240, 1000, 255}, "Prepaid");
  forms::CheckBox& chkCODFeeCollect =
      Check("chkCODFeeCollect", fraCODFee, {1160, 240, 1000, 255}, "Collect");
  forms::Frame& fraRemitTo = Add<forms::Frame>("fraRemitTo", {120, 1800, 2580, 780},
                                               {.container = &fraCOD, .caption = "Remit to:"});
  forms::CheckBox& chkRemitCODToShipper =
      Check("chkRemitCODToShipper", fraRemitTo, {60, 240, 2040, 240}, "Shipper");
  forms::CheckBox& chkRemitCODToThirdParty = Check(
      "chkRemitCODToThirdParty", fraRemitTo, {60, 480, 2460, 240}, "3RD Party As shown Above");

  // Page 2: declared value, the two questions, notify, special instructions.
  forms::Frame& fraHeader2 =
      Add<forms::Frame>("fraHeader2", {120, 60, 9240, 5760}, {.visible = false});
  forms::Frame& fraDeclaredValue = Add<forms::Frame>(
      "fraDeclaredValue", {120, 240, 4200, 720},
      {.container = &fraHeader2, .caption = "Declared Value:"});
  forms::Label& lblDeclaredDollar = Label("lblDeclaredDollar", fraDeclaredValue, {120, 330, 180, 255}, "$");
  forms::TextBox& txtDeclaredValue = Box("txtDeclaredValue", fraDeclaredValue, {300, 300, 1200, 285}, 6);
  forms::Label& lblDeclaredPer = Label("lblDeclaredPer", fraDeclaredValue, {1680, 330, 420, 255}, "per");
  forms::TextBox& txtDeclaredValuePer =
      Box("txtDeclaredValuePer", fraDeclaredValue, {2100, 300, 1200, 285}, 6);
  forms::Frame& fraSection7Signed = Add<forms::Frame>(
      "fraSection7Signed", {4500, 240, 2100, 720},
      {.container = &fraHeader2, .caption = "Sec. 7 Signed?"});
  forms::ControlArray<forms::OptionButton>& optSection7Signed =
      AddArray<forms::OptionButton>("optSection7Signed");
  forms::Frame& fraNotify = Add<forms::Frame>(
      "fraNotify", {120, 1140, 9000, 1080},
      {.container = &fraHeader2, .caption = "Notify if problem enroute or at delivery:"});
  forms::Label& lblNotifyName = Label("lblNotifyName", fraNotify, {120, 330, 540, 255}, "Name");
  forms::TextBox& txtNotifyName = Box("txtNotifyName", fraNotify, {660, 300, 2400, 285}, 25);
  forms::Label& lblNotifyFax = Label("lblNotifyFax", fraNotify, {3180, 330, 420, 255}, "Fax");
  forms::TextBox& txtNotifyFax = Box("txtNotifyFax", fraNotify, {3600, 300, 2160, 285}, 25);
  forms::Label& lblNotifyPhone = Label("lblNotifyPhone", fraNotify, {5880, 330, 600, 255}, "Phone");
  forms::TextBox& txtNotifyPhone = Box("txtNotifyPhone", fraNotify, {6480, 300, 2400, 285}, 25);
  forms::Frame& fraSingleShipment = Add<forms::Frame>(
      "fraSingleShipment", {6780, 240, 2340, 720},
      {.container = &fraHeader2, .caption = "Single Shipment?"});
  forms::ControlArray<forms::OptionButton>& optSingleShipment =
      AddArray<forms::OptionButton>("optSingleShipment");
  forms::Frame& fraSpecialInstructions = Add<forms::Frame>(
      "fraSpecialInstructions", {120, 2400, 9000, 3180},
      {.container = &fraHeader2, .caption = "Special Instructions"});
  forms::TextBox& txtSpecialInstructions = Add<forms::TextBox>(
      "txtSpecialInstructions", {120, 300, 8760, 2760},
      {.container = &fraSpecialInstructions, .max_length = 250, .multi_line = true});

  // Page 3: the line items.
  forms::Frame& fraDetail =
      Add<forms::Frame>("fraDetail", {120, 60, 9240, 5760}, {.visible = false});
  forms::Label& lblHandlingUnitsHeading =
      Label("lblHandlingUnitsHeading", fraDetail, {120, 120, 1200, 255}, "Handling Units");
  forms::Label& lblUnitsNo = Label("lblUnitsNo", fraDetail, {180, 360, 480, 255}, "No.");
  forms::Label& lblUnitsType = Label("lblUnitsType", fraDetail, {780, 360, 600, 255}, "Type");
  forms::Label& lblPackagesHeading =
      Label("lblPackagesHeading", fraDetail, {1560, 120, 1080, 255}, "Packages");
  forms::Label& lblPackagesNo = Label("lblPackagesNo", fraDetail, {1680, 360, 480, 255}, "No.");
  forms::Label& lblPackagesType = Label("lblPackagesType", fraDetail, {2160, 360, 600, 255}, "Type");
  forms::Label& lblDescriptionHeading =
      Label("lblDescriptionHeading", fraDetail, {2745, 360, 1200, 255}, "Description");
  forms::ListBox& lstDetails = Add<forms::ListBox>(
      "lstDetails", {120, 600, 9000, 4440},
      {.container = &fraDetail, .font_name = "Courier New", .font_size = 8.25});
  forms::CommandButton& btnEdit = Add<forms::CommandButton>(
      "btnEdit", {6480, 5160, 1200, 375}, {.container = &fraDetail, .caption = "Edit"});
  forms::CommandButton& btnAdd = Add<forms::CommandButton>(
      "btnAdd", {7800, 5160, 1200, 375}, {.container = &fraDetail, .caption = "Add"});

  // The item editor, over the list while an item is open.
  forms::Frame& fraDetailDetail = Add<forms::Frame>(
      "fraDetailDetail", {60, 60, 9120, 5640}, {.container = &fraDetail, .visible = false});
  forms::Label& lblProduct = Label("lblProduct", fraDetailDetail, {120, 270, 1500, 255}, "Select a Product");
  forms::ComboBox& cboProduct = Add<forms::ComboBox>(
      "cboProduct", {1680, 240, 5400, 315}, {.container = &fraDetailDetail});
  forms::Label& lblItemUnits =
      Label("lblItemUnits", fraDetailDetail, {120, 660, 1800, 255}, "Handling Units");
  forms::Label& lblItemUnitsNo = Label("lblItemUnitsNo", fraDetailDetail, {120, 930, 420, 255}, "No.");
  forms::TextBox& txtHandlingUnits =
      Box("txtHandlingUnits", fraDetailDetail, {540, 900, 720, 285}, 4);
  forms::Label& lblItemUnitsType = Label("lblItemUnitsType", fraDetailDetail, {1320, 930, 480, 255}, "Type");
  forms::ComboBox& cboHandlingUnitsType = Add<forms::ComboBox>(
      "cboHandlingUnitsType", {1800, 900, 1035, 315}, {.container = &fraDetailDetail});
  forms::Label& lblItemPackages =
      Label("lblItemPackages", fraDetailDetail, {3120, 660, 1800, 255}, "Packages");
  forms::Label& lblItemPackagesNo = Label("lblItemPackagesNo", fraDetailDetail, {3120, 930, 420, 255}, "No.");
  forms::TextBox& txtNumberOfPackages =
      Box("txtNumberOfPackages", fraDetailDetail, {3540, 900, 720, 285}, 4);
  forms::Label& lblItemPackagesType =
      Label("lblItemPackagesType", fraDetailDetail, {4320, 930, 480, 255}, "Type");
  forms::ComboBox& cboPackagesType = Add<forms::ComboBox>(
      "cboPackagesType", {4800, 900, 1035, 315}, {.container = &fraDetailDetail});
  forms::Label& lblHazmat = Label("lblHazmat", fraDetailDetail, {6120, 660, 600, 255}, "HM");
  forms::CheckBox& chkHazardousMaterialsFlag =
      Check("chkHazardousMaterialsFlag", fraDetailDetail, {6120, 900, 720, 255}, "(X)");
  forms::Label& lblDescription = Add<forms::Label>(
      "lblDescription", {120, 1320, 8880, 435},
      {.container = &fraDetailDetail,
       .caption = " Kind of Packaging, Description of Articles (as descr. in NMFC), NMFC "
                  "Item#;Special Marks and Exceptions",
       .word_wrap = true});
  forms::TextBox& txtDescription = Add<forms::TextBox>(
      "txtDescription", {120, 1800, 8880, 1800},
      {.container = &fraDetailDetail, .max_length = 250, .multi_line = true});
  forms::Label& lblWeight =
      Label("lblWeight", fraDetailDetail, {120, 3720, 2040, 255}, "Weight");
  forms::Label& lblWeightNote =
      Label("lblWeightNote", fraDetailDetail, {120, 3960, 2040, 255}, "Subject to Correction");
  forms::TextBox& txtWeight = Box("txtWeight", fraDetailDetail, {120, 4230, 1200, 285}, 6);
  forms::Label& lblClass = Label("lblClass", fraDetailDetail, {2400, 3960, 900, 255}, "Class");
  // Four characters: what the record keeps of a class.
  forms::TextBox& txtClass = Box("txtClass", fraDetailDetail, {2400, 4230, 900, 285}, 4);
  forms::Label& lblCube = Label("lblCube", fraDetailDetail, {3600, 3960, 1500, 255}, "Cube (Optional)");
  forms::TextBox& txtCube = Box("txtCube", fraDetailDetail, {3600, 4230, 1200, 285}, 6);
  forms::CommandButton& btnSave = Add<forms::CommandButton>(
      "btnSave", {5280, 5040, 1140, 375}, {.container = &fraDetailDetail, .caption = "Save"});
  forms::CommandButton& btnIgnore = Add<forms::CommandButton>(
      "btnIgnore", {6540, 5040, 1140, 375}, {.container = &fraDetailDetail, .caption = "Ignore"});
  forms::CommandButton& btnDelete = Add<forms::CommandButton>(
      "btnDelete", {7800, 5040, 1140, 375}, {.container = &fraDetailDetail, .caption = "Delete"});

  // Below the pages.
  forms::CommandButton& btnPrevious = Add<forms::CommandButton>(
      "btnPrevious", {6600, 5940, 1200, 375}, {.caption = "Previous", .visible = false});
  forms::CommandButton& btnNext =
      Add<forms::CommandButton>("btnNext", {7920, 5940, 1200, 375}, {.caption = "Next"});
  // Its focus handler opens the help.
  forms::TextBox& txtTemp = Add<forms::TextBox>("txtTemp", {-2000, 5940, 300, 285},
                                                {.tab_stop = false});

  // Menus.
  forms::Menu& mnuFile = Add<forms::Menu>("mnuFile", {}, {.caption = "&File"});
  forms::Menu& mnuFileNewBOL = Item("mnuFileNewBOL", mnuFile, "&New BOL");
  forms::Menu& mnuFileOpenBOL = Item("mnuFileOpenBOL", mnuFile, "&Open BOL");
  forms::Menu& mnuFileSep1 = Item("mnuFileSep1", mnuFile, "-");
  forms::Menu& mnuFileSave = Item("mnuFileSave", mnuFile, "&Save");
  forms::Menu& mnuFileSaveBOL = Item("mnuFileSaveBOL", mnuFileSave, "&BOL");
  forms::Menu& mnuFileSaveShipper = Item("mnuFileSaveShipper", mnuFileSave, "&Shipper");
  forms::Menu& mnuFileSaveConsignee = Item("mnuFileSaveConsignee", mnuFileSave, "&Consignee");
  forms::Menu& mnuFileSaveThirdParty = Item("mnuFileSaveThirdParty", mnuFileSave, "&3RD Party");
  forms::Menu& mnuFileSaveAs = Item("mnuFileSaveAs", mnuFile, "Save &As");
  forms::Menu& mnuFileSaveAsBOL = Item("mnuFileSaveAsBOL", mnuFileSaveAs, "New &BOL");
  forms::Menu& mnuFileSaveAsShipper = Item("mnuFileSaveAsShipper", mnuFileSaveAs, "New &Shipper");
  forms::Menu& mnuFileSaveAsConsignee =
      Item("mnuFileSaveAsConsignee", mnuFileSaveAs, "New &Consignee");
  forms::Menu& mnuFileSaveAsThirdParty =
      Item("mnuFileSaveAsThirdParty", mnuFileSaveAs, "New &3RD Party");
  forms::Menu& mnuFileSep2 = Item("mnuFileSep2", mnuFile, "-");
  forms::Menu& mnuFileImport = Item("mnuFileImport", mnuFile, "&Import");
  forms::Menu& mnuFileSep3 = Item("mnuFileSep3", mnuFile, "-");
  forms::Menu& mnuFilePrint = Item("mnuFilePrint", mnuFile, "&Print");
  forms::Menu& mnuFileSep4 = Item("mnuFileSep4", mnuFile, "-");
  forms::Menu& mnuExit = Item("mnuExit", mnuFile, "E&xit ");
  forms::Menu& mnuEdit = Add<forms::Menu>("mnuEdit", {}, {.caption = "&Edit"});
  forms::Menu& mnuEditDefaults = Item("mnuEditDefaults", mnuEdit, "&Defaults");
  forms::Menu& mnuEditDelete = Item("mnuEditDelete", mnuEdit, "De&lete");
  forms::Menu& mnuEditDeleteBOL = Item("mnuEditDeleteBOL", mnuEditDelete, "&BOL");
  forms::Menu& mnuEditDeleteShipper = Item("mnuEditDeleteShipper", mnuEditDelete, "&Shipper");
  forms::Menu& mnuEditDeleteConsignee =
      Item("mnuEditDeleteConsignee", mnuEditDelete, "&Consignee");
  forms::Menu& mnuEditDeleteThirdParty =
      Item("mnuEditDeleteThirdParty", mnuEditDelete, "&Third Party");
  forms::Menu& mnuEditProducts = Item("mnuEditProducts", mnuEdit, "&Products");
  forms::Menu& mnuHelp = Add<forms::Menu>("mnuHelp", {}, {.caption = "&Help"});

 private:
  // One address-book block of the header: its name combo, book and record in hand, the
  // bill's field of the name, and the boxes of the other party fields it shows, in the
  // order they are filled and cleared.
  struct PartyBox {
    forms::TextBox* box;
    const os::Field* field;
  };
  struct PartyBlock {
    forms::ComboBox* name;
    const char* file;
    std::int32_t* record;
    const os::Field* bill_name;
    std::vector<PartyBox> boxes;
  };

  void Form_Load() override;
  void Form_Unload(bool& cancel) override;
  void Form_KeyPress(int& key_ascii) override;

  void BindHeader();
  void BindItems();
  void BindMenus();
  // A header text box: its text, trimmed, goes into `field` of the bill on each change.
  void BindField(forms::TextBox& box, const os::Field& field);
  void BindNameCombo(forms::ComboBox& box, const os::Field& field);
  void BindCheckPair(forms::CheckBox& box, forms::CheckBox& partner, const os::Field& field);
  void StoreOption(forms::ControlArray<forms::OptionButton>& group, const os::Field& field);
  void ShowText(forms::TextBox& box, const os::Field& field);
  void ShowPage(int page);
  void ResetPartyRecords();

  void txtShipmentDate_LostFocus();
  void txtCODAmount_Change();
  void txtCODAmount_KeyPress(int& key);
  void txtDeclaredValue_KeyPress(int& key);
  void btnNext_Click();
  void btnPrevious_Click();
  void txtTemp_GotFocus();

  void mnuFileNewBOL_Click();
  void mnuFileOpenBOL_Click();
  void mnuFileSaveBOL_Click();
  void mnuFileSaveAsBOL_Click();
  void mnuFileImport_Click();
  void mnuFilePrint_Click();
  void mnuExit_Click();
  void mnuEditDefaults_Click();
  void mnuEditDeleteBOL_Click();
  void mnuEditProducts_Click();
  void mnuHelp_Click();

  // Address books.
  PartyBlock Shipper();
  PartyBlock Consignee();
  PartyBlock ThirdParty();
  void PickParty(const PartyBlock& block);
  void SaveParty(const PartyBlock& block);
  void SaveAsParty(const PartyBlock& block);
  void DeleteParty(const PartyBlock& block);
  bool WritePartyRecord(forms::ComboBox& name, const char* file, std::int32_t& record);
  void PartyNameKeyPress(forms::ComboBox& box, int& key);
  // The block's name and boxes into the party buffer.
  void PartyToRecord(const PartyBlock& block);

  // Line items.
  void btnAdd_Click();
  void btnEdit_Click();
  void lstDetails_DblClick();
  void lstDetails_KeyPress(int& key);
  void btnSave_Click();
  void btnIgnore_Click();
  void btnDelete_Click();
  void cboProduct_Click();
  void TypeCombo_Change(forms::ComboBox& box);
  void TypeCombo_KeyPress(forms::ComboBox& box, int& key);
  void TypeCombo_Click(forms::ComboBox& box);
  void chkHazardousMaterialsFlag_KeyPress(int& key);
  void BindItemNumber(forms::TextBox& box, int max_length, int decimals);
  // Shows the item editor over the detail list, its item not yet changed, or hides it; the
  // menus, Previous and the list are locked while it is up.
  void ShowItemEditor(bool shown);
  // Once the item editor is hidden: the focus goes back to the control that opened it (the
  // list, Add or Edit), else to the list, since the focused button went with the editor.
  void ReturnFocusFromItemEditor();

  forms::Label& Label(const char* name, forms::Control& container, const forms::Rect& rect,
                      const char* caption) {
    return Add<forms::Label>(name, rect, {.container = &container, .caption = caption});
  }
  forms::TextBox& Box(const char* name, forms::Control& container, const forms::Rect& rect,
                      int max_length) {
    return Add<forms::TextBox>(name, rect, {.container = &container, .max_length = max_length});
  }
  forms::CheckBox& Check(const char* name, forms::Control& container, const forms::Rect& rect,
                         const char* caption) {
    return Add<forms::CheckBox>(name, rect, {.container = &container, .caption = caption});
  }
  forms::Menu& Item(const char* name, forms::Menu& menu, const char* caption) {
    return Add<forms::Menu>(name, {}, {.container = &menu, .caption = caption});
  }

  bool bol_changed_ = false;
  std::int32_t current_shipper_record_ = -1;
  std::int32_t current_consignee_record_ = -1;
  std::int32_t current_third_party_record_ = -1;
  int current_item_ = 0;
  forms::Control* item_opener_ = nullptr;
  bool item_changed_ = false;
  std::int32_t current_product_record_ = 0;
  bool validating_date_ = false;
};

}  // namespace frelane

#endif  // FRELANE_BOL_FRM_BOL_H_
