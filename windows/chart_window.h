#pragma once

#include "chart_model/chart_definition.h"

#include <QFont>
#include <QWidget>

class QAction;
class QListView;

namespace vornel {

class ColumnLayout;
class ChartLineDelegate;

// The font a chart's list asks for: its face first, then the same face by its
// Latin name, then the nearest proportional Japanese gothic faces found on
// other systems, each by its Latin and its Japanese name.
QFont listFont(const FontDescription& font);

// A top-level window whose client area holds the read-only list of one chart
// (and its footnote, where it has one). Everything comes from the
// definition; the window is deleted when it is closed.
class ChartWindow : public QWidget {
    Q_OBJECT
public:
    explicit ChartWindow(const ChartDefinition& chart);
    ~ChartWindow() override;

    const ChartDefinition& chart() const { return chart_; }
    QListView* list() const { return list_; }
    // The layout the list draws with, owned by the list's delegate.
    const ColumnLayout& layout() const;
    // The row of the selected line, or -1.
    int selectedRow() const;
    // Makes line `line` (from 0) the current and selected one, scrolled to
    // the middle of the list. A line the chart does not have does nothing.
    void selectLine(int line);
    // Adds an entry to the list's context menu, after the window's own, with
    // its shortcut working while the list has the focus.
    void addListAction(QAction* action);

    // Copies the selected line (Ctrl+C, "コピー"); without a selection, or
    // on an empty line, leaves the clipboard as it is.
    void copySelectedLine();
    // Opens the chart's print preview (Ctrl+P, "印刷…").
    void print();

signals:
    // The user closed the window; it is deleted as soon as control returns to
    // the event loop.
    void closed();

protected:
    // The list's context menu (right button, Menu key): the actions that the
    // list holds, in the order they were added, this window's own first.
    // After "コピー" come the values of the line under the pointer (or of the
    // selected line) to copy one by one, then "印刷…", then the others'.
    virtual void showContextMenu(const QPoint& position);

    void closeEvent(QCloseEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    const ChartDefinition& chart_;
    QListView* list_;
    ChartLineDelegate* delegate_;
    QAction* copyAction_;
    QAction* printAction_;
};

} // namespace vornel
