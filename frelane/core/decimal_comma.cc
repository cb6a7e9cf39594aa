#include "frelane/core/decimal_comma.h"

#include <algorithm>
#include <array>

#include "frelane/core/tolv_declares.h"

namespace frelane::modMain {

namespace {

// The screen shows eight lines; the engine's further slots are never read back.
constexpr std::size_t kScreenLines = 8;

void FirstPointToComma(const os::RecordView& part, const os::Field& field) {
  std::uint8_t* begin = part.at(field);
  std::uint8_t* end = begin + field.width;
  std::uint8_t* point = std::find(begin, end, static_cast<std::uint8_t>('.'));
  if (point != end) *point = ',';
}

}  // namespace

void UseDecimalComma(tolv::ShipmentRecord& record) {
  namespace h = tolv::shipment_header;
  namespace d = tolv::shipment_detail;
  constexpr std::array kHeaderFields = {h::kDiscountAmount, h::kMinimumDiscount,
                                        h::kMinimumCharge,  h::kDeficitRate,
                                        h::kDeficitCharge,  h::kCharges,
                                        h::kDiscountPercent};
  os::RecordView header = record.header();
  for (const os::Field& field : kHeaderFields) FirstPointToComma(header, field);
  for (std::size_t slot = 0; slot < kScreenLines; ++slot) {
    os::RecordView detail = record.detail(slot);
    FirstPointToComma(detail, d::kRate);
    FirstPointToComma(detail, d::kCharge);
  }
}

void UseDecimalComma() { UseDecimalComma(modTolvDeclares32::ShipmentRecord()); }

}  // namespace frelane::modMain
