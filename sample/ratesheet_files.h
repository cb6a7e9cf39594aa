// The files of the sample data set that rate sheets read: zipcodes.fil (the prefix ranges
// of each state and province) and the zip block file of each tariff, from the readable
// tables of sample/ratesheet/ and sample/geo/states.txt.
#ifndef SAMPLE_RATESHEET_FILES_H_
#define SAMPLE_RATESHEET_FILES_H_

#include <filesystem>

namespace sample {

// Reads the tables and writes the files into the installation directory; false (with a
// message on stderr) when a table line or a write fails.
bool BuildRateSheetFiles(const std::filesystem::path& source, const std::filesystem::path& target);

}  // namespace sample

#endif  // SAMPLE_RATESHEET_FILES_H_
