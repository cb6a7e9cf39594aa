// What a screen reader is told about the host's list boxes: the list, and as its children
// only the rows in view, numbered from the first of them. Qt's own account of a list view
// offers every row of the model as a child, and a reader that walks the window then asks
// for each of the tens of thousands of lines of a long list one by one. The rows out of
// view are reached as a sighted user reaches them: moving the current row, which scrolls
// it into view and announces it.
#ifndef FRELANE_PLATFORM_QT_ACCESSIBLE_LIST_VIEW_H_
#define FRELANE_PLATFORM_QT_ACCESSIBLE_LIST_VIEW_H_

namespace qtbind {

class ListView;

// Marks a list view the host made as one that takes the interface above, and installs the
// interface's factory in Qt once.
void UseAccessibleListView(ListView& view);

// The rows in view changed (the list scrolled, was resized or refilled): the children told
// before are stale.
void AccessibleRowsMoved(ListView& view);

}  // namespace qtbind

#endif  // FRELANE_PLATFORM_QT_ACCESSIBLE_LIST_VIEW_H_
