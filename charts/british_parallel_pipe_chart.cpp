#include "charts/charts.h"

namespace vornel::charts {
namespace {

// The British parallel pipe chart G (PF): drill and the minor-diameter
// limits, maximum before minimum. Every line has four fields.

// clang-format off
constexpr ChartLine kLines[] = {
    u"英式管用平行ねじ（G、PF）\t\t\t",
    u"\t\t\t単位：mm",
    u"\t\tめねじ内径（参考）\t",
    u"管用ねじの呼び\tドリル径\t最大寸法\t最小寸法",
    u"G 1/16 ‐28\t6.7\t6.843\t6.561",
    u"G(PF) 1/8 ‐28\t8.7\t8.848\t8.566",
    u"G(PF) 1/4 ‐19\t11.7\t11.89\t11.445",
    u"G(PF) 3/8 ‐19\t15.2\t15.395\t14.95",
    u"G(PF) 1/2 ‐14\t19\t19.172\t18.631",
    u"G(PF) 5/8 ‐14\t21\t21.13\t20.589",
    u"G(PF) 3/4 ‐14\t24.5\t24.658\t24.117",
    u"G(PF) 7/8 ‐14\t28.2\t28.418\t27.877",
    u"G(PF) 1 ‐11\t30.6\t30.931\t30.291",
    u"G(PF) 11/8 ‐11\t35.2\t35.579\t34.939",
    u"G(PF) 11/4 ‐11\t39.2\t39.592\t38.952",
    u"G(PF) 11/2 ‐11\t45\t45.485\t44.845",
    u"G(PF) 13/4 ‐11\t51\t51.428\t50.788",
    u"G(PF) 2 ‐11\t57\t57.296\t56.656",
    u"G(PF) 21/4 ‐11\t63\t63.392\t62.752",
    u"G(PF) 21/2 ‐11\t72\t72.866\t72.226",
    u"G(PF) 23/4 ‐11\t78.5\t79.216\t78.576",
    u"G(PF) 3 ‐11\t85\t85.566\t84.926",
    u"G(PF) 31/2 ‐11\t97\t98.012\t97.372",
    u"G(PF) 4 ‐11\t─\t110.712\t110.072",
    u"G(PF) 41/2 ‐11\t─\t123.412\t122.772",
    u"G(PF) 5 ‐11\t─\t136.112\t135.472",
    u"G(PF) 51/2 ‐11\t─\t148.812\t148.172",
    u"G(PF) 6 ‐11\t─\t161.512\t160.872",
};
// clang-format on

// What each field of a data row holds.
// clang-format off
constexpr ChartColumn kColumns[] = {
    {ColumnRole::Designation, u"管用ねじの呼び", Unit::None},
    {ColumnRole::Drill, u"ドリル径"},
    {ColumnRole::Maximum, u"最大寸法", Unit::Millimetre, Limits::MinorDiameter},
    {ColumnRole::Minimum, u"最小寸法", Unit::Millimetre, Limits::MinorDiameter},
};
// clang-format on

} // namespace

const ChartDefinition kBritishParallelPipeChart{
    .identifier = "Form7",
    .title = u"英式管用平行ねじ（G、PF）",
    .clientArea = {4425, 1950, 5790, 6825},
    .placement = Placement::StoredPosition,
    .icon = WindowIcon::ChartIcon,
    .background = Background::WindowFace,
    .listRect = {0, 0, 5775, 6780},
    .listFont = kChartListFont,
    .lines = kLines,
    .headingLines = 4,
    .dataRows = 24,
    .footnote = std::nullopt,
    .columns = kColumns,
    .threadForm = {threads::Family::PipeG, threads::Profile::Whitworth, threads::SizeUnit::Inch,
                   threads::PitchUnit::ThreadsPerInch},
};

} // namespace vornel::charts
