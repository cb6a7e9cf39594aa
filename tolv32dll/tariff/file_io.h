// The engine's file input: the stream helpers the text readers use, and the openers of the
// one read-only file type (os::ReadOnlyFile, os::ReadOnlyStream). A file opened as a handle
// is named in the binary log (kind 15); a stream is not. The engine writes no tariff file.
#ifndef TOLV32DLL_TARIFF_FILE_IO_H_
#define TOLV32DLL_TARIFF_FILE_IO_H_

#include <cstddef>
#include <cstdio>
#include <string>

#include "platform/os/read_only_file.h"

namespace tolv {

// A line of at most size - 1 characters, its line end kept; null at end or error.
char* File_GetLine(char* buffer, int size, std::FILE* stream);
// Whole items read.
std::size_t File_FRead(void* buffer, std::size_t size, std::size_t count, std::FILE* stream);

// An open tariff file (a view of it serves the record searches) and an open stream.
using TariffFile = os::ReadOnlyFile;
using TariffStream = os::ReadOnlyStream;

// Opens name for reading and names it in the binary log. Not open on failure.
TariffFile File_OpenShared(const std::string& name);
// Opens name as a stream in mode, without a log record. Not open on failure.
TariffStream File_FOpenShared(const std::string& name, const char* mode);

}  // namespace tolv

#endif  // TOLV32DLL_TARIFF_FILE_IO_H_
