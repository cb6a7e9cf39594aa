// RatingEngine: the engine object of one calling thread. It owns the settings of its
// initialisation, the effective-date table, the current tariff, every open tariff file,
// the work area of the shipment in hand and the last error number. No engine is shared
// between threads, so nothing here needs a lock; library-wide state lives in
// engine_globals.h.
//
// The engine composes the state objects of the components; each component defines its
// type in its own folder and adds one member in the group it belongs to.
#ifndef TOLV32DLL_ENGINE_RATING_ENGINE_H_
#define TOLV32DLL_ENGINE_RATING_ENGINE_H_

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "tolv32dll/determination/determination_state.h"
#include "tolv32dll/determination/tariff_determination.h"
#include "tolv32dll/determination/td_data_set.h"
#include "tolv32dll/effective/effective_table.h"
#include "tolv32dll/engine/shipment_work_area.h"
#include "tolv32dll/errors/error_numbers.h"
#include "tolv32dll/servguide/service_guide_thread.h"
#include "tolv32dll/tariff/current_tariff.h"
#include "tolv32dll/tariff/tariff_state.h"
#include "tolv32dll/ziptables/lite_table.h"

namespace tolv {

struct RatingEngine {
  // Every default of a new engine (see rating_engine.cc); the effective table opens its
  // cross-process mutex.
  RatingEngine();
  ~RatingEngine();
  RatingEngine(const RatingEngine&) = delete;
  RatingEngine& operator=(const RatingEngine&) = delete;

  // --- The shipment in hand ---
  ShipmentWorkArea work;

  // --- Service guide ---
  std::array<char, 4> service_guide_status = {' ', ' ', ' ', ' '};
  char service_guide_flag = 'N';  // copy of the library-wide flag, 'Y' when bound
  ServiceGuideBinding service_guide;  // the library's calls and this thread's init record

  // --- Revision ---
  std::string revision;  // the engine's revision text, set at construction

  // --- Directories, each empty (the current directory) or ending in "/" ---
  std::string tariff_data_dir;  // tariff files
  std::string effective_path;   // EFCREC.TBL and the tariff-determination files

  // --- Tariff files and options ---
  // The selected tariff's open files, its factor file's option table (with its defaults
  // from construction on), classes, breaks and weight types.
  TariffState tariff;

  // --- Selection and errors ---
  ErrorNumber last_error = kOk;
  CurrentTariff current_tariff;
  // EFCREC.TBL's entries and listing, its mutex and the notify callback.
  EffectiveTable effective;
  // TDS.SEQ and TDA.SEQ, read when the data set opens; the determination of the shipment.
  TdDataSet td;
  DeterminationState determination;

  // --- Logs ---
  char debug_flag = 'N';    // 'Y' writes the text log
  char binary_debug = 'N';  // 'Y' writes the binary log

  // --- Tables filled at construction ---
  // (The kind table is a constant of the rate-basis methods, see ratebasis/kind_table.h.)
  std::vector<LiteTableRow> lite_table;
};

}  // namespace tolv

#endif  // TOLV32DLL_ENGINE_RATING_ENGINE_H_
