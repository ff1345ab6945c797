#include "windows/chart_window.h"

#include "assets/assets.h"
#include "chart_model/accessible_text.h"
#include "chart_model/chart_copy.h"
#include "chart_model/chart_text.h"
#include "chart_model/twips.h"
#include "windows/accessibility.h"
#include "windows/chart_line_delegate.h"
#include "windows/chart_line_model.h"
#include "windows/chart_printer.h"
#include "windows/clipboard.h"
#include "windows/column_layout.h"
#include "windows/japanese_faces.h"
#include "windows/theme_colours.h"

#include <QAction>
#include <QCloseEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QListView>
#include <QMenu>
#include <QMetaMethod>
#include <QPainter>

namespace vornel {
namespace {

// Tab and Shift+Tab leave the list as it is. The list has nothing to move
// the focus to, and would otherwise search its lines for the key's text, a
// TAB, and select the first line that starts with one: a heading.
class TabKeepsTheSelection final : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() != QEvent::KeyPress)
            return false;
        const int key = static_cast<QKeyEvent*>(event)->key();
        return key == Qt::Key_Tab || key == Qt::Key_Backtab;
    }
};

} // namespace

QFont listFont(const FontDescription& description) {
    QFont font;
    // Each face by all its names, so that it is found under any locale.
    QStringList families{toQString(description.face)};
    for (const QStringView face :
         {u"MS PGothic", u"IPAPGothic", u"VL PGothic", u"Noto Sans CJK JP"})
        families.append(familyNames(face));
    families.removeDuplicates();
    font.setFamilies(families);
    font.setStyleHint(QFont::SansSerif);
    // The columns are laid out from the advances of single characters; a
    // face that kerns would draw a text narrower than that. The charts' own
    // faces do not kern, so this changes nothing where they are installed.
    font.setKerning(false);
    font.setPointSize(description.pointSize);
    font.setWeight(static_cast<QFont::Weight>(description.weight));
    font.setItalic(false);
    font.setUnderline(false);
    font.setStrikeOut(false);
    return font;
}

ChartWindow::ChartWindow(const ChartDefinition& chart)
    : QWidget(nullptr, Qt::Window)
    , chart_(chart) {
    exposeTopLevelWidgetsAsWindows();
    setAttribute(Qt::WA_DeleteOnClose);
    setObjectName(QString::fromLatin1(chart.identifier.data(),
                                      static_cast<qsizetype>(chart.identifier.size())));
    setWindowTitle(toQString(chart.title));
    // Named as it is said where the title is written otherwise ("メ－トル").
    if (const QString spoken = spokenText(windowTitle()); spoken != windowTitle())
        setAccessibleName(spoken);
    if (chart.icon == WindowIcon::ChartIcon)
        setWindowIcon(assets::chartIcon());

    const QRect client = pixelsFromTwips(chart.clientArea);
    if (chart.placement == Placement::StoredPosition)
        setGeometry(client);
    else
        resize(client.size());

    const QFont font = listFont(chart.listFont);
    const QFontMetrics metrics(font);

    list_ = new QListView(this);
    list_->setObjectName(QStringLiteral("List1"));
    list_->setGeometry(pixelsFromTwips(chart.listRect));
    list_->setFont(font);
    list_->setSelectionMode(QAbstractItemView::SingleSelection);
    list_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    list_->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    list_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    list_->setTextElideMode(Qt::ElideNone);
    list_->setWordWrap(false);
    list_->setUniformItemSizes(true);
    delegate_ = new ChartLineDelegate(ColumnLayout(chart, metrics), metrics.height(), list_);
    list_->setItemDelegate(delegate_);
    list_->setModel(new ChartLineModel(chart, list_));
    list_->setContextMenuPolicy(Qt::CustomContextMenu);
    // The window's own actions come first among the list's; their keys work
    // while the list has the focus.
    copyAction_ = new QAction(QStringLiteral("コピー"), list_);
    copyAction_->setShortcuts(QKeySequence::Copy);
    copyAction_->setShortcutContext(Qt::WidgetShortcut);
    connect(copyAction_, &QAction::triggered, this, &ChartWindow::copySelectedLine);
    list_->addAction(copyAction_);
    printAction_ = new QAction(QStringLiteral("印刷…"), list_);
    printAction_->setShortcuts(QKeySequence::Print);
    printAction_->setShortcutContext(Qt::WidgetShortcut);
    connect(printAction_, &QAction::triggered, this, &ChartWindow::print);
    list_->addAction(printAction_);
    connect(list_, &QWidget::customContextMenuRequested, this, &ChartWindow::showContextMenu);
    followTheme(list_);
    list_->installEventFilter(new TabKeepsTheSelection(list_));
    reportCurrentItemOnFocus(list_);
    activateFirstMenuEntries();

    // Ctrl+W closes the window as its close button does.
    auto* closeAction = new QAction(this);
    closeAction->setShortcuts(QKeySequence::Close);
    connect(closeAction, &QAction::triggered, this, &QWidget::close);
    addAction(closeAction);

    if (chart.footnote) {
        auto* label = new QLabel(toQString(chart.footnote->text), this);
        label->setObjectName(QStringLiteral("Label1"));
        label->setGeometry(pixelsFromTwips(chart.footnote->rect));
        label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
        label->setFocusPolicy(Qt::NoFocus);
        // The label has no ground of its own: its text is drawn on the
        // window's, the fixed white or the theme's.
        followTheme(label,
                    chart.background == Background::White ? whiteGroundPalette : readablePalette);
    }

    list_->setFocus();
}

ChartWindow::~ChartWindow() = default;

const ColumnLayout& ChartWindow::layout() const {
    return delegate_->layout();
}

void ChartWindow::closeEvent(QCloseEvent* event) {
    QWidget::closeEvent(event);
    emit closed();
}

int ChartWindow::selectedRow() const {
    const QModelIndexList selected = list_->selectionModel()->selectedRows();
    return selected.isEmpty() ? -1 : selected.first().row();
}

void ChartWindow::selectLine(int line) {
    const QModelIndex index = list_->model()->index(line, 0);
    if (!index.isValid())
        return;
    list_->setCurrentIndex(index);
    list_->scrollTo(index, QAbstractItemView::PositionAtCenter);
}

void ChartWindow::addListAction(QAction* action) {
    list_->addAction(action);
}

void ChartWindow::copySelectedLine() {
    const int row = selectedRow();
    if (row < 0)
        return;
    const QString text = copyText(chart_.lines[static_cast<std::size_t>(row)]);
    if (text.isEmpty())
        return;
    copyToClipboard(text);
    announce(this, copiedLineNotice(accessibleLineText(chart_, row)));
}

void ChartWindow::print() {
    showPrintPreview(chart_, this);
}

void ChartWindow::showContextMenu(const QPoint& position) {
    // The Menu key asks at the current line, the pointer at the line under it.
    const QModelIndex under = list_->indexAt(position);
    const int row = under.isValid() ? under.row() : selectedRow();
    QMenu menu(this);
    // "コピー" is shown dimmed where there is nothing to copy; its key stays
    // with the action, so that the list never copies a line as it stands.
    const int selected = selectedRow();
    copyAction_->setEnabled(selected >= 0 &&
                            !copyText(chart_.lines[static_cast<std::size_t>(selected)]).isEmpty());
    for (QAction* action : list_->actions()) {
        menu.addAction(action);
        if (action == copyAction_)
            for (const ValueEntry& entry : valueEntries(chart_, row)) {
                const QString value = entry.value;
                const QString notice = copiedValueNotice(entry.label);
                menu.addAction(entry.label, &menu, [this, value, notice] {
                    copyToClipboard(value);
                    announce(this, notice);
                });
            }
        // The window's own groups stand apart; the menu hides a separator
        // at its end.
        if (action == copyAction_ || action == printAction_)
            menu.addSeparator();
    }
    if (row >= chart_.headingLines && row < chart_.headingLines + chart_.dataRows &&
        isSignalConnected(QMetaMethod::fromSignal(&ChartWindow::engagementRequested)))
        menu.addAction(QStringLiteral("ひっかかり率を調べる…"), this,
                       [this, row] { emit engagementRequested(row); });
    menu.exec(list_->viewport()->mapToGlobal(position));
    copyAction_->setEnabled(true);
}

void ChartWindow::paintEvent(QPaintEvent* event) {
    if (chart_.background == Background::White)
        QPainter(this).fillRect(rect(), whiteGroundPalette(palette()).window());
    QWidget::paintEvent(event);
}

} // namespace vornel
