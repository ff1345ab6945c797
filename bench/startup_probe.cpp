// Starts Vornel exactly as `vornel` does and ends as soon as the menu has been
// painted once: the time of this process is the program's start-up.
#include "app/display_platform.h"
#include "app/menu_window.h"
#include "app/program.h"
#include "bench/first_paint.h"

#include <QApplication>
#include <cstdio>

int main(int argc, char* argv[]) {
    vornel::applyDisplayPlatformChoice();
    QApplication app(argc, argv);
    vornel::Program program;
    vornel::bench::quitAfterFirstPaint(
        [&program](const QObject* o) { return o && o == program.menu(); });
    if (const auto error = program.start()) {
        std::fprintf(stderr, "start-up failed: %d\n", error->number);
        return 1;
    }
    const int status = QApplication::exec();
    vornel::bench::printPeakResidentIfAsked();
    return status;
}
