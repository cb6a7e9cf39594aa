// Pricing one accessorial charge from its record.
#include <string>

#include "frelane/rating/accessorial_record.h"
#include "frelane/rating/accessorial_total.h"
#include "platform/runtime/format.h"

namespace frelane::accchg {

runtime::Currency RoundToCents(double value) {
  runtime::DecimalDigits digits = runtime::RoundDecimal(value, 2);
  std::int64_t cents = std::stoll(digits.integer) * 100 + std::stoll(digits.fraction);
  return runtime::Currency::FromCents(digits.negative ? -cents : cents);
}

std::optional<runtime::Currency> PriceCharge(os::ConstRecordView record, double input,
                                             double weight, double net) {
  const std::string description = record.Text(kDescription);
  const double rate = record.FiniteF64(kRate);
  runtime::Currency minimum = runtime::Currency::FromDouble(record.FiniteF64(kMinimum));
  const runtime::Currency maximum = runtime::Currency::FromDouble(record.FiniteF64(kMaximum));
  runtime::Currency amount;
  switch (record.I16(kKind)) {
    case kPercentOfValue: {
      const double quantity = PerPoundQuantity(description);
      amount = RoundToCents((input - quantity * weight) * rate / 100);
      // A value used up by the per-pound deduction costs nothing, minimum or not.
      if (amount <= runtime::Currency{} && quantity != 0) minimum = runtime::Currency{};
      break;
    }
    case kPerHundredWeight: amount = RoundToCents(weight / 100 * rate); break;
    case kPerShipment: amount = runtime::Currency::FromDouble(rate); break;
    case kPercentOfFreight: amount = RoundToCents(net * rate / 100); break;
    case kAmountEntered: amount = runtime::Currency::FromDouble(input); break;
    case kPerUnit: amount = RoundToCents(rate * input); break;
    default: return std::nullopt;
  }
  if (amount < minimum) {
    amount = minimum;
  } else if (maximum > runtime::Currency{} && amount > maximum) {
    amount = maximum;
  }
  return amount;
}

}  // namespace frelane::accchg
