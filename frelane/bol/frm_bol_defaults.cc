#include "frelane/bol/frm_bol_defaults.h"

#include "frelane/bol/mod_bol.h"
#include "frelane/core/form_setup.h"

namespace frelane {

namespace defaults = bol::defaults;

frmBOLDefaults::frmBOLDefaults()
    : Form("frmBOLDefaults", {.caption = "BOL Defaults", .width = 4200, .height = 4000,
                              .center = true}) {
  cboShipperName.on.Click = [this] { StoreChoice(cboShipperName, defaults::kShipperDefault); };
  cboConsigneeName.on.Click = [this] {
    StoreChoice(cboConsigneeName, defaults::kConsigneeDefault);
  };
  cboThirdPartyName.on.Click = [this] {
    StoreChoice(cboThirdPartyName, defaults::kThirdPartyDefault);
  };
  cboProduct.on.Click = [this] { StoreChoice(cboProduct, defaults::kProductDefault); };
  Bind(btnOK.on.Click, &frmBOLDefaults::btnOK_Click);
  Bind(btnCancel.on.Click, &frmBOLDefaults::btnCancel_Click);
}

void frmBOLDefaults::Form_Load() {
  modMain::SetFormIcon(*this);
  found_ = modBOL::Defaults();
  FillLists();
}

void frmBOLDefaults::FillLists() {
  os::ConstRecordView d = found_.View();
  modBOL::LoadPartyList(cboShipperName, bol::kShipperFile, d.I32(defaults::kShipperDefault),
                        true);
  modBOL::LoadPartyList(cboConsigneeName, bol::kConsigneeFile,
                        d.I32(defaults::kConsigneeDefault), true);
  modBOL::LoadPartyList(cboThirdPartyName, bol::kThirdPartyFile,
                        d.I32(defaults::kThirdPartyDefault), true);
  modBOL::LoadProductList(cboProduct, d.I32(defaults::kProductDefault), true);
}

void frmBOLDefaults::StoreChoice(forms::ComboBox& box, const os::Field& field) {
  if (box.ListIndex() < 0) return;
  modBOL::Defaults().View().SetI32(field, box.ItemData(box.ListIndex()));
}

void frmBOLDefaults::btnOK_Click() {
  if (!modBOL::SaveBOLDefaults()) return;  // the message is shown; the dialog stays
  found_ = modBOL::Defaults();
  Unload();
}

void frmBOLDefaults::btnCancel_Click() { Unload(); }

void frmBOLDefaults::Form_QueryUnload(bool&, int) {
  // Whatever was not confirmed by OK goes back to what the dialog found.
  modBOL::Defaults() = found_;
}

}  // namespace frelane
