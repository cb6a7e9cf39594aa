#include "frelane/bol/frm_bol_products.h"

#include <cmath>
#include <string>

#include "frelane/bol/bol_records.h"
#include "frelane/bol/combo_limits.h"
#include "frelane/bol/line_items.h"
#include "frelane/bol/mod_bol.h"
#include "frelane/bol/record_book.h"
#include "frelane/core/field_helpers.h"
#include "frelane/core/form_helpers.h"
#include "frelane/core/form_setup.h"
#include "platform/os/cp1252.h"

namespace frelane {
namespace {

namespace product = bol::product;

constexpr std::size_t kNameWidth = 50;
constexpr std::size_t kTypeWidth = 4;

os::RecordView Buffer() { return modBOL::ProductBuffer().View(); }

bol::RecordBook ProductBook() {
  return bol::RecordBook(modBOL::BookPath(bol::kProductFile), product::kSize);
}

}  // namespace

frmBOLProducts::frmBOLProducts()
    : Form("frmBOLProducts", {.caption = "Products", .width = 7200, .height = 5100,
                              .key_preview = true, .center = true}) {
  Bind(cboProduct.on.Click, &frmBOLProducts::cboProduct_Click);
  Bind(cboProduct.on.Change, &frmBOLProducts::cboProduct_Change);
  cboProduct.on.KeyPress = [this](int& key) { bol::RefuseKeyAtWidth(cboProduct, key, kNameWidth); };
  BindTypeCombo(cboHandlingUnitsType, product::kHandlingUnitType);
  BindTypeCombo(cboPackagesType, product::kPackageType);
  chkHazardousMaterialsFlag.on.Click = [this] {
    bol::SetByte(Buffer(), product::kHazmat, chkHazardousMaterialsFlag.Value() == 1 ? 1 : 0);
  };
  txtDescription.on.Change = [this] {
    Buffer().SetUtf8Text(product::kDescription, modMain::Trim(txtDescription.Text()));
  };
  txtWeight.on.Change = [this] {
    Buffer().SetI32(product::kWeightPerPackage, bol::WholeNumberOf(txtWeight.Text()));
  };
  txtWeight.on.KeyPress = [this](int& key) { modMain::SetNumericKey(txtWeight, key, 6, 0); };
  txtClass.on.Change = [this] {
    Buffer().SetUtf8Text(product::kClass, modMain::Trim(txtClass.Text()));
  };
  txtClass.on.KeyPress = [this](int& key) { modMain::SetNumericKey(txtClass, key, 5, 1); };
  cboProduct.on.GotFocus = [this] { modMain::SelectAllText(cboProduct); };
  for (forms::TextBox* box : {&txtDescription, &txtWeight, &txtClass}) {
    box->on.GotFocus = [box] { modMain::SelectAllText(*box); };
  }
  Bind(mnuFileNew.on.Click, &frmBOLProducts::mnuFileNew_Click);
  Bind(mnuFileSave.on.Click, &frmBOLProducts::mnuFileSave_Click);
  Bind(mnuFileSaveAsNew.on.Click, &frmBOLProducts::mnuFileSaveAsNew_Click);
  Bind(mnuEditDelete.on.Click, &frmBOLProducts::mnuEditDelete_Click);
  mnuFileExit.on.Click = [this] { Unload(); };
}

void frmBOLProducts::BindTypeCombo(forms::ComboBox& box, const os::Field& field) {
  box.on.Change = [&box, field] {
    if (bol::CutToWidth(box, kTypeWidth)) return;  // the cut text has been stored already
    Buffer().SetUtf8Text(field, modMain::Trim(box.Text()));
  };
  // An entry of the list ("CT - Carton") stores its code.
  box.on.Click = [&box, field] { Buffer().SetUtf8Text(field, box.Text().substr(0, 2)); };
  box.on.KeyPress = [&box](int& key) { bol::RefuseKeyAtWidth(box, key, kTypeWidth); };
  box.on.GotFocus = [&box] { modMain::SelectAllText(box); };
}

void frmBOLProducts::Form_Load() {
  modMain::SetFormIcon(*this);
  ClearEditor();
  modBOL::LoadProductList(cboProduct, 0, false);
  FillPackagingLists();
}

void frmBOLProducts::Form_KeyPress(int& key) {
  if (ActiveControl() != &txtDescription) modMain::EnterAsTab(key);
}

void frmBOLProducts::ClearEditor() {
  cboProduct.SetText("");
  cboHandlingUnitsType.SetText("");
  cboPackagesType.SetText("");
  txtDescription.SetText("");
  txtWeight.SetText("");
  txtClass.SetText("");
  chkHazardousMaterialsFlag.SetValue(0);
  modBOL::ProductBuffer() = bol::ProductRecord{};
  os::RecordView v = Buffer();
  for (const os::Field& f : {product::kName, product::kHandlingUnitType, product::kPackageType,
                             product::kDescription, product::kClass}) {
    v.SetText(f, "");
  }
  edited_product_record_ = -1;
  EnableCommands();
}

void frmBOLProducts::ShowProduct() {
  os::ConstRecordView v = modBOL::ProductBuffer().View();
  const std::string units = v.Raw(product::kHandlingUnitType);
  const std::string packages = v.Raw(product::kPackageType);
  const std::string description = modMain::Trim(v.Utf8Text(product::kDescription));
  const std::int32_t weight = v.I32(product::kWeightPerPackage);
  const std::string freight_class = modMain::Trim(v.Utf8Text(product::kClass));
  const int hazmat = bol::ByteOf(v, product::kHazmat) == 1 ? 1 : 0;
  // Each box's change handler stores its text back into the buffer.
  cboHandlingUnitsType.SetText(os::Cp1252ToUtf8(units));
  cboPackagesType.SetText(os::Cp1252ToUtf8(packages));
  chkHazardousMaterialsFlag.SetValue(hazmat);
  txtDescription.SetText(description);
  txtWeight.SetText(std::to_string(weight));
  txtClass.SetText(freight_class);
}

bool frmBOLProducts::SaveProduct() {
  std::string error;
  bol::RecordBook book = ProductBook();
  std::int32_t record = edited_product_record_;
  if (record == -1) {
    std::optional<int> appended = book.Append(modBOL::ProductBuffer().bytes, &error);
    if (!appended) {
      modBOL::ShowFileError(error.empty() ? "Product.dat cannot be written." : error);
      return false;
    }
    record = *appended;
  } else if (!book.Write(record, modBOL::ProductBuffer().bytes, &error)) {
    modBOL::ShowFileError(error);
    return false;
  }
  edited_product_record_ = record;
  modBOL::LoadProductList(cboProduct, record, false);
  EnableCommands();
  return true;
}

void frmBOLProducts::FillPackagingLists() {
  for (forms::ComboBox* box : {&cboHandlingUnitsType, &cboPackagesType}) {
    box->Clear();
    for (const char* code : bol::kPackagingCodes) box->AddItem(code);
  }
}

void frmBOLProducts::cboProduct_Click() {
  const int index = cboProduct.ListIndex();
  if (index < 0) return;
  const std::int32_t record = cboProduct.ItemData(index);
  if (!modBOL::ReadBookRecord(bol::kProductFile, record, modBOL::ProductBuffer().bytes)) return;
  edited_product_record_ = record;
  ShowProduct();
  EnableCommands();
}

void frmBOLProducts::cboProduct_Change() {
  if (bol::CutToWidth(cboProduct, kNameWidth)) return;
  Buffer().SetUtf8Text(product::kName, modMain::Trim(cboProduct.Text()));
  EnableCommands();
}

void frmBOLProducts::EnableCommands() {
  const bool chosen = edited_product_record_ != -1;
  mnuFileSave.SetEnabled(chosen || !modMain::Trim(cboProduct.Text()).empty());
  mnuFileSaveAsNew.SetEnabled(chosen);
  mnuEditDelete.SetEnabled(chosen);
}

void frmBOLProducts::mnuFileNew_Click() { ClearEditor(); }

void frmBOLProducts::mnuFileSave_Click() {
  bol::SetByte(Buffer(), product::kStatus, bol::kStatusInUse);
  SaveProduct();
}

void frmBOLProducts::mnuFileSaveAsNew_Click() {
  edited_product_record_ = -1;
  bol::SetByte(Buffer(), product::kStatus, bol::kStatusInUse);
  SaveProduct();
}

void frmBOLProducts::mnuEditDelete_Click() {
  // Only the status byte changes: edits not saved stay out of the file.
  if (edited_product_record_ == -1) return;
  std::string error;
  if (!ProductBook().WriteByte(edited_product_record_, product::kStatus.offset,
                               bol::kStatusDeleted, &error)) {
    modBOL::ShowFileError(error);
    return;
  }
  modBOL::LoadProductList(cboProduct, 0, false);
  ClearEditor();
}

}  // namespace frelane
