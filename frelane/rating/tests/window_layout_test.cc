// Every window of the program through the form model on the sample data set: no box, list,
// button or frame reaches past its window or frame, and none lies on another. The rating
// screen is also checked with every optional box and without its toolbar, after a quote.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <initializer_list>

#include "frelane/bol/frm_bol.h"
#include "frelane/bol/frm_bol_defaults.h"
#include "frelane/bol/frm_bol_open.h"
#include "frelane/bol/frm_bol_products.h"
#include "frelane/bol/frm_import.h"
#include "frelane/bol/frm_print.h"
#include "frelane/core/frm_about.h"
#include "frelane/core/frm_defaults.h"
#include "frelane/core/frm_zip_discounts.h"
#include "frelane/ratesheet/frm_rate_sheet.h"
#include "frelane/ratesheet/frm_rate_sheet_discounts.h"
#include "frelane/ratesheet/frm_rate_sheet_options.h"
#include "frelane/ratesheet/frm_rate_sheet_run.h"
#include "frelane/rating/frm_accessorial_charges.h"
#include "frelane/rating/frm_common_dialog.h"
#include "frelane/rating/frm_export_setup.h"
#include "frelane/rating/frm_fak.h"
#include "frelane/rating/frm_intrastate_tariffs.h"
#include "frelane/rating/frm_map.h"
#include "frelane/rating/frm_rate_block_alternation.h"
#include "frelane/rating/frm_rating_screen.h"
#include "frelane/rating/frm_singleshipment.h"
#include "frelane/rating/frm_terminal_information.h"
#include "frelane/rating/frm_zip_lu.h"
#include "frelane/rating/tests/sample_program_fixture.h"
#include "platform/forms/testing/layout_check.h"

namespace frelane {
namespace {

using ::testing::IsEmpty;

class WindowLayoutTest : public testing::SampleProgramTest {
 protected:
  void ExpectLaidOut(forms::Form& form) {
    SCOPED_TRACE(form.Name());
    form.Show();
    EXPECT_THAT(forms::testing::LayoutFaults(form), IsEmpty()) << form.Name();
  }
};

// On a rated lane, so that the lane's windows show what they hold.
TEST_F(WindowLayoutTest, EveryWindow) {
  ExpectLaidOut(Lane("30310", "60610", {}));
  for (forms::Form* form : std::initializer_list<forms::Form*>{
           &app_.Get<frmAccessorialCharges>(), &app_.Get<frmFAK>(), &app_.Get<frmZipLU>(),
           &app_.Get<frmSingleshipment>(), &app_.Get<frmTerminalInformation>(),
           &app_.Get<frmIntrastateTariffs>(), &app_.Get<frmExportSetup>(),
           &app_.Get<frmCommonDialog>(), &app_.Get<frmRateBlockAlternation>(),
           &app_.Get<frmMap>(), &app_.Get<frmAbout>(), &app_.Get<frmDefaults>(),
           &app_.Get<frmZipDiscounts>(), &app_.Get<frmRateSheet>(),
           &app_.Get<frmRateSheetDiscounts>(), &app_.Get<frmRateSheetOptions>(),
           &app_.Get<frmRateSheetRun>(), &app_.Get<frmBOLDefaults>(), &app_.Get<frmBOLOpen>(),
           &app_.Get<frmBOLProducts>(), &app_.Get<frmImport>(), &app_.Get<frmPrint>()}) {
    ExpectLaidOut(*form);
    form->Unload();
  }
  frmBOL& bill = app_.Get<frmBOL>();
  for (int page = 1; page <= 3; ++page) {
    ExpectLaidOut(bill);
    bill.btnNext.on.Click();
  }
}

TEST_F(WindowLayoutTest, RatingScreenWithEveryBoxAndNoToolbar) {
  SettingsRecord& settings = modMain::Settings();
  testing::PromptDiscountsAndUnits(settings);
  settings.SetOn(settings::kToolbarShown, false);
  frmRatingScreen& s = Lane("30310", "60610", {});
  user_.TypeInto(s.cboClass(1), "100");
  user_.Tab();
  user_.Type("1200");
  user_.Tab();
  ASSERT_TRUE(s.btnNewShipment.Visible());
  ASSERT_TRUE(s.fraPPU.Visible());
  ExpectLaidOut(s);
}

}  // namespace
}  // namespace frelane
