// The minimum-charge bracket rules of one shipment, shared by the method-number rules (with
// the ".M" record and the ZIP-pair record) and the rate-method letter rules. Internal to the
// charge computation.
#ifndef TOLV32DLL_CHARGES_BRACKET_BUILDER_H_
#define TOLV32DLL_CHARGES_BRACKET_BUILDER_H_

#include <array>
#include <cstdint>

#include "tolv32dll/charges/minimum_charge.h"

namespace tolv {

// A 24-bit little-endian value of the ".M" file. Does not check bounds.
// REQUIRES: p points at 3 readable bytes.
inline std::int32_t LoadValue24(const std::uint8_t* p) {
  return static_cast<std::int32_t>(p[0] | (p[1] << 8) | (p[2] << 16));
}

// The four weights and kinds several rules share.
inline constexpr std::array<std::int32_t, 4> kPinnedWeights = {0, 200, 300, 400};
inline constexpr std::array<std::int32_t, 4> kSplitWeights = {100, 0, 0, 100};
inline constexpr std::array<char, 4> kPinnedKinds = {'1', '1', '1', '1'};
inline constexpr std::array<char, 4> kSplitKinds = {'1', '0', '1', '0'};

class BracketBuilder {
 public:
  // rate and method_letter stand for those of the terms.
  BracketBuilder(const MinimumTerms& terms, const RateRecord& rate, char method_letter,
                 ChargeResult& result, ClassRateTables* tables)
      : terms_(terms),
        rate_(rate),
        method_letter_(method_letter),
        result_(result),
        b_(result.brackets),
        tables_(tables) {}

  // The method-number rules (1-10 in the work area's method number).
  ErrorNumber ByNumber();
  // The rules of the rate-method letter, when V(0) is a charge.
  ErrorNumber ByMethod();

 private:
  // The ZIP-pair record's rules; false when the shipment has none.
  bool ZipPair(ErrorNumber& error);
  ErrorNumber RecordRules();
  void MethodSix(const MinimumRecord& m);
  ErrorNumber LettersJL();
  void LettersFG();
  void LetterI();
  ErrorNumber ByTariffYear();
  // The band charge of a weight (0 when the block has no such value).
  Result<std::int32_t> Band(std::int32_t weight);
  // Method 1 with band charges for 100-400 lb; count brackets counted.
  ErrorNumber BandBrackets(std::int16_t count);

  std::int32_t V(int i) const { return rate_.Value(i); }
  char Kind() const { return rate_.KindLetter(); }
  char Detail() const { return RateBasisDetailDigit(rate_); }
  std::array<std::int32_t, 4> RateCharges() const { return {V(0), V(1), V(2), V(3)}; }

  void Four(const std::array<char, 4>& kinds, const std::array<std::int32_t, 4>& weights) {
    for (std::size_t i = 0; i < 4; ++i) {
      b_.kinds[i] = kinds[i];
      b_.weights[i] = weights[i];
    }
  }
  void Charges(const std::array<std::int32_t, 4>& charges) {
    for (std::size_t i = 0; i < 4; ++i) b_.charges[i] = charges[i];
  }
  // Method 1: the minimum charge pinned to brackets of 0, 200, 300 and 400 lb.
  void Pinned(std::int16_t count) {
    result_.pin_mc = true;
    b_.method = 1;
    Four(kPinnedKinds, kPinnedWeights);
    b_.count = count;
  }
  // Method 2: ordinary and single-shipment brackets at 100 and 0 lb.
  void Split() {
    b_.method = 2;
    Four(kSplitKinds, kSplitWeights);
    b_.count = 4;
  }
  // Method 4: an ordinary and a single-shipment bracket, both at 0 lb.
  void SingleShipmentPair() {
    b_.method = 4;
    b_.kinds[0] = kOrdinaryBracket;
    b_.kinds[1] = kSingleShipmentBracket;
    b_.weights[0] = b_.weights[1] = 0;
    b_.count = 2;
  }
  // One ordinary bracket of weight 0 with the charge it holds, the other three cleared.
  void FirstBracketOnly() {
    b_.kinds[0] = kOrdinaryBracket;
    b_.weights[0] = 0;
    for (std::size_t i = 1; i < 4; ++i) b_.Blank(i);
    b_.count = 1;
  }
  // One ordinary bracket of weight 0, the other three cleared, method 0.
  void Single(std::int32_t charge) {
    b_.Set(0, kOrdinaryBracket, 0, charge);
    for (std::size_t i = 1; i < 4; ++i) b_.Blank(i);
    b_.method = 0;
    b_.count = 1;
  }
  // Method 3: brackets at 0 and 100 lb; a third charge becomes the 0-lb one.
  void TwoBracket(std::int16_t count) {
    b_.method = 3;
    b_.weights[0] = 0;
    b_.weights[1] = 100;
    b_.kinds[0] = b_.kinds[1] = kOrdinaryBracket;
    if (b_.charges[2] != 0) {
      b_.charges[1] = b_.charges[0];
      b_.charges[0] = b_.charges[2];
      b_.charges[2] = 0;
    }
    b_.count = count;
  }
  // Charges V(0)-V(3), the first bracket ordinary at weight 0, method 0, one bracket.
  void RateChargesOneBracket() {
    Charges(RateCharges());
    b_.kinds[0] = kOrdinaryBracket;
    b_.weights[0] = 0;
    b_.method = 0;
    b_.count = 1;
  }

  const MinimumTerms& terms_;
  const RateRecord& rate_;
  const char method_letter_;
  ChargeResult& result_;
  MinimumBrackets& b_;
  ClassRateTables* tables_;
};

}  // namespace tolv

#endif  // TOLV32DLL_CHARGES_BRACKET_BUILDER_H_
