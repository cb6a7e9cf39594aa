// The quote's files of the sample data set: accchg.dat, the floor files, FloorAdd.dat and
// AccAdjustment.dat.
#ifndef SAMPLE_QUOTE_FILES_H_
#define SAMPLE_QUOTE_FILES_H_

#include <filesystem>

namespace sample {

// Reads sample/quote/quote_files.txt and writes the files into the installation directory;
// false (with a message on stderr) when the table or a write fails.
bool BuildQuoteFiles(const std::filesystem::path& source, const std::filesystem::path& target);

}  // namespace sample

#endif  // SAMPLE_QUOTE_FILES_H_
