#pragma once

#include "app/command_line.h"
#include "app/desktop_search.h"

#include <QObject>
#include <QStringList>
#include <QTimer>
#include <QVariantList>
#include <QVariantMap>
#include <functional>
#include <optional>

class QWidget;

namespace vornel {

class Program;

// The activation token that a window shown for a call with
// `platformData` is to hand the compositor on `platform` (Qt's platform
// name), or empty: the launcher's token, or on Wayland its startup id; none
// longer than 1,024 characters, which no token is near.
QString activationToken(const QVariantMap& platformData, QStringView platform);

// Runs the program as `command` (a mode that needs a display) asks: the
// one Vornel of the session, or a start that hands over to it and ends.
// `made` is called with the program once it is made, before the event
// loop runs. Returns the exit status.
int runApplication(int& argc, char* argv[], const CommandLine& command,
                   const std::function<void(Program&)>& made = {});

// The one Vornel of the session: io.github.vornel.Vornel on the session bus,
// org.freedesktop.Application at kApplicationPath. A second start, the
// launcher's action and the desktop's search come here, so that every chart
// has one window whichever door opened it. The methods are the interface's.
//
// The program ends once it has no window, except while the clipboard holds
// a drill that it was asked to copy (X11 loses a clipboard whose owner
// ends); started by the bus and never asked for a window, after the idle
// time (30 s, or VORNEL_IDLE_MS milliseconds).
class Application final : public QObject {
    Q_OBJECT
public:
    // `startedByBus`: started by the bus, with no window until asked. It
    // may be made before the application object, to be on the bus while
    // that is made: calls wait in the event queue until serve().
    explicit Application(bool startedByBus);
    ~Application() override;

    // Serves the calls with `program`, once the application object exists.
    void serve(Program& program);

    // Shows the menu, or brings it forward.
    void Activate(const QVariantMap& platformData);
    // Vornel opens no files: as Activate.
    void Open(const QStringList& uris, const QVariantMap& platformData);
    // "search" with the query, "chart" or "copy-drill" with a result's id
    // (kSearchAction ...). Anything else does nothing.
    void ActivateAction(const QString& action, const QVariantList& parameter,
                        const QVariantMap& platformData);

private:
    void useActivationToken(const QVariantMap& platformData);
    // On X11, what the launcher's startup id asks of the window that a call
    // showed or brought forward (see x11_startup.h).
    void completeStartup(const QWidget* window, const QVariantMap& platformData);
    // Each request gives a program that the bus started another idle time.
    void requested();
    void endIfIdle();

    Program* program_ = nullptr;
    std::optional<DesktopSearch> search_;
    // Started by the bus: the time each request gives it without a window.
    QTimer idle_;
    bool startedByBus_ = false;
    bool keepsCopiedDrill_ = false;
};

} // namespace vornel
