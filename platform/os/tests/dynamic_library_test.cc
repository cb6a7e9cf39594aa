#include "platform/os/dynamic_library.h"

#include <gtest/gtest.h>
#include <limits.h>
#include <dirent.h>
#include <stdlib.h>

#include <chrono>
#include <thread>

#include "platform/os/module_path.h"
#include "testkit/temp_dir.h"

namespace os {
namespace {

std::string RealPath(const std::string& path) {
  char resolved[PATH_MAX];
  return ::realpath(path.c_str(), resolved) ? resolved : "";
}

int FunctionOfTheProgram() { return 1; }

TEST(DynamicLibraryTest, LoadsFindsSymbolsAndKnowsItsPath) {
  std::string error;
  auto library = DynamicLibrary::Open(FRELANE_OS_TEST_PLUGIN, &error);
  ASSERT_TRUE(library) << error;
  void* answer = library->Symbol("OsTestPluginAnswer");
  ASSERT_NE(answer, nullptr);
  EXPECT_EQ(reinterpret_cast<int (*)()>(answer)(), 42);
  EXPECT_EQ(library->Symbol("NoSuchSymbol"), nullptr);
  EXPECT_EQ(library->Symbol(nullptr), nullptr);
  EXPECT_EQ(ModulePath(answer), RealPath(FRELANE_OS_TEST_PLUGIN));
}

TEST(DynamicLibraryTest, MissingLibraryIsAnErrorNotACrash) {
  std::string error;
  EXPECT_EQ(DynamicLibrary::Open("/no/such/libDraymap32.so", &error), nullptr);
  EXPECT_FALSE(error.empty());
  EXPECT_EQ(DynamicLibrary::Open("", nullptr), nullptr);
}

// The threads of this process.
int ThreadCount() {
  int n = 0;
  if (DIR* tasks = ::opendir("/proc/self/task")) {
    while (const dirent* entry = ::readdir(tasks)) n += entry->d_name[0] != '.';
    ::closedir(tasks);
  }
  return n;
}

// A library that watched a directory takes its watcher thread with it when unloaded:
// left running, the thread would wake into code that is gone.
TEST(DynamicLibraryTest, UnloadingALibraryThatWatchesEndsItsWatcherThread) {
  testkit::TempDir dir;
  const int before = ThreadCount();
  std::string error;
  auto library = DynamicLibrary::Open(FRELANE_OS_WATCH_PLUGIN, &error);
  ASSERT_TRUE(library) << error;
  auto watch = reinterpret_cast<int (*)(const char*)>(library->Symbol("OsWatchPluginWatch"));
  ASSERT_NE(watch, nullptr);
  if (watch(dir.path().c_str()) != 1) GTEST_SKIP() << "no directory watch to be had here";
  EXPECT_EQ(before + 1, ThreadCount()) << "the library's own watcher thread";
  library.reset();
  // Joined before the unload returns; the system may list the thread a moment longer.
  const auto give_up = std::chrono::steady_clock::now() + std::chrono::seconds(5);
  while (ThreadCount() != before && std::chrono::steady_clock::now() < give_up) {
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
  EXPECT_EQ(before, ThreadCount());
}

TEST(ModulePathTest, TheProgramItselfAndUnknownAddresses) {
  EXPECT_EQ(ModulePath(reinterpret_cast<const void*>(&FunctionOfTheProgram)),
            RealPath("/proc/self/exe"));
  EXPECT_EQ(ModulePath(nullptr), "");
}

}  // namespace
}  // namespace os
