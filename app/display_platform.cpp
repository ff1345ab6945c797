#include "app/display_platform.h"

#include <QtGlobal>

namespace vornel {

QByteArray chooseDisplayPlatform(const DisplayEnvironment& environment) {
    if (!environment.qtPlatform.isEmpty() || environment.waylandDisplay.isEmpty())
        return {};
    return environment.x11Display.isEmpty() ? QByteArrayLiteral("wayland")
                                            : QByteArrayLiteral("xcb");
}

void applyDisplayPlatformChoice() {
    const QByteArray platform = chooseDisplayPlatform({
        .waylandDisplay = qgetenv("WAYLAND_DISPLAY"),
        .x11Display = qgetenv("DISPLAY"),
        .qtPlatform = qgetenv("QT_QPA_PLATFORM"),
    });
    if (!platform.isEmpty())
        qputenv("QT_QPA_PLATFORM", platform);
}

} // namespace vornel
