// The whole content of a file, for tests that compare what code wrote.
#ifndef TESTKIT_READ_FILE_H_
#define TESTKIT_READ_FILE_H_

#include <string>

namespace testkit {

// The file's bytes; empty when it cannot be read.
std::string ReadFile(const std::string& path);

}  // namespace testkit

#endif  // TESTKIT_READ_FILE_H_
