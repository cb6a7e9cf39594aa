// The rating screen's files of the sample data set: the three disclaimers, the ranges of
// the postal-code disclaimer and the screen's pictures (headline, subhead, ZipHeadline).
#ifndef SAMPLE_SCREEN_FILES_H_
#define SAMPLE_SCREEN_FILES_H_

#include <filesystem>

namespace sample {

// Reads sample/screen/ and writes the files into the installation directory; false (with a
// message on stderr) when a source file or a write fails.
bool BuildScreenFiles(const std::filesystem::path& source, const std::filesystem::path& target);

}  // namespace sample

#endif  // SAMPLE_SCREEN_FILES_H_
