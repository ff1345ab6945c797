// Printing a chart: every chart printed to a PDF file on a few papers and
// read back with poppler's pdftotext, as a user reads the pages.
#include "charts/charts.h"
#include "test_support.h"
#include "windows/chart_printer.h"
#include "windows/chart_window.h"

#include <QApplication>
#include <QListView>
#include <QMessageBox>
#include <QPageSize>
#include <QPdfWriter>
#include <QPrintPreviewDialog>
#include <QPrintPreviewWidget>
#include <QPrinter>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTimer>
#include <algorithm>
#include <ranges>

using namespace vornel;
using namespace vornel::test;
using namespace Qt::StringLiterals;

namespace {

// What one of poppler's tools prints.
QString run(const QString& tool, const QStringList& arguments) {
    if (QStandardPaths::findExecutable(tool).isEmpty())
        qFatal("%s is missing: install poppler-utils", qPrintable(tool));
    QProcess process;
    process.start(tool, arguments);
    if (!process.waitForFinished(30000) || process.exitCode() != 0)
        return {};
    return QString::fromUtf8(process.readAllStandardOutput());
}

// What pdftotext prints for a PDF file, with `options`.
QString pdftotext(const QString& pdf, const QStringList& options) {
    return run(u"pdftotext"_s, options + QStringList{pdf, u"-"_s});
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
    // On every page: the title and "n / N" (the title once: where the
    // chart's first heading line is the title, that line), then every heading
    // line; below them at least one data row, and in all the chart's lines
    // and the footnote, each line's texts in order, every line once; every
    // word inside the printable area, the widest line across at least 80 %
    // of it. The font grows to at most 14 pt and is below the list's 12 pt
    // only on turned paper. All the charts: one document, the charts in the
    // menu's order. The document is named by what it holds, made by Vornel;
    // a device that fails after the first page is a failed print.
    void printsEveryLineInsideThePage_data() {
        QTest::addColumn<QList<const ChartDefinition*>>("charts");
        QTest::addColumn<QPageSize::PageSizeId>("paper");
        QTest::addColumn<int>("turned"); // -1: as the chart suits
        const int suits = -1;
        const int landscape = QPageLayout::Landscape;
        for (const ChartDefinition* chart : charts::allCharts()) {
            const QList<const ChartDefinition*> one{chart};
            const char* name = chart->identifier.data();
            QTest::addRow("%s A4", name) << one << QPageSize::A4 << suits;
            QTest::addRow("%s A4 landscape", name) << one << QPageSize::A4 << landscape;
            QTest::addRow("%s Letter", name) << one << QPageSize::Letter << suits;
            QTest::addRow("%s A3", name) << one << QPageSize::A3 << suits;
            QTest::addRow("%s A6", name) << one << QPageSize::A6 << suits;
            QTest::addRow("%s postcard", name) << one << QPageSize::Postcard << suits;
            QTest::addRow("%s postcard landscape", name) << one << QPageSize::Postcard << landscape;
            QTest::addRow("%s double postcard", name) << one << QPageSize::DoublePostcard << suits;
            // The unified chart's blank last line once started a page here.
            QTest::addRow("%s Executive landscape", name)
                << one << QPageSize::Executive << landscape;
        }
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
        // Each chart's layout, the paper its pages are on, and whether it is
        // turned on upright paper (in the document of all charts).
        const bool all = charts.size() > 1;
        const QPageLayout upright = printer.pageLayout();
        std::vector<ChartPrintLayout> layouts;
        std::vector<QPageLayout> papers;
        std::vector<bool> sideways;
        for (const ChartDefinition* chart : charts) {
            const auto orientation =
                turned < 0 ? printOrientation(*chart, printer) : QPageLayout::Orientation(turned);
            printer.setPageOrientation(orientation);
            layouts.push_back(layOutForPrint(*chart, printer));
            papers.push_back(all ? upright : printer.pageLayout());
            sideways.push_back(all && orientation == QPageLayout::Landscape);
            const qreal size = layouts.back().font.pointSizeF();
            QVERIFY2(size <= 14, qPrintable(QString::number(size)));
            if (size < 12)
                QCOMPARE(orientation, QPageLayout::Landscape);
        }
        if (all)
            printer.setPageLayout(upright);
        const QString title = all ? u"Vornel すべての表"_s : qs(charts.front()->title);
        QVERIFY(all ? printAllChartsOrExplain(charts, printer, nullptr)
                    : printChartOrExplain(*charts.front(), printer, nullptr));
        const QString info = run(u"pdfinfo"_s, {file});
        QVERIFY2(info.contains(QRegularExpression(u"^Title: +%1$"_s.arg(title),
                                                  QRegularExpression::MultilineOption)) &&
                     info.contains(QRegularExpression(u"^Creator: +Vornel$"_s,
                                                      QRegularExpression::MultilineOption)),
                 qPrintable(info));

        const QStringList pages = pdftotext(file, {u"-layout"_s}).split(u'\f', Qt::SkipEmptyParts);
        qsizetype page = 0;
        for (std::size_t c = 0; c < layouts.size(); ++c) {
            const ChartDefinition* chart = charts[qsizetype(c)];
            const qsizetype count = qsizetype(layouts[c].pages.size());
            QVERIFY(page + count <= pages.size());
            const bool titleFirst = qs(chart->lines.front()).startsWith(qs(chart->title));
            const QString top = squeezed(qs(titleFirst ? chart->lines.front() : chart->title));
            QStringList rows;
            for (int row = chart->headingLines; row < chart->headingLines + chart->dataRows; ++row)
                rows.append(squeezed(qs(chart->lines[std::size_t(row)])));
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
                        rows, [&](const QString& row) { return text.indexOf(row, at) >= 0; }),
                    qPrintable(u"no data row on page %1:\n%2"_s.arg(page + 1).arg(pages[page])));
                body += text.mid(at);
            }
            QStringList lines;
            for (std::size_t row = std::size_t(chart->headingLines); row < chart->lines.size();
                 ++row)
                lines.append(squeezed(qs(chart->lines[row])));
            if (chart->footnote)
                lines.append(squeezed(qs(chart->footnote->text)));
            qsizetype at = 0;
            for (const QString& line : lines)
                QVERIFY2(findFrom(body, line, &at), qPrintable(line));
            QVERIFY2(body.mid(at).isEmpty(), qPrintable(body.mid(at)));
        }
        QCOMPARE(page, pages.size());

        // Every word inside the printable area, in points; the widest line
        // below the page's top line across 80 % of it.
        static const QRegularExpression word(
            uR"re(<word xMin="([\d.]+)" yMin="([\d.]+)" xMax="([\d.]+)" yMax="([\d.]+)">([^<]*)<)re"_s);
        const QStringList boxes = run(u"pdftotext"_s, {u"-bbox"_s, file, u"-"_s})
                                      .split(u"<page "_s, Qt::SkipEmptyParts)
                                      .mid(1);
        QCOMPARE(boxes.size(), pages.size());
        for (std::size_t c = 0, p = 0; c < layouts.size(); ++c) {
            const QRectF area = papers[c].paintRect(QPageLayout::Point);
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
                // Across and down the chart, on the page turned or not.
                const auto across = [&](const QRectF& box) {
                    return sideways[c] ? area.bottom() - box.top() : box.right() - area.left();
                };
                const auto down = [&](const QRectF& box) {
                    return sideways[c] ? box.right() - area.left() : box.bottom() - area.top();
                };
                const qreal topLine = std::ranges::min(words | std::views::transform(down)) + 0.5;
                qreal widest = 0;
                for (const QRectF& box : words)
                    if (down(box) > topLine)
                        widest = std::max(widest, across(box));
                const qreal width = sideways[c] ? area.height() : area.width();
                QVERIFY2(widest >= 0.8 * width,
                         qPrintable(u"page %1: %2 of %3 pt"_s.arg(p + 1).arg(widest).arg(width)));
            }
        }

        // The same document on a device that cannot start a second page.
        FirstPageOnlyWriter failing(dir.filePath(u"failing.pdf"_s));
        failing.setResolution(printer.resolution());
        failing.setPageLayout(papers.front());
        QCOMPARE(all ? printAllCharts(charts, failing) : printChart(*charts.front(), failing),
                 pages.size() == 1);
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
    // message that names it, and the file as it was.
    void unwritableFileIsExplained_data() {
        QTest::addColumn<QString>("file");
        QTest::newRow("missing folder") << u"missing/chart.pdf"_s;
        QTest::newRow("full disk") << u"/dev/full"_s;
    }
    void unwritableFileIsExplained() {
        QFETCH(QString, file);
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
        QVERIFY(!printChartOrExplain(charts::kMetricChart, printer, nullptr));
        QVERIFY2(message.contains(file), qPrintable(message));
        QCOMPARE(QFile::exists(file), existed);
    }
};

QTEST_MAIN(TestChartPrinter)
#include "test_chart_printer.moc"
