// The tariff part of the sample data set: the effective-date table EFCREC.TBL and the
// tariff-determination files, from the readable tables of sample/tariff/. The tariffs'
// factor files are text and stand in sample/files/.
#ifndef SAMPLE_TARIFF_FILES_H_
#define SAMPLE_TARIFF_FILES_H_

#include <filesystem>

namespace sample {

// Reads sample/tariff/ and writes the files into the installation directory; false (with
// a message on stderr) when a table line or a write fails.
bool BuildTariffFiles(const std::filesystem::path& source, const std::filesystem::path& target);

}  // namespace sample

#endif  // SAMPLE_TARIFF_FILES_H_
