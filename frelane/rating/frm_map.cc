#include "frelane/rating/frm_map.h"

#include <optional>
#include <string>

#include "frelane/core/data_pictures.h"
#include "frelane/core/form_setup.h"
#include "platform/forms/application.h"

namespace frelane {

frmMap::frmMap() : Form("frmMap", {.caption = "Map", .key_preview = true, .center = true}) {
  Bind(Picture1.on.Click, &frmMap::Picture1_Click);
}

void frmMap::Form_Load() {
  modMain::SetFormIcon(*this);
  std::optional<std::string> path = FindDataPicture("map");
  if (path) Picture1.SetPicture(forms::LoadPicture(*path));
  // The window's interior holds the picture box exactly.
  SetWidth(Picture1.Width() + Width() - ScaleWidth());
  SetHeight(Picture1.Height() + Height() - ScaleHeight());
}

void frmMap::Form_KeyDown(int& key_code, int) {
  key_code = 0;
  Unload();
}

void frmMap::Picture1_Click() { Unload(); }

}  // namespace frelane
