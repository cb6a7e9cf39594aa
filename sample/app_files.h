// The desktop program's own files of the sample data set: variable.dat, fak.dat and the
// splash pictures and icon.
#ifndef SAMPLE_APP_FILES_H_
#define SAMPLE_APP_FILES_H_

#include <filesystem>

namespace sample {

// Reads sample/app/ and writes the files into the installation directory; false (with a
// message on stderr) when a source line or a write fails.
bool BuildAppFiles(const std::filesystem::path& source, const std::filesystem::path& target);

}  // namespace sample

#endif  // SAMPLE_APP_FILES_H_
