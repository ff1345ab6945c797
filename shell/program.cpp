#include "shell/program.h"

#include "charts/charts.h"
#include "shell/menu_window.h"

#include <new>

namespace vornel {

Program::Program(ChartWindowFactory makeChartWindow, MenuWindowFactory makeMenu)
    : registry_(charts::allCharts(), std::move(makeChartWindow))
    , makeMenu_(std::move(makeMenu)) {
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
