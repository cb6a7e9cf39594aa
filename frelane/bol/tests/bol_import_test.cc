// Import from another installation: the command of the editor with its dialog, replacing
// and appending the books, the refusal of the data directory under other spellings, and a
// failed write that leaves the old books whole.
#include <filesystem>

#include "frelane/bol/bol_import.h"
#include "frelane/bol/frm_bol.h"
#include "frelane/bol/frm_import.h"
#include "frelane/bol/tests/bol_test_support.h"
#include "frelane/core/field_helpers.h"
#include "platform/os/dir_watch.h"
#include "platform/os/file_cache.h"

namespace frelane::testing {
namespace {

namespace fs = std::filesystem;
using forms::MsgBoxResult;
using testkit::bol::Bytes;
using testkit::bol::NamedParty;
using testkit::bol::PartyBytes;

constexpr char kSameDirectory[] = "You can not import information from the same directory";

class ImportTest : public BolTest {
 protected:
  void SetUp() override {
    BolTest::SetUp();
    old_ = dir_.path() + "old";
    theirs_shippers_ = testkit::bol::Concatenate(
        {PartyBytes(NamedParty("Alder Mill")), PartyBytes(NamedParty("Gone Away", 255)),
         PartyBytes(NamedParty("Elm Quarry"))});
    Bytes torn = theirs_shippers_;
    torn.resize(torn.size() + 40, 'x');  // a partial record at the end is not taken
    dir_.Write("old/SHIPPER.DAT", torn);
    dir_.Write("old/Consigne.dat", PartyBytes(NamedParty("Fir Supply")));
    dir_.Write("old/Product.dat", testkit::bol::ProductBytes(testkit::bol::NamedProduct("Pine")));
  }

  // Own books of an earlier use.
  void WriteOwnBooks() {
    WriteFile("Shipper.dat", SampleShippers());
    WriteFile("Consigne.dat", PartyBytes(NamedParty("Own Consignee")));
    WriteFile("ThirdPty.dat", PartyBytes(NamedParty("Own Third")));
  }

  // The user picks `path` in the import dialog and presses OK.
  void ChooseInDialog(const std::string& path) {
    user_.WhenShown("frmImport", [this, path] {
      frmImport& d = app_.Get<frmImport>();
      EXPECT_EQ(d.Caption(), "BOL Import");
      d.Dir1.SetPath(path);
      user_.Click(d.btnOK);
    });
  }

  frmBOL& Editor() {
    frmBOL& f = app_.Get<frmBOL>();
    f.Show();
    return f;
  }

  std::string old_;
  Bytes theirs_shippers_;
};

TEST_F(ImportTest, FirstStartTakesEveryBookWithoutAQuestion) {
  user_.ExpectMsgBox(MsgBoxResult::kYes, "Do you have a previous version");
  user_.WhenShown("frmImport", [this] {
    frmImport& d = app_.Get<frmImport>();
    // The list starts in the data directory; the user opens "old" by double-click.
    EXPECT_EQ(d.Dir1.Path() + "/", dir_.path());
    EXPECT_EQ(d.Dir1.List(0), "..");
    int old_entry = -1;
    for (int i = 0; i < d.Dir1.ListCount(); ++i) {
      if (d.Dir1.List(i) == old_) old_entry = i;
    }
    ASSERT_GE(old_entry, 0);
    user_.Pick(d.Dir1, old_entry);
    user_.DblClick(d.Dir1);
    EXPECT_EQ(d.Dir1.Path(), old_);
    EXPECT_EQ(d.lblPath.Caption(), old_);
    user_.Click(d.btnOK);
  });
  user_.ExpectMsgBox(MsgBoxResult::kOK, "Import Complete");
  frmBOL& f = Editor();
  EXPECT_TRUE(user_.AllMessageBoxesShown());
  EXPECT_EQ(Read("Shipper.dat"), AsText(theirs_shippers_));
  EXPECT_EQ(Read("Product.dat").size(), 318u);
  ASSERT_EQ(f.cboShipperName.ListCount(), 2);  // the deleted one stays deleted
  EXPECT_EQ(f.cboShipperName.List(0), "Alder Mill");
  EXPECT_EQ(f.cboShipperName.ItemData(1), 3);
}

TEST_F(ImportTest, OverwriteReplacesAppendAddsAndNoNoChangesNothing) {
  WriteOwnBooks();
  frmBOL& f = Editor();
  user_.Pick(f.cboShipperName, 1);  // Cedar Point Glass, record 3
  ASSERT_EQ(f.CurrentShipperRecord(), 3);
  user_.TypeInto(f.cboConsigneeName, "Walk-in Buyer");
  // The reloaded lists still show the bill's names, as the bill holds them.
  auto names_kept = [&f] {
    os::ConstRecordView bill = modBOL::CurrentBOL().View();
    EXPECT_EQ(f.cboShipperName.Text(), "Cedar Point Glass");
    EXPECT_EQ(modMain::Trim(bill.Utf8Text(bol::bill::kShipperName)), "Cedar Point Glass");
    EXPECT_EQ(f.cboConsigneeName.Text(), "Walk-in Buyer");
    EXPECT_EQ(modMain::Trim(bill.Utf8Text(bol::bill::kConsigneeName)), "Walk-in Buyer");
    EXPECT_EQ(f.cboThirdPartyName.Text(), "");
  };

  ChooseInDialog(old_);
  user_.ExpectMsgBox(MsgBoxResult::kYes, "Information already exists.  Would you like to overwrite?");
  user_.ExpectMsgBox(MsgBoxResult::kOK, "Import Complete");
  user_.MenuClick(f.mnuFileImport);
  EXPECT_EQ(Read("Shipper.dat"), AsText(theirs_shippers_));
  EXPECT_EQ(Read("ThirdPty.dat"), AsText(PartyBytes(NamedParty("Own Third"))));  // no source
  EXPECT_EQ(f.CurrentShipperRecord(), -1);  // record 3 is another shipper now
  names_kept();

  // Appending also forgets the picked records.
  user_.Pick(f.cboShipperName, 0);  // Alder Mill, record 1
  ASSERT_EQ(f.CurrentShipperRecord(), 1);
  ChooseInDialog(old_);
  user_.ExpectMsgBox(MsgBoxResult::kNo, "overwrite");
  user_.ExpectMsgBox(MsgBoxResult::kYes, "Would you like to append?");
  user_.ExpectMsgBox(MsgBoxResult::kOK, "Import Complete");
  user_.MenuClick(f.mnuFileImport);
  EXPECT_EQ(Read("Shipper.dat"), AsText(theirs_shippers_) + AsText(theirs_shippers_));
  EXPECT_EQ(f.cboShipperName.ListCount(), 4);
  EXPECT_EQ(f.CurrentShipperRecord(), -1);
  EXPECT_EQ(f.cboShipperName.Text(), "Alder Mill");

  const std::string before = Read("Shipper.dat");
  ChooseInDialog(old_);
  user_.ExpectMsgBox(MsgBoxResult::kNo, "overwrite");
  user_.ExpectMsgBox(MsgBoxResult::kNo, "append");
  user_.ExpectMsgBox(MsgBoxResult::kOK, "Import Complete");
  user_.MenuClick(f.mnuFileImport);
  EXPECT_EQ(Read("Shipper.dat"), before);

  // Cancel imports nothing and asks nothing.
  user_.WhenShown("frmImport", [this] { user_.Click(app_.Get<frmImport>().btnCancel); });
  user_.MenuClick(f.mnuFileImport);
  EXPECT_EQ(Read("Shipper.dat"), before);
  EXPECT_TRUE(user_.AllMessageBoxesShown());
}

TEST_F(ImportTest, TheDataDirectoryIsRefusedUnderAnySpelling) {
  WriteOwnBooks();
  const std::string own = Read("Shipper.dat");
  testkit::TempDir elsewhere;
  fs::create_directory_symlink(fs::path(dir_.path()).parent_path(), elsewhere.File("data"));
  fs::create_directory(elsewhere.File("books"));
  fs::create_symlink(dir_.File("Shipper.dat"), elsewhere.File("books/shipper.dat"));

  frmBOL& f = Editor();
  for (const std::string& path : {elsewhere.File("data"), elsewhere.File("books")}) {
    ChooseInDialog(path);
    user_.ExpectMsgBox(MsgBoxResult::kOK, kSameDirectory);
    user_.MenuClick(f.mnuFileImport);
  }
  EXPECT_TRUE(user_.AllMessageBoxesShown());
  EXPECT_EQ(Read("Shipper.dat"), own);

  // Spellings the dialog would tidy up itself.
  std::string data = dir_.path();
  std::string upper = data;
  for (char& c : upper) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  EXPECT_TRUE(bol::IsDataDirectory(old_ + "/.."));
  EXPECT_TRUE(bol::IsDataDirectory(upper));
  EXPECT_TRUE(bol::IsDataDirectory(data.substr(0, data.size() - 1)));
  EXPECT_FALSE(bol::IsDataDirectory(old_));
}

TEST_F(ImportTest, AWriteFailingHalfwayLeavesTheOldBooksWhole) {
  WriteOwnBooks();
  const std::string consignees = Read("Consigne.dat");
  frmBOL& f = Editor();
  bol::SetFileWriterForTesting([](const std::string& path, std::span<const std::uint8_t>,
                                  std::string* error) {
    if (error) *error = path + " cannot be written: No space left on device";
    return false;
  });
  ChooseInDialog(old_);
  user_.ExpectMsgBox(MsgBoxResult::kYes, "overwrite");
  user_.ExpectMsgBox(MsgBoxResult::kOK, "No space left on device");
  user_.MenuClick(f.mnuFileImport);
  EXPECT_TRUE(user_.AllMessageBoxesShown());
  EXPECT_EQ(Read("Shipper.dat"), AsText(SampleShippers()));
  EXPECT_EQ(Read("Consigne.dat"), consignees);
  EXPECT_EQ(f.cboShipperName.ListCount(), 3);
}

// The folder imported from is looked in once: it keeps none of the system's watches after
// the import, while the data directory the engine claims stays watched.
TEST_F(ImportTest, TheFolderImportedFromHoldsNoWatchAfterTheImport) {
  WriteOwnBooks();
  const os::DirectoryClaim engine_data(dir_.path());
  if (!os::IsWatchedForTesting(dir_.path())) GTEST_SKIP() << "no inotify on this file system";
  EXPECT_TRUE(bol::AnyOwnBook());
  os::WaitForWatcherForTesting();
  const std::size_t watches = os::WatchCountForTesting();
  frmBOL& f = Editor();
  ChooseInDialog(old_);
  user_.ExpectMsgBox(MsgBoxResult::kYes, "overwrite");
  user_.ExpectMsgBox(MsgBoxResult::kOK, "Import Complete");
  user_.MenuClick(f.mnuFileImport);
  EXPECT_TRUE(user_.AllMessageBoxesShown());
  EXPECT_EQ(Read("Consigne.dat"), AsText(PartyBytes(NamedParty("Fir Supply"))));
  os::WaitForWatcherForTesting();
  EXPECT_EQ(watches, os::WatchCountForTesting());
}

}  // namespace
}  // namespace frelane::testing
