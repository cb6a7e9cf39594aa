// The ZIP-keyed tables (".Z" ZIP pairs, ".C" class-factor ranges) of the sample tariffs,
// from the readable table sample/ziptables/zip_tables.txt.
#ifndef SAMPLE_ZIP_TABLE_FILES_H_
#define SAMPLE_ZIP_TABLE_FILES_H_

#include <filesystem>

namespace sample {

// Reads the table and writes the files into the installation directory; false (with a
// message on stderr) when a line or a write fails.
bool BuildZipTableFiles(const std::filesystem::path& source, const std::filesystem::path& target);

}  // namespace sample

#endif  // SAMPLE_ZIP_TABLE_FILES_H_
