// frmIntrastateTariffs ("Intrastate Rates"): before a rate-sheet run the user ticks which
// of the carrier's flagged intrastate tariffs the run may use; OK stores the ticked codes
// in Lane().IntrastateList. Without a flagged tariff the dialog closes by itself.
#ifndef FRELANE_RATING_FRM_INTRASTATE_TARIFFS_H_
#define FRELANE_RATING_FRM_INTRASTATE_TARIFFS_H_

#include <array>
#include <string>

#include "platform/forms/form.h"

namespace frelane {

class frmIntrastateTariffs : public forms::Form {
 public:
  static constexpr int kRows = 20;

  frmIntrastateTariffs();

  forms::ControlArray<forms::CheckBox>& chkIntrastateTariff =
      AddArray<forms::CheckBox>("chkIntrastateTariff");
  forms::CommandButton& btnOK =
      Add<forms::CommandButton>("btnOK", {1800, 900, 1200, 375}, {.caption = "OK", .tab_index = 30});

 private:
  void Form_Load() override;
  void Form_Activate() override;
  void Form_KeyPress(int& key_ascii) override;
  void btnOK_Click();

  // The state code of each filled row.
  std::array<std::string, kRows> codes_;
};

}  // namespace frelane

#endif  // FRELANE_RATING_FRM_INTRASTATE_TARIFFS_H_
