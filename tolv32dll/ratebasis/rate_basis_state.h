// The rate basis of the shipment in hand: the number found from its two points, the rate
// index, the rate record read for it and the printed number the response carries. Part of
// the shipment work area; cleared for every shipment.
#ifndef TOLV32DLL_RATEBASIS_RATE_BASIS_STATE_H_
#define TOLV32DLL_RATEBASIS_RATE_BASIS_STATE_H_

#include <array>
#include <cstdint>
#include <functional>
#include <string>
#include <utility>

#include "tolv32dll/errors/result.h"
#include "tolv32dll/points/candidate_list.h"
#include "tolv32dll/points/point_state.h"
#include "tolv32dll/ratebasis/rate_record.h"
#include "tolv32dll/tariff/current_tariff.h"

namespace tolv {

struct RateBasisState {
  static constexpr std::size_t kMinimumBlockSize = 384;

  std::int32_t rate_basis_number = 0;
  std::int32_t rate_index = 0;
  RateRecord record;               // the rate record buffer
  std::int64_t record_number = -1;  // position of the record in ".R" (in records)
  std::size_t record_length = 0;
  std::string printed_number;      // at most 11 characters
  std::array<std::uint8_t, kMinimumBlockSize> minimum_block{};  // ".M", when read
  bool minimum_block_read = false;
  // Point type 'N': the lane-adjustment record numbers of the origin point, the
  // destination point and the rate record (-1 = none), for the lane-adjustment step.
  std::array<std::int32_t, 3> lane_adjustment_records{-1, -1, -1};

  // Back to the values above, field by field: the record buffer keeps its storage for the
  // next record, and no second block is built to be copied over this one.
  void Clear() {
    rate_basis_number = 0;
    rate_index = 0;
    record.Clear();
    record_number = -1;
    record_length = 0;
    printed_number.clear();
    minimum_block.fill(0);
    minimum_block_read = false;
    lane_adjustment_records = {-1, -1, -1};
  }
};

struct MethodContext;

// The Lite and add-on methods 'E'-'M' over the ZIP-keyed tables and rate-basis add-ons.
// Called in place of the method with its letter ('E' for letters 'E'-'H', 'K' for the
// years 92-95) and the method's context; runs the whole method. Returns 0 or an error
// number.
using LiteSteps = std::function<ErrorNumber(char method, MethodContext& ctx)>;

// What the rate basis of a shipment depends on besides the files.
struct RateBasisTerms {
  CurrentTariff tariff;       // point type and its alternate, point-file mode, index form...
  bool stepped = false;       // the request's header byte 160 is "+"
  int step_increment = 0;     // header bytes 161-164
  bool no_rbn_addon = false;  // tariff option NO_RBN_ADDON
  // Reloads the tariff for rating with another factor set when it differs from the
  // selected one (and puts the old number back); empty: nothing to reload.
  std::function<ErrorNumber(int factor_set)> reload_factor_set;
  LiteSteps lite_steps;       // empty until the Lite tables are built
};

}  // namespace tolv

#endif  // TOLV32DLL_RATEBASIS_RATE_BASIS_STATE_H_
