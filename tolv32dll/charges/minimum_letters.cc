// The minimum-charge rules of the rate-method letters, when the rate record's first value
// is a charge: the letters' own bracket choices, the band charges and the rules by tariff
// year.
#include <string_view>

#include "tolv32dll/charges/bracket_builder.h"
#include "tolv32dll/rates/factor_rounding.h"

namespace tolv {
namespace {

bool Between(char c, char low, char high) { return c >= low && c <= high; }

// Weight band of the band charges: below 200 lb, 200-299, 300-399, 400 and up.
int WeightBand(std::int32_t weight) {
  if (weight < 200) return 0;
  if (weight < 300) return 1;
  if (weight < 400) return 2;
  return 3;
}

// Distance band of the rate basis's 4-digit number. Numbers come in steps of 10; one
// between two listed ranges belongs to the lower range. The far bands are kept for lanes
// with a lettered (Canadian) end.
int DistanceBand(int number, bool lettered_point) {
  if (number < 530) return 0;
  if (number < 790) return 1;
  if (!lettered_point) return 2;
  if (number < 1030) return 3;
  if (number < 1210) return 4;
  if (number < 1400) return 5;
  if (number < 1610) return 6;
  return 7;
}

}  // namespace

Result<std::int32_t> BracketBuilder::Band(std::int32_t weight) {
  if (!terms_.band_block) return Result<std::int32_t>::Error(kErrMinopn);
  Result<const MinimumBandBlock*> block = terms_.band_block();
  if (!block.ok()) return Result<std::int32_t>::Error(block.error());
  if (*block == nullptr) return Result<std::int32_t>::Error(kErrMinopn);
  // Four class digits per weight band; any other digit would read another band's charge.
  const char digit = RateBasisClassDigit(rate_);
  if (!Between(digit, '1', '4')) return Result<std::int32_t>::Error(kErrMinred);
  const int index = (digit - '1') + 4 * WeightBand(weight) +
                    16 * DistanceBand(rate_.AreaNumber(), terms_.lettered_point);
  const std::uint8_t* p = (*block)->data() + minimum_band_block::kValue.width * index;
  return LoadValue24(p);
}

ErrorNumber BracketBuilder::BandBrackets(std::int16_t count) {
  for (std::size_t i = 0; i < 4; ++i) {
    Result<std::int32_t> band = Band(static_cast<std::int32_t>(100 * (i + 1)));
    if (!band.ok()) return band.error();
    b_.charges[i] = *band;
  }
  Pinned(count);
  return kOk;
}

ErrorNumber BracketBuilder::ByMethod() {
  ErrorNumber error = kOk;
  if (ZipPair(error)) return error;
  switch (method_letter_) {
    case '1':
    case 'D':
      Charges(RateCharges());
      Split();
      break;
    case '7':
      return BandBrackets(3);
    case 'C': {
      // Scaled by the break factor of the kind letter's row, rounded to 5 cents.
      static constexpr std::string_view kRows = "ABCNS";
      const std::size_t r = kRows.find(Kind());
      const std::int64_t g = r == std::string_view::npos || !terms_.break_factor
                                 ? 10000
                                 : terms_.break_factor(5 + static_cast<int>(r), 0);
      const std::int64_t scaled = ApplyFactor(V(0), g);
      Single(static_cast<std::int32_t>((scaled + 2) / 5 * 5));
      break;
    }
    case 'F':
    case 'G':
      LettersFG();
      break;
    case 'I':
      LetterI();
      break;
    case 'J':
    case 'L':
      return LettersJL();
    case 'K':
      return ByTariffYear();
    default:
      Single(V(0));
      break;
  }
  return kOk;
}

void BracketBuilder::LettersFG() {
  // Early tariffs of one family always pin their minimum charges.
  if (terms_.tariff_date_key < 19920101 && terms_.first_factor_set == 16 &&
      terms_.tariff_name.compare(0, 3, "QZC") == 0) {
    result_.pin_mc = true;
  }
  const std::array<std::int32_t, 4> c = RateCharges();
  Charges(c);
  if (result_.pin_mc) {
    Pinned(4);
    return;
  }
  b_.kinds[0] = kOrdinaryBracket;
  b_.weights[0] = 0;
  if ((c[1] == 0 && c[2] == 0 && c[3] == 0) || (c[0] == c[2] && c[1] == 0 && c[3] == 0)) {
    Single(c[0]);
  } else if (c[0] != 0 && c[2] != 0 && c[1] == 0 && c[3] == 0) {
    TwoBracket(2);
  } else if (c[0] != 0 && c[1] != 0 && c[2] != 0 && c[3] != 0) {
    Split();
  } else {
    b_.count = 1;
  }
}

void BracketBuilder::LetterI() {
  RateChargesOneBracket();
  if (b_.charges[0] == 0 || b_.charges[1] == 0) return;
  const char kind = Kind();
  const char detail = Detail();
  if ((kind == 'H' && detail < '8') ||
      (kind == 'J' && (Between(detail, '1', '3') || detail > '6'))) {
    TwoBracket(2);
  } else if (kind == 'M') {
    TwoBracket(1);
  }
}

ErrorNumber BracketBuilder::LettersJL() {
  RateChargesOneBracket();
  const char kind = Kind();
  if (kind == 'C' && b_.charges[1] != 0) SingleShipmentPair();
  if (kind == 'J') {
    if (b_.charges[2] != 0) {
      Split();
    } else if (b_.charges[1] != 0) {
      SingleShipmentPair();
    }
  }
  if (kind == 'H') {
    Result<std::int32_t> first = Band(100);
    if (!first.ok()) return first.error();
    if (*first != 0) return BandBrackets(4);
  }
  if (b_.method == 0 && b_.charges[2] != 0) Split();
  return kOk;
}

ErrorNumber BracketBuilder::ByTariffYear() {
  RateChargesOneBracket();
  const char kind = Kind();
  const char detail = Detail();
  if (kind == 'C' && b_.charges[1] != 0) SingleShipmentPair();
  switch ((terms_.tariff_date_key / 10000) % 100) {
    case 95:
      if (kind == 'H' && detail < '8') {
        TwoBracket(2);
      } else if (kind == 'J' && (Between(detail, '0', '3') || detail > '6')) {
        Split();
      } else if (kind == 'J') {
        SingleShipmentPair();
      } else if (kind == 'M' || kind == 'N') {
        return BandBrackets(3);
      }
      break;
    case 94:
      if (kind == 'H') {
        TwoBracket(2);
      } else if (kind == 'J') {
        Split();
      } else if (kind == 'M') {
        return BandBrackets(3);
      }
      break;
    case 93:
    case 92:
      if (kind == 'E' && detail >= '2') {
        Split();
      } else if (kind == 'E' && !terms_.zip_pair) {
        Single(V(0));
      } else if (kind == 'J' && (detail == '4' || detail == '6' || detail == '7')) {
        Split();
      } else if (kind == 'J' && (detail == '8' || detail == '9')) {
        return BandBrackets(3);
      }
      break;
    default:
      break;
  }
  if (kind == 'Z') Split();
  return kOk;
}

}  // namespace tolv
