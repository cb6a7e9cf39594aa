#include "tolv32dll/driver/request_parse.h"

#include <algorithm>
#include <cassert>
#include <cstdint>
#include <optional>

#include "platform/os/ascii_text.h"
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

bool StartsWithLetter(std::string_view code) { return !code.empty() && os::IsAsciiAlpha(code[0]); }

// A field's bytes with NULs read as blanks: the text of Text() before its trailing blanks
// go, without a string. REQUIRES: the field is at most kMaxWidth wide.
class BlankedText {
 public:
  static constexpr std::size_t kMaxWidth = 20;
  BlankedText(os::ConstRecordView v, const os::Field& f) : size_(f.width) {
    assert(f.width <= kMaxWidth);
    const std::uint8_t* p = v.at(f);
    for (std::size_t i = 0; i < size_; ++i) text_[i] = p[i] == 0 ? ' ' : static_cast<char>(p[i]);
  }
  std::string_view view() const { return std::string_view(text_, size_); }

 private:
  char text_[kMaxWidth];
  std::size_t size_;
};

bool IsBlankOrNul(std::uint8_t c) { return c == ' ' || c == 0; }

// to = Text(f), written straight from the field's bytes.
void AssignText(std::string& to, os::ConstRecordView v, const os::Field& f) {
  const std::uint8_t* p = v.at(f);
  std::size_t n = f.width;
  while (n > 0 && IsBlankOrNul(p[n - 1])) --n;
  // A blank field, as a city mostly is, needs no copy.
  if (n == 0) {
    to.clear();
    return;
  }
  to.assign(reinterpret_cast<const char*>(p), n);
  std::replace(to.begin(), to.end(), '\0', ' ');
}

// DecimalValue of the field's text (NULs as blanks). Blanks, digits and then blanks, as
// nearly every number field holds, read here; anything else takes the general path.
double FieldDecimal(os::ConstRecordView v, const os::Field& f) {
  // Up to 15 digits the double of the whole number is the one DecimalValue builds.
  constexpr std::size_t kExactDigits = 15;
  const std::uint8_t* p = v.at(f);
  std::size_t i = 0;
  while (i < f.width && IsBlankOrNul(p[i])) ++i;
  const std::size_t digits_begin = i;
  std::uint64_t whole = 0;
  for (; i < f.width && p[i] >= '0' && p[i] <= '9'; ++i) whole = whole * 10 + (p[i] - '0');
  const bool plain = i == f.width || IsBlankOrNul(p[i]);
  if (plain && i - digits_begin <= kExactDigits) return static_cast<double>(whole);
  return DecimalValue(BlankedText(v, f).view());
}

DiscountSet ReadBlock(os::ConstRecordView block, char kind, const DiscountSet* own_fallback) {
  DiscountSet set;
  set.marker = block.Text(db::kMarker);
  for (std::size_t i = 0; i < db::kValueCount; ++i) {
    const os::Field value = db::kValue.Nth(i);
    // Under rate discounts " 9999" reads as no discount at that place.
    const bool none = kind == 'R' && block.TextIs(value, db::kNoValue);
    if (own_fallback != nullptr) {
      // Block B without its own marker takes block A's values.
      set.values[i] = none ? 0.0f : own_fallback->values[i];
      continue;
    }
    set.values[i] = none ? 0.0f : static_cast<float>(FieldDecimal(block, value) * 0.01);
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
  os::ConstRecordView hd = record.header();
  AssignText(out.origin_zip, hd, h::kOriginZip);
  AssignText(out.origin_city, hd, h::kOriginCity);
  AssignText(out.destination_zip, hd, h::kDestinationZip);
  AssignText(out.destination_city, hd, h::kDestinationCity);
  out.process_mode = OneCharText(hd, h::kProcessMode);

  // mm?dd?ccyy: a date is checked when month, day and year are all given; digits that do
  // not read make the date invalid.
  // The field at its full width: a short date such as "6/1" has lost its trailing blanks.
  const BlankedText date_text(hd, h::kShipDate);
  const std::string_view date = date_text.view();
  const std::optional<int> month = WholeNumber(date.substr(0, 2));
  const std::optional<int> day = WholeNumber(date.substr(3, 2));
  const std::optional<int> year = WholeNumber(date.substr(6, 4));
  const bool all_blank = date.find_first_not_of(' ') == std::string_view::npos;
  out.ship_date = TariffDate{};
  if (!all_blank) {
    if (!month || !day || !year) return kErrIvddte;
    if (*month != 0 && *day != 0 && *year != 0) {
      std::optional<TariffDate> parsed = ParseTablesDate(date);
      if (!parsed) return kErrIvddte;
      out.ship_date = *parsed;
    }
  }

  const BlankedText name_text(hd, h::kTariffName);
  const std::string_view name = name_text.view();
  out.tariff_name = name.substr(0, name.find(' '));
  if (out.tariff_name.size() == 1 || out.tariff_name.size() == 2) return kErrIvdtar;

  out.intrastate = hd.TextIs(h::kIntrastateFlag, "Y");
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
  out.lines.reserve(static_cast<std::size_t>(*count));
  for (int k = 0; k < *count; ++k) {
    os::ConstRecordView detail = record.detail(static_cast<std::size_t>(k));
    if (!detail.TextIs(d::kDetailCode, "02")) return kErrHdrDetailCountInvalid;
    const BlankedText weight_text(detail, d::kWeight);
    std::string_view weight = weight_text.view();
    weight = weight.substr(0, weight.find_last_not_of(' ') + 1);
    const int weight_value = WholeNumber(weight).value_or(0);
    if (weight_value == 0) return static_cast<ErrorNumber>(kErrBadwgt + 1 + k);
    const BlankedText class_buffer(detail, d::kClass);
    const std::string_view class_text = class_buffer.view();
    DetailLine& line = out.lines.emplace_back();
    line.class_text = std::string(class_text.substr(0, class_text.find(' ')));
    line.weight = weight_value;
  }
  return kOk;
}

void ParseDiscounts(const ShipmentRecord& record, ParsedRequest& out) {
  os::ConstRecordView hd = record.header();
  out.discount_on = hd.TextIs(h::kDiscountSwitch, "D") || hd.TextIs(h::kDiscountSwitch, "Y");
  out.discount_kind = hd.TextIs(h::kDiscountKind, "R") ? 'R' : 'C';

  os::ConstRecordView a = record.discount_a();
  out.block_a = DiscountSet{};
  // The count limits the break choice whether or not the block's values are read.
  out.usable_breaks = 100;
  for (std::size_t i = 1; i < db::kValueCount; ++i) {
    if (a.TextIs(db::kValue.Nth(i), db::kNoValue)) {
      out.usable_breaks = static_cast<int>(i - 1);
      break;
    }
  }
  if (a.TextIs(db::kMarker, "D%")) out.block_a = ReadBlock(a, out.discount_kind, nullptr);
  os::ConstRecordView b = record.discount_b();
  if (b.TextIs(db::kMarker, "I%")) {
    out.block_b = ReadBlock(b, out.discount_kind, nullptr);
  } else {
    out.block_b = ReadBlock(b, out.discount_kind, &out.block_a);
  }
}

void ParseFactor(const ShipmentRecord& record, ParsedRequest& out) {
  os::ConstRecordView hd = record.header();
  out.adjustment_factor = 1.0f;
  if (hd.RawView(h::kAdjustmentFactor).compare("     ") > 0) {
    const float value = static_cast<float>(FieldDecimal(hd, h::kAdjustmentFactor) * 0.0001);
    out.adjustment_factor = value == 0.0f ? 1.0f : value;
  }
  out.single_shipment = hd.TextIs(h::kSingleShipment, "Y");
}

}  // namespace tolv
