#include "app/application.h"
#include "app/command_line.h"
#include "app/display_platform.h"
#include "app/search_provider.h"

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
    return vornel::runApplication(argc, argv, command);
}
