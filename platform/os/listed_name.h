// One name of a directory listing, with what the listing tells of its type.
#ifndef FRELANE_PLATFORM_OS_LISTED_NAME_H_
#define FRELANE_PLATFORM_OS_LISTED_NAME_H_

#include <string>

namespace os {

struct ListedName {
  std::string name;
  bool may_be_directory = true;  // false when the listing says it is no directory
  bool may_be_link = true;       // false when the listing gives its type, and no link
};

}  // namespace os

#endif  // FRELANE_PLATFORM_OS_LISTED_NAME_H_
