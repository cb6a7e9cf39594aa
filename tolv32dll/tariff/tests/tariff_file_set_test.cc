#include "tolv32dll/tariff/tariff_file_set.h"

#include <gtest/gtest.h>
#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <functional>
#include <string>
#include <vector>

#include "platform/os/dir_watch.h"
#include "platform/os/file_cache.h"
#include "testkit/temp_dir.h"

namespace tolv {
namespace {

FileNo No(const char* two) { return {two[0], two[1]}; }

CurrentTariff Tariff(const char* name = "ABCD0001") {
  CurrentTariff t;
  std::copy_n(name, 8, t.tariff_name.begin());
  for (FileNo* f : {&t.default_file_no, &t.lane_adj_file_no, &t.index_file_no, &t.rate_file_no,
                    &t.weight_type_file_no, &t.point_file_no, &t.exp_file_no, &t.factor_file_no})
    *f = No("01");
  return t;
}

class TariffFileSetTest : public ::testing::Test {
 protected:
  TariffFileSetTest() { files_.SetTariffDataDirectory(dir_.path()); }
  void Touch(const std::string& name, std::string_view bytes = "0123456789") {
    dir_.Write(name, bytes);
  }
  testkit::TempDir dir_;
  TariffFileSet files_;
};

TEST_F(TariffFileSetTest, LetterFileNumberTakesTheDefaultNumber) {
  CurrentTariff t = Tariff();
  t.point_file_no = No("AA");
  t.default_file_no = No("03");
  Touch("ABCD0001.P03");
  EXPECT_EQ(files_.TariffFile_OpenPoints(t, "15213", "43215", 'O', false), kOk);
  EXPECT_EQ(files_.points_suffix(), 'P');
  EXPECT_EQ(*files_.TariffFileName(t, ".P", t.point_file_no, false), dir_.path() + "ABCD0001.P03");
}

TEST_F(TariffFileSetTest, NamesAreFoundWithoutRegardToCase) {
  Touch("abcd0001.m01");
  EXPECT_EQ(files_.Open(TariffFileKind::kMin, Tariff()), kOk);
  EXPECT_TRUE(files_.file(TariffFileKind::kMin).is_open());
}

TEST_F(TariffFileSetTest, EachMissingFileGivesItsNumber) {
  CurrentTariff t = Tariff();
  struct Row {
    TariffFileKind kind;
    ErrorNumber error;
  };
  const Row rows[] = {{TariffFileKind::kLiteBase, 221},   {TariffFileKind::kLiteMatrix, 222},
                      {TariffFileKind::kExp, 220},        {TariffFileKind::kLaneAdjBinary, 230},
                      {TariffFileKind::kLaneAdjA, 231},   {TariffFileKind::kMin, 225},
                      {TariffFileKind::kRbnoAddons, 260}, {TariffFileKind::kClassFactors, 270},
                      {TariffFileKind::kZipRbn, 205},     {TariffFileKind::kEBase, 273},
                      {TariffFileKind::kEMatrix, 274},    {TariffFileKind::kLaneBaseU, 278}};
  for (const Row& row : rows) {
    EXPECT_EQ(files_.Open(row.kind, t), row.error) << static_cast<int>(row.kind);
    EXPECT_FALSE(files_.file(row.kind).is_open());
  }
  EXPECT_EQ(files_.TariffFile_OpenFactors(t), 204);
  EXPECT_EQ(files_.TariffFile_OpenWeightTypes(t), 219);
  EXPECT_EQ(files_.TariffFile_OpenRateIndex(t, "1", "2"), 207);
  EXPECT_EQ(files_.TariffFile_OpenPoints(t, "1", "2", 'O', false), 206);
  EXPECT_EQ(files_.TariffFile_OpenRba(t), 250);
  EXPECT_EQ(files_.TariffFile_OpenRbaCompanion(t), -1);
  EXPECT_EQ(files_.TariffFile_OpenRates(t), 208);
  EXPECT_EQ(files_.TariffFile_OpenExceptions(t), 1);
  EXPECT_EQ(files_.TariffFile_OpenBorderPoints(t), 271);
  EXPECT_EQ(files_.TariffFile_OpenD(t), kOk);
}

TEST_F(TariffFileSetTest, PresentFilesOpenUnderTheirFileNumbers) {
  CurrentTariff t = Tariff();
  t.lane_adj_file_no = No("07");
  t.rate_file_no = No("08");
  Touch("ABCD0001.L07");
  Touch("ABCD0001.Z08");
  EXPECT_EQ(files_.Open(TariffFileKind::kLaneAdjBinary, t), kOk);
  EXPECT_EQ(files_.Open(TariffFileKind::kZipRbn, t), kOk);
}

TEST_F(TariffFileSetTest, DirectIndirectFallsBackToNinetyNineThenToNothing) {
  CurrentTariff t = Tariff();
  EXPECT_EQ(files_.TariffFile_OpenD(t), kOk);
  EXPECT_FALSE(files_.direct_indirect().is_open());
  EXPECT_EQ(files_.default_service_letter(), ' ');
  Touch("ABCD0001.D99", std::string_view("\x00\x00\x00\x09\x99\x99"
                                         "D",
                                         7));
  EXPECT_EQ(files_.TariffFile_OpenD(t), kOk);
  EXPECT_TRUE(files_.direct_indirect().is_open());
  EXPECT_EQ(files_.default_service_letter(), 'D');
  files_.CloseD();
  Touch("ABCD0001.D01", "abc");  // too short for its header
  EXPECT_EQ(files_.TariffFile_OpenD(t), kOk);
  EXPECT_EQ(files_.default_service_letter(), ' ');
}

TEST_F(TariffFileSetTest, DirectIndirectUsesTheRequestNameForPointTypeY) {
  CurrentTariff t = Tariff("BUREAU01");
  t.point_type = 'Y';
  files_.SetRequestTariffName("REQT0001");
  Touch("REQT0001.D01", "000000I");
  EXPECT_EQ(files_.TariffFile_OpenD(t), kOk);
  EXPECT_EQ(files_.default_service_letter(), 'I');
}

TEST_F(TariffFileSetTest, FactorFileIsRewoundNotReopened) {
  CurrentTariff t = Tariff();
  Touch("ABCD0001.F01", " 100\n 200\n");
  ASSERT_EQ(files_.TariffFile_OpenFactors(t), kOk);
  std::FILE* first = files_.factors().get();
  char line[16];
  ASSERT_NE(File_GetLine(line, sizeof line, first), nullptr);
  ASSERT_EQ(files_.TariffFile_OpenFactors(t), kOk);
  EXPECT_EQ(files_.factors().get(), first);
  ASSERT_NE(File_GetLine(line, sizeof line, first), nullptr);
  EXPECT_STREQ(line, " 100\n");
}

TEST_F(TariffFileSetTest, SwappedDirectionSwitchesIndexAndPointFiles) {
  CurrentTariff t = Tariff();
  t.point_file_mode = 'Y';
  for (const char* name : {"ABCD0001.I01", "ABCD0001.J01", "ABCD0001.P01", "ABCD0001.Q01"})
    Touch(name);
  ASSERT_EQ(files_.TariffFile_OpenRateIndex(t, "15213", "43215"), kOk);
  EXPECT_EQ(files_.rate_index_suffix(), 'I');
  ASSERT_EQ(files_.TariffFile_OpenRateIndex(t, "15213", "43215"), kOk);
  EXPECT_EQ(files_.rate_index_suffix(), 'I') << "kept while the suffix stays";
  ASSERT_EQ(files_.TariffFile_OpenRateIndex(t, "43215", "15213"), kOk);
  EXPECT_EQ(files_.rate_index_suffix(), 'J');
  ASSERT_EQ(files_.TariffFile_OpenPoints(t, "43215", "15213", 'O', false), kOk);
  EXPECT_EQ(files_.points_suffix(), 'Q');
  ASSERT_EQ(files_.TariffFile_OpenPoints(t, "15213", "43215", 'O', false), kOk);
  EXPECT_EQ(files_.points_suffix(), 'P');
  EXPECT_EQ(&files_.points_origin(), &files_.points_destination());
  // Other modes never take .J.
  t.point_file_mode = 'S';
  files_.CloseRateIndex();
  ASSERT_EQ(files_.TariffFile_OpenRateIndex(t, "43215", "15213"), kOk);
  EXPECT_EQ(files_.rate_index_suffix(), 'I');
}

TEST_F(TariffFileSetTest, PointFileChoiceByModeTypeSideAndAlternate) {
  CurrentTariff t = Tariff();
  Touch("ABCD0001.P01");
  Touch("ABCD0001.Y01");
  t.point_type = '6';
  ASSERT_EQ(files_.TariffFile_OpenPoints(t, "1", "2", 'O', true), kOk);
  EXPECT_EQ(files_.points_suffix(), 'Y');
  t.point_file_mode = 'M';
  t.point_type = 'E';
  EXPECT_EQ(files_.TariffFile_OpenPoints(t, "1", "2", 'D', false), 206) << "no .Q yet";
  Touch("ABCD0001.Q01");
  ASSERT_EQ(files_.TariffFile_OpenPoints(t, "1", "2", 'D', false), kOk);
  EXPECT_EQ(files_.points_suffix(), 'Q');
  // Mode 'S': .P for the origin and .Q for the destination, two files.
  t.point_file_mode = 'S';
  ASSERT_EQ(files_.TariffFile_OpenPoints(t, "1", "2", 'O', false), kOk);
  EXPECT_NE(&files_.points_origin(), &files_.points_destination());
  t.point_type = 'N';
  ASSERT_EQ(files_.TariffFile_OpenPoints(t, "1", "2", 'O', false), kOk);
  EXPECT_EQ(&files_.points_origin(), &files_.points_destination());
}

TEST_F(TariffFileSetTest, ModeSWithoutDestinationFileClosesTheOrigin) {
  CurrentTariff t = Tariff();
  t.point_file_mode = 'S';
  Touch("ABCD0001.P01");
  EXPECT_EQ(files_.TariffFile_OpenPoints(t, "1", "2", 'O', false), 206);
  EXPECT_FALSE(files_.points_origin().is_open());
}

TEST_F(TariffFileSetTest, RateFileControlBlockHoldsTheSize) {
  Touch("ABCD0001.R01", std::string(1234, 'r'));
  ASSERT_EQ(files_.TariffFile_OpenRates(Tariff()), kOk);
  const auto& block = files_.rate_control_block();
  EXPECT_EQ(std::string(block.begin(), block.begin() + 10), std::string("000\0\0\0\0***", 10));
  EXPECT_EQ(os::LoadI32Le(block.data() + 10), 1234);
  for (std::size_t i = 14; i < block.size(); ++i) ASSERT_EQ(block[i], 0) << i;
}

TEST_F(TariffFileSetTest, RbaAndCompanionShareOneSlot) {
  CurrentTariff t = Tariff();
  Touch("ABCD0001.O01", "areas");
  Touch("ABCD0001.H01", "companion");
  ASSERT_EQ(files_.TariffFile_OpenRba(t), kOk);
  ASSERT_EQ(files_.TariffFile_OpenRbaCompanion(t), kOk);
  std::uint8_t first[9];
  ASSERT_EQ(files_.rba().ReadAt(0, first), 9);
  EXPECT_EQ(std::string(first, first + 9), "companion");
}

TEST_F(TariffFileSetTest, NamesThatLeaveTheDirectoryAreRefused) {
  dir_.Write("sub/ABCD0001.M01", "x");
  CurrentTariff escaping = Tariff("../ABCD0");
  EXPECT_FALSE(files_.TariffFileName(escaping, ".M", No("01"), false).has_value());
  EXPECT_EQ(files_.Open(TariffFileKind::kMin, escaping), 225);
  CurrentTariff slash = Tariff();
  slash.rate_file_no = No("/x");
  EXPECT_EQ(files_.Open(TariffFileKind::kMin, slash), 225);
  CurrentTariff nul = Tariff();
  nul.rate_file_no = {'0', '\x01'};
  EXPECT_EQ(files_.Open(TariffFileKind::kMin, nul), 225);
  files_.SetRequestTariffName("..\\..\\x");
  CurrentTariff request = Tariff();
  request.point_type = 'Y';
  EXPECT_EQ(files_.TariffFile_OpenD(request), kOk);
  EXPECT_FALSE(files_.direct_indirect().is_open());
  EXPECT_FALSE(files_.TariffFileName(Tariff("        "), ".M", No("01"), false).has_value());
}

TEST_F(TariffFileSetTest, OverlongPathsAreRefused) {
  files_.SetTariffDataDirectory("/" + std::string(kMaxPathLength - 12, 'd') + "/");
  EXPECT_FALSE(files_.TariffFileName(Tariff(), ".M", No("01"), false).has_value());
}

TEST_F(TariffFileSetTest, ChangingTariffOrDirectoryClosesFiles) {
  CurrentTariff t = Tariff();
  Touch("ABCD0001.M01");
  Touch("ABCD0001.X01");
  // One rating reads one state of the files.
  os::SnapshotScope rating;
  files_.TariffFiles_CloseAll(t);
  ASSERT_EQ(files_.Open(TariffFileKind::kMin, t), kOk);
  files_.TariffFiles_CloseAll(t);
  EXPECT_TRUE(files_.file(TariffFileKind::kMin).is_open()) << "same tariff keeps its files";
  CurrentTariff other = Tariff("WXYZ0001");
  files_.TariffFiles_CloseAll(other);
  EXPECT_FALSE(files_.file(TariffFileKind::kMin).is_open());
  ASSERT_EQ(files_.TariffFile_OpenExceptions(t), kOk);
  files_.SetTariffDataDirectory(dir_.path() + "other/");
  EXPECT_FALSE(files_.exceptions().is_open());
}

// A rating keeps the files of the last one open while the watches vouch for them; a file
// rewritten in place between ratings (through any of its names) is opened afresh.
TEST_F(TariffFileSetTest, OpenFilesServeTheNextRatingOnlyWhileUnchanged) {
  os::SetSettleTimeForTesting(std::chrono::milliseconds(0));
  CurrentTariff t = Tariff();
  auto rate = [&] {
    os::WaitForWatcherForTesting();  // begun a moment after the change, as ratings are
    os::SnapshotScope rating;
    files_.TariffFiles_CloseAll(t);
    EXPECT_EQ(kOk, files_.Open(TariffFileKind::kMin, t));
    std::array<std::uint8_t, 9> bytes{};
    files_.file(TariffFileKind::kMin).ReadAt(0, bytes);
    return std::string(bytes.begin(), bytes.end());
  };
  for (const bool watched : {true, false}) {
    os::SetDirWatchEnabledForTesting(watched);
    Touch("ABCD0001.M01", "minimum-1");
    ASSERT_EQ("minimum-1", rate());
    const os::FileImagePtr first = files_.file(TariffFileKind::kMin).image();
    ASSERT_EQ("minimum-1", rate());
    if (watched) {
      EXPECT_EQ(first, files_.file(TariffFileKind::kMin).image()) << "kept open";
    }
    testkit::TempDir elsewhere;
    ASSERT_EQ(0, ::link(dir_.File("ABCD0001.M01").c_str(), elsewhere.File("link").c_str()));
    const int fd = ::open(elsewhere.File("link").c_str(), O_WRONLY);
    ASSERT_GE(fd, 0);
    ASSERT_EQ(1, ::pwrite(fd, watched ? "2" : "3", 1, 8));
    ::close(fd);
    // Unwatched, only a time of its own tells the change.
    if (!watched) {
      struct timespec times[2] = {{1'000'000'000, 0}, {1'000'000'000, 0}};
      ASSERT_EQ(0, ::utimensat(AT_FDCWD, dir_.File("ABCD0001.M01").c_str(), times, 0));
    }
    EXPECT_EQ(watched ? "minimum-2" : "minimum-3", rate());
  }
  os::SetDirWatchEnabledForTesting(true);
  os::SetSettleTimeForTesting(os::kDefaultSettleTime);
}

TEST_F(TariffFileSetTest, FilesClosedAfterUseNeverServeTheNextTariff) {
  // A change of selection closes every slot, also those whose users close them after
  // use: the next tariff reads its own file, or finds it missing.
  CurrentTariff a = Tariff("ABCD0001");
  CurrentTariff b = Tariff("WXYZ0001");
  struct Kind {
    const char* suffix;
    std::function<ErrorNumber(const CurrentTariff&)> open;
    std::function<const TariffFile&()> slot;
    ErrorNumber missing;
  };
  auto generic = [&](TariffFileKind kind, const char* suffix, ErrorNumber missing) {
    return Kind{suffix, [this, kind](const CurrentTariff& t) { return files_.Open(kind, t); },
                [this, kind]() -> const TariffFile& { return files_.file(kind); }, missing};
  };
  const Kind kinds[] = {
      {".X", [this](const CurrentTariff& t) { return files_.TariffFile_OpenExceptions(t); },
       [this]() -> const TariffFile& { return files_.exceptions(); }, 1},
      {".N", [this](const CurrentTariff& t) { return files_.TariffFile_OpenBorderPoints(t); },
       [this]() -> const TariffFile& { return files_.border_points(); }, 271},
      {".D", [this](const CurrentTariff& t) { return files_.TariffFile_OpenD(t); },
       [this]() -> const TariffFile& { return files_.direct_indirect(); }, kOk},
      generic(TariffFileKind::kEBase, ".Q", 273),
      generic(TariffFileKind::kEMatrix, ".J", 274),
      generic(TariffFileKind::kZipRbn, ".Z", 205),
      generic(TariffFileKind::kClassFactors, ".C", 270),
      generic(TariffFileKind::kRbnoAddons, ".H", 260),
      generic(TariffFileKind::kLaneAdjBinary, ".L", 230),
  };
  for (const Kind& kind : kinds) {
    SCOPED_TRACE(kind.suffix);
    Touch(std::string("ABCD0001") + kind.suffix + "01", "AAAAAAA");
    files_.TariffFiles_CloseAll(a);
    ASSERT_EQ(kind.open(a), kOk);
    files_.TariffFiles_CloseAll(b);
    EXPECT_FALSE(kind.slot().is_open());
    EXPECT_EQ(kind.open(b), kind.missing) << "the other tariff has no such file";
    EXPECT_FALSE(kind.slot().is_open());
    Touch(std::string("WXYZ0001") + kind.suffix + "01", "BBBBBBB");
    files_.TariffFiles_CloseAll(a);
    ASSERT_EQ(kind.open(a), kOk);
    files_.TariffFiles_CloseAll(b);
    ASSERT_EQ(kind.open(b), kOk);
    std::uint8_t first = 0;
    ASSERT_EQ(kind.slot().ReadAt(0, os::MutableByteSpan(&first, 1)), 1);
    EXPECT_EQ(first, 'B');
  }
}

// What the set hands out again without a lookup follows the files from one rating to the
// next, with the directory watched and with the watch off.
TEST_F(TariffFileSetTest, AFileOpenedAgainShowsEachChangeAtTheNextRating) {
  os::SetSettleTimeForTesting(std::chrono::milliseconds(0));
  for (bool watched : {true, false}) {
    SCOPED_TRACE(watched ? "watched" : "checked");
    os::SetDirWatchEnabledForTesting(watched);
    const CurrentTariff t = Tariff();
    Touch("ABCD0001.M01", "first");
    auto rate = [&] {
      os::WaitForWatcherForTesting();  // begun a moment after the change, as ratings are
      os::SnapshotScope rating;
      files_.Close(TariffFileKind::kMin);
      if (files_.Open(TariffFileKind::kMin, t) != kOk) return std::string("<none>");
      std::array<std::uint8_t, 16> bytes{};
      std::int64_t n = files_.file(TariffFileKind::kMin).ReadAt(0, bytes);
      return std::string(bytes.begin(), bytes.begin() + std::max<std::int64_t>(n, 0));
    };
    EXPECT_EQ("first", rate());
    EXPECT_EQ("first", rate());
    Touch("ABCD0001.M01", "again");
    EXPECT_EQ("again", rate());
    ASSERT_EQ(0, ::unlink(dir_.File("ABCD0001.M01").c_str()));
    Touch("abcd0001.m01", "third");
    EXPECT_EQ("third", rate());
    ASSERT_EQ(0, ::unlink(dir_.File("abcd0001.m01").c_str()));
    EXPECT_EQ("<none>", rate());
    EXPECT_EQ("<none>", rate());  // now known to be missing
    Touch("ABCD0001.M01", "back");
    EXPECT_EQ("back", rate());
    ASSERT_EQ(0, ::unlink(dir_.File("ABCD0001.M01").c_str()));

    // A missing companion area file tells the caller so, until one appears.
    auto companion = [&] {
      os::WaitForWatcherForTesting();
      os::SnapshotScope rating;
      return files_.TariffFile_OpenRbaCompanion(t);
    };
    EXPECT_EQ(-1, companion());
    EXPECT_EQ(-1, companion());
    Touch("ABCD0001.H01", "companion");
    EXPECT_EQ(kOk, companion());
    ASSERT_EQ(0, ::unlink(dir_.File("ABCD0001.H01").c_str()));
    EXPECT_EQ(-1, companion());
  }
  os::SetDirWatchEnabledForTesting(true);
  os::SetSettleTimeForTesting(os::kDefaultSettleTime);
}

// Files handed out again without building their names are told apart by every part of the
// name: tariff name (the request's for point type 'Y'), suffix and file number (a letter
// taking the default number).
TEST_F(TariffFileSetTest, FilesKeptForTheNextRatingKeepToTheirOwnNames) {
  os::SetSettleTimeForTesting(std::chrono::milliseconds(0));
  Touch("ABCD0001.P01", "P01");
  Touch("ABCD0001.Q01", "Q01");
  Touch("ABCD0001.P03", "P03");
  Touch("ABCD0001.D01", "000000T");
  Touch("WXYZ0001.D01", "000000R");
  files_.SetRequestTariffName("WXYZ0001");
  auto first_bytes = [](const TariffFile& file) {
    std::array<std::uint8_t, 3> bytes{};
    file.ReadAt(0, bytes);
    return std::string(bytes.begin(), bytes.end());
  };
  CurrentTariff t = Tariff();
  t.point_file_mode = 'S';
  t.point_file_no = No("AA");  // default "01"
  CurrentTariff by_default = t;
  by_default.default_file_no = No("03");
  by_default.point_type = 'N';  // .P serves both ends
  CurrentTariff by_request = t;
  by_request.point_type = 'Y';
  for (int rating = 0; rating < 3; ++rating) {
    SCOPED_TRACE(rating);
    os::WaitForWatcherForTesting();
    os::SnapshotScope scope;
    ASSERT_EQ(files_.TariffFile_OpenPoints(t, "15213", "43215", 'O', false), kOk);
    EXPECT_EQ("P01", first_bytes(files_.points_origin()));
    EXPECT_EQ("Q01", first_bytes(files_.points_destination()));
    ASSERT_EQ(files_.TariffFile_OpenPoints(by_default, "15213", "43215", 'O', false), kOk);
    EXPECT_EQ("P03", first_bytes(files_.points_origin()));
    for (const CurrentTariff& d : {t, by_request}) {
      files_.CloseD();
      files_.TariffFile_OpenD(d);
      EXPECT_EQ(d.point_type == 'Y' ? 'R' : 'T', files_.default_service_letter());
    }
  }
  os::SetSettleTimeForTesting(os::kDefaultSettleTime);
}

// Where nothing would tell of a file's arrival, a missing file is looked up at each rating.
TEST_F(TariffFileSetTest, AFileMissingFromAnUnwatchedDirectoryIsLookedUpAgain) {
  os::SetDirWatchEnabledForTesting(false);
  testkit::TempDir unwatched;
  files_.SetTariffDataDirectory(unwatched.path());
  auto companion = [&] {
    os::SnapshotScope rating;
    return files_.TariffFile_OpenRbaCompanion(Tariff());
  };
  EXPECT_EQ(-1, companion());
  EXPECT_EQ(-1, companion());
  unwatched.Write("ABCD0001.H01", "companion");
  EXPECT_EQ(kOk, companion());
  os::SetDirWatchEnabledForTesting(true);
}

}  // namespace
}  // namespace tolv
