#include "shell/program.h"

#include "charts/charts.h"
#include "shell/menu_window.h"

#include <QApplication>
#include <new>

namespace vornel {

QFont japaneseInterfaceFont(const QFont& systemFont) {
    QFont font = systemFont;
    font.setFamilies({QStringLiteral("MS UI Gothic"), QStringLiteral("IPAPGothic"),
                      QStringLiteral("VL PGothic"), systemFont.family()});
    return font;
}

Program::Program(ChartWindowFactory makeChartWindow, MenuWindowFactory makeMenu)
    : registry_(charts::allCharts(), std::move(makeChartWindow))
    , makeMenu_(std::move(makeMenu)) {
    QApplication::setFont(japaneseInterfaceFont(QApplication::font()));
    // Ties the windows to the installed desktop entry: its name and icon in
    // the task bar, and the app id on Wayland.
    QGuiApplication::setDesktopFileName(QStringLiteral(VORNEL_APP_ID));
    if (!makeMenu_)
        makeMenu_ = [](ChartRegistry& registry) { return new MenuWindow(registry); };
}

Program::~Program() = default;

std::optional<RunTimeError> Program::start() {
    try {
        menu_.reset(makeMenu_(registry_));
    } catch (const std::bad_alloc&) {
        return errors::outOfMemory();
    }
    if (!menu_)
        return errors::cannotCreateWindow();
    return showModeless(*menu_);
}

} // namespace vornel
