// Asks KRunner's own RunnerManager, as Plasma's KRunner does, and prints
// the matches of one runner plugin, one a line:
//   text TAB subtext TAB relevance TAB type TAB the actions' texts, joined by "|"
// in the order the manager gives them. With N it then runs the N-th match
// (from 0), with the action of that text where one is given, as Enter or the
// action's button does.
//   krunner_client PLUGIN_ID QUERY [N [ACTION]]
// Exits with 1 where the plugin is not found or the match or action does not
// exist, with 2 on a wrong command line.
#include <KRunner/QueryMatch>
#include <KRunner/RunnerManager>
#include <QAction>
#include <QApplication>
#include <QDBusConnection>
#include <QDBusMessage>
#include <QTextStream>
#include <QTimer>

namespace {

QString cell(QString text) {
    return text.replace(QLatin1Char('\t'), QLatin1Char(' '))
        .replace(QLatin1Char('\n'), QLatin1Char(' '));
}

} // namespace

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    const QStringList arguments = app.arguments().mid(1);
    QTextStream out(stdout);
    QTextStream err(stderr);
    if (arguments.size() < 2 || arguments.size() > 4) {
        err << "usage: krunner_client PLUGIN_ID QUERY [N [ACTION]]\n";
        return 2;
    }
    const QString pluginId = arguments[0];
    bool numbered = true;
    const int run = arguments.size() > 2 ? arguments[2].toInt(&numbered) : -1;
    if (!numbered) {
        err << "krunner_client: N is not a number: " << arguments[2] << '\n';
        return 2;
    }

    // Never deleted: a runner's job may end after queryFinished, and it still
    // uses its runner when Qt shuts ThreadWeaver's queue down at the very end.
    auto& manager = *new Plasma::RunnerManager(QStringLiteral("krunnerrc"));
    QStringList found;
    QString service;
    for (const KPluginMetaData& data : manager.runnerMetaDataList()) {
        found.append(data.pluginId());
        if (data.pluginId() == pluginId)
            service = data.value(QStringLiteral("X-Plasma-DBusRunner-Service"));
    }
    if (!found.contains(pluginId)) {
        err << "krunner_client: no runner " << pluginId
            << " among: " << found.join(QLatin1Char(' ')) << '\n';
        return 1;
    }
    manager.setAllowedRunners({pluginId});

    int status = 0;
    QObject::connect(&manager, &Plasma::RunnerManager::queryFinished, &app, [&] {
        const QList<Plasma::QueryMatch> matches = manager.matches();
        for (const Plasma::QueryMatch& match : matches) {
            QStringList actions;
            for (const QAction* action : manager.actionsForMatch(match))
                actions.append(cell(action->text()));
            out << cell(match.text()) << '\t' << cell(match.subtext()) << '\t' << match.relevance()
                << '\t' << match.type() << '\t' << actions.join(QLatin1Char('|')) << '\n';
        }
        out.flush();
        if (run >= 0) {
            if (run >= matches.size()) {
                err << "krunner_client: no match " << run << '\n';
                status = 1;
            } else {
                Plasma::QueryMatch match = matches[run];
                if (arguments.size() > 3) {
                    QAction* chosen = nullptr;
                    for (QAction* action : manager.actionsForMatch(match)) {
                        if (action->text() == arguments[3])
                            chosen = action;
                    }
                    if (!chosen) {
                        err << "krunner_client: match " << run << " has no action " << arguments[3]
                            << '\n';
                        status = 1;
                        app.quit();
                        return;
                    }
                    match.setSelectedAction(chosen);
                }
                manager.run(match);
                // The runner calls the plugin's Run without waiting; a call
                // after it on the same connection returns once the plugin
                // has read it.
                QDBusConnection::sessionBus().call(QDBusMessage::createMethodCall(
                    service, QStringLiteral("/runner"), QStringLiteral("org.freedesktop.DBus.Peer"),
                    QStringLiteral("Ping")));
            }
        }
        app.quit();
    });
    QTimer::singleShot(20000, &app, [&] {
        err << "krunner_client: the query did not finish\n";
        status = 1;
        app.quit();
    });
    manager.launchQuery(arguments[1]);
    app.exec();
    return status;
}
