#pragma once

#include "windows/chart_printer.h"

#include <QPageSize>
#include <QPrinter>

namespace vornel::bench {

// A PDF printer on A4 paper, writing to `file`, turned as the chart suits.
inline void setUpPdfPrinter(QPrinter& printer, const QString& file, const ChartDefinition& chart) {
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(file);
    printer.setPageSize(QPageSize(QPageSize::A4));
    printer.setPageOrientation(printOrientation(chart, printer));
}

} // namespace vornel::bench
