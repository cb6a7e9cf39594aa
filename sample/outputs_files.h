// The sample data set's files of the quote's outputs: the web links, the printed quote's
// disclaimer and heading picture, and the service map.
#ifndef SAMPLE_OUTPUTS_FILES_H_
#define SAMPLE_OUTPUTS_FILES_H_

#include <filesystem>

namespace sample {

// Reads sample/outputs/ and writes the files into the installation directory; false (with a
// message on stderr) when a source line or a write fails.
bool BuildOutputsFiles(const std::filesystem::path& source, const std::filesystem::path& target);

}  // namespace sample

#endif  // SAMPLE_OUTPUTS_FILES_H_
