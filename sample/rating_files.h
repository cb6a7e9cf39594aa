// The point, rate-basis and service files of the sample data set's tariffs, from the
// readable table sample/rating/rating_files.txt.
#ifndef SAMPLE_RATING_FILES_H_
#define SAMPLE_RATING_FILES_H_

#include <filesystem>

namespace sample {

// Reads the table and writes the files into the installation directory; false (with a
// message on stderr) when a line or a write fails.
bool BuildRatingFiles(const std::filesystem::path& source, const std::filesystem::path& target);

}  // namespace sample

#endif  // SAMPLE_RATING_FILES_H_
