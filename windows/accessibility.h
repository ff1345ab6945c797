#pragma once

class QAbstractItemView;

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

} // namespace vornel
