#include "app/application.h"

#include "app/idle_time.h"
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
#include <QDBusVariant>
#include <QWidget>
#include <algorithm>

namespace vornel {

namespace {

// No token or startup id is near this long.
constexpr qsizetype kLongestToken = 1024;

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

QString activationToken(const QVariantMap& platformData, QStringView platform) {
    QString token = platformData.value(QStringLiteral("activation-token")).toString();
    if (token.isEmpty() && platform == u"wayland")
        token = platformData.value(QStringLiteral("desktop-startup-id")).toString();
    return token.size() <= kLongestToken ? token : QString();
}

int runApplication(int& argc, char* argv[], const CommandLine& command,
                   const std::function<void(Program&)>& made) {
    // Who is Vornel is decided before any window is shown, on a thread of
    // its own, which connects to the bus, exports the application's object
    // and takes the name while the application object and the menu are
    // made; the menu is shown only where this process is Vornel, once the
    // event loop runs.
    SessionClaim claim(command);
    const bool startedByBus = command.mode == CommandMode::Service;
    std::optional<QApplication> app;
    Application application(startedByBus);
    std::optional<Program> program;
    std::optional<RunTimeError> menuError;
    claim.claim(&application, [&](Claim claimed) {
        if (claimed != Claim::Owner) {
            QCoreApplication::exit(0);
        } else if (startedByBus) {
            // No window until one is asked for.
        } else if (const auto error = menuError ? menuError : program->start()) {
            reportRunTimeError(*error);
        } else if (command.mode == CommandMode::Search) {
            program->openSearch(0, command.query);
        }
    });
    app.emplace(argc, argv);
    program.emplace();
    application.serve(*program);
    if (!startedByBus)
        menuError = program->makeMenu();
    if (made)
        made(*program);
    const int status = QApplication::exec();
    claim.stop();
    // Windows closed just before the end still wait for their deferred delete.
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    return status;
}

Application::Application(bool startedByBus)
    : startedByBus_(startedByBus) {
    new ApplicationAdaptor(this);
    setIdleTime(idle_, "VORNEL_IDLE_MS");
}

void Application::serve(Program& program) {
    program_ = &program;
    search_.emplace(program.searchIndex());
    // The end is decided here: a copied drill may outlive the windows.
    QApplication::setQuitOnLastWindowClosed(false);
    connect(qApp, &QGuiApplication::lastWindowClosed, this, &Application::endIfIdle,
            Qt::QueuedConnection);
    connect(QGuiApplication::clipboard(), &QClipboard::changed, this, &Application::endIfIdle,
            Qt::QueuedConnection);
    connect(&idle_, &QTimer::timeout, this, &Application::endIfIdle);
    if (startedByBus_)
        idle_.start();
}

Application::~Application() = default;

void Application::useActivationToken(const QVariantMap& platformData) {
    // Qt's Wayland plugin hands XDG_ACTIVATION_TOKEN to the compositor with
    // the next window that asks to be activated (xdg_activation_v1), and
    // forgets it. A launcher on Wayland may give the token as the startup id.
    // On X11, Qt 6.4 takes a startup id only from the environment when it
    // connects to the display, which a running program did long ago.
    const QString token = activationToken(platformData, QGuiApplication::platformName());
    if (!token.isEmpty())
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
    if (const auto error = program_->start())
        reportRunTimeError(*error);
    completeStartup(program_->menu(), platformData);
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
        program_->openSearch(0, text, true);
        completeStartup(program_->searchWindow(), platformData);
        return;
    }
    const std::optional<search::SearchResult> result = search_->result(text);
    if (!result)
        return;
    if (action == QLatin1StringView(kChartAction)) {
        useActivationToken(platformData);
        // A thread the standards give has no chart: the search window shows
        // it, with the query that found it.
        if (result->chart) {
            program_->openChartAt(result->position, result->line);
            completeStartup(program_->registry().window(result->position), platformData);
        } else {
            program_->openSearch(0, text.mid(text.indexOf(u':') + 1), true);
            completeStartup(program_->searchWindow(), platformData);
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
