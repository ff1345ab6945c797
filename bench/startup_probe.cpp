// Starts Vornel exactly as `vornel` does and ends as soon as the menu has been
// painted once: the time of this process is the program's start-up, with
// its claim to be the session's one Vornel (the name on the session bus
// taken before the menu is shown). With --check-ms it prints what the
// claim alone took: connecting to the bus, exporting the object and taking
// the name.
#include "app/application.h"
#include "app/display_platform.h"
#include "app/menu_window.h"
#include "app/program.h"
#include "app/running_vornel.h"
#include "bench/first_paint.h"

#include <QCoreApplication>
#include <QDBusAbstractAdaptor>
#include <QElapsedTimer>
#include <cstdio>
#include <cstring>

int main(int argc, char* argv[]) {
    vornel::applyDisplayPlatformChoice();
    if (argc > 1 && std::strcmp(argv[argc - 1], "--check-ms") == 0) {
        QCoreApplication app(argc, argv);
        // An object with an adaptor, as the application's is.
        QObject application;
        struct Adaptor : QDBusAbstractAdaptor {
            explicit Adaptor(QObject* object)
                : QDBusAbstractAdaptor(object) {}
        };
        new Adaptor(&application);
        QElapsedTimer check;
        check.start();
        vornel::SessionClaim claim({});
        claim.claim(&application, [&check](vornel::Claim claimed) {
            std::printf("check_ms %.3f\n", static_cast<double>(check.nsecsElapsed()) / 1e6);
            QCoreApplication::exit(claimed == vornel::Claim::Owner ? 0 : 1);
        });
        const int status = QCoreApplication::exec();
        claim.stop();
        return status;
    }
    return vornel::runApplication(argc, argv, {}, [](vornel::Program& program) {
        vornel::bench::quitAfterFirstPaint(
            [&program](const QObject* o) { return o && o == program.menu(); });
        QObject::connect(qApp, &QCoreApplication::aboutToQuit,
                         &vornel::bench::printPeakResidentIfAsked);
    });
}
