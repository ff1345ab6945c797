// Printing a chart: every chart printed to a PDF file on a few papers and
// read back with poppler's pdftotext, as a user reads the pages.
#include "charts/charts.h"
#include "test_support.h"
#include "windows/chart_printer.h"
#include "windows/chart_window.h"

#include <QApplication>
#include <QImage>
#include <QListView>
#include <QMessageBox>
#include <QPageRanges>
#include <QPageSize>
#include <QPdfWriter>
#include <QPrintPreviewDialog>
#include <QPrintPreviewWidget>
#include <QPrinter>
#include <QProcess>
#include <QRegularExpression>
#include <QSet>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTimer>
#include <algorithm>
#include <csignal>
#include <map>
#include <sys/resource.h>
#include <tuple>

using namespace vornel;
using namespace vornel::test;
using namespace Qt::StringLiterals;

namespace {

// What one of poppler's tools prints.
QByteArray output(const QString& tool, const QStringList& arguments) {
    if (QStandardPaths::findExecutable(tool).isEmpty())
        qFatal("%s is missing: install poppler-utils", qPrintable(tool));
    QProcess process;
    process.start(tool, arguments);
    if (!process.waitForFinished(30000) || process.exitCode() != 0)
        return {};
    return process.readAllStandardOutput();
}

QString run(const QString& tool, const QStringList& arguments) {
    return QString::fromUtf8(output(tool, arguments));
}

// The text of each page of a PDF file, as pdftotext lays it out.
QStringList pageTexts(const QString& file) {
    return run(u"pdftotext"_s, {u"-layout"_s, file, u"-"_s}).split(u'\f', Qt::SkipEmptyParts);
}

// A PDF file whose device cannot start a page after the first, as a printer
// that goes away or a full disk leaves it.
class FirstPageOnlyWriter final : public QPdfWriter {
public:
    using QPdfWriter::QPdfWriter;
    bool newPage() override { return false; }
};

// A text without its white space (spaces, ideographic spaces, TABs, line
// ends), as text read back from a page is compared.
QString squeezed(QStringView text) {
    QString out;
    for (const QChar c : text)
        if (!c.isSpace())
            out.append(c);
    return out;
}

// Finds `wanted` in `text` from `*from` on, and moves `*from` past it.
bool findFrom(const QString& text, const QString& wanted, qsizetype* from) {
    const qsizetype at = text.indexOf(wanted, *from);
    if (at < 0)
        return false;
    *from = at + wanted.size();
    return true;
}

// While it lives, no file of the process grows past `bytes` (none where 0);
// a write past it fails instead of ending the process.
class FileSizeLimit {
public:
    explicit FileSizeLimit(rlim_t bytes)
        : signal_(signal(SIGXFSZ, SIG_IGN)) {
        getrlimit(RLIMIT_FSIZE, &old_);
        rlimit limit = old_;
        if (bytes != 0)
            limit.rlim_cur = bytes;
        setrlimit(RLIMIT_FSIZE, &limit);
    }
    ~FileSizeLimit() {
        setrlimit(RLIMIT_FSIZE, &old_);
        signal(SIGXFSZ, signal_);
    }
    FileSizeLimit(const FileSizeLimit&) = delete;
    FileSizeLimit& operator=(const FileSizeLimit&) = delete;

private:
    sighandler_t signal_;
    rlimit old_{};
};

QPrinter* pdfPrinter(QPrinter& printer, const QString& file, QPageSize::PageSizeId paper) {
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(file);
    printer.setPageSize(QPageSize(paper));
    return &printer;
}

} // namespace

class TestChartPrinter : public QObject {
    Q_OBJECT
private slots:
    // On every page: the title once and "n / N", every heading line, and at
    // least one data row; over the pages every line and the footnote, in
    // order, once; every word inside the printable area, the widest line
    // across 80 % of it. The font at most 14 pt, below 12 pt only on turned
    // paper. All the charts: in the menu's order in one document. The PDF is
    // named and made by Vornel; a device failing after the first page fails.
    void printsEveryLineInsideThePage_data() {
        QTest::addColumn<QList<const ChartDefinition*>>("charts");
        QTest::addColumn<QPageSize::PageSizeId>("paper");
        QTest::addColumn<int>("turned"); // -1: as the chart suits
        const int suits = -1;
        const int landscape = QPageLayout::Landscape;
        // On Executive landscape the unified chart's blank last line once
        // started a page.
        const std::tuple<const char*, QPageSize::PageSizeId, int> papers[] = {
            {"A4", QPageSize::A4, suits},
            {"A4 landscape", QPageSize::A4, landscape},
            {"Letter", QPageSize::Letter, suits},
            {"A3", QPageSize::A3, suits},
            {"A6", QPageSize::A6, suits},
            {"postcard", QPageSize::Postcard, suits},
            {"postcard landscape", QPageSize::Postcard, landscape},
            {"double postcard", QPageSize::DoublePostcard, suits},
            {"Executive landscape", QPageSize::Executive, landscape}};
        for (const ChartDefinition* chart : charts::allCharts())
            for (const auto& [name, paper, turned] : papers)
                QTest::addRow("%s %s", chart->identifier.data(), name)
                    << QList<const ChartDefinition*>{chart} << paper << turned;
        const auto all = charts::allCharts();
        QTest::addRow("all charts A4")
            << QList<const ChartDefinition*>(all.begin(), all.end()) << QPageSize::A4 << suits;
    }
    void printsEveryLineInsideThePage() {
        QFETCH(QList<const ChartDefinition*>, charts);
        QFETCH(QPageSize::PageSizeId, paper);
        QFETCH(int, turned);
        QTemporaryDir dir;
        const QString file = dir.filePath(u"chart.pdf"_s);
        QPrinter printer(QPrinter::HighResolution);
        pdfPrinter(printer, file, paper);
        const bool all = charts.size() > 1;
        const QPageLayout upright = printer.pageLayout();
        std::vector<ChartPrintLayout> layouts;
        for (const ChartDefinition* chart : charts) {
            const auto orientation =
                turned < 0 ? printOrientation(*chart, printer) : QPageLayout::Orientation(turned);
            printer.setPageOrientation(orientation);
            layouts.push_back(layOutForPrint(*chart, printer));
            const qreal size = layouts.back().font.pointSizeF();
            QVERIFY2(size <= 14, qPrintable(QString::number(size)));
            if (size < 12)
                QCOMPARE(orientation, QPageLayout::Landscape);
        }
        if (all) // the charts that need landscape turned on upright paper
            printer.setPageLayout(upright);
        const QRectF area = printer.pageLayout().paintRect(QPageLayout::Point);
        const QString title = all ? u"Vornel すべての表"_s : qs(charts.front()->title);
        QVERIFY(all ? printAllChartsOrExplain(charts, printer, nullptr)
                    : printChartOrExplain(*charts.front(), printer, nullptr));
        const QString info = run(u"pdfinfo"_s, {file});
        QVERIFY2(info.contains(QRegularExpression(u"^Title: +%1\nCreator: +Vornel\n"_s.arg(title),
                                                  QRegularExpression::MultilineOption)),
                 qPrintable(info));
        const QStringList pages = pageTexts(file);
        qsizetype page = 0;
        for (std::size_t c = 0; c < layouts.size(); ++c) {
            const ChartDefinition* chart = charts[qsizetype(c)];
            const qsizetype count = qsizetype(layouts[c].pages.size());
            QVERIFY(page + count <= pages.size());
            const bool titleFirst = qs(chart->lines.front()).startsWith(qs(chart->title));
            const QString top = squeezed(qs(titleFirst ? chart->lines.front() : chart->title));
            QStringList lines;
            for (std::size_t row = std::size_t(chart->headingLines); row < chart->lines.size();
                 ++row)
                lines.append(squeezed(qs(chart->lines[row])));
            if (chart->footnote)
                lines.append(squeezed(qs(chart->footnote->text)));
            QString body;
            for (qsizetype n = 0; n < count; ++n, ++page) {
                const QString text = squeezed(pages[page]);
                qsizetype at = top.size();
                QVERIFY2(text.startsWith(top), qPrintable(pages[page]));
                QVERIFY(text.indexOf(squeezed(qs(chart->title)), 1) < 0);
                QVERIFY(findFrom(text, u"%1/%2"_s.arg(n + 1).arg(count), &at));
                for (int row = titleFirst ? 1 : 0; row < chart->headingLines; ++row)
                    QVERIFY2(findFrom(text, squeezed(qs(chart->lines[std::size_t(row)])), &at),
                             qPrintable(u"page %1, heading %2"_s.arg(page + 1).arg(row)));
                QVERIFY2(
                    std::ranges::any_of(
                        lines.first(chart->dataRows),
                        [&](const QString& row) { return text.indexOf(row, at) >= 0; }),
                    qPrintable(u"no data row on page %1:\n%2"_s.arg(page + 1).arg(pages[page])));
                body += text.mid(at);
            }
            qsizetype at = 0;
            for (const QString& line : lines)
                QVERIFY2(findFrom(body, line, &at), qPrintable(line));
            QVERIFY2(body.mid(at).isEmpty(), qPrintable(body.mid(at)));
        }
        QCOMPARE(page, pages.size());

        // Every word inside the printable area, in points; the widest line
        // below the page's top line across 80 % of it (on a page not turned).
        static const QRegularExpression word(
            uR"re(<word xMin="([\d.]+)" yMin="([\d.]+)" xMax="([\d.]+)" yMax="([\d.]+)">([^<]*)<)re"_s);
        const QStringList boxes = run(u"pdftotext"_s, {u"-bbox"_s, file, u"-"_s})
                                      .split(u"<page "_s, Qt::SkipEmptyParts)
                                      .mid(1);
        QCOMPARE(boxes.size(), pages.size());
        for (std::size_t c = 0, p = 0; c < layouts.size(); ++c) {
            const bool sideways =
                all && printOrientation(*charts[qsizetype(c)], printer) == QPageLayout::Landscape;
            for (std::size_t n = 0; n < layouts[c].pages.size(); ++n, ++p) {
                std::vector<QRectF> words;
                for (const auto& m : word.globalMatch(boxes[qsizetype(p)])) {
                    words.emplace_back(QPointF(m.captured(1).toDouble(), m.captured(2).toDouble()),
                                       QPointF(m.captured(3).toDouble(), m.captured(4).toDouble()));
                    QVERIFY2(area.adjusted(-1, -1, 1, 1).contains(words.back()),
                             qPrintable(u"page %1: %2 at %3,%4"_s.arg(p + 1)
                                            .arg(m.captured(5))
                                            .arg(words.back().left())
                                            .arg(words.back().top())));
                }
                QVERIFY(!words.empty());
                if (sideways)
                    continue;
                const qreal topLine = std::ranges::min(words, {}, &QRectF::bottom).bottom() + 0.5;
                qreal widest = 0;
                for (const QRectF& box : words)
                    if (box.bottom() > topLine)
                        widest = std::max(widest, box.right() - area.left());
                QVERIFY2(widest >= 0.8 * area.width(),
                         qPrintable(u"page %1: %2 pt"_s.arg(p + 1).arg(widest)));
            }
        }

        // No text drawn over itself, which reads back as once: no glyph twice
        // at one place on a page.
        static const QRegularExpression glyph(u"<use xlink:href=\"#glyph[^>]*>"_s);
        const QStringList drawn =
            run(u"pdftocairo"_s, {u"-svg"_s, file, u"-"_s}).split(u"<g id=\"surface"_s).mid(1);
        QCOMPARE(drawn.size(), pages.size());
        for (qsizetype p = 0; p < drawn.size(); ++p) {
            QSet<QString> seen;
            for (const auto& m : glyph.globalMatch(drawn[p])) {
                QVERIFY2(!seen.contains(m.captured()),
                         qPrintable(u"page %1: %2"_s.arg(p + 1).arg(m.captured())));
                seen.insert(m.captured());
            }
        }

        // On each chart's first page (not turned) the first data row on white
        // paper and the second on grey: every other row is shaded, counted
        // from the first data row.
        for (std::size_t c = 0, p = 0; c < layouts.size(); p += layouts[c].pages.size(), ++c) {
            const ChartDefinition& chart = *charts[qsizetype(c)];
            if (all && printOrientation(chart, printer) == QPageLayout::Landscape)
                continue;
            struct Line {
                qreal bottom = 0;
                std::map<qreal, QString> words; // by their left edge
            };
            std::map<qreal, Line> lines; // by their top
            for (const auto& m : word.globalMatch(boxes[qsizetype(p)])) {
                Line& line = lines[m.captured(2).toDouble()];
                line.bottom = m.captured(4).toDouble();
                line.words[m.captured(1).toDouble()] += m.captured(5);
            }
            const QString number = QString::number(p + 1);
            const QImage image =
                QImage::fromData(output(u"pdftoppm"_s, {u"-gray"_s, u"-r"_s, u"72"_s, u"-f"_s,
                                                        number, u"-l"_s, number, file}));
            // The middle of the line that reads `wanted`, or -1 where it is not
            // on the page.
            const auto middle = [&](const QString& wanted) {
                for (const auto& [top, line] : lines) {
                    QString text;
                    for (const auto& [x, string] : line.words)
                        text += string;
                    if (squeezed(text) == wanted)
                        return qRound((top + line.bottom) / 2);
                }
                return -1;
            };
            const auto row = [&](int n) {
                return middle(squeezed(qs(chart.lines[std::size_t(chart.headingLines + n)])));
            };
            // The lightest grey across the printable width at a height.
            const auto lightest = [&](int y) {
                int light = 0;
                for (int x = qCeil(area.left()) + 1; x < qFloor(area.right()); ++x)
                    light = std::max(light, qGray(image.pixel(x, y)));
                return light;
            };
            // Whether a rule crosses the printable width between two heights:
            // pixels darker than the shading across nine tenths of it.
            const auto ruled = [&](int from, int to) {
                for (int y = from; y < to; ++y) {
                    int dark = 0;
                    for (int x = qCeil(area.left()) + 1; x < qFloor(area.right()); ++x)
                        dark += qGray(image.pixel(x, y)) < 200;
                    if (dark > 0.9 * area.width())
                        return true;
                }
                return false;
            };
            const int first = row(0);
            const int second = row(1);
            const int third = row(2);
            QVERIFY2(first >= 0 && second >= 0 && third >= 0, qPrintable(u"page %1"_s.arg(p + 1)));
            QVERIFY2(lightest(first) > 245 && lightest(second) <= 245 && lightest(third) > 245,
                     qPrintable(u"page %1: the first three data rows on %2, %3, %4"_s.arg(p + 1)
                                    .arg(lightest(first))
                                    .arg(lightest(second))
                                    .arg(lightest(third))));
            // A rule under the headings, none between the rows; one above the
            // notes where they follow the rows on this page, and the footnote a
            // blank line below the line before it.
            QVERIFY2(ruled(2 * first - second, first) && !ruled(first, second),
                     qPrintable(u"page %1"_s.arg(p + 1)));
            const int last = row(chart.dataRows - 1);
            if (const auto notes = lines.upper_bound(last); last >= 0 && notes != lines.end())
                QVERIFY2(ruled(last, qRound((notes->first + notes->second.bottom) / 2)),
                         qPrintable(u"page %1: no rule above the notes"_s.arg(p + 1)));
            if (const int footnote =
                    chart.footnote ? middle(squeezed(qs(chart.footnote->text))) : -1;
                last >= 0 && footnote >= 0)
                QVERIFY(footnote - last > 1.5 * (second - first));
        }

        // The same document on a device that cannot start a second page.
        FirstPageOnlyWriter failing(dir.filePath(u"failing.pdf"_s));
        failing.setResolution(printer.resolution());
        failing.setPageLayout(printer.pageLayout());
        QCOMPARE(all ? printAllCharts(charts, failing) : printChart(*charts.front(), failing),
                 pages.size() == 1);
    }
    // A chosen page range prints those pages of the document, as they are
    // printed with the rest ("n / N" of the whole); one beyond the last page
    // prints nothing and says so.
    void printsTheChosenPages_data() {
        QTest::addColumn<QList<const ChartDefinition*>>("charts");
        QTest::addColumn<QString>("range");
        const QList<const ChartDefinition*> metric{&charts::kMetricChart};
        const auto all = charts::allCharts();
        const QList<const ChartDefinition*> everyChart(all.begin(), all.end());
        QTest::newRow("metric 2") << metric << u"2"_s;
        QTest::newRow("metric 2-3") << metric << u"2-3"_s;
        QTest::newRow("metric 1 and 4") << metric << u"1,4"_s;
        QTest::newRow("metric 5 to past the end") << metric << u"5-99"_s;
        QTest::newRow("metric past the end") << metric << u"99"_s;
        QTest::newRow("all charts 6-8") << everyChart << u"6-8"_s;
        QTest::newRow("all charts past the end") << everyChart << u"999"_s;
    }
    void printsTheChosenPages() {
        QFETCH(QList<const ChartDefinition*>, charts);
        QFETCH(QString, range);
        QTemporaryDir dir;
        const auto print = [&charts](QPrinter& printer) {
            return charts.size() > 1 ? printAllChartsOrExplain(charts, printer, nullptr)
                                     : printChartOrExplain(*charts.front(), printer, nullptr);
        };
        QPrinter whole(QPrinter::HighResolution);
        QVERIFY(print(*pdfPrinter(whole, dir.filePath(u"whole.pdf"_s), QPageSize::A4)));
        const QStringList pages = pageTexts(whole.outputFileName());
        const QPageRanges ranges = QPageRanges::fromString(range);
        QVERIFY(!ranges.isEmpty());
        QStringList expected;
        for (qsizetype page = 0; page < pages.size(); ++page)
            if (ranges.contains(int(page) + 1))
                expected.append(squeezed(pages[page]));

        QPrinter printer(QPrinter::HighResolution);
        const QString file = dir.filePath(u"chosen.pdf"_s);
        pdfPrinter(printer, file, QPageSize::A4)->setPageRanges(ranges);
        QString message;
        QObject box;
        QTimer::singleShot(0, &box, [&message] {
            if (auto* shown = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
                message = shown->text();
                shown->accept();
            }
        });
        QCOMPARE(print(printer), !expected.isEmpty());
        QCOMPARE(QFile::exists(file), !expected.isEmpty());
        QStringList printed;
        if (!expected.isEmpty())
            for (const QString& page : pageTexts(file))
                printed.append(squeezed(page));
        QCOMPARE(printed, expected);
        QCOMPARE(message.contains(range), expected.isEmpty());
    }

    // Ctrl+P opens the preview of the chart, turned where the chart is wide;
    // closing it prints nothing and leaves the window as it was.
    void printKeyOpensThePreview_data() {
        QTest::addColumn<const ChartDefinition*>("chart");
        QTest::addColumn<QPageLayout::Orientation>("orientation");
        QTest::newRow("metric") << &charts::kMetricChart << QPageLayout::Portrait;
        QTest::newRow("American pipe") << &charts::kAmericanPipeChart << QPageLayout::Landscape;
    }
    void printKeyOpensThePreview() {
        QFETCH(const ChartDefinition*, chart);
        QFETCH(QPageLayout::Orientation, orientation);
        ChartWindow window(*chart);
        window.show();
        window.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&window));
        window.list()->setCurrentIndex(window.list()->model()->index(10, 0));

        int pages = -1;
        std::size_t laidOut = 0;
        QPageLayout::Orientation shown = QPageLayout::Portrait;
        QTimer::singleShot(0, &window, [&] {
            auto* preview = qobject_cast<QPrintPreviewDialog*>(QApplication::activeModalWidget());
            if (!preview)
                return;
            shown = preview->printer()->pageLayout().orientation();
            laidOut = layOutForPrint(*chart, *preview->printer()).pages.size();
            if (const auto* widget = preview->findChild<QPrintPreviewWidget*>())
                pages = widget->pageCount();
            preview->reject();
        });
        QTest::keySequence(window.list(), QKeySequence(QKeySequence::Print));

        QCOMPARE(shown, orientation);
        QCOMPARE(pages, int(laidOut));
        QVERIFY(!QApplication::activeModalWidget());
        QVERIFY(window.isVisible());
        QCOMPARE(window.selectedRow(), 10);
    }

    // A file that cannot be written, or a disk full while it is written: a
    // message that names it, the file as it was and nothing left beside it.
    // A file written through a temporary one fails where that one cannot
    // grow past a size limit (the signal for it ignored, as a write then
    // fails as on a full disk).
    void unwritableFileIsExplained_data() {
        QTest::addColumn<QString>("file");
        QTest::addColumn<int>("sizeLimit"); // in bytes; 0: none
        QTest::newRow("missing folder") << u"missing/chart.pdf"_s << 0;
        QTest::newRow("full disk") << u"/dev/full"_s << 0;
        QTest::newRow("file size limit") << u"chart.pdf"_s << 4096;
    }
    void unwritableFileIsExplained() {
        QFETCH(QString, file);
        QFETCH(int, sizeLimit);
        QTemporaryDir dir;
        file = QDir(dir.path()).absoluteFilePath(file);
        if (file.startsWith(u"/dev/"_s) && !QFile::exists(file))
            QSKIP("no such device here");
        const bool existed = QFile::exists(file);
        QPrinter printer(QPrinter::HighResolution);
        pdfPrinter(printer, file, QPageSize::A4);
        QString message;
        QTimer::singleShot(0, [&] {
            if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
                message = box->text();
                box->accept();
            }
        });
        {
            const FileSizeLimit limit(sizeLimit);
            QVERIFY(!printChartOrExplain(charts::kMetricChart, printer, nullptr));
        }
        QVERIFY2(message.contains(file), qPrintable(message));
        QCOMPARE(QFile::exists(file), existed);
        QCOMPARE(QDir(dir.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot),
                 QStringList());
    }
};

QTEST_MAIN(TestChartPrinter)
#include "test_chart_printer.moc"
