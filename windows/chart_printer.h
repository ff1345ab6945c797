#pragma once

#include "chart_model/chart_definition.h"

#include <QFont>
#include <QLine>
#include <QPageLayout>
#include <QPoint>
#include <QRect>
#include <QString>
#include <span>
#include <vector>

class QPagedPaintDevice;
class QPrinter;
class QWidget;

namespace vornel {

// One text of a printed page: where its baseline starts, in device pixels
// from the top left corner of the page's printable area.
struct PrintedText {
    QPoint position;
    QString text;
};

// One printed page: the grey bands behind every other data row, the thin
// rules under the headings and above the notes, and the texts, in the
// order they are drawn.
struct PrintedPage {
    std::vector<QRect> shading;
    std::vector<QLine> rules;
    std::vector<PrintedText> texts;
};

// A chart laid out for the pages of a printer or a PDF file: the font it is
// printed in and its pages.
struct ChartPrintLayout {
    QFont font;
    std::vector<PrintedPage> pages;
};

// The orientation that a chart is best printed in on the device's paper:
// portrait where its widest line fits the printable width at the list
// font's size, landscape where it does not.
QPageLayout::Orientation printOrientation(const ChartDefinition& chart,
                                          const QPagedPaintDevice& device);

// Lays out a chart for the device's paper, orientation and resolution, by the
// column rules of the chart's window, in print large enough for the wall: the
// font grows until the widest line fills the printable width, up to 14 pt,
// and shrinks below the list's size only where that line does not fit; the
// columns then spread out to fill what is left of the width. On every page
// the chart's title with "n / N" (the title is the first heading line's own
// where the chart's first heading line is it), then the heading lines and a
// rule, then the data rows, every other one shaded; the notes after them and
// the footnote below a rule. Every page holds at least one data row: blank
// lines never start a page and the notes never go to a page of their own.
ChartPrintLayout layOutForPrint(const ChartDefinition& chart, const QPagedPaintDevice& device);

// Draws laid-out pages on the device: those of its page ranges
// (QPagedPaintDevice::pageRanges(), as QPrinter::setFromTo() and the print
// dialog set them), or all where it has none; a page keeps its "n / N". False
// where the ranges hold none of the pages (nothing is drawn then), where the
// device cannot be painted on (a file that cannot be written) or fails while
// the pages are drawn (a new page it cannot start).
bool printPages(const ChartPrintLayout& layout, QPagedPaintDevice& device);

// Lays out a chart for the device and prints it, as printPages() does.
bool printChart(const ChartDefinition& chart, QPagedPaintDevice& device);

// Prints the charts one after the other in one document on the device's
// paper, each from a new page with its own title, headings and "n / N". A
// chart that needs landscape paper is turned on upright paper, as a
// landscape page bound with the others is. The device's page ranges count
// the pages of the whole document. False where the ranges hold none of its
// pages or the device fails at any point.
bool printAllCharts(std::span<const ChartDefinition* const> charts, QPagedPaintDevice& device);

// Prints a chart, or all charts, on the printer, as a document named by the
// chart's title (or "Vornel すべての表") and made by "Vornel". A PDF file is
// written whole or not at all: it replaces what was there only once all of
// it is written. Where printing fails, or the printer's page ranges hold
// none of the document's pages, says so in a message box over `parent` and
// returns false; a file is then left as it was.
bool printChartOrExplain(const ChartDefinition& chart, QPrinter& printer, QWidget* parent);
bool printAllChartsOrExplain(std::span<const ChartDefinition* const> charts, QPrinter& printer,
                             QWidget* parent);

// Opens the print preview of a chart, in the orientation that suits it, from
// which the user prints it or saves it as a PDF file. Returns when the
// preview is closed; closing it prints nothing.
void showPrintPreview(const ChartDefinition& chart, QWidget* parent);

// Opens the print preview of all the charts in one document, in the order
// given.
void showAllChartsPrintPreview(std::span<const ChartDefinition* const> charts, QWidget* parent);

} // namespace vornel
