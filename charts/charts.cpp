#include "charts/charts.h"

namespace vornel::charts {

std::array<const ChartDefinition*, kChartCount> allCharts() {
    return {
        &kMetricChart,              // 1 メートルねじ
        nullptr,                    // 2
        nullptr,                    // 3
        nullptr,                    // 4
        &kBritishTaperPipeChart,    // 5 英式管用テーパねじ
        &kBritishParallelPipeChart, // 6 英式管用平行ねじ（G、PF）
        &kAmericanPipeChart,        // 7 アメリカ標準管用ねじ（NPT、NPS）
        nullptr,                    // 8
        nullptr,                    // 9
        &kFlutelessTapChart,        // 10 溝なしタップメ－トルねじ
    };
}

} // namespace vornel::charts
