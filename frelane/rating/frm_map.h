// frmMap: the carrier's service map from the data directory (map.bmp, map.gif or map.jpg),
// the window sized to the picture. Any key or a click on the map closes it.
#ifndef FRELANE_RATING_FRM_MAP_H_
#define FRELANE_RATING_FRM_MAP_H_

#include "platform/forms/form.h"

namespace frelane {

class frmMap : public forms::Form {
 public:
  frmMap();

  forms::PictureBox& Picture1 =
      Add<forms::PictureBox>("Picture1", {0, 0, 4800, 3600},
                             {.tool_tip = "Service Map", .auto_size = true});

 private:
  void Form_Load() override;
  void Form_KeyDown(int& key_code, int shift) override;
  void Picture1_Click();
};

}  // namespace frelane

#endif  // FRELANE_RATING_FRM_MAP_H_
