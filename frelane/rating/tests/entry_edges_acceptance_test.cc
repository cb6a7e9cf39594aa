// The edge paths of entry on the rating screen, typed key by key on the sample data set
// with the real engine: a lane that cannot be rated sends the user back to the origin with
// one message and nothing typed lost, a shipment ended on a blank weight leaves no stray
// class behind, and a refused class is selected so that the next key replaces it.
#include <gtest/gtest.h>

#include <string>

#include "frelane/rating/frm_rating_screen.h"
#include "frelane/rating/tests/sample_program_fixture.h"

namespace frelane {
namespace {

class EntryEdgesTest : public testing::SampleProgramTest {
 protected:
  frmRatingScreen& Screen() {
    frmRatingScreen& s = app_.Get<frmRatingScreen>();
    s.Show();
    return s;
  }
  // The unserved-pair message is the only one, the focus is back in the origin with its
  // whole text selected, both points keep what was typed and no line holds a class.
  void ExpectBackInOrigin(frmRatingScreen& s, const std::string& origin,
                          const std::string& destination) {
    ASSERT_EQ(user_.MessageBoxes().size(), 1u);
    EXPECT_EQ(user_.LastPrompt(), "Invalid Zip Code Combination");
    EXPECT_TRUE(s.txtOrigin.HasFocus());
    EXPECT_EQ(s.txtOrigin.Text(), origin);
    EXPECT_EQ(s.txtDestination.Text(), destination);
    EXPECT_EQ(s.txtOrigin.SelStart(), 0);
    EXPECT_EQ(s.txtOrigin.SelLength(), static_cast<int>(origin.size()));
    for (int i = 1; i <= 8; ++i) EXPECT_EQ(s.cboClass(i).Text(), "") << "line " << i;
    EXPECT_FALSE(s.LaneNotRated);
  }
};

TEST_F(EntryEdgesTest, LanesThatCannotBeRatedKeepBothPoints) {
  frmRatingScreen& s = Screen();
  // Past an empty destination.
  user_.ExpectMsgBox(forms::MsgBoxResult::kOK, "Invalid Zip Code Combination");
  user_.TypeInto(s.txtOrigin, "30301");
  user_.Tab();
  user_.Tab();
  ExpectBackInOrigin(s, "30301", "");
  // The next keys replace the origin and the user goes on as usual.
  user_.Type("30310");
  EXPECT_EQ(s.txtOrigin.Text(), "30310");
}

TEST_F(EntryEdgesTest, ALaneTheEngineRefusesKeepsBothPoints) {
  frmRatingScreen& s = Screen();
  user_.ExpectMsgBox(forms::MsgBoxResult::kOK, "Invalid Zip Code Combination");
  user_.TypeInto(s.txtOrigin, "000");
  user_.Tab();
  user_.Type("606");
  user_.Tab();
  ExpectBackInOrigin(s, "000", "606");
}

TEST_F(EntryEdgesTest, AShipmentEndedOnABlankWeightLeavesNoStrayClass) {
  frmRatingScreen& s = Lane("30310", "60610", {});
  user_.TypeInto(s.cboClass(1), "100");
  user_.Tab();
  user_.Type("1200");
  user_.Tab();  // line 2's class takes the default 100
  EXPECT_EQ(s.cboClass(2).Text(), "100");
  user_.Tab();  // a blank weight
  user_.Tab();  // on to line 3: the shipment ends here
  EXPECT_TRUE(s.txtOrigin.HasFocus());
  EXPECT_EQ(s.cboClass(2).Text(), "");
  EXPECT_EQ(s.cboClass(3).Text(), "");
  EXPECT_EQ(s.txtWeight(3).Text(), "");
  EXPECT_EQ(s.lblTotalCharge.Caption(), "243.67 ");  // the quote of line 1 stays shown
  EXPECT_TRUE(user_.MessageBoxes().empty());
}

TEST_F(EntryEdgesTest, ARefusedClassIsReplacedByTheNextKeys) {
  frmRatingScreen& s = Lane("30310", "60610", {});
  user_.TypeInto(s.cboClass(1), "93");
  user_.ExpectMsgBox(forms::MsgBoxResult::kOK, "Invalid Class");
  user_.Tab();
  EXPECT_TRUE(s.cboClass(1).HasFocus());
  user_.Type("100");
  EXPECT_EQ(s.cboClass(1).Text(), "100");
  user_.Tab();
  user_.Type("1200");
  user_.Tab();
  EXPECT_EQ(s.lblCharge(1).Caption(), "456.96 ");
}

}  // namespace
}  // namespace frelane
