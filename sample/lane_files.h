// The lane-adjustment records (".A") of the sample tariffs, from the readable table
// sample/lanes/lane_adjustments.txt. The text lane files stand in sample/files/.
#ifndef SAMPLE_LANE_FILES_H_
#define SAMPLE_LANE_FILES_H_

#include <filesystem>

namespace sample {

// Reads the table and writes the files into the installation directory; false (with a
// message on stderr) when a line or a write fails.
bool BuildLaneFiles(const std::filesystem::path& source, const std::filesystem::path& target);

}  // namespace sample

#endif  // SAMPLE_LANE_FILES_H_
