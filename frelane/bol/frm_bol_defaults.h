// frmBOLDefaults ("BOL Defaults"): the shipper, consignee, third party and product every new
// bill starts with. A choice goes into modBOL's defaults at once; OK writes BOLDef.dat,
// Cancel (or the close box) puts back the defaults the dialog found.
#ifndef FRELANE_BOL_FRM_BOL_DEFAULTS_H_
#define FRELANE_BOL_FRM_BOL_DEFAULTS_H_

#include "frelane/bol/bol_records.h"
#include "platform/forms/forms.h"

namespace frelane {

class frmBOLDefaults : public forms::Form {
 public:
  frmBOLDefaults();

  forms::Label& lblShipperName = Add<forms::Label>("lblShipperName", {240, 240, 3600, 255},
                                                   {.caption = "Shipper (from)"});
  forms::ComboBox& cboShipperName =
      Add<forms::ComboBox>("cboShipperName", {240, 480, 3600, 315}, {.style = 2});
  forms::Label& lblConsigneeName = Add<forms::Label>("lblConsigneeName", {240, 900, 3600, 255},
                                                     {.caption = "Consignee (to)"});
  forms::ComboBox& cboConsigneeName =
      Add<forms::ComboBox>("cboConsigneeName", {240, 1140, 3600, 315}, {.style = 2});
  forms::Label& lblThirdPartyName = Add<forms::Label>("lblThirdPartyName", {240, 1560, 3600, 255},
                                                      {.caption = "3RD Party "});
  forms::ComboBox& cboThirdPartyName =
      Add<forms::ComboBox>("cboThirdPartyName", {240, 1800, 3600, 315}, {.style = 2});
  forms::Label& lblProduct =
      Add<forms::Label>("lblProduct", {240, 2220, 3600, 255}, {.caption = "Product"});
  forms::ComboBox& cboProduct =
      Add<forms::ComboBox>("cboProduct", {240, 2460, 3600, 315}, {.style = 2});
  forms::CommandButton& btnOK = Add<forms::CommandButton>(
      "btnOK", {1080, 3000, 1200, 375}, {.caption = "OK", .is_default = true});
  forms::CommandButton& btnCancel = Add<forms::CommandButton>(
      "btnCancel", {2520, 3000, 1200, 375}, {.caption = "Cancel", .is_cancel = true});

  void FillLists();

 private:
  void Form_Load() override;
  void Form_QueryUnload(bool& cancel, int unload_mode) override;
  void btnOK_Click();
  void btnCancel_Click();
  void StoreChoice(forms::ComboBox& box, const os::Field& field);

  bol::BOLDefaults found_;
};

}  // namespace frelane

#endif  // FRELANE_BOL_FRM_BOL_DEFAULTS_H_
