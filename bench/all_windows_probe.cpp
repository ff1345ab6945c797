// Starts Vornel as `vornel` does, then opens all ten charts from the menu's
// registry and ends once every window has been painted: with --peak-rss it
// prints the peak resident memory of the program with everything open.
#include "app/display_platform.h"
#include "app/menu_window.h"
#include "app/program.h"
#include "bench/first_paint.h"
#include "windows/chart_window.h"

#include <QApplication>
#include <algorithm>
#include <cstdio>
#include <memory>
#include <vector>

using vornel::bench::FirstPaint;

int main(int argc, char* argv[]) {
    vornel::applyDisplayPlatformChoice();
    QApplication app(argc, argv);

    // One watcher a window, installed as the registry makes it, before it is
    // shown.
    std::vector<std::unique_ptr<FirstPaint>> painted;
    const auto watch = [&painted](QWidget* window) {
        painted.push_back(std::make_unique<FirstPaint>(
            [window](const QObject* o) { return o == window; }, std::function<void()>{}));
        window->installEventFilter(painted.back().get());
    };
    vornel::Program program([&watch](const vornel::ChartDefinition& chart) {
        auto* window = new vornel::ChartWindow(chart);
        watch(window);
        return window;
    });
    FirstPaint menuPainted([&program](const QObject* o) { return o && o == program.menu(); }, {});
    app.installEventFilter(&menuPainted);

    if (const auto error = program.start()) {
        std::fprintf(stderr, "start-up failed: %d\n", error->number);
        return 1;
    }
    while (!menuPainted.seen())
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    for (int position = 1; position <= vornel::ChartRegistry::kSize; ++position) {
        if (const auto error = program.registry().openChart(position)) {
            std::fprintf(stderr, "chart %d failed: %d\n", position, error->number);
            return 1;
        }
    }
    const auto allPainted = [&painted] {
        return std::ranges::all_of(painted, [](const auto& p) { return p->seen(); });
    };
    while (!allPainted())
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    if (painted.size() != vornel::ChartRegistry::kSize) {
        std::fprintf(stderr, "%zu chart windows open, not %d\n", painted.size(),
                     vornel::ChartRegistry::kSize);
        return 1;
    }
    vornel::bench::printPeakResidentIfAsked();
    return 0;
}
