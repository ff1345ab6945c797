#include "charts/charts.h"

namespace vornel::charts {
namespace {

// clang-format off
constexpr ChartLine kLines[] = {
    u"インサートメートルねじ",
    u"\t\t\t単位：mm",
    u"\t適用\tタップ下穴径",
    u"ねじの呼び\tドリル径\t最小寸法\t最大寸法",
    u"M 2 × 0.4\t2.1\t2.1\t2.17",
    u"2.2 × 0.45\t2.3\t2.31\t2.39",
    u"2.5 × 0.45\t2.6\t2.6\t2.65",
    u"2.6 × 0.45\t2.7\t2.7\t2.75",
    u"3 × 0.5\t3.1\t3.12\t3.2",
    u"3.5 × 0.6\t3.7\t3.65\t3.75",
    u"4 × 0.7\t4.2\t4.17\t4.3",
    u"5 × 0.8\t5.2\t5.16\t5.33",
    u"6 × 1\t6.3\t6.25\t6.42",
    u"8 × 1.25\t8.4\t8.31\t8.52",
    u"8 × 1\t8.3\t8.25\t8.42",
    u"10 × 1.5\t10.5\t10.37\t10.62",
    u"10 × 1.25\t10.4\t10.31\t10.52",
    u"10 × 1\t10.3\t10.25\t10.42",
    u"12 × 1.75\t12.5\t12.43\t12.73",
    u"12 × 1.5\t12.5\t12.37\t12.62",
    u"12 × 1.25\t12.5\t12.31\t12.52",
    u"14 × 2\t14.5\t14.49\t14.83",
    u"14 × 1.5\t14.5\t14.37\t14.62",
    u"14 × 1.25\t14.4\t14.31\t14.52",
    u"16 × 2\t16.5\t16.49\t16.83",
    u"16 × 1.5\t16.5\t16.37\t16.62",
    u"18 × 2.5\t19\t18.58\t19.04",
    u"18 × 1.5\t18.5\t18.37\t18.62",
    u"20 × 2.5\t21\t20.58\t21.04",
    u"20 × 1.5\t20.5\t20.37\t20.62",
    u"22 × 2.5\t23\t22.58\t23.04",
    u"22 × 1.5\t22.5\t22.37\t22.62",
    u"24 × 3\t25\t24.7\t25.25",
    u"24 × 1.5\t24.5\t24.37\t24.62",
};
// clang-format on

// What each field of a data row holds.
// clang-format off
constexpr ChartColumn kColumns[] = {
    {ColumnRole::Designation, u"ねじの呼び", Unit::None},
    {ColumnRole::Drill, u"ドリル径"},
    {ColumnRole::Minimum, u"最小寸法", Unit::Millimetre, Limits::PilotHole},
    {ColumnRole::Maximum, u"最大寸法", Unit::Millimetre, Limits::PilotHole},
};
// clang-format on

} // namespace

const ChartDefinition kInsertMetricChart{
    .identifier = "Form9",
    .title = u"インサートメートルねじ",
    .clientArea = {4395, 2205, 6720, 8385},
    .placement = Placement::StoredPosition,
    .icon = WindowIcon::ChartIcon,
    .background = Background::WindowFace,
    .listRect = {0, 0, 6735, 8460},
    .listFont = kChartListFont,
    .lines = kLines,
    .headingLines = 4,
    .dataRows = 30,
    .footnote = std::nullopt,
    .columns = kColumns,
    .threadForm = {threads::Family::IsoMetric, threads::Profile::None,
                   threads::SizeUnit::Millimetre, threads::PitchUnit::Millimetre},
};

} // namespace vornel::charts
