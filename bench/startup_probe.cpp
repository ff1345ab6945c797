// Starts Vornel exactly as `vornel` does and ends as soon as the menu has been
// painted once: the time of this process is the program's start-up, with
// the check for a Vornel already running in the session. (The name on the
// session bus is taken later, once the program is idle, as in `vornel`.)
// With --check-ms it prints what the check alone took.
#include "app/application.h"
#include "app/display_platform.h"
#include "app/menu_window.h"
#include "app/program.h"
#include "app/running_vornel.h"
#include "bench/first_paint.h"

#include <QApplication>
#include <QElapsedTimer>
#include <cstdio>
#include <cstring>
#include <future>

int main(int argc, char* argv[]) {
    vornel::applyDisplayPlatformChoice();
    QElapsedTimer check;
    check.start();
    // As main does: the check on a thread of its own, beside the application
    // object; what it costs alone is timed on this thread.
    const bool checkOnly = argc > 1 && std::strcmp(argv[argc - 1], "--check-ms") == 0;
    std::future<bool> handedOver;
    if (checkOnly) {
        if (vornel::handOverToRunningVornel({}))
            return 1;
    } else {
        handedOver = vornel::handOverToRunningVornelMeanwhile({});
    }
    const double checkMs = static_cast<double>(check.nsecsElapsed()) / 1e6;
    QApplication app(argc, argv);
    vornel::Program program;
    vornel::Application application(program, false);
    // As main does, the menu is made while the check is under way.
    if (const auto error = program.makeMenu()) {
        std::fprintf(stderr, "start-up failed: %d\n", error->number);
        return 1;
    }
    if (handedOver.valid() && handedOver.get()) {
        std::fprintf(stderr, "a Vornel runs in this session already\n");
        return 1;
    }
    vornel::bench::quitAfterFirstPaint(
        [&program](const QObject* o) { return o && o == program.menu(); });
    // As main does, the name is taken once the menu is drawn and the
    // program idle: after this probe has ended.
    if (const auto error = program.start([&application] { application.registerOnSessionBus(); })) {
        std::fprintf(stderr, "start-up failed: %d\n", error->number);
        return 1;
    }
    const int status = QApplication::exec();
    vornel::bench::printPeakResidentIfAsked();
    if (checkOnly)
        std::printf("check_ms %.3f\n", checkMs);
    return status;
}
