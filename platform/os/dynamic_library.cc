#include "platform/os/dynamic_library.h"

#include <dlfcn.h>

namespace os {

std::unique_ptr<DynamicLibrary> DynamicLibrary::Open(const std::string& path, std::string* error) {
  if (path.empty()) {
    if (error) *error = "no library path given";
    return nullptr;
  }
  void* handle = ::dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
  if (handle == nullptr) {
    const char* reason = ::dlerror();
    if (error) *error = reason ? reason : ("cannot load " + path);
    return nullptr;
  }
  return std::unique_ptr<DynamicLibrary>(new DynamicLibrary(handle));
}

DynamicLibrary::~DynamicLibrary() { ::dlclose(handle_); }

void* DynamicLibrary::Symbol(const char* name) const {
  if (name == nullptr) return nullptr;
  return ::dlsym(handle_, name);
}

}  // namespace os
