#include "tolv32dll/driver/response_format.h"

#include <algorithm>
#include <cassert>
#include <cmath>
#include <cstdio>
#include <cstring>

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

// The decimal digits of v, at least width of them, padded on the left with pad: what
// "%0*ld" (pad '0') or "%*ld" (pad ' ') make of it. REQUIRES: v >= 0 (the amounts are
// checked against their fields first).
std::string Digits(std::int64_t v, int width, char pad) {
  assert(v >= 0);
  char buffer[24];
  char* const end = buffer + sizeof buffer;
  char* p = end;
  do {
    *--p = static_cast<char>('0' + v % 10);
    v /= 10;
  } while (v > 0 && p > buffer);
  while (end - p < width && p > buffer) *--p = pad;
  return std::string(p, end);
}
// Dollars in width digits (padded with pad), a point and two digits of cents.
std::string Money(int width, char pad, std::int64_t cents) {
  return Digits(cents / 100, width, pad) + '.' + Digits(cents % 100, 2, '0');
}
std::string Whole(std::int64_t v) { return Digits(v, 6, '0'); }

// The discount element of break b: value b + 2 of the set, none beyond the tenth.
float BreakPercent(const ResponseTerms& terms, int b) {
  const int element = b + 2;
  return element >= 2 && element <= 10 ? terms.discount_values[element - 1] : 0.0f;
}

// The charge block at 976: the minimum charge, the three engine words and the matrix.
void WriteChargeBlock(const ChargeResult& charges, RecordView v) {
  v.SetI32(sr::kMinimumChargeCents, charges.minimum_charge);
  for (std::size_t i = 0; i < charges.engine_words.size(); ++i) {
    v.SetI32(Field{sr::kEngineWords.offset + 4 * i, 4, FieldKind::kI32}, charges.engine_words[i]);
  }
  for (std::size_t i = 0; i < sr::kRateMatrixCells; ++i) {
    v.SetI32(sr::kRateMatrix.Nth(i), charges.matrix.cells[i]);
  }
}

void WriteResultAreas(const FactorTables& tables, const ChargeResult& charges,
                      ShipmentRecord& record) {
  RecordView v = record.view();
  const int classes = std::clamp<int>(tables.class_count, 0, static_cast<int>(sr::kTariffClasses));
  const int breaks =
      std::clamp<int>(tables.break_count, 0, static_cast<int>(sr::kTariffWeightBreaks));
  for (std::size_t i = 0; i < sr::kTariffClasses; ++i) {
    const Field f = sr::kClassCode.Nth(i);
    if (static_cast<int>(i) < classes) {
      std::memcpy(v.at(f), tables.class_codes[i].data(), f.width);
    } else {
      v.Fill(f, 0);
    }
  }
  for (std::size_t i = 0; i < sr::kTariffWeightBreaks; ++i) {
    v.SetI32(sr::kWeightBreak.Nth(i), static_cast<int>(i) < breaks ? tables.weight_breaks[i] : 0);
  }
  v.SetI16(sr::kClassCount, static_cast<std::int16_t>(classes));
  v.SetI16(sr::kWeightBreakCount, static_cast<std::int16_t>(breaks));
  WriteChargeBlock(charges, v);
  const MinimumBrackets& b = charges.brackets;
  v.SetRaw(sr::kBracketKinds, std::string_view(b.kinds.data(), b.kinds.size()));
  for (std::size_t i = 0; i < sr::kBrackets; ++i) {
    v.SetI32(sr::kBracketWeight.Nth(i), b.weights[i]);
    v.SetI32(sr::kBracketCharge.Nth(i), b.charges[i]);
  }
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
  if (terms.discount_on && terms.discount_marker == "D%") {
    out.discount_percent =
        out.charges < out.minimum_charge ? terms.discount_values[0] : break_percent;
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
  char percent[16];
  std::snprintf(percent, sizeof percent, "%05.2f", static_cast<double>(a.discount_percent));
  // Every amount must fit its field: a negative or oversized amount is no quote.
  if (!Fits(shown.total_weight, kMaxWeight) || !Fits(shown.billed_weight, kMaxWeight) ||
      !Fits(shown.deficit_weight, kMaxWeight) || !Fits(a.minimum_charge, kMaxRateCents) ||
      !Fits(shown.deficit_rate, kMaxRateCents) || !Fits(shown.deficit_charge, kMaxChargeCents) ||
      !Fits(a.charges, kMaxChargeCents) || !Fits(a.discount_amount, kMaxChargeCents) ||
      !Fits(a.minimum_discount, kMaxRateCents) || std::strlen(percent) != 5) {
    return kErrSysmax;
  }
  for (const DetailLine& line : lines) {
    if (!Fits(line.weight, kMaxWeight) || !Fits(line.rate, kMaxRateCents) ||
        !Fits(line.charge, kMaxChargeCents)) {
      return kErrSysmax;
    }
  }

  RecordView hd = record.header();
  hd.SetText(h::kStatus, "");
  hd.SetText(h::kTariffUsed, terms.tariff_used.substr(0, 8));
  std::string basis = terms.rate_basis_text.substr(0, h::kRateBasisNumber.width);
  hd.SetText(h::kRateBasisNumber,
             std::string(h::kRateBasisNumber.width - basis.size(), ' ') + basis);
  hd.SetText(h::kTotalWeight, Whole(shown.total_weight));
  hd.SetText(h::kBilledWeight, Whole(shown.billed_weight));
  hd.SetText(h::kMinimumCharge, Money(4, '0', a.minimum_charge));
  hd.SetText(h::kDeficitRate, Money(4, '0', shown.deficit_rate));
  hd.SetText(h::kDeficitWeight, Whole(shown.deficit_weight));
  hd.SetText(h::kDeficitCharge, Money(6, '0', shown.deficit_charge));
  hd.SetText(h::kCharges, Money(6, '0', a.charges));
  if (terms.tariff != nullptr) {
    char date[16];
    std::snprintf(date, sizeof date, "%02d-%02d-%02d%02d", terms.tariff->month % 100,
                  terms.tariff->day % 100, terms.tariff->century % 100, terms.tariff->year % 100);
    hd.SetText(h::kEffectiveDate, date);
  }
  hd.SetText(h::kOriginService, std::string(1, terms.origin_service ? terms.origin_service : ' '));
  hd.SetText(h::kDestinationService,
             std::string(1, terms.destination_service ? terms.destination_service : ' '));
  hd.SetText(h::kDiscountAmount, Money(6, ' ', a.discount_amount));
  hd.SetText(h::kMinimumDiscount, Money(4, ' ', a.minimum_discount));
  hd.SetText(h::kDiscountPercent, percent);

  for (std::size_t i = 0; i < lines.size() && i < sr::kDetailSlots; ++i) {
    const DetailLine& line = lines[i];
    RecordView dv = record.detail(i);
    // "%-3.3s": the class text cut or padded to 3 characters.
    std::string_view text(line.class_text.c_str());
    char cls[3] = {' ', ' ', ' '};
    std::memcpy(cls, text.data(), std::min<std::size_t>(text.size(), 3));
    dv.SetText(d::kDetailCode, "02");
    dv.SetText(d::kClass, std::string_view(cls, 3));
    dv.SetText(d::kWeight, Whole(line.weight));
    dv.SetText(d::kRate, Money(4, '0', terms.charges_computed ? line.rate : 0));
    dv.SetText(d::kCharge, Money(6, '0', terms.charges_computed ? line.charge : 0));
  }
  WriteResultAreas(tables, charges, record);
  return kOk;
}

void WriteError(ErrorNumber error, const ChargeResult* charges, ShipmentRecord& record) {
  RecordView hd = record.header();
  char status[8];
  std::snprintf(status, sizeof status, "%04d", static_cast<int>(error) % 10000);
  hd.SetText(h::kStatus, status);
  hd.SetText(h::kServiceGuideResult, "  ");
  RecordView v = record.view();
  v.Fill(Field{sr::kTablesBegin, sr::kUnused1910.offset - sr::kTablesBegin, FieldKind::kRaw}, 0);
  v.Fill(Field{sr::kUnused1910.end(), sr::kTablesEnd - sr::kUnused1910.end(), FieldKind::kRaw}, 0);
  if (charges != nullptr) WriteChargeBlock(*charges, v);
}

}  // namespace tolv
