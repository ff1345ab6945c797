#include "windows/chart_printer.h"

#include "chart_model/chart_text.h"
#include "windows/chart_window.h"
#include "windows/column_layout.h"
#include "windows/qt_texts.h"

#include <QFontMetrics>
#include <QMessageBox>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <algorithm>
#include <cmath>

namespace vornel {
namespace {

// Below this size a smaller font no longer helps anyone read the chart.
constexpr qreal kSmallestPointSize = 4;

QRect printableArea(const QPagedPaintDevice& device) {
    return device.pageLayout().paintRectPixels(device.logicalDpiX());
}

// The page number as each page's top line shows it.
QString pageNumber(std::size_t page, std::size_t pages) {
    return QStringLiteral("%1 / %2").arg(page).arg(pages);
}

// The chart's lines placed by the column rules in a font, and how wide the
// widest thing printed is: a line, the footnote, or the title beside the
// page number.
struct Placed {
    explicit Placed(const ChartDefinition& chart, const QFont& font,
                    const QPagedPaintDevice& device)
        : metrics(font, &device)
        , columns(chart, metrics) {
        const int gap = metrics.horizontalAdvance(u'\u3000');
        width = metrics.horizontalAdvance(toQString(chart.title)) + gap +
                metrics.horizontalAdvance(pageNumber(999, 999));
        for (int row = 0; row < columns.lineCount(); ++row)
            width = std::max(width, columns.lineWidth(row));
        if (chart.footnote)
            width = std::max(width, metrics.horizontalAdvance(toQString(chart.footnote->text)));
    }

    QFontMetrics metrics;
    ColumnLayout columns;
    int width;
};

// The texts of one printed line, at their distances from the left edge.
using PrintedLine = std::vector<std::pair<int, QString>>;

PrintedLine printedLine(const ColumnLayout& columns, int row) {
    PrintedLine line;
    for (const PlacedText& placed : columns.line(row))
        line.emplace_back(placed.x, placed.text.toString());
    return line;
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

ChartPrintLayout layOutForPrint(const ChartDefinition& chart, const QPagedPaintDevice& device) {
    const QRect area = printableArea(device);
    QFont font = listFont(chart.listFont);
    auto placed = std::make_unique<Placed>(chart, font, device);
    // Too wide: a font as much smaller as the line is too wide, then a step
    // smaller at a time while rounding still leaves it too wide.
    qreal scale = qreal(area.width()) / placed->width;
    while (placed->width > area.width() && font.pointSizeF() > kSmallestPointSize) {
        const qreal size = std::floor(font.pointSizeF() * scale * 10) / 10;
        font.setPointSizeF(std::max(kSmallestPointSize, std::min(size, font.pointSizeF() - 0.1)));
        placed = std::make_unique<Placed>(chart, font, device);
        scale = 0.98;
    }
    const QFontMetrics& metrics = placed->metrics;
    const ColumnLayout& columns = placed->columns;

    // The lines below the headings, then the footnote after a blank line.
    std::vector<PrintedLine> body;
    for (int row = chart.headingLines; row < columns.lineCount(); ++row)
        body.push_back(printedLine(columns, row));
    if (chart.footnote) {
        body.emplace_back();
        body.push_back({{0, toQString(chart.footnote->text)}});
    }

    // Each page: the title line, a blank line, the headings, then the body.
    const int lineHeight = metrics.lineSpacing();
    const int headingLines = std::min(chart.headingLines, columns.lineCount());
    const int top = 2 + headingLines;
    const int perPage = std::max(1, area.height() / lineHeight - top);
    const auto baseline = [&](int line) { return line * lineHeight + metrics.ascent(); };

    ChartPrintLayout layout{font, {}};
    std::size_t next = 0;
    do {
        // A page starts with a line that shows something.
        while (next < body.size() && body[next].empty() && !layout.pages.empty())
            ++next;
        auto& page = layout.pages.emplace_back();
        for (int row = 0; row < headingLines; ++row)
            for (const auto& [x, string] : printedLine(columns, row))
                page.push_back({{x, baseline(2 + row)}, string});
        for (int line = top; line < top + perPage && next < body.size(); ++line, ++next)
            for (const auto& [x, string] : body[next])
                page.push_back({{x, baseline(line)}, string});
    } while (next < body.size());

    const std::size_t pages = layout.pages.size();
    for (std::size_t i = 0; i < pages; ++i) {
        const QString number = pageNumber(i + 1, pages);
        auto& page = layout.pages[i];
        page.insert(page.begin(),
                    {{{0, baseline(0)}, toQString(chart.title)},
                     {{area.width() - metrics.horizontalAdvance(number), baseline(0)}, number}});
    }
    return layout;
}

bool printPages(const ChartPrintLayout& layout, QPagedPaintDevice& device) {
    QPainter painter;
    if (!painter.begin(&device))
        return false;
    painter.setFont(layout.font);
    painter.setPen(Qt::black);
    bool first = true;
    for (const auto& page : layout.pages) {
        if (!first)
            device.newPage();
        first = false;
        for (const PrintedText& printed : page)
            painter.drawText(printed.position, printed.text);
    }
    return painter.end();
}

bool printChart(const ChartDefinition& chart, QPagedPaintDevice& device) {
    return printPages(layOutForPrint(chart, device), device);
}

bool printChartOrExplain(const ChartDefinition& chart, QPrinter& printer, QWidget* parent) {
    if (printChart(chart, printer))
        return true;
    const QString where =
        printer.outputFileName().isEmpty()
            ? QStringLiteral("プリンター「%1」に印刷できませんでした。").arg(printer.printerName())
            : QStringLiteral("ファイル「%1」に書き込めませんでした。")
                  .arg(printer.outputFileName());
    QMessageBox::warning(parent, toQString(chart.title),
                         where + QStringLiteral("\n表は印刷されていません。"));
    return false;
}

void showPrintPreview(const ChartDefinition& chart, QWidget* parent) {
    useJapaneseQtTexts();
    QPrinter printer(QPrinter::HighResolution);
    printer.setDocName(toQString(chart.title));
    printer.setPageOrientation(printOrientation(chart, printer));
    QPrintPreviewDialog preview(&printer, parent);
    preview.setWindowTitle(QStringLiteral("印刷プレビュー - %1").arg(toQString(chart.title)));
    QObject::connect(
        &preview, &QPrintPreviewDialog::paintRequested, &preview,
        [&chart, &preview](QPrinter* target) { printChartOrExplain(chart, *target, &preview); });
    preview.exec();
}

} // namespace vornel
