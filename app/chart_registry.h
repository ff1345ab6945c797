#pragma once

#include "app/run_time_error.h"
#include "chart_model/chart_definition.h"
#include "charts/charts.h"

#include <QPointer>
#include <array>
#include <functional>
#include <optional>

namespace vornel {

class ChartWindow;

// Makes the window of a chart; null if it cannot.
using ChartWindowFactory = std::function<ChartWindow*(const ChartDefinition&)>;

// The ten charts in the order of the menu's buttons, and beside each the
// slot of its window.
class ChartRegistry {
public:
    static constexpr int kSize = charts::kChartCount;
    using Charts = std::array<const ChartDefinition*, kSize>;

    explicit ChartRegistry(const Charts& charts, ChartWindowFactory makeWindow = {});
    ~ChartRegistry();
    ChartRegistry(const ChartRegistry&) = delete;
    ChartRegistry& operator=(const ChartRegistry&) = delete;

    // Opens the chart at `position` (1 to 10): creates its window if it has
    // none, then shows it modeless and activates it. A position without a
    // chart does nothing.
    std::optional<RunTimeError> openChart(int position);

    const ChartDefinition* chart(int position) const;
    // The chart's open window, or null.
    ChartWindow* window(int position) const;

private:
    Charts charts_;
    ChartWindowFactory makeWindow_;
    std::array<QPointer<ChartWindow>, kSize> slots_;
};

} // namespace vornel
