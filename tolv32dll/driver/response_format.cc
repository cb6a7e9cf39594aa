#include "tolv32dll/driver/response_format.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cassert>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <limits>

#include "tolv32dll/driver/percent_text.h"
#include "tolv32dll/rates/charge_math.h"

namespace tolv {
namespace {

namespace h = shipment_header;
namespace d = shipment_detail;
namespace sr = shipment_record;

// The largest amounts the text fields hold, in their own units.
constexpr std::int64_t kMaxRateCents = 999999;      // "%04d.%02d"
constexpr std::int64_t kMaxChargeCents = 99999999;  // "%06d.%02d"
constexpr std::int64_t kMaxWeight = 999999;         // "%06d"

bool Fits(std::int64_t v, std::int64_t max) { return v >= 0 && v <= max; }

// "00", "01", ... "99": the digits of a value written two at a time.
constexpr std::array<char, 200> kDigitPairs = [] {
  std::array<char, 200> pairs{};
  for (int i = 0; i < 100; ++i) {
    pairs[2 * i] = static_cast<char>('0' + i / 10);
    pairs[2 * i + 1] = static_cast<char>('0' + i % 10);
  }
  return pairs;
}();

// The decimal digits of v right-aligned in the width bytes at p, padded on the left with
// pad: what "%0*ld" (pad '0') or "%*ld" (pad ' ') make of it. REQUIRES: 0 <= v < 10^width
// (the amounts are checked against their fields first).
void PutDigits(std::uint8_t* p, std::size_t width, std::int64_t v, char pad) {
  assert(v >= 0 && v <= std::numeric_limits<std::uint32_t>::max());
  auto u = static_cast<std::uint32_t>(v);
  std::size_t i = width;
  for (; i >= 2; i -= 2) {
    std::memcpy(p + i - 2, &kDigitPairs[2 * (u % 100)], 2);
    u /= 100;
  }
  if (i == 1) {
    p[0] = static_cast<std::uint8_t>('0' + u % 10);
    u /= 10;
  }
  assert(u == 0);
  // Leading zeros become the pad; the units digit stays.
  if (pad != '0') {
    for (std::size_t k = 0; k + 1 < width && p[k] == '0'; ++k) {
      p[k] = static_cast<std::uint8_t>(pad);
    }
  }
}
// Dollars in the field's width less three (padded with pad), a point and two digits of
// cents. REQUIRES: the amount fits the field.
void PutMoney(os::RecordView v, const os::Field& f, std::int64_t cents, char pad) {
  assert(cents >= 0 && cents <= std::numeric_limits<std::uint32_t>::max());
  const auto u = static_cast<std::uint32_t>(cents);
  std::uint8_t* p = v.at(f);
  PutDigits(p, f.width - 3, u / 100, pad);
  p[f.width - 3] = '.';
  std::memcpy(p + f.width - 2, &kDigitPairs[2 * (u % 100)], 2);
}
// "%06d" in a field of six. REQUIRES: the value fits.
void PutWhole(os::RecordView v, const os::Field& f, std::int64_t value) {
  assert(f.width == 6);
  PutDigits(v.at(f), f.width, value, '0');
}

// Little-endian 32-bit values into consecutive fields from p.
void PutI32Run(std::uint8_t* p, const std::int32_t* values, std::size_t count) {
  if constexpr (std::endian::native == std::endian::little) {
    std::memcpy(p, values, count * sizeof(std::int32_t));
  } else {
    for (std::size_t i = 0; i < count; ++i) os::StoreI32Le(p + 4 * i, values[i]);
  }
}

// The discount element of break b: value b + 2 of the set, none beyond the tenth.
float BreakPercent(const ResponseTerms& terms, int b) {
  const int element = b + 2;
  return element >= 2 && element <= 10 ? terms.discount_values[element - 1] : 0.0f;
}

// The charge block at 976: the minimum charge, the three engine words and the matrix.
void WriteChargeBlock(const ChargeResult& charges, os::RecordView v) {
  static_assert(sr::kEngineWords.offset == sr::kMinimumChargeCents.end() &&
                sr::kRateMatrix.offset == sr::kEngineWords.end() &&
                sr::kEngineWords.width == 4 * std::tuple_size_v<decltype(charges.engine_words)> &&
                sr::kRateMatrixCells == std::tuple_size_v<decltype(charges.matrix.cells)>);
  v.SetI32(sr::kMinimumChargeCents, charges.minimum_charge);
  PutI32Run(v.at(sr::kEngineWords), charges.engine_words.data(), charges.engine_words.size());
  PutI32Run(v.at(sr::kRateMatrix.Run(sr::kRateMatrixCells)), charges.matrix.cells.data(),
            sr::kRateMatrixCells);
}

void WriteResultAreas(const ResponseTerms& terms, const FactorTables& tables,
                      const ChargeResult& charges, ShipmentRecord& record) {
  os::RecordView v = record.view();
  const int classes = std::clamp<int>(tables.class_count, 0, static_cast<int>(sr::kTariffClasses));
  const std::span<const std::int32_t> listed =
      terms.rated_breaks ? *terms.rated_breaks
                         : std::span<const std::int32_t>(
                               tables.weight_breaks.data(),
                               static_cast<std::size_t>(std::clamp<int>(
                                   tables.break_count, 0,
                                   static_cast<int>(tables.weight_breaks.size()))));
  const int breaks = static_cast<int>(std::min(listed.size(), sr::kTariffWeightBreaks));
  for (std::size_t i = 0; i < sr::kTariffClasses; ++i) {
    const os::Field f = sr::kClassCode.Nth(i);
    if (static_cast<int>(i) < classes) {
      std::memcpy(v.at(f), tables.class_codes[i].data(), f.width);
    } else {
      v.Fill(f, 0);
    }
  }
  std::uint8_t* weight_breaks = v.at(sr::kWeightBreak.Run(sr::kTariffWeightBreaks));
  PutI32Run(weight_breaks, listed.data(), static_cast<std::size_t>(breaks));
  std::memset(weight_breaks + 4 * breaks, 0, 4 * (sr::kTariffWeightBreaks - breaks));
  v.SetI16(sr::kClassCount, static_cast<std::int16_t>(classes));
  v.SetI16(sr::kWeightBreakCount, static_cast<std::int16_t>(breaks));
  WriteChargeBlock(charges, v);
  const MinimumBrackets& b = charges.brackets;
  v.SetRaw(sr::kBracketKinds, std::string_view(b.kinds.data(), b.kinds.size()));
  static_assert(sr::kBrackets == MinimumBrackets::kMax);
  PutI32Run(v.at(sr::kBracketWeight.Run(sr::kBrackets)), b.weights.data(), sr::kBrackets);
  PutI32Run(v.at(sr::kBracketCharge.Run(sr::kBrackets)), b.charges.data(), sr::kBrackets);
  v.SetI16(sr::kMinimumMethod, b.method);
  v.SetI16(sr::kBracketCount, b.count);
}

}  // namespace

ResponseAmounts DiscountAmounts(const ResponseTerms& terms, const ShipmentTotals& totals,
                                std::int32_t minimum_floor) {
  ResponseAmounts out;
  out.charges = totals.sum_with_deficit;
  out.minimum_charge = totals.minimum_charge;
  const bool on_charges =
      terms.discount_on && terms.discount_kind != 'R' && terms.discount_marker == "D%";
  const float break_percent = terms.discount_on && terms.discount_marker == "D%"
                                  ? BreakPercent(terms, totals.chosen_break)
                                  : 0.0f;
  if (on_charges) {
    out.discount_amount = PercentOf(out.charges, break_percent);
    out.charges -= out.discount_amount;
    out.minimum_charge -= PercentOf(out.minimum_charge, terms.discount_values[0]);
  }
  out.minimum_charge = std::max<std::int64_t>(out.minimum_charge, minimum_floor);
  // A floor above the undiscounted minimum raises the charge; that is no negative discount.
  if (terms.discount_on) {
    out.minimum_discount = std::max<std::int64_t>(0, totals.minimum_charge - out.minimum_charge);
  }
  // Rate discounts take no percent off the charges (the shipment's percent stays 0).
  if (terms.discount_on && terms.discount_marker == "D%") {
    out.discount_percent = out.charges < out.minimum_charge ? terms.discount_values[0]
                           : on_charges                     ? break_percent
                                                            : 0.0f;
  }
  return out;
}

ErrorNumber WriteResponse(const ResponseTerms& terms, const ShipmentTotals& totals,
                          const std::vector<DetailLine>& lines, const FactorTables& tables,
                          const ChargeResult& charges, ShipmentRecord& record) {
  ShipmentTotals shown = terms.charges_computed ? totals : ShipmentTotals{};
  ResponseAmounts a = terms.charges_computed ? DiscountAmounts(terms, totals, charges.minimum_floor)
                                             : ResponseAmounts{};
  // A lane adjustment's fixed amount is the minimum charge as it stands.
  if (terms.charges_computed && charges.fixed_minimum_charge >= 0) {
    a.minimum_charge = charges.fixed_minimum_charge;
    a.minimum_discount = 0;
  }
  // Every amount must fit its field: a negative or oversized amount is no quote.
  std::array<char, 5> percent;
  if (!Fits(shown.total_weight, kMaxWeight) || !Fits(shown.billed_weight, kMaxWeight) ||
      !Fits(shown.deficit_weight, kMaxWeight) || !Fits(a.minimum_charge, kMaxRateCents) ||
      !Fits(shown.deficit_rate, kMaxRateCents) || !Fits(shown.deficit_charge, kMaxChargeCents) ||
      !Fits(a.charges, kMaxChargeCents) || !Fits(a.discount_amount, kMaxChargeCents) ||
      !Fits(a.minimum_discount, kMaxRateCents) || !PercentText(a.discount_percent, percent)) {
    return kErrSysmax;
  }

  os::RecordView hd = record.header();
  hd.Fill(h::kStatus, ' ');
  hd.SetText(h::kTariffUsed, terms.tariff_used);
  // Right-aligned, cut at the width.
  const std::string_view basis = terms.rate_basis_text.substr(
      0, std::min(terms.rate_basis_text.size(), h::kRateBasisNumber.width));
  std::uint8_t* basis_field = hd.at(h::kRateBasisNumber);
  const std::size_t basis_pad = h::kRateBasisNumber.width - basis.size();
  std::memset(basis_field, ' ', basis_pad);
  std::memcpy(basis_field + basis_pad, basis.data(), basis.size());
  PutWhole(hd, h::kTotalWeight, shown.total_weight);
  PutWhole(hd, h::kBilledWeight, shown.billed_weight);
  PutMoney(hd, h::kMinimumCharge, a.minimum_charge, '0');
  PutMoney(hd, h::kDeficitRate, shown.deficit_rate, '0');
  PutWhole(hd, h::kDeficitWeight, shown.deficit_weight);
  PutMoney(hd, h::kDeficitCharge, shown.deficit_charge, '0');
  PutMoney(hd, h::kCharges, a.charges, '0');
  if (terms.tariff != nullptr) {
    // mm-dd-ccyy
    std::uint8_t* date = hd.at(h::kEffectiveDate);
    PutDigits(date, 2, terms.tariff->month % 100, '0');
    date[2] = '-';
    PutDigits(date + 3, 2, terms.tariff->day % 100, '0');
    date[5] = '-';
    PutDigits(date + 6, 2, terms.tariff->century % 100, '0');
    PutDigits(date + 8, 2, terms.tariff->year % 100, '0');
  }
  *hd.at(h::kOriginService) = terms.origin_service ? terms.origin_service : ' ';
  *hd.at(h::kDestinationService) = terms.destination_service ? terms.destination_service : ' ';
  PutMoney(hd, h::kDiscountAmount, a.discount_amount, ' ');
  PutMoney(hd, h::kMinimumDiscount, a.minimum_discount, ' ');
  std::memcpy(hd.at(h::kDiscountPercent), percent.data(), percent.size());

  // The header stays rewritten when a line does not fit; the lines stay as sent.
  for (const DetailLine& line : lines) {
    if (!Fits(line.weight, kMaxWeight) || !Fits(line.rate, kMaxRateCents) ||
        !Fits(line.charge, kMaxChargeCents)) {
      return kErrSysmax;
    }
  }
  for (std::size_t i = 0; i < lines.size() && i < sr::kDetailSlots; ++i) {
    const DetailLine& line = lines[i];
    os::RecordView dv = record.detail(i);
    // "%-3.3s": the class text cut or padded to 3 characters.
    std::string_view text(line.class_text.c_str());
    dv.SetText(d::kDetailCode, "02");
    dv.SetText(d::kClass, text);
    PutWhole(dv, d::kWeight, line.weight);
    PutMoney(dv, d::kRate, terms.charges_computed ? line.rate : 0, '0');
    PutMoney(dv, d::kCharge, terms.charges_computed ? line.charge : 0, '0');
  }
  WriteResultAreas(terms, tables, charges, record);
  return kOk;
}

void WriteError(ErrorNumber error, const ChargeResult* charges, ShipmentRecord& record) {
  os::RecordView hd = record.header();
  char status[8];
  std::snprintf(status, sizeof status, "%04d", static_cast<int>(error) % 10000);
  hd.SetText(h::kStatus, status);
  hd.SetText(h::kServiceGuideResult, "  ");
  os::RecordView v = record.view();
  v.Fill(os::RawField(sr::kTablesBegin, sr::kUnused1910.offset - sr::kTablesBegin), 0);
  v.Fill(os::RawField(sr::kUnused1910.end(), sr::kTablesEnd - sr::kUnused1910.end()), 0);
  if (charges != nullptr) WriteChargeBlock(*charges, v);
}

}  // namespace tolv
