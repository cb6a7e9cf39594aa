// Writing the text log tolv.dbg: each writer opens the log for append, writes its section
// and closes it again. A log that has reached its size limit is deleted and begun anew
// before the section is written.
#ifndef TOLV32DLL_LOGS_TEXT_LOG_H_
#define TOLV32DLL_LOGS_TEXT_LOG_H_

#include <string>
#include <string_view>

namespace tolv {

inline constexpr char kTextLogName[] = "tolv.dbg";

// The log in a tariff data directory ("" is the current directory).
std::string TextLogPath(std::string_view tariff_data_dir);

// Appends section to the log at path. With apply_size_rule, a log whose size in whole
// megabytes (size / 1,048,576) is at least mb_log_size is deleted first; an empty log is
// kept. False when the log cannot be opened or the section not written whole.
bool AppendTextLog(const std::string& path, int mb_log_size, std::string_view section,
                   bool apply_size_rule);

}  // namespace tolv

#endif  // TOLV32DLL_LOGS_TEXT_LOG_H_
