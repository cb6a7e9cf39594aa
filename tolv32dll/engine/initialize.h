// The life of a thread's engine: initialisation on a data directory, a new tariff data
// directory, and the end. The exports call these on the calling thread's slot.
#ifndef TOLV32DLL_ENGINE_INITIALIZE_H_
#define TOLV32DLL_ENGINE_INITIALIZE_H_

#include <cstdint>

#include "tolv32dll/engine/rating_engine.h"
#include "tolv32dll/engine/thread_slot.h"
#include "tolv32dll/errors/error_numbers.h"
#include "tolv32dll/tariff/tariff_file_set.h"

namespace tolv {

// The longest directory the engine keeps, separator included: it fits a 260-byte buffer
// with its terminator.
inline constexpr std::size_t kMaxDirectory = 259;
// The longest data directory the engine takes: one that leaves room for every tariff file
// name within the longest path.
inline constexpr std::size_t kMaxDataDirectory = kMaxPathLength - kLongestTariffFileName;

// Settings file of the engine, looked for in the library's directory, else by its name.
inline constexpr char kSettingsFileName[] = "kqDll.ini";

// Reads the settings, sets the directories from data_dir (null keeps the library's
// directory) and TOLVDATA, opens the data set and writes the initialisation log. Returns
// the data-set open result. A data_dir longer than kMaxDataDirectory gives 203, as no
// tariff file could be opened there; a TOLVDATA that long is ignored.
ErrorNumber InitializeEngine(RatingEngine& engine, const char* data_dir);

// The initialisation of the slot's engine: constructs one when the slot has none, and
// destroys it again when the result is not 0. Engine allocation failure gives 201.
ErrorNumber InitializeThreadEngine(ThreadSlot& slot, const char* data_dir);

// Results of SetTariffDataDirectory.
enum class SetDirectoryResult { kSet, kRefused };

// Makes path (trailing blanks, tabs and NULs removed, its last component dropped unless it
// ends in a separator) the tariff data directory. The effective path is unchanged. A path
// longer than kMaxDirectory, or a directory longer than kMaxDataDirectory, is refused and
// changes nothing.
SetDirectoryResult SetTariffDataDirectory(RatingEngine& engine, const char* path);

// Ends the slot's engine: data set closed, engine destroyed. False when there is none.
bool EndThreadEngine(ThreadSlot& slot);

}  // namespace tolv

#endif  // TOLV32DLL_ENGINE_INITIALIZE_H_
