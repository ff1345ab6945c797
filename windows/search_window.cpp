#include "windows/search_window.h"

#include "assets/assets.h"
#include "chart_model/accessible_text.h"
#include "chart_model/chart_copy.h"
#include "chart_model/chart_text.h"
#include "search/engagement.h"
#include "search/result_detail.h"
#include "search/result_texts.h"
#include "search/search_index.h"
#include "search/search_result_model.h"
#include "windows/accessibility.h"
#include "windows/clipboard.h"
#include "windows/qt_texts.h"
#include "windows/theme_colours.h"

#include <QAction>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPainter>
#include <QPlainTextEdit>
#include <QScrollBar>
#include <QSettings>
#include <QSplitter>
#include <QStyledItemDelegate>
#include <QTableView>
#include <QTimer>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace vornel::search {
namespace {

// Draws a result without the frame of the focused cell: the whole row is
// selected and shows where the user is, and the style's frame would lighten
// the selection under the cell's text below a readable contrast.
class ResultDelegate final : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;

protected:
    void initStyleOption(QStyleOptionViewItem* option, const QModelIndex& index) const override {
        QStyledItemDelegate::initStyleOption(option, index);
        option->state &= ~QStyle::State_HasFocus;
    }
};

// The results. While the query has the focus, a new current result is not
// reported as focused on the accessibility bus (Qt's table would report it
// whatever has the focus, and a screen reader would follow it away from the
// query after every keystroke); it is reported when the results get the focus.
class ResultsTable final : public QTableView {
public:
    using QTableView::QTableView;

protected:
    void currentChanged(const QModelIndex& current, const QModelIndex& previous) override {
        if (hasFocus())
            QTableView::currentChanged(current, previous);
        else
            QAbstractItemView::currentChanged(current, previous);
    }
};

// Tells its owner when it has laid out its panes for a new size.
class PaneSplitter final : public QSplitter {
public:
    using QSplitter::QSplitter;
    std::function<void()> resized;

protected:
    void resizeEvent(QResizeEvent* event) override {
        QSplitter::resizeEvent(event);
        if (resized)
            resized();
    }
};

// How long typing pauses before the count is said.
constexpr int kCountPauseMs = 400;

// The detail's starting height in lines: the tallest answers' (a fit's both
// halves, a measurement's candidates with their reasons).
constexpr int kDetailLines = 18;
// How many results the starting size shows above it.
constexpr int kStartingRows = 12;

// Where the detail's height is remembered.
const QString kDetailHeightKey = QStringLiteral("search/detailHeight");
QSettings settings() {
    return QSettings(QStringLiteral("vornel"), QStringLiteral("vornel"));
}

// What an empty query offers: a query of each kind, with what it is.
struct Example {
    const char16_t* query;
    const char16_t* kind;
};
constexpr Example kExamples[] = {
    {u"M8x1.25", u"ねじの呼び"},
    {u"6.8", u"ドリル径"},
    {u"M8 下穴", u"下穴径"},
    {u"外径 9.5 ピッチ 1.5", u"測った外径とピッチ"},
    {u"M8x1.25-6H/6g", u"等級、はめあい"},
};

// The examples drawn quietly, under a heading in the window's own text: the
// text's colour a third of the way to the window's ground, which keeps it
// well readable in any theme.
QPalette quietPalette(QPalette palette) {
    palette = readablePalette(palette);
    for (const auto group : {QPalette::Active, QPalette::Inactive}) {
        const QColor text = palette.color(group, QPalette::WindowText);
        const QColor ground = palette.color(group, QPalette::Window);
        const auto mix = [](int from, int to) { return from + (to - from) / 3; };
        palette.setColor(group, QPalette::Text,
                         QColor(mix(text.red(), ground.red()), mix(text.green(), ground.green()),
                                mix(text.blue(), ground.blue())));
        palette.setColor(group, QPalette::Base, ground);
        palette.setColor(group, QPalette::AlternateBase, ground);
        // Short texts such as "6.8" show few full-coloured pixels: the
        // selection moves a step further from its text.
        const QColor highlight = palette.color(group, QPalette::Highlight);
        palette.setColor(group, QPalette::Highlight,
                         palette.color(group, QPalette::HighlightedText).lightness() > 127
                             ? highlight.darker(115)
                             : highlight.lighter(115));
    }
    return palette;
}

// Sample texts of each column, as wide as the widest it is expected to show,
// for its starting width.
const QStringList& sampleTexts(int column) {
    static const QList<QStringList> texts{
        {},
        {QStringLiteral("G(PF) 11/2 ‐11"), QStringLiteral("No.12‐32UNEF")},
        {QStringLiteral("NPT リーマなし")},
        {QStringLiteral("17.86（0.703 inch）")},
        {QStringLiteral("100 %（ドリル径 10.25）")},
        // A hole's limits, and a bolt's two pairs as wide as any size makes
        // them (6-4UN-2A's).
        {QStringLiteral("めねじ内径 148.172～148.812"),
         QStringLiteral("151.702～152.306／147.866～148.181")},
        {QStringLiteral("ドリル径と同じ（最小 +0.153／最大 −0.112）")},
    };
    return texts[column];
}

} // namespace

SearchWindow::SearchWindow(const SearchIndex& index, QueryFinder find)
    : QWidget(nullptr, Qt::Window)
    , index_(index)
    , find_(std::move(find)) {
    if (!find_)
        find_ = [](const SearchIndex& searched, QStringView query, int preferredPosition) {
            return searched.find({reinterpret_cast<const char16_t*>(query.utf16()),
                                  static_cast<std::size_t>(query.size())},
                                 preferredPosition);
        };
    useJapaneseQtTexts();
    setAttribute(Qt::WA_DeleteOnClose);
    setObjectName(QStringLiteral("SearchWindow"));
    setWindowTitle(QStringLiteral("ねじ・下穴の検索"));
    setWindowIcon(assets::chartIcon());

    query_ = new QLineEdit;
    readTextWhole(query_);
    query_->setParent(this);
    query_->setObjectName(QStringLiteral("Query"));
    query_->setAccessibleName(QStringLiteral("検索語"));
    query_->setPlaceholderText(QStringLiteral("例：M8×1.25、1/4-20、No.10、G1/4、6.8"));
    // A clear button of its own, shown with the first character: Qt's fades
    // in over 160 ms, drawing on after the results are on screen.
    QAction* clear = query_->addAction(style()->standardIcon(QStyle::SP_LineEditClearButton),
                                       QLineEdit::TrailingPosition);
    clear->setText(QStringLiteral("消去"));
    clear->setVisible(false);
    connect(clear, &QAction::triggered, query_, [this] {
        query_->clear();
        emit query_->textEdited({});
    });
    connect(query_, &QLineEdit::textChanged, clear,
            [clear](const QString& text) { clear->setVisible(!text.isEmpty()); });
    query_->installEventFilter(this);

    model_ = new SearchResultModel(this);
    table_ = new ResultsTable(this);
    table_->setObjectName(QStringLiteral("Results"));
    table_->setAccessibleName(QStringLiteral("検索結果"));
    table_->setModel(model_);
    table_->setItemDelegate(new ResultDelegate(table_));
    table_->setSelectionBehavior(QAbstractItemView::SelectRows);
    table_->setSelectionMode(QAbstractItemView::SingleSelection);
    table_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table_->setTabKeyNavigation(false);
    table_->setWordWrap(false);
    table_->setAlternatingRowColors(true);
    table_->verticalHeader()->hide();
    table_->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    table_->verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 6);
    QHeaderView* header = table_->horizontalHeader();
    header->setStretchLastSection(true);
    header->setHighlightSections(false);
    const QFontMetrics metrics = table_->fontMetrics();
    const int padding = 2 * metrics.horizontalAdvance(u'M');
    QStringList titles;
    for (const ChartDefinition* chart : index.charts()) {
        if (chart)
            titles.append(toQString(chart->title));
    }
    int width = 0;
    for (int column = 0; column < ColumnCount; ++column) {
        int columnWidth = metrics.horizontalAdvance(columnName(column));
        for (const QString& text : column == 0 ? titles : sampleTexts(column))
            columnWidth = std::max(columnWidth, metrics.horizontalAdvance(text));
        header->resizeSection(column, columnWidth + padding);
        width += columnWidth + padding;
    }
    connect(table_, &QAbstractItemView::activated, this,
            [this](const QModelIndex& index) { openResult(index.row()); });
    copyAction_ = new QAction(QStringLiteral("コピー"), table_);
    copyAction_->setShortcuts(QKeySequence::Copy);
    copyAction_->setShortcutContext(Qt::WidgetShortcut);
    table_->addAction(copyAction_);
    connect(copyAction_, &QAction::triggered, this,
            [this] { copyResult(table_->currentIndex().row()); });
    table_->setContextMenuPolicy(Qt::CustomContextMenu);
    table_->installEventFilter(this);
    connect(table_, &QWidget::customContextMenuRequested, this, &SearchWindow::showContextMenu);
    reportCurrentItemOnFocus(table_);
    activateFirstMenuEntries();

    // Read-only text with a caret, reached with Tab after the results (or
    // Alt+D): a screen reader reads it line by line as the caret moves.
    detail_ = new QPlainTextEdit(this);
    detail_->setObjectName(QStringLiteral("Detail"));
    detail_->setAccessibleName(QStringLiteral("詳細"));
    detail_->setReadOnly(true);
    detail_->setTextInteractionFlags(Qt::TextSelectableByKeyboard | Qt::TextSelectableByMouse);
    detail_->setTabChangesFocus(true);
    detail_->setLineWrapMode(QPlainTextEdit::WidgetWidth);
    detail_->setFrameShape(QFrame::NoFrame);
    const int startingDetail = kDetailLines * detail_->fontMetrics().lineSpacing() +
                               2 * static_cast<int>(detail_->document()->documentMargin()) +
                               2 * detail_->frameWidth();
    detailHeight_ = startingDetail;
    bool remembered = false;
    const int rememberedHeight = settings().value(kDetailHeightKey).toInt(&remembered);
    if (remembered && rememberedHeight > 0)
        detailHeight_ = rememberedHeight;
    auto* toDetail = new QAction(this);
    toDetail->setShortcut(QKeySequence(Qt::ALT | Qt::Key_D));
    addAction(toDetail);
    connect(toDetail, &QAction::triggered, this,
            [this] { detail_->setFocus(Qt::ShortcutFocusReason); });
    connect(table_->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            &SearchWindow::showDetail);

    // Two columns, what to type and what it is, in the window's quiet
    // colours under a heading.
    examplesPane_ = new QWidget(this);
    auto* heading = new QLabel(QStringLiteral("入力の例（選ぶと検索します）"), examplesPane_);
    examples_ = new QTreeWidget(examplesPane_);
    examples_->setObjectName(QStringLiteral("Examples"));
    examples_->setAccessibleName(QStringLiteral("入力の例"));
    examples_->setFrameShape(QFrame::NoFrame);
    examples_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    examples_->setItemDelegate(new ResultDelegate(examples_));
    examples_->setRootIsDecorated(false);
    examples_->setHeaderHidden(true);
    examples_->setColumnCount(2);
    for (const Example& example : kExamples)
        new QTreeWidgetItem(examples_, {toQString(example.query), toQString(example.kind)});
    examples_->resizeColumnToContents(0);
    examples_->setColumnWidth(0, examples_->columnWidth(0) + padding);
    auto* examplesLayout = new QVBoxLayout(examplesPane_);
    examplesLayout->setContentsMargins({});
    examplesLayout->addWidget(heading);
    examplesLayout->addWidget(examples_, 1);
    const auto runExample = [this](const QModelIndex& example) {
        if (example.isValid())
            setQuery(example.siblingAtColumn(0).data().toString());
        focusQuery(false);
    };
    connect(examples_, &QAbstractItemView::activated, this, runExample);
    connect(examples_, &QAbstractItemView::clicked, this, runExample);
    examples_->installEventFilter(this);

    status_ = new QLabel(this);
    status_->setObjectName(QStringLiteral("Status"));

    // The user moves the line between the results and the detail; the
    // window keeps the detail's height from then on, and remembers it.
    auto* splitter = new PaneSplitter(Qt::Vertical, this);
    splitter_ = splitter;
    splitter_->setObjectName(QStringLiteral("Panes"));
    splitter_->setChildrenCollapsible(false);
    splitter_->addWidget(table_);
    splitter_->addWidget(examplesPane_);
    splitter_->addWidget(detail_);
    splitter->resized = [this] { fitPanes(); };
    connect(splitter_, &QSplitter::splitterMoved, this, [this] {
        detailHeight_ = detail_->height();
        detailMoved_ = true;
    });

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(query_);
    layout->addWidget(splitter_, 1);
    layout->addWidget(status_);
    setTabOrder(query_, examples_);
    setTabOrder(examples_, table_);
    setTabOrder(table_, detail_);
    for (QWidget* part : {static_cast<QWidget*>(query_), static_cast<QWidget*>(table_),
                          static_cast<QWidget*>(detail_), static_cast<QWidget*>(status_)})
        followTheme(part);
    followTheme(examplesPane_, quietPalette);

    connect(query_, &QLineEdit::textChanged, this, &SearchWindow::runQuery);
    // The count is said once typing pauses, not after every key.
    countPause_ = new QTimer(this);
    countPause_->setSingleShot(true);
    countPause_->setInterval(kCountPauseMs);
    connect(query_, &QLineEdit::textEdited, countPause_, qOverload<>(&QTimer::start));
    connect(countPause_, &QTimer::timeout, this, &SearchWindow::sayCount);
    // Enter in the query field opens the current result: the first of a new
    // query, or the one chosen since.
    connect(query_, &QLineEdit::returnPressed, this, [this] {
        const QModelIndex current = table_->currentIndex();
        openResult(current.isValid() ? current.row() : 0);
    });

    // Ctrl+F, from the results or the detail too, goes back to the query,
    // its text selected to be typed over, as Ctrl+F elsewhere opens it.
    auto* toQuery = new QAction(this);
    toQuery->setShortcuts(QKeySequence::Find);
    addAction(toQuery);
    connect(toQuery, &QAction::triggered, this, [this] { focusQuery(true); });

    // Escape, and Ctrl+W as in a chart, close the window.
    auto* closeAction = new QAction(this);
    closeAction->setShortcuts(QList<QKeySequence>{Qt::Key_Escape} +
                              QKeySequence::keyBindings(QKeySequence::Close));
    addAction(closeAction);
    connect(closeAction, &QAction::triggered, this, &QWidget::close);

    const int margins = layout->contentsMargins().left() + layout->contentsMargins().right();
    const QMargins around = layout->contentsMargins();
    resize(width + margins + table_->verticalScrollBar()->sizeHint().width() +
               2 * table_->frameWidth(),
           around.top() + around.bottom() + 2 * layout->spacing() + query_->sizeHint().height() +
               status_->sizeHint().height() + splitter_->handleWidth() +
               kStartingRows * table_->verticalHeader()->defaultSectionSize() +
               header->sizeHint().height() + 2 * table_->frameWidth() + startingDetail);
    runQuery();
}

SearchWindow::~SearchWindow() = default;

void SearchWindow::setPreferredChart(int position) {
    if (position == preferred_)
        return;
    preferred_ = position;
    runQuery();
}

void SearchWindow::setQuery(const QString& text) {
    query_->setText(text);
}

void SearchWindow::appendToQuery(const QString& text) {
    query_->end(false);
    query_->insert(text);
}

void SearchWindow::focusQuery(bool selectAll) {
    query_->setFocus(Qt::OtherFocusReason);
    const auto place = [this, selectAll] {
        if (selectAll)
            query_->selectAll();
        else
            query_->end(false);
    };
    // A window being raised says its query with the focus; said also as the
    // selection changes, before the window is up, it would be heard twice.
    if (isActiveWindow())
        place();
    else
        unannounced(place);
}

void SearchWindow::sayCount() {
    const QString count = query_->accessibleDescription();
    if (!query_->hasFocus() || count.isEmpty() || count == saidCount_)
        return;
    saidCount_ = count;
    announce(this, count);
}

void SearchWindow::prepare() {
    // Lays out and draws every part once, off screen: the glyphs of its
    // texts are then cached for the first paint on screen.
    ensurePolished();
    QImage image(size(), QImage::Format_ARGB32_Premultiplied);
    render(&image);
    // The window system's window too, made and set up unmapped: Ctrl+F
    // then only maps it and draws.
    winId();
}

void SearchWindow::runQuery() {
    const QString query = query_->text();
    const bool changed = model_->setResults(find_(index_, query, preferred_));
    const int count = model_->rowCount();
    // New results start at the first, which Enter opens; a row chosen among
    // the old ones means nothing among them.
    if (changed) {
        if (count > 0)
            table_->setCurrentIndex(model_->index(0, 0));
        else
            table_->setCurrentIndex({});
        table_->scrollToTop();
    }
    const bool empty = query.trimmed().isEmpty();
    if (count > 0)
        status_->setText(QStringLiteral("%1 件").arg(count));
    else
        status_->setText(empty ? QString() : QStringLiteral("該当なし"));
    // An empty query shows the examples in place of the results.
    if (table_->isHidden() != empty)
        table_->setVisible(!empty);
    if (detail_->isHidden() != empty)
        detail_->setVisible(!empty);
    if (examplesPane_->isHidden() == empty) {
        examplesPane_->setVisible(empty);
        // The panes laid out now, not after the first paint: fitted once,
        // the window is drawn once.
        splitter_->refresh();
        layout()->activate();
    }
    // The count as a screen reader says it when it changes: the query field
    // and the results (where the focus is) describe themselves by it.
    const QString described =
        count > 0 ? QStringLiteral("検索結果 %1").arg(status_->text()) : status_->text();
    query_->setAccessibleDescription(described);
    table_->setAccessibleDescription(described);
    showDetail();
    fitPanes();
}

void SearchWindow::fitPanes() {
    QList<int> sizes{0, splitter_->height(), 0};
    if (table_->isVisibleTo(this)) {
        const int handle = splitter_->handleWidth();
        const int total = splitter_->height() - handle;
        if (total <= handle)
            return;
        const int rows = model_->rowCount() * table_->verticalHeader()->defaultSectionSize() +
                         table_->horizontalHeader()->sizeHint().height() + 2 * table_->frameWidth();
        const int results = std::min(total - std::min(detailHeight_, total - handle), rows);
        sizes = {std::max(results, handle), 0, total - std::max(results, handle)};
    }
    if (splitter_->sizes() != sizes)
        splitter_->setSizes(sizes);
}

void SearchWindow::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    if (!examplesSaid_)
        QTimer::singleShot(kCountPauseMs, this, &SearchWindow::sayExamples);
}

void SearchWindow::sayExamples() {
    if (examplesSaid_ || !isVisible() || !examplesPane_->isVisibleTo(this))
        return;
    examplesSaid_ = true;
    QStringList queries;
    for (const Example& example : kExamples)
        queries.append(toQString(example.query));
    announce(this, QStringLiteral("入力の例　%1").arg(queries.join(u'、')));
}

void SearchWindow::hideEvent(QHideEvent* event) {
    QWidget::hideEvent(event);
    if (!detailMoved_)
        return;
    detailMoved_ = false;
    QSettings remembered = settings();
    remembered.setValue(kDetailHeightKey, detailHeight_);
    remembered.sync();
    if (remembered.status() != QSettings::NoError)
        qWarning("vornel: the detail's height could not be written to %s",
                 qPrintable(remembered.fileName()));
}

void SearchWindow::showDetail() {
    const QModelIndex current = table_->currentIndex();
    const int row = current.isValid() ? current.row() : 0;
    const SearchResult* result =
        row < model_->rowCount() ? &model_->results()[static_cast<std::size_t>(row)] : nullptr;
    const QString text = result ? resultDetail(*result) : QString();
    if (text == detail_->toPlainText())
        return;
    // A voice reads the detail's figures in words, as it reads the cells.
    detail_->setAccessibleDescription(result ? spokenDetail(*result) : QString());
    detail_->setPlainText(text);
}

void SearchWindow::showChartRow(int position, int line) {
    const std::optional<SearchResult> chartRow = index_.row(position, line);
    if (!chartRow || chartRow->designation.empty())
        return;
    const std::u16string_view designation = chartRow->designation;
    setPreferredChart(position);
    setQuery(toQString(designation));
    const std::vector<SearchResult>& results = model_->results();
    for (std::size_t row = 0; row < results.size(); ++row) {
        if (results[row].position == position && results[row].line == line) {
            table_->setCurrentIndex(model_->index(static_cast<int>(row), 0));
            table_->setFocus(Qt::OtherFocusReason);
            break;
        }
    }
}

void SearchWindow::openResult(int row) {
    if (row < 0 || row >= model_->rowCount())
        return;
    const SearchResult& result = model_->results()[static_cast<std::size_t>(row)];
    // A thread worked out by the standards has no chart to open: its detail
    // is all there is.
    if (result.chart)
        emit resultChosen(result.position, result.line);
}

void SearchWindow::copyResult(int row) {
    if (row < 0 || row >= model_->rowCount())
        return;
    const SearchResult& result = model_->results()[static_cast<std::size_t>(row)];
    QString text;
    if (result.chart) {
        text = copyText(result.chart->title,
                        result.chart->lines[static_cast<std::size_t>(result.line)]);
    } else {
        QStringList cells;
        for (int column : {Chart, Designation, Drill, Limits})
            cells.append(cellText(result, column));
        text = cells.join(u'\t');
    }
    // The class asked, both halves and the ひっかかり率, each with its meaning.
    if (const QString fields = copiedFields(result); !fields.isEmpty())
        text += u'\t' + fields;
    copyToClipboard(text);
    QStringList spoken;
    for (int column = 0; column < ColumnCount; ++column)
        if (QString cell = accessibleCellText(result, column); !cell.isEmpty())
            spoken.append(cell);
    announce(this, copiedLineNotice(spoken.join(u'、')));
}

void SearchWindow::showContextMenu(const QPoint& position) {
    // The Menu key asks at the current result, the pointer at the one under it.
    const QModelIndex under = table_->indexAt(position);
    const int row = under.isValid() ? under.row() : table_->currentIndex().row();
    if (row < 0 || row >= model_->rowCount())
        return;
    if (under.isValid())
        table_->setCurrentIndex(under);
    const SearchResult& result = model_->results()[static_cast<std::size_t>(row)];
    QMenu menu(this);
    menu.addAction(copyAction_);
    if (result.chart) {
        for (const ValueEntry& entry : valueEntries(*result.chart, result.line)) {
            const QString value = entry.value;
            const QString notice = copiedValueNotice(entry.label);
            menu.addAction(entry.label, &menu, [this, value, notice] {
                copyToClipboard(value);
                announce(this, notice);
            });
        }
    }
    const threads::Engagement engagement = resultEngagement(result);
    if (engagement.kind == threads::Engagement::Kind::Percent ||
        engagement.kind == threads::Engagement::Kind::AboveBasic) {
        const QString value = QString::number(engagement.percent);
        const QString entry =
            QStringLiteral("ひっかかり率 %1 をコピー").arg(resultEngagementText(result));
        menu.addAction(entry, &menu, [this, value, notice = copiedValueNotice(entry)] {
            copyToClipboard(value);
            announce(this, notice);
        });
    }
    menu.exec(table_->viewport()->mapToGlobal(position));
}

bool SearchWindow::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        // The list under the query: the examples while it is empty, else the
        // results.
        QAbstractItemView* below =
            examplesPane_->isVisibleTo(this) ? static_cast<QAbstractItemView*>(examples_) : table_;
        // Up from its first line goes back to the query.
        if (watched == below && key->key() == Qt::Key_Up && key->modifiers() == Qt::NoModifier &&
            below->currentIndex().row() <= 0) {
            focusQuery(false);
            return true;
        }
        // Down from the query moves into it, where it has lines.
        if (watched == query_ && key->key() == Qt::Key_Down && below->model()->rowCount() > 0) {
            below->setFocus(Qt::TabFocusReason);
            if (!below->currentIndex().isValid())
                below->setCurrentIndex(below->model()->index(0, 0));
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

} // namespace vornel::search
