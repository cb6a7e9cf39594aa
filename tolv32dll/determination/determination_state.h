// What tariff determination reads of the request and what it leaves for the later
// rating steps.
#ifndef TOLV32DLL_DETERMINATION_DETERMINATION_STATE_H_
#define TOLV32DLL_DETERMINATION_DETERMINATION_STATE_H_

#include <cstdint>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "KMLIB/tdt_file.h"
#include "KMLIB/tdz_file.h"
#include "tolv32dll/determination/td_data_set.h"
#include "tolv32dll/effective/effective_entry.h"

namespace tolv {

struct DeterminationRequest {
  std::string origin_zip;       // 6 characters as in the request
  std::string destination_zip;  // 6 characters
  // The requested tariff name: the header's 8 characters up to the first blank or NUL
  // (empty when none is named).
  std::string tariff_name;
  TariffDate ship_date;
  bool intrastate_flag = false;  // the request's IntrastateFlag is "Y"
  bool mexican_origin = false;
  bool mexican_destination = false;
  // The Canadian switch: on when a point of the shipment is a Canadian postal code.
  bool canadian = false;

  bool named() const { return !tariff_name.empty(); }
  bool named8() const { return tariff_name.size() == 8; }
  bool mexican() const { return mexican_origin || mexican_destination; }
};

// One end of the shipment as the TD files give it.
struct TdPoint {
  kmlib::TdzRecord tdz;
  kmlib::TdtRecord tdt;
  StateCode state{' ', ' '};
};

struct DeterminationState {
  std::uint8_t version = 0;  // the TD version in force
  TdPoint origin;
  TdPoint destination;
  // Per group g (1..N) at [g - 1]: the tariff group result and the second result.
  std::vector<std::int16_t> a;
  std::vector<std::int16_t> b;
  char direction = 'F';    // 'T' when origin and destination were exchanged
  bool intrastate = false; // the intrastate switch, read by the choice by ship date
  TariffDate tariff_date;  // the date of the tariff chosen

  int active_groups() const {
    int n = 0;
    for (std::int16_t v : a) n += v != 0;
    return n;
  }
  void DropGroup(std::size_t g0) { a[g0] = b[g0] = 0; }
  // Back to a new state's values, keeping the group lists' storage for the next
  // determination, which sizes them anew.
  void Reset() {
    std::vector<std::int16_t> kept_a = std::move(a);
    std::vector<std::int16_t> kept_b = std::move(b);
    *this = DeterminationState{};
    kept_a.clear();
    kept_b.clear();
    a = std::move(kept_a);
    b = std::move(kept_b);
  }
};

// Whether an entry's name agrees with the requested name over that name's length (over
// the first three characters of other when the requested name is empty).
bool NameAgrees(std::string_view entry_name, std::string_view requested,
                std::string_view other = {});

}  // namespace tolv

#endif  // TOLV32DLL_DETERMINATION_DETERMINATION_STATE_H_
