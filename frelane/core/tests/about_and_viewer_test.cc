// The file viewer's messages and hand-over to the desktop, and the About box's texts.
#include <gtest/gtest.h>

#include <sys/stat.h>
#include <utime.h>

#include <ctime>
#include <string>

#include "frelane/core/frm_about.h"
#include "frelane/core/main_module.h"
#include "frelane/core/view_file.h"
#include "platform/forms/application.h"
#include "platform/forms/testing/headless_driver.h"
#include "testkit/temp_dir.h"

namespace frelane {
namespace {

using forms::MsgBoxResult;

class AboutAndViewerTest : public ::testing::Test {
 protected:
  AboutAndViewerTest() : user_(app_) {}
  void SetUp() override {
    modMain::Reset();
    modMain::Get().data_directory = dir_.path();
    SettingsRecord& s = modMain::Settings();
    s.SetText(settings::kCompanyName, "Example Freight Lines");
    s.SetText(settings::kAboutText1, "Rules Tariff EXF 100");
    s.SetText(settings::kEffectiveDateText, "12-01-2026");
    s.SetText(settings::kAboutText2, "Version 4.2");
    s.SetText(settings::kAboutText3, "Example Freight, Pricing Desk");
    s.SetText(settings::kAboutText4, "555-0100");
    s.SetText(settings::kAboutText5, "EXF-100");
    app_.SetTitle("Frelane");
  }
  void TearDown() override { modMain::Reset(); }

  testkit::TempDir dir_;
  forms::Application app_;
  forms::testing::HeadlessDriver user_;
};

TEST_F(AboutAndViewerTest, MissingDocumentIsReportedAndNothingOpens) {
  user_.ExpectMsgBox(MsgBoxResult::kOK, "Unable to locate file:\r\n" + dir_.path() +
                                            "rules.pdf\r\n\r\nPlease verify the file exists.");
  modViewFile::ViewFile(dir_.path(), "rules.pdf", "Rules Tariff EXF 100");
  ASSERT_EQ(user_.MessageBoxes().size(), 1u);
  EXPECT_EQ(user_.MessageBoxes()[0].request.title, "Rules Tariff EXF 100");
  EXPECT_TRUE(user_.opened_documents().empty());
}

TEST_F(AboutAndViewerTest, DocumentOpensAsItIsFoundWithoutRegardToCase) {
  dir_.Write("Rules.PDF", "%PDF-1.4");
  modViewFile::ViewFile(dir_.path(), "rules.pdf", "Rules");
  ASSERT_EQ(user_.opened_documents().size(), 1u);
  EXPECT_EQ(user_.opened_documents()[0].first, dir_.path() + "Rules.PDF");
  EXPECT_EQ(user_.opened_documents()[0].second, forms::ShellVerb::kOpen);
  EXPECT_TRUE(user_.open_with_requests().empty());
}

TEST_F(AboutAndViewerTest, UnknownTypeIsReportedThenOfferedToAProgramTrimmed) {
  // Shell metacharacters and a trailing blank go to the desktop as part of the name.
  const std::string name = "rules; rm -rf x.zz ";
  dir_.Write(name, "x");
  user_.SetDocumentResult(forms::kShellNoAssociation);
  user_.ExpectMsgBox(MsgBoxResult::kOK, "The following file has an unknown File Extension:\r\n" +
                                            dir_.path() + name +
                                            "\r\n\r\nUnable to find an associated program");
  modViewFile::ViewFile(dir_.path(), name, "Rules");
  EXPECT_EQ(user_.MessageBoxes()[0].request.title, "Frelane");
  ASSERT_EQ(user_.open_with_requests().size(), 1u);
  EXPECT_EQ(user_.open_with_requests()[0], dir_.path() + "rules; rm -rf x.zz");
}

TEST_F(AboutAndViewerTest, UnknownTypeWithoutAChooserSaysNoProgramIsSet) {
  dir_.Write("rules.zz", "x");
  user_.SetDocumentResult(forms::kShellNoAssociation);
  user_.SetOpenWithAvailable(false);
  user_.ExpectMsgBox(MsgBoxResult::kOK, "The following file has an unknown File Extension:");
  user_.ExpectMsgBox(MsgBoxResult::kOK, "No program is set to open this type of file:\r\n" +
                                            dir_.path() + "rules.zz");
  modViewFile::ViewFile(dir_.path(), "rules.zz", "Rules");
  ASSERT_EQ(user_.MessageBoxes().size(), 2u);
  EXPECT_EQ(user_.MessageBoxes()[1].request.title, "Frelane");
  EXPECT_EQ(user_.open_with_requests().size(), 1u);
}

TEST_F(AboutAndViewerTest, AboutShowsTheProductTextsAndTheProgramDate) {
  dir_.Write("Frelane", "program");
  std::tm t{};
  t.tm_year = 2026 - 1900;
  t.tm_mon = 2;
  t.tm_mday = 7;
  t.tm_hour = 12;
  struct utimbuf times {std::mktime(&t), std::mktime(&t)};
  ASSERT_EQ(::utime(dir_.File("Frelane").c_str(), &times), 0);
  frmAbout& about = app_.Get<frmAbout>();
  about.Show();
  EXPECT_EQ(about.Caption(), "About Rules Tariff EXF 100 - Example Freight Lines");
  EXPECT_EQ(about.lblProductName.Caption(), "Rules Tariff EXF 100 \xC2\xAE");
  EXPECT_EQ(about.lblVersion.Caption(), "Version 4.2");
  EXPECT_EQ(about.lblEffectiveDate.Caption(), "Effective 12-01-2026");
  EXPECT_EQ(about.lblTechSupportName.Caption(), "Example Freight, Pricing Desk");
  EXPECT_EQ(about.lblTechSupportNumber.Caption(), "555-0100");
  EXPECT_EQ(about.lblProductNumber.Caption(), "EXF-100");
  EXPECT_EQ(about.lblProgramDate.Caption(), "Last Program Modification 03-07-2026 ");
  EXPECT_EQ(about.lblCredit.Caption(),
            "Rules Tariff EXF 100 \xC2\xAE was created for Example Freight Lines by");
  EXPECT_EQ(about.Width(), 9600);
  user_.Click(about.btnClose);
  EXPECT_FALSE(about.IsLoaded());
}

TEST_F(AboutAndViewerTest, AboutForTheMakerItselfAndWithoutAProgramFile) {
  modMain::Settings().SetText(settings::kCompanyName, "Tarvex Systems Demo");
  frmAbout& about = app_.Get<frmAbout>();
  about.Show();
  EXPECT_EQ(about.lblCredit.Caption(), "Rules Tariff EXF 100 \xC2\xAE was created by");
  EXPECT_EQ(about.lblProgramDate.Caption(), "");
  EXPECT_EQ(about.lblVersion.Caption(), "Version 4.2");
  EXPECT_TRUE(about.imgHeadline.GetPicture().empty());
}

}  // namespace
}  // namespace frelane
