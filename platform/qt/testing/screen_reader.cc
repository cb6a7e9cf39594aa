#include "platform/qt/testing/screen_reader.h"

#include <gtest/gtest.h>

#include <QAccessible>
#include <QApplication>
#include <QListView>
#include <QScrollBar>
#include <QStyle>
#include <QStyleOptionSlider>
#include <QTest>
#include <QWheelEvent>
#include <QtGui/private/qguiapplication_p.h>
#include <qpa/qplatformaccessibility.h>
#include <qpa/qplatformintegration.h>

namespace qtbind::testing {
namespace {

int events_read = 0;
bool reading = false;

QPlatformAccessibility* Platform() {
  QPlatformIntegration* integration = QGuiApplicationPrivate::platformIntegration();
  return integration == nullptr ? nullptr : integration->accessibility();
}

// Everything a bridge asks of an object when it hands it to a reader.
void ReadObject(QAccessibleInterface* iface) {
  if (iface == nullptr || !iface->isValid()) return;
  (void)iface->text(QAccessible::Name);
  (void)iface->text(QAccessible::Description);
  (void)iface->state();
  (void)iface->role();
  (void)iface->rect();
  (void)iface->parent();
}

void ReadEvent(QAccessibleEvent* event) {
  ++events_read;
  // The object is going away; a bridge only drops what it knew of it.
  if (event->type() == QAccessible::ObjectDestroyed || reading) return;
  reading = true;
  QAccessibleInterface* iface = event->accessibleInterface();
  ReadObject(iface);
  if (iface != nullptr && iface->isValid()) {
    const int count = iface->childCount();
    for (int i = 0; i < count; ++i) ReadObject(iface->child(i));
    ReadObject(iface->focusChild());
  }
  reading = false;
}

void CollectFocused(QAccessibleInterface* iface, std::vector<QAccessibleInterface*>& found,
                    int depth) {
  if (iface == nullptr || !iface->isValid() || depth > 32) return;
  const QAccessible::State state = iface->state();
  if (state.invisible) return;
  if (state.focused) found.push_back(iface);
  for (int i = 0; i < iface->childCount(); ++i) CollectFocused(iface->child(i), found, depth + 1);
}

// The rows `view` shows, whole or in part, top to bottom.
std::vector<int> RowsShown(QListView& view) {
  std::vector<int> rows;
  const QRect area = view.viewport()->rect();
  const QModelIndex top = view.indexAt(QPoint(0, 0));
  if (!top.isValid()) return rows;
  for (int row = top.row(); row < view.model()->rowCount(); ++row) {
    if (!view.visualRect(view.model()->index(row, 0)).intersects(area)) break;
    rows.push_back(row);
  }
  return rows;
}

QPoint Center(QAccessibleInterface* iface) { return iface->rect().center(); }

// Where the scroll bar's handle is drawn, in the bar's pixels.
QRect HandleOf(QScrollBar& bar) {
  QStyleOptionSlider option;
  option.initFrom(&bar);
  option.subControls = QStyle::SC_All;
  option.orientation = bar.orientation();
  option.minimum = bar.minimum();
  option.maximum = bar.maximum();
  option.sliderPosition = bar.sliderPosition();
  option.sliderValue = bar.value();
  option.singleStep = bar.singleStep();
  option.pageStep = bar.pageStep();
  if (bar.orientation() == Qt::Horizontal) option.state |= QStyle::State_Horizontal;
  return bar.style()->subControlRect(QStyle::CC_ScrollBar, &option, QStyle::SC_ScrollBarSlider,
                                     &bar);
}

void SendMouse(QWidget& widget, QEvent::Type type, QPoint at, Qt::MouseButton button,
               Qt::MouseButtons held) {
  QMouseEvent event(type, QPointF(at), QPointF(widget.mapToGlobal(at)), button, held,
                    Qt::NoModifier);
  QApplication::sendEvent(&widget, &event);
}

void DragScrollBar(QListView& view, int pixels) {
  QScrollBar& bar = *view.verticalScrollBar();
  const QPoint from = HandleOf(bar).center();
  const QPoint to = from + QPoint(0, pixels);
  SendMouse(bar, QEvent::MouseButtonPress, from, Qt::LeftButton, Qt::LeftButton);
  SendMouse(bar, QEvent::MouseMove, (from + to) / 2, Qt::NoButton, Qt::LeftButton);
  SendMouse(bar, QEvent::MouseMove, to, Qt::NoButton, Qt::LeftButton);
  SendMouse(bar, QEvent::MouseButtonRelease, to, Qt::LeftButton, Qt::NoButton);
}

void TurnWheel(QListView& view, int notches) {
  QWidget& port = *view.viewport();
  const QPoint at = port.rect().center();
  QWheelEvent event(QPointF(at), QPointF(port.mapToGlobal(at)), QPoint(),
                    QPoint(0, -120 * notches), Qt::NoButton, Qt::NoModifier,
                    Qt::NoScrollPhase, false);
  QApplication::sendEvent(&port, &event);
}

}  // namespace

ScreenReader::ScreenReader() {
  EXPECT_EQ(events_read, 0) << "one screen reader at a time";
  events_read = 0;
  QAccessible::installUpdateHandler(&ReadEvent);
  if (QPlatformAccessibility* platform = Platform()) platform->setActive(true);
  EXPECT_TRUE(QAccessible::isActive()) << "this Qt platform has no accessibility";
}

ScreenReader::~ScreenReader() {
  if (QPlatformAccessibility* platform = Platform()) platform->setActive(false);
  QAccessible::installUpdateHandler(nullptr);
  events_read = 0;
}

int ScreenReader::EventsRead() const { return events_read; }

std::vector<QAccessibleInterface*> FocusedObjects(QWidget& window) {
  std::vector<QAccessibleInterface*> found;
  CollectFocused(QAccessible::queryAccessibleInterface(&window), found, 0);
  return found;
}

void ExpectChildrenAsShown(QListView& view, const std::string& step) {
  SCOPED_TRACE(step);
  QAccessibleInterface* list = QAccessible::queryAccessibleInterface(&view);
  ASSERT_NE(list, nullptr);
  EXPECT_EQ(list->role(), QAccessible::List);
  const std::vector<int> shown = RowsShown(view);
  const int count = list->childCount();
  ASSERT_EQ(count, static_cast<int>(shown.size()));
  for (int i = 0; i < count; ++i) {
    QAccessibleInterface* child = list->child(i);
    ASSERT_NE(child, nullptr) << "child " << i;
    const QModelIndex index = view.model()->index(shown[static_cast<std::size_t>(i)], 0);
    EXPECT_TRUE(child->isValid()) << "row " << index.row();
    EXPECT_EQ(child->role(), QAccessible::ListItem);
    EXPECT_EQ(child->text(QAccessible::Name), index.data().toString()) << "row " << index.row();
    EXPECT_EQ(child->parent(), list);
    EXPECT_EQ(list->indexOfChild(child), i);
    EXPECT_FALSE(child->rect().isEmpty()) << "row " << index.row();
    EXPECT_EQ(list->childAt(Center(child).x(), Center(child).y()), child) << "row " << index.row();
    const QAccessible::State state = child->state();
    EXPECT_FALSE(state.invalid);
    EXPECT_EQ(bool(state.selected), view.selectionModel()->isSelected(index))
        << "row " << index.row();
    EXPECT_EQ(bool(state.focused), view.hasFocus() && view.currentIndex() == index)
        << "row " << index.row();
  }
  EXPECT_EQ(list->child(count), nullptr);
  EXPECT_EQ(list->child(-1), nullptr);
}

void ScrollEveryWay(QListView& view, const ListChanges& changes) {
  auto top_row = [&view] { return view.indexAt(QPoint(0, 0)).row(); };
  auto step = [&view](const char* name, const std::function<void()>& action) {
    action();
    QCoreApplication::processEvents();
    ExpectChildrenAsShown(view, name);
  };
  // A step that must scroll the list, up (-1) or down (1).
  auto scroll = [&](const char* name, int direction, const std::function<void()>& action) {
    const int before = top_row();
    step(name, action);
    EXPECT_EQ(top_row() > before, direction > 0) << name << " did not scroll the list";
    EXPECT_EQ(top_row() < before, direction < 0) << name << " did not scroll the list";
  };
  auto key = [&view](Qt::Key k) { return [&view, k] { QTest::keyClick(&view, k); }; };
  auto click_top = [&view] {
    const QRect top = view.visualRect(view.indexAt(QPoint(0, 0)));
    QTest::mouseClick(view.viewport(), Qt::LeftButton, Qt::NoModifier, top.center());
    EXPECT_TRUE(QTest::qWaitFor([&view] { return view.hasFocus(); }, 2000));
  };
  auto down_past_view = [&view] {
    const int shown = static_cast<int>(RowsShown(view).size());
    for (int i = 0; i <= shown + 1; ++i) QTest::keyClick(&view, Qt::Key_Down);
  };
  const QSize size = view.size();

  ASSERT_GT(view.model()->rowCount(), static_cast<int>(RowsShown(view).size()))
      << "the list shows all its lines";
  step("click on the top line", click_top);
  scroll("End", 1, key(Qt::Key_End));
  scroll("Home", -1, key(Qt::Key_Home));
  step("Page Down to the last line in view", key(Qt::Key_PageDown));
  scroll("Page Down a page on", 1, key(Qt::Key_PageDown));
  step("Page Up to the first line in view", key(Qt::Key_PageUp));
  scroll("Page Up a page back", -1, key(Qt::Key_PageUp));
  scroll("Down past the last line in view", 1, down_past_view);
  step("refill", changes.refill);
  step("wheel", [&view] { TurnWheel(view, 1); });
  step("click on the top line after the refill", click_top);
  scroll("End after the refill", 1, key(Qt::Key_End));
  scroll("scroll bar dragged up", -1, [&view] { DragScrollBar(view, -view.height() / 3); });
  scroll("scroll bar dragged down", 1, [&view] { DragScrollBar(view, view.height() / 4); });
  step("a row deleted", changes.remove_row);
  scroll("wheel back", -1, [&view] { TurnWheel(view, -2); });
  step("smaller", [&view, size] { view.resize(size.width(), size.height() / 2); });
  step("click on the top line of the smaller view", click_top);
  scroll("Down past the last line in the smaller view", 1, down_past_view);
  step("larger again", [&view, size] { view.resize(size); });
  step("refill at the end", changes.refill);
  step("Home after the refill", key(Qt::Key_Home));
}

}  // namespace qtbind::testing
