#include "app/run_time_error.h"

#include <QWidget>

namespace vornel::errors {

RunTimeError outOfMemory() {
    return {7, QStringLiteral("メモリが不足しています。")};
}

RunTimeError cannotCreateWindow() {
    return {429, QStringLiteral("ウィンドウを作成できません。")};
}

RunTimeError cannotShowWindow() {
    return {401, QStringLiteral("ウィンドウを表示できません。")};
}

} // namespace vornel::errors

namespace vornel {

std::optional<RunTimeError> showModeless(QWidget& window) {
    window.setWindowModality(Qt::NonModal);
    window.setWindowState(window.windowState() & ~Qt::WindowMinimized);
    window.show();
    if (!window.isVisible())
        return errors::cannotShowWindow();
    window.raise();
    window.activateWindow();
    return std::nullopt;
}

} // namespace vornel
