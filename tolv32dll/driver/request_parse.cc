#include "tolv32dll/driver/request_parse.h"

#include <cctype>
#include <optional>

#include "tolv32dll/effective/tariff_tables.h"

namespace tolv {
namespace {

namespace h = shipment_header;
namespace d = shipment_detail;
namespace db = discount_block;

// A "%2hd"-like read of exactly the characters of text: leading blanks, then digits to the
// end. nullopt when a character is neither, or nothing but blanks stands there.
std::optional<int> WholeNumber(std::string_view text) {
  std::size_t i = 0;
  while (i < text.size() && text[i] == ' ') ++i;
  if (i == text.size()) return std::nullopt;
  int value = 0;
  for (; i < text.size(); ++i) {
    if (text[i] < '0' || text[i] > '9') return std::nullopt;
    value = value * 10 + (text[i] - '0');
  }
  return value;
}

bool StartsWithLetter(std::string_view code) {
  return !code.empty() && std::isalpha(static_cast<unsigned char>(code[0]));
}

DiscountSet ReadBlock(ConstRecordView block, char kind, const DiscountSet* own_fallback) {
  DiscountSet set;
  set.marker = block.Text(db::kMarker);
  for (std::size_t i = 0; i < db::kValueCount; ++i) {
    std::string text = block.Text(db::kValue.Nth(i));
    if (own_fallback != nullptr) {
      // Block B without its own marker takes block A's values; under rate discounts its
      // own " 9999" still reads as no discount at that place.
      set.values[i] = (kind == 'R' && text == db::kNoValue) ? 0.0f : own_fallback->values[i];
      continue;
    }
    if (kind == 'R' && text == db::kNoValue) text = " 0000";
    set.values[i] = static_cast<float>(DecimalValue(text) * 0.01);
  }
  return set;
}

}  // namespace

double DecimalValue(std::string_view text) {
  std::size_t i = 0;
  while (i < text.size() && (text[i] == ' ' || text[i] == '\t')) ++i;
  double sign = 1;
  if (i < text.size() && (text[i] == '-' || text[i] == '+')) sign = text[i++] == '-' ? -1 : 1;
  double value = 0, scale = 0;
  for (; i < text.size(); ++i) {
    const char c = text[i];
    if (c == '.' && scale == 0) {
      scale = 1;
    } else if (c >= '0' && c <= '9') {
      if (scale != 0) {
        scale /= 10;
        value += (c - '0') * scale;
      } else {
        value = value * 10 + (c - '0');
      }
    } else {
      break;
    }
  }
  return sign * value;
}

ErrorNumber ParseHeader(const ShipmentRecord& record, ParsedRequest& out) {
  ConstRecordView hd = record.header();
  out.origin_zip = hd.Text(h::kOriginZip);
  out.origin_city = hd.Text(h::kOriginCity);
  out.destination_zip = hd.Text(h::kDestinationZip);
  out.destination_city = hd.Text(h::kDestinationCity);
  out.process_mode = hd.Text(h::kProcessMode)[0];

  // mm?dd?ccyy: a date is checked when month, day and year are all given; digits that do
  // not read make the date invalid.
  // The field at its full width: a short date such as "6/1" has lost its trailing blanks.
  std::string date = hd.Text(h::kShipDate);
  date.resize(h::kShipDate.width, ' ');
  std::string_view dv(date);
  const std::optional<int> month = WholeNumber(dv.substr(0, 2));
  const std::optional<int> day = WholeNumber(dv.substr(3, 2));
  const std::optional<int> year = WholeNumber(dv.substr(6, 4));
  const bool all_blank = date.find_first_not_of(' ') == std::string::npos;
  out.ship_date = TariffDate{};
  if (!all_blank) {
    if (!month || !day || !year) return kErrIvddte;
    if (*month != 0 && *day != 0 && *year != 0) {
      std::optional<TariffDate> parsed = ParseTablesDate(date);
      if (!parsed) return kErrIvddte;
      out.ship_date = *parsed;
    }
  }

  const std::string name = hd.Text(h::kTariffName);
  out.tariff_name = name.substr(0, name.find(' '));
  if (out.tariff_name.size() == 1 || out.tariff_name.size() == 2) return kErrIvdtar;

  out.intrastate = hd.Text(h::kIntrastateFlag) == "Y";
  out.canadian = !out.tariff_name.empty() &&
                 (StartsWithLetter(out.origin_zip) || StartsWithLetter(out.destination_zip));
  return kOk;
}

ErrorNumber ParseDetails(const ShipmentRecord& record, ParsedRequest& out) {
  out.lines.clear();
  const std::optional<int> count = record.DetailCount();
  if (!count || *count < 0 || *count > static_cast<int>(shipment_record::kDetailSlots)) {
    return kErrHdrDetailCountTooHigh;
  }
  for (int k = 0; k < *count; ++k) {
    ConstRecordView detail = record.detail(static_cast<std::size_t>(k));
    if (detail.Text(d::kDetailCode) != "02") return kErrHdrDetailCountInvalid;
    const std::string class_text = detail.Text(d::kClass);
    DetailLine line;
    line.class_text = class_text.substr(0, class_text.find(' '));
    const std::string weight = detail.Text(d::kWeight);
    std::optional<int> w = WholeNumber(weight.substr(0, weight.find_last_not_of(' ') + 1));
    line.weight = w.value_or(0);
    if (line.weight == 0) return static_cast<ErrorNumber>(kErrBadwgt + 1 + k);
    out.lines.push_back(line);
  }
  return kOk;
}

void ParseDiscounts(const ShipmentRecord& record, ParsedRequest& out) {
  ConstRecordView hd = record.header();
  const std::string sw = hd.Text(h::kDiscountSwitch);
  out.discount_on = sw == "D" || sw == "Y";
  out.discount_kind = hd.Text(h::kDiscountKind) == "R" ? 'R' : 'C';

  ConstRecordView a = record.discount_a();
  out.block_a = DiscountSet{};
  // The count limits the break choice whether or not the block's values are read.
  out.usable_breaks = 100;
  for (std::size_t i = 1; i < db::kValueCount; ++i) {
    if (a.Text(db::kValue.Nth(i)) == db::kNoValue) {
      out.usable_breaks = static_cast<int>(i - 1);
      break;
    }
  }
  if (a.Text(db::kMarker) == "D%") out.block_a = ReadBlock(a, out.discount_kind, nullptr);
  ConstRecordView b = record.discount_b();
  if (b.Text(db::kMarker) == "I%") {
    out.block_b = ReadBlock(b, out.discount_kind, nullptr);
  } else {
    out.block_b = ReadBlock(b, out.discount_kind, &out.block_a);
  }
}

void ParseFactor(const ShipmentRecord& record, ParsedRequest& out) {
  ConstRecordView hd = record.header();
  const std::string factor = hd.Raw(h::kAdjustmentFactor);
  out.adjustment_factor = 1.0f;
  if (factor.compare("     ") > 0) {
    const float value = static_cast<float>(DecimalValue(hd.Text(h::kAdjustmentFactor)) * 0.0001);
    out.adjustment_factor = value == 0.0f ? 1.0f : value;
  }
  out.single_shipment = hd.Text(h::kSingleShipment) == "Y";
}

}  // namespace tolv
