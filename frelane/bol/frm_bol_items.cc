// frmBOL: the line items of the third page: the item list, the item editor with its
// packaging-code combos, the product pick, and storing, ignoring and deleting an item.
#include <string>

#include "frelane/bol/bol_records.h"
#include "frelane/bol/combo_limits.h"
#include "frelane/bol/frm_bol.h"
#include "frelane/bol/line_items.h"
#include "frelane/bol/mod_bol.h"
#include "frelane/core/field_helpers.h"
#include "frelane/core/form_helpers.h"
#include "platform/forms/application.h"

namespace frelane {
namespace {

namespace item = bol::item;
namespace msgbox = forms::msgbox;

constexpr int kCodeWidth = 2;

int ItemCount() { return bol::ByteOf(modBOL::CurrentBOL().View(), bol::bill::kItemCount); }
void SetItemCount(int n) {
  bol::SetByte(modBOL::CurrentBOL().View(), bol::bill::kItemCount, static_cast<std::uint8_t>(n));
}

std::string CountText(std::int32_t n) { return n == 0 ? "" : std::to_string(n); }

}  // namespace

void frmBOL::BindItemNumber(forms::TextBox& box, int max_length, int decimals) {
  box.on.Change = [this] { item_changed_ = true; };
  box.on.GotFocus = [&box] { modMain::SelectAllText(box); };
  box.on.KeyPress = [&box, max_length, decimals](int& key) {
    modMain::SetNumericKey(box, key, max_length, decimals);
    modMain::EnterAsTab(key);
  };
}

void frmBOL::BindItems() {
  Bind(btnAdd.on.Click, &frmBOL::btnAdd_Click);
  Bind(btnEdit.on.Click, &frmBOL::btnEdit_Click);
  Bind(lstDetails.on.DblClick, &frmBOL::lstDetails_DblClick);
  Bind(lstDetails.on.KeyPress, &frmBOL::lstDetails_KeyPress);
  Bind(btnSave.on.Click, &frmBOL::btnSave_Click);
  Bind(btnIgnore.on.Click, &frmBOL::btnIgnore_Click);
  Bind(btnDelete.on.Click, &frmBOL::btnDelete_Click);
  Bind(cboProduct.on.Click, &frmBOL::cboProduct_Click);
  cboProduct.on.Change = [this] { item_changed_ = true; };
  for (forms::ComboBox* box : {&cboHandlingUnitsType, &cboPackagesType}) {
    box->on.Change = [this, box] { TypeCombo_Change(*box); };
    box->on.KeyPress = [this, box](int& key) { TypeCombo_KeyPress(*box, key); };
    box->on.Click = [this, box] { TypeCombo_Click(*box); };
    box->on.GotFocus = [box] { modMain::SelectAllText(*box); };
  }
  chkHazardousMaterialsFlag.on.Click = [this] { item_changed_ = true; };
  Bind(chkHazardousMaterialsFlag.on.KeyPress, &frmBOL::chkHazardousMaterialsFlag_KeyPress);
  txtDescription.on.Change = [this] { item_changed_ = true; };
  txtDescription.on.GotFocus = [this] { modMain::SelectAllText(txtDescription); };
  BindItemNumber(txtHandlingUnits, 4, 0);
  BindItemNumber(txtNumberOfPackages, 4, 0);
  BindItemNumber(txtWeight, 6, 0);
  // The filter leaves room for "100.5"; the box's own length keeps the 4 characters stored.
  BindItemNumber(txtClass, 5, 1);
  BindItemNumber(txtCube, 6, 2);
}

void frmBOL::FillPackagingLists() {
  for (forms::ComboBox* box : {&cboHandlingUnitsType, &cboPackagesType}) {
    box->Clear();
    for (const char* code : bol::kPackagingCodes) box->AddItem(code);
  }
}

void frmBOL::FillDetailList() {
  lstDetails.Clear();
  for (int n = 1; n <= ItemCount(); ++n) {
    lstDetails.AddItem(bol::DetailLine(bol::ItemView(modBOL::CurrentBOL(), n)));
  }
}

void frmBOL::ShowLineItem() {
  os::ConstRecordView v = bol::ItemView(modBOL::CurrentBOL(), current_item_);
  cboProduct.SetText(modMain::Trim(v.Utf8Text(item::kProductName)));
  txtHandlingUnits.SetText(CountText(v.I32(item::kHandlingUnits)));
  cboHandlingUnitsType.SetText(modMain::Trim(v.Utf8Text(item::kHandlingUnitType)));
  txtNumberOfPackages.SetText(CountText(v.I32(item::kPackages)));
  cboPackagesType.SetText(modMain::Trim(v.Utf8Text(item::kPackageType)));
  chkHazardousMaterialsFlag.SetValue(bol::ByteOf(v, item::kHazmat) == 1 ? 1 : 0);
  txtDescription.SetText(modMain::Trim(v.Utf8Text(item::kDescription)));
  txtWeight.SetText(CountText(v.I32(item::kWeight)));
  txtClass.SetText(modMain::Trim(v.Utf8Text(item::kClass)));
  txtCube.SetText(bol::CubeText(v.FiniteF64(item::kCube)));
  item_opener_ = ActiveControl();
  ShowItemEditor(true);
  cboProduct.SetFocus();
  btnDelete.SetVisible(current_item_ <= ItemCount());
}

bool frmBOL::AskLoseItemChanges() {
  if (!item_changed_) return true;
  return forms::MsgBox("Really lose changes?", msgbox::kYesNo | msgbox::kQuestion) ==
         forms::MsgBoxResult::kYes;
}

void frmBOL::ShowItemEditor(bool shown) {
  item_changed_ = false;
  for (forms::Control* c : std::initializer_list<forms::Control*>{&mnuFile, &mnuEdit,
                                                                  &btnPrevious, &lstDetails}) {
    c->SetEnabled(!shown);
  }
  // The item editor lies over the list, its headings and the Add and Edit buttons.
  for (forms::Control* c : std::initializer_list<forms::Control*>{
           &lstDetails, &btnEdit, &btnAdd, &lblHandlingUnitsHeading, &lblUnitsNo, &lblUnitsType,
           &lblPackagesHeading, &lblPackagesNo, &lblPackagesType, &lblDescriptionHeading}) {
    c->SetVisible(!shown);
  }
  fraDetailDetail.SetVisible(shown);
}

void frmBOL::ReturnFocusFromItemEditor() {
  if (item_opener_ == nullptr || !item_opener_->SetFocus()) lstDetails.SetFocus();
  item_opener_ = nullptr;
}

void frmBOL::btnAdd_Click() {
  if (ItemCount() >= bol::bill::kMaxItems) {
    forms::MsgBox("Maximum of 20 line items per BOL");
    return;
  }
  current_item_ = ItemCount() + 1;
  ShowLineItem();
}

void frmBOL::btnEdit_Click() {
  if (lstDetails.ListIndex() < 0) {
    forms::MsgBox("You must select an item to edit");
    return;
  }
  lstDetails_DblClick();
}

void frmBOL::lstDetails_DblClick() {
  // Also reached by Enter in the list, which may have nothing selected.
  if (lstDetails.ListIndex() < 0) {
    forms::MsgBox("You must select an item to edit");
    return;
  }
  current_item_ = lstDetails.ListIndex() + 1;
  ShowLineItem();
}

void frmBOL::lstDetails_KeyPress(int& key) {
  if (key != modMain::kKeyEnter) return;
  key = 0;
  lstDetails_DblClick();
}

void frmBOL::btnSave_Click() {
  os::RecordView v = bol::ItemView(modBOL::CurrentBOL(), current_item_);
  v.SetUtf8Text(item::kProductName, modMain::Trim(cboProduct.Text()));
  v.SetI32(item::kHandlingUnits, bol::WholeNumberOf(txtHandlingUnits.Text()));
  v.SetUtf8Text(item::kHandlingUnitType, cboHandlingUnitsType.Text());
  v.SetI32(item::kPackages, bol::WholeNumberOf(txtNumberOfPackages.Text()));
  v.SetUtf8Text(item::kPackageType, cboPackagesType.Text());
  bol::SetByte(v, item::kHazmat, chkHazardousMaterialsFlag.Value() == 1 ? 1 : 0);
  v.SetUtf8Text(item::kDescription, modMain::Trim(txtDescription.Text()));
  v.SetI32(item::kWeight, bol::WholeNumberOf(txtWeight.Text()));
  v.SetUtf8Text(item::kClass, modMain::Trim(txtClass.Text()));
  std::string cube = modMain::Trim(txtCube.Text());
  v.SetF64(item::kCube, cube.empty() ? 0.0 : modMain::SafeValue(cube));
  if (ItemCount() < current_item_) SetItemCount(current_item_);
  ShowItemEditor(false);
  FillDetailList();
  bol_changed_ = true;
  ReturnFocusFromItemEditor();
}

void frmBOL::btnIgnore_Click() {
  if (!AskLoseItemChanges()) return;
  ShowItemEditor(false);
  ReturnFocusFromItemEditor();
}

void frmBOL::btnDelete_Click() {
  if (forms::MsgBox("Are you sure you want to delete this item?",
                    msgbox::kYesNo | msgbox::kQuestion) != forms::MsgBoxResult::kYes) {
    return;
  }
  bol::BOLRecord& bill = modBOL::CurrentBOL();
  for (int i = current_item_; i < bol::bill::kMaxItems; ++i) {
    os::RecordView to = bol::ItemView(bill, i);
    os::ConstRecordView from = bol::ItemView(bill, i + 1);
    std::copy(from.bytes().begin(), from.bytes().end(), to.bytes().begin());
  }
  modBOL::ClearLineItem(bol::bill::kMaxItems);
  current_item_ = 0;
  if (ItemCount() > 0) SetItemCount(ItemCount() - 1);
  ShowItemEditor(false);
  FillDetailList();
  bol_changed_ = true;
  ReturnFocusFromItemEditor();
}

void frmBOL::cboProduct_Click() {
  if (cboProduct.ListIndex() < 0) {
    current_product_record_ = 0;
    return;
  }
  current_product_record_ = cboProduct.ItemData(cboProduct.ListIndex());
  bol::ProductRecord& product = modBOL::ProductBuffer();
  if (!modBOL::ReadBookRecord(bol::kProductFile, current_product_record_, product.bytes)) return;
  os::ConstRecordView p = product.View();
  // Stored codes are blank-padded to 4: the padding is not part of the code.
  cboHandlingUnitsType.SetText(modMain::Trim(p.Utf8Text(bol::product::kHandlingUnitType)));
  cboPackagesType.SetText(modMain::Trim(p.Utf8Text(bol::product::kPackageType)));
  chkHazardousMaterialsFlag.SetValue(bol::ByteOf(p, bol::product::kHazmat) == 1 ? 1 : 0);
  txtDescription.SetText(modMain::Trim(p.Utf8Text(bol::product::kDescription)));
  txtClass.SetText(modMain::Trim(p.Utf8Text(bol::product::kClass)).substr(0, 4));
  if (modMain::SafeValue(txtHandlingUnits.Text()) == 0) txtHandlingUnits.SetText("1");
  if (modMain::SafeValue(txtNumberOfPackages.Text()) == 0) txtNumberOfPackages.SetText("1");
  auto weight = bol::PackagesWeight(modMain::SafeValue(txtNumberOfPackages.Text()),
                                    p.I32(bol::product::kWeightPerPackage));
  if (weight) {
    txtWeight.SetText(std::to_string(*weight));
  } else {
    forms::MsgBox("The weight of these packages is above 999,999 lb: enter the weight by hand.",
                  msgbox::kOKOnly | msgbox::kExclamation);
  }
  bol_changed_ = true;
}

void frmBOL::TypeCombo_Change(forms::ComboBox& box) {
  bol::CutToWidth(box, kCodeWidth);
  item_changed_ = true;
}

void frmBOL::TypeCombo_KeyPress(forms::ComboBox& box, int& key) {
  bol::RefuseKeyAtWidth(box, key, kCodeWidth);
}

void frmBOL::TypeCombo_Click(forms::ComboBox& box) {
  item_changed_ = true;
  box.SetText(box.Text().substr(0, kCodeWidth));
}

void frmBOL::chkHazardousMaterialsFlag_KeyPress(int& key) {
  if (key != 'x' && key != 'X') return;
  chkHazardousMaterialsFlag.SetValue(chkHazardousMaterialsFlag.Value() == 1 ? 0 : 1);
}

}  // namespace frelane
