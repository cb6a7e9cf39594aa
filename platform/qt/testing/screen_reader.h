// A screen reader for the Qt tests: Qt's accessibility turned on without a bus or a bridge,
// and every event Qt sends read as a bridge reads it. With it, what a list tells a reader
// can be checked after each way a user scrolls, refills and picks.
#ifndef FRELANE_PLATFORM_QT_TESTING_SCREEN_READER_H_
#define FRELANE_PLATFORM_QT_TESTING_SCREEN_READER_H_

#include <functional>
#include <string>
#include <vector>

class QAccessibleInterface;
class QListView;
class QWidget;

namespace qtbind::testing {

// While one lives, QAccessible::isActive() holds, and each event's object is read with
// every child it reports: name, state, place and parent. One at a time.
class ScreenReader {
 public:
  ScreenReader();
  ~ScreenReader();
  ScreenReader(const ScreenReader&) = delete;
  ScreenReader& operator=(const ScreenReader&) = delete;

  // How many events Qt has sent since this reader started.
  int EventsRead() const;
};

// The objects of `window`'s accessible tree that say they have the focus.
std::vector<QAccessibleInterface*> FocusedObjects(QWidget& window);

// Reads every child `view`'s interface reports, as a reader walking the window does, and
// checks each against what the view shows: a row in view (the rows in view each once, in
// order), its text, its parent and index, selected and focused as the view draws it. Each
// mismatch is a test failure naming `step`.
void ExpectChildrenAsShown(QListView& view, const std::string& step);

// The program's own ways of changing a list's lines while it scrolls.
struct ListChanges {
  std::function<void()> refill;      // the whole list filled anew, as after a Save
  std::function<void()> remove_row;  // one line gone, as after a Delete
};

// What a user does to a list of more lines than it shows, with ExpectChildrenAsShown after
// each step: a click on the top line, End, Home, Page Down and Up, Down past the last line
// in view, a wheel notch, a drag of the scroll bar, a resize, and the changes between them.
void ScrollEveryWay(QListView& view, const ListChanges& changes);

}  // namespace qtbind::testing

#endif  // FRELANE_PLATFORM_QT_TESTING_SCREEN_READER_H_
