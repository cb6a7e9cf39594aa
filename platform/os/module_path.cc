#include "platform/os/module_path.h"

#include <dlfcn.h>
#include <limits.h>
#include <stdlib.h>
#include <unistd.h>

namespace os {

std::string ModulePath(const void* address_in_module) {
  Dl_info info{};
  if (::dladdr(address_in_module, &info) == 0 || info.dli_fname == nullptr ||
      info.dli_fname[0] == '\0') {
    return "";
  }
  std::string name = info.dli_fname;
  // The main program is sometimes reported by the name it was started with.
  if (name.find('/') == std::string::npos) {
    char self[PATH_MAX];
    ssize_t n = ::readlink("/proc/self/exe", self, sizeof(self) - 1);
    if (n <= 0) return "";
    return std::string(self, static_cast<std::size_t>(n));
  }
  char resolved[PATH_MAX];
  if (::realpath(name.c_str(), resolved) == nullptr) return name;
  return resolved;
}

}  // namespace os
