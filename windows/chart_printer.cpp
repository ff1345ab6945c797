#include "windows/chart_printer.h"

#include "chart_model/chart_text.h"
#include "windows/chart_window.h"
#include "windows/column_layout.h"
#include "windows/qt_texts.h"

#include <QFileInfo>
#include <QFontMetrics>
#include <QMessageBox>
#include <QPageRanges>
#include <QPagedPaintDevice>
#include <QPaintEngine>
#include <QPainter>
#include <QPdfWriter>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QSaveFile>
#include <QTransform>
#include <algorithm>
#include <climits>
#include <cmath>
#include <functional>
#include <memory>
#include <utility>

namespace vornel {
namespace {

// Below this size a smaller font no longer helps anyone read the chart.
constexpr qreal kSmallestPointSize = 4;
// Print for the shop wall: the font grows to fill the paper's width, but
// never past this size, however large the paper.
constexpr qreal kLargestPointSize = 14;
// The band behind every other data row: a grey that any printer's screen
// still prints, under black text at a contrast of 15 : 1.
constexpr QRgb kShading = qRgb(0xdc, 0xdc, 0xdc);
// The width of the rules under the headings and above the notes, in points.
constexpr qreal kRuleWidth = 0.5;

QRect printableArea(const QPagedPaintDevice& device) {
    return device.pageLayout().paintRectPixels(device.logicalDpiX());
}

// The page number as each page's top line shows it.
QString pageNumber(std::size_t page, std::size_t pages) {
    return QStringLiteral("%1 / %2").arg(page).arg(pages);
}

// Whether the chart's first heading line is its title (with a note mark at
// most after it): the pages then show that line as their title.
bool titleIsFirstHeading(const ChartDefinition& chart) {
    return chart.headingLines > 0 && !chart.lines.empty() &&
           chart.lines.front().starts_with(chart.title);
}

// The chart's lines placed by the column rules in a font, and how wide the
// widest thing printed is: a line, the footnote, or the title beside the
// page number.
struct Placed {
    explicit Placed(const ChartDefinition& chart, const QFont& font,
                    const QPagedPaintDevice& device)
        : metrics(font, &device)
        , columns(chart, metrics)
        , gap(metrics.horizontalAdvance(u'\u3000'))
        , numberWidth(metrics.horizontalAdvance(pageNumber(999, 999))) {
        const int title = titleIsFirstHeading(chart)
                              ? columns.lineWidth(0)
                              : metrics.horizontalAdvance(toQString(chart.title));
        width = title + gap + numberWidth;
        for (int row = 0; row < columns.lineCount(); ++row)
            width = std::max(width, columns.lineWidth(row));
        if (chart.footnote)
            width = std::max(width, metrics.horizontalAdvance(toQString(chart.footnote->text)));
    }

    QFontMetrics metrics;
    ColumnLayout columns;
    int gap;
    int numberWidth;
    int width;
};

// How much wider every gap between columns is made for the widest line to
// fill `width`: each text moves right by that much for each column before
// its own. The first line leaves room for the page number where it is the
// title.
int columnSpread(const Placed& placed, int width, bool titleInFirstLine) {
    const int last = static_cast<int>(placed.columns.columns().size()) - 1;
    int spread = INT_MAX;
    for (int row = 0; row < placed.columns.lineCount(); ++row) {
        const int room =
            row == 0 && titleInFirstLine ? width - placed.gap - placed.numberWidth : width;
        for (const PlacedText& text : placed.columns.line(row)) {
            const int column = text.column < 0 ? last : text.column;
            if (column > 0)
                spread = std::min(spread, (room - text.x - text.width) / column);
        }
    }
    return spread == INT_MAX ? 0 : std::max(0, spread);
}

// The texts of one printed line, at their distances from the left edge.
using PrintedLine = std::vector<std::pair<int, QString>>;

PrintedLine printedLine(const ColumnLayout& columns, int row, int spread) {
    const int last = static_cast<int>(columns.columns().size()) - 1;
    PrintedLine line;
    for (const PlacedText& placed : columns.line(row))
        line.emplace_back(placed.x + spread * (placed.column < 0 ? last : placed.column),
                          placed.text.toString());
    return line;
}

// A line below the headings.
struct BodyLine {
    PrintedLine texts;
    bool shaded = false;
    bool ruleAbove = false;
};

// A chart laid out as a part of a document, and how its pages are turned on
// the paper.
struct DocumentChart {
    QTransform transform;
    ChartPrintLayout layout;
};
using Document = std::vector<DocumentChart>;

// What came of printing a document.
enum class Printed {
    Done,
    Failed,
    NoPageChosen, // the device's page ranges hold none of the document's pages
};

// Whether the page numbered `number` in the document (from 1) is to be
// printed: every page where no range is chosen.
bool chosen(const QPageRanges& ranges, int number) {
    return ranges.isEmpty() || ranges.contains(number);
}

int pageCount(const Document& document) {
    int pages = 0;
    for (const DocumentChart& part : document)
        pages += static_cast<int>(part.layout.pages.size());
    return pages;
}

// Draws the document's pages that the device's page ranges choose, the
// first on the page the device is at. The pages keep their "n / N".
bool drawPages(QPainter& painter, QPagedPaintDevice& device, const Document& document) {
    const QPageRanges ranges = device.pageRanges();
    const QPen pen(Qt::black, kRuleWidth * device.logicalDpiY() / 72);
    int number = 0;
    bool first = true;
    for (const auto& [transform, layout] : document) {
        for (const PrintedPage& page : layout.pages) {
            if (!chosen(ranges, ++number))
                continue;
            if (!std::exchange(first, false) && !device.newPage())
                return false;
            if (!painter.isActive())
                return false;
            painter.setFont(layout.font);
            painter.setPen(pen);
            painter.setWorldTransform(transform);
            for (const QRect& band : page.shading)
                painter.fillRect(band, QColor(kShading));
            for (const QLine& rule : page.rules)
                painter.drawLine(rule);
            for (const PrintedText& printed : page.texts)
                painter.drawText(printed.position, printed.text);
        }
    }
    return true;
}

// Ends the painter: false where it was no longer painting or its device
// could not finish the document.
bool endPainting(QPainter& painter) {
    return painter.isActive() && painter.end();
}

// Prints the document's pages that the device's page ranges choose. Where
// they choose none of them, the device is not painted on.
Printed printDocument(const Document& document, QPagedPaintDevice& device) {
    const QPageRanges ranges = device.pageRanges();
    const int pages = pageCount(document);
    if (pages == 0)
        return Printed::Failed;
    bool any = false;
    for (int number = 1; number <= pages && !any; ++number)
        any = chosen(ranges, number);
    if (!any)
        return Printed::NoPageChosen;
    QPainter painter;
    if (!painter.begin(&device))
        return Printed::Failed;
    const bool drawn = drawPages(painter, device, document);
    return endPainting(painter) && drawn ? Printed::Done : Printed::Failed;
}

// Prints on the printer by `print`. A PDF file is written by a QPdfWriter
// through a QSaveFile, which replaces the file only once all of it is
// written: Qt's own PDF output does not see a full disk. A device or a pipe
// named as the file is written in place, its errors checked the same way.
// The print preview draws on the printer itself, whatever its output.
Printed printOn(QPrinter& printer, const std::function<Printed(QPagedPaintDevice&)>& print) {
    const QString name = printer.outputFileName();
    const QPaintEngine* engine = printer.paintEngine();
    if (printer.outputFormat() != QPrinter::PdfFormat || name.isEmpty() || !engine ||
        engine->type() != QPaintEngine::Pdf) {
        const Printed printed = print(printer);
        return printed == Printed::Done && (printer.printerState() == QPrinter::Error ||
                                            printer.printerState() == QPrinter::Aborted)
                   ? Printed::Failed
                   : printed;
    }

    const QFileInfo info(name);
    std::unique_ptr<QFileDevice> file;
    if (info.exists() && !info.isFile())
        file = std::make_unique<QFile>(name);
    else
        file = std::make_unique<QSaveFile>(name);
    if (!file->open(QIODevice::WriteOnly))
        return Printed::Failed;
    Printed printed = Printed::Failed;
    {
        QPdfWriter writer(file.get());
        writer.setPdfVersion(printer.pdfVersion());
        writer.setResolution(printer.resolution());
        writer.setPageLayout(printer.pageLayout());
        writer.setPageRanges(printer.pageRanges());
        writer.setTitle(printer.docName());
        writer.setCreator(printer.creator());
        printed = print(writer);
    }
    if (auto* save = qobject_cast<QSaveFile*>(file.get())) {
        if (printed != Printed::Done)
            save->cancelWriting();
        const bool committed = save->commit();
        return printed != Printed::Done ? printed : committed ? Printed::Done : Printed::Failed;
    }
    const bool flushed = file->flush() && file->error() == QFileDevice::NoError;
    file->close();
    return printed != Printed::Done                           ? printed
           : flushed && file->error() == QFileDevice::NoError ? Printed::Done
                                                              : Printed::Failed;
}

// Prints a document named `title`, laid out for the device by `layOut`, on
// the printer; where that fails, or the chosen pages are not in it, says so
// in a message box over `parent`.
bool printOrExplain(QPrinter& printer, const QString& title, QWidget* parent,
                    const std::function<Document(const QPagedPaintDevice&)>& layOut) {
    printer.setDocName(title);
    printer.setCreator(QStringLiteral("Vornel"));
    int pages = 0;
    const Printed printed = printOn(printer, [&layOut, &pages](QPagedPaintDevice& device) {
        const Document document = layOut(device);
        pages = pageCount(document);
        return printDocument(document, device);
    });
    if (printed == Printed::Done)
        return true;
    QString why;
    if (printed == Printed::NoPageChosen)
        why = QStringLiteral("選んだページ %1 はありません（全 %2 ページ）。")
                  .arg(printer.pageRanges().toString())
                  .arg(pages);
    else if (printer.outputFileName().isEmpty())
        why = QStringLiteral("プリンター「%1」に印刷できませんでした。").arg(printer.printerName());
    else
        why =
            QStringLiteral("ファイル「%1」に書き込めませんでした。").arg(printer.outputFileName());
    QMessageBox::warning(parent, title, why + QStringLiteral("\n表は印刷されていません。"));
    return false;
}

// Opens the print preview of a document named `title` on the printer, which
// `paint` draws.
void showPreview(QPrinter& printer, const QString& title, QWidget* parent,
                 const std::function<void(QPrinter&, QWidget*)>& paint) {
    QPrintPreviewDialog preview(&printer, parent);
    preview.setWindowTitle(QStringLiteral("印刷プレビュー - %1").arg(title));
    QObject::connect(&preview, &QPrintPreviewDialog::paintRequested, &preview,
                     [&paint, &preview](QPrinter* target) { paint(*target, &preview); });
    preview.exec();
}

QString allChartsTitle() {
    return QStringLiteral("Vornel すべての表");
}

} // namespace

QPageLayout::Orientation printOrientation(const ChartDefinition& chart,
                                          const QPagedPaintDevice& device) {
    QPageLayout portrait = device.pageLayout();
    portrait.setOrientation(QPageLayout::Portrait);
    const Placed placed(chart, listFont(chart.listFont), device);
    return placed.width <= portrait.paintRectPixels(device.logicalDpiX()).width()
               ? QPageLayout::Portrait
               : QPageLayout::Landscape;
}

namespace {

// Lays out a chart for a printable area of the device's pages.
ChartPrintLayout layOutIn(const QRect& area, const ChartDefinition& chart,
                          const QPagedPaintDevice& device) {
    const bool titleInFirstLine = titleIsFirstHeading(chart);
    QFont font = listFont(chart.listFont);
    auto placed = std::make_unique<Placed>(chart, font, device);
    // A font as much larger or smaller as the widest line is narrower or
    // wider than the paper, up to the largest print; then a step smaller at
    // a time while rounding still leaves it too wide.
    const qreal fitting = std::floor(font.pointSizeF() * area.width() / placed->width * 10) / 10;
    if (const qreal size = std::clamp(fitting, kSmallestPointSize, kLargestPointSize);
        size != font.pointSizeF()) {
        font.setPointSizeF(size);
        placed = std::make_unique<Placed>(chart, font, device);
    }
    while (placed->width > area.width() && font.pointSizeF() > kSmallestPointSize) {
        const qreal size = std::floor(font.pointSizeF() * 0.98 * 10) / 10;
        font.setPointSizeF(std::max(kSmallestPointSize, std::min(size, font.pointSizeF() - 0.1)));
        placed = std::make_unique<Placed>(chart, font, device);
    }
    const QFontMetrics& metrics = placed->metrics;
    const ColumnLayout& columns = placed->columns;
    const int spread = columnSpread(*placed, area.width(), titleInFirstLine);

    // The data rows, every other one shaded; the lines after them; the
    // footnote after a blank line. A rule above the first of these notes.
    const int headingLines = std::min(chart.headingLines, columns.lineCount());
    const int dataEnd = std::min(columns.lineCount(), headingLines + chart.dataRows);
    const auto rows = static_cast<std::size_t>(dataEnd - headingLines);
    std::vector<BodyLine> body;
    for (int row = headingLines; row < columns.lineCount(); ++row)
        body.push_back(
            {printedLine(columns, row, spread), row < dataEnd && (row - headingLines) % 2 == 1});
    if (chart.footnote) {
        body.emplace_back();
        body.push_back({{{0, toQString(chart.footnote->text)}}});
    }
    const auto shown = [&body](std::size_t line) {
        while (line < body.size() && body[line].texts.empty())
            ++line;
        return line;
    };
    if (const std::size_t notes = shown(rows); notes < body.size())
        body[notes].ruleAbove = true;

    std::vector<PrintedLine> headings;
    for (int row = 0; row < headingLines; ++row)
        headings.push_back(printedLine(columns, row, spread));

    // Each page: the title line and a blank line, unless the first heading
    // is the title; the headings and a rule; then the body.
    const int lineHeight = metrics.lineSpacing();
    const int firstHeading = titleInFirstLine ? 0 : 2;
    const int top = firstHeading + headingLines;
    const auto perPage = static_cast<std::size_t>(std::max(1, area.height() / lineHeight - top));
    const auto baseline = [&](int line) { return line * lineHeight + metrics.ascent(); };
    const auto rule = [&](int line) {
        return QLine(0, line * lineHeight, area.width(), line * lineHeight);
    };

    ChartPrintLayout layout{font, {}};
    std::size_t next = 0;
    do {
        std::size_t end = std::min(body.size(), next + perPage);
        // What the page leaves is blank, or holds a row: the notes after the
        // rows take the last row with them to their page.
        if (const std::size_t rest = shown(end);
            rest < body.size() && rest >= rows && rows > next + 1)
            end = std::min(end, rows - 1);
        PrintedPage& page = layout.pages.emplace_back();
        for (int row = 0; row < headingLines; ++row)
            for (const auto& [x, string] : headings[std::size_t(row)])
                page.texts.push_back({{x, baseline(firstHeading + row)}, string});
        page.rules.push_back(rule(top));
        for (int line = top; next < end; ++line, ++next) {
            const BodyLine& printed = body[next];
            if (printed.shaded)
                page.shading.emplace_back(0, line * lineHeight, area.width(), lineHeight);
            if (printed.ruleAbove)
                page.rules.push_back(rule(line));
            for (const auto& [x, string] : printed.texts)
                page.texts.push_back({{x, baseline(line)}, string});
        }
        next = shown(next);
    } while (next < body.size());

    const std::size_t pages = layout.pages.size();
    for (std::size_t i = 0; i < pages; ++i) {
        const QString number = pageNumber(i + 1, pages);
        auto& texts = layout.pages[i].texts;
        texts.insert(texts.begin(),
                     {{area.width() - metrics.horizontalAdvance(number), baseline(0)}, number});
        if (!titleInFirstLine)
            texts.insert(texts.begin(), {{0, baseline(0)}, toQString(chart.title)});
    }
    return layout;
}

} // namespace

ChartPrintLayout layOutForPrint(const ChartDefinition& chart, const QPagedPaintDevice& device) {
    return layOutIn(printableArea(device), chart, device);
}

namespace {

Document chartDocument(const ChartDefinition& chart, const QPagedPaintDevice& device) {
    Document document;
    document.push_back({QTransform(), layOutForPrint(chart, device)});
    return document;
}

// Every chart on the paper as it is: a chart that needs landscape paper is
// turned on upright paper with its top to the left, as a landscape page
// bound with the others is. (Qt's preview shows every page in the printer's
// orientation: a page turned by the device would not show.)
Document allChartsDocument(std::span<const ChartDefinition* const> charts,
                           const QPagedPaintDevice& device) {
    const QRect area = printableArea(device);
    const bool upright = device.pageLayout().orientation() == QPageLayout::Portrait;
    QTransform turn;
    turn.translate(0, area.height());
    turn.rotate(-90);
    Document document;
    for (const ChartDefinition* chart : charts) {
        const bool turned = upright && printOrientation(*chart, device) == QPageLayout::Landscape;
        document.push_back({turned ? turn : QTransform(),
                            layOutIn(turned ? area.transposed() : area, *chart, device)});
    }
    return document;
}

} // namespace

bool printPages(const ChartPrintLayout& layout, QPagedPaintDevice& device) {
    return printDocument({{QTransform(), layout}}, device) == Printed::Done;
}

bool printChart(const ChartDefinition& chart, QPagedPaintDevice& device) {
    return printDocument(chartDocument(chart, device), device) == Printed::Done;
}

bool printAllCharts(std::span<const ChartDefinition* const> charts, QPagedPaintDevice& device) {
    return printDocument(allChartsDocument(charts, device), device) == Printed::Done;
}

bool printChartOrExplain(const ChartDefinition& chart, QPrinter& printer, QWidget* parent) {
    return printOrExplain(
        printer, toQString(chart.title), parent,
        [&chart](const QPagedPaintDevice& device) { return chartDocument(chart, device); });
}

bool printAllChartsOrExplain(std::span<const ChartDefinition* const> charts, QPrinter& printer,
                             QWidget* parent) {
    return printOrExplain(
        printer, allChartsTitle(), parent,
        [charts](const QPagedPaintDevice& device) { return allChartsDocument(charts, device); });
}

void showPrintPreview(const ChartDefinition& chart, QWidget* parent) {
    useJapaneseQtTexts();
    QPrinter printer(QPrinter::HighResolution);
    printer.setDocName(toQString(chart.title));
    printer.setPageOrientation(printOrientation(chart, printer));
    showPreview(printer, toQString(chart.title), parent, [&chart](QPrinter& target, QWidget* over) {
        printChartOrExplain(chart, target, over);
    });
}

void showAllChartsPrintPreview(std::span<const ChartDefinition* const> charts, QWidget* parent) {
    useJapaneseQtTexts();
    QPrinter printer(QPrinter::HighResolution);
    printer.setDocName(allChartsTitle());
    showPreview(printer, allChartsTitle(), parent, [charts](QPrinter& target, QWidget* over) {
        printAllChartsOrExplain(charts, target, over);
    });
}

} // namespace vornel
