#include "platform/os/dynamic_library.h"

#include <gtest/gtest.h>
#include <limits.h>
#include <stdlib.h>

#include "platform/os/module_path.h"
#include "testkit/temp_dir.h"
#include "testkit/thread_count.h"

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

// A library that watched a directory takes its watcher thread with it when unloaded:
// left running, the thread would wake into code that is gone.
TEST(DynamicLibraryTest, UnloadingALibraryThatWatchesEndsItsWatcherThread) {
  testkit::TempDir dir;
  const int before = testkit::ThreadCount();
  std::string error;
  auto library = DynamicLibrary::Open(FRELANE_OS_WATCH_PLUGIN, &error);
  ASSERT_TRUE(library) << error;
  auto watch = reinterpret_cast<int (*)(const char*)>(library->Symbol("OsWatchPluginWatch"));
  ASSERT_NE(watch, nullptr);
  if (watch(dir.path().c_str()) != 1) GTEST_SKIP() << "no directory watch to be had here";
  EXPECT_EQ(before + 1, testkit::ThreadCount()) << "the library's own watcher thread";
  library.reset();
  // Joined before the unload returns.
  EXPECT_EQ(before, testkit::ThreadCountOnceSettledAt(before));
}

TEST(ModulePathTest, TheProgramItselfAndUnknownAddresses) {
  EXPECT_EQ(ModulePath(reinterpret_cast<const void*>(&FunctionOfTheProgram)),
            RealPath("/proc/self/exe"));
  EXPECT_EQ(ModulePath(nullptr), "");
}

}  // namespace
}  // namespace os
