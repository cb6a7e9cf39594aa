// The bill-of-lading files of the sample data set: three address books, a product
// catalogue, the defaults and a few bills of fictional companies.
#ifndef SAMPLE_BOL_FILES_H_
#define SAMPLE_BOL_FILES_H_

#include <filesystem>

namespace sample {

// Writes the files into the installation directory, each only when it is not there yet:
// bills and books a user saved there are never replaced. False (with a message on stderr)
// when a write fails.
bool BuildBolFiles(const std::filesystem::path& target);

}  // namespace sample

#endif  // SAMPLE_BOL_FILES_H_
