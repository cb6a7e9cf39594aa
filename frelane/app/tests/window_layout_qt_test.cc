// Every window of the program at its real size (offscreen Qt, the sample data set): no
// control reaches past the window or the frame it sits in, no caption is cut off, and no two
// controls that show something lie on one another. The rating screen is also checked with a
// quote and with a city list shown. With FRELANE_SHOTS naming a directory an image of each
// window is kept there. (The splash holds only its picture.) Every list of the program,
// filled with more lines than it shows, is scrolled every way with a screen reader on.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QCheckBox>
#include <QListView>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QTimer>
#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <initializer_list>
#include <string>
#include <vector>

#include "frelane/bol/frm_bol.h"
#include "frelane/bol/frm_bol_defaults.h"
#include "frelane/bol/frm_bol_open.h"
#include "frelane/bol/frm_bol_products.h"
#include "frelane/bol/frm_import.h"
#include "frelane/bol/frm_print.h"
#include "frelane/core/frm_about.h"
#include "frelane/core/frm_defaults.h"
#include "frelane/core/frm_zip_discounts.h"
#include "frelane/core/main_module.h"
#include "frelane/core/tolv_declares.h"
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
#include "frelane/ratesheet/frm_rate_sheet.h"
#include "frelane/ratesheet/frm_rate_sheet_discounts.h"
#include "frelane/ratesheet/frm_rate_sheet_options.h"
#include "frelane/ratesheet/frm_rate_sheet_run.h"
#include "frelane/rating/lane_state.h"
#include "frelane/rating/tests/sample_program.h"
#include "platform/qt/qt_host.h"
#include "platform/qt/testing/screen_reader.h"
#include "platform/qt/tests/qt_window_test.h"

namespace frelane {
namespace {

class WindowLayoutTest : public qtbind::QtWindowTest {
 protected:
  void SetUp() override {
    modMain::Reset();
    modTolvDeclares32::Reset();
    modMain::Lane() = modMain::LaneState();
    dir_.CopyFilesOf(FRELANE_SAMPLE_DIR);
    ASSERT_EQ(testing::StartProgramIn(dir_, dir_.path()), "");
    timer_.setInterval(20);
    QObject::connect(&timer_, &QTimer::timeout, [] {
      auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
      if (box == nullptr) return;
      box->defaultButton() ? box->defaultButton()->click() : box->accept();
    });
    timer_.start();
  }
  void TearDown() override { testing::StopSampleProgram(); }

  // Where a control draws something, in its parent's pixels: a caption only where its text
  // goes, a check box or option button up to the end of its caption; empty captions nowhere.
  static QRect Drawn(QWidget* w) {
    const QRect at = w->geometry();
    if (auto* label = qobject_cast<QLabel*>(w)) {
      if (!label->pixmap().isNull()) return at;
      if (label->text().isEmpty()) return {};
      const int flags = static_cast<int>(label->alignment()) | (label->wordWrap() ? Qt::TextWordWrap : 0);
      const QRect text = label->fontMetrics().boundingRect(label->rect(), flags, label->text());
      return text.intersected(label->rect()).translated(at.topLeft());
    }
    if (qobject_cast<QCheckBox*>(w) || qobject_cast<QRadioButton*>(w)) {
      return {at.topLeft(), QSize(std::min(at.width(), w->sizeHint().width()), at.height())};
    }
    return at;
  }
  // A control painted on its container lies beneath the windowed controls: one wholly
  // covered by such a control above it is hidden, not drawn over.
  bool Covered(QWidget* under, QWidget* over) const {
    const forms::ControlKind kind = host_.ControlOf(under)->Kind();
    if (kind != forms::ControlKind::kLabel && kind != forms::ControlKind::kLine) return false;
    const QObjectList& stack = under->parentWidget()->children();
    return stack.indexOf(over) > stack.indexOf(under) && over->geometry().contains(Drawn(under));
  }
  std::vector<std::string> Faults(forms::Form& form) {
    std::vector<std::string> faults;
    QWidget* window = host_.WindowOf(form);
    std::vector<QWidget*> shown;
    for (QWidget* w : window->findChildren<QWidget*>()) {
      forms::Control* c = host_.ControlOf(w);
      if (c == nullptr || host_.WidgetOf(*c) != w || !w->isVisibleTo(window)) continue;
      const QRect drawn = Drawn(w);
      if (drawn.isEmpty()) continue;
      shown.push_back(w);
      const std::string name = c->DisplayName();
      const QRect area = w->parentWidget()->rect();
      if (area.intersects(drawn) && !area.contains(drawn)) {
        faults.push_back(name + " reaches past its container");
      }
      if (auto* label = qobject_cast<QLabel*>(w); label && !label->text().isEmpty()) {
        const int needed = label->wordWrap() ? label->heightForWidth(label->width())
                                             : label->sizeHint().height();
        if (needed > label->height() ||
            (!label->wordWrap() && label->sizeHint().width() > label->width() + 2)) {
          faults.push_back(name + " caption cut off: " + label->text().toStdString());
        }
      }
      if (auto* button = qobject_cast<QAbstractButton*>(w); button && !button->text().isEmpty()) {
        const int text = button->fontMetrics().horizontalAdvance(button->text().remove('&'));
        if (text + 6 > button->width()) faults.push_back(name + " caption cut off");
      }
    }
    for (std::size_t i = 0; i < shown.size(); ++i) {
      for (std::size_t j = i + 1; j < shown.size(); ++j) {
        QWidget* a = shown[i];
        QWidget* b = shown[j];
        if (a->parentWidget() != b->parentWidget()) continue;
        if (!Drawn(a).intersects(Drawn(b)) || Covered(a, b) || Covered(b, a)) continue;
        faults.push_back(host_.ControlOf(a)->DisplayName() + " overlaps " +
                         host_.ControlOf(b)->DisplayName());
      }
    }
    return faults;
  }
  // Shows `form` at its real size, keeps its image when asked to, and fails with every
  // fault found.
  void Check(forms::Form& form, const std::string& shot = "") {
    if (!form.IsVisible()) form.Show();
    QWidget* window = host_.WindowOf(form);
    ASSERT_NE(window, nullptr) << form.Name();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(window));
    QTest::qWait(30);
    if (const char* shots = std::getenv("FRELANE_SHOTS")) {
      const std::string file = std::string(shots) + "/" + (shot.empty() ? form.Name() : shot);
      window->grab().save(QString::fromStdString(file + ".png"));
    }
    for (const std::string& f : Faults(form)) ADD_FAILURE() << form.Name() << ": " << f;
  }
  void CheckAndClose(forms::Form& form) {
    Check(form);
    form.Unload();
  }

  // The rating screen with nothing modal after the destination, its keys typed into the
  // focused control, each text followed by Tab.
  frmRatingScreen& RatingScreen() {
    SettingsRecord& s = modMain::Settings();
    s.SetOn(settings::kNeverAskSingleShipment, true);
    s.SetOn(settings::kAccessorialPromptDefault, false);
    frmRatingScreen& screen = app_.Get<frmRatingScreen>();
    screen.Show();
    QWidget* window = host_.WindowOf(screen);
    EXPECT_TRUE(QTest::qWaitForWindowActive(window));
    QTest::mouseClick(host_.WidgetOf(screen.txtOrigin), Qt::LeftButton);
    return screen;
  }
  void TypeAndTab(const char* text) {
    QTest::keyClicks(QApplication::focusWidget(), text);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    QTest::qWait(30);
  }

  // Each list `form` shows, filled with more lines than it shows in the list's own way,
  // scrolled every way with the refills and deletions of its kind; a drive list, of one
  // drive, read as it stands. Each key, wheel and drag scrolls the list, and what the reader
  // is told matches what is shown. The lists heard are counted in lists_heard_.
  void HearEveryList(forms::Form& form) {
    if (!form.IsVisible()) form.Show();
    QWidget* window = host_.WindowOf(form);
    ASSERT_TRUE(QTest::qWaitForWindowActive(window)) << form.Name();
    for (QListView* view : window->findChildren<QListView*>()) {
      forms::Control* control = host_.ControlOf(view);
      if (control == nullptr || host_.WidgetOf(*control) != view || !view->isVisibleTo(window)) {
        continue;
      }
      SCOPED_TRACE(control->DisplayName());
      ++lists_heard_;
      switch (control->Kind()) {
        case forms::ControlKind::kListBox: {
          auto& list = static_cast<forms::ListBox&>(*control);
          if (auto* lookup = dynamic_cast<frmZipLU*>(&form)) {
            // The city list is reached with letters typed: leaving the box empty brings the
            // focus back to it.
            lookup->txtCity.SetText("a");
            list.SetFocus();
            ASSERT_TRUE(list.HasFocus());
          }
          int fills = 0;
          auto fill = [&] {
            std::vector<std::string> lines;
            for (int i = 0; i < 40 + fills; ++i) lines.push_back("line " + std::to_string(i));
            ++fills;
            list.SetItems(std::move(lines), {});
          };
          fill();
          qtbind::testing::ScrollEveryWay(
              *view, {.refill = fill,
                      .remove_row = [&] { list.RemoveItem(0); }});
          break;
        }
        case forms::ControlKind::kFileListBox: {
          auto& list = static_cast<forms::FileListBox&>(*control);
          int added = 0;
          list.SetPath(ManyEntries().string());
          qtbind::testing::ScrollEveryWay(
              *view, {.refill =
                          [&] {
                            Touch(ManyEntries() / ("NEW" + std::to_string(added++) + ".BOL"));
                            list.RefreshList();
                          },
                      .remove_row =
                          [&] {
                            std::filesystem::remove(ManyEntries() / "F00.BOL");
                            list.RefreshList();
                          }});
          break;
        }
        case forms::ControlKind::kDirListBox: {
          auto& list = static_cast<forms::DirListBox&>(*control);
          int added = 0;
          const std::string path = ManyEntries().string();
          list.SetPath(path);
          qtbind::testing::ScrollEveryWay(
              *view, {.refill =
                          [&] {
                            std::filesystem::create_directory(ManyEntries() /
                                                              ("new" + std::to_string(added++)));
                            list.SetPath(path);
                          },
                      .remove_row =
                          [&] {
                            std::filesystem::remove(ManyEntries() / "d00");
                            list.SetPath(path);
                          }});
          break;
        }
        default:
          qtbind::testing::ExpectChildrenAsShown(*view, "as shown");
          break;
      }
    }
  }
  // A folder of 40 bills and 40 folders, made once.
  std::filesystem::path ManyEntries() {
    const std::filesystem::path folder = std::filesystem::path(dir_.path()) / "many";
    if (std::filesystem::create_directory(folder)) {
      for (int i = 0; i < 40; ++i) {
        const std::string n = (i < 10 ? "0" : "") + std::to_string(i);
        Touch(folder / ("F" + n + ".BOL"));
        std::filesystem::create_directory(folder / ("d" + n));
      }
    }
    return folder;
  }
  static void Touch(const std::filesystem::path& file) {
    std::FILE* f = std::fopen(file.c_str(), "w");
    if (f != nullptr) std::fclose(f);
  }

  QTimer timer_;
  int lists_heard_ = 0;
};

TEST_F(WindowLayoutTest, EveryWindowAtItsRealSize) {
  // The rating screen and its dialogs.
  Check(app_.Get<frmRatingScreen>());
  for (forms::Form* form : std::initializer_list<forms::Form*>{
           &app_.Get<frmAccessorialCharges>(), &app_.Get<frmFAK>(), &app_.Get<frmZipLU>(),
           &app_.Get<frmSingleshipment>(), &app_.Get<frmTerminalInformation>(),
           &app_.Get<frmIntrastateTariffs>(), &app_.Get<frmExportSetup>(),
           &app_.Get<frmCommonDialog>(), &app_.Get<frmRateBlockAlternation>(),
           &app_.Get<frmMap>()}) {
    CheckAndClose(*form);
  }
  // Settings.
  CheckAndClose(app_.Get<frmAbout>());
  CheckAndClose(app_.Get<frmDefaults>());
  CheckAndClose(app_.Get<frmZipDiscounts>());
  // Rate sheets.
  CheckAndClose(app_.Get<frmRateSheet>());
  CheckAndClose(app_.Get<frmRateSheetDiscounts>());
  CheckAndClose(app_.Get<frmRateSheetOptions>());
  CheckAndClose(app_.Get<frmRateSheetRun>());
  // Bills of lading.
  frmBOL& bill = app_.Get<frmBOL>();
  Check(bill);
  for (const char* page : {"frmBOL_page2", "frmBOL_page3"}) {
    bill.btnNext.on.Click();  // the next page of the bill
    Check(bill, page);
  }
  bill.Unload();
  CheckAndClose(app_.Get<frmBOLDefaults>());
  CheckAndClose(app_.Get<frmBOLOpen>());
  CheckAndClose(app_.Get<frmBOLProducts>());
  CheckAndClose(app_.Get<frmImport>());
  CheckAndClose(app_.Get<frmPrint>());
}

// Every list of the program, with a screen reader on before its window is built: the
// rating screen's city lookup and minimum charges, the file chooser's files, folders and
// drives, the discount editor's entries, the bill's items, and the bill chooser and the
// import's folder and drive lists.
TEST_F(WindowLayoutTest, EveryListScrolledWithAScreenReaderOn) {
  qtbind::testing::ScreenReader reader;
  for (forms::Form* form : std::initializer_list<forms::Form*>{
           &app_.Get<frmZipLU>(), &app_.Get<frmRateBlockAlternation>(),
           &app_.Get<frmCommonDialog>(), &app_.Get<frmZipDiscounts>(), &app_.Get<frmBOLOpen>(),
           &app_.Get<frmImport>()}) {
    SCOPED_TRACE(form->Name());
    HearEveryList(*form);
    form->Unload();
  }
  frmBOL& bill = app_.Get<frmBOL>();
  bill.Show();
  bill.btnNext.on.Click();
  bill.btnNext.on.Click();  // the page of the item list
  HearEveryList(bill);
  bill.Unload();
  EXPECT_EQ(lists_heard_, 10);
}

// The editors that open inside a window (the postal-code discount entry, the bill's item
// editor) fit it as well as what the window shows at first.
TEST_F(WindowLayoutTest, EditorsOpenedInsideTheirWindows) {
  frmZipDiscounts& discounts = app_.Get<frmZipDiscounts>();
  discounts.Show();
  discounts.btnAdd.on.Click();  // opens the entry editor below the list
  ASSERT_TRUE(discounts.fraEdit.Visible());
  Check(discounts, "zip_discount_entry");
  discounts.btnIgnore.on.Click();
  discounts.lstZipDiscounts.SetListIndex(0);
  discounts.btnEdit.on.Click();  // an entry of the sample table, with its Delete button
  ASSERT_TRUE(discounts.btnDelete.Visible());
  Check(discounts, "zip_discount_edit");
  discounts.Unload();

  frmBOL& bill = app_.Get<frmBOL>();
  bill.Show();
  bill.btnNext.on.Click();
  bill.btnNext.on.Click();
  bill.btnAdd.on.Click();  // the item editor over the item list
  ASSERT_TRUE(bill.fraDetailDetail.Visible());
  Check(bill, "bill_item_editor");
  bill.Unload();
}

// A Canadian destination in an area with the postal-code notice: the notice, the quote and
// the Canadian currency rows all show, none on another.
TEST_F(WindowLayoutTest, CanadianQuoteWithThePostalCodeNotice) {
  frmRatingScreen& s = RatingScreen();
  for (const char* text : {"59801", "K1A0B1", "100", "1200"}) TypeAndTab(text);
  ASSERT_TRUE(s.lblZipDisclaimer.Visible());
  ASSERT_TRUE(s.lblTotalCanChargeLabel.Visible());
  ASSERT_FALSE(s.lblTotalCanCharge.Caption().empty());
  Check(s, "canadian_quote");
}

// Without the toolbar, with discounts and the price per unit prompted: the frames, the
// Reset button and the disclaimers each keep their own place.
TEST_F(WindowLayoutTest, PromptedBoxesWithoutTheToolbar) {
  SettingsRecord& settings = modMain::Settings();
  testing::PromptDiscountsAndUnits(settings);
  settings.SetOn(settings::kToolbarShown, false);
  frmRatingScreen& s = RatingScreen();
  for (const char* text : {"59801", "K1A0B1", "100", "1200"}) TypeAndTab(text);
  ASSERT_TRUE(s.btnNewShipment.Visible());
  ASSERT_TRUE(s.fraPPU.Visible());
  Check(s, "prompted_boxes");
}

// A postal code of several cities: the city list is shown in place of the city caption.
TEST_F(WindowLayoutTest, PointOfSeveralCities) {
  frmRatingScreen& s = RatingScreen();
  TypeAndTab("30303");
  ASSERT_TRUE(s.cboOriginCity.Visible());
  EXPECT_EQ(s.lblOriginCity.Caption(), "Atlanta");
  Check(s, "several_cities");
}

}  // namespace
}  // namespace frelane
