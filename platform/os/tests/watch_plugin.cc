// A shared library of its own holding the directory watch, for the unload test.
#include "platform/os/dir_watch.h"

extern "C" __attribute__((visibility("default"))) int OsWatchPluginWatch(const char* dir) {
  return os::IsWatchedForTesting(dir) ? 1 : 0;
}
