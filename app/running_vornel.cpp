#include "app/running_vornel.h"

#include <QDBusConnection>
#include <QDBusMessage>
#include <QFileInfo>
#include <QThread>
#include <chrono>
#include <optional>

namespace vornel {

namespace {

// How long a running Vornel has to take a hand-over: it answers at once
// unless it hangs.
constexpr int kHandOverTimeoutMs = 5000;
// How soon a claim that neither took the name nor handed over tries again:
// an owner that was ending gives its name up when its connection closes.
constexpr int kRetryMs = 20;
// Once the owner has been passed over, how often the name is tried for.
constexpr int kRetryWithoutNameMs = 1000;

enum class NameRequest { Taken, Owned, NoBus };

// Asks the bus for the application's name, without queueing for it.
NameRequest requestName(QDBusConnection& bus) {
    constexpr uint kDoNotQueue = 4;
    constexpr uint kPrimaryOwner = 1;
    constexpr uint kAlreadyOwner = 4;
    QDBusMessage message = QDBusMessage::createMethodCall(
        QStringLiteral("org.freedesktop.DBus"), QStringLiteral("/org/freedesktop/DBus"),
        QStringLiteral("org.freedesktop.DBus"), QStringLiteral("RequestName"));
    message.setArguments({QString::fromLatin1(kApplicationService), kDoNotQueue});
    const QDBusMessage reply = bus.call(message, QDBus::Block, kHandOverTimeoutMs);
    if (reply.type() != QDBusMessage::ReplyMessage || reply.arguments().isEmpty())
        return NameRequest::NoBus; // a bus that gives no names is as none
    const uint result = reply.arguments().constFirst().toUInt();
    return result == kPrimaryOwner || result == kAlreadyOwner ? NameRequest::Taken
                                                              : NameRequest::Owned;
}

} // namespace

bool sessionBusExpected() {
    if (!qEnvironmentVariableIsEmpty("DBUS_SESSION_BUS_ADDRESS"))
        return true;
    const QString runtime = qEnvironmentVariable("XDG_RUNTIME_DIR");
    return !runtime.isEmpty() && QFileInfo(runtime + QStringLiteral("/bus")).exists();
}

QVariantMap platformDataFromEnvironment() {
    QVariantMap data;
    if (const QString token = qEnvironmentVariable("XDG_ACTIVATION_TOKEN"); !token.isEmpty())
        data.insert(QStringLiteral("activation-token"), token);
    if (const QString id = qEnvironmentVariable("DESKTOP_STARTUP_ID"); !id.isEmpty())
        data.insert(QStringLiteral("desktop-startup-id"), id);
    return data;
}

QDBusMessage applicationCall(const QString& action, const QString& parameter,
                             const QVariantMap& platformData) {
    const QString service = QString::fromLatin1(kApplicationService);
    const QString path = QString::fromLatin1(kApplicationPath);
    const QString interface = QString::fromLatin1(kApplicationInterface);
    if (action.isEmpty()) {
        QDBusMessage message =
            QDBusMessage::createMethodCall(service, path, interface, QStringLiteral("Activate"));
        message.setArguments({platformData});
        return message;
    }
    QDBusMessage message =
        QDBusMessage::createMethodCall(service, path, interface, QStringLiteral("ActivateAction"));
    message.setArguments({action, QVariantList{parameter}, platformData});
    return message;
}

bool handOverToRunningVornel(const CommandLine& command, const QVariantMap& platformData) {
    if (!sessionBusExpected())
        return false;
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.isConnected())
        return false;
    QDBusMessage message =
        command.mode == CommandMode::Search
            ? applicationCall(QString::fromLatin1(kSearchAction), command.query, platformData)
            : applicationCall({}, {}, platformData);
    // Only one that runs: this process is the one to start where none does.
    message.setAutoStartService(false);
    return bus.call(message, QDBus::Block, kHandOverTimeoutMs).type() == QDBusMessage::ReplyMessage;
}

SessionClaim::SessionClaim(CommandLine command, QVariantMap platformData)
    : command_(std::move(command))
    , platformData_(std::move(platformData)) {
    // Qt takes the first thread that asks for its own for the main thread,
    // whose events the application object delivers: this one, not the
    // claim's.
    QThread::currentThread();
    thread_ = std::thread([this] { run(); });
}

SessionClaim::~SessionClaim() {
    stop();
}

void SessionClaim::claim(QObject* application, std::function<void(Claim)> decided) {
    {
        const std::lock_guard lock(mutex_);
        application_ = application;
        decided_ = std::move(decided);
    }
    changed_.notify_all();
}

void SessionClaim::stop() {
    {
        const std::lock_guard lock(mutex_);
        stopped_ = true;
    }
    changed_.notify_all();
    if (thread_.joinable())
        thread_.join();
}

bool SessionClaim::waitForClaim() {
    std::unique_lock lock(mutex_);
    changed_.wait(lock, [this] { return stopped_ || application_; });
    return !stopped_;
}

bool SessionClaim::pause(int ms) {
    std::unique_lock lock(mutex_);
    return !changed_.wait_for(lock, std::chrono::milliseconds(ms), [this] { return stopped_; });
}

void SessionClaim::decide(Claim claim) {
    QMetaObject::invokeMethod(
        application_, [decided = decided_, claim] { decided(claim); }, Qt::QueuedConnection);
}

void SessionClaim::run() {
    // Connected while the application object is made: no session, no other
    // Vornel in it, and no bus is launched for it.
    std::optional<QDBusConnection> session;
    if (sessionBusExpected())
        session = QDBusConnection::sessionBus();
    if (!waitForClaim())
        return;
    if (!session || !session->isConnected()) {
        decide(Claim::Owner);
        return;
    }
    QDBusConnection& bus = *session;
    // The object first: a call that started the process, or a start that
    // hands over, comes as soon as the name is taken.
    bus.registerObject(QString::fromLatin1(kApplicationPath), application_,
                       QDBusConnection::ExportAdaptors);
    const auto patience = std::chrono::steady_clock::now() + std::chrono::milliseconds(kPatienceMs);
    bool decided = false;
    for (;;) {
        const NameRequest request = requestName(bus);
        if (request != NameRequest::Owned) {
            if (!decided)
                decide(Claim::Owner);
            return;
        }
        if (!decided) {
            // Started by the bus for a call that the owner has had instead.
            if (command_.mode == CommandMode::Service) {
                decide(Claim::Lost);
                return;
            }
            if (handOverToRunningVornel(command_, platformData_)) {
                decide(Claim::HandedOver);
                return;
            }
            if (std::chrono::steady_clock::now() > patience) {
                decide(Claim::Owner);
                decided = true;
            }
        }
        if (!pause(decided ? kRetryWithoutNameMs : kRetryMs))
            return;
    }
}

} // namespace vornel
