#include "frelane/rating/frm_singleshipment.h"

#include "frelane/core/field_helpers.h"
#include "frelane/core/form_setup.h"
#include "frelane/core/tolv_declares.h"

namespace frelane {

frmSingleshipment::frmSingleshipment()
    : Form("frmSingleshipment",
           {.caption = "Single Shipment", .width = 3720, .height = 1980, .key_preview = true,
            .center = true}) {
  Bind(btnOK.on.Click, &frmSingleshipment::btnOK_Click);
}

void frmSingleshipment::Form_Load() { modMain::SetFormIcon(*this); }

void frmSingleshipment::Form_KeyPress(int& key_ascii) {
  switch (key_ascii) {
    case 'Y':
    case 'y':
      optSSYes.SetValue(true);
      break;
    case 'N':
    case 'n':
      optSSNo.SetValue(true);
      break;
    case modMain::kKeyEnter:
      break;
    default:
      return;
  }
  key_ascii = 0;
  btnOK_Click();
}

void frmSingleshipment::btnOK_Click() { Unload(); }

void frmSingleshipment::Form_Unload(bool&) {
  modTolvDeclares32::ShipmentRecord().header().SetText(tolv::shipment_header::kSingleShipment,
                                                       optSSYes.Value() ? "Y" : "N");
}

}  // namespace frelane
