#pragma once

#include "app/command_line.h"

#include <QDBusMessage>
#include <QString>
#include <QVariantList>
#include <QVariantMap>
#include <future>

namespace vornel {

// The application's name on the session bus and its object, where it takes
// org.freedesktop.Application's calls.
inline constexpr char kApplicationService[] = VORNEL_APP_ID;
inline constexpr char kApplicationPath[] = "/io/github/vornel/Vornel";
inline constexpr char kApplicationInterface[] = "org.freedesktop.Application";

// The application's actions (ActivateAction), each with one string:
inline constexpr char kSearchAction[] = "search"; // the search window with a query
inline constexpr char kChartAction[] = "chart";   // a result's chart at its row: "N:QUERY"
// kCopyDrillAction, "copy-drill": a result's drill on the clipboard, "N:QUERY"

// Whether a session bus can be reached without starting one: its address
// is set, or the user's runtime folder has its socket. (With neither,
// libdbus would launch a bus of its own for an X display.)
bool sessionBusExpected();

// The activation token or startup id that the launcher gave this process,
// as org.freedesktop.Application's platform data carries them.
QVariantMap platformDataFromEnvironment();

// Asks a Vornel that runs in this session to do what `command` asks
// (Activate, or the search action), with `platformData`. True where one
// did; false where none runs or none can be asked. One synchronous call,
// which starts nothing. Needs no application object.
bool handOverToRunningVornel(const CommandLine& command,
                             const QVariantMap& platformData = platformDataFromEnvironment());
// The same on a thread of its own, with this process's activation token as
// it is now (Qt takes the startup id out of the environment), so that the
// bus's round trip overlaps the making of the application object.
std::future<bool> handOverToRunningVornelMeanwhile(const CommandLine& command);

// The call that asks the application to do `action` with `parameter`, or
// to come forward where `action` is empty; the bus starts it where none
// runs.
QDBusMessage applicationCall(const QString& action, const QString& parameter,
                             const QVariantMap& platformData);

} // namespace vornel
