// The search window: how it is reached, the keyboard in it, and a result
// opening its chart at its row; the same answer at every door.
#include "app/command_line.h"
#include "app/search_provider.h"
#include "charts/charts.h"
#include "program_invariants.h"
#include "search/search_index.h"
#include "search/search_result_model.h"
#include "windows/accessibility.h"
#include "windows/search_window.h"

#include <QAccessible>
#include <QAction>
#include <QClipboard>
#include <QHeaderView>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QScrollBar>
#include <QSettings>
#include <QSignalSpy>
#include <QSplitter>
#include <QStandardPaths>
#include <QTableView>
#include <QTimer>
#include <QTreeWidget>
#include <tuple>

using namespace vornel;
using namespace vornel::test;
using namespace Qt::StringLiterals;

namespace {

QAction* searchAction(const QWidget* widget) {
    for (QAction* action : widget->actions())
        if (action->text() == u"検索…"_s)
            return action;
    return nullptr;
}

// What a window last announced to a screen reader, or nothing.
QString announced(const QWidget* window) {
    const auto* notice = window->findChild<QWidget*>(u"Announcement"_s);
    return notice ? notice->accessibleName() : QString();
}

} // namespace

class TestSearchWindow : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() {
        quietOffscreenWarnings();
        // The window remembers the detail's height: never in the user's own
        // settings.
        QStandardPaths::setTestModeEnabled(true);
        QSettings(u"vornel"_s, u"vornel"_s).clear();
    }
    void cleanup() {
        for (QWidget* w : QApplication::topLevelWidgets())
            w->close();
        flushDeletes();
    }

    void openingAResultSelectsItsRow_data() {
        QTest::addColumn<QString>("query");
        QTest::addColumn<int>("result");
        QTest::addColumn<int>("position");
        QTest::addColumn<QString>("designation");
        // What Ctrl+C copies of the result: its chart's title and its line,
        // then the class asked's limits, the hole's half (TD2 worked by hand:
        // M80x2 45–90 mm, Td2(6) 180, TD2(6) 236; M8x1.25 4H Td2(4) 75,
        // TD2(4) 100) and the ひっかかり率.
        QTest::addColumn<QString>("copied");
        // The metric row is far down its list; the pipe row has three kinds.
        QTest::newRow("metric, scrolled")
            << u"M80×2"_s << 0 << 1 << u"80 × 2"_s
            << u"メートルねじ\t80 × 2\t78\t77.835\t78.21\tめねじ有効径 78.701～78.937\t"
               u"めねじ外径 最小 80.000\tISO 965-1 6H 計算値\tタップ ISO 2\tひっかかり率 92 %"_s;
        QTest::newRow("the class asked")
            << u"M8x1.25-4H"_s << 0 << 1 << u"8 × 1.25"_s
            << u"メートルねじ\t8 × 1.25\t6.8\t6.647\t6.912\tISO 965-1 4H 計算値 6.647～6.817\t"
               u"めねじ有効径 7.188～7.288\tめねじ外径 最小 8.000\tタップ ISO 1\t"
               u"ひっかかり率 89 %"_s;
        QTest::newRow("fluteless")
            << u"M20×1"_s << 1 << 10 << u"　 M 20 × 1"_s
            << u"溝なしタップメ－トルねじ\tM 20 × 1\tG8\t19.59\t19.48\t19.153\t18.917"_s;
        QTest::newRow("pipe kind")
            << u"PS3"_s << 0 << 5 << u"3 ‐11"_s
            << u"英式管用テーパねじ\t3 ‐11\t83.201\t83\t84.709\t85\t83.364\t83"_s;
        QTest::newRow("second result")
            << u"M8×1.25"_s << 2 << 10 << u"　 M 8 × 1.25"_s
            << u"溝なしタップメ－トルねじ\tM 8 × 1.25\tG7\t7.49\t7.36\t6.912\t6.647"_s;
        // A thread the standards give has no chart: what the results show
        // of it is copied, and opening it opens nothing.
        QTest::newRow("worked out by the standards")
            << u"M105x2"_s << 0 << 0 << QString()
            << u"計算値（ISO 965-1 6H）\tM105 × 2\t103\tめねじ内径 102.835～103.210\t"
               u"めねじ有効径 103.701～103.951\tめねじ外径 最小 105.000\tISO 965-1 6H 計算値\t"
               u"タップ ISO 2\tひっかかり率 92 %"_s;
    }
    void openingAResultSelectsItsRow() {
        QFETCH(QString, query);
        QFETCH(int, result);
        QFETCH(int, position);
        QFETCH(QString, designation);
        QFETCH(QString, copied);
        Program program;
        QVERIFY(!program.start());
        program.openSearch();
        search::SearchWindow* window = program.searchWindow();
        QVERIFY(window && window->isVisible());
        QCOMPARE(window->windowTitle(), u"ねじ・下穴の検索"_s);
        // Qt's own texts (the query field's context menu) are Japanese too.
        QCOMPARE(QLineEdit::tr("&Copy"), u"コピー(&C)"_s);
        window->setQuery(query);
        QGuiApplication::clipboard()->clear();
        window->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(window));
        window->resultsTable()->setFocus();
        window->resultsTable()->setCurrentIndex(window->resultsTable()->model()->index(result, 0));
        QTest::keySequence(window->resultsTable(), QKeySequence::Copy);
        QCOMPARE(QGuiApplication::clipboard()->text(), copied);
        window->openResult(result);
        if (position == 0) {
            QCOMPARE(invariantFailure(program, 0), QString());
            return;
        }
        ChartWindow* chart = program.registry().window(position);
        QVERIFY(chart && chart->isVisible());
        const QModelIndex current = chart->list()->currentIndex();
        QVERIFY(chart->list()->selectionModel()->isSelected(current));
        QCOMPARE(current.data().toString().section(u'\t', 0, 0), designation);
        QVERIFY(chart->list()->viewport()->rect().contains(chart->list()->visualRect(current)));
        // Opening again gives the same one window.
        window->openResult(result);
        QCOMPARE(program.registry().window(position), chart);
        QCOMPARE(invariantFailure(program, 0), QString());
    }

    // The count is said once typing pauses, not after each key, in the
    // words of the status line after "検索結果".
    void countSaidAsTypingPauses_data() {
        QTest::addColumn<QString>("query");
        QTest::addColumn<QString>("said");
        QTest::newRow("one") << u"M80x2"_s << u"検索結果 1 件"_s;
        QTest::newRow("three") << u"M8x1.25"_s << u"検索結果 3 件"_s;
        QTest::newRow("nine") << u"M8"_s << u"検索結果 9 件"_s;
        QTest::newRow("none") << u"z"_s << u"該当なし"_s;
    }
    void countSaidAsTypingPauses() {
        QFETCH(QString, query);
        QFETCH(QString, said);
        Program program;
        QVERIFY(!program.start());
        program.openSearch();
        search::SearchWindow* window = program.searchWindow();
        window->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(window));
        const int before = announcementsMade();
        QTest::keyClicks(window->queryField(), query);
        QCOMPARE(announced(window), QString());
        // 0.4 s after the last key.
        QTRY_COMPARE_WITH_TIMEOUT(announced(window), said, 1500);
        QCOMPARE(announcementsMade(), before + 1);
        // A space, which no query reads, leaves the count as it was: a pause
        // says nothing again.
        QTest::keyClick(window->queryField(), Qt::Key_Space);
        QTest::qWait(1000);
        QCOMPARE(announcementsMade(), before + 1);
    }

    // The query's text is one run of attributes, from its start to its end,
    // so that a screen reader reads it to the last character; a selection
    // within it is told by its offsets. The field is said to be editable.
    void queryTextIsOneRun() {
        const auto charts = charts::allCharts();
        search::SearchIndex index(charts);
        search::SearchWindow window(index);
        window.setQuery(u"M8x1.25 6.9"_s);
        QAccessibleInterface* field = QAccessible::queryAccessibleInterface(window.queryField());
        QVERIFY(field->state().editable && !field->state().readOnly);
        QAccessibleTextInterface* text = field->textInterface();
        QVERIFY(text);
        int start = -1;
        int end = -1;
        for (int offset : {0, 10, 11}) {
            text->attributes(offset, &start, &end);
            QCOMPARE((QPair<int, int>(start, end)), (QPair<int, int>(0, 11)));
        }
        window.queryField()->setSelection(3, 4); // "1.25"
        text->selection(0, &start, &end);
        QCOMPARE((QPair<int, int>(start, end)), (QPair<int, int>(3, 7)));
        QCOMPARE(text->text(start, end), u"1.25"_s);
    }

    // The same text finds the same at every door, whatever its length: the
    // search window, --find, GNOME Shell (its terms joined by spaces) and
    // KRunner. Past the longest query (256 characters) none finds anything.
    // And each door says the same figures of result `result`, at the
    // standard's precision: the window's cells, what a screen reader says of
    // them, a copy, --find's two forms and the desktop's description; the
    // detail and the doors that give the whole answer say `whole` too.
    void sameAnswerAtEveryDoor_data() {
        QTest::addColumn<QStringList>("terms");
        QTest::addColumn<int>("found");
        QTest::addColumn<int>("result");
        QTest::addColumn<QStringList>("figures");
        QTest::addColumn<QStringList>("whole");
        // What a voice says of the detail, in words where it draws marks.
        QTest::addColumn<QStringList>("heard");
        const QString thread = u"M8x1.25"_s;
        // ISO 965-1, M8 × 1.25: D1 6.647 + TD1(6) 0.265; D2 7.188 + TD2(6)
        // 0.160; 6g: es −0.028, Td(6) 0.212, Td2(6) 0.118; ISO 2857: 6H, ISO 2.
        const QStringList hole{u"6.8"_s, u"6.647"_s, u"6.912"_s, u"89 %"_s};
        const QStringList holeWhole{u"7.188"_s, u"7.348"_s, u"8.000"_s, u"ISO 2"_s};
        const QStringList bolt{u"7.760"_s, u"7.972"_s, u"7.042"_s, u"7.160"_s};
        QTest::newRow("a chart's row") << QStringList{thread} << 3 << 0 << hole << holeWhole
                                       << QStringList{u"6.647 から 6.912"_s};
        QTest::newRow("a thread and a drill")
            << QStringList{thread, u"6.9"_s} << 3 << 0
            << QStringList{u"6.8"_s, u"6.647"_s, u"6.912"_s, u"81 %"_s} << holeWhole
            << QStringList();
        // Spaces, which a query ignores, count: 7 + 1 + 248 is 256.
        QTest::newRow("the longest query") << QStringList{thread, QString(248, u' ')} << 3 << 0
                                           << hole << holeWhole << QStringList();
        QTest::newRow("one longer") << QStringList{thread, QString(249, u' ')} << 0 << -1
                                    << QStringList() << QStringList() << QStringList();
        QTest::newRow("one term, one longer") << QStringList{thread + QString(250, u' ')} << 0 << -1
                                              << QStringList() << QStringList() << QStringList();
        QTest::newRow("a bolt") << QStringList{u"M8x1.25-6g"_s} << 4 << 0 << bolt << QStringList()
                                << QStringList{u"ISO 965の1 6g"_s, u"7.760 から 7.972"_s};
        QTest::newRow("a fit's bolt")
            << QStringList{u"M8x1.25-6H/6g"_s} << 4 << 3 << bolt << QStringList() << QStringList();
        QTest::newRow("a fit's hole")
            << QStringList{u"M8x1.25-6H/6g"_s} << 4 << 0 << hole << holeWhole << QStringList();
        // 6.9 in 6.647～6.912: 0.253 above the minimum, 0.012 below the maximum.
        QTest::newRow("a drill") << QStringList{u"6.9"_s} << 2 << 0
                                 << QStringList{u"6.8"_s,  u"6.647"_s, u"6.912"_s,
                                                u"81 %"_s, u"0.253"_s, u"0.012"_s}
                                 << QStringList() << QStringList();
        // M10 × 1.5 6g: es −0.032, Td(6) 0.236.
        QTest::newRow("a measurement")
            << QStringList{u"外径"_s, u"9.5"_s, u"ピッチ"_s, u"1.5"_s} << 3 << 2
            << QStringList{u"9.732"_s, u"9.968"_s} << QStringList() << QStringList();
        // ASME B1.1 1/4-20UNC-3A, in inches as it prints them: 0.2419～0.2500
        // and 0.2147～0.2175.
        QTest::newRow("an inch bolt")
            << QStringList{u"1/4-20UNC-3A"_s} << 3 << 0
            << QStringList{u"6.144"_s, u"6.350"_s, u"5.453"_s, u"5.525"_s}
            << QStringList{u"0.2419～0.2500 in"_s, u"0.2147～0.2175 in"_s} << QStringList();
        // Three wires, by hand: best P/√3; M = d2 + 3w − 0.866025 P + 0.75 w
        // (P / π d2)², the lead angle's term. M8 × 1.25-6g: 7.042 + 1.082532
        // + 0.001728 = 8.126, 7.160 + … = 8.244. Stress areas as ISO 898-1
        // and ASME B1.1 print them.
        const QString lead = u"リード角補正"_s;
        QTest::newRow("three wires") << QStringList{u"M8x1.25-6g"_s, u"三針"_s} << 4 << 0
                                     << QStringList{u"0.7217"_s, u"8.126"_s, u"8.244"_s, u"36.6"_s}
                                     << QStringList{lead} << QStringList();
        QTest::newRow("three wires, no class: 6g's")
            << QStringList{u"M8x1.25"_s, u"三針"_s} << 4 << 0
            << QStringList{u"0.7217"_s, u"8.126"_s, u"8.244"_s} << QStringList{u"6g で計算"_s}
            << QStringList();
        QTest::newRow("three wires, M10")
            << QStringList{u"M10x1.5-6g"_s, u"三針"_s} << 4 << 0
            << QStringList{u"0.8660"_s, u"10.163"_s, u"10.295"_s, u"58.0"_s} << QStringList{lead}
            << QStringList();
        // 1/4-20UNC-2A: d2 0.2127～0.2164 in + 1.099852 + 0.003079, 0.002975.
        QTest::newRow("three wires, 1/4-20")
            << QStringList{u"1/4-20UNC-2A"_s, u"三針"_s} << 3 << 0
            << QStringList{u"0.7332"_s, u"6.506"_s, u"6.599"_s, u"0.0318"_s}
            << QStringList{u"0.2561～0.2598 in"_s} << QStringList();
        QTest::newRow("three wires, 1/2-13")
            << QStringList{u"1/2-13UNC-2A"_s, u"三針"_s} << 3 << 0
            << QStringList{u"1.1281"_s, u"12.960"_s, u"13.087"_s, u"0.1419"_s} << QStringList()
            << QStringList();
        QTest::newRow("the wire in hand") << QStringList{u"M8x1.25-6g"_s, u"三針"_s, u"0.75"_s} << 4
                                          << 0 << QStringList{u"8.211"_s, u"8.329"_s}
                                          << QStringList{u"ワイヤ 0.75、"_s} << QStringList();
        // 0.029 in = 0.7366 mm: 5.40258 + 2.2098 − 1.099852 + 0.003093 =
        // 6.516 (0.2565 in); 5.49656 + … + 0.002988 = 6.609 (0.2602 in).
        QTest::newRow("a wire in inches")
            << QStringList{u"1/4-20UNC-2A"_s, u"ワイヤ"_s, u"0.029in"_s} << 3 << 0
            << QStringList{u"6.516"_s, u"6.609"_s} << QStringList{u"0.2565～0.2602 in"_s}
            << QStringList();
        // Whitworth, no bolt limits: the best wire alone, 2.116667 / (2 cos 27.5°).
        QTest::newRow("Whitworth's wires")
            << QStringList{u"W1/2"_s, u"三針"_s} << 1 << 0 << QStringList{u"1.1931"_s}
            << QStringList() << QStringList();
        QTest::newRow("a stress area") << QStringList{u"M12x1.75-6g"_s} << 4 << 0
                                       << QStringList{u"84.3"_s} << QStringList() << QStringList();
        // M8 深さ 16, 6.8, 118°: point 3.4 / tan 59° = 2.043; the chamfers'
        // 10, 5, 2, 5.5 and 3 threads × 1.25 after 16.
        QTest::newRow("a blind hole")
            << QStringList{u"M8"_s, u"深さ"_s, u"16"_s} << 9 << 0
            << QStringList{u"先 30.543"_s,
                           u"中 24.293"_s,
                           u"上げ 20.543"_s,
                           u"ポイント 24.918"_s,
                           u"スパイラル 21.793"_s,
                           u"30.543"_s,
                           u"2.043"_s}
            << QStringList{u"ねじ深さ 16"_s, u"先端 2.043"_s} << QStringList();
        // 90°: 3.4 / tan 45° = 3.400; 上げ 16 + 2 × 1.25 + 3.4.
        QTest::newRow("a point and a chamfer asked")
            << QStringList{u"M8x1.25"_s, u"深さ"_s, u"16"_s, u"先端角"_s, u"90"_s, u"上げ"_s} << 3
            << 0 << QStringList{u"上げ 21.900"_s, u"3.400"_s} << QStringList() << QStringList();
        // Bad input: words, no figure.
        for (const auto& [query, found, words] :
             {std::tuple{u"M8x1.25-6g 三針 100"_s, 4, u"太すぎ"_s},
              {u"M8x1.25-6g 三針 0"_s, 4, u"ワイヤ径が読めません"_s},
              {u"M8x1.25-6H 三針"_s, 3, u"おねじの測定"_s},
              {u"M8 深さ 999999"_s, 9, u"深すぎ"_s},
              {u"M8 深さ -5"_s, 9, u"ねじ深さが読めません"_s},
              {u"深さ 16"_s, 1, u"ねじの呼びが要ります"_s}})
            QTest::newRow(qPrintable(query))
                << query.split(u' ') << found << 0 << QStringList{words} << QStringList()
                << QStringList();
        // G has no class 6H: no figure under its name, the chart's own.
        QTest::newRow("a class the standard lacks")
            << QStringList{u"G1/4-6H"_s} << 1 << 0
            << QStringList{u"11.7"_s, u"11.445"_s, u"11.89"_s, u"6H 規格にない等級"_s}
            << QStringList() << QStringList();
    }
    void sameAnswerAtEveryDoor() {
        QFETCH(QStringList, terms);
        QFETCH(int, found);
        QFETCH(int, result);
        QFETCH(QStringList, figures);
        QFETCH(QStringList, whole);
        QFETCH(QStringList, heard);
        const QString query = terms.join(u' ');
        Program program;
        program.openSearch(0, query, true);
        search::SearchWindow* window = program.searchWindow();
        QTableView* table = window->resultsTable();
        const QAbstractItemModel* model = table->model();
        QStringList cells, spoken;
        for (int row = 0; row < model->rowCount(); ++row) {
            QStringList line;
            for (int column = 0; column < model->columnCount(); ++column)
                line.append(model->index(row, column).data().toString());
            cells.append(line.join(u'\t'));
        }
        QCOMPARE(cells.size(), found);
        std::FILE* out = std::tmpfile();
        QVERIFY(out);
        QCOMPARE(printResults(query, out), found);
        QCOMPARE(printResults(query, out, FindFormat::Json), found);
        QFile printed;
        QVERIFY(printed.open(out, QIODevice::ReadOnly));
        printed.seek(0);
        const QString tabs = QString::fromUtf8(printed.readAll());
        printed.close();
        std::fclose(out);
        const qsizetype jsonStart = tabs.lastIndexOf(u"\n{"_s) + 1;
        const QJsonDocument json = QJsonDocument::fromJson(tabs.mid(jsonStart).toUtf8());
        QVERIFY(json.isObject());
        QCOMPARE(json[u"results"_s].toArray().size(), found);
        const QStringList lines = tabs.left(jsonStart).split(u'\n', Qt::SkipEmptyParts);
        QCOMPARE(lines.size(), found ? found + 1 : 0);
        // --find's heading line: the search window's column names, then the detail.
        QStringList heading;
        for (int column = 0; column < model->columnCount() && found; ++column)
            heading.append(model->headerData(column, Qt::Horizontal).toString());
        if (found)
            QCOMPARE(lines.first(), heading.join(u'\t') + u"\t詳細"_s);
        for (int row = 0; row < found; ++row)
            QCOMPARE(lines[row + 1].section(u'\t', 0, model->columnCount() - 1), cells[row]);
        SearchProvider provider;
        GnomeSearchProvider gnome(provider);
        KRunnerProvider krunner(provider);
        const QStringList ids = gnome.GetInitialResultSet(terms);
        QCOMPARE(ids.size(), found);
        QCOMPARE(gnome.GetSubsearchResultSet(ids, terms), ids);
        const RemoteMatches matches = krunner.Match(query);
        QCOMPARE(matches.size(), found);
        for (qsizetype i = 0; i < found; ++i)
            QCOMPARE(matches[i].id, ids[i]);
        if (result < 0)
            return;

        for (int column = 0; column < model->columnCount(); ++column)
            spoken.append(model->index(result, column).data(Qt::AccessibleTextRole).toString());
        table->setCurrentIndex(model->index(result, 0));
        const QString detail = window->detailArea()->toPlainText();
        // The detail as a voice reads it, line by line as it is drawn.
        const QStringList detailHeard = window->detailArea()->accessibleDescription().split(u'\n');
        QCOMPARE(detailHeard.size(), detail.split(u'\n').size());
        for (const QString& words : heard)
            QVERIFY2(detailHeard.join(u'\n').contains(words),
                     qPrintable(words + u" not in "_s + detailHeard.join(u'\n')));
        QGuiApplication::clipboard()->clear();
        window->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(window));
        table->setFocus();
        QTest::keySequence(table, QKeySequence::Copy);
        const QString copied = QGuiApplication::clipboard()->text();
        const QString description =
            gnome.GetResultMetas({ids[result]}).value(0).value(u"description"_s).toString();
        QCOMPARE(matches[result].properties.value(u"subtext"_s).toString(), description);
        const QJsonObject answer = json[u"results"_s][result].toObject();
        // The figures as numbers and the words as they are, outside the texts.
        QJsonObject facts = answer;
        facts.remove(u"text"_s);
        const QString factsText = QString::fromUtf8(QJsonDocument(facts).toJson());
        const QString textsJson =
            QString::fromUtf8(QJsonDocument(answer[u"text"_s].toObject()).toJson());
        const QStringList doors{cells[result], spoken.join(u'、'), copied, lines[result + 1],
                                description};
        for (const QString& figure : figures) {
            for (const QString& door : doors)
                QVERIFY2(door.contains(figure), qPrintable(figure + u" not in "_s + door));
            QString number = figure;
            number.remove(u" %"_s);
            QVERIFY2(number.toDouble()
                         ? factsText.contains(u": "_s + QString::number(number.toDouble(), 'g', 10))
                         : textsJson.contains(figure),
                     qPrintable(figure + u" not in the JSON"_s));
        }
        for (const QString& figure : whole)
            for (const QString& door : {detail, copied, lines[result + 1], description})
                QVERIFY2(door.contains(figure), qPrintable(figure + u" not in "_s + door));
        // A bolt's two pairs, drawn side by side, are each named when spoken.
        if (cells[result].section(u'\t', search::Limits, search::Limits).contains(u'／'))
            QVERIFY2(spoken[search::Limits].contains(QRegularExpression(
                         u"^外径 [\\d.]+ から [\\d.]+、有効径 [\\d.]+ から [\\d.]+$"_s)),
                     qPrintable(spoken[search::Limits]));
        // Spoken in words: no marks a voice reads as marks, no hyphen as マイナス.
        for (const QString& cell : spoken + detailHeard) {
            QVERIFY2(!cell.contains(QRegularExpression(u"[～／（）()°：²]|\\w[-‐－]\\w"_s)),
                     qPrintable(cell));
        }
    }

    // At the window's starting size the limits a query asks for are shown
    // whole: a bolt's two pairs, as wide as any size makes them (6-4UN,
    // M300, G 6), and a hole's class asked, which comes before the chart's.
    // Every result's detail shows all its lines too, the tallest answers'
    // (a fit's two halves, a measurement's candidates) among them.
    void askedLimitsShownWhole_data() {
        QTest::addColumn<QString>("query");
        // Whether the first result's limits are a class asked, shown whole.
        QTest::addColumn<bool>("asked");
        QTest::newRow("a unified bolt of 6 in") << u"6-4UN-2A"_s << true;
        QTest::newRow("a metric bolt of 300 mm") << u"M300x6-6e"_s << true;
        QTest::newRow("G's bolt") << u"G6A"_s << true;
        QTest::newRow("a class asked before the chart's") << u"M100x6-8H"_s << true;
        QTest::newRow("a metric fit") << u"M8x1.25-6H/6g"_s << true;
        QTest::newRow("a unified fit across classes") << u"1/4-20UNC-2B/3A"_s << true;
        QTest::newRow("a bolt measured") << u"外径 9.5 ピッチ 1.5"_s << false;
        QTest::newRow("a hole measured") << u"内径 11.4 19山"_s << false;
    }
    void askedLimitsShownWhole() {
        QFETCH(QString, query);
        QFETCH(bool, asked);
        Program program;
        program.openSearch(0, query, true);
        const QTableView* table = program.searchWindow()->resultsTable();
        const QString limits =
            table->model()->index(0, search::Limits).data().toString().section(u"　図表"_s, 0, 0);
        const int margins =
            2 * (table->style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, table) + 1);
        QVERIFY2(!asked || table->fontMetrics().horizontalAdvance(limits) <=
                               table->columnWidth(search::Limits) - margins,
                 qPrintable(limits));
        QVERIFY(QTest::qWaitForWindowExposed(program.searchWindow()));
        const QPlainTextEdit* detail = program.searchWindow()->detailArea();
        for (int row = 0; row < table->model()->rowCount(); ++row) {
            program.searchWindow()->resultsTable()->setCurrentIndex(table->model()->index(row, 0));
            QVERIFY2(detail->verticalScrollBar()->maximum() == 0,
                     qPrintable(detail->toPlainText()));
        }
    }

    // The line between the results and the detail is the user's to move; a
    // new window starts with the detail as tall as it was left. Few results
    // take no more than their rows.
    void detailHeightRemembered() {
        Program program;
        program.openSearch(0, u"M8x1.25-6H/6g"_s, true);
        search::SearchWindow* window = program.searchWindow();
        QVERIFY(QTest::qWaitForWindowExposed(window));
        const QTableView* table = window->resultsTable();
        QCOMPARE(window->detailArea()->y() - table->y() - window->splitter()->handleWidth(),
                 table->horizontalHeader()->height() +
                     table->model()->rowCount() * table->rowHeight(0) + 2 * table->frameWidth());
        window->setQuery(u"M8"_s);
        const int before = window->detailArea()->height();
        QSplitterHandle* handle = window->splitter()->handle(2);
        const QPoint middle = handle->rect().center();
        QTest::mousePress(handle, Qt::LeftButton, {}, middle);
        const QPoint up = middle - QPoint(0, 40);
        QMouseEvent drag(QEvent::MouseMove, up, handle->mapToGlobal(up), Qt::NoButton,
                         Qt::LeftButton, {});
        QApplication::sendEvent(handle, &drag);
        QTest::mouseRelease(handle, Qt::LeftButton, {}, up);
        QCOMPARE(window->detailArea()->height(), before + 40);
        window->close();
        flushDeletes();
        program.openSearch(0, u"M8"_s, true);
        QVERIFY(QTest::qWaitForWindowExposed(program.searchWindow()));
        QCOMPARE(program.searchWindow()->detailArea()->height(), before + 40);
        QSettings(u"vornel"_s, u"vornel"_s).clear();
    }

    // An empty query shows examples in place of the results, said once to a
    // screen reader; choosing one searches for it.
    void examplesRunTheirQuery_data() {
        QTest::addColumn<int>("example");
        QTest::addColumn<QString>("query");
        // The first result's chart and designation, as the charts write them.
        QTest::addColumn<QString>("first");
        QTest::newRow("a designation") << 0 << u"M8x1.25"_s << u"メートルねじ 8 × 1.25"_s;
        QTest::newRow("a drill") << 1 << u"6.8"_s << u"メートルねじ 8 × 1.25"_s;
        QTest::newRow("a pilot hole") << 2 << u"M8 下穴"_s << QString();
        QTest::newRow("a measurement")
            << 3 << u"外径 9.5 ピッチ 1.5"_s << u"ウィットねじ（インチ呼び） 3/8 \u201016"_s;
        QTest::newRow("a fit") << 4 << u"M8x1.25-6H/6g"_s << u"メートルねじ 8 × 1.25"_s;
    }
    void examplesRunTheirQuery() {
        QFETCH(int, example);
        QFETCH(QString, query);
        QFETCH(QString, first);
        Program program;
        program.openSearch();
        search::SearchWindow* window = program.searchWindow();
        QVERIFY(QTest::qWaitForWindowActive(window));
        QTreeWidget* examples = window->examplesList();
        QVERIFY(examples->isVisible());
        QVERIFY(!window->resultsTable()->isVisible());
        QTRY_COMPARE(announced(window), u"入力の例　M8x1.25、6.8、M8 下穴、外径 9.5 ピッチ 1.5、"
                                        u"M8x1.25-6H/6g"_s);
        const int said = announcementsMade();
        // By keyboard: Down from the query into the examples, Enter on one.
        QTest::keyClick(window->queryField(), Qt::Key_Down);
        QCOMPARE(window->focusWidget(), examples);
        for (int i = 0; i < example; ++i)
            QTest::keyClick(examples, Qt::Key_Down);
        QTest::keyClick(examples, Qt::Key_Return);
        QCOMPARE(window->queryField()->text(), query);
        QCOMPARE(window->focusWidget(), window->queryField());
        QVERIFY(!examples->isVisible());
        const QAbstractItemModel* results = window->resultsTable()->model();
        if (!first.isEmpty())
            QCOMPARE(results->index(0, search::Chart).data().toString() + u' ' +
                         results->index(0, search::Designation).data().toString(),
                     first);
        // Emptied again, the examples come back, and are not said again.
        window->setQuery({});
        QVERIFY(examples->isVisible());
        window->hide();
        window->show();
        QTest::qWait(500);
        QCOMPARE(announcementsMade(), said);
    }

    // Once the menu has been drawn, the search window is built, hidden, and
    // the first Ctrl+F shows that one.
    void preparedOnceTheMenuIsDrawn() {
        Program program;
        QVERIFY(!program.start());
        QVERIFY(QTest::qWaitForWindowExposed(program.menu()));
        search::SearchWindow* prepared = nullptr;
        QTRY_VERIFY((prepared = qobject_cast<search::SearchWindow*>([] {
                         for (QWidget* w : QApplication::topLevelWidgets())
                             if (w->objectName() == u"SearchWindow"_s)
                                 return w;
                         return static_cast<QWidget*>(nullptr);
                     }())));
        QVERIFY(!prepared->isVisible());
        QVERIFY(!program.searchWindow());
        QCOMPARE(invariantFailure(program, 0), QString());
        program.openSearch();
        QCOMPARE(program.searchWindow(), prepared);
    }

    void keyboard_data() {
        QTest::addColumn<QKeySequence>("close");
        QTest::newRow("Escape") << QKeySequence(Qt::Key_Escape);
        QTest::newRow("Ctrl+W") << QKeySequence(Qt::CTRL | Qt::Key_W);
    }
    void keyboard() {
        QFETCH(QKeySequence, close);
        Program program;
        QVERIFY(!program.start());
        program.openSearch();
        search::SearchWindow* window = program.searchWindow();
        QLineEdit* query = window->findChild<QLineEdit*>(u"Query"_s);
        auto* table = window->findChild<QTableView*>(u"Results"_s);
        auto* status = window->findChild<QLabel*>(u"Status"_s);
        QCOMPARE(query->accessibleName(), u"検索語"_s);
        QVERIFY(status->text().isEmpty());
        QTest::keyClicks(query, u"no.4-40"_s);
        QCOMPARE(status->text(), u"2 件"_s);
        // A screen reader hears the count where the focus is, and a result
        // row cell by cell as a chart's row.
        QCOMPARE(query->accessibleDescription(), u"検索結果 2 件"_s);
        QCOMPARE(table->accessibleDescription(), u"検索結果 2 件"_s);
        QCOMPARE(table->model()->headerData(1, Qt::Horizontal).toString(), u"ねじの呼び"_s);
        QCOMPARE(table->model()->index(1, 0).data().toString(), u"インサートユニファイねじ"_s);
        QStringList spoken;
        for (int column = 0; column < table->model()->columnCount(); ++column)
            spoken.append(table->model()->index(1, column).data(Qt::AccessibleTextRole).toString());
        QCOMPARE(spoken, (QStringList{u"インサートユニファイねじ"_s, u"No. 4 40UNC"_s, QString(),
                                      u"ドリル径 3"_s, QString(), u"下穴径 2.95 から 3.07"_s,
                                      u"一致 呼び"_s}));
        // The ひっかかり率 is named too: the unified chart's 2.3 in No. 4-40, 79 %.
        QCOMPARE(table->model()->index(0, 4).data(Qt::AccessibleTextRole).toString(),
                 u"ひっかかり率 79 %"_s);
        // Down moves into the results, Enter opens the chosen one.
        QTest::keyClick(query, Qt::Key_Down);
        QCOMPARE(window->focusWidget(), table);
        QTest::keyClick(table, Qt::Key_Down);
        QTest::keyClick(table, Qt::Key_Return);
        ChartWindow* chart = program.registry().window(9);
        QVERIFY(chart);
        QCOMPARE(chart->list()->currentIndex().data().toString().section(u'\t', 0, 0),
                 u"No. 4‐40UNC"_s);
        // A new query starts at its first result: choose the fourth of "M8",
        // paste "M10" over it, and Enter opens M10 × 1.5, not the fourth.
        window->setQuery(u"M8"_s);
        table->setCurrentIndex(table->model()->index(3, 0));
        // A space, which no query reads, keeps the result chosen.
        query->end(false);
        query->insert(u" "_s);
        QCOMPARE(table->currentIndex().row(), 3);
        // Enter in the query opens the result chosen, not the first.
        QSignalSpy chosen(window, &search::SearchWindow::resultChosen);
        QTest::keyClick(query, Qt::Key_Return);
        window->openResult(3);
        QCOMPARE(chosen.size(), 2);
        QCOMPARE(chosen.at(0), chosen.at(1));
        query->selectAll();
        query->insert(u"M10"_s);
        QTest::keyClick(query, Qt::Key_Return);
        QCOMPARE(program.registry().window(1)->selectedRow(), 57);
        QTest::keyClicks(query, u"z"_s);
        QCOMPARE(status->text(), u"該当なし"_s);
        // Down leaves the query only for a result.
        window->focusQuery(false);
        QTest::keyClick(query, Qt::Key_Down);
        QCOMPARE(window->focusWidget(), query);
        QCOMPARE(table->accessibleDescription(), u"該当なし"_s);
        // Ctrl+F goes back to the query, from the detail too, its text selected.
        window->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(window));
        for (QWidget* from :
             {static_cast<QWidget*>(table), static_cast<QWidget*>(window->detailArea())}) {
            from->setFocus();
            QTest::keySequence(from, QKeySequence::Find);
            QCOMPARE(window->focusWidget(), query);
            QCOMPARE(query->selectedText(), query->text());
        }
        // Escape or Ctrl+W closes the window.
        QTest::keySequence(query, close);
        flushDeletes();
        QVERIFY(!program.searchWindow());
    }

    // Ctrl+F in the menu and in each chart, "検索…" in their context menus,
    // and a letter or digit typed on a menu button.
    void reachedFromTheMenuAndEveryChart() {
        Program program;
        QVERIFY(!program.start());
        MenuWindow* menu = program.menu();
        QAction* fromMenu = searchAction(menu);
        QVERIFY(fromMenu);
        QCOMPARE(fromMenu->shortcut(), QKeySequence(QKeySequence::Find));
        QCOMPARE(menu->contextMenuPolicy(), Qt::ActionsContextMenu);
        auto* first = menu->findChild<QPushButton*>(u"Command1"_s);
        QTest::keyClicks(first, u"m8"_s);
        QVERIFY(program.searchWindow());
        QCOMPARE(program.searchWindow()->queryField()->text(), u"m8"_s);
        QCOMPARE(program.searchWindow()->statusLine()->text(), u"9 件"_s);
        // Space still presses the button.
        QTest::keyClick(first, Qt::Key_Space);
        QVERIFY(program.registry().window(1));
        QCOMPARE(program.searchWindow()->queryField()->text(), u"m8"_s);
        program.searchWindow()->close();
        flushDeletes();
        fromMenu->trigger();
        QVERIFY(program.searchWindow());

        auto* table = program.searchWindow()->resultsTable();
        program.searchWindow()->setQuery(u"M8"_s);
        for (int position = 1; position <= ChartRegistry::kSize; ++position) {
            QVERIFY(!program.registry().openChart(position));
            QAction* fromChart = searchAction(program.registry().window(position)->list());
            QVERIFY(fromChart);
            QCOMPARE(fromChart->shortcut(), QKeySequence(QKeySequence::Find));
            fromChart->trigger();
            // That chart's results first, the query kept.
            QCOMPARE(program.searchWindow()->queryField()->text(), u"M8"_s);
            if (position == 8 || position == 10)
                QCOMPARE(table->model()->index(0, 0).data().toString(),
                         qs(program.registry().chart(position)->title));
        }
        // Asked from the menu again, the charts' own order comes back.
        fromMenu->trigger();
        QCOMPARE(table->model()->index(0, 0).data().toString(), u"メートルねじ"_s);
        QCOMPARE(invariantFailure(program, 0), QString());
    }

    // "ひっかかり率を調べる…" on a chart's data row opens the search at that
    // row's result; the detail under the results follows the current result
    // and is read over the accessibility bus, and Tab reaches it.
    void engagementFromAChartRow() {
        Program program;
        QVERIFY(!program.start());
        QVERIFY(!program.registry().openChart(1));
        QListView* list = program.registry().window(1)->list();
        const QModelIndex row = list->model()->index(49, 0); // "8 × 1.25"
        list->scrollTo(row);
        QStringList entries;
        QTimer::singleShot(0, list, [&] {
            auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
            if (!menu)
                return;
            for (QAction* action : menu->actions()) {
                entries.append(action->text());
                if (action->text() == u"ひっかかり率を調べる…"_s)
                    action->trigger();
            }
            menu->close();
        });
        emit list->customContextMenuRequested(list->visualRect(row).center());
        QVERIFY(entries.contains(u"ひっかかり率を調べる…"_s));

        search::SearchWindow* window = program.searchWindow();
        QVERIFY(window && window->isVisible());
        QCOMPARE(window->queryField()->text(), u"8 × 1.25"_s);
        QTableView* table = window->resultsTable();
        QCOMPARE(table->currentIndex().row(), 0);
        QCOMPARE(window->focusWidget(), table);
        QAccessibleInterface* detail = QAccessible::queryAccessibleInterface(window->detailArea());
        QCOMPARE(detail->text(QAccessible::Name), u"詳細"_s);
        // Read-only text that a screen reader reads line by line.
        QVERIFY(detail->textInterface());
        QVERIFY(detail->state().readOnly);
        const QString detailText =
            detail->textInterface()->text(0, detail->textInterface()->characterCount());
        // What is drawn, every figure of the hole (TD2(6) 160, EI 0).
        QCOMPARE(detailText, window->detailArea()->toPlainText());
        for (const QString& figure : {u"6.647～6.912"_s, u"7.188～7.348"_s, u"最小 8.000"_s,
                                      u"タップ ISO 2"_s, u"6.8（89 %"_s})
            QVERIFY2(detailText.contains(figure), qPrintable(figure));
        QCOMPARE(table->model()->index(0, search::Engagement).data(), QVariant(u"89 %"_s));
        // The insert's hole has no engagement; its usable drills, none marked with one.
        QTest::keyClick(table, Qt::Key_Down);
        QCOMPARE(window->detailArea()->toPlainText().section(u'\n', 0, 0),
                 u"インサートメートルねじ　8 × 1.25"_s);
        QVERIFY(window->detailArea()->toPlainText().contains(
            u"使えるドリル径　8.4（図表のドリル径）、8.5"_s));
        // The fluteless chart's title as its cell is spoken, not "メ－トル".
        QTest::keyClick(table, Qt::Key_Down);
        QCOMPARE(window->detailArea()->toPlainText().section(u'　', 0, 0),
                 u"溝なしタップメートルねじ"_s);
        QTest::keyClick(table, Qt::Key_Up);
        QTest::keyClick(table, Qt::Key_Tab);
        QCOMPARE(window->focusWidget(), window->detailArea());
        // Up from the first result goes back to the query.
        table->setFocus();
        table->setCurrentIndex(table->model()->index(0, 0));
        QTest::keyClick(table, Qt::Key_Up);
        QCOMPARE(window->focusWidget(), window->queryField());
    }

    // The window says which result was chosen; opening it is the program's.
    void choosingAResultSaysWhich() {
        const auto charts = charts::allCharts();
        search::SearchIndex index(charts);
        search::SearchWindow window(index);
        QSignalSpy chosen(&window, &search::SearchWindow::resultChosen);
        window.setQuery(u"M8"_s);
        window.openResult(0);
        // The row after the last, and before the first, are none.
        window.openResult(window.resultsTable()->model()->rowCount());
        window.openResult(-1);
        QCOMPARE(chosen.count(), 1);
        // Line 49 of the metric chart: "8 × 1.25".
        QCOMPARE(chosen.at(0), (QVariantList{1, 49}));
        // A drill below the basic minor diameter has its figure to copy too:
        // (8 − 6.5) / (2 × 0.541266 × 1.25) = 111 %.
        window.setQuery(u"M8x1.25 6.5"_s);
        QGuiApplication::clipboard()->clear();
        QTimer::singleShot(0, &window, [] {
            auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
            for (QAction* action : menu ? menu->actions() : QList<QAction*>())
                if (action->text() ==
                    u"ひっかかり率 111 %（ドリル径 6.5、基準の内径より小さい） をコピー"_s)
                    action->trigger();
            if (menu)
                menu->close();
        });
        emit window.resultsTable()->customContextMenuRequested({});
        QCOMPARE(QGuiApplication::clipboard()->text(), u"111"_s);
    }
};

QTEST_MAIN(TestSearchWindow)
#include "test_search_window.moc"
