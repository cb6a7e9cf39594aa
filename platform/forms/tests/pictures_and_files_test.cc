// Picture sizes from file headers built byte by byte, the drive/folder/file lists on a real
// folder, and characters outside ASCII through the key path.
#include <gtest/gtest.h>

#include <filesystem>

#include <cstdint>
#include <string>
#include <vector>

#include "platform/forms/forms.h"
#include "platform/forms/testing/headless_driver.h"
#include "testkit/temp_dir.h"

namespace forms {
namespace {

using testing::HeadlessDriver;

TEST(PictureHeaderTest, ReadsPixelSizesAsTwips) {
  testkit::TempDir dir;
  // BMP: "BM", then the width and height as little-endian i32 at offsets 18 and 22; a
  // negative height is a top-down bitmap.
  std::vector<std::uint8_t> bmp(54, 0);
  bmp[0] = 'B';
  bmp[1] = 'M';
  bmp[18] = 100;                                                   // width 100
  bmp[22] = 0xB0, bmp[23] = 0xFF, bmp[24] = 0xFF, bmp[25] = 0xFF;  // height -80
  dir.Write("map.bmp", bmp);
  // GIF: "GIF89a", width and height as little-endian u16 at 6 and 8.
  dir.Write("logo.gif",
            std::vector<std::uint8_t>{'G', 'I', 'F', '8', '9', 'a', 0x2C, 0x01, 0x0A, 0x00});
  // PNG: signature, IHDR chunk, big-endian width and height at 16 and 20.
  std::vector<std::uint8_t> png = {0x89, 'P', 'N', 'G', 0x0D, 0x0A, 0x1A, 0x0A, 0, 0, 0, 13,
                                   'I',  'H', 'D', 'R', 0,    0,    0x01, 0x00, 0, 0, 0, 0x20};
  dir.Write("head.png", png);
  // JPEG: SOI, an APP0 segment to skip, then SOF0 with height 48 and width 64.
  dir.Write("photo.jpg", std::vector<std::uint8_t>{0xFF, 0xD8, 0xFF, 0xE0, 0x00, 0x04, 0, 0, 0xFF,
                                                   0xC0, 0x00, 0x11, 0x08, 0x00, 0x30, 0x00, 0x40});
  dir.Write("bad.bmp", std::vector<std::uint8_t>{'B', 'M', 0});

  auto bmp_pic = ReadPictureHeader(dir.File("map.bmp"));
  ASSERT_TRUE(bmp_pic);
  EXPECT_EQ(bmp_pic->width, 100 * 15);
  EXPECT_EQ(bmp_pic->height, 80 * 15);
  EXPECT_EQ(ReadPictureHeader(dir.File("logo.gif"))->width, 300 * 15);
  EXPECT_EQ(ReadPictureHeader(dir.File("logo.gif"))->height, 10 * 15);
  EXPECT_EQ(ReadPictureHeader(dir.File("head.png"))->width, 256 * 15);
  EXPECT_EQ(ReadPictureHeader(dir.File("head.png"))->height, 32 * 15);
  EXPECT_EQ(ReadPictureHeader(dir.File("photo.jpg"))->width, 64 * 15);
  EXPECT_EQ(ReadPictureHeader(dir.File("photo.jpg"))->height, 48 * 15);
  EXPECT_FALSE(ReadPictureHeader(dir.File("bad.bmp")));
  EXPECT_FALSE(ReadPictureHeader(dir.File("missing.gif")));
}

class frmFiles : public Form {
 public:
  frmFiles() : Form("frmFiles") {}
  DriveListBox& drvDrives = Add<DriveListBox>("drvDrives", {0, 0, 2000, 285});
  DirListBox& dirFolders = Add<DirListBox>("dirFolders", {0, 300, 2000, 1500});
  FileListBox& flbFiles =
      Add<FileListBox>("flbFiles", {2100, 300, 2000, 1500}, {.pattern = "*.bol;*.TXT"});
  Image& imgMap = Add<Image>("imgMap", {0, 2000, 100, 100});
  TextBox& txtName = Add<TextBox>("txtName", {0, 2200, 2000, 285});
};

TEST(FileListsTest, ListFoldersAndMatchingFilesIgnoringCase) {
  testkit::TempDir dir;
  dir.Write("b.BOL", std::string("x"));
  dir.Write("a.bol", std::string("x"));
  dir.Write("notes.txt", std::string("x"));
  dir.Write("other.dat", std::string("x"));
  dir.Write("sub/inner.bol", std::string("x"));
  Application app;
  HeadlessDriver user(app);
  auto& form = app.Get<frmFiles>();
  form.Show();
  int changes = 0;
  form.dirFolders.on.Change = [&] { ++changes; };
  form.dirFolders.SetPath(dir.path());
  EXPECT_EQ(changes, 1);
  ASSERT_EQ(form.dirFolders.ListCount(), 2);
  EXPECT_EQ(form.dirFolders.List(0), "..");
  EXPECT_EQ(form.dirFolders.List(1), dir.File("sub"));
  form.flbFiles.SetPath(form.dirFolders.Path());
  EXPECT_EQ(form.flbFiles.Items(), (std::vector<std::string>{"a.bol", "b.BOL", "notes.txt"}));
  form.flbFiles.SetFileName("B.bol");
  EXPECT_EQ(form.flbFiles.FileName(), "b.BOL");
  EXPECT_THROW(form.dirFolders.SetPath(dir.File("nope")), runtime::RuntimeError);
  try {
    form.drvDrives.SetDrive("q:");
    FAIL();
  } catch (const runtime::RuntimeError& e) {
    EXPECT_EQ(e.Number(), runtime::kErrDeviceUnavailable);
  }
  // A folder picked by a click is only the current row, as a key would make it; a double
  // click goes into it.
  changes = 0;
  user.Pick(form.dirFolders, 1);
  EXPECT_EQ(form.dirFolders.Path() + "/", dir.path());
  EXPECT_EQ(form.dirFolders.ListIndex(), 1);
  EXPECT_EQ(changes, 0);
  user.DblClick(form.dirFolders);
  EXPECT_EQ(form.dirFolders.Path(), dir.File("sub"));
  EXPECT_EQ(changes, 1);
  // The way-up entry leads to the parent of the folder shown, wherever the program was
  // started, and on up from there to "/", which has none.
  const std::filesystem::path shown = std::filesystem::path(dir.File("sub")).parent_path();
  user.Pick(form.dirFolders, 0);
  user.DblClick(form.dirFolders);
  EXPECT_EQ(form.dirFolders.Path(), shown.string());
  const std::string above = shown.parent_path().string();
  user.Pick(form.dirFolders, 0);
  user.DblClick(form.dirFolders);
  EXPECT_EQ(form.dirFolders.Path(), above);
  // With no row current a double click stays.
  user.DblClick(form.dirFolders);
  EXPECT_EQ(form.dirFolders.Path(), above);
  form.dirFolders.SetPath("/");
  EXPECT_NE(form.dirFolders.List(0), "..");
}

TEST(FileListsTest, ImageTakesItsPicturesSize) {
  testkit::TempDir dir;
  dir.Write("logo.gif", std::vector<std::uint8_t>{'G', 'I', 'F', '8', '7', 'a', 20, 0, 10, 0});
  Application app;
  HeadlessDriver user(app);
  auto& form = app.Get<frmFiles>();
  form.imgMap.SetPicture(LoadPicture(dir.File("logo.gif")));
  EXPECT_EQ(form.imgMap.Width(), 300);
  EXPECT_EQ(form.imgMap.Height(), 150);
  EXPECT_TRUE(LoadPicture(dir.File("none.gif")).empty());
}

TEST(TypingTest, WesternCharactersTravelAsTheirSingleByteCodes) {
  Application app;
  HeadlessDriver user(app);
  auto& form = app.Get<frmFiles>();
  form.Show();
  std::vector<int> keys;
  form.txtName.on.KeyPress = [&](int& key) { keys.push_back(key); };
  user.TypeInto(form.txtName, "Caf\xC3\xA9 \xE2\x82\xAC");  // "Café €"
  EXPECT_EQ(form.txtName.Text(), "Caf\xC3\xA9 \xE2\x82\xAC");
  EXPECT_EQ(keys, (std::vector<int>{'C', 'a', 'f', 0xE9, ' ', 0x80}));
  EXPECT_EQ(form.txtName.SelStart(), 6);  // characters, not bytes
}

}  // namespace
}  // namespace forms
