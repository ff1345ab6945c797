#include "charts/charts.h"

namespace vornel::charts {
namespace {

// clang-format off
constexpr ChartLine kLines[] = {
    u"ウィットねじ（メートル呼び）　（注１）",
    u"\t\t（注1）ウイットねじはJISより削除\t単位：mm",
    u"\t\t2級めねじ内径",
    u"ねじの呼び\tドリル径\t最小寸法\t最大寸法",
    u" W 10 ‐20\t8.6\t8.564\t8.684",
    u" 　 10 ‐24\t8.8\t8.804\t8.924",
    u" 　 11 ‐20\t9.6\t9.564\t9.694",
    u" 　 12 ‐18\t10.4\t10.402\t10.532",
    u" 　 12 ‐20\t10.6\t10.564\t10.694",
    u" 　 13 ‐16\t11.2\t11.208\t11.348",
    u" 　 13 ‐20\t11.6\t11.564\t11.694",
    u" 　 14 ‐16\t12.2\t12.208\t12.348",
    u" 　 14 ‐18\t12.4\t12.402\t12.542",
    u" 　 15 ‐18\t13.4\t13.402\t13.542",
    u" 　 16 ‐14\t14\t13.936\t14.086",
    u" 　 16 ‐18\t14.4\t14.402\t14.542",
    u" 　 17 ‐14\t15\t14.936\t15.086",
    u" 　 18 ‐14\t16\t15.936\t16.086",
    u" 　 18 ‐16\t16.2\t16.208\t16.348",
    u" 　 20 ‐12\t17.6\t17.61\t17.77",
    u" 　 20 ‐16\t18.2\t18.208\t18.348",
    u" 　 22 ‐12\t19.6\t19.61\t19.77",
    u" 　 22 ‐14\t20\t19.936\t20.096",
    u" 　 24 ‐14\t22\t21.936\t22.096",
    u" 　 25 ‐14\t23\t22.936\t23.096",
    u" 　 26 ‐14\t24\t23.936\t24.096",
    u" 　 28 ‐12\t25.6\t25.61\t25.77",
    u" 　 30 ‐12\t27.6\t27.61\t27.77",
    u" 　 32 ‐12\t29.6\t29.61\t29.77",
    u" 　 35 ‐12\t32.6\t32.61\t32.77",
    u" 　 36 ‐12\t33.6\t33.61\t33.77",
    u" 　 38 ‐12\t35.6\t35.61\t35.77",
    u" 　 40 ‐12\t37.6\t37.61\t37.77",
};
// clang-format on

// The header lines that are notes, from 0.
constexpr int kNoteLines[] = {1};

// What each field of a data row holds.
// clang-format off
constexpr ChartColumn kColumns[] = {
    {ColumnRole::Designation, u"ねじの呼び", Unit::None},
    {ColumnRole::Drill, u"ドリル径"},
    {ColumnRole::Minimum, u"最小寸法", Unit::Millimetre, Limits::MinorDiameter},
    {ColumnRole::Maximum, u"最大寸法", Unit::Millimetre, Limits::MinorDiameter},
};
// clang-format on

} // namespace

const ChartDefinition kWhitworthMetricChart{
    .identifier = "Form5",
    .title = u"ウィットねじ（メートル呼び）",
    .clientArea = {3975, 1800, 6840, 8025},
    .placement = Placement::StoredPosition,
    .icon = WindowIcon::ChartIcon,
    .background = Background::WindowFace,
    .listRect = {0, 0, 6855, 7980},
    .listFont = kChartListFont,
    .lines = kLines,
    .headingLines = 4,
    .dataRows = 29,
    .footnote = std::nullopt,
    .noteLines = kNoteLines,
    .columns = kColumns,
    .threadForm = {threads::Family::Whitworth, threads::Profile::Whitworth,
                   threads::SizeUnit::Millimetre, threads::PitchUnit::ThreadsPerInch},
};

} // namespace vornel::charts
