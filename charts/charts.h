#pragma once

#include "chart_model/chart_definition.h"

#include <array>

namespace vornel::charts {

extern const ChartDefinition kMetricChart;
extern const ChartDefinition kUnifiedChart;
extern const ChartDefinition kWhitworthInchChart;
extern const ChartDefinition kWhitworthMetricChart;
extern const ChartDefinition kInsertMetricChart;
extern const ChartDefinition kInsertUnifiedChart;
extern const ChartDefinition kBritishTaperPipeChart;
extern const ChartDefinition kBritishParallelPipeChart;
extern const ChartDefinition kAmericanPipeChart;
extern const ChartDefinition kFlutelessTapChart;

// The charts in the order of the menu's buttons (position 1 first).
inline constexpr int kChartCount = 10;
std::array<const ChartDefinition*, kChartCount> allCharts();

} // namespace vornel::charts
