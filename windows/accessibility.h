#pragma once

class QAbstractItemView;
class QLineEdit;
class QString;
class QWidget;

namespace vornel {

// Makes every top-level window that Qt would expose as a plain client area a
// window (a frame, on the accessibility bus) named by its title. Call it
// before any window is shown; calling it again does nothing.
void exposeTopLevelWidgetsAsWindows();

// Whenever `view` gets the focus, reports its current item as the focused
// object on the accessibility bus, after the view itself: otherwise a screen
// reader hears only "list with 258 items" where the user lands. Where none
// is current, Qt makes the first item current (not selected) on the focus.
// Nothing drawn or selected changes.
void reportCurrentItemOnFocus(QAbstractItemView* view);

// Makes the first entry of every menu the active one as the menu opens, so
// that a screen reader says it (Down then moves to the second), and lets a
// screen reader find the entries of a menu opened again. Calling it again
// does nothing.
void activateFirstMenuEntries();

// Exposes `field` on the accessibility bus so that a screen reader reads its
// text whole. Qt 6.4 gives a line edit's text no runs of attributes, and
// Orca reads a line by those runs: it left out the last character. Call it
// before the field has a parent (its accessible interface is chosen the
// first time the bus hears of it).
void readTextWhole(QLineEdit* field);

// Says `text` where a screen reader listens, as a notification in `window`
// (a top-level widget): the means by which a screen reader hears what no
// focus change tells it, such as a count that follows typing or what a copy
// put on the clipboard. Nothing is drawn.
void announce(QWidget* window, const QString& text);

// How many announcements this process has made: a change of focus that one
// follows would cut it short.
int announcementsMade();

// Runs `change` without telling the accessibility bus of it: for a change
// that a screen reader would otherwise say before the focus that follows
// it, such as a query's text selected in a window being raised.
template <typename Change> void unannounced(Change change);

} // namespace vornel

#include <QAccessible>

namespace vornel {

namespace detail {
void dropAccessibleUpdate(QAccessibleEvent*);
} // namespace detail

template <typename Change> void unannounced(Change change) {
    const QAccessible::UpdateHandler previous =
        QAccessible::installUpdateHandler(detail::dropAccessibleUpdate);
    change();
    QAccessible::installUpdateHandler(previous);
}

} // namespace vornel
