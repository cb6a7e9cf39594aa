// Writer of weblinks.dat: one web link a line, the menu caption in columns 1-30 (blank-
// padded) and the address without its scheme from column 31, lines ended by CR LF.
#ifndef TESTKIT_OUTPUTS_WEB_LINKS_FILE_H_
#define TESTKIT_OUTPUTS_WEB_LINKS_FILE_H_

#include <string>
#include <utility>
#include <vector>

namespace testkit {

struct WebLinkLine {
  std::string caption;  // cut to 30 characters
  std::string address;
};

// Single-byte text as given.
std::string WebLinksFile(const std::vector<WebLinkLine>& links);

}  // namespace testkit

#endif  // TESTKIT_OUTPUTS_WEB_LINKS_FILE_H_
