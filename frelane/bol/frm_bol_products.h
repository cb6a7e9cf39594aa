// frmBOLProducts ("Products"): the product catalogue Product.dat. Choosing a product shows
// it; every edit goes into modBOL's product buffer; Save rewrites the chosen record (or
// appends a new product), Save As New always appends, Delete marks the chosen record
// deleted by its status byte alone. Records are never removed: their numbers are the
// products' identities.
#ifndef FRELANE_BOL_FRM_BOL_PRODUCTS_H_
#define FRELANE_BOL_FRM_BOL_PRODUCTS_H_

#include <cstdint>

#include "platform/forms/forms.h"
#include "platform/os/record_layout.h"

namespace frelane {

class frmBOLProducts : public forms::Form {
 public:
  frmBOLProducts();

  void ClearEditor();
  void ShowProduct();
  // False after a message when Product.dat could not be written.
  bool SaveProduct();
  void FillPackagingLists();

  std::int32_t EditedProductRecord() const { return edited_product_record_; }

  forms::Label& lblProduct = Add<forms::Label>(
      "lblProduct", {240, 120, 5400, 255},
      {.caption = "Description (for reference inside of program)"});
  forms::ComboBox& cboProduct =
      Add<forms::ComboBox>("cboProduct", {240, 375, 6600, 315}, {});
  forms::Label& lblHandlingUnitsType = Add<forms::Label>(
      "lblHandlingUnitsType", {240, 840, 2000, 255}, {.caption = "Type of Handling Unit"});
  forms::ComboBox& cboHandlingUnitsType =
      Add<forms::ComboBox>("cboHandlingUnitsType", {240, 1095, 1800, 315}, {});
  forms::Label& lblPackagesType = Add<forms::Label>(
      "lblPackagesType", {2400, 840, 2000, 255}, {.caption = "Type of Package"});
  forms::ComboBox& cboPackagesType =
      Add<forms::ComboBox>("cboPackagesType", {2400, 1095, 1800, 315}, {});
  forms::CheckBox& chkHazardousMaterialsFlag = Add<forms::CheckBox>(
      "chkHazardousMaterialsFlag", {4560, 1125, 2280, 255}, {.caption = "Hazardous Materials"});
  forms::Label& lblDescription = Add<forms::Label>(
      "lblDescription", {240, 1560, 6600, 435},
      {.caption = " Kind of Packaging, Description of Articles (as descr. in NMFC), NMFC "
                  "Item#;Special Marks and Exceptions",
       .word_wrap = true});
  forms::TextBox& txtDescription = Add<forms::TextBox>(
      "txtDescription", {240, 2040, 6600, 1440}, {.max_length = 250, .multi_line = true});
  forms::Label& lblWeight =
      Add<forms::Label>("lblWeight", {240, 3600, 1200, 255}, {.caption = "Weight"});
  forms::TextBox& txtWeight =
      Add<forms::TextBox>("txtWeight", {240, 3855, 1200, 285}, {.max_length = 6});
  forms::Label& lblClass =
      Add<forms::Label>("lblClass", {1680, 3600, 900, 255}, {.caption = "Class"});
  forms::TextBox& txtClass =
      Add<forms::TextBox>("txtClass", {1680, 3855, 900, 285}, {.max_length = 4});

  forms::Menu& mnuFile = Add<forms::Menu>("mnuFile", {}, {.caption = "&File"});
  forms::Menu& mnuFileNew = Item("mnuFileNew", "&New");
  forms::Menu& mnuFileSep1 = Item("mnuFileSep1", "-");
  forms::Menu& mnuFileSave = Item("mnuFileSave", "&Save");
  forms::Menu& mnuFileSaveAsNew = Item("mnuFileSaveAsNew", "Save &As New");
  forms::Menu& mnuFileSep2 = Item("mnuFileSep2", "-");
  forms::Menu& mnuFileExit = Item("mnuFileExit", "E&xit");
  forms::Menu& mnuEdit = Add<forms::Menu>("mnuEdit", {}, {.caption = "&Edit"});
  forms::Menu& mnuEditDelete =
      Add<forms::Menu>("mnuEditDelete", {}, {.container = &mnuEdit, .caption = "&Delete"});

 private:
  void Form_Load() override;
  void Form_KeyPress(int& key) override;
  void cboProduct_Click();
  void cboProduct_Change();
  void mnuFileNew_Click();
  void mnuFileSave_Click();
  void mnuFileSaveAsNew_Click();
  void mnuEditDelete_Click();
  void BindTypeCombo(forms::ComboBox& box, const os::Field& field);
  // Delete and Save As New need a chosen product; Save also takes a new one with a name.
  void EnableCommands();

  forms::Menu& Item(const char* name, const char* caption) {
    return Add<forms::Menu>(name, {}, {.container = &mnuFile, .caption = caption});
  }

  std::int32_t edited_product_record_ = -1;
};

}  // namespace frelane

#endif  // FRELANE_BOL_FRM_BOL_PRODUCTS_H_
