#pragma once

#include <QList>
#include <QMetaType>
#include <QString>
#include <QVariantMap>

class QDBusArgument;

namespace vornel {

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
// org.gnome.Shell.SearchProvider2's result metas, aa{sv}.
using ResultMetas = QList<QVariantMap>;

QDBusArgument& operator<<(QDBusArgument& argument, const RemoteMatch& match);
const QDBusArgument& operator>>(const QDBusArgument& argument, RemoteMatch& match);
QDBusArgument& operator<<(QDBusArgument& argument, const RemoteAction& action);
const QDBusArgument& operator>>(const QDBusArgument& argument, RemoteAction& action);

// Makes the types above known to Qt D-Bus; before the first call.
void registerDesktopSearchTypes();

} // namespace vornel

Q_DECLARE_METATYPE(vornel::RemoteMatch)
Q_DECLARE_METATYPE(vornel::RemoteAction)
