#pragma once

#include "chart_model/chart_definition.h"

#include <QFont>
#include <QPageLayout>
#include <QPoint>
#include <QString>
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

// A chart laid out for the pages of a printer or a PDF file: the font it is
// printed in and the texts of each page.
struct ChartPrintLayout {
    QFont font;
    std::vector<std::vector<PrintedText>> pages;
};

// The orientation that a chart is best printed in on the device's paper:
// portrait where its widest line fits the printable width at the list
// font's size, landscape where it does not.
QPageLayout::Orientation printOrientation(const ChartDefinition& chart,
                                          const QPagedPaintDevice& device);

// Lays out a chart for the device's paper, orientation and resolution, by the
// column rules of the chart's window: on every page the chart's title with
// "n / N", then the chart's heading lines, then as many of its other lines as
// fit; the footnote, where the chart has one, after its lines. Where the
// widest line does not fit the printable width, the font is made just small
// enough that it does.
ChartPrintLayout layOutForPrint(const ChartDefinition& chart, const QPagedPaintDevice& device);

// Draws laid-out pages on the device. False, with nothing drawn, where the
// device cannot be painted on (a file that cannot be written).
bool printPages(const ChartPrintLayout& layout, QPagedPaintDevice& device);

// Lays out a chart for the device and prints it.
bool printChart(const ChartDefinition& chart, QPagedPaintDevice& device);

// Prints a chart on the printer; where that fails, says so in a message box
// over `parent` and returns false.
bool printChartOrExplain(const ChartDefinition& chart, QPrinter& printer, QWidget* parent);

// Opens the print preview of a chart, in the orientation that suits it, from
// which the user prints it or saves it as a PDF file. Returns when the
// preview is closed; closing it prints nothing.
void showPrintPreview(const ChartDefinition& chart, QWidget* parent);

} // namespace vornel
