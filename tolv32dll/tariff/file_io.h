// The engine's file input: the stream helpers the text readers use, and the openers of the
// one read-only file type (os::ReadOnlyFile, os::ReadOnlyStream) that name each file they
// open in the binary log (kind 15). The engine writes no tariff file.
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

// Opens name for reading, logged. Not open on failure.
TariffFile File_OpenShared(const std::string& name);
// Opens name as a stream in mode, logged. Not open on failure.
TariffStream File_FOpenShared(const std::string& name, const char* mode);

}  // namespace tolv

#endif  // TOLV32DLL_TARIFF_FILE_IO_H_
