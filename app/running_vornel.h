#pragma once

#include "app/command_line.h"

#include <QDBusMessage>
#include <QString>
#include <QVariantList>
#include <QVariantMap>
#include <condition_variable>
#include <functional>
#include <mutex>
#include <thread>

class QObject;

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

// The call that asks the application to do `action` with `parameter`, or
// to come forward where `action` is empty; the bus starts it where none
// runs.
QDBusMessage applicationCall(const QString& action, const QString& parameter,
                             const QVariantMap& platformData);

// What a start's claim to be the session's Vornel came to.
enum class Claim {
    Owner,      // this process is Vornel: it has the name, or there is no session bus
    HandedOver, // a Vornel that runs did what this start asks: this one ends
    Lost,       // started by the bus, and another took the name: nothing to do
};

// Decides which process of the session is Vornel before any window is
// shown, on a thread of its own, so that the windows' thread never waits
// for the bus. It connects at once; given the application's object, it
// exports it and takes the name, or, where another process has it, hands
// the start's command over to that one. Where that fails too (the owner
// was just ending), it tries both again until one holds. An owner that
// takes no hand-over for kPatienceMs is passed over: this process then runs
// as Vornel and takes the name as soon as it is free.
class SessionClaim {
public:
    static constexpr int kPatienceMs = 10'000;

    explicit SessionClaim(CommandLine command,
                          QVariantMap platformData = platformDataFromEnvironment());
    // Ends the thread; call stop() before `application` is gone.
    ~SessionClaim();
    SessionClaim(const SessionClaim&) = delete;
    SessionClaim& operator=(const SessionClaim&) = delete;

    // Exports `application` at kApplicationPath and claims the name; calls
    // `decided` once, on `application`'s thread.
    void claim(QObject* application, std::function<void(Claim)> decided);
    // Ends the thread, waiting for a call under way.
    void stop();

private:
    void run();
    // Waits for claim() or stop(); false once stopped.
    bool waitForClaim();
    // Waits `ms` milliseconds; false if stopped meanwhile.
    bool pause(int ms);
    void decide(Claim claim);

    const CommandLine command_;
    const QVariantMap platformData_;
    std::mutex mutex_;
    std::condition_variable changed_;
    QObject* application_ = nullptr;
    std::function<void(Claim)> decided_;
    bool stopped_ = false;
    std::thread thread_;
};

} // namespace vornel
