#include "app/application.h"
#include "app/command_line.h"
#include "app/display_platform.h"
#include "app/program.h"
#include "app/run_time_error_report.h"
#include "app/running_vornel.h"
#include "app/search_provider.h"

#include <QApplication>
#include <future>

int main(int argc, char* argv[]) {
    vornel::applyDisplayPlatformChoice();
    // Without arguments nothing is read: the plain start is what it always was.
    const vornel::CommandLine command =
        argc > 1 ? vornel::readCommandLine(argc, argv) : vornel::CommandLine{};
    if (command.mode == vornel::CommandMode::SearchProvider)
        return vornel::runSearchProvider(argc, argv);
    if (!vornel::needsDisplay(command.mode))
        return vornel::runWithoutDisplay(argc, argv);
    // One Vornel a session: a second start asks the first and ends.
    const bool startedByBus = command.mode == vornel::CommandMode::Service;
    std::future<bool> handedOver;
    if (!startedByBus)
        handedOver = vornel::handOverToRunningVornelMeanwhile(command);
    QApplication app(argc, argv);
    vornel::Program program;
    vornel::Application application(program, startedByBus);
    // The menu is made, not shown, while the check is under way.
    const auto menuError = startedByBus ? std::nullopt : program.makeMenu();
    if (handedOver.valid() && handedOver.get())
        return 0;
    if (menuError)
        return vornel::reportRunTimeError(*menuError);
    if (startedByBus) {
        application.registerOnSessionBus();
    } else {
        // The name is taken once the menu is drawn and the program idle, so
        // that start-up does not wait for the bus. Where another Vornel
        // started at the same moment and took it first, this one hands over
        // to it and ends.
        const auto takeName = [&application, &command] {
            if (!application.registerOnSessionBus() && vornel::handOverToRunningVornel(command))
                QCoreApplication::exit(0);
        };
        if (const auto error = program.start(takeName))
            return vornel::reportRunTimeError(*error);
        if (command.mode == vornel::CommandMode::Search)
            program.openSearch(0, command.query);
    }
    const int status = QApplication::exec();
    // Windows closed just before the end still wait for their deferred delete.
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    return status;
}
