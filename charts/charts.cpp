#include "charts/charts.h"

namespace vornel::charts {

std::array<const ChartDefinition*, kChartCount> allCharts() {
    return {
        &kMetricChart,          // 1 メートルねじ
        &kUnifiedChart,         // 2 ユニファイねじ
        &kWhitworthInchChart,   // 3 ウィットねじ（インチ呼び）
        &kWhitworthMetricChart, // 4 ウィットねじ（メートル呼び）
        nullptr,                // 5
        nullptr,                // 6
        nullptr,                // 7
        &kInsertMetricChart,    // 8 インサートメートルねじ
        &kInsertUnifiedChart,   // 9 インサートユニファイねじ
        nullptr,                // 10
    };
}

} // namespace vornel::charts
