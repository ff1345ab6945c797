#include "charts/charts.h"

namespace vornel::charts {
namespace {

// The British taper pipe chart: calculated hole and pilot hole for the
// JIS B0203 Rc and Rp internal threads and the JIS B2301 taper internal
// thread. Every line has seven fields; the notes follow an empty line.

// clang-format off
constexpr ChartLine kLines[] = {
    u"英式管用テーパねじ\t\t\t\t\t\t",
    u"\t\t\t\t\t\t単位：mm",
    u"\tJIS B0203\t\tJIS B0203\t\tJIS B2301\t",
    u"\t　テーパめねじRc(PT)\t\t　平行めねじ Rp(PS)\t\t　　　テーパめねじ\t",
    u"管用ねじの呼び\t計算値\t下穴径\t計算値\t下穴径\t計算値\t下穴径",
    u"1/16 ‐28\t6.23\t6.2\t6.49\t6.5\t－\t－",
    u"1/8 ‐28\t8.235\t8.2\t8.495\t8.5\t8.191\t8.2",
    u"1/4 ‐19\t10.941\t10.9\t11.341\t11.4\t10.945\t10.9",
    u"3/8 ‐19\t14.428\t14.4\t14.846\t14.9\t14.388\t14.4",
    u"1/2 ‐14\t17.95\t18\t18.489\t18.5\t17.943\t18",
    u"3/4 ‐14\t23.349\t23\t23.975\t24\t23.305\t23",
    // Rc calculated value of size 1: worked out by the rule that reproduces
    // its neighbours 3/4 and 11/4 exactly. The minor diameter at the gauge
    // plane, 30.291, less the taper (1/16 on the diameter) over the minimum
    // useful thread length of the internal thread, 16.2, less one pitch, 25.4/11:
    // 30.291 - (16.2 - 2.309) / 16 = 29.423. It rounds to the pilot hole 29 and
    // stays below the row's Rp value 30.111.
    u"1 ‐11\t29.423\t29\t30.111\t30\t29.353\t29",
    u"11/4 ‐11\t37.94\t38\t38.772\t39\t37.89\t38",
    u"11/2 ‐11\t43.833\t44\t44.565\t45\t43.72\t43",
    u"2 ‐11\t55.412\t55\t56.476\t56\t55.406\t55",
    u"21/2 ‐11\t70.701\t71\t72.009\t72\t70.788\t70",
    u"3 ‐11\t83.201\t83\t84.709\t85\t83.364\t83",
    u"31/2 ‐11\t95.547\t96\t97.155\t97\t95.747\t95",
    u"4 ‐11\t107.834\t108\t109.855\t110\t108.322\t108",
    u"5 ‐11\t133.11\t133\t135.255\t135\t133.597\t133",
    u"6 ‐11\t158.51\t159\t160.655\t161\t158.81\t158",
    u"\t\t\t\t\t\t",
    u"1.JIS B0203テーパめねじの計算値は継手の端面に基準値がある時に、有効ねじ部の\t\t\t\t\t\t",
    u"　小径位置の山頂１山が不完全山になるのを許される場合のストレート穴である。\t\t\t\t\t\t",
    u"2.JIS B2301テーパめねじの計算値は継手の端面に基準値がある時に、小径位置の山頂が\t\t\t\t\t\t",
    u"　完全山にならなければならない場合のストレート穴である。\t\t\t\t\t\t",
    u"3. 1/16はJIS B0203-1982のRcに準じている。\t\t\t\t\t\t",
};
// clang-format on

// What each field of a data row holds.
// clang-format off
constexpr ChartColumn kColumns[] = {
    {ColumnRole::Designation, u"管用ねじの呼び", Unit::None},
    {ColumnRole::CalculatedHole, u"計算値", Unit::Millimetre, Limits::None, u"Rc(PT)"},
    {ColumnRole::Drill, u"下穴径", Unit::Millimetre, Limits::None, u"Rc(PT)"},
    {ColumnRole::CalculatedHole, u"計算値", Unit::Millimetre, Limits::None, u"Rp(PS)", threads::Family::PipeRp},
    {ColumnRole::Drill, u"下穴径", Unit::Millimetre, Limits::None, u"Rp(PS)", threads::Family::PipeRp},
    {ColumnRole::CalculatedHole, u"計算値", Unit::Millimetre, Limits::None, u"JIS B2301"},
    {ColumnRole::Drill, u"下穴径", Unit::Millimetre, Limits::None, u"JIS B2301"},
};
// clang-format on

} // namespace

const ChartDefinition kBritishTaperPipeChart{
    .identifier = "Form6",
    .title = u"英式管用テーパねじ",
    .clientArea = {3075, 1950, 9135, 6585},
    .placement = Placement::StoredPosition,
    .icon = WindowIcon::ChartIcon,
    .background = Background::WindowFace,
    .listRect = {0, 0, 9135, 6540},
    .listFont = kChartListFont,
    .lines = kLines,
    .headingLines = 5,
    .dataRows = 16,
    .footnote = std::nullopt,
    .columns = kColumns,
    .threadForm = {threads::Family::PipeRc, threads::Profile::None, threads::SizeUnit::Inch,
                   threads::PitchUnit::ThreadsPerInch},
};

} // namespace vornel::charts
