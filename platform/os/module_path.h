// The path of the loaded module (shared library or program) holding a given address: the
// stand-in for asking the loader for a module's file name.
#ifndef FRELANE_PLATFORM_OS_MODULE_PATH_H_
#define FRELANE_PLATFORM_OS_MODULE_PATH_H_

#include <string>

namespace os {

// The absolute path of the file of the module that contains address_in_module (a function
// or object of that module), with symbolic links resolved; "" when the loader does not know.
std::string ModulePath(const void* address_in_module);

}  // namespace os

#endif  // FRELANE_PLATFORM_OS_MODULE_PATH_H_
