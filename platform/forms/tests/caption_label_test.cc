// Which label names a text or combo box: read from the layout as a sighted user reads it.
#include "platform/forms/caption_label.h"

#include <gtest/gtest.h>

#include "platform/forms/forms.h"

namespace forms {
namespace {

class frmLayout : public Form {
 public:
  frmLayout() : Form("frmLayout", {.width = 9000, .height = 6000}) {
    for (int i = 1; i <= 3; ++i) txtWeight.Add(i, {1080, 1800 + 360 * i, 840, 285}, {});
  }
  // A row: caption, box, a value label and a second box right of the first.
  Label& lblOrigin = Add<Label>("lblOrigin", {120, 150, 870, 225}, {.caption = "Origin"});
  TextBox& txtOrigin = Add<TextBox>("txtOrigin", {1020, 120, 900, 285}, {});
  Label& lblOriginCity = Add<Label>("lblOriginCity", {1980, 150, 2000, 225}, {});
  ComboBox& cboOriginCity = Add<ComboBox>("cboOriginCity", {1980, 120, 2000, 315}, {});
  Label& lblNote = Add<Label>("lblNote", {4100, 150, 1000, 225}, {.caption = "Note"});
  // A column heading over an array of boxes, and one box under it that is not of the array
  // below another control.
  Label& lblWeight = Add<Label>("lblWeight", {1080, 1800, 840, 225}, {.caption = "Weight"});
  ControlArray<TextBox>& txtWeight = AddArray<TextBox>("txtWeight");
  CommandButton& btnAdd = Add<CommandButton>("btnAdd", {1080, 3300, 840, 375}, {});
  TextBox& txtTotal = Add<TextBox>("txtTotal", {1080, 3800, 840, 285}, {});
  // A frame's boxes take only the frame's labels.
  Frame& fraUnits = Add<Frame>("fraUnits", {5000, 1800, 2400, 900}, {.caption = "Units"});
  TextBox& txtUnits = Add<TextBox>("txtUnits", {120, 270, 840, 285}, {.container = &fraUnits});
  Label& lblPer = Add<Label>("lblPer", {120, 600, 600, 225}, {.container = &fraUnits,
                                                             .caption = "per"});
  TextBox& txtPer = Add<TextBox>("txtPer", {780, 570, 840, 285}, {.container = &fraUnits});
  // A row below another: the label above is that row's caption, not a heading.
  Label& lblDestination =
      Add<Label>("lblDestination", {120, 480, 870, 225}, {.caption = "Destination"});
  TextBox& txtDestination = Add<TextBox>("txtDestination", {1020, 450, 900, 285}, {});
  // A heading over the captions of two boxes.
  Label& lblUnits = Add<Label>("lblUnits", {5000, 3000, 1800, 255}, {.caption = "Handling &Units"});
  Label& lblUnitsNo = Add<Label>("lblUnitsNo", {5000, 3270, 420, 255}, {.caption = "No."});
  TextBox& txtUnitsNo = Add<TextBox>("txtUnitsNo", {5420, 3240, 720, 285}, {});
  Label& lblUnitsType = Add<Label>("lblUnitsType", {6200, 3270, 480, 255}, {.caption = "Type"});
  ComboBox& cboUnitsType = Add<ComboBox>("cboUnitsType", {6680, 3240, 1035, 315}, {});
  // A unit sign is no name.
  Label& lblDollar = Add<Label>("lblDollar", {5000, 4030, 180, 225}, {.caption = "$"});
  TextBox& txtAmount = Add<TextBox>("txtAmount", {5200, 4000, 900, 285}, {});
  // A box hidden until the program shows it stands between nothing meanwhile.
  Label& lblScale = Add<Label>("lblScale", {120, 4530, 500, 225}, {.caption = "Scale"});
  TextBox& txtHidden = Add<TextBox>("txtHidden", {700, 4500, 500, 285}, {.visible = false});
  TextBox& txtScale = Add<TextBox>("txtScale", {1300, 4500, 500, 285}, {});
};

TEST(CaptionTest, TheLabelBesideOrAboveABoxNamesIt) {
  Application app;
  auto& f = app.Get<frmLayout>();
  f.Show();
  EXPECT_EQ(CaptionOf(f.txtOrigin).label, &f.lblOrigin);
  // The origin box stands between the city box and "Origin"; nothing captioned lies above.
  EXPECT_EQ(CaptionOf(f.cboOriginCity).label, nullptr);
  for (int i = 1; i <= 3; ++i) EXPECT_EQ(CaptionOf(f.txtWeight(i)).label, &f.lblWeight) << i;
  // The button between the heading and the box ends the column.
  EXPECT_EQ(CaptionOf(f.txtTotal).label, nullptr);
  EXPECT_EQ(CaptionOf(f.txtUnits).label, nullptr);
  EXPECT_EQ(CaptionOf(f.txtPer).label, &f.lblPer);
  EXPECT_EQ(CaptionOf(f.txtScale).label, &f.lblScale);
}

TEST(CaptionTest, AHeadingOverTheCaptionsNamesItsGroup) {
  Application app;
  auto& f = app.Get<frmLayout>();
  f.Show();
  EXPECT_EQ(CaptionName(CaptionOf(f.txtUnitsNo)), "Handling Units No.");
  EXPECT_EQ(CaptionOf(f.cboUnitsType).heading, &f.lblUnits);
  EXPECT_EQ(CaptionName(CaptionOf(f.cboUnitsType)), "Handling Units Type");
  EXPECT_EQ(CaptionName(CaptionOf(f.txtDestination)), "Destination");
  EXPECT_EQ(CaptionName(CaptionOf(f.txtWeight(2))), "Weight");
  EXPECT_EQ(CaptionOf(f.txtAmount).label, nullptr);
  EXPECT_EQ(CaptionName(CaptionOf(f.txtAmount)), "");
}

TEST(CaptionTest, TheAnswerFollowsCaptionsPlacesAndVisibilityAsTheyAreNow) {
  Application app;
  auto& f = app.Get<frmLayout>();
  f.Show();
  // A value label given a caption over the city box.
  f.lblOriginCity.SetCaption("Springfield");
  f.lblOriginCity.Move(1980, -150, 2000, 225);
  EXPECT_EQ(CaptionOf(f.cboOriginCity).label, &f.lblOriginCity);
  // The hidden box shown: the caption is its own, the box beyond it has none.
  EXPECT_EQ(CaptionOf(f.txtHidden).label, &f.lblScale);
  f.txtHidden.SetVisible(true);
  EXPECT_EQ(CaptionOf(f.txtScale).label, nullptr);
}

// Two rows of two boxes, a caption left of each row, a heading over each column, and a box
// right of the grid that a heading over the rows' captions names alone.
class frmGrid : public Form {
 public:
  frmGrid() : Form("frmGrid", {.width = 9000, .height = 3000}) {}
  Label& lblLow = Add<Label>("lblLow", {1140, 210, 735, 225}, {.caption = "Low"});
  Label& lblHigh = Add<Label>("lblHigh", {1995, 210, 735, 225}, {.caption = "High"});
  Label& lblOrigin = Add<Label>("lblOrigin", {120, 510, 960, 225}, {.caption = "Origin"});
  Label& lblDestination =
      Add<Label>("lblDestination", {120, 870, 960, 225}, {.caption = "Destination"});
  TextBox& txtOriginLow = Add<TextBox>("txtOriginLow", {1140, 480, 735, 285}, {});
  TextBox& txtOriginHigh = Add<TextBox>("txtOriginHigh", {1995, 480, 735, 285}, {});
  TextBox& txtDestinationLow = Add<TextBox>("txtDestinationLow", {1140, 840, 735, 285}, {});
  TextBox& txtDestinationHigh = Add<TextBox>("txtDestinationHigh", {1995, 840, 735, 285}, {});
  Label& lblShipper = Add<Label>("lblShipper", {4000, 210, 3000, 225}, {.caption = "Shipper"});
  Label& lblName = Add<Label>("lblName", {4000, 510, 800, 225}, {.caption = "Name"});
  TextBox& txtName = Add<TextBox>("txtName", {4860, 480, 1800, 285}, {});
};

TEST(CaptionTest, AGridsBoxIsNamedByItsRowAndItsColumn) {
  Application app;
  auto& f = app.Get<frmGrid>();
  f.Show();
  EXPECT_EQ(CaptionName(CaptionOf(f.txtOriginLow)), "Origin Low");
  EXPECT_EQ(CaptionName(CaptionOf(f.txtOriginHigh)), "Origin High");
  EXPECT_EQ(CaptionName(CaptionOf(f.txtDestinationLow)), "Destination Low");
  EXPECT_EQ(CaptionName(CaptionOf(f.txtDestinationHigh)), "Destination High");
  EXPECT_EQ(CaptionOf(f.txtDestinationHigh).label, &f.lblHigh);
  EXPECT_EQ(CaptionOf(f.txtDestinationHigh).row, &f.lblDestination);
  // A heading over the row's caption is no column's.
  EXPECT_EQ(CaptionName(CaptionOf(f.txtName)), "Shipper Name");
  EXPECT_EQ(CaptionOf(f.txtName).row, nullptr);
  // Without its column heading a box beyond the row's first is unnamed again.
  f.lblHigh.SetCaption("");
  EXPECT_EQ(CaptionName(CaptionOf(f.txtOriginHigh)), "");
  EXPECT_EQ(CaptionName(CaptionOf(f.txtOriginLow)), "Origin Low");
}

}  // namespace
}  // namespace forms
