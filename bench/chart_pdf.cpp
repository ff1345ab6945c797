// Writes the metric chart to a PDF file, as the print preview's "print to
// file" does, for a PDF viewer to show beside the program in ./bench.sh.
#include "bench/chart_pdf.h"

#include "charts/charts.h"

#include <QApplication>
#include <cstdio>

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: vornel_chart_pdf FILE\n");
        return 2;
    }
    QPrinter printer(QPrinter::HighResolution);
    vornel::bench::setUpPdfPrinter(printer, QString::fromLocal8Bit(argv[1]),
                                   vornel::charts::kMetricChart);
    if (!vornel::printChart(vornel::charts::kMetricChart, printer)) {
        std::fprintf(stderr, "vornel_chart_pdf: %s could not be written\n", argv[1]);
        return 1;
    }
    return 0;
}
