#pragma once

#include <QByteArray>

namespace vornel {

// What the environment says about the displays and the user's own choice of
// Qt platform. An empty value is the same as an unset one.
struct DisplayEnvironment {
    QByteArray waylandDisplay; // WAYLAND_DISPLAY
    QByteArray x11Display;     // DISPLAY
    QByteArray qtPlatform;     // QT_QPA_PLATFORM
};

// The Qt platform to run on, or empty to leave the choice to Qt.
//
// Windows open at stored screen positions, and only X11 lets a client place
// its windows. So where both a Wayland and an X display are there and the
// user has not chosen, Vornel runs on X11 (on a Wayland desktop, XWayland).
// On Wayland alone it runs on Wayland and the compositor places the windows.
QByteArray chooseDisplayPlatform(const DisplayEnvironment& environment);

// Reads the environment and, where chooseDisplayPlatform() chooses, sets
// QT_QPA_PLATFORM. Call it before the application object is made.
void applyDisplayPlatformChoice();

} // namespace vornel
