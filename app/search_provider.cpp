#include "app/search_provider.h"

#include "app/idle_time.h"
#include "app/running_vornel.h"
#include "charts/charts.h"
#include "krunner_adaptor.h"
#include "search_provider_adaptor.h"

#include <QCoreApplication>
#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <cstdio>

namespace vornel {

SearchProvider::SearchProvider()
    : index_(charts::allCharts())
    , search_(index_) {
    setIdleTime(idle_, "VORNEL_PROVIDER_IDLE_MS");
    connect(&idle_, &QTimer::timeout, qApp, &QCoreApplication::quit);
    idle_.start();
}

SearchProvider::~SearchProvider() = default;

QString SearchProvider::registerOnSessionBus() {
    registerDesktopSearchTypes();
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.isConnected())
        return bus.lastError().message();
    auto* gnome = new GnomeSearchProvider(*this);
    new SearchProvider2Adaptor(gnome);
    auto* krunner = new KRunnerProvider(*this);
    new Krunner1Adaptor(krunner);
    // The objects first: a call that started the process comes as soon as
    // the name is taken.
    constexpr auto exported = QDBusConnection::ExportAdaptors;
    if (!bus.registerObject(QString::fromLatin1(kGnomeSearchProviderPath), gnome, exported) ||
        !bus.registerObject(QString::fromLatin1(kKRunnerPath), krunner, exported))
        return QStringLiteral("D-Bus のオブジェクトを登録できません。");
    const QString service = QString::fromLatin1(kSearchProviderService);
    if (bus.interface()->registerService(service, QDBusConnectionInterface::DontQueueService,
                                         QDBusConnectionInterface::DontAllowReplacement) !=
        QDBusConnectionInterface::ServiceRegistered)
        return QStringLiteral("%1 はすでに使われています。").arg(service);
    return {};
}

void SearchProvider::askApplication(const QString& action, const QString& parameter) {
    // The desktop gives the provider no activation token to pass on.
    if (!QDBusConnection::sessionBus().send(applicationCall(action, parameter, {})))
        std::fprintf(stderr, "vornel: %s\n",
                     qUtf8Printable(QDBusConnection::sessionBus().lastError().message()));
}

void SearchProvider::called() {
    idle_.start();
}

GnomeSearchProvider::GnomeSearchProvider(SearchProvider& provider)
    : QObject(&provider)
    , provider_(provider) {}

QStringList GnomeSearchProvider::GetInitialResultSet(const QStringList& terms) {
    provider_.called();
    QStringList ids;
    for (const DesktopSearch::Answer& answer : provider_.search().answers(terms))
        ids.append(answer.id);
    return ids;
}

// The refined terms are searched afresh: that is as quick as looking
// through the previous results.
QStringList GnomeSearchProvider::GetSubsearchResultSet(const QStringList& previousResults,
                                                       const QStringList& terms) {
    Q_UNUSED(previousResults);
    return GetInitialResultSet(terms);
}

ResultMetas GnomeSearchProvider::GetResultMetas(const QStringList& ids) {
    provider_.called();
    return provider_.search().metas(ids);
}

void GnomeSearchProvider::ActivateResult(const QString& id, const QStringList& terms,
                                         uint timestamp) {
    Q_UNUSED(terms);
    Q_UNUSED(timestamp);
    provider_.called();
    if (provider_.search().result(id))
        provider_.askApplication(QString::fromLatin1(kChartAction), id);
}

void GnomeSearchProvider::LaunchSearch(const QStringList& terms, uint timestamp) {
    Q_UNUSED(timestamp);
    provider_.called();
    provider_.askApplication(QString::fromLatin1(kSearchAction), DesktopSearch::query(terms));
}

KRunnerProvider::KRunnerProvider(SearchProvider& provider)
    : QObject(&provider)
    , provider_(provider) {}

RemoteActions KRunnerProvider::Actions() {
    provider_.called();
    return DesktopSearch::actions();
}

RemoteMatches KRunnerProvider::Match(const QString& query) {
    provider_.called();
    return provider_.search().matches(query);
}

void KRunnerProvider::Run(const QString& matchId, const QString& actionId) {
    provider_.called();
    const std::optional<search::SearchResult> result = provider_.search().result(matchId);
    if (!result)
        return;
    if (actionId.isEmpty())
        provider_.askApplication(QString::fromLatin1(kChartAction), matchId);
    else if (actionId == QLatin1StringView(kCopyDrillAction) && !result->drill.empty())
        provider_.askApplication(actionId, matchId);
}

void KRunnerProvider::Teardown() {
    provider_.called();
}

int runSearchProvider(int argc, char* argv[]) {
    QCoreApplication app(argc, argv);
    SearchProvider provider;
    if (const QString error = provider.registerOnSessionBus(); !error.isEmpty()) {
        std::fprintf(stderr, "vornel: %s\n", qUtf8Printable(error));
        return 1;
    }
    return QCoreApplication::exec();
}

} // namespace vornel
