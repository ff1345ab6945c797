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
#include <QPrintPreviewDialog>
#include <QPrintPreviewWidget>
#include <QPrinter>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTimer>

using namespace vornel;
using namespace vornel::test;
using namespace Qt::StringLiterals;

namespace {

// What pdftotext prints for a PDF file, with `options`.
QString pdftotext(const QString& pdf, const QStringList& options) {
    if (QStandardPaths::findExecutable(u"pdftotext"_s).isEmpty())
        qFatal("pdftotext is missing: install poppler-utils");
    QProcess process;
    process.start(u"pdftotext"_s, options + QStringList{pdf, u"-"_s});
    if (!process.waitForFinished(30000) || process.exitCode() != 0)
        return {};
    return QString::fromUtf8(process.readAllStandardOutput());
}

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
    // On every page: the title and "n / N", then every heading line; below
    // them the chart's other lines and the footnote, each line's texts in
    // order, every line once; every word inside the printable area.
    void printsEveryLineInsideThePage_data() {
        QTest::addColumn<const ChartDefinition*>("chart");
        QTest::addColumn<QPageSize::PageSizeId>("paper");
        for (const ChartDefinition* chart : charts::allCharts()) {
            QTest::addRow("%s A4", chart->identifier.data()) << chart << QPageSize::A4;
            QTest::addRow("%s Letter", chart->identifier.data()) << chart << QPageSize::Letter;
            QTest::addRow("%s A6", chart->identifier.data()) << chart << QPageSize::A6;
        }
    }
    void printsEveryLineInsideThePage() {
        QFETCH(const ChartDefinition*, chart);
        QFETCH(QPageSize::PageSizeId, paper);
        QTemporaryDir dir;
        const QString file = dir.filePath(u"chart.pdf"_s);
        QPrinter printer(QPrinter::HighResolution);
        pdfPrinter(printer, file, paper);
        const QPageLayout::Orientation orientation = printOrientation(*chart, printer);
        printer.setPageOrientation(orientation);
        const ChartPrintLayout layout = layOutForPrint(*chart, printer);
        // The list font's size wherever the chart fits the paper turned.
        if (paper != QPageSize::A6)
            QCOMPARE(layout.font.pointSizeF(), 12.0);
        if (layout.font.pointSizeF() < 12)
            QCOMPARE(orientation, QPageLayout::Landscape);
        QVERIFY(printChart(*chart, printer));

        const QStringList pages = pdftotext(file, {u"-layout"_s}).split(u'\f', Qt::SkipEmptyParts);
        QVERIFY(!pages.isEmpty());
        QCOMPARE(pages.size(), qsizetype(layout.pages.size()));
        QString body;
        for (qsizetype page = 0; page < pages.size(); ++page) {
            const QString text = squeezed(pages[page]);
            qsizetype at = 0;
            QVERIFY2(text.startsWith(squeezed(qs(chart->title))), qPrintable(pages[page]));
            QVERIFY(findFrom(text, u"%1/%2"_s.arg(page + 1).arg(pages.size()), &at));
            for (int row = 0; row < chart->headingLines; ++row)
                QVERIFY2(findFrom(text, squeezed(qs(chart->lines[std::size_t(row)])), &at),
                         qPrintable(u"page %1, heading %2"_s.arg(page + 1).arg(row)));
            body += text.mid(at);
        }
        QStringList lines;
        for (std::size_t row = std::size_t(chart->headingLines); row < chart->lines.size(); ++row)
            lines.append(squeezed(qs(chart->lines[row])));
        if (chart->footnote)
            lines.append(squeezed(qs(chart->footnote->text)));
        qsizetype at = 0;
        for (const QString& line : lines)
            QVERIFY2(findFrom(body, line, &at), qPrintable(line));
        QVERIFY2(body.mid(at).isEmpty(), qPrintable(body.mid(at)));

        // Every word inside the printable area, in points.
        const QRectF area =
            printer.pageLayout().paintRect(QPageLayout::Point).adjusted(-1, -1, 1, 1);
        const QString boxes = pdftotext(file, {u"-bbox"_s});
        static const QRegularExpression word(
            uR"re(<word xMin="([\d.]+)" yMin="([\d.]+)" xMax="([\d.]+)" yMax="([\d.]+)">([^<]*)<)re"_s);
        int words = 0;
        for (const auto& m : word.globalMatch(boxes)) {
            const QRectF box(QPointF(m.captured(1).toDouble(), m.captured(2).toDouble()),
                             QPointF(m.captured(3).toDouble(), m.captured(4).toDouble()));
            QVERIFY2(area.contains(box), qPrintable(u"%1 at %2,%3 - %4,%5"_s.arg(m.captured(5))
                                                        .arg(box.left())
                                                        .arg(box.top())
                                                        .arg(box.right())
                                                        .arg(box.bottom())));
            ++words;
        }
        QVERIFY(words > 0);
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

    // A file that cannot be written: a message that names it, and no file.
    void unwritableFileIsExplained() {
        QTemporaryDir dir;
        const QString file = dir.filePath(u"missing/chart.pdf"_s);
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
        QVERIFY(!QFile::exists(file));
    }
};

QTEST_MAIN(TestChartPrinter)
#include "test_chart_printer.moc"
