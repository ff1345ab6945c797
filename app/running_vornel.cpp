#include "app/running_vornel.h"

#include <QDBusConnection>
#include <QDBusMessage>
#include <QFileInfo>
#include <QThread>

namespace vornel {

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
    return bus.call(message, QDBus::Block, 5000).type() == QDBusMessage::ReplyMessage;
}

std::future<bool> handOverToRunningVornelMeanwhile(const CommandLine& command) {
    // Qt takes the first thread that asks for its own for the main thread,
    // whose events the application object delivers: this one, not the
    // check's.
    QThread::currentThread();
    return std::async(std::launch::async, [command, data = platformDataFromEnvironment()] {
        return handOverToRunningVornel(command, data);
    });
}

} // namespace vornel
