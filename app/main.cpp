#include "app/command_line.h"
#include "app/display_platform.h"
#include "app/program.h"
#include "app/run_time_error_report.h"
#include "app/search_provider.h"

#include <QApplication>

int main(int argc, char* argv[]) {
    vornel::applyDisplayPlatformChoice();
    // Without arguments nothing is read: the plain start is what it always was.
    const vornel::CommandLine command =
        argc > 1 ? vornel::readCommandLine(argc, argv) : vornel::CommandLine{};
    if (!vornel::needsDisplay(command.mode))
        return vornel::runWithoutDisplay(argc, argv);
    QApplication app(argc, argv);
    if (command.mode == vornel::CommandMode::SearchProvider)
        return vornel::runSearchProvider();
    vornel::Program program;
    if (const auto error = program.start())
        return vornel::reportRunTimeError(*error);
    if (command.mode == vornel::CommandMode::Search)
        program.openSearch(0, command.query);
    const int status = QApplication::exec();
    // Windows closed just before the end still wait for their deferred delete.
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    return status;
}
