// The host's list boxes over long lists: the view follows the model's items and ListIndex,
// a click or a key picks through the model, and a screen reader is offered the rows in
// view rather than every row, however the list scrolls, whether the reader was on when
// the window was built or not.
#include <gtest/gtest.h>

#include <QAccessible>
#include <QCoreApplication>
#include <QListView>
#include <QTest>
#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "platform/forms/application.h"
#include "platform/forms/form.h"
#include "platform/forms/list_controls.h"
#include "platform/qt/qt_host.h"
#include "platform/qt/testing/screen_reader.h"

namespace qtbind {
namespace {

constexpr int kLongList = 32767;

class frmLongList : public forms::Form {
 public:
  frmLongList() : Form("frmLongList", {.caption = "Long List", .width = 6240, .height = 3600}) {
    lstLines.on.DblClick = [this] { ++double_clicks; };
  }
  forms::ListBox& lstLines = Add<forms::ListBox>(
      "lstLines", {120, 120, 5880, 2190},
      {.tab_index = 0, .font_name = "Courier New", .font_size = 8});
  forms::CommandButton& btnOK =
      Add<forms::CommandButton>("btnOK", {120, 2520, 1095, 375}, {.caption = "OK", .tab_index = 1});
  int double_clicks = 0;
};

std::string Line(int i) {
  char line[32];
  std::snprintf(line, sizeof line, "line %05d", i);
  return line;
}

std::vector<std::string> Lines(int count, const char* prefix = "line") {
  std::vector<std::string> lines;
  for (int i = 0; i < count; ++i) lines.push_back(prefix + Line(i).substr(4));
  return lines;
}

class ListViewTest : public ::testing::Test {
 protected:
  ListViewTest() : host_(app_) {}

  void SetUp() override {
    form_.lstLines.SetItems(Lines(lines_), {});
    form_.Show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(host_.WindowOf(form_)));
    view_ = qobject_cast<QListView*>(host_.WidgetOf(form_.lstLines));
    ASSERT_NE(view_, nullptr);
  }
  void TearDown() override {
    form_.Unload();
    // The unloaded window is deleted later; before its host, which it reports to.
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  }

  QString Shown(int row) const { return view_->model()->index(row, 0).data().toString(); }

  forms::Application app_;
  QtHost host_;
  frmLongList& form_ = app_.Get<frmLongList>();
  QListView* view_ = nullptr;
  int lines_ = kLongList;
};

// The windows built while a screen reader listens, as in a screen-reader user's session.
class ListViewHeardTest : public ListViewTest {
 protected:
  ListViewHeardTest() { lines_ = 40; }
  testing::ScreenReader reader_;
};

TEST_F(ListViewTest, TheViewFollowsTheItemsAndTheListIndex) {
  forms::ListBox& list = form_.lstLines;
  ASSERT_EQ(view_->model()->rowCount(), kLongList);
  EXPECT_EQ(Shown(kLongList - 1), QStringLiteral("line 32766"));
  EXPECT_TRUE(view_->selectionModel()->selectedIndexes().isEmpty());

  list.SetListIndex(30000);
  EXPECT_EQ(view_->currentIndex().row(), 30000);
  EXPECT_TRUE(view_->selectionModel()->isSelected(view_->currentIndex()));
  EXPECT_TRUE(view_->viewport()->rect().intersects(view_->visualRect(view_->currentIndex())));

  // An item added before the selected one moves the selection with it; a changed text,
  // a removed item and Clear are shown at once.
  list.AddItem("first", 0);
  EXPECT_EQ(Shown(0), QStringLiteral("first"));
  EXPECT_EQ(view_->currentIndex().row(), 30001);
  list.SetList(1, "changed");
  EXPECT_EQ(Shown(1), QStringLiteral("changed"));
  list.RemoveItem(30001);
  EXPECT_EQ(view_->model()->rowCount(), kLongList);
  EXPECT_TRUE(view_->selectionModel()->selectedIndexes().isEmpty());
  list.Clear();
  EXPECT_EQ(view_->model()->rowCount(), 0);
}

TEST_F(ListViewTest, ClicksAndKeysPickThroughTheModel) {
  forms::ListBox& list = form_.lstLines;
  list.SetFocus();
  ASSERT_TRUE(QTest::qWaitFor([&] { return view_->hasFocus(); }, 2000));
  // The first row, which the view makes current on taking the focus, is selected too once
  // the model picks it.
  QTest::keyClick(view_, Qt::Key_Down);
  EXPECT_EQ(list.ListIndex(), 0);
  EXPECT_TRUE(view_->selectionModel()->isSelected(view_->model()->index(0, 0)));
  const QRect third = view_->visualRect(view_->model()->index(2, 0));
  QTest::mouseClick(view_->viewport(), Qt::LeftButton, Qt::NoModifier, third.center());
  EXPECT_EQ(list.ListIndex(), 2);
  EXPECT_EQ(view_->currentIndex().row(), 2);
  QTest::keyClick(view_, Qt::Key_Down);
  EXPECT_EQ(list.ListIndex(), 3);
  EXPECT_EQ(view_->currentIndex().row(), 3);
  QTest::keyClick(view_, Qt::Key_End);
  EXPECT_EQ(list.ListIndex(), kLongList - 1);
  EXPECT_EQ(view_->currentIndex().row(), kLongList - 1);
  const QRect last = view_->visualRect(view_->currentIndex());
  EXPECT_TRUE(view_->viewport()->rect().contains(last.center()));
  QTest::mouseDClick(view_->viewport(), Qt::LeftButton, Qt::NoModifier, last.center());
  EXPECT_EQ(form_.double_clicks, 1);
}

// Page Down goes to the last row drawn whole, then a page on, scrolling the view; Page Up
// likewise up. A page is what the view shows, however many rows its font fits.
TEST_F(ListViewTest, PageDownAndPageUpStepByTheRowsInView) {
  forms::ListBox& list = form_.lstLines;
  list.SetFocus();
  ASSERT_TRUE(QTest::qWaitFor([&] { return view_->hasFocus(); }, 2000));
  auto top = [this] { return view_->indexAt(QPoint(0, 0)).row(); };
  const QRect area = view_->viewport()->rect();
  int whole = 0;
  while (area.contains(view_->visualRect(view_->model()->index(whole, 0)))) ++whole;
  ASSERT_GT(whole, 2);
  EXPECT_EQ(list.RowsByHeight(), whole) << "the model reckons the rows the view draws";
  QTest::keyClick(view_, Qt::Key_PageDown);
  EXPECT_EQ(list.ListIndex(), whole - 1);
  EXPECT_EQ(top(), 0) << "the last row in view needs no scrolling";
  QTest::keyClick(view_, Qt::Key_PageDown);
  EXPECT_EQ(list.ListIndex(), 2 * (whole - 1));
  EXPECT_EQ(top(), whole - 1) << "the new page ends at the current row";
  EXPECT_EQ(view_->currentIndex().row(), list.ListIndex());
  QTest::keyClick(view_, Qt::Key_PageUp);
  EXPECT_EQ(list.ListIndex(), whole - 1) << "up to the first row in view";
  QTest::keyClick(view_, Qt::Key_PageUp);
  EXPECT_EQ(list.ListIndex(), 0);
  EXPECT_EQ(top(), 0);
  QTest::keyClick(view_, Qt::Key_End);
  QTest::keyClick(view_, Qt::Key_PageDown);
  EXPECT_EQ(list.ListIndex(), kLongList - 1);
}

TEST_F(ListViewTest, AScreenReaderIsOfferedTheRowsInView) {
  QAccessibleInterface* list = QAccessible::queryAccessibleInterface(view_);
  ASSERT_NE(list, nullptr);
  EXPECT_EQ(list->role(), QAccessible::List);
  const int in_view = list->childCount();
  // About ten rows of the 146-pixel list, not the whole list.
  EXPECT_GT(in_view, 5);
  EXPECT_LT(in_view, 20);
  for (int i = 0; i < in_view; ++i) {
    QAccessibleInterface* row = list->child(i);
    ASSERT_NE(row, nullptr);
    EXPECT_EQ(row->role(), QAccessible::ListItem);
    EXPECT_EQ(row->text(QAccessible::Name), QString::fromStdString(Line(i)));
    EXPECT_EQ(row->parent(), list);
    EXPECT_EQ(list->indexOfChild(row), i);
  }
  EXPECT_EQ(list->child(in_view), nullptr);
  const QRect first = list->child(0)->rect();
  EXPECT_EQ(list->childAt(first.center().x(), first.center().y()), list->child(0));

  // Far down the list: the rows in view are those around the selected one, which says so.
  form_.lstLines.SetListIndex(30000);
  ASSERT_LT(list->childCount(), 20);
  int selected = -1;
  for (int i = 0; i < list->childCount(); ++i) {
    if (list->child(i)->state().selected) {
      EXPECT_EQ(selected, -1);
      selected = i;
    }
  }
  ASSERT_GE(selected, 0);
  EXPECT_EQ(list->child(selected)->text(QAccessible::Name), QStringLiteral("line 30000"));
  // With the focus in the list, the selected row is the focused child.
  form_.lstLines.SetFocus();
  ASSERT_TRUE(QTest::qWaitFor([&] { return view_->hasFocus(); }, 2000));
  ASSERT_NE(list->focusChild(), nullptr);
  EXPECT_EQ(list->focusChild()->text(QAccessible::Name), QStringLiteral("line 30000"));
  EXPECT_TRUE(list->focusChild()->state().focused);
}

TEST_F(ListViewHeardTest, EveryWayOfScrollingLeavesTheChildrenTheRowsInView) {
  forms::ListBox& list = form_.lstLines;
  int refills = 0;
  testing::ScrollEveryWay(
      *view_, {.refill = [&] { list.SetItems(Lines(40 + ++refills, "again"), {}); },
               .remove_row = [&] { list.RemoveItem(std::max(list.ListIndex(), 0)); }});
  EXPECT_GT(reader_.EventsRead(), 0);
}

TEST_F(ListViewHeardTest, ALongListOffersTheReaderItsRowsInViewOnly) {
  form_.lstLines.SetItems(Lines(kLongList), {});
  QCoreApplication::processEvents();
  QAccessibleInterface* list = QAccessible::queryAccessibleInterface(view_);
  ASSERT_NE(list, nullptr);
  EXPECT_GT(list->childCount(), 5);
  EXPECT_LT(list->childCount(), 20);
  form_.lstLines.SetListIndex(30000);
  testing::ExpectChildrenAsShown(*view_, "far down");
}

// The row drawn as current is the picked one or none, and a row says it is focused only
// while the list has the keyboard focus.
TEST_F(ListViewHeardTest, TheCurrentRowIsThePickedOneAndFocusedOnlyWithTheList) {
  forms::ListBox& list = form_.lstLines;
  QWidget& window = *host_.WindowOf(form_);
  list.SetFocus();
  ASSERT_TRUE(QTest::qWaitFor([&] { return view_->hasFocus(); }, 2000));
  // Nothing picked: no row drawn as current, none focused; the list itself is.
  EXPECT_FALSE(view_->currentIndex().isValid());
  testing::ExpectChildrenAsShown(*view_, "focus taken with nothing picked");
  std::vector<QAccessibleInterface*> focused = testing::FocusedObjects(window);
  ASSERT_EQ(focused.size(), 1u);
  EXPECT_EQ(focused[0]->object(), view_);

  QTest::keyClick(view_, Qt::Key_Down);
  ASSERT_EQ(list.ListIndex(), 0);
  EXPECT_EQ(view_->currentIndex().row(), 0);
  testing::ExpectChildrenAsShown(*view_, "the first row picked");

  // On the button, the button alone is focused.
  QTest::keyClick(view_, Qt::Key_Tab);
  ASSERT_TRUE(QTest::qWaitFor([&] { return form_.btnOK.HasFocus(); }, 2000));
  testing::ExpectChildrenAsShown(*view_, "focus on OK");
  focused = testing::FocusedObjects(window);
  ASSERT_EQ(focused.size(), 1u);
  EXPECT_EQ(focused[0]->object(), host_.WidgetOf(form_.btnOK));

  // Back in the list by a click on the third row: that row, picked, is current.
  const QRect third = view_->visualRect(view_->model()->index(2, 0));
  QTest::mouseClick(view_->viewport(), Qt::LeftButton, Qt::NoModifier, third.center());
  ASSERT_TRUE(QTest::qWaitFor([&] { return view_->hasFocus(); }, 2000));
  EXPECT_EQ(list.ListIndex(), 2);
  testing::ExpectChildrenAsShown(*view_, "third row clicked");
  focused = testing::FocusedObjects(window);
  ASSERT_GE(focused.size(), 1u);
  EXPECT_EQ(focused.back()->text(QAccessible::Name), QString::fromStdString(Line(2)));
}

}  // namespace
}  // namespace qtbind
