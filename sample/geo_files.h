// The geography and terminal files of the sample data set: state.dat, ServZipsA.dat,
// ServTerm.dat and ServMatx.dat, from the readable tables of sample/geo/.
#ifndef SAMPLE_GEO_FILES_H_
#define SAMPLE_GEO_FILES_H_

#include <filesystem>

namespace sample {

// Reads sample/geo/ and writes the files into the installation directory; false (with a
// message on stderr) when a table line or a write fails.
bool BuildGeoFiles(const std::filesystem::path& source, const std::filesystem::path& target);

}  // namespace sample

#endif  // SAMPLE_GEO_FILES_H_
