// The tariff component's state in the engine: the open files of the selected tariff, the
// options and tables of its factor file and its weight types. Loaded before each rating.
#ifndef TOLV32DLL_TARIFF_TARIFF_STATE_H_
#define TOLV32DLL_TARIFF_TARIFF_STATE_H_

#include <memory>

#include "tolv32dll/errors/error_numbers.h"
#include "tolv32dll/tariff/current_tariff.h"
#include "tolv32dll/tariff/factor_file.h"
#include "tolv32dll/tariff/tariff_file_set.h"
#include "tolv32dll/tariff/tariff_options.h"
#include "tolv32dll/tariff/weight_types.h"

namespace tolv {

struct FactorLoad;

struct TariffState {
  TariffFileSet files;
  FactorOptions options;
  FactorTables tables;
  WeightTypeState weight_types;
  // The kept factor load whose grids `tables` holds; null once anything else wrote them.
  // Only the factor load writes the grids, so a rating of the same kept load copies just
  // the small lists around them.
  std::shared_ptr<const FactorLoad> grids_from;
};

// Loads the selected tariff for rating: empties the option lists, opens (or rewinds) the
// factor file (204), loads it (a load of the same image from the same request and options
// is kept among the parsed files and handed out again without reading a line), checks that its classes by breaks fit the rate matrix
// (210), then applies the weight types (219). The lane-adjustment step resets its own
// state beside this call. The result is this load's alone: no error of an earlier call
// carries over.
ErrorNumber Tariff_LoadForRating(TariffState& state, const CurrentTariff& tariff);

// Loads the factor file alone for a table listing: the file is opened afresh and closed
// after. 204 or the load's result.
ErrorNumber Tariff_LoadFactorTables(TariffState& state, const CurrentTariff& tariff);

}  // namespace tolv

#endif  // TOLV32DLL_TARIFF_TARIFF_STATE_H_
