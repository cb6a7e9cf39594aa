// The text log tolv.dbg in the tariff data directory: each section is appended whole, the
// file opened and closed around it, under a lock (threads share the file).
#ifndef TOLV32DLL_ENGINE_TEXT_LOG_H_
#define TOLV32DLL_ENGINE_TEXT_LOG_H_

#include <string>
#include <string_view>

#include "tolv32dll/engine/rating_engine.h"

namespace tolv {

inline constexpr char kTextLogName[] = "tolv.dbg";

// Appends section to the engine's text log, first emptying a log whose size in whole
// megabytes has reached MBLogSize when apply_size_rule is set. False when the log cannot
// be opened or written. Does nothing (true) unless the engine's DebugFlag is 'Y'.
bool WriteTextLog(const RatingEngine& engine, std::string_view section,
                  bool apply_size_rule = true);

}  // namespace tolv

#endif  // TOLV32DLL_ENGINE_TEXT_LOG_H_
