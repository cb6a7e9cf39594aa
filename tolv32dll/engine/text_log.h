// The engine's side of the debug logs: the text log tolv.dbg in the engine's tariff data
// directory, written while the engine's DebugFlag is 'Y', and the records of the binary
// log that the rating worker writes itself.
#ifndef TOLV32DLL_ENGINE_TEXT_LOG_H_
#define TOLV32DLL_ENGINE_TEXT_LOG_H_

#include <string_view>

#include "tolv32dll/engine/rating_engine.h"
#include "tolv32dll/logs/text_log.h"
#include "tolv32dll/records/shipment_record.h"

namespace tolv {

// Appends section to the engine's text log, first emptying a log whose size in whole
// megabytes has reached MBLogSize when apply_size_rule is set. False when the log cannot
// be opened or written. Does nothing (true) unless the engine's DebugFlag is 'Y'.
bool WriteTextLog(const RatingEngine& engine, std::string_view section,
                  bool apply_size_rule = true);

// The request of a rating as the caller sent it, and the response as it goes back (the
// response follows its request without the size rule).
void LogRatingRequest(const RatingEngine& engine, const ShipmentRecord& request);
void LogRatingResponse(const RatingEngine& engine, const ShipmentRecord& response);

// Binary log: the library's EngineVersionText (kind 17), when the thread's log is on.
void LogBinaryEngineVersion();

}  // namespace tolv

#endif  // TOLV32DLL_ENGINE_TEXT_LOG_H_
