#include "tolv32dll/engine/initialize.h"

#include <gtest/gtest.h>
#include <stdlib.h>

#include "testkit/read_file.h"
#include "tolv32dll/engine/engine_globals.h"
#include "tolv32dll/engine/tests/engine_test_env.h"

namespace tolv {
namespace {

using InitializeTest = EngineTestEnv;

TEST_F(InitializeTest, DirectoryGetsOneTrailingSeparator) {
  RatingEngine engine;
  EXPECT_EQ(InitializeEngine(engine, DataDirBare().c_str()), kOk);
  EXPECT_EQ(engine.tariff_data_dir, data_.path());
  EXPECT_EQ(engine.effective_path, data_.path());

  RatingEngine with_slash;
  EXPECT_EQ(InitializeEngine(with_slash, data_.path().c_str()), kOk);
  EXPECT_EQ(with_slash.tariff_data_dir, data_.path());

  RatingEngine with_backslash;
  EXPECT_EQ(InitializeEngine(with_backslash, (DataDirBare() + "\\").c_str()), kOk);
  EXPECT_EQ(with_backslash.effective_path, data_.path());
}

TEST_F(InitializeTest, MissingTableOrDirectoryGives203) {
  RatingEngine engine;
  EXPECT_EQ(InitializeEngine(engine, other_.path().c_str()), kErrEfcopn);
  EXPECT_EQ(InitializeEngine(engine, "/no/such/directory"), kErrEfcopn);
  EXPECT_EQ(InitializeEngine(engine, ""), kErrEfcopn) << "the working directory has none";
  // A path longer than the engine's directory buffer is refused, not cut.
  std::string long_dir = "/" + std::string(300, 'd');
  EXPECT_EQ(InitializeEngine(engine, long_dir.c_str()), kErrEfcopn);
  EXPECT_EQ(engine.effective_path, "");
  // An empty table has no first line to read.
  other_.Write("EFCREC.TBL", "");
  EXPECT_EQ(InitializeEngine(engine, other_.path().c_str()), kErrEfcred);
}

TEST_F(InitializeTest, ADataDirectoryWithoutRoomForTariffFileNamesIsRefused) {
  for (std::size_t length : {kMaxDataDirectory, kMaxDataDirectory + 1, kMaxDirectory}) {
    const std::string dir = testkit::LinkedDirectoryOfLength(other_.path(), length, data_.path());
    RatingEngine engine;
    EXPECT_EQ(length <= kMaxDataDirectory ? kOk : kErrEfcopn, InitializeEngine(engine, dir.c_str()))
        << length;

    RatingEngine moved;
    ASSERT_EQ(kOk, InitializeEngine(moved, data_.path().c_str()));
    EXPECT_EQ(length <= kMaxDataDirectory ? SetDirectoryResult::kSet : SetDirectoryResult::kRefused,
              SetTariffDataDirectory(moved, dir.c_str()));
    ::setenv("TOLVDATA", dir.c_str(), 1);
    ASSERT_EQ(kOk, InitializeEngine(moved, data_.path().c_str()));
    EXPECT_EQ(length <= kMaxDataDirectory ? dir : data_.path(), moved.tariff_data_dir);
    ::unsetenv("TOLVDATA");
  }
}

TEST_F(InitializeTest, TolvdataMovesTheTariffFilesButNotTheEffectiveTable) {
  ::setenv("TOLVDATA", other_.path().c_str(), 1);
  RatingEngine engine;
  EXPECT_EQ(InitializeEngine(engine, data_.path().c_str()), kOk);
  EXPECT_EQ(engine.tariff_data_dir, other_.path());
  EXPECT_EQ(engine.tariff.files.tariff_data_directory(), other_.path());
  EXPECT_EQ(engine.effective_path, data_.path());

  // Without a trailing separator its last component is taken for a file name.
  ::setenv("TOLVDATA", (other_.path() + "tariffs").c_str(), 1);
  EXPECT_EQ(InitializeEngine(engine, data_.path().c_str()), kOk);
  EXPECT_EQ(engine.tariff_data_dir, other_.path());

  // Too long to hold whole, or empty: ignored.
  ::setenv("TOLVDATA", ("/" + std::string(300, 't') + "/").c_str(), 1);
  EXPECT_EQ(InitializeEngine(engine, data_.path().c_str()), kOk);
  EXPECT_EQ(engine.tariff_data_dir, data_.path());
  ::setenv("TOLVDATA", "", 1);
  EXPECT_EQ(InitializeEngine(engine, data_.path().c_str()), kOk);
  EXPECT_EQ(engine.tariff_data_dir, data_.path());
}

TEST_F(InitializeTest, SettingsAreReadWithTheirDefaultsAndLimits) {
  EngineGlobals& globals = EngineGlobals::Get();
  RatingEngine engine;
  EXPECT_EQ(InitializeEngine(engine, data_.path().c_str()), kOk);  // no kqDll.ini at all
  EXPECT_EQ(engine.debug_flag, 'N');
  EXPECT_EQ(engine.binary_debug, 'N');
  EXPECT_EQ(globals.mb_log_size(), 20);
  EXPECT_EQ(globals.use_critical_section(), 1);

  WriteSettings("[debug]\nbinarydebug=yes\nMBLogSize=0\n[Options]\nUseCriticalSection=0\n");
  EXPECT_EQ(InitializeEngine(engine, data_.path().c_str()), kOk);
  EXPECT_EQ(engine.binary_debug, 'Y');
  EXPECT_EQ(globals.mb_log_size(), 1) << "0 reads as 1";
  EXPECT_EQ(globals.use_critical_section(), 0);
  EXPECT_EQ(globals.settings_path(), "kqDll.ini");

  WriteSettings("[Debug]\nMBLogSize=junk\nDebugFlag=\n[Options]\nUseCriticalSection=x\n");
  EXPECT_EQ(InitializeEngine(engine, data_.path().c_str()), kOk);
  EXPECT_EQ(globals.mb_log_size(), 1);
  EXPECT_NE(engine.debug_flag, 'Y');
  EXPECT_EQ(globals.use_critical_section(), 0);

  WriteSettings("[Debug]\nMBLogSize=-3\n");
  EXPECT_EQ(InitializeEngine(engine, data_.path().c_str()), kOk);
  EXPECT_EQ(globals.mb_log_size(), 1);
  WriteSettings("[Debug]\nMBLogSize=7MB\n");
  EXPECT_EQ(InitializeEngine(engine, data_.path().c_str()), kOk);
  EXPECT_EQ(globals.mb_log_size(), 7);
}

TEST_F(InitializeTest, DebugFlagWritesTheInitialisationSection) {
  WriteSettings("[Debug]\nDebugFlag=y\n");
  RatingEngine engine;
  EXPECT_EQ(InitializeEngine(engine, data_.path().c_str()), kOk);
  EXPECT_EQ(engine.debug_flag, 'Y');
  EXPECT_EQ(testkit::ReadFile(data_.File("tolv.dbg")),
            "\r\nVersion=4.18,1,\r\nEffectivePath=" + data_.path() +
                "EndofString\r\nTolvInitializeTolv Return Code=0");

  // A log that cannot be opened switches the flag off; the initialisation still succeeds.
  ::setenv("TOLVDATA", "/no/such/dir/", 1);
  RatingEngine unlogged;
  EXPECT_EQ(InitializeEngine(unlogged, data_.path().c_str()), kOk);
  EXPECT_EQ(unlogged.debug_flag, 'N');
}

TEST_F(InitializeTest, LogReachingItsSizeLimitStartsAnew) {
  WriteSettings("[Debug]\nDebugFlag=Y\nMBLogSize=1\n");
  data_.Write("tolv.dbg", std::string(1048575, 'x'));
  RatingEngine engine;
  EXPECT_EQ(InitializeEngine(engine, data_.path().c_str()), kOk);
  EXPECT_EQ(testkit::ReadFile(data_.File("tolv.dbg")).substr(0, 1048575), std::string(1048575, 'x'))
      << "below one megabyte the log is kept";
  EXPECT_EQ(InitializeEngine(engine, data_.path().c_str()), kOk);
  EXPECT_EQ(testkit::ReadFile(data_.File("tolv.dbg")).substr(0, 10), "\r\nVersion=");
}

TEST_F(InitializeTest, NewTariffDirectoryKeepsOnlyTheDirectoryPart) {
  RatingEngine engine;
  ASSERT_EQ(InitializeEngine(engine, data_.path().c_str()), kOk);
  EXPECT_EQ(SetTariffDataDirectory(engine, (other_.path() + "  \t").c_str()),
            SetDirectoryResult::kSet);
  EXPECT_EQ(engine.tariff_data_dir, other_.path());
  EXPECT_EQ(SetTariffDataDirectory(engine, "/a/b"), SetDirectoryResult::kSet);
  EXPECT_EQ(engine.tariff_data_dir, "/a/");
  EXPECT_EQ(engine.tariff.files.tariff_data_directory(), "/a/");
  EXPECT_EQ(SetTariffDataDirectory(engine, "C:\\tariffs\\"), SetDirectoryResult::kSet);
  EXPECT_EQ(engine.tariff_data_dir, "C:/tariffs/");
  EXPECT_EQ(engine.effective_path, data_.path()) << "the effective path never moves";

  std::string long_path = "/" + std::string(300, 'p') + "/";
  EXPECT_EQ(SetTariffDataDirectory(engine, long_path.c_str()), SetDirectoryResult::kRefused);
  EXPECT_EQ(SetTariffDataDirectory(engine, nullptr), SetDirectoryResult::kRefused);
  EXPECT_EQ(engine.tariff_data_dir, "C:/tariffs/");
}

TEST_F(InitializeTest, SlotLosesItsEngineWhenInitialisationFails) {
  ThreadSlot slot;
  EXPECT_EQ(InitializeThreadEngine(slot, other_.path().c_str()), kErrEfcopn);
  EXPECT_EQ(slot.engine, nullptr);
  EXPECT_FALSE(EndThreadEngine(slot));
  EXPECT_EQ(InitializeThreadEngine(slot, data_.path().c_str()), kOk);
  RatingEngine* first = slot.engine.get();
  ASSERT_NE(first, nullptr);
  // A second initialisation reuses the engine.
  EXPECT_EQ(InitializeThreadEngine(slot, data_.path().c_str()), kOk);
  EXPECT_EQ(slot.engine.get(), first);
  EXPECT_TRUE(EndThreadEngine(slot));
  EXPECT_EQ(slot.engine, nullptr);
}

}  // namespace
}  // namespace tolv
