#!/usr/bin/python3
"""A screen reader's walk through Vornel over the accessibility bus.

Usage: screen_reader.py VORNEL CHARTS_JSON

Starts the program with accessibility on, finds its windows as frames named
by their titles, presses every chart button through its accessible action,
reads every entry of every list and compares it with what the chart's line is
to be read as (its values each after the name of its column), moves through
the list with the keyboard and reads again, closes a chart while holding its
entries and reads them, reopens it, reads the search window's query field,
results table and detail, and at the end closes every window: the program must have
stayed up all along and end with status 0.
"""
import json
import os
import subprocess
import sys
import time

import pyatspi
from gi.repository import GLib

vornel, charts_json = sys.argv[1], sys.argv[2]
charts = json.load(open(charts_json, encoding='utf-8'))
checks = 0


def fail(message):
    print(f'FAIL: {message}', file=sys.stderr)
    if program.poll() is None:
        program.kill()
    sys.exit(1)


def check(condition, message):
    global checks
    if not condition:
        fail(message)
    checks += 1


def alive(what):
    check(program.poll() is None, f'the program ended ({program.returncode}) during {what}')


def wait_for(what, find, seconds=15):
    deadline = time.time() + seconds
    while time.time() < deadline:
        found = find()
        if found is not None:
            return found
        time.sleep(0.1)
    fail(f'timed out waiting for {what}')


def application():
    for app in pyatspi.Registry.getDesktop(0):
        try:
            if app is not None and app.name == 'vornel':
                return app
        except Exception:
            pass
    return None


def window(title):
    app = application()
    if app is None:
        return None
    for w in app:
        try:
            if (w is not None and w.name == title and w.getRole() == pyatspi.ROLE_FRAME
                    and w.getState().contains(pyatspi.STATE_SHOWING)):
                return w
        except Exception:
            pass
    return None


def descendant(acc, role, name=None):
    for child in acc:
        if child is None:
            continue
        if child.getRole() == role and (name is None or child.name == name):
            return child
        found = descendant(child, role, name)
        if found is not None:
            return found
    return None


# The objects reported as focused, in order, as a screen reader hears them.
focus_events = []


def on_focus(event):
    if event.detail1:
        focus_events.append(event.source)


def pump(seconds):
    """Delivers the events that have come, for `seconds`."""
    context = GLib.MainContext.default()
    deadline = time.time() + seconds
    while time.time() < deadline:
        while context.pending():
            context.iteration(False)
        time.sleep(0.02)


def focus_after(what, action):
    """The object last reported as focused after `action`, once the reports
    have stopped for a while: what a screen reader ends up saying."""
    pump(0.3)
    del focus_events[:]
    action()
    deadline = time.time() + 15
    seen = 0
    while time.time() < deadline:
        pump(0.8)
        if focus_events and len(focus_events) == seen:
            return focus_events[-1]
        seen = len(focus_events)
    fail(f'no object reported as focused after {what}')


def selected(lst):
    """How many entries say they are selected."""
    return sum(1 for i in range(lst.childCount)
               if lst.getChildAtIndex(i).getState().contains(pyatspi.STATE_SELECTED))


def read_list(lst):
    """Every entry's text, as a screen reader reads it: name, role, states."""
    table = lst.queryTable()
    check(table.nRows == lst.childCount, 'the list and its table disagree on the rows')
    table.getSelectedRows()
    table.nSelectedRows
    entries = []
    for i in range(lst.childCount):
        item = lst.getChildAtIndex(i)
        item.getRole()
        item.getState()
        item.getIndexInParent()
        entries.append(item.name)
    return entries


def first_difference(entries, chart):
    """The first entry that reads otherwise than the chart's line, for a failure."""
    for i, name in enumerate(chart['names']):
        entry = entries[i] if i < len(entries) else None
        if entry != name:
            return f'line {i + 1} reads {entry!r}, not {name!r}'
    return f'{len(entries)} entries, not {len(chart["names"])}'


def window_id(title):
    out = subprocess.run(['xdotool', 'search', '--onlyvisible', '--name', f'^{title}$'],
                         capture_output=True, text=True).stdout.split()
    return out[0] if out else None


def keys(title, *names):
    """Presses keys in the window titled `title`, as the user does: once it
    is active, to whatever has the focus in it."""
    wid = wait_for(f'the window {title}', lambda: window_id(title))
    subprocess.run(['xdotool', 'windowactivate', '--sync', wid], check=False)
    for name in names:
        subprocess.run(['xdotool', 'key', name], check=True)
        time.sleep(0.05)


def close(title):
    wid = wait_for(f'the window {title}', lambda: window_id(title))
    subprocess.run(['wmctrl', '-i', '-c', wid], check=True)
    wait_for(f'{title} to close', lambda: None if window_id(title) else True)


# Lines (from 0) of two charts, as a listener is to hear them.
READ_AS = {
    1: {3: 'ねじの呼び （注1）、ドリル径、最小寸法、最大寸法',
        4: 'M 1 × 0.25、ドリル径 0.75、最小寸法 0.729、最大寸法 0.785'},
    5: {11: '1 ‐11、Rc(PT) 計算値 29.423、下穴径 29、Rp(PS) 計算値 30.111、下穴径 30、'
            'JIS B2301 計算値 29.353、下穴径 29',
        21: '空行'},
}

pyatspi.Registry.registerEventListener(on_focus, 'object:state-changed:focused')
env = dict(os.environ, QT_LINUX_ACCESSIBILITY_ALWAYS_ON='1', QT_QPA_PLATFORM='xcb')
program = subprocess.Popen([vornel], env=env)

menu = wait_for('the menu on the bus', lambda: window('Vornel'))
buttons = {}
for chart in charts:
    buttons[chart['identifier']] = wait_for(
        f"the button {chart['accessibleCaption']}",
        lambda: descendant(window('Vornel'), pyatspi.ROLE_PUSH_BUTTON, chart['accessibleCaption']))


def press(chart):
    action = buttons[chart['identifier']].queryAction()
    names = [action.getName(i) for i in range(action.nActions)]
    check('Press' in names, f'{chart["caption"]} has no Press action: {names}')
    action.doAction(names.index('Press'))


def open_and_read(chart, what):
    press(chart)
    w = wait_for(f"{chart['title']} after {what}", lambda: window(chart['accessibleTitle']))
    lst = wait_for(f"the list of {chart['title']}", lambda: descendant(w, pyatspi.ROLE_LIST))
    check(selected(lst) == 0,
          f"{chart['title']} opened with a selection ({what})")
    entries = read_list(lst)
    check(entries == chart['names'],
          f"{chart['title']}: the list reads otherwise ({what}): {first_difference(entries, chart)}")
    if what == 'first open' and chart['position'] in READ_AS:
        for line, name in READ_AS[chart['position']].items():
            check(entries[line] == name, f"{chart['title']}, line {line + 1}: {entries[line]!r}")
    alive(what)
    return lst


for chart in charts:
    lst = open_and_read(chart, 'first open')
    # Move through the list as a user would, then read it again.
    keys(chart['title'], 'Down', 'Down', 'Next', 'Next', 'End', 'Prior', 'Home', 'Next')
    check(selected(lst) == 1, f"{chart['title']}: keys select no line")
    entries = read_list(lst)
    check(entries == chart['names'],
          f"{chart['title']}: the list reads otherwise after keys: {first_difference(entries, chart)}")
    alive('moving through a list')

# Close charts while holding their entries, read what is held, reopen.
for chart in charts:
    w = window(chart['accessibleTitle'])
    lst = descendant(w, pyatspi.ROLE_LIST)
    held = [lst.getChildAtIndex(i) for i in range(min(lst.childCount, 40))]
    close(chart['title'])
    time.sleep(0.2)
    for item in held:
        try:
            item.name
            item.getState()
        except Exception:
            pass  # a defunct entry may say so; the program must not fall over
    alive(f"reading entries of the closed {chart['title']}")
    lst = open_and_read(chart, 'reopening')

# The search window: its query field by name, then its results table, the
# column headers and each cell, as a screen reader reads them.
SEARCH = 'ねじ・下穴の検索'
keys('Vornel', 'ctrl+f')
search = wait_for('the search window on the bus', lambda: window(SEARCH))
query = wait_for('the query field', lambda: descendant(search, pyatspi.ROLE_ENTRY, '検索語')
                 or descendant(search, pyatspi.ROLE_TEXT, '検索語'))
subprocess.run(['xdotool', 'type', '--delay', '30', 'M8x1.25'], check=True)
results = wait_for('the results table', lambda: descendant(search, pyatspi.ROLE_TABLE, '検索結果'))
table = results.queryTable()
wait_for('three results', lambda: True if table.nRows == 3 else None)
headers = [table.getColumnHeader(c).name for c in range(table.nColumns)]
check(headers == ['図表', 'ねじの呼び', '種類', 'ドリル径', 'ひっかかり率', '最小～最大寸法', '一致'],
      f'the results table has the column headers {headers}')
cells = [[table.getAccessibleAt(r, c).name for c in range(table.nColumns)]
         for r in range(table.nRows)]
# Each row cell by cell as a chart's row: values after their names.
M8_RESULTS = [
    ['メートルねじ', '8 × 1.25', '', 'ドリル径 6.8', 'ひっかかり率 89 %', 'めねじ内径 6.647 から 6.912',
     '一致 呼び'],
    ['インサートメートルねじ', '8 × 1.25', '', 'ドリル径 8.4', '', '下穴径 8.31 から 8.52', '一致 呼び'],
    ['溝なしタップメートルねじ', 'M 8 × 1.25', '', '', '', '下穴径 7.36 から 7.49', '一致 呼び'],
]
check(cells == M8_RESULTS, f'the results read {cells}')
# The detail of the first result: read-only text named "詳細", line by line.
detail = descendant(search, pyatspi.ROLE_TEXT, '詳細')
detail_text = detail.queryText().getText(0, -1) if detail is not None else None
check(detail_text == (
    'メートルねじ　8 × 1.25\nドリル径 6.8　ひっかかり率 89 %\nめねじ（ISO 965-1 6H）\n'
    '　内径 6.647～6.912\n　有効径 7.188～7.348（計算値）\n　外径 最小 8.000（計算値）\n　タップ ISO 2\n'
    '使えるドリル径　6.7（96 %）、6.8（89 %、図表のドリル径）、6.9（81 %）\n'
    '応力断面積 36.6 mm²（ISO 898-1）')
      and detail.getState().contains(pyatspi.STATE_READ_ONLY),
      f'the detail reads {detail_text!r}')
check(descendant(search, pyatspi.ROLE_LABEL, '3 件') is not None, 'no status line "3 件"')
# The count is said where the focus is, and follows the results.
check(query.description == '検索結果 3 件' and results.description == '検索結果 3 件',
      f'the count is described as {query.description!r}, {results.description!r}')
subprocess.run(['xdotool', 'key'] + ['BackSpace'] * 5, check=True)
wait_for('the results of M8', lambda: True if table.nRows > 3 else None)
check(results.description == f'検索結果 {table.nRows} 件',
      f'{table.nRows} results are described as {results.description!r}')
alive('reading the search results')
close(SEARCH)

# Where the user lands, the current line is what is reported as focused, with
# its text: on opening a chart (its first line), on Escape back to it from
# the search window, on Down from the query into the results (the first
# result), and on Enter on a result (the chart's line of that result).
metric = charts[0]


def focused_line(what, action, line):
    item = focus_after(what, action)
    check(item.getRole() == pyatspi.ROLE_LIST_ITEM and item.getIndexInParent() == line
          and item.name == metric['names'][line],
          f'after {what} the focus is on {item.getRoleName()} {item.getIndexInParent()} '
          f'{item.name!r}, not line {line + 1} {metric["names"][line]!r}')


def open_search_from_chart():
    keys(metric['title'], 'ctrl+f')
    wait_for('the search window', lambda: window_id(SEARCH))
    subprocess.run(['xdotool', 'type', '--delay', '30', 'M8x1.25'], check=True)
    search = wait_for('the search window on the bus', lambda: window(SEARCH))
    table = descendant(search, pyatspi.ROLE_TABLE, '検索結果').queryTable()
    wait_for('the results of M8x1.25', lambda: True if table.nRows == 3 else None)
    return search


close(metric['title'])
focused_line('opening a chart', lambda: press(metric), 0)
keys(metric['title'], 'Down', 'Down', 'Down', 'Down')
open_search_from_chart()
focused_line('Escape back to the chart', lambda: keys(SEARCH, 'Escape'), 4)
search = open_search_from_chart()
cell = focus_after('Down into the results', lambda: keys(SEARCH, 'Down'))
results = descendant(search, pyatspi.ROLE_TABLE, '検索結果')
first = [results.queryTable().getAccessibleAt(0, c).name for c in range(len(M8_RESULTS[0]))]
check(cell.getRole() == pyatspi.ROLE_TABLE_CELL and cell.parent == results
      and cell == results.queryTable().getAccessibleAt(0, 0) and first == M8_RESULTS[0],
      f'after Down into the results the focus is on {cell.getRoleName()} {cell.name!r} '
      f'in a row that reads {first}')
line = next(i for i, name in enumerate(metric['names']) if name.startswith('8 × 1.25、'))
focused_line('Enter on a result', lambda: keys(SEARCH, 'Return'), line)
close(SEARCH)
alive('following the focus')

close('Vornel')
alive('closing the menu')
for chart in charts:
    close(chart['title'])
try:
    status = program.wait(timeout=20)
except subprocess.TimeoutExpired:
    fail('the program did not end after its last window closed')
check(status == 0, f'the program ended with status {status}')
print(f'screen reader walk over {len(charts)} charts: {checks} passed, 0 failed')
