#include "charts/charts.h"

namespace vornel::charts {
namespace {

// clang-format off
constexpr ChartLine kLines[] = {
    u"ウィットねじ（インチ呼び）　（注１）",
    u"\t\t（注1）ウイットねじはJISより削除",
    u"\t\t（注2）W3/16以下はBSWに準ずる\t単位：mm",
    u"\t\t2級めねじ内径",
    u"ねじの呼び （注2）\tドリル径\t最小寸法\t最大寸法",
    u"   W 1/8 ‐40\t2.55\t2.362\t2.591",
    u"　 　 3/16 ‐24\t3.7\t3.406\t3.744",
    u"　 　 1/4 ‐20\t5.1\t4.914\t5.204",
    u"　 　 5/16 ‐18\t6.6\t6.34\t6.67",
    u"　 　 3/8 ‐16\t8\t7.733\t8.113",
    u"　 　 7/16 ‐14\t9.4\t9.048\t9.508",
    u"　 　 1/2 ‐12\t10.7\t10.31\t10.83",
    u"　 　 9/16 ‐12\t12.3\t11.898\t12.418",
    u"　 　 5/8 ‐11\t13.7\t13.257\t13.817",
    u"　 　 3/4 ‐10\t16.6\t16.178\t16.778",
    u"　 　 7/8 ‐ 9\t19.5\t19.031\t19.691",
    u"　 　 1 ‐ 8\t22.3\t21.814\t22.514",
    u"　 　 11/8 ‐ 7\t24.9\t24.469\t25.229",
    u"　 　 11/4 ‐ 7\t28\t27.644\t28.404",
    u"　 　 13/8 ‐ 6\t30.5\t30.123\t30.923",
    u"　 　 11/2 ‐ 6\t33.6\t33.298\t34.098",
    u"　 　 15/8 ‐ 5\t36\t35.529\t36.409",
    u"　 　 13/4 ‐ 5\t39.1\t38.704\t39.584",
    u"　 　 17/8 ‐ 41/2\t41.8\t41.237\t42.227",
    u"　 　 2 ‐ 41/2\t45\t44.412\t45.402",
    u"　 　 21/4 ‐ 4\t50.5\t49.958\t51.068",
    u"　 　 21/2 ‐ 4\t56.5\t56.308\t57.418",
    u"　 　 23/4 ‐ 31/2\t62\t61.636\t62.816",
    u"　 　 3 ‐ 31/2\t68.5\t67.986\t69.166",
};
// clang-format on

// The header lines that are notes, from 0.
constexpr int kNoteLines[] = {1, 2};

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

const ChartDefinition kWhitworthInchChart{
    .identifier = "Form4",
    .title = u"ウィットねじ（インチ呼び）",
    .clientArea = {3675, 1350, 7590, 7050},
    .placement = Placement::StoredPosition,
    .icon = WindowIcon::ChartIcon,
    .background = Background::WindowFace,
    .listRect = {0, 0, 7935, 7020},
    .listFont = kChartListFont,
    .lines = kLines,
    .headingLines = 5,
    .dataRows = 24,
    .footnote = std::nullopt,
    .noteLines = kNoteLines,
    .columns = kColumns,
    .threadForm = {threads::Family::Whitworth, threads::Profile::Whitworth, threads::SizeUnit::Inch,
                   threads::PitchUnit::ThreadsPerInch},
};

} // namespace vornel::charts
