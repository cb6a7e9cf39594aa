// The web links, Terminal Information and the map, through the headless driver.
#include <gtest/gtest.h>

#include <string>

#include "frelane/rating/frm_map.h"
#include "frelane/rating/frm_terminal_information.h"
#include "frelane/rating/tests/outputs_fixture.h"
#include "frelane/rating/web_links.h"
#include "testkit/app/picture_writer.h"
#include "testkit/geo/geo_writers.h"
#include "testkit/outputs/web_links_file.h"

namespace frelane {
namespace {

using WebLinksTest = testing::OutputsTest;

TEST_F(WebLinksTest, LinksFillTheMenuSplitAtColumn31AndOpenOneUrlEach) {
  modMain::Settings().SetText(settings::kWebAddress, "  www.example-freight.test  ");
  dir_.Write("WebLinks.DAT",
             testkit::WebLinksFile({{"Tracking", "track.example-freight.test/find?pro=1 2"},
                                    {std::string(30, 'C'), "x.test"},
                                    {"Short", ""}}));
  frmRatingScreen& s = Screen();
  EXPECT_EQ(s.txtWebSite.Text(), "www.example-freight.test");
  EXPECT_TRUE(s.Frame2.Visible());
  EXPECT_EQ(s.lblWebSiteLabel.Caption(), "Visit us on the web at:");
  EXPECT_TRUE(s.mnuWebLinks.Visible());
  EXPECT_FALSE(s.mnuViewWebSite.Visible());
  EXPECT_EQ(s.mnuWebLink(1).Caption(), "Tracking");
  EXPECT_EQ(s.mnuWebLink(2).Caption(), std::string(30, 'C'));
  EXPECT_EQ(modWebSite32::WebLink(2), "x.test");
  EXPECT_TRUE(s.mnuWebLink(3).Visible());
  EXPECT_FALSE(s.mnuWebLink(4).Visible());

  user_.MenuClick(s.mnuWebLink(1));
  user_.MenuClick(s.mnuWebLink(3));  // no address: nothing opens
  // A click on the address opens it without checking the point box being typed in.
  user_.Click(s.txtWebSite);
  EXPECT_EQ(user_.opened_urls(),
            (std::vector<std::string>{"http://track.example-freight.test/find?pro=1 2",
                                      "http://www.example-freight.test"}));
  EXPECT_EQ(s.txtWebSite.ForeColor(), 0x800000);
  modWebSite32::OpenWebLink(0);
  modWebSite32::OpenWebLink(11);
  EXPECT_EQ(user_.opened_urls().size(), 2u);

  user_.SetBrowserAvailable(false);
  user_.ExpectMsgBox(forms::MsgBoxResult::kOK, "Unable to find an Internet Browser");
  user_.MenuClick(s.mnuWebLink(2));
}

TEST_F(WebLinksTest, AnEleventhLineIsRefusedAndAnEmptyFileShowsAnEmptyMenu) {
  std::vector<testkit::WebLinkLine> links;
  for (int i = 1; i <= 11; ++i) links.push_back({"Link " + std::to_string(i), "l.test"});
  dir_.Write("weblinks.dat", testkit::WebLinksFile(links));
  user_.ExpectMsgBox(forms::MsgBoxResult::kOK, "Too many links in weblinks.dat");
  frmRatingScreen& s = Screen();
  EXPECT_EQ(s.mnuWebLink(10).Caption(), "Link 10");
  EXPECT_EQ(modWebSite32::WebLink(10), "l.test");
}

TEST_F(WebLinksTest, AnAccentedCaptionFillingItsColumnsLeavesTheAddressWhole) {
  // The file is single-byte: the caption's "\xE9" is one column of the 30.
  dir_.Write("weblinks.dat", "Caf\xE9" + std::string(26, 'x') + "cafe.example.test\r\n");
  frmRatingScreen& s = Screen();
  EXPECT_EQ(s.mnuWebLink(1).Caption(), "Caf\u00e9" + std::string(26, 'x'));
  EXPECT_EQ(modWebSite32::WebLink(1), "cafe.example.test");
}

TEST_F(WebLinksTest, AnEmptyFileAndNoAddressLeaveTheWebSiteControlsAsDesigned) {
  dir_.Write("weblinks.dat", "");
  frmRatingScreen& again = Screen();
  EXPECT_TRUE(again.mnuWebLinks.Visible());
  EXPECT_FALSE(again.mnuWebLink(1).Visible());
  EXPECT_TRUE(again.mnuViewWebSite.Visible());
  EXPECT_FALSE(again.Frame2.Visible());
  user_.MenuClick(again.mnuViewWebSite);
  EXPECT_TRUE(user_.opened_urls().empty());
}

using TerminalInformationTest = testing::OutputsTest;

TEST_F(TerminalInformationTest, BothTerminalsWithTheScreensServiceAndEmptyBlocksForNone) {
  modMain::Settings().SetOn(settings::kTerminalServiceGuide, true);
  dir_.Write("ServTerm.dat",
             testkit::TerminalFile(
                 {{"Example Atlanta", "ATL  ", "1200 Foundry Way", "", "Atlanta", "GA", "30318",
                   "404-555-0140", "800-555-0141", "404-555-0142", "atl@example.test", "Dana W",
                   "Manager"},
                  {"Example Chicago", "CHI", "88 Rail Spur Road", "Dock 4", "Chicago", "IL",
                   "60609", "312-555-0150", "", "", "", "", ""}}));
  frmRatingScreen& s = Screen();
  s.lblServiceDays.SetCaption("2 Day(s)");
  s.lblServiceType.SetCaption("none at all");
  modMain::OriginTerminal() = 1;
  modMain::DestinationTerminal() = 2;
  frmTerminalInformation& t = app_.Get<frmTerminalInformation>();
  user_.WhenShown("frmTerminalInformation", [&] {
    EXPECT_EQ(t.lblOriginTerminal.Caption(), "ATL - Example Atlanta");
    EXPECT_EQ(t.lblOriginAddress1.Caption(), "1200 Foundry Way");
    EXPECT_EQ(t.lblOriginAddress2.Caption(), "Atlanta, GA  30318");
    EXPECT_EQ(t.lblOriginCSZ.Caption(), "");
    EXPECT_EQ(t.lblOriginEmail.Caption(), "atl@example.test");
    EXPECT_EQ(t.lblOriginContactTitle.Caption(), "Manager");
    EXPECT_EQ(t.lblDestinationAddress2.Caption(), "Dock 4");
    EXPECT_EQ(t.lblDestinationCSZ.Caption(), "Chicago, IL  60609");
    EXPECT_EQ(t.lblServiceDays.Caption(), "2 Day(s)");
    EXPECT_EQ(t.lblServiceType.Caption(), "No Service");
    user_.Click(t.btnClose);
  });
  user_.MenuClick(s.mnuViewTerminalInformation);
  EXPECT_FALSE(t.IsLoaded());

  // A terminal past the file's end leaves its block empty, not the last one read.
  modMain::DestinationTerminal() = 9;
  s.lblServiceType.SetCaption("Direct");
  user_.WhenShown("frmTerminalInformation", [&] {
    EXPECT_EQ(t.lblOriginTerminal.Caption(), "ATL - Example Atlanta");
    EXPECT_EQ(t.lblDestinationTerminal.Caption(), "");
    EXPECT_EQ(t.lblDestinationAddress1.Caption(), "");
    EXPECT_EQ(t.lblServiceType.Caption(), "Direct");
    user_.Click(t.btnClose);
  });
  user_.DblClick(s.lblOriginTerminal);
}

using MapTest = testing::OutputsTest;

TEST_F(MapTest, TheBitmapWinsAndTheWindowFitsItAndAnyKeyCloses) {
  modMain::Settings().SetOn(settings::kMapShown, true);
  modMain::Settings().SetOn(settings::kToolbarShown, true);
  dir_.Write("MAP.BMP", testkit::BmpBytes(testkit::Canvas(200, 100, {0, 90, 0})));
  dir_.Write("map.jpg", "not read");
  frmRatingScreen& s = Screen();
  frmMap& map = app_.Get<frmMap>();
  user_.WhenShown("frmMap", [&] {
    EXPECT_EQ(map.Picture1.Width(), 3000);
    EXPECT_EQ(map.Picture1.Height(), 1500);
    EXPECT_EQ(map.ScaleWidth(), 3000);
    EXPECT_EQ(map.ScaleHeight(), 1500);
    EXPECT_NE(map.Picture1.GetPicture().path.find("MAP.BMP"), std::string::npos);
    user_.Press('Q');
    EXPECT_FALSE(map.IsLoaded());
  });
  user_.MenuClick(s.mnuViewMap);

  user_.WhenShown("frmMap", [&] { user_.Click(map.Picture1); });
  user_.MouseUp(s.btnViewMap, 5, 5);
  EXPECT_FALSE(map.IsLoaded());
}

}  // namespace
}  // namespace frelane
