// Opening each chart and scrolling the metric chart, each against a floor of
// the same size measured in the same run, printed as ratios.
#include "bench/chart_pdf.h"
#include "bench/first_paint.h"
#include "chart_model/twips.h"
#include "charts/charts.h"
#include "windows/chart_printer.h"
#include "windows/chart_window.h"
#include "windows/column_layout.h"

#include <QApplication>
#include <QImage>
#include <QListView>
#include <QPainter>
#include <QPdfWriter>
#include <QPointer>
#include <QPrinter>
#include <QScrollBar>
#include <QStringListModel>
#include <QTemporaryDir>
#include <QTransform>
#include <algorithm>
#include <benchmark/benchmark.h>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <limits>
#include <map>
#include <memory>
#include <string>
#include <utility>
#include <vector>

using namespace vornel;
using vornel::bench::setUpPdfPrinter;
using vornel::bench::showAndWaitForFirstPaint;

namespace {

// The budget of opening a chart: at most this many times its floor.
constexpr double kOpenBudget = 2.0;
// The budget of printing a chart to a PDF file.
constexpr double kPrintBudget = 2.0;
// Each benchmark runs this many times, alternating with its floor; the
// fastest run of each counts.
constexpr int kRounds = 4;
// Seconds each run lasts at least.
constexpr double kMinTime = 0.1;

QSize clientSize(const ChartDefinition& chart) {
    return pixelsFromTwips(chart.clientArea).size();
}

// Shows the window, waits for its first paint, closes it and deletes it.
void showPaintClose(QWidget* window) {
    QPointer<QWidget> alive(window);
    showAndWaitForFirstPaint(*window);
    window->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    if (alive) {
        std::fprintf(stderr, "a closed window was not deleted\n");
        std::abort();
    }
}

void openChart(benchmark::State& state, const ChartDefinition* chart) {
    for (auto _ : state)
        showPaintClose(new ChartWindow(*chart));
}

void openEmptyWindow(benchmark::State& state, QSize size) {
    for (auto _ : state) {
        auto* window = new QWidget(nullptr, Qt::Window);
        window->setAttribute(Qt::WA_DeleteOnClose);
        window->resize(size);
        showPaintClose(window);
    }
}

// The least any list of the chart must do when it opens: draw the texts of
// the lines that fit in it, each with QPainter::drawText at its place, here
// on an image of the list's size, with no widget or window at all.
void drawFirstPageTexts(benchmark::State& state, const ChartDefinition* chart) {
    const QFont font = listFont(chart->listFont);
    const QFontMetrics metrics(font);
    const ColumnLayout layout(*chart, metrics);
    const QSize size = pixelsFromTwips(chart->listRect).size();
    const int lines =
        std::min(layout.lineCount(), (size.height() + metrics.height() - 1) / metrics.height());
    QImage image(size, QImage::Format_RGB32);
    for (auto _ : state) {
        image.fill(Qt::white);
        QPainter painter(&image);
        painter.setFont(font);
        for (int row = 0; row < lines; ++row) {
            for (const PlacedText& text : layout.line(row))
                painter.drawText(QPoint(text.x, row * metrics.height() + metrics.ascent()),
                                 QString::fromRawData(text.text.data(), text.text.size()));
        }
    }
}

// Paints every page of the list, top to bottom, as one full scroll does; with
// nothing to scroll, paints its one page `pages` times.
int paintPages(QListView& list, int pages) {
    QScrollBar* bar = list.verticalScrollBar();
    int painted = 0;
    for (int value = 0;; value += bar->pageStep()) {
        bar->setValue(std::min(value, bar->maximum()));
        list.viewport()->repaint();
        ++painted;
        if (pages > 0 ? painted == pages : bar->value() >= bar->maximum())
            break;
    }
    return painted;
}

int metricPages() {
    ChartWindow window(charts::kMetricChart);
    showAndWaitForFirstPaint(window);
    return paintPages(*window.list(), 0);
}

// A top-level window of a chart's size holding nothing but a list in the
// place and font of the chart's list, with `lines` blank lines: what Qt's
// list view costs before it shows a single text.
class BlankListWindow : public QWidget {
public:
    BlankListWindow(const ChartDefinition& chart, int lines)
        : QWidget(nullptr, Qt::Window)
        , blank(QStringList(lines, QString())) {
        resize(clientSize(chart));
        list.setGeometry(pixelsFromTwips(chart.listRect));
        list.setFont(listFont(chart.listFont));
        list.setUniformItemSizes(true);
        list.setModel(&blank);
    }
    QStringListModel blank;
    QListView list{this};
};

void openBlankList(benchmark::State& state, const ChartDefinition* chart) {
    for (auto _ : state) {
        auto* window = new BlankListWindow(*chart, static_cast<int>(chart->lines.size()));
        window->setAttribute(Qt::WA_DeleteOnClose);
        showPaintClose(window);
    }
}

// Times painting the pages of the list of a window that `make` makes: one
// window painted before (`fresh` false), or, untimed, a new window shown for
// each scroll.
template <typename Make, typename List>
void scroll(benchmark::State& state, bool fresh, int pages, Make make, List list) {
    auto window = make();
    showAndWaitForFirstPaint(*window);
    for (auto _ : state) {
        if (fresh) {
            state.PauseTiming();
            window = make();
            showAndWaitForFirstPaint(*window);
            state.ResumeTiming();
        }
        paintPages(list(*window), pages);
    }
}

void scrollMetricChart(benchmark::State& state, bool fresh) {
    scroll(
        state, fresh, 0, [] { return std::make_unique<ChartWindow>(charts::kMetricChart); },
        [](ChartWindow& w) -> QListView& { return *w.list(); });
}

void scrollEmptyList(benchmark::State& state, bool fresh, int pages) {
    scroll(
        state, fresh, pages,
        [] { return std::make_unique<BlankListWindow>(charts::kMetricChart, 0); },
        [](BlankListWindow& w) -> QListView& { return w.list; });
}

// Printing the metric chart to a PDF file, as the print preview's "print to
// file" does: a printer set up, the chart laid out for it and drawn.
void printMetricChart(benchmark::State& state) {
    const QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("chart.pdf"));
    for (auto _ : state) {
        QPrinter printer(QPrinter::HighResolution);
        setUpPdfPrinter(printer, file, charts::kMetricChart);
        if (!printChart(charts::kMetricChart, printer))
            state.SkipWithError("the PDF file could not be written");
    }
}

// The least printing the metric chart must do: the same texts, at positions
// worked out beforehand, drawn on the same pages of a QPdfWriter.
void writeMetricChartTexts(benchmark::State& state) {
    const QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("floor.pdf"));
    QPrinter printer(QPrinter::HighResolution);
    setUpPdfPrinter(printer, file, charts::kMetricChart);
    const ChartPrintLayout layout = layOutForPrint(charts::kMetricChart, printer);
    for (auto _ : state) {
        QPdfWriter writer(file);
        writer.setResolution(printer.resolution());
        writer.setPageLayout(printer.pageLayout());
        QPainter painter(&writer);
        painter.setFont(layout.font);
        for (std::size_t page = 0; page < layout.pages.size(); ++page) {
            if (page > 0)
                writer.newPage();
            for (const PrintedText& text : layout.pages[page].texts)
                painter.drawText(text.position, text.text);
        }
    }
}

// Printing all ten charts in one document to a PDF file on A4, as
// "すべての表を印刷…" does: the charts laid out and drawn, one after the other.
void printEveryChart(benchmark::State& state) {
    const QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("charts.pdf"));
    for (auto _ : state) {
        QPrinter printer(QPrinter::HighResolution);
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(file);
        printer.setPageSize(QPageSize(QPageSize::A4));
        if (!printAllCharts(charts::allCharts(), printer))
            state.SkipWithError("the PDF file could not be written");
    }
}

// The least printing all the charts must do: the same texts, at positions
// worked out beforehand, drawn on as many pages of a QPdfWriter, turned where
// printing turns them.
void writeEveryChartsTexts(benchmark::State& state) {
    const QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("floor.pdf"));
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setPageSize(QPageSize(QPageSize::A4));
    const QPageLayout upright = printer.pageLayout();
    const QRect area = upright.paintRectPixels(printer.resolution());
    std::vector<std::pair<QTransform, ChartPrintLayout>> layouts;
    for (const ChartDefinition* chart : charts::allCharts()) {
        const QPageLayout::Orientation orientation = printOrientation(*chart, printer);
        printer.setPageOrientation(orientation);
        QTransform turn;
        if (orientation == QPageLayout::Landscape)
            turn.translate(0, area.height()).rotate(-90);
        layouts.emplace_back(turn, layOutForPrint(*chart, printer));
        printer.setPageLayout(upright);
    }
    for (auto _ : state) {
        QPdfWriter writer(file);
        writer.setResolution(printer.resolution());
        writer.setPageLayout(upright);
        QPainter painter(&writer);
        bool first = true;
        for (const auto& [turn, layout] : layouts) {
            painter.setFont(layout.font);
            painter.setWorldTransform(turn);
            for (const PrintedPage& page : layout.pages) {
                if (!std::exchange(first, false))
                    writer.newPage();
                for (const PrintedText& text : page.texts)
                    painter.drawText(text.position, text.text);
            }
        }
    }
}

int everyChartsPrintedPages() {
    QPrinter printer(QPrinter::HighResolution);
    printer.setPageSize(QPageSize(QPageSize::A4));
    std::size_t pages = 0;
    for (const ChartDefinition* chart : charts::allCharts()) {
        printer.setPageOrientation(printOrientation(*chart, printer));
        pages += layOutForPrint(*chart, printer).pages.size();
    }
    return static_cast<int>(pages);
}

int metricPrintedPages() {
    QPrinter printer(QPrinter::HighResolution);
    setUpPdfPrinter(printer, QString(), charts::kMetricChart);
    return static_cast<int>(layOutForPrint(charts::kMetricChart, printer).pages.size());
}

// Keeps the fastest time per iteration of each benchmark, and prints nothing.
class FastestRuns final : public benchmark::BenchmarkReporter {
public:
    bool ReportContext(const Context&) override { return true; }
    void ReportRuns(const std::vector<Run>& runs) override {
        for (const Run& run : runs) {
            if (run.error_occurred) {
                std::fprintf(stderr, "%s: %s\n", run.benchmark_name().c_str(),
                             run.error_message.c_str());
                failed = true;
                continue;
            }
            auto [it, inserted] =
                fastest.try_emplace(run.run_name.function_name, std::numeric_limits<double>::max());
            it->second = std::min(it->second, run.GetAdjustedRealTime());
        }
    }

    // The time of `name` over the time of `floor`; NaN if either did not run.
    double ratio(const std::string& name, const std::string& floor) const {
        const auto n = fastest.find(name);
        const auto f = fastest.find(floor);
        return n == fastest.end() || f == fastest.end() ? std::nan("") : n->second / f->second;
    }

    std::map<std::string, double> fastest;
    bool failed = false;
};

std::string chartName(const ChartDefinition& chart) {
    return std::string(chart.identifier);
}

} // namespace

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 2;

    const int pages = metricPages();
    for (int round = 0; round < kRounds; ++round) {
        for (const ChartDefinition* chart : charts::allCharts()) {
            benchmark::RegisterBenchmark(("open/" + chartName(*chart)).c_str(), openChart, chart)
                ->UseRealTime()
                ->MinTime(kMinTime);
            benchmark::RegisterBenchmark(("texts/" + chartName(*chart)).c_str(), drawFirstPageTexts,
                                         chart)
                ->UseRealTime()
                ->MinTime(kMinTime);
            benchmark::RegisterBenchmark(("list/" + chartName(*chart)).c_str(), openBlankList,
                                         chart)
                ->UseRealTime()
                ->MinTime(kMinTime);
            benchmark::RegisterBenchmark(("floor/" + chartName(*chart)).c_str(), openEmptyWindow,
                                         clientSize(*chart))
                ->UseRealTime()
                ->MinTime(kMinTime);
        }
        benchmark::RegisterBenchmark("print/metric", printMetricChart)
            ->UseRealTime()
            ->MinTime(kMinTime);
        benchmark::RegisterBenchmark("print/floor", writeMetricChartTexts)
            ->UseRealTime()
            ->MinTime(kMinTime);
        benchmark::RegisterBenchmark("print/all", printEveryChart)
            ->UseRealTime()
            ->MinTime(kMinTime);
        benchmark::RegisterBenchmark("print/all/floor", writeEveryChartsTexts)
            ->UseRealTime()
            ->MinTime(kMinTime);
        for (const bool fresh : {true, false}) {
            const std::string when = fresh ? "first" : "again";
            benchmark::RegisterBenchmark(("scroll/metric/" + when).c_str(), scrollMetricChart,
                                         fresh)
                ->UseRealTime()
                ->MinTime(kMinTime);
            benchmark::RegisterBenchmark(("scroll/empty/" + when).c_str(), scrollEmptyList, fresh,
                                         pages)
                ->UseRealTime()
                ->MinTime(kMinTime);
        }
    }

    FastestRuns runs;
    benchmark::RunSpecifiedBenchmarks(&runs);
    benchmark::Shutdown();
    if (runs.failed)
        return 1;

    const QString platform = QGuiApplication::platformName();
    std::printf("Opening a chart (%s): create, show, first paint, close; time ÷ an empty window\n"
                "of the same size. Beside it, against the same floor: the window with a list of\n"
                "as many blank lines in the chart's list's place, and drawing just the texts of\n"
                "its first page.\n",
                qPrintable(platform));
    for (const ChartDefinition* chart : charts::allCharts()) {
        const std::string name = chartName(*chart);
        const double ratio = runs.ratio("open/" + name, "floor/" + name);
        if (std::isnan(ratio))
            continue;
        const bool met = ratio <= kOpenBudget;
        const QString title =
            QString::fromUtf16(chart->title.data(), static_cast<qsizetype>(chart->title.size()));
        std::printf("  %-6s %4zu lines  %5.2f × floor  budget ≤ %.2f  %s   blank list %5.2f, "
                    "texts %5.2f  %s\n",
                    name.c_str(), chart->lines.size(), ratio, kOpenBudget, met ? "PASS" : "MISS",
                    runs.ratio("list/" + name, "floor/" + name),
                    runs.ratio("texts/" + name, "floor/" + name), qPrintable(title));
    }
    std::printf("Scrolling the metric chart (%s): its %d pages of %zu lines painted top to "
                "bottom, ÷ as many pages of an empty list of the same size\n"
                "  first scroll after opening  %5.2f × floor\n"
                "  every scroll after that     %5.2f × floor\n",
                qPrintable(platform), pages, charts::kMetricChart.lines.size(),
                runs.ratio("scroll/metric/first", "scroll/empty/first"),
                runs.ratio("scroll/metric/again", "scroll/empty/again"));
    const double printing = runs.ratio("print/metric", "print/floor");
    std::printf("Printing the metric chart to a PDF file on A4 (%s): %d pages laid out and drawn,\n"
                "÷ drawing the same texts at positions worked out beforehand on a QPdfWriter\n"
                "  %5.2f × floor  budget ≤ %.2f  %s\n",
                qPrintable(platform), metricPrintedPages(), printing, kPrintBudget,
                printing <= kPrintBudget ? "PASS" : "MISS");
    const double all = runs.ratio("print/all", "print/all/floor");
    std::printf("Printing all ten charts to one PDF file on A4 (%s): %d pages laid out and drawn,\n"
                "÷ drawing the same texts at positions worked out beforehand on a QPdfWriter\n"
                "  %5.2f × floor  budget ≤ %.2f  %s\n",
                qPrintable(platform), everyChartsPrintedPages(), all, kPrintBudget,
                all <= kPrintBudget ? "PASS" : "MISS");
    return 0;
}
