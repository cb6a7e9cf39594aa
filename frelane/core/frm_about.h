// frmAbout: the About box. The product title, version, effective date, support contact
// and product number from the settings, and the date the program file was last changed.
// Each step of its load that fails is skipped: the box always opens.
#ifndef FRELANE_CORE_FRM_ABOUT_H_
#define FRELANE_CORE_FRM_ABOUT_H_

#include "platform/forms/form.h"

namespace frelane {

// The maker of the program, as the credit line names it.
inline constexpr char kMakerName[] = "Tarvex Systems";
static_assert(sizeof kMakerName - 1 == 14);

class frmAbout : public forms::Form {
 public:
  frmAbout();

  forms::Image& imgHeadline = Add<forms::Image>("imgHeadline", {240, 180, 5520, 540}, {});
  forms::Label& lblProductName = Line("lblProductName", 900, " \xC2\xAE", 12, true);
  forms::Label& lblVersion = Line("lblVersion", 1380);
  forms::Label& lblEffectiveDate = Line("lblEffectiveDate", 1680);
  forms::Label& lblTechSupportName = Line("lblTechSupportName", 2160);
  forms::Label& lblTechSupportNumber = Line("lblTechSupportNumber", 2460);
  forms::Label& lblProductNumber = Line("lblProductNumber", 2760);
  forms::Label& lblProgramDate = Line("lblProgramDate", 3060);
  forms::Label& lblCredit = Line("lblCredit", 3600, " \xC2\xAE was created");
  forms::Label& lblMaker =
      Add<forms::Label>("lblMaker", {240, 3900, 9000, 675},
                        {.caption = "Tarvex Systems\r\n1200 Meridian Parkway, Suite 300\r\n"
                                    "Lakeview, MN 55000",
                         .word_wrap = true});
  forms::Label& lblNotice = Add<forms::Label>(
      "lblNotice", {240, 4800, 9000, 900},
      {.caption = "Warning: this program is protected by copyright law. Copying or "
                  "distributing it, or any part of it, without permission is prohibited.",
       .word_wrap = true});
  forms::CommandButton& btnClose = Add<forms::CommandButton>(
      "btnClose", {7800, 6060, 1335, 420}, {.caption = "&Close", .is_default = true,
                                            .is_cancel = true});

 private:
  forms::Label& Line(const char* name, int top, const char* caption = "", double size = 0,
                     bool bold = false);
  void Form_Load() override;
  void btnClose_Click();
};

}  // namespace frelane

#endif  // FRELANE_CORE_FRM_ABOUT_H_
