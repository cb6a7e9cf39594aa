// What the charge computation leaves for the response: the charge block (the minimum
// charge, three engine words and the rate matrix) and the minimum-charge brackets.
#ifndef TOLV32DLL_CHARGES_CHARGE_RESULT_H_
#define TOLV32DLL_CHARGES_CHARGE_RESULT_H_

#include <array>
#include <cstdint>

#include "tolv32dll/rates/class_rate_tables.h"

namespace tolv {

// Bracket kinds: an ordinary bracket, a single-shipment bracket, an unused slot.
inline constexpr char kOrdinaryBracket = '1';
inline constexpr char kSingleShipmentBracket = '0';
inline constexpr char kUnusedBracket = ' ';

struct MinimumBrackets {
  static constexpr std::size_t kMax = 30;
  std::array<char, kMax> kinds;
  std::array<std::int32_t, kMax> weights{};
  std::array<std::int32_t, kMax> charges{};
  std::int16_t method = 0;  // the minimum-charge method number
  std::int16_t count = 0;   // brackets in use, 0-30

  MinimumBrackets() { kinds.fill(kUnusedBracket); }
  void Set(std::size_t i, char kind, std::int32_t weight, std::int32_t charge) {
    kinds[i] = kind;
    weights[i] = weight;
    charges[i] = charge;
  }
  void Blank(std::size_t i) { Set(i, kUnusedBracket, 0, 0); }
};

struct ChargeResult {
  // Every cell of the block starts at this value; the engine words and the minimum charge
  // are then cleared, the rate matrix keeps it where a cell is not priced.
  static constexpr std::int32_t kUnpriced = RateMatrix::kNotComputed;
  std::int32_t minimum_charge = kUnpriced;
  std::array<std::int32_t, 3> engine_words{kUnpriced, kUnpriced, kUnpriced};
  RateMatrix matrix;
  MinimumBrackets brackets;
  bool pin_mc = false;               // the minimum charge is pinned to its brackets
  std::int32_t minimum_floor = 0;    // lane adjustments may set a floor; 0 = none
  // A lane adjustment's fixed amount: the response's minimum charge as it stands (no
  // discount, no floor); -1 = none.
  std::int32_t fixed_minimum_charge = -1;
};

}  // namespace tolv

#endif  // TOLV32DLL_CHARGES_CHARGE_RESULT_H_
