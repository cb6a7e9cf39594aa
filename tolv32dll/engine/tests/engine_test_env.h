// Test surroundings of an engine: a data directory with EFCREC.TBL, a working directory
// holding kqDll.ini (the engine's fallback when none sits beside the library), and
// TOLVDATA cleared; everything restored afterwards.
#ifndef TOLV32DLL_ENGINE_TESTS_ENGINE_TEST_ENV_H_
#define TOLV32DLL_ENGINE_TESTS_ENGINE_TEST_ENV_H_

#include <gtest/gtest.h>
#include <limits.h>
#include <stdlib.h>
#include <unistd.h>

#include <string>

#include "testkit/effective/efcrec_writer.h"
#include "testkit/temp_dir.h"

namespace tolv {

class EngineTestEnv : public ::testing::Test {
 protected:
  void SetUp() override {
    char cwd[PATH_MAX];
    ASSERT_NE(::getcwd(cwd, sizeof cwd), nullptr);
    old_cwd_ = cwd;
    ASSERT_EQ(::chdir(work_.path().c_str()), 0);
    ::unsetenv("TOLVDATA");
    data_.Write("EFCREC.TBL", testkit::EfcrecFile({testkit::EfcrecLine{}}));
    data_.Write("TDS.SEQ", "");  // no select lines and no areas: enough to open
    data_.Write("TDA.SEQ", "");
  }
  void TearDown() override {
    ::unsetenv("TOLVDATA");
    ASSERT_EQ(::chdir(old_cwd_.c_str()), 0);
  }
  void WriteSettings(std::string_view text) { work_.Write("kqDll.ini", text); }
  // The data directory without its trailing "/".
  std::string DataDirBare() const { return data_.path().substr(0, data_.path().size() - 1); }

  testkit::TempDir work_;
  testkit::TempDir data_;
  testkit::TempDir other_;
  std::string old_cwd_;
};

}  // namespace tolv

#endif  // TOLV32DLL_ENGINE_TESTS_ENGINE_TEST_ENV_H_
