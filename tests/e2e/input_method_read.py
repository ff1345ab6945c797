#!/usr/bin/python3
"""What the program shows, read over the accessibility bus, for input_method.sh.

Prints one line each: the search window's query as committed (a composition
not yet committed is no part of it), the caret's place in it, the count as
the query field describes it, the first result's cells joined by TABs, and
the titles of the program's windows on screen joined by TABs. Prints
nothing while the search window is not on the bus yet.
"""
import pyatspi

SEARCH = 'ねじ・下穴の検索'


def descendant(acc, role, name):
    for child in acc:
        if child is None:
            continue
        if child.getRole() == role and child.name == name:
            return child
        found = descendant(child, role, name)
        if found is not None:
            return found
    return None


def read():
    program = next((app for app in pyatspi.Registry.getDesktop(0)
                    if app is not None and app.name == 'vornel'), None)
    if program is None:
        return
    shown = [w for w in program
             if w is not None and w.getRole() == pyatspi.ROLE_FRAME
             and w.getState().contains(pyatspi.STATE_SHOWING)]
    search = next((w for w in shown if w.name == SEARCH), None)
    if search is None:
        return
    query = (descendant(search, pyatspi.ROLE_ENTRY, '検索語')
             or descendant(search, pyatspi.ROLE_TEXT, '検索語'))
    results = descendant(search, pyatspi.ROLE_TABLE, '検索結果')
    if query is None or results is None:
        return
    text = query.queryText()
    table = results.queryTable()
    first = ([table.getAccessibleAt(0, c).name for c in range(table.nColumns)]
             if table.nRows else [])
    print(f'text={text.getText(0, -1)}')
    print(f'caret={text.caretOffset}')
    # An empty query describes itself by its placeholder.
    print(f'count={query.description if text.characterCount else ""}')
    print('first=' + '\t'.join(first))
    print('windows=' + '\t'.join(w.name for w in shown))


try:
    read()
except Exception:  # a window going while it is read: read again
    pass
