#include "shell/display_platform.h"
#include "shell/program.h"
#include "shell/run_time_error_report.h"

#include <QApplication>

int main(int argc, char* argv[]) {
    vornel::applyDisplayPlatformChoice();
    QApplication app(argc, argv);
    vornel::Program program;
    if (const auto error = program.start())
        return vornel::reportRunTimeError(*error);
    const int status = QApplication::exec();
    // Windows closed just before the end still wait for their deferred delete.
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    return status;
}
