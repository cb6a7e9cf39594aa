// Export Setup and the file chooser through the headless driver: what the dialog shows from
// the settings, what Save stores and writes, and how the chooser joins the chosen path.
#include "frelane/rating/frm_export_setup.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>

#include "frelane/core/main_module.h"
#include "frelane/rating/frm_common_dialog.h"
#include "frelane/rating/shipment_export.h"
#include "platform/forms/application.h"
#include "platform/forms/testing/headless_driver.h"
#include "platform/runtime/error.h"
#include "testkit/read_file.h"
#include "testkit/temp_dir.h"

namespace frelane {
namespace {

using modShipmentExport::ExportSettings;

class ExportSetupTest : public ::testing::Test {
 protected:
  ExportSetupTest() : user_(app_) {}
  void SetUp() override {
    modMain::Reset();
    modMain::Get().data_directory = dir_.path();
    ExportSettings() = {};
    dir_.Write("quotes.csv", "");
    dir_.Write("notes.doc", "");
    dir_.Write("sub/inner.txt", "");
  }
  void TearDown() override { ExportSettings() = {}; }

  // The data directory as the folder list shows it.
  std::string Folder() const {
    std::string f = dir_.path();
    f.pop_back();
    return f;
  }

  testkit::TempDir dir_;
  forms::Application app_;
  forms::testing::HeadlessDriver user_;
  frmExportSetup& setup_ = app_.Get<frmExportSetup>();
  frmCommonDialog& chooser_ = app_.Get<frmCommonDialog>();
};

TEST_F(ExportSetupTest, FirstOpeningShowsReplaceAndFixedWidthAndRefusesExportAllWithoutFile) {
  user_.WhenShown("frmExportSetup", [&] {
    EXPECT_TRUE(setup_.optCreate.Value());
    EXPECT_TRUE(setup_.optFixedWidth.Value());
    EXPECT_EQ(setup_.chkExportAll.Value(), 0);
    EXPECT_EQ(setup_.lblPathFile.Caption(), "");
    user_.Click(setup_.chkExportAll);
    user_.ExpectMsgBox(forms::MsgBoxResult::kOK, "You must specify an output file");
    user_.Click(setup_.btnSave);
    EXPECT_TRUE(setup_.IsVisible());
    EXPECT_EQ(setup_.ActiveControl(), &setup_.btnFileLookup);
    user_.Click(setup_.btnIgnore);
  });
  setup_.ShowModal();
  EXPECT_FALSE(std::filesystem::exists(dir_.File("Defaults.ini")));
  EXPECT_EQ(ExportSettings().ExportAll, "");
}

TEST_F(ExportSetupTest, SaveStoresTheChoicesAndWritesThemInOrder) {
  user_.WhenShown("frmExportSetup", [&] {
    user_.WhenShown("frmCommonDialog", [&] {
      EXPECT_EQ(chooser_.lblPath.Caption(), Folder());
      user_.TypeInto(chooser_.txtFileName, "out.csv");
      user_.Click(chooser_.cmdOK);
    });
    user_.Click(setup_.btnFileLookup);
    EXPECT_EQ(setup_.lblPathFile.Caption(), dir_.File("out.csv"));
    user_.Click(setup_.optAppend);
    user_.Click(setup_.optCommaSeparated);
    user_.Click(setup_.chkExportAll);
    user_.Click(setup_.btnSave);
  });
  setup_.ShowModal();
  EXPECT_FALSE(setup_.IsLoaded());
  EXPECT_EQ(ExportSettings().ExportAll, "Y");
  EXPECT_EQ(ExportSettings().Append, "Y");
  EXPECT_EQ(ExportSettings().CommaSeparated, "Y");
  EXPECT_EQ(ExportSettings().PathFile, dir_.File("out.csv"));
  EXPECT_EQ(testkit::ReadFile(dir_.File("Defaults.ini")),
            "[ShipmentExport]\r\nExportAll=Y\r\nAppend=Y\r\nPathFile=" + dir_.File("out.csv") +
                "\r\nCommaSeparated=Y\r\n");

  // Opened again, it shows what was saved; a cancelled chooser keeps the path.
  user_.WhenShown("frmExportSetup", [&] {
    EXPECT_TRUE(setup_.optAppend.Value());
    EXPECT_TRUE(setup_.optCommaSeparated.Value());
    EXPECT_EQ(setup_.chkExportAll.Value(), 1);
    user_.WhenShown("frmCommonDialog", [&] { user_.Click(chooser_.cmdCancel); });
    user_.Click(setup_.btnFileLookup);
    EXPECT_EQ(setup_.lblPathFile.Caption(), dir_.File("out.csv"));
    user_.PressEscape();  // as Ignore
  });
  setup_.ShowModal();
}

TEST_F(ExportSetupTest, SavingWithoutFileAndWithoutExportAllStoresAnEmptyPath) {
  ExportSettings() = {"N", "Y", "N", "  "};
  user_.WhenShown("frmExportSetup", [&] { user_.Click(setup_.btnSave); });
  setup_.ShowModal();
  EXPECT_EQ(ExportSettings().PathFile, "");
  EXPECT_EQ(ExportSettings().Append, "Y");

  // Defaults.ini cannot be written: one message names it, the choices hold for the run.
  std::filesystem::remove(dir_.File("Defaults.ini"));
  std::filesystem::create_directory(dir_.File("Defaults.ini"));
  user_.WhenShown("frmExportSetup", [&] {
    user_.Click(setup_.optCommaSeparated);
    user_.ExpectMsgBox(forms::MsgBoxResult::kOK,
                       "The export settings could not be written to " + dir_.File("Defaults.ini"));
    user_.Click(setup_.btnSave);
  });
  setup_.ShowModal();
  EXPECT_EQ(user_.MessageBoxes().size(), 1u);
  EXPECT_FALSE(setup_.IsLoaded());
  EXPECT_EQ(ExportSettings().CommaSeparated, "Y");
  EXPECT_TRUE(std::filesystem::is_directory(dir_.File("Defaults.ini")));
}

TEST_F(ExportSetupTest, ChooserListsThePatternsAndFilesAndJoinsTheChosenName) {
  chooser_.SetFilter("*.csv;*.prn;*.txt");
  user_.WhenShown("frmCommonDialog", [&] {
    EXPECT_EQ(chooser_.Caption(), "Open");
    ASSERT_EQ(chooser_.cboFileTypes.ListCount(), 2);
    EXPECT_EQ(chooser_.cboFileTypes.List(1), "*.*");
    EXPECT_EQ(chooser_.cboFileTypes.ListIndex(), 0);
    ASSERT_EQ(chooser_.flbFiles.ListCount(), 1);
    EXPECT_EQ(chooser_.flbFiles.List(0), "quotes.csv");
    user_.Pick(chooser_.cboFileTypes, 1);
    EXPECT_EQ(chooser_.flbFiles.ListCount(), 2);
    // Enter on a folder's name goes there; the name stays selected.
    user_.TypeInto(chooser_.txtFileName, dir_.File("sub"));
    user_.PressEnter();
    EXPECT_EQ(chooser_.lblPath.Caption(), dir_.File("sub"));
    EXPECT_EQ(chooser_.txtFileName.SelLength(),
              static_cast<int>(chooser_.txtFileName.Text().size()));
    // The folder list's first entry leads back up, and into the folder again.
    ASSERT_EQ(chooser_.dirFolders.List(0), "..");
    user_.Pick(chooser_.dirFolders, 0);
    user_.DblClick(chooser_.dirFolders);
    EXPECT_EQ(chooser_.lblPath.Caption() + "/", dir_.path());
    const std::vector<std::string> folders = chooser_.dirFolders.Items();
    const auto sub = std::find(folders.begin(), folders.end(), dir_.File("sub"));
    ASSERT_NE(sub, folders.end());
    user_.Pick(chooser_.dirFolders, static_cast<int>(sub - folders.begin()));
    user_.DblClick(chooser_.dirFolders);
    EXPECT_EQ(chooser_.lblPath.Caption(), dir_.File("sub"));
    user_.Pick(chooser_.flbFiles, 0);
    EXPECT_EQ(chooser_.txtFileName.Text(), "inner.txt");
    user_.DblClick(chooser_.flbFiles);
  });
  EXPECT_EQ(chooser_.ShowOpen(), dir_.File("sub/inner.txt"));
  EXPECT_FALSE(chooser_.IsLoaded());
}

TEST_F(ExportSetupTest, ChooserRootFullPathsCancelAndAMissingStartFolder) {
  chooser_.SetInitDirectory("/");
  user_.WhenShown("frmCommonDialog", [&] {
    user_.TypeInto(chooser_.txtFileName, "x.txt");
    user_.Click(chooser_.cmdOK);
  });
  EXPECT_EQ(chooser_.ShowOpen(), "/x.txt");

  user_.WhenShown("frmCommonDialog", [&] {
    user_.TypeInto(chooser_.txtFileName, "/somewhere/else.prn");
    user_.Click(chooser_.cmdOK);
  });
  EXPECT_EQ(chooser_.ShowOpen(), "/somewhere/else.prn");

  // An empty name confirms nothing; Cancel gives an empty path, or error 32755 when asked.
  user_.WhenShown("frmCommonDialog", [&] {
    user_.Click(chooser_.cmdOK);
    EXPECT_TRUE(chooser_.IsVisible());
    user_.Click(chooser_.cmdCancel);
  });
  EXPECT_EQ(chooser_.ShowOpen(), "");
  chooser_.SetCancelError(true);
  user_.WhenShown("frmCommonDialog", [&] { user_.Click(chooser_.cmdCancel); });
  try {
    chooser_.ShowOpen();
    ADD_FAILURE() << "no error raised";
  } catch (const runtime::RuntimeError& error) {
    EXPECT_EQ(error.Number(), runtime::kErrCancel);
  }
  EXPECT_TRUE(chooser_.IsLoaded());
  chooser_.Unload();

  chooser_.SetInitDirectory(dir_.File("gone"));
  user_.ExpectMsgBox(forms::MsgBoxResult::kOK, "Error # 76 occurred.\r\nPath not found");
  EXPECT_EQ(chooser_.ShowOpen(), "");
}

}  // namespace
}  // namespace frelane
