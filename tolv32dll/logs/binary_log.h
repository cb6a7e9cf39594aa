// Writing the binary debug log kqdebug.dbr. Every record goes to the file whole, under one
// lock for the whole process, so records of different threads never mix.
//
// Rating steps log through the Log* calls below without holding the engine: the calling
// thread's engine switches its thread's log on or off (SetThreadBinaryDebug) when it
// initialises and before each rating, since each thread has exactly one engine.
#ifndef TOLV32DLL_LOGS_BINARY_LOG_H_
#define TOLV32DLL_LOGS_BINARY_LOG_H_

#include <cstdint>
#include <span>
#include <string>
#include <string_view>

#include "tolv32dll/logs/binary_log_format.h"

namespace tolv {

// The calling thread's switch: on when flag is 'Y'. Off until set.
void SetThreadBinaryDebug(char flag);
bool ThreadBinaryDebug();

// Appends one record to the log at path (opened for append, written, closed). False, and
// nothing written, when the kind does not take data.size() bytes or the file cannot be
// opened; false when the write fails.
bool AppendBinaryLogRecord(const std::string& path, BinaryLogKind kind, std::int32_t thread_id,
                           std::span<const std::uint8_t> data);

// When the calling thread's switch is on: one record in kqdebug.dbr in the current
// directory, with the calling thread's id. True when a record was written.
bool LogBinary(BinaryLogKind kind, std::span<const std::uint8_t> data);
// Kinds 6, 9 (wide), 13: one i32.
bool LogBinaryI32(BinaryLogKind kind, std::int32_t value);
// Kinds 9 (narrow) and 10: one i16.
bool LogBinaryI16(BinaryLogKind kind, std::int16_t value);
// Kind 3: the 175 words of the charge block.
bool LogBinaryI32s(BinaryLogKind kind, std::span<const std::int32_t> values);
// Kind 2: a text of its own length.
bool LogBinaryText(BinaryLogKind kind, std::string_view text);
// Kind 15: the full name of a file just opened.
bool LogBinaryOpenedFile(std::string_view full_name);
// Kinds 0 and 1: the current time in seconds.
bool LogBinaryTime(BinaryLogKind kind);

}  // namespace tolv

#endif  // TOLV32DLL_LOGS_BINARY_LOG_H_
