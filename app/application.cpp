#include "app/application.h"

#include "app/menu_window.h"
#include "app/program.h"
#include "app/run_time_error_report.h"
#include "app/running_vornel.h"
#include "app/x11_startup.h"
#include "application_adaptor.h"
#include "chart_model/chart_text.h"
#include "windows/chart_window.h"
#include "windows/clipboard.h"

#include <QApplication>
#include <QClipboard>
#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusVariant>
#include <QWidget>
#include <algorithm>
#include <chrono>

namespace vornel {

namespace {

constexpr std::chrono::milliseconds kIdleTime = std::chrono::seconds(30);
// No token or startup id is near this long.
constexpr qsizetype kLongestToken = 1024;

std::chrono::milliseconds idleTime() {
    bool ok = false;
    const int ms = qEnvironmentVariableIntValue("VORNEL_IDLE_MS", &ok);
    return ok && ms > 0 ? std::chrono::milliseconds(ms) : kIdleTime;
}

// The one string an action takes, or empty.
QString stringParameter(const QVariantList& parameter) {
    if (parameter.size() != 1)
        return {};
    QVariant value = parameter.first();
    if (value.canConvert<QDBusVariant>() && value.userType() == qMetaTypeId<QDBusVariant>())
        value = value.value<QDBusVariant>().variant();
    return value.userType() == QMetaType::QString ? value.toString() : QString();
}

bool anyWindowVisible() {
    const QWidgetList windows = QApplication::topLevelWidgets();
    return std::any_of(windows.begin(), windows.end(),
                       [](const QWidget* w) { return w->isVisible(); });
}

} // namespace

Application::Application(Program& program, bool startedByBus)
    : program_(program)
    , startedByBus_(startedByBus) {
    new ApplicationAdaptor(this);
    // The end is decided here: a copied drill may outlive the windows.
    QApplication::setQuitOnLastWindowClosed(false);
    connect(qApp, &QGuiApplication::lastWindowClosed, this, &Application::endIfIdle,
            Qt::QueuedConnection);
    connect(QGuiApplication::clipboard(), &QClipboard::changed, this, &Application::endIfIdle,
            Qt::QueuedConnection);
    idle_.setSingleShot(true);
    idle_.setInterval(idleTime());
    connect(&idle_, &QTimer::timeout, this, &Application::endIfIdle);
    if (startedByBus_)
        idle_.start();
}

Application::~Application() = default;

bool Application::registerOnSessionBus() {
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.isConnected())
        return true; // no session, no other Vornel in it
    // The object first: a call that started the process comes as soon as
    // the name is taken.
    if (!bus.registerObject(QString::fromLatin1(kApplicationPath), this,
                            QDBusConnection::ExportAdaptors))
        return true;
    return bus.interface()->registerService(QString::fromLatin1(kApplicationService),
                                            QDBusConnectionInterface::DontQueueService,
                                            QDBusConnectionInterface::DontAllowReplacement) ==
           QDBusConnectionInterface::ServiceRegistered;
}

void Application::useActivationToken(const QVariantMap& platformData) {
    // Qt's Wayland plugin hands XDG_ACTIVATION_TOKEN to the compositor with
    // the next window that asks to be activated (xdg_activation_v1), and
    // forgets it. A launcher on Wayland may give the token as the startup id.
    // On X11, Qt 6.4 takes a startup id only from the environment when it
    // connects to the display, which a running program did long ago.
    QString token = platformData.value(QStringLiteral("activation-token")).toString();
    if (token.isEmpty() && QGuiApplication::platformName() == u"wayland")
        token = platformData.value(QStringLiteral("desktop-startup-id")).toString();
    if (!token.isEmpty() && token.size() <= kLongestToken)
        qputenv("XDG_ACTIVATION_TOKEN", token.toUtf8());
}

void Application::completeStartup(const QWidget* window, const QVariantMap& platformData) {
    const QString id = platformData.value(QStringLiteral("desktop-startup-id")).toString();
    if (window && id.size() <= kLongestToken && QGuiApplication::platformName() == u"xcb")
        completeStartupOnX11(*window, id);
}

void Application::Activate(const QVariantMap& platformData) {
    requested();
    useActivationToken(platformData);
    if (MenuWindow* menu = program_.menu()) {
        if (const auto error = showModeless(*menu))
            reportRunTimeError(*error);
    } else if (const auto error = program_.start()) {
        reportRunTimeError(*error);
    }
    completeStartup(program_.menu(), platformData);
}

void Application::Open(const QStringList& uris, const QVariantMap& platformData) {
    Q_UNUSED(uris);
    Activate(platformData);
}

void Application::ActivateAction(const QString& action, const QVariantList& parameter,
                                 const QVariantMap& platformData) {
    requested();
    const QString text = stringParameter(parameter);
    if (action == QLatin1StringView(kSearchAction)) {
        useActivationToken(platformData);
        program_.openSearch(0, text.size() <= kLongestQuery ? text : QString(), true);
        completeStartup(program_.searchWindow(), platformData);
        return;
    }
    const std::optional<search::SearchResult> result = search_.result(text);
    if (!result)
        return;
    if (action == QLatin1StringView(kChartAction)) {
        useActivationToken(platformData);
        // A thread the standards give has no chart: the search window shows
        // it, with the query that found it.
        if (result->chart) {
            program_.openChartAt(result->position, result->line);
            completeStartup(program_.registry().window(result->position), platformData);
        } else {
            program_.openSearch(0, text.mid(text.indexOf(u':') + 1), true);
            completeStartup(program_.searchWindow(), platformData);
        }
    } else if (action == QLatin1StringView(kCopyDrillAction) && !result->drill.empty()) {
        copyToClipboard(toQString(result->drill));
        keepsCopiedDrill_ = true;
    }
}

void Application::requested() {
    if (startedByBus_)
        idle_.start();
}

void Application::endIfIdle() {
    if (anyWindowVisible())
        return;
    if (keepsCopiedDrill_ && QGuiApplication::clipboard()->ownsClipboard())
        return;
    // Started by the bus and asked for no window, or not yet.
    if (idle_.isActive())
        return;
    QCoreApplication::quit();
}

} // namespace vornel
