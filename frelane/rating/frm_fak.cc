#include "frelane/rating/frm_fak.h"

#include <cmath>
#include <string>

#include "frelane/core/field_helpers.h"
#include "frelane/core/form_helpers.h"
#include "frelane/core/form_setup.h"
#include "frelane/core/main_module.h"
#include "platform/forms/application.h"

namespace frelane {

namespace {

constexpr int kRowsPerColumn = 9;
constexpr int kRowStep = 300;
constexpr int kColumnStep = 2400;

}  // namespace

frmFAK::frmFAK() : Form("frmFAK", {.caption = "FAK", .width = 5160, .height = 4020, .center = true}) {
  for (int i = 1; i <= kClassCount; ++i) {
    const int column = (i - 1) / kRowsPerColumn;
    const int top = 120 + ((i - 1) % kRowsPerColumn) * kRowStep;
    const int left = 120 + column * kColumnStep;
    lblClass.Add(i, {left, top + 30, 960, 225}, {.visible = false});
    cboClass.Add(i, {left + 1020, top, 1080, kRowStep}, {.tab_index = i, .visible = false});
  }
  Bind(cboClass.on.GotFocus, &frmFAK::cboClass_GotFocus);
  Bind(cboClass.on.KeyPress, &frmFAK::cboClass_KeyPress);
  Bind(cboClass.on.Validate, &frmFAK::cboClass_Validate);
  Bind(btnSaveFAK.on.Click, &frmFAK::btnSaveFAK_Click);
  Bind(btnIgnore.on.Click, &frmFAK::btnIgnore_Click);
}

void frmFAK::Form_Load() {
  modMain::SetFormIcon(*this);
  const ClassTable& classes = modMain::Classes();
  const int count = classes[0];
  for (int i = 1; i <= count && i <= kClassCount; ++i) {
    lblClass(i).SetCaption("Class " + std::to_string(classes[static_cast<std::size_t>(i)]));
    forms::ComboBox& box = cboClass(i);
    box.Clear();
    for (int k = 1; k <= count && k <= kClassCount; ++k) {
      box.AddItem(std::to_string(classes[static_cast<std::size_t>(k)]));
    }
    lblClass(i).SetVisible(true);
    box.SetVisible(true);
  }
  const FakClassMap& map = modMain::FakMap();
  for (int i = 1; i <= count && i <= kClassCount; ++i) {
    cboClass(i).SetText(std::to_string(map[static_cast<std::size_t>(i - 1)]));
  }
}

void frmFAK::cboClass_GotFocus(int index) { modMain::SelectAllTextItem(cboClass, index); }

void frmFAK::cboClass_KeyPress(int index, int& key_ascii) {
  modMain::SetNumericKey(cboClass(index), key_ascii, 5, 1);
  modMain::EnterAsTab(key_ascii);
}

void frmFAK::cboClass_Validate(int index, bool& cancel) {
  if (!modMain::IsValidClass(modMain::SafeValue(cboClass(index).Text()))) {
    modMain::RefuseEntry(cboClass(index), "Invalid Class");
    cancel = true;
  }
}

void frmFAK::btnSaveFAK_Click() {
  FakClassMap& map = modMain::Get().fak.map;
  const FakState before = modMain::Get().fak;
  for (int i = 1; i <= kClassCount; ++i) {
    map[static_cast<std::size_t>(i - 1)] =
        static_cast<std::int16_t>(std::floor(modMain::SafeValue(cboClass(i).Text())));
  }
  std::string error;
  if (!modMain::SaveFAK(&error)) {
    // fak.dat is as it was; so is the mapping in use.
    modMain::Get().fak = before;
    forms::MsgBox(error);
    return;
  }
  Unload();
}

void frmFAK::btnIgnore_Click() { Unload(); }

}  // namespace frelane
