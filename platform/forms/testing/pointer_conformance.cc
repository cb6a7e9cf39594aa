#include "platform/forms/testing/pointer_conformance.h"

#include "platform/forms/application.h"

namespace forms::testing {

frmPointer::frmPointer() : Form("frmPointer", {.caption = "Pointer", .width = 4800, .height = 3600}) {
  for (Control* c : std::initializer_list<Control*>{&txtEntry, &btnGo, &btnFree, &chkOn,
                                                    &lblNote, &lstItems}) {
    Watch(*c);
  }
}

void frmPointer::Mark(const std::string& what) {
  Control* active = ActiveControl();
  log.push_back("-- " + what + " [" + (active ? active->Name() : "-") + "]");
}

void frmPointer::Watch(Control& c) {
  auto mouse = [this, &c](const char* event) {
    return [this, &c, event](int button, int shift, int x, int y) {
      Note(c, std::string(event) + " " + std::to_string(button) + " " + std::to_string(shift) +
                  " " + std::to_string(x) + " " + std::to_string(y));
    };
  };
  c.on.MouseDown = mouse("MouseDown");
  c.on.MouseUp = mouse("MouseUp");
  c.on.Validate = [this, &c](bool& cancel) {
    Note(c, "Validate");
    if (events_on_leaving && &c == &txtEntry) DoEvents();
    cancel = refuse_validate;
  };
  c.on.LostFocus = [this, &c] {
    Note(c, "LostFocus");
    if (events_on_leaving && &c == &txtEntry) DoEvents();
  };
  c.on.GotFocus = [this, &c] { Note(c, "GotFocus"); };
  c.on.DblClick = [this, &c] { Note(c, "DblClick"); };
  c.on.Click = [this, &c] {
    Note(c, &c == &chkOn ? "Click " + std::to_string(chkOn.CurrentValue()) : "Click");
  };
}

void frmPointer::Note(const Control& c, const std::string& event) {
  Control* active = ActiveControl();
  log.push_back(c.Name() + "." + event + " [" + (active ? active->Name() : "-") + "]");
}

namespace {

// The press of the left button on btnGo that every case below starts from.
constexpr int kGoX = 150;
constexpr int kGoY = 75;

// A click and then a double click with the left button, all at one point.
void ClickThenDoubleClick(PointerPlayer& p, Control& c, int x, int y) {
  p.Press(c, kLeftButton, x, y);
  p.Release(c, kLeftButton, x, y);
  p.DoublePress(c, x, y);
  p.Release(c, kLeftButton, x, y);
}

std::vector<PointerCase> MakeCases() {
  std::vector<PointerCase> cases;
  cases.push_back(
      {"TheFocusMovesOnThePressAndTheReleaseInsideClicks",
       [](frmPointer& f, PointerPlayer& p) {
         p.Press(f.btnGo, kLeftButton, kGoX, kGoY);
         f.Mark("pressed");
         p.Release(f.btnGo, kLeftButton, kGoX, kGoY);
       },
       {"txtEntry.Validate [txtEntry]", "txtEntry.LostFocus [btnGo]", "btnGo.GotFocus [btnGo]",
        "btnGo.MouseDown 1 0 150 75 [btnGo]", "-- pressed [btnGo]",
        "btnGo.MouseUp 1 0 150 75 [btnGo]", "btnGo.Click [btnGo]"}});
  cases.push_back(
      {"AReleaseOutsideThePressedControlIsMouseUpWithoutClick",
       [](frmPointer& f, PointerPlayer& p) {
         p.Press(f.btnGo, kLeftButton, kGoX, kGoY);
         p.Release(f.btnGo, kLeftButton, 1350, kGoY);  // right of the button
         p.Press(f.btnGo, kLeftButton, kGoX, kGoY);
         p.Release(f.btnGo, kLeftButton, kGoX, -30);  // above it
       },
       {"txtEntry.Validate [txtEntry]", "txtEntry.LostFocus [btnGo]", "btnGo.GotFocus [btnGo]",
        "btnGo.MouseDown 1 0 150 75 [btnGo]", "btnGo.MouseUp 1 0 1350 75 [btnGo]",
        "btnGo.MouseDown 1 0 150 75 [btnGo]", "btnGo.MouseUp 1 0 150 -30 [btnGo]"}});
  cases.push_back(
      {"ARefusedValidateDropsTheWholeGesture",
       [](frmPointer& f, PointerPlayer& p) {
         f.refuse_validate = true;
         p.Press(f.btnGo, kLeftButton, kGoX, kGoY);
         p.Release(f.btnGo, kLeftButton, kGoX, kGoY);
         f.Mark("released");
         // A button that does not cause validation takes the press all the same.
         p.Press(f.btnFree, kLeftButton, 30, 30);
         p.Release(f.btnFree, kLeftButton, 30, 30);
       },
       {"txtEntry.Validate [txtEntry]", "-- released [txtEntry]", "txtEntry.LostFocus [btnFree]",
        "btnFree.GotFocus [btnFree]", "btnFree.MouseDown 1 0 30 30 [btnFree]",
        "btnFree.MouseUp 1 0 30 30 [btnFree]", "btnFree.Click [btnFree]"}});
  cases.push_back(
      {"TheCheckBoxTogglesOnTheRelease",
       [](frmPointer& f, PointerPlayer& p) {
         p.Press(f.chkOn, kLeftButton, 15, 15);
         f.Mark("pressed");
         p.Release(f.chkOn, kLeftButton, 15, 15);
       },
       {"txtEntry.Validate [txtEntry]", "txtEntry.LostFocus [chkOn]", "chkOn.GotFocus [chkOn]",
        "chkOn.MouseDown 1 0 15 15 [chkOn]", "-- pressed [chkOn]",
        "chkOn.MouseUp 1 0 15 15 [chkOn]", "chkOn.Click 1 [chkOn]"}});
  cases.push_back(
      {"TheRightButtonMovesTheFocusButDoesNotClick",
       [](frmPointer& f, PointerPlayer& p) {
         p.Press(f.btnGo, kRightButton, kGoX, kGoY);
         p.Release(f.btnGo, kRightButton, kGoX, kGoY);
       },
       {"txtEntry.Validate [txtEntry]", "txtEntry.LostFocus [btnGo]", "btnGo.GotFocus [btnGo]",
        "btnGo.MouseDown 2 0 150 75 [btnGo]", "btnGo.MouseUp 2 0 150 75 [btnGo]"}});
  cases.push_back(
      {"ALabelIsClickedAndDoubleClickedWithoutTakingTheFocus",
       [](frmPointer& f, PointerPlayer& p) { ClickThenDoubleClick(p, f.lblNote, 30, 30); },
       {"lblNote.MouseDown 1 0 30 30 [txtEntry]", "lblNote.MouseUp 1 0 30 30 [txtEntry]",
        "lblNote.Click [txtEntry]", "lblNote.DblClick [txtEntry]",
        "lblNote.MouseUp 1 0 30 30 [txtEntry]"}});
  cases.push_back(
      {"ADoubleClickOnAButtonClicksItTwice",
       [](frmPointer& f, PointerPlayer& p) { ClickThenDoubleClick(p, f.btnFree, 30, 30); },
       {"txtEntry.LostFocus [btnFree]", "btnFree.GotFocus [btnFree]",
        "btnFree.MouseDown 1 0 30 30 [btnFree]", "btnFree.MouseUp 1 0 30 30 [btnFree]",
        "btnFree.Click [btnFree]", "btnFree.MouseDown 1 0 30 30 [btnFree]",
        "btnFree.MouseUp 1 0 30 30 [btnFree]", "btnFree.Click [btnFree]"}});
  cases.push_back(
      {"TextAndListBoxesTakeThePressButOnlyTheTextBoxIsClicked",
       [](frmPointer& f, PointerPlayer& p) {
         p.Press(f.txtEntry, kLeftButton, 300, 150);
         p.Release(f.txtEntry, kLeftButton, 300, 150);
         // An empty list: no item is picked, so there is no Click.
         p.Press(f.lstItems, kLeftButton, 150, 150);
         p.Release(f.lstItems, kLeftButton, 150, 150);
       },
       {"txtEntry.MouseDown 1 0 300 150 [txtEntry]", "txtEntry.MouseUp 1 0 300 150 [txtEntry]",
        "txtEntry.Click [txtEntry]", "txtEntry.Validate [txtEntry]",
        "txtEntry.LostFocus [lstItems]", "lstItems.GotFocus [lstItems]",
        "lstItems.MouseDown 1 0 150 150 [lstItems]", "lstItems.MouseUp 1 0 150 150 [lstItems]"}});
  cases.push_back(
      {"ATapClicksThoughItsReleaseArrivesWhileTheFocusMoves",
       [](frmPointer& f, PointerPlayer& p) {
         f.events_on_leaving = true;
         f.refuse_validate = true;
         p.Tap(f.btnGo, kGoX, kGoY);
         f.Mark("refused");
         f.refuse_validate = false;
         p.Tap(f.btnGo, kGoX, kGoY);
         f.Mark("clicked");
         // Leaving a box that does not validate: the release comes in its LostFocus.
         p.Tap(f.txtEntry, 30, 30);
         p.Tap(f.btnFree, 30, 30);
       },
       {"txtEntry.Validate [txtEntry]", "-- refused [txtEntry]", "txtEntry.Validate [txtEntry]",
        "txtEntry.LostFocus [btnGo]", "btnGo.GotFocus [btnGo]",
        "btnGo.MouseDown 1 0 150 75 [btnGo]", "btnGo.MouseUp 1 0 150 75 [btnGo]",
        "btnGo.Click [btnGo]", "-- clicked [btnGo]", "btnGo.Validate [btnGo]", "btnGo.LostFocus [txtEntry]",
        "txtEntry.GotFocus [txtEntry]", "txtEntry.MouseDown 1 0 30 30 [txtEntry]",
        "txtEntry.MouseUp 1 0 30 30 [txtEntry]", "txtEntry.Click [txtEntry]",
        "txtEntry.LostFocus [btnFree]", "btnFree.GotFocus [btnFree]",
        "btnFree.MouseDown 1 0 30 30 [btnFree]", "btnFree.MouseUp 1 0 30 30 [btnFree]",
        "btnFree.Click [btnFree]"}});
  return cases;
}

}  // namespace

const std::vector<PointerCase>& PointerCases() {
  static const std::vector<PointerCase> cases = MakeCases();
  return cases;
}

std::string PointerCaseName(const PointerCase& c) { return c.name; }

void PrintTo(const PointerCase& c, std::ostream* os) { *os << c.name; }

}  // namespace forms::testing
