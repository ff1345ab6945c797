#pragma once

#include "chart_window/chart_registry.h"
#include "chart_window/run_time_error.h"

#include <QFont>
#include <functional>
#include <memory>
#include <optional>

namespace vornel {

class MenuWindow;

// The system's interface font in the proportional Japanese gothic that a
// Japanese desktop uses for it, so that the long captions fit their buttons.
QFont japaneseInterfaceFont(const QFont& systemFont);

// Makes the menu window; null if it cannot.
using MenuWindowFactory = std::function<MenuWindow*(ChartRegistry&)>;

// The running program: the chart registry and the menu window over it.
class Program {
public:
    explicit Program(ChartWindowFactory makeChartWindow = {}, MenuWindowFactory makeMenu = {});
    ~Program();

    // Creates and shows the menu window. This is all there is to start-up;
    // then the event loop runs until the last window is closed.
    std::optional<RunTimeError> start();

    ChartRegistry& registry() { return registry_; }
    MenuWindow* menu() const { return menu_.get(); }

private:
    ChartRegistry registry_;
    MenuWindowFactory makeMenu_;
    std::unique_ptr<MenuWindow> menu_;
};

} // namespace vornel
