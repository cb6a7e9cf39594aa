// The fuel-surcharge pair of the rated shipment: truckload from 40000 lbs on; below that the
// weight break at which the engine priced a line of the shipment decides between the LTL
// and the truckload pair.
#include <algorithm>
#include <cmath>
#include <utility>

#include "frelane/core/field_helpers.h"
#include "frelane/core/main_module.h"
#include "frelane/core/tolv_declares.h"
#include "frelane/rating/frm_rating_screen.h"

namespace frelane {

namespace {

constexpr double kTruckloadWeight = 40000;
constexpr int kScreenLines = 8;

}  // namespace

void frmRatingScreen::GetFuelSurcharge(double& nFuelSurcharge, double& nFuelSurchargeFloor) {
  namespace rec = tolv::shipment_record;
  nFuelSurcharge = 0;
  nFuelSurchargeFloor = 0;
  const SettingsRecord& s = modMain::Settings();
  const std::pair<double, double> ltl{s.F64(settings::kLtlFuelSurcharge),
                                      s.F64(settings::kLtlFuelSurchargeFloor)};
  const std::pair<double, double> tl{s.F64(settings::kTlFuelSurcharge),
                                     s.F64(settings::kTlFuelSurchargeFloor)};
  const tolv::ShipmentRecord& record = std::as_const(modTolvDeclares32::ShipmentRecord());
  auto use = [&](const std::pair<double, double>& pair) {
    nFuelSurcharge = pair.first;
    nFuelSurchargeFloor = pair.second;
  };
  if (modMain::SafeValue(record.header().Text(tolv::shipment_header::kTotalWeight)) >=
      kTruckloadWeight) {
    return use(tl);
  }
  const os::ConstRecordView view = record.view();
  const int classes = std::clamp<int>(view.I16(rec::kClassCount), 0, rec::kTariffClasses);
  const int breaks = std::clamp<int>(view.I16(rec::kWeightBreakCount), 0, rec::kTariffWeightBreaks);
  const std::int32_t threshold = s.I32(settings::kFuelSurchargeWeightThreshold);
  // Only the slots of the shipment itself: those above its line count are not part of it.
  const int lines = std::clamp(
      static_cast<int>(modMain::SafeValue(record.header().Text(tolv::shipment_header::kDetailCount))),
      0, kScreenLines);
  for (int slot = 1; slot <= lines; ++slot) {
    const os::ConstRecordView detail = record.detail(static_cast<std::size_t>(slot - 1));
    const double line_class = modMain::SafeValue(detail.Text(tolv::shipment_detail::kClass));
    const long long line_rate_cents =
        std::llround(modMain::SafeValue(detail.Text(tolv::shipment_detail::kRate)) * 100);
    for (int j = 1; j <= classes; ++j) {
      const os::Field code = rec::kClassCode.Nth(static_cast<std::size_t>(j - 1));
      if (modMain::SafeValue(view.Text(code)) != line_class) continue;
      for (int c = 1; c <= breaks; ++c) {
        const std::size_t cell = static_cast<std::size_t>((j - 1) * breaks + c - 1);
        if (cell >= rec::kRateMatrixCells) break;
        if (view.I32(rec::kRateMatrix.Nth(cell)) != line_rate_cents) continue;
        const std::int32_t break_weight =
            view.I32(rec::kWeightBreak.Nth(static_cast<std::size_t>(c - 1)));
        return use(break_weight < threshold ? ltl : tl);
      }
    }
  }
}

}  // namespace frelane
