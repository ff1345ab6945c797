#pragma once

#include <QString>
#include <QStringView>
#include <cstdint>

class QWidget;

namespace vornel {

// A launcher on X11 gives each start a startup id (DESKTOP_STARTUP_ID),
// which ends in "_TIME" and the X server time of the user's click. Qt reads
// it only when it connects to the display; a running Vornel that a second
// start hands over to gets it as platform data, and does here what Qt does
// for the first window of a new process.

// The X server time in a startup id ("…_TIME12345"), or 0 where it has none.
std::uint32_t startupIdTime(QStringView startupId);

// The startup notification's message that ends the launch of `startupId`:
// "remove: ID=…", with spaces, quotes and backslashes escaped.
QByteArray startupRemoveMessage(QStringView startupId);

// On X11, ends the launcher's feedback for `startupId` (its busy cursor)
// and asks the window manager to activate `window` as of the id's time, so
// that focus-stealing prevention weighs the click that started it, not the
// last event this process saw. Elsewhere, or without an id, nothing.
void completeStartupOnX11(const QWidget& window, const QString& startupId);

} // namespace vornel
