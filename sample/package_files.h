// The package files of the sample data set's parcel tariff (".T" package records and the
// ".R" header, zone and hundredweight records), from the readable table
// sample/package/package_files.txt.
#ifndef SAMPLE_PACKAGE_FILES_H_
#define SAMPLE_PACKAGE_FILES_H_

#include <filesystem>

namespace sample {

// Reads the table and writes the files into the installation directory; false (with a
// message on stderr) when a line or a write fails.
bool BuildPackageFiles(const std::filesystem::path& source, const std::filesystem::path& target);

}  // namespace sample

#endif  // SAMPLE_PACKAGE_FILES_H_
