// The editing keys of text and combo boxes (Ctrl+A, Ctrl+C, Ctrl+X, Ctrl+V, Ctrl+Z) and
// paste: what they put into a box passes its key filter and MaxLength, and a paste or undo
// the filter would alter is refused whole with a beep.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/forms/forms.h"
#include "platform/runtime/error.h"
#include "platform/forms/testing/headless_driver.h"
#include "platform/forms/tests/form_fixture.h"

namespace forms {
namespace {

class frmEditing : public Form {
 public:
  frmEditing() : Form("frmEditing", {.caption = "Editing", .key_preview = true}) {
    Bind(txtWeight.on.KeyPress, &frmEditing::txtWeight_KeyPress);
    Bind(txtZip.on.KeyPress, &frmEditing::txtZip_KeyPress);
    txtWeight.on.Change = [this] { ++weight_changes; };
    txtWeight.on.KeyDown = [this](int& code, int shift) {
      log.push_back("down " + std::to_string(code) + " " + std::to_string(shift));
      if (hold_ctrl_keys && shift == kCtrlMask) code = 0;
    };
    txtWeight.on.KeyUp = [this](int& code, int) { log.push_back("up " + std::to_string(code)); };
  }

  TextBox& txtWeight = Add<TextBox>("txtWeight", {120, 120, 1200, 285}, {.max_length = 5});
  TextBox& txtZip = Add<TextBox>("txtZip", {120, 480, 1200, 285}, {.max_length = 6});
  TextBox& txtNotes = Add<TextBox>("txtNotes", {120, 840, 3000, 900}, {.multi_line = true});
  TextBox& txtLocked =
      Add<TextBox>("txtLocked", {120, 1800, 1200, 285}, {.text = "30301", .locked = true});
  ComboBox& cboClass =
      Add<ComboBox>("cboClass", {120, 2160, 1200, 315}, {.list = {"50", "55", "60"}});

  std::vector<std::string> log;
  int weight_changes = 0;
  bool hold_weight = false;     // every key but Enter is swallowed, as for a locked point
  bool hold_ctrl_keys = false;  // KeyDown swallows Ctrl combinations

  void Form_KeyPress(int& key) override { log.push_back("form " + std::to_string(key)); }

 private:
  // Whole pounds: digits and Backspace.
  void txtWeight_KeyPress(int& key) {
    log.push_back("box " + std::to_string(key));
    if (hold_weight && key != kKeyReturn) key = 0;
    if (!(key >= '0' && key <= '9') && key != kKeyBack) key = 0;
  }
  // Letters are raised, digits pass, anything else is refused.
  void txtZip_KeyPress(int& key) {
    if (key >= 'a' && key <= 'z') key = key - 'a' + 'A';
    if (!(key >= '0' && key <= '9') && !(key >= 'A' && key <= 'Z') && key != kKeyBack) key = 0;
  }
};

class EditingKeysTest : public FormTest<frmEditing> {
 protected:
  void SetUp() override { form.Show(); }
  void Ctrl(char letter) { user.Press(letter, kCtrlMask); }
};

TEST_F(EditingKeysTest, CtrlASelectsTheWholeTextSoTypingReplacesIt) {
  user.Type("30301");
  Ctrl('A');
  EXPECT_EQ(form.txtWeight.SelStart(), 0);
  EXPECT_EQ(form.txtWeight.SelLength(), 5);
  user.Type("60601");
  EXPECT_EQ(form.txtWeight.Text(), "60601");

  // In an editable combo box too.
  user.Focus(form.cboClass);
  user.Type("77.5");
  Ctrl('A');
  user.Type("85");
  EXPECT_EQ(form.cboClass.Text(), "85");
}

TEST_F(EditingKeysTest, TheEditingKeysAreNoCharactersForTheFilterButKeepKeyDownAndKeyUp) {
  user.Type("12");
  form.log.clear();
  Ctrl('A');
  EXPECT_EQ(form.log, (std::vector<std::string>{"down 65 2", "up 65"}))
      << "a filter that refuses every other key must not stop the editing keys";

  // A KeyDown handler that swallows the key still stops it.
  user.Select(form.txtWeight, 2, 0);
  form.hold_ctrl_keys = true;
  Ctrl('A');
  EXPECT_EQ(form.txtWeight.SelLength(), 0);
}

TEST_F(EditingKeysTest, CopyCutAndPasteGoThroughTheClipboard) {
  user.Type("12345");
  user.Select(form.txtWeight, 1, 2);
  Ctrl('C');
  EXPECT_EQ(user.ClipboardText(), "23");
  EXPECT_EQ(form.txtWeight.Text(), "12345");

  Ctrl('X');
  EXPECT_EQ(form.txtWeight.Text(), "145");
  EXPECT_EQ(form.txtWeight.SelStart(), 1);
  EXPECT_EQ(user.ClipboardText(), "23");

  user.Press(kKeyEnd);
  Ctrl('V');
  EXPECT_EQ(form.txtWeight.Text(), "14523");

  // Nothing selected: copy and cut leave the clipboard alone.
  user.SetClipboardText("7");
  Ctrl('C');
  Ctrl('X');
  EXPECT_EQ(user.ClipboardText(), "7");
  EXPECT_EQ(form.txtWeight.Text(), "14523");
  EXPECT_EQ(user.beeps(), 0);
}

TEST_F(EditingKeysTest, AFilterThatHoldsTheTextHoldsItAgainstCutPasteAndUndo) {
  user.Type("30301");
  form.hold_weight = true;
  const int changes = form.weight_changes;
  user.SetClipboardText("9");
  Ctrl('A');
  Ctrl('X');
  Ctrl('V');
  Ctrl('Z');
  EXPECT_EQ(form.txtWeight.Text(), "30301");
  EXPECT_EQ(user.ClipboardText(), "9") << "a refused cut copies nothing";
  EXPECT_EQ(form.weight_changes, changes);
  EXPECT_EQ(user.beeps(), 3);

  // A locked box too; Ctrl+A and Ctrl+C still work there.
  user.Focus(form.txtLocked);
  Ctrl('A');
  Ctrl('C');
  EXPECT_EQ(user.ClipboardText(), "30301");
  Ctrl('X');
  Ctrl('V');
  EXPECT_EQ(form.txtLocked.Text(), "30301");
  EXPECT_EQ(user.beeps(), 5);
}

TEST_F(EditingKeysTest, CtrlZTakesBackTheLastEditAndASecondCtrlZBringsItBack) {
  user.Type("303");
  Ctrl('Z');
  EXPECT_EQ(form.txtWeight.Text(), "") << "characters typed in a row are one edit";
  Ctrl('Z');
  EXPECT_EQ(form.txtWeight.Text(), "303");

  user.Type("01");
  user.Backspace();
  Ctrl('Z');
  EXPECT_EQ(form.txtWeight.Text(), "30301");
  EXPECT_EQ(form.txtWeight.SelStart(), 5);

  // A caret move ends the run of typing.
  user.Press(kKeyHome);
  user.Press(kKeyDelete);
  user.Press(kKeyDelete);
  Ctrl('Z');
  EXPECT_EQ(form.txtWeight.Text(), "0301");

  user.SetClipboardText("99");
  Ctrl('A');
  Ctrl('V');
  EXPECT_EQ(form.txtWeight.Text(), "99");
  const int changes = form.weight_changes;
  Ctrl('Z');
  EXPECT_EQ(form.txtWeight.Text(), "0301");
  EXPECT_EQ(form.weight_changes, changes + 1) << "one Change for the whole undo";

  // Text the program put there is no edit of the user's.
  form.txtWeight.SetText("500");
  Ctrl('Z');
  EXPECT_EQ(form.txtWeight.Text(), "500");
  EXPECT_EQ(user.beeps(), 0);
}

TEST_F(EditingKeysTest, APasteIsTakenWholeOrRefusedWhole) {
  user.Type("12");
  user.Select(form.txtWeight, 1, 1);
  const int changes = form.weight_changes;
  // The filter would drop the point and make 125 of it, a different weight.
  for (const char* refused : {"12.5", "123456", "1 000", "3\xc5\x82", "1\x01", "30\n301"}) {
    user.Paste(refused);
    EXPECT_EQ(form.txtWeight.Text(), "12") << refused;
    EXPECT_EQ(form.txtWeight.SelStart(), 1) << "the selection stays too";
    EXPECT_EQ(form.txtWeight.SelLength(), 1);
  }
  EXPECT_EQ(user.beeps(), 6) << "one beep for each refused paste";
  EXPECT_EQ(form.weight_changes, changes);

  user.Paste("345\r\n");
  EXPECT_EQ(form.txtWeight.Text(), "1345") << "the break that ends a copied line is dropped";
  EXPECT_EQ(form.weight_changes, changes + 1);

  // A filter that raises letters, as typing does: the paste is the same code.
  user.Focus(form.txtZip);
  user.Paste("k1a0b1");
  EXPECT_EQ(form.txtZip.Text(), "K1A0B1");

  // A multi-line box takes the lines, each break as CR LF.
  user.Focus(form.txtNotes);
  user.Paste("dock 4\nliftgate\r\n");
  EXPECT_EQ(form.txtNotes.Text(), "dock 4\r\nliftgate\r\n");
  EXPECT_EQ(user.beeps(), 6);
}

TEST_F(EditingKeysTest, AFilterThatBeepsAsItRefusesIsHeardOnce) {
  form.txtNotes.on.KeyPress = [](int& key) {
    if (key == 'x') {
      Beep();
      key = 0;
    }
  };
  user.Focus(form.txtNotes);
  user.Paste("axb");
  EXPECT_EQ(form.txtNotes.Text(), "");
  EXPECT_EQ(user.beeps(), 1);
}

TEST_F(EditingKeysTest, AnErrorInTheFilterLeavesTheBoxAsItWas) {
  form.txtNotes.on.KeyPress = [](int& key) {
    if (key == 'x') throw runtime::RuntimeError(13, "Type mismatch");
  };
  user.Focus(form.txtNotes);
  user.Type("ab");
  user.ExpectMsgBox(MsgBoxResult::kOK, "Type mismatch");
  user.Paste("cdx");
  EXPECT_EQ(form.txtNotes.Text(), "ab");
  EXPECT_EQ(form.txtNotes.SelStart(), 2);
}

TEST_F(EditingKeysTest, EachCharacterOfAPasteMeetsTheFilterWithTheTextAsItGrows) {
  // The filter sees the text before each character goes in.
  std::vector<std::string> seen;
  form.txtZip.on.KeyPress = [&](int&) { seen.push_back(form.txtZip.Text()); };
  user.Focus(form.txtZip);
  user.Paste("303");
  EXPECT_EQ(seen, (std::vector<std::string>{"", "3", "30"}));
  EXPECT_EQ(form.log, (std::vector<std::string>{"form 51", "form 48", "form 51"}))
      << "the form's KeyPress comes first";
}

TEST_F(EditingKeysTest, CharactersWithoutASingleByteCodeAreRefusedKeyByKey) {
  user.Focus(form.txtZip);
  user.Type("K\xc5\x82" "1A");  // a letter no single-byte record can hold
  EXPECT_EQ(form.txtZip.Text(), "K1A");
  EXPECT_EQ(user.beeps(), 1);

  user.Focus(form.cboClass);
  user.Type("5\xe2\x82\xac" "0\xe2\x84\x96");  // the euro sign has a code; the numero sign none
  EXPECT_EQ(form.cboClass.Text(), "5\xe2\x82\xac" "0");
  EXPECT_EQ(user.beeps(), 2);

  user.Focus(form.txtLocked);
  user.Type("\xc5\x82");
  EXPECT_EQ(user.beeps(), 2) << "a locked box takes no key and says nothing, as for any key";
}

}  // namespace
}  // namespace forms
