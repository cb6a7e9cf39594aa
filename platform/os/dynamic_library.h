// A shared library loaded by path and its symbols found by name; unloaded when the object
// goes away. The stand-in for loading a library and asking it for an entry point.
#ifndef FRELANE_PLATFORM_OS_DYNAMIC_LIBRARY_H_
#define FRELANE_PLATFORM_OS_DYNAMIC_LIBRARY_H_

#include <memory>
#include <string>

namespace os {

class DynamicLibrary {
 public:
  // Loads the library at path (all symbols resolved now, kept local). Returns null when it
  // cannot be loaded, with the loader's reason in *error (when not null).
  static std::unique_ptr<DynamicLibrary> Open(const std::string& path, std::string* error);

  ~DynamicLibrary();
  DynamicLibrary(const DynamicLibrary&) = delete;
  DynamicLibrary& operator=(const DynamicLibrary&) = delete;

  // The address of the exported symbol name, or null when the library has none.
  void* Symbol(const char* name) const;

 private:
  explicit DynamicLibrary(void* handle) : handle_(handle) {}
  void* handle_;
};

}  // namespace os

#endif  // FRELANE_PLATFORM_OS_DYNAMIC_LIBRARY_H_
