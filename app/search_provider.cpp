#include "app/search_provider.h"

#include "app/program.h"
#include "chart_model/chart_text.h"
#include "charts/charts.h"
#include "search/search_result_model.h"
#include "windows/clipboard.h"

#include <QApplication>
#include <QClipboard>
#include <QDBusArgument>
#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusMetaType>
#include <QVariantMap>
#include <algorithm>
#include <chrono>
#include <cstdio>

// org.kde.krunner1's structures: a match (sssida{sv}) and an action (sss).
struct RemoteMatch {
    QString id;
    QString text;
    QString iconName;
    int type = 0; // KRunner's match types: 100 exact, 30 possible
    double relevance = 0;
    QVariantMap properties;
};
struct RemoteAction {
    QString id;
    QString text;
    QString iconName;
};
using RemoteMatches = QList<RemoteMatch>;
using RemoteActions = QList<RemoteAction>;
using ResultMetas = QList<QVariantMap>;
Q_DECLARE_METATYPE(RemoteMatch)
Q_DECLARE_METATYPE(RemoteAction)

QDBusArgument& operator<<(QDBusArgument& argument, const RemoteMatch& match) {
    argument.beginStructure();
    argument << match.id << match.text << match.iconName << match.type << match.relevance
             << match.properties;
    argument.endStructure();
    return argument;
}

const QDBusArgument& operator>>(const QDBusArgument& argument, RemoteMatch& match) {
    argument.beginStructure();
    argument >> match.id >> match.text >> match.iconName >> match.type >> match.relevance >>
        match.properties;
    argument.endStructure();
    return argument;
}

QDBusArgument& operator<<(QDBusArgument& argument, const RemoteAction& action) {
    argument.beginStructure();
    argument << action.id << action.text << action.iconName;
    argument.endStructure();
    return argument;
}

const QDBusArgument& operator>>(const QDBusArgument& argument, RemoteAction& action) {
    argument.beginStructure();
    argument >> action.id >> action.text >> action.iconName;
    argument.endStructure();
    return argument;
}

namespace vornel {

namespace {

using search::SearchResult;
using search::SearchResultModel;

constexpr std::chrono::milliseconds kIdleTime = std::chrono::seconds(30);
const QString kIcon = QStringLiteral(VORNEL_APP_ID);
const QString kCopyDrill = QStringLiteral("copy-drill");

std::u16string_view view(const QString& text) {
    return {reinterpret_cast<const char16_t*>(text.utf16()), static_cast<std::size_t>(text.size())};
}

// The normalized text without its leading letters, the family's prefix: "M8"
// and the chart's "8", "PF1/4" and the chart's "G 1/4" are the same size.
std::u16string sizePart(std::u16string_view text) {
    std::u16string normalized = search::normalizedText(text);
    std::size_t letters = 0;
    while (letters < normalized.size() &&
           ((normalized[letters] >= u'a' && normalized[letters] <= u'z') ||
            normalized[letters] == u'#'))
        ++letters;
    return normalized.substr(letters);
}

int rankOf(const SearchResult& result, std::u16string_view query) {
    if (result.byDesignation)
        return sizePart(result.designation) == sizePart(query) ? 3 : 2;
    return result.drillMatch == search::DrillMatch::Drill ? 1 : 0;
}

std::chrono::milliseconds idleTime() {
    bool ok = false;
    const int ms = qEnvironmentVariableIntValue("VORNEL_PROVIDER_IDLE_MS", &ok);
    return ok && ms > 0 ? std::chrono::milliseconds(ms) : kIdleTime;
}

// org.gnome.Shell.SearchProvider2 at kGnomeSearchProviderPath. The slots'
// names are the interface's methods.
class GnomeSearchProvider final : public QObject {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.gnome.Shell.SearchProvider2")
public:
    explicit GnomeSearchProvider(DesktopSearch& search)
        : QObject(&search)
        , search_(search) {}

public slots:
    Q_SCRIPTABLE QStringList GetInitialResultSet(const QStringList& terms) {
        search_.called();
        QStringList ids;
        for (const DesktopSearch::Answer& answer : search_.answers(terms))
            ids.append(answer.id);
        return ids;
    }

    // The refined terms are searched afresh: that is as quick as looking
    // through the previous results.
    Q_SCRIPTABLE QStringList GetSubsearchResultSet(const QStringList& previousResults,
                                                   const QStringList& terms) {
        Q_UNUSED(previousResults);
        return GetInitialResultSet(terms);
    }

    Q_SCRIPTABLE ResultMetas GetResultMetas(const QStringList& ids) {
        search_.called();
        ResultMetas metas;
        for (const QString& id : ids) {
            const std::optional<SearchResult> result = search_.result(id);
            if (!result)
                continue;
            QVariantMap meta{{QStringLiteral("id"), id},
                             {QStringLiteral("name"), DesktopSearch::name(*result)},
                             {QStringLiteral("description"), DesktopSearch::description(*result)},
                             {QStringLiteral("gicon"), kIcon}};
            // Ctrl+C on the result copies the bare drill, where it has one.
            if (!result->drill.empty())
                meta.insert(QStringLiteral("clipboardText"), toQString(result->drill));
            metas.append(meta);
        }
        return metas;
    }

    Q_SCRIPTABLE void ActivateResult(const QString& id, const QStringList& terms, uint timestamp) {
        Q_UNUSED(terms);
        Q_UNUSED(timestamp);
        search_.called();
        if (const std::optional<SearchResult> result = search_.result(id))
            search_.open(*result);
    }

    Q_SCRIPTABLE void LaunchSearch(const QStringList& terms, uint timestamp) {
        Q_UNUSED(timestamp);
        search_.called();
        search_.openSearch(terms);
    }

private:
    DesktopSearch& search_;
};

// org.kde.krunner1 at kKRunnerPath.
class KRunner final : public QObject {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.kde.krunner1")
public:
    explicit KRunner(DesktopSearch& search)
        : QObject(&search)
        , search_(search) {}

public slots:
    Q_SCRIPTABLE RemoteActions Actions() {
        search_.called();
        return {{kCopyDrill, QStringLiteral("ドリル径をコピー"), QStringLiteral("edit-copy")}};
    }

    Q_SCRIPTABLE RemoteMatches Match(const QString& query) {
        search_.called();
        RemoteMatches matches;
        const std::vector<DesktopSearch::Answer> answers = search_.answers({query});
        for (std::size_t i = 0; i < answers.size(); ++i) {
            const DesktopSearch::Answer& answer = answers[i];
            // Within a rank the search's order, which the relevance keeps.
            const double relevance =
                std::max(0.01, 0.25 * (answer.rank + 1) - 0.001 * static_cast<double>(i));
            QVariantMap properties{
                {QStringLiteral("subtext"), DesktopSearch::description(answer.result)}};
            properties.insert(QStringLiteral("actions"), answer.result.drill.empty()
                                                             ? QStringList()
                                                             : QStringList{kCopyDrill});
            matches.append({answer.id, DesktopSearch::name(answer.result), kIcon,
                            answer.rank == 3 ? 100 : 30, relevance, properties});
        }
        return matches;
    }

    Q_SCRIPTABLE void Run(const QString& matchId, const QString& actionId) {
        search_.called();
        const std::optional<SearchResult> result = search_.result(matchId);
        if (!result)
            return;
        if (actionId.isEmpty())
            search_.open(*result);
        else if (actionId == kCopyDrill)
            copyToClipboard(toQString(result->drill));
    }

    Q_SCRIPTABLE void Teardown() { search_.called(); }

private:
    DesktopSearch& search_;
};

} // namespace

DesktopSearch::DesktopSearch()
    : index_(charts::allCharts()) {
    idle_.setSingleShot(true);
    idle_.setInterval(idleTime());
    connect(&idle_, &QTimer::timeout, this, &DesktopSearch::endIfIdle);
    // The idle time starts again when the last window is closed.
    connect(qApp, &QGuiApplication::lastWindowClosed, this, &DesktopSearch::called);
    idle_.start();
}

DesktopSearch::~DesktopSearch() = default;

QString DesktopSearch::registerOnSessionBus() {
    qDBusRegisterMetaType<RemoteMatch>();
    qDBusRegisterMetaType<RemoteMatches>();
    qDBusRegisterMetaType<RemoteAction>();
    qDBusRegisterMetaType<RemoteActions>();
    qDBusRegisterMetaType<ResultMetas>();
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.isConnected())
        return bus.lastError().message();
    // The objects first: a call that started the process comes as soon as
    // the name is taken.
    constexpr auto exported = QDBusConnection::ExportScriptableSlots;
    if (!bus.registerObject(QString::fromLatin1(kGnomeSearchProviderPath),
                            new GnomeSearchProvider(*this), exported) ||
        !bus.registerObject(QString::fromLatin1(kKRunnerPath), new KRunner(*this), exported))
        return QStringLiteral("D-Bus のオブジェクトを登録できません。");
    const QString service = QString::fromLatin1(kSearchProviderService);
    if (bus.interface()->registerService(service, QDBusConnectionInterface::DontQueueService,
                                         QDBusConnectionInterface::DontAllowReplacement) !=
        QDBusConnectionInterface::ServiceRegistered)
        return QStringLiteral("%1 はすでに使われています。").arg(service);
    return {};
}

const std::vector<SearchResult>& DesktopSearch::find(const QString& query) {
    if (query != lastQuery_) {
        // No designation or drill is near this long; a caller's megabytes
        // of terms are not worth normalizing.
        constexpr qsizetype kLongestQuery = 256;
        lastResults_ =
            query.size() > kLongestQuery ? std::vector<SearchResult>() : index_.find(view(query));
        lastQuery_ = query;
    }
    return lastResults_;
}

std::vector<DesktopSearch::Answer> DesktopSearch::answers(const QStringList& terms) {
    const QString query = terms.join(u' ');
    const std::vector<SearchResult>& results = find(query);
    std::vector<Answer> answers;
    answers.reserve(results.size());
    for (std::size_t i = 0; i < results.size(); ++i)
        answers.push_back(
            {QString::number(i) + u':' + query, results[i], rankOf(results[i], view(query))});
    std::stable_sort(answers.begin(), answers.end(),
                     [](const Answer& a, const Answer& b) { return a.rank > b.rank; });
    return answers;
}

std::optional<SearchResult> DesktopSearch::result(const QString& id) {
    const qsizetype colon = id.indexOf(u':');
    // At most four digits: no query finds more results than that.
    if (colon < 1 || colon > 4)
        return std::nullopt;
    const QStringView number = QStringView(id).left(colon);
    if (!std::all_of(number.begin(), number.end(), [](QChar c) { return c >= u'0' && c <= u'9'; }))
        return std::nullopt;
    const std::size_t n = number.toUInt();
    const std::vector<SearchResult>& results = find(id.mid(colon + 1));
    if (n >= results.size())
        return std::nullopt;
    return results[n];
}

QString DesktopSearch::name(const SearchResult& result) {
    return QStringLiteral("%1（%2）")
        .arg(SearchResultModel::text(result, SearchResultModel::Designation),
             SearchResultModel::text(result, SearchResultModel::Chart));
}

QString DesktopSearch::description(const SearchResult& result) {
    // The drill and the limits first, then any further value the search
    // window shows (the ひっかかり率 ...), named by its column, then how a
    // drill matched ("呼び" says no more than the name).
    QStringList parts, further;
    QString match;
    for (int column = 0; column < SearchResultModel::ColumnCount; ++column) {
        const QString text = SearchResultModel::text(result, column);
        if (text.isEmpty())
            continue;
        switch (column) {
        case SearchResultModel::Chart:
        case SearchResultModel::Designation:
            break; // in the name
        case SearchResultModel::Kind:
        case SearchResultModel::Limits:
            parts.append(text); // says what it is: "Rc(PT)", "めねじ内径 6.647～6.912"
            break;
        case SearchResultModel::Drill:
            parts.append(SearchResultModel::columnName(column) + u' ' + text);
            break;
        case SearchResultModel::Match:
            if (result.drillMatch != search::DrillMatch::None)
                match = text;
            break;
        default:
            further.append(SearchResultModel::columnName(column) + u' ' + text);
        }
    }
    parts += further;
    if (!match.isEmpty())
        parts.append(match);
    return parts.join(QStringLiteral("、"));
}

Program& DesktopSearch::program() {
    if (!program_)
        program_ = std::make_unique<Program>();
    return *program_;
}

void DesktopSearch::open(const SearchResult& result) {
    program().openChartAt(result.position, result.line);
}

void DesktopSearch::openSearch(const QStringList& terms) {
    program().openSearch(0, terms.join(u' '));
}

void DesktopSearch::called() {
    idle_.start();
}

void DesktopSearch::endIfIdle() {
    const QWidgetList windows = QApplication::topLevelWidgets();
    const bool windowOpen = std::any_of(windows.begin(), windows.end(),
                                        [](const QWidget* w) { return w->isVisible(); });
    // A drill copied to the clipboard is lost on X11 when its owner ends.
    if (windowOpen || QGuiApplication::clipboard()->ownsClipboard()) {
        idle_.start();
        return;
    }
    QCoreApplication::quit();
}

int runSearchProvider() {
    QApplication::setQuitOnLastWindowClosed(false);
    DesktopSearch search;
    if (const QString error = search.registerOnSessionBus(); !error.isEmpty()) {
        std::fprintf(stderr, "vornel: %s\n", qUtf8Printable(error));
        return 1;
    }
    const int status = QApplication::exec();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    return status;
}

} // namespace vornel

#include "search_provider.moc"
