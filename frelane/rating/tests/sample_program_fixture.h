// The fixture of the headless tests that drive the whole program on the sample data set.
#ifndef FRELANE_RATING_TESTS_SAMPLE_PROGRAM_FIXTURE_H_
#define FRELANE_RATING_TESTS_SAMPLE_PROGRAM_FIXTURE_H_

#include <gtest/gtest.h>

#include <initializer_list>
#include <string>

#include "frelane/rating/frm_accessorial_charges.h"
#include "frelane/rating/frm_rating_screen.h"
#include "frelane/rating/tests/sample_program.h"
#include "platform/forms/application.h"
#include "platform/forms/testing/headless_driver.h"
#include "testkit/temp_dir.h"

namespace frelane::testing {

class SampleProgramTest : public ::testing::Test {
 protected:
  SampleProgramTest() : user_(app_) {}

  void SetUp() override { ASSERT_EQ(StartOnSampleData(dir_, FRELANE_SAMPLE_DIR), ""); }
  void TearDown() override { StopSampleProgram(); }

  // Types both points; the accessorial dialog the sample asks for gets `ticks` ticked.
  frmRatingScreen& Lane(const std::string& origin, const std::string& destination,
                        std::initializer_list<int> ticks) {
    frmRatingScreen& s = app_.Get<frmRatingScreen>();
    s.Show();
    frmAccessorialCharges& dialog = app_.Get<frmAccessorialCharges>();
    user_.WhenShown("frmAccessorialCharges", [&, ticks] {
      for (int row : ticks) user_.Click(dialog.chkAccessorialCharge(row));
      user_.Click(dialog.btnOK);
    });
    user_.TypeInto(s.txtOrigin, origin);
    user_.Tab();
    user_.Type(destination);
    user_.Tab();
    return s;
  }

  testkit::TempDir dir_;
  forms::Application app_;
  forms::testing::HeadlessDriver user_;
};

}  // namespace frelane::testing

#endif  // FRELANE_RATING_TESTS_SAMPLE_PROGRAM_FIXTURE_H_
