// Writers of the rating screen's own data files: the shifted disclaimer texts and
// ZipDisclaimerZips.dat.
#ifndef TESTKIT_GEO_SCREEN_FILES_H_
#define TESTKIT_GEO_SCREEN_FILES_H_

#include <string>
#include <utility>
#include <vector>

namespace testkit {

// Each line stored with every character code 65 higher, lines ended by CR LF. The lines are
// single-byte text; REQUIRES: every code below 191.
std::string DisclaimerFile(const std::vector<std::string>& lines);

// 12-byte records: low code (5), high code (5), CR LF.
std::string ZipDisclaimerZipsFile(const std::vector<std::pair<std::string, std::string>>& ranges);

}  // namespace testkit

#endif  // TESTKIT_GEO_SCREEN_FILES_H_
