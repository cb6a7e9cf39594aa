// The lane look-ups' files of the sample data set: the tariff list and its overrides, the
// served lanes, the service-days matrix, the postal-code discounts and the city files.
#ifndef SAMPLE_LOOKUP_FILES_H_
#define SAMPLE_LOOKUP_FILES_H_

#include <filesystem>

namespace sample {

// Reads sample/lookups/ and writes the files into the installation directory; false (with
// a message on stderr) when a source line or a write fails.
bool BuildLookupFiles(const std::filesystem::path& source, const std::filesystem::path& target);

}  // namespace sample

#endif  // SAMPLE_LOOKUP_FILES_H_
