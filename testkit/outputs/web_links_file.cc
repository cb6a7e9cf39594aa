#include "testkit/outputs/web_links_file.h"

namespace testkit {

std::string WebLinksFile(const std::vector<WebLinkLine>& links) {
  std::string file;
  for (const WebLinkLine& link : links) {
    std::string caption = link.caption.substr(0, 30);
    caption.resize(30, ' ');
    file += caption + link.address + "\r\n";
  }
  return file;
}

}  // namespace testkit
