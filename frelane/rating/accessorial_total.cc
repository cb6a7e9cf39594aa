#include "frelane/rating/accessorial_total.h"

#include <cstdint>
#include <vector>

#include "frelane/core/field_helpers.h"
#include "frelane/core/main_module.h"
#include "frelane/core/tolv_declares.h"
#include "frelane/rating/accessorial_record.h"
#include "frelane/rating/data_file_bytes.h"
#include "frelane/rating/frm_accessorial_charges.h"
#include "frelane/rating/frm_rating_screen.h"
#include "platform/forms/application.h"

namespace frelane::modMain {

runtime::Currency GetAccessorialTotal(runtime::Currency& subtotal) {
  subtotal = runtime::Currency{};
  runtime::Currency total;
  frmAccessorialCharges& dialog = forms::App().Get<frmAccessorialCharges>();
  const std::vector<std::uint8_t> file =
      ReadLookupFile(DataDirectory(), accchg::kFileName).value_or(std::vector<std::uint8_t>{});
  const double weight = SafeValue(std::as_const(modTolvDeclares32::ShipmentRecord())
                                      .header()
                                      .Text(tolv::shipment_header::kTotalWeight));
  const double net = SafeValue(forms::App().Get<frmRatingScreen>().lblNet.Caption());
  for (int i = 1; i <= accchg::kMaxRows; ++i) {
    if (dialog.chkAccessorialCharge(i).Value() != forms::CheckBox::kChecked) continue;
    std::span<const std::uint8_t> bytes =
        RecordOf(file, accchg::kRecordSize, static_cast<std::size_t>(i));
    if (bytes.empty()) continue;
    os::ConstRecordView record(bytes);
    std::optional<runtime::Currency> amount =
        accchg::PriceCharge(record, SafeValue(dialog.txtUserInput(i).Text()), weight, net);
    if (!amount) continue;
    total += *amount;
    if (accchg::CountsTowardFuel(record.Text(accchg::kDescription))) subtotal += *amount;
  }
  return total;
}

}  // namespace frelane::modMain
