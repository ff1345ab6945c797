#include "charts/charts.h"

namespace vornel::charts {

std::array<const ChartDefinition*, kChartCount> allCharts() {
    return {
        &kMetricChart,              // 1 メートルねじ
        &kUnifiedChart,             // 2 ユニファイねじ
        &kWhitworthInchChart,       // 3 ウィットねじ（インチ呼び）
        &kWhitworthMetricChart,     // 4 ウィットねじ（メートル呼び）
        &kBritishTaperPipeChart,    // 5 英式管用テーパねじ
        &kBritishParallelPipeChart, // 6 英式管用平行ねじ（G、PF）
        &kAmericanPipeChart,        // 7 アメリカ標準管用ねじ（NPT、NPS）
        &kInsertMetricChart,        // 8 インサートメートルねじ
        &kInsertUnifiedChart,       // 9 インサートユニファイねじ
        &kFlutelessTapChart,        // 10 溝なしタップメ－トルねじ
    };
}

} // namespace vornel::charts
