// What a screen reader is told about the windows, read through Qt's accessibility
// interface: option buttons are radio buttons of their frame's group, each text and combo
// box is named by the caption of its label, each frame by its own caption, and what shows
// no words (letter buttons, pictures, lists) by its tool tip; a combo box's drop-down list
// and edit field are its children.
#include <gtest/gtest.h>

#include <QAbstractItemView>
#include <QAccessible>
#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <string>
#include <vector>

#include "platform/forms/application.h"
#include "platform/forms/form.h"
#include "platform/qt/qt_host.h"

namespace qtbind {
namespace {

class frmCaptions : public forms::Form {
 public:
  frmCaptions() : Form("frmCaptions", {.caption = "Captions", .width = 7200, .height = 5400}) {
    for (int i = 1; i <= 2; ++i) {
      cboClass.Add(i, {120, 1500 + 360 * i, 900, 315}, {.tab_index = 2 + i});
    }
  }

  forms::Label& lblOrigin =
      Add<forms::Label>("lblOrigin", {120, 150, 870, 225}, {.caption = "&Origin"});
  forms::TextBox& txtOrigin =
      Add<forms::TextBox>("txtOrigin", {1020, 120, 900, 285}, {.tab_index = 0});
  // Above the city list, which the origin box stands beside.
  forms::Label& lblCityHeading =
      Add<forms::Label>("lblCityHeading", {1980, 500, 2000, 225}, {.caption = "City"});
  forms::Label& lblTerms =
      Add<forms::Label>("lblTerms", {120, 870, 870, 225}, {.caption = "Terms && Rates"});
  forms::ComboBox& cboTerms = Add<forms::ComboBox>("cboTerms", {1020, 840, 900, 315},
                                                   {.tab_index = 1, .list = {"Net 30"}});
  forms::ComboBox& cboCity = Add<forms::ComboBox>(
      "cboCity", {1980, 840, 2000, 315},
      {.tab_index = 2, .style = forms::ComboBox::kDropDownList, .list = {"Springfield"}});
  forms::Label& lblClass =
      Add<forms::Label>("lblClass", {120, 1560, 900, 225}, {.caption = "Class"});
  forms::ControlArray<forms::ComboBox>& cboClass = AddArray<forms::ComboBox>("cboClass");
  forms::Frame& fraFormat =
      Add<forms::Frame>("fraFormat", {4200, 120, 2800, 1100}, {.caption = "Format"});
  forms::OptionButton& optComma = Add<forms::OptionButton>(
      "optComma", {120, 300, 2500, 255},
      {.container = &fraFormat, .caption = "&Comma Separated Values", .tab_index = 10,
       .value = 1});
  forms::OptionButton& optFixed = Add<forms::OptionButton>(
      "optFixed", {120, 660, 2500, 255},
      {.container = &fraFormat, .caption = "Fixed Width", .tab_index = 11});
  forms::Frame& fraUnits =
      Add<forms::Frame>("fraUnits", {4200, 1400, 2800, 700}, {.caption = "Price Per Unit"});
  forms::TextBox& txtUnits = Add<forms::TextBox>(
      "txtUnits", {120, 270, 840, 285}, {.container = &fraUnits, .tab_index = 12});
};

class AccessibilityTest : public ::testing::Test {
 protected:
  void SetUp() override {
    form_.Show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(host_.WindowOf(form_)));
  }
  void TearDown() override { form_.Unload(); }

  QAccessibleInterface* Accessible(forms::Control& control) {
    QWidget* widget = host_.WidgetOf(control);
    EXPECT_NE(widget, nullptr) << control.DisplayName();
    return widget == nullptr ? nullptr : QAccessible::queryAccessibleInterface(widget);
  }
  std::string Name(forms::Control& control) {
    QAccessibleInterface* iface = Accessible(control);
    return iface == nullptr ? "" : iface->text(QAccessible::Name).toStdString();
  }
  // The interfaces that label `control`'s.
  std::vector<QAccessibleInterface*> LabelsOf(forms::Control& control) {
    std::vector<QAccessibleInterface*> labels;
    for (const auto& [other, relation] : Accessible(control)->relations(QAccessible::Label)) {
      labels.push_back(other);
    }
    return labels;
  }

  forms::Application app_;
  QtHost host_{app_};
  frmCaptions& form_ = app_.Get<frmCaptions>();
};

TEST_F(AccessibilityTest, OptionButtonsAreRadioButtonsOfTheirFramesGroup) {
  for (forms::OptionButton* option : {&form_.optComma, &form_.optFixed}) {
    QAccessibleInterface* iface = Accessible(*option);
    ASSERT_NE(iface, nullptr);
    EXPECT_EQ(iface->role(), QAccessible::RadioButton) << option->Name();
    EXPECT_TRUE(iface->state().checkable);
    EXPECT_EQ(iface->state().checked, option->Value()) << option->Name();
    QAccessibleInterface* group = iface->parent();
    ASSERT_NE(group, nullptr);
    EXPECT_EQ(group->role(), QAccessible::Grouping);
    EXPECT_EQ(group->text(QAccessible::Name), QStringLiteral("Format"));
    const auto labels = iface->relations(QAccessible::Label);
    ASSERT_EQ(labels.size(), 1);
    EXPECT_EQ(labels.front().first->text(QAccessible::Name), QStringLiteral("Format"));
  }
  EXPECT_EQ(Name(form_.optComma), "Comma Separated Values");

  // The model's choice, whichever way it goes, is what is announced; none chosen too.
  form_.optFixed.SetValue(true);
  EXPECT_FALSE(Accessible(form_.optComma)->state().checked);
  EXPECT_TRUE(Accessible(form_.optFixed)->state().checked);
  form_.optFixed.SetValue(false);
  EXPECT_FALSE(form_.optComma.Value());
  EXPECT_FALSE(Accessible(form_.optFixed)->state().checked);
  EXPECT_FALSE(Accessible(form_.optComma)->state().checked);
}

TEST_F(AccessibilityTest, EachBoxIsNamedByItsLabelsCaption) {
  EXPECT_EQ(Name(form_.txtOrigin), "Origin");
  EXPECT_EQ(Name(form_.cboTerms), "Terms & Rates");
  // The origin box stands between the city box and the origin's label.
  EXPECT_EQ(Name(form_.cboCity), "City");
  for (int i = 1; i <= 2; ++i) EXPECT_EQ(Name(form_.cboClass(i)), "Class") << i;
  // No label: the frame's caption.
  EXPECT_EQ(Name(form_.txtUnits), "Price Per Unit");

  // A label that captions one box is its label in Qt's relations too.
  const auto labels = LabelsOf(form_.txtOrigin);
  ASSERT_EQ(labels.size(), 1u);
  EXPECT_EQ(labels.front()->object(), host_.WidgetOf(form_.lblOrigin));
  // Its access-key marks stay the model's: the label shows the caption as before.
  auto* terms = qobject_cast<QLabel*>(host_.WidgetOf(form_.lblTerms));
  EXPECT_EQ(terms->buddy(), host_.WidgetOf(form_.cboTerms));
  EXPECT_EQ(terms->text(), QStringLiteral("Terms && Rates"));

  // A combo box keeps its caption as its name once it holds a value, which is its value.
  form_.cboCity.SetListIndex(0);
  form_.cboClass(2).SetText("70");
  EXPECT_EQ(Name(form_.cboCity), "City");
  EXPECT_EQ(Accessible(form_.cboCity)->text(QAccessible::Value), QStringLiteral("Springfield"));
  EXPECT_EQ(Accessible(form_.cboCity)->role(), QAccessible::ComboBox);
  EXPECT_EQ(Name(form_.cboClass(2)), "Class");
  EXPECT_EQ(Accessible(form_.cboClass(2))->text(QAccessible::Value), QStringLiteral("70"));

  // A caption the program changes renames its box.
  form_.lblOrigin.SetCaption("From");
  EXPECT_EQ(Name(form_.txtOrigin), "From");
}

// Frames inside a frame, a toolbar's letter buttons, a picture and a list.
class frmTools : public forms::Form {
 public:
  frmTools() : Form("frmTools", {.caption = "Tools", .width = 7200, .height = 5400}) {
    for (int i = 1; i <= 2; ++i) {
      txtLow.Add(i, {120, 3000 + 390 * i, 660, 285},
                 {.accessible_name = "Row " + std::to_string(i) + " low"});
    }
  }

  forms::Frame& fraDiscounts =
      Add<forms::Frame>("fraDiscounts", {120, 120, 4000, 2400}, {.caption = "Discounts"});
  forms::Frame& fraIntra = Add<forms::Frame>(
      "fraIntra", {120, 300, 1800, 1000}, {.container = &fraDiscounts, .caption = "Intra&state"});
  forms::Frame& fraCanada = Add<forms::Frame>(
      "fraCanada", {2040, 300, 1800, 1000}, {.container = &fraDiscounts, .caption = "Canada"});
  forms::CommandButton& btnReset = Add<forms::CommandButton>(
      "btnReset", {4300, 120, 315, 315}, {.caption = "R", .tool_tip = "Reset"});
  forms::CommandButton& btnRates = Add<forms::CommandButton>(
      "btnRates", {4700, 120, 315, 315}, {.caption = "=", .tool_tip = "Calculator"});
  forms::CommandButton& btnSave = Add<forms::CommandButton>(
      "btnSave", {5100, 120, 1200, 375}, {.caption = "&Save", .tool_tip = "Keep the entry"});
  forms::PictureBox& picMap =
      Add<forms::PictureBox>("picMap", {4300, 600, 1200, 900}, {.tool_tip = "Service Map"});
  forms::ListBox& lstFiles =
      Add<forms::ListBox>("lstFiles", {4300, 1600, 1800, 1200}, {.tool_tip = "Files"});
  // Without a caption, named by the design after its choices.
  forms::Frame& fraEntry = Add<forms::Frame>(
      "fraEntry", {120, 1400, 1800, 900},
      {.container = &fraDiscounts, .accessible_name = "Discount entry: Fixed or Prompt"});
  forms::OptionButton& optFixed = Add<forms::OptionButton>(
      "optFixed", {90, 120, 1500, 255}, {.container = &fraEntry, .caption = "Fixed"});
  forms::OptionButton& optPrompt = Add<forms::OptionButton>(
      "optPrompt", {90, 420, 1500, 255}, {.container = &fraEntry, .caption = "Prompt"});
  // A column heading would name both boxes alike; the design names each by its row.
  forms::Label& lblLow = Add<forms::Label>("lblLow", {120, 3060, 660, 225}, {.caption = "Low"});
  forms::ControlArray<forms::TextBox>& txtLow = AddArray<forms::TextBox>("txtLow");
};

TEST_F(AccessibilityTest, FramesButtonsPicturesAndListsHaveNamesOfTheirOwn) {
  frmTools& tools = app_.Get<frmTools>();
  tools.Show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(host_.WindowOf(tools)));
  // A frame inside another is named by its own caption, not the outer one's.
  EXPECT_EQ(Name(tools.fraDiscounts), "Discounts");
  EXPECT_EQ(Name(tools.fraIntra), "Intrastate");
  EXPECT_EQ(Name(tools.fraCanada), "Canada");
  tools.fraCanada.SetCaption("US");
  EXPECT_EQ(Name(tools.fraCanada), "US");
  // A button that shows a letter or a sign is named by its tool tip; one captioned in
  // words by its caption, the tool tip its description.
  EXPECT_EQ(Name(tools.btnReset), "Reset");
  EXPECT_EQ(Name(tools.btnRates), "Calculator");
  EXPECT_EQ(qobject_cast<QPushButton*>(host_.WidgetOf(tools.btnReset))->text(),
            QStringLiteral("R"));
  EXPECT_EQ(Name(tools.btnSave), "Save");
  EXPECT_EQ(Accessible(tools.btnSave)->text(QAccessible::Description),
            QStringLiteral("Keep the entry"));
  tools.btnReset.SetCaption("Reset all");
  EXPECT_EQ(Name(tools.btnReset), "Reset all");
  EXPECT_EQ(Name(tools.picMap), "Service Map");
  EXPECT_EQ(Name(tools.lstFiles), "Files");
  tools.Unload();
}

TEST_F(AccessibilityTest, ANameTheDesignGivesIsHeardWhateverTheCaptionsSay) {
  frmTools& tools = app_.Get<frmTools>();
  tools.Show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(host_.WindowOf(tools)));
  // Not the outer frame's "Discounts", as a captionless group would be.
  for (forms::OptionButton* option : {&tools.optFixed, &tools.optPrompt}) {
    QAccessibleInterface* group = Accessible(*option)->parent();
    ASSERT_NE(group, nullptr);
    EXPECT_EQ(group->role(), QAccessible::Grouping);
    EXPECT_EQ(group->text(QAccessible::Name), QStringLiteral("Discount entry: Fixed or Prompt"));
  }
  EXPECT_EQ(Name(tools.optPrompt), "Prompt");
  EXPECT_EQ(Name(tools.txtLow(1)), "Row 1 low");
  EXPECT_EQ(Name(tools.txtLow(2)), "Row 2 low");
  // A caption the program changes renames only the boxes it names.
  tools.lblLow.SetCaption("From");
  EXPECT_EQ(Name(tools.txtLow(2)), "Row 2 low");
  tools.Unload();
}

// The texts of the items of a list's interface, in order.
std::vector<std::string> ItemTexts(QAccessibleInterface* list) {
  std::vector<std::string> texts;
  for (int i = 0; i < list->childCount(); ++i) {
    texts.push_back(list->child(i)->text(QAccessible::Name).toStdString());
  }
  return texts;
}

TEST_F(AccessibilityTest, AnOpenDropDownListIsReadItemByItem) {
  form_.cboCity.AddItem("Shelbyville");
  form_.cboTerms.AddItem("Net 60");
  for (forms::ComboBox* combo : {&form_.cboCity, &form_.cboTerms}) {
    QAccessibleInterface* iface = Accessible(*combo);
    ASSERT_NE(iface, nullptr);
    EXPECT_FALSE(iface->state().expanded) << combo->Name();
    // Opened as a screen reader opens it.
    iface->actionInterface()->doAction(QAccessibleActionInterface::showMenuAction());
    auto* widget = qobject_cast<QComboBox*>(host_.WidgetOf(*combo));
    ASSERT_TRUE(QTest::qWaitForWindowExposed(widget->view()->window())) << combo->Name();
    EXPECT_TRUE(iface->state().expanded);

    QAccessibleInterface* list = iface->child(0);
    ASSERT_NE(list, nullptr) << combo->Name();
    EXPECT_EQ(list->role(), QAccessible::List);
    EXPECT_EQ(list->parent(), iface);
    EXPECT_EQ(iface->indexOfChild(list), 0);
    EXPECT_EQ(iface->focusChild(), list);
    const QRect at = list->rect();
    EXPECT_EQ(iface->childAt(at.center().x(), at.center().y()), list);
    widget->hidePopup();
    // What the interface added stays: the caption as the name, the value.
    EXPECT_EQ(iface->text(QAccessible::Name).toStdString(), Name(*combo));
    EXPECT_FALSE(iface->state().expanded);
  }
  EXPECT_EQ(ItemTexts(Accessible(form_.cboCity)->child(0)),
            (std::vector<std::string>{"Springfield", "Shelbyville"}));
  EXPECT_EQ(ItemTexts(Accessible(form_.cboTerms)->child(0)),
            (std::vector<std::string>{"Net 30", "Net 60"}));

  // A drop-down list has no edit field; an editable box's comes second, with its text.
  EXPECT_EQ(Accessible(form_.cboCity)->childCount(), 1);
  QAccessibleInterface* terms = Accessible(form_.cboTerms);
  ASSERT_EQ(terms->childCount(), 2);
  QAccessibleInterface* edit = terms->child(1);
  ASSERT_NE(edit, nullptr);
  EXPECT_EQ(edit->role(), QAccessible::EditableText);
  EXPECT_EQ(terms->indexOfChild(edit), 1);
  form_.cboTerms.SetText("Net 10");
  EXPECT_EQ(edit->text(QAccessible::Value), QStringLiteral("Net 10"));
  EXPECT_EQ(terms->text(QAccessible::Value), QStringLiteral("Net 10"));
  EXPECT_EQ(terms->focusChild(), edit);
}

}  // namespace
}  // namespace qtbind
