// The chart window and openChart: what a window shows, its life from first
// open to close and reopen, and the failures of the window system.
#include "app/chart_registry.h"
#include "chart_model/accessible_text.h"
#include "charts/charts.h"
#include "test_support.h"
#include "windows/chart_window.h"

#include <QAccessible>
#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QFontInfo>
#include <QLabel>
#include <QListView>
#include <QMenu>
#include <QPainter>
#include <QScrollBar>
#include <QTimer>

using namespace vornel;
using namespace vornel::test;
using namespace Qt::StringLiterals;

namespace {

constexpr ChartLine kShortLines[] = {u"title", u"\t\t\t", u"a\t1\t2"};
constexpr ChartDefinition kShortChart{
    .identifier = "Form99",
    .title = u"短い表",
    .clientArea = {1500, 1500, 4500, 3000},
    .placement = Placement::SystemDefault,
    .icon = WindowIcon::NoIcon,
    .background = Background::White,
    .listRect = {0, 0, 4500, 1500},
    .listFont = kChartListFont,
    .lines = kShortLines,
    .headingLines = 1,
    .dataRows = 1,
    .footnote = Footnote{u"（注1）脚注", {0, 1680, 3000, 615}, 1},
};

ChartRegistry::Charts metricOnly() {
    ChartRegistry::Charts charts{};
    charts[0] = &charts::kMetricChart;
    charts[1] = &kShortChart;
    return charts;
}

void flushDeletes() {
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

// A window whose showing the window system refuses.
class UnshowableWindow : public ChartWindow {
public:
    using ChartWindow::ChartWindow;
    void setVisible(bool) override {}
};

// The texts of a menu's entries, without its separators.
QStringList entryTexts(const QMenu& menu) {
    QStringList texts;
    for (const QAction* action : menu.actions())
        if (!action->isSeparator())
            texts.append(action->text());
    return texts;
}

// What a window last told a screen reader with a notification, or nothing.
QString announced(const QWidget* window) {
    auto* notice = window->findChild<QWidget*>(u"Announcement"_s);
    return notice && QAccessible::queryAccessibleInterface(notice)->role() ==
                         QAccessible::Notification
               ? notice->accessibleName()
               : QString();
}

} // namespace

class TestChartWindow : public QObject {
    Q_OBJECT
private slots:
    void cleanup() {
        for (QWidget* w : QApplication::topLevelWidgets())
            w->close();
        flushDeletes();
    }

    // The list has the focus from the moment the window is built, before the
    // window system is asked to show it.
    void theListHasTheFocusBeforeTheWindowIsShown() {
        ChartWindow window(charts::kMetricChart);
        QVERIFY(!window.isVisible());
        QCOMPARE(window.focusWidget(), window.list());
    }

    void showsItsDefinition() {
        ChartRegistry registry(metricOnly());
        QVERIFY(!registry.openChart(1));
        ChartWindow* window = registry.window(1);
        QVERIFY(window);
        QCOMPARE(window->objectName(), u"Form2"_s);
        QCOMPARE(window->windowTitle(), u"メートルねじ"_s);
        QCOMPARE(window->geometry(), QRect(317, 114, 392, 499));
        QVERIFY(!window->windowIcon().isNull());
        QVERIFY(window->isVisible());
        // A screen reader finds a window named by its title.
        QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(window);
        QCOMPARE(accessible->role(), QAccessible::Window);
        QCOMPARE(accessible->text(QAccessible::Name), u"メートルねじ"_s);

        auto* list = window->findChild<QListView*>(u"List1"_s);
        QVERIFY(list);
        QCOMPARE(list->geometry(), QRect(0, 0, 393, 500));
        QCOMPARE(list->selectionMode(), QAbstractItemView::SingleSelection);
        QCOMPARE(list->horizontalScrollBarPolicy(), Qt::ScrollBarAlwaysOff);
        QCOMPARE(list->verticalScrollBarPolicy(), Qt::ScrollBarAsNeeded);
        QCOMPARE(list->editTriggers(), QAbstractItemView::NoEditTriggers);
        QCOMPARE(list->font().pointSize(), 12);
        QCOMPARE(list->font().weight(), QFont::Normal);
        QCOMPARE(list->font().families().first(), u"ＭＳ Ｐゴシック"_s);
        // Where the Windows face is missing, a proportional Japanese gothic.
        const QString family = QFontInfo(list->font()).family();
        QVERIFY2(family == u"MS PGothic"_s || family == u"IPAPGothic"_s ||
                     family == u"IPA Pゴシック"_s,
                 qPrintable(family));

        const auto* model = list->model();
        QCOMPARE(model->rowCount(), 258);
        for (int row = 0; row < 258; ++row)
            QCOMPARE(model->index(row, 0).data().toString(),
                     qs(charts::kMetricChart.lines[std::size_t(row)]));
        for (int row : {2, 3, 4, 257})
            QCOMPARE(model->index(row, 0).data(Qt::AccessibleTextRole).toString(),
                     accessibleLineText(charts::kMetricChart, row));
        QVERIFY(model->flags(model->index(0, 0)) & Qt::ItemIsSelectable);
        QVERIFY(!(model->flags(model->index(0, 0)) & Qt::ItemIsEditable));

        QVERIFY(QTest::qWaitForWindowExposed(window));
        QVERIFY(list->verticalScrollBar()->isVisible());
        QCOMPARE(list->verticalScrollBar()->value(), 0);
        QVERIFY(list->selectionModel()->selectedIndexes().isEmpty());
        QCOMPARE(window->focusWidget(), list);
    }

    // What a screen reader says for a line: a data row's values each after
    // the name of its column, the kind of thread before its first value;
    // header and note lines their texts, TABs and padding made pauses; an
    // empty line "空行"; mixed numbers with their space.
    void accessibleLineTexts_data() {
        QTest::addColumn<const ChartDefinition*>("chart");
        QTest::addColumn<int>("line");
        QTest::addColumn<QString>("text");
        QTest::newRow("metric, first row")
            << &charts::kMetricChart << 4
            << u"M 1 × 0.25、ドリル径 0.75、最小寸法 0.729、最大寸法 0.785"_s;
        QTest::newRow("metric, headings")
            << &charts::kMetricChart << 3 << u"ねじの呼び （注1）、ドリル径、最小寸法、最大寸法"_s;
        QTest::newRow("metric, group heading")
            << &charts::kMetricChart << 2 << u"めねじ内径\u3000等級6H（旧JIS2級）"_s;
        QTest::newRow("metric, unit") << &charts::kMetricChart << 1 << u"単位：mm"_s;
        QTest::newRow("taper pipe, kinds side by side")
            << &charts::kBritishTaperPipeChart << 11
            << u"1 ‐11、Rc(PT) 計算値 29.423、下穴径 29、Rp(PS) 計算値 30.111、下穴径 30、"
               u"JIS B2301 計算値 29.353、下穴径 29"_s;
        QTest::newRow("taper pipe, no value")
            << &charts::kBritishTaperPipeChart << 5
            << u"1/16 ‐28、Rc(PT) 計算値 6.23、下穴径 6.2、Rp(PS) 計算値 6.49、下穴径 6.5、"
               u"JIS B2301 計算値 なし、下穴径 なし"_s;
        QTest::newRow("taper pipe, padded headings")
            << &charts::kBritishTaperPipeChart << 3
            << u"テーパめねじRc(PT)、平行めねじ Rp(PS)、テーパめねじ"_s;
        QTest::newRow("taper pipe, line of TABs")
            << &charts::kBritishTaperPipeChart << 21 << u"空行"_s;
        QTest::newRow("taper pipe, note") << &charts::kBritishTaperPipeChart << 23
                                          << u"小径位置の山頂１山が不完全山になるのを許される場合の"
                                             u"ストレート穴である。"_s;
        QTest::newRow("fluteless, padded designation")
            << &charts::kFlutelessTapChart << 4
            << u"M 1 × 0.25、タップの等級 G4、下穴径 最大 0.92、下穴径 最小 0.89、"
               u"めねじ内径 最大 0.785、めねじ内径 最小 0.729"_s;
        QTest::newRow("fluteless, padding within a field")
            << &charts::kFlutelessTapChart << 3 << u"Max.、Min.、Max.、Min."_s;
        QTest::newRow("unified, note and unit")
            << &charts::kUnifiedChart << 1
            << u"（注1）UNEF、UN、UNSの2B級めねじ内径はANSI B1.1による、単位：mm"_s;
        QTest::newRow("unified, empty line") << &charts::kUnifiedChart << 94 << u"空行"_s;
        QTest::newRow("american pipe, mixed numbers")
            << &charts::kAmericanPipeChart << 13
            << u"1 1/4 ‐11 1/2、NPT リーマ使用 ドリル径 mm 37.31、ドリル径 inch 1.469、"
               u"NPT リーマなし ドリル径 mm 37.69、ドリル径 inch 1.484、NPS ドリル径 mm 38.1、"
               u"ドリル径 inch 1.5"_s;
        QTest::newRow("unified, fractions stay")
            << &charts::kUnifiedChart << 60
            << u"11/16 ‐12UN、ドリル径 24.9、最小寸法 24.689、最大寸法 25.146"_s;
    }
    void accessibleLineTexts() {
        QFETCH(const ChartDefinition*, chart);
        QFETCH(int, line);
        QFETCH(QString, text);
        QCOMPARE(accessibleLineText(*chart, line), text);
        // The list as drawn keeps the stored line.
        ChartWindow window(*chart);
        const QModelIndex index = window.list()->model()->index(line, 0);
        QCOMPARE(index.data(Qt::AccessibleTextRole).toString(), text);
        QCOMPARE(index.data().toString(), qs(chart->lines[std::size_t(line)]));
    }

    void whiteWindowWithFootnoteAndDefaultPlacement() {
        ChartRegistry registry(metricOnly());
        QVERIFY(!registry.openChart(2));
        ChartWindow* window = registry.window(2);
        QCOMPARE(window->size(), QSize(300, 200));
        QVERIFY(window->windowIcon().isNull());
        QVERIFY(QTest::qWaitForWindowExposed(window));
        const QImage image = window->grab().toImage();
        QCOMPARE(image.pixelColor(image.width() - 2, image.height() - 2), QColor(Qt::white));

        auto* label = window->findChild<QLabel*>(u"Label1"_s);
        QVERIFY(label);
        QCOMPARE(label->text(), u"（注1）脚注"_s);
        QCOMPARE(label->geometry(), QRect(0, 112, 200, 41));
        QCOMPARE(label->focusPolicy(), Qt::NoFocus);
        QCOMPARE(label->font(), window->font());

        auto* list = window->findChild<QListView*>(u"List1"_s);
        QVERIFY(!list->verticalScrollBar()->isVisible());
        // A line of TABs alone is an empty line that selects like any other.
        list->setCurrentIndex(list->model()->index(1, 0));
        QCOMPARE(list->selectionModel()->selectedRows().size(), 1);
        QVERIFY(window->layout().line(1).empty());
    }

    void openingAgainRaisesTheSameWindow() {
        ChartRegistry registry(metricOnly());
        QVERIFY(!registry.openChart(1));
        QPointer<ChartWindow> first = registry.window(1);
        auto* list = first->findChild<QListView*>(u"List1"_s);
        QVERIFY(QTest::qWaitForWindowExposed(first));
        list->setCurrentIndex(list->model()->index(120, 0));
        list->scrollTo(list->model()->index(200, 0));
        const int scroll = list->verticalScrollBar()->value();
        QVERIFY(scroll > 0);
        first->showMinimized();

        QVERIFY(!registry.openChart(2));
        QVERIFY(QTest::qWaitForWindowActive(registry.window(2)));
        QVERIFY(!registry.openChart(1));
        QCOMPARE(registry.window(1), first.data());
        QVERIFY(QTest::qWaitForWindowActive(first));
        QVERIFY(!first->isMinimized());
        QCOMPARE(list->currentIndex().row(), 120);
        QCOMPARE(list->verticalScrollBar()->value(), scroll);
        QVERIFY(registry.window(2)->isVisible());
        int windows = 0;
        for (QWidget* w : QApplication::topLevelWidgets())
            windows += w->objectName() == u"Form2"_s;
        QCOMPARE(windows, 1);
    }

    void closingAndReopeningLoadsTheWindowAnew_data() {
        QTest::addColumn<bool>("deletedBeforeReopen");
        QTest::addColumn<bool>("byCtrlW"); // else as by the close button
        QTest::newRow("after the delete") << true << false;
        QTest::newRow("before the delete") << false << false;
        QTest::newRow("Ctrl+W") << true << true;
    }
    void closingAndReopeningLoadsTheWindowAnew() {
        QFETCH(bool, deletedBeforeReopen);
        QFETCH(bool, byCtrlW);
        ChartRegistry registry(metricOnly());
        QVERIFY(!registry.openChart(1));
        QPointer<ChartWindow> first = registry.window(1);
        auto* list = first->findChild<QListView*>(u"List1"_s);
        QVERIFY(QTest::qWaitForWindowExposed(first));
        list->setCurrentIndex(list->model()->index(150, 0));
        first->move(10, 10);
        if (byCtrlW) {
            first->activateWindow();
            QVERIFY(QTest::qWaitForWindowActive(first));
            QTest::keyClick(list, Qt::Key_W, Qt::ControlModifier);
        } else {
            first->close();
        }
        QVERIFY(!registry.window(1));
        if (deletedBeforeReopen) {
            flushDeletes();
            QVERIFY(first.isNull());
        }

        QVERIFY(!registry.openChart(1));
        ChartWindow* second = registry.window(1);
        QVERIFY(second && second != first.data());
        QVERIFY(second->isVisible());
        QCOMPARE(second->geometry(), QRect(317, 114, 392, 499));
        auto* list2 = second->findChild<QListView*>(u"List1"_s);
        QVERIFY(QTest::qWaitForWindowExposed(second));
        QVERIFY(list2->selectionModel()->selectedIndexes().isEmpty());
        QCOMPARE(list2->verticalScrollBar()->value(), 0);
        flushDeletes();
        QVERIFY(first.isNull());
        QCOMPARE(registry.window(1), second);
    }

    void resizingNeverMovesTheList_data() {
        QTest::addColumn<QSize>("size");
        QTest::newRow("larger") << QSize(900, 800);
        QTest::newRow("smaller") << QSize(120, 90);
        QTest::newRow("maximised") << QSize();
    }
    void resizingNeverMovesTheList() {
        QFETCH(QSize, size);
        ChartRegistry registry(metricOnly());
        QVERIFY(!registry.openChart(1));
        ChartWindow* window = registry.window(1);
        if (size.isValid())
            window->resize(size);
        else
            window->showMaximized();
        QCoreApplication::processEvents();
        QCOMPARE(window->findChild<QListView*>(u"List1"_s)->geometry(), QRect(0, 0, 393, 500));
    }

    // Texts drawn again are kept laid out; what the list draws, the first
    // time, when it keeps a text and every time after, is what
    // QPainter::drawText draws at the text's place on the line's baseline, at
    // any screen density.
    void linesAreDrawnAsQPainterDrawsText_data() {
        QTest::addColumn<const ChartDefinition*>("chart");
        QTest::addColumn<qreal>("ratio");
        for (const ChartDefinition* chart : charts::allCharts())
            for (const int dpi : {96, 144, 192})
                QTest::addRow("%s at %d dpi", chart->identifier.data(), dpi) << chart << dpi / 96.0;
    }
    void linesAreDrawnAsQPainterDrawsText() {
        QFETCH(const ChartDefinition*, chart);
        QFETCH(qreal, ratio);
        ChartWindow window(*chart);
        const QListView* list = window.list();
        QStyleOptionViewItem option;
        option.initFrom(list);
        option.font = list->font();
        option.state = QStyle::State_Enabled | QStyle::State_Active;
        option.widget = list;
        option.rect = QRect(0, 0, list->viewport()->width(), option.fontMetrics.height());
        const auto blank = [&] {
            QImage image(option.rect.size() * ratio, QImage::Format_RGB32);
            image.setDevicePixelRatio(ratio);
            image.fill(Qt::white);
            return image;
        };
        for (int row = 0; row < list->model()->rowCount(); ++row) {
            QImage expected = blank();
            {
                QPainter painter(&expected);
                painter.setFont(option.font);
                painter.setPen(option.palette.color(QPalette::Active, QPalette::Text));
                for (const PlacedText& text : window.layout().line(row))
                    painter.drawText(QPoint(text.x, option.fontMetrics.ascent()),
                                     text.text.toString());
            }
            for (int time = 1; time <= 3; ++time) {
                QImage drawn = blank();
                QPainter painter(&drawn);
                list->itemDelegate()->paint(&painter, option, list->model()->index(row, 0));
                painter.end();
                QVERIFY2(drawn == expected,
                         qPrintable(u"line %1, drawn %2 times"_s.arg(row + 1).arg(time)));
            }
        }
    }

    // Ctrl+C, and the platform's other copy keys, copy the selected line as
    // cells; an empty line leaves the clipboard alone. Neither the selection
    // nor the scroll position moves, nor do they on Tab and Shift+Tab.
    void copiesTheSelectedLine_data() {
        QTest::addColumn<const ChartDefinition*>("chart");
        QTest::addColumn<int>("row");
        QTest::addColumn<QKeySequence>("key");
        QTest::addColumn<QString>("copied"); // empty: the clipboard is left alone
        const QKeySequence ctrlC(Qt::CTRL | Qt::Key_C);
        QTest::newRow("metric data row")
            << &charts::kMetricChart << 4 << ctrlC << u"M 1 × 0.25\t0.75\t0.729\t0.785"_s;
        // What a screen reader is told: the line as it is spoken.
        QTest::newRow("metric data row, said")
            << &charts::kMetricChart << 4 << ctrlC
            << u"コピーしました　M 1 × 0.25、ドリル径 0.75、最小寸法 0.729、最大寸法 0.785"_s;
        QTest::newRow("Ctrl+Insert")
            << &charts::kMetricChart << 210 << QKeySequence(Qt::CTRL | Qt::Key_Insert)
            << u"65 × 1.5\t63.5\t63.376\t63.676"_s;
        QTest::newRow("padded designation") << &charts::kFlutelessTapChart << 9 << ctrlC
                                            << u"※ M 1.7 × 0.35\tG4\t1.57\t1.52\t1.421\t1.321"_s;
        QTest::newRow("heading after empty fields")
            << &charts::kMetricChart << 1 << ctrlC << u"\t\t\t単位：mm"_s;
        QTest::newRow("heading padded inside")
            << &charts::kFlutelessTapChart << 3 << ctrlC << u"\t\tMax.　　　　Min.\tMax.\tMin."_s;
        QTest::newRow("note with trailing TABs") << &charts::kBritishTaperPipeChart << 26 << ctrlC
                                                 << u"3. 1/16はJIS B0203-1982のRcに準じている。"_s;
        QTest::newRow("empty line") << &charts::kBritishTaperPipeChart << 21 << ctrlC << QString();
        QTest::newRow("Tab") << &charts::kMetricChart << 4 << QKeySequence(Qt::Key_Tab)
                             << QString();
        QTest::newRow("Shift+Tab") << &charts::kBritishTaperPipeChart << 5
                                   << QKeySequence(Qt::SHIFT | Qt::Key_Backtab) << QString();
    }
    void copiesTheSelectedLine() {
        QFETCH(const ChartDefinition*, chart);
        QFETCH(int, row);
        QFETCH(QKeySequence, key);
        QFETCH(QString, copied);
        QClipboard* clipboard = QGuiApplication::clipboard();
        clipboard->setText(u"前の内容"_s);

        ChartWindow window(*chart);
        window.show();
        window.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&window));
        QListView* list = window.list();
        list->setCurrentIndex(list->model()->index(row, 0));
        const int scroll = list->verticalScrollBar()->value();
        QTest::keySequence(list, key);

        if (copied.startsWith(u"コピーしました"_s)) {
            QCOMPARE(announced(&window), copied);
            return;
        }
        // Nothing copied, nothing said.
        if (copied.isEmpty())
            QCOMPARE(announced(&window), QString());
        QCOMPARE(clipboard->text(), copied.isEmpty() ? u"前の内容"_s : copied);
        QCOMPARE(window.selectedRow(), row);
        QCOMPARE(list->currentIndex().row(), row);
        QCOMPARE(list->verticalScrollBar()->value(), scroll);
    }

    // The context menu: "コピー", one entry per value of the line under the
    // pointer, then the actions that others add to the list, then on a data
    // row "ひっかかり率を調べる…". Each value entry copies its bare number.
    // "コピー" is dimmed on an empty line; the first entry not dimmed is made
    // active.
    void contextMenuCopiesEachValue_data() {
        QTest::addColumn<const ChartDefinition*>("chart");
        QTest::addColumn<int>("row");
        QTest::addColumn<QStringList>("entries");
        QTest::addColumn<QStringList>("values");
        QTest::addColumn<bool>("dataRow");
        QTest::newRow("metric") << &charts::kMetricChart << 4
                                << QStringList{u"ドリル径 0.75 をコピー"_s,
                                               u"最小寸法 0.729 をコピー"_s,
                                               u"最大寸法 0.785 をコピー"_s}
                                << QStringList{u"0.75"_s, u"0.729"_s, u"0.785"_s} << true;
        QTest::newRow("fluteless, no entry for the tap class")
            << &charts::kFlutelessTapChart << 9
            << QStringList{u"下穴径 最大 1.57 をコピー"_s, u"下穴径 最小 1.52 をコピー"_s,
                           u"めねじ内径 最大 1.421 をコピー"_s, u"めねじ内径 最小 1.321 をコピー"_s}
            << QStringList{u"1.57"_s, u"1.52"_s, u"1.421"_s, u"1.321"_s} << true;
        QTest::newRow("parallel pipe, a dash for the drill")
            << &charts::kBritishParallelPipeChart << 23
            << QStringList{u"最大寸法 110.712 をコピー"_s, u"最小寸法 110.072 をコピー"_s}
            << QStringList{u"110.712"_s, u"110.072"_s} << true;
        QTest::newRow("taper pipe, kinds side by side and dashes")
            << &charts::kBritishTaperPipeChart << 5
            << QStringList{u"Rc(PT) 計算値 6.23 をコピー"_s, u"Rc(PT) 下穴径 6.2 をコピー"_s,
                           u"Rp(PS) 計算値 6.49 をコピー"_s, u"Rp(PS) 下穴径 6.5 をコピー"_s}
            << QStringList{u"6.23"_s, u"6.2"_s, u"6.49"_s, u"6.5"_s} << true;
        QTest::newRow("title line")
            << &charts::kMetricChart << 0 << QStringList() << QStringList() << false;
        QTest::newRow("heading line")
            << &charts::kMetricChart << 3 << QStringList() << QStringList() << false;
        QTest::newRow("empty line after the rows")
            << &charts::kBritishTaperPipeChart << 21 << QStringList() << QStringList() << false;
        QTest::newRow("note after the rows")
            << &charts::kBritishTaperPipeChart << 22 << QStringList() << QStringList() << false;
    }
    void contextMenuCopiesEachValue() {
        QFETCH(const ChartDefinition*, chart);
        QFETCH(int, row);
        QFETCH(QStringList, entries);
        QFETCH(QStringList, values);
        QFETCH(bool, dataRow);
        ChartWindow window(*chart);
        connect(&window, &ChartWindow::engagementRequested, &window, [] {});
        auto* foreign = new QAction(u"よそ"_s, window.list());
        window.list()->addAction(foreign);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        QListView* list = window.list();
        const QModelIndex index = list->model()->index(row, 0);
        list->scrollTo(index);
        QTest::mouseClick(list->viewport(), Qt::RightButton, {}, list->visualRect(index).center());
        QCOMPARE(window.selectedRow(), row);

        QStringList shown;
        QStringList copied;
        QStringList said;
        bool copyEnabled = false;
        QString active;
        // After the menu has settled and made its first entry active.
        QTimer::singleShot(300, &window, [&] {
            auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
            if (!menu)
                return;
            shown = entryTexts(*menu);
            copyEnabled = menu->actions().first()->isEnabled();
            active = menu->activeAction() ? menu->activeAction()->text() : QString();
            for (QAction* action : menu->actions().mid(1))
                if (action->text().endsWith(u"をコピー"_s)) {
                    action->trigger();
                    copied.append(QGuiApplication::clipboard()->text());
                    said.append(announced(&window));
                }
            menu->close();
        });
        emit list->customContextMenuRequested(list->visualRect(index).center());

        QStringList expected =
            QStringList{u"コピー"_s} + entries + QStringList{u"印刷…"_s, u"よそ"_s};
        if (dataRow)
            expected.append(u"ひっかかり率を調べる…"_s);
        QCOMPARE(shown, expected);
        QCOMPARE(copied, values);
        // Each copy says which value it copied.
        QStringList copiedEntries;
        for (const QString& entry : entries)
            copiedEntries.append(entry + u"しました"_s);
        QCOMPARE(said, copiedEntries);
        const bool empty = qs(chart->lines[std::size_t(row)]).trimmed().isEmpty();
        QCOMPARE(copyEnabled, !empty);
        QCOMPARE(active, empty ? u"印刷…"_s : u"コピー"_s);
    }

    void positionsWithoutAChartDoNothing() {
        ChartRegistry registry(metricOnly());
        const int before = int(QApplication::topLevelWidgets().size());
        for (int position : {0, 3, 10, 11, -1})
            QVERIFY(!registry.openChart(position));
        QCOMPARE(int(QApplication::topLevelWidgets().size()), before);
    }

    void failuresBecomeRunTimeErrors_data() {
        QTest::addColumn<int>("failure");
        QTest::addColumn<int>("number");
        QTest::newRow("no window") << 0 << 429;
        QTest::newRow("out of memory") << 1 << 7;
        QTest::newRow("not shown") << 2 << 401;
    }
    void failuresBecomeRunTimeErrors() {
        QFETCH(int, failure);
        QFETCH(int, number);
        ChartRegistry registry(metricOnly(),
                               [failure](const ChartDefinition& chart) -> ChartWindow* {
                                   if (failure == 1)
                                       throw std::bad_alloc();
                                   return failure == 0 ? nullptr : new UnshowableWindow(chart);
                               });
        const auto error = registry.openChart(1);
        QVERIFY(error);
        QCOMPARE(error->number, number);
        QVERIFY(!error->description.isEmpty());
    }
};

QTEST_MAIN(TestChartWindow)
#include "test_chart_window.moc"
