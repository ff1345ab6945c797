#include "charts/charts.h"

namespace vornel::charts {
namespace {

// The American standard pipe chart (NPT, NPS): three drills per size, each in
// millimetres and inches. Every line has seven fields.

// clang-format off
constexpr ChartLine kLines[] = {
    u"アメリカ標準管用ねじ（NPT、NPS）\t\t\t\t\t\t",
    u"\t\t\t\t\t\t",
    u"\tテーパねじ（NPT）\t\t\t\t平行ねじ（NPS）\t",
    u"\tドリル径\t\t\t\tドリル径\t",
    u"\tリーマを使用する場合\t\tリーマを使用しない場合\t\t\t",
    u"管用ねじの呼び\tmm\tinch\tmm\tinch\tmm\tinch",
    u"1/16 ‐27\t5.94\t0.234\t6.15\t0.246\t6.35\t0.25",
    u"1/8 ‐27\t8.33\t0.328\t8.43\t0.332\t8.74\t0.344",
    u"1/4 ‐18\t10.72\t0.422\t11.13\t0.438\t11.13\t0.438",
    u"3/8 ‐18\t14.27\t0.562\t14.27\t0.562\t14.68\t0.578",
    u"1/2 ‐14\t17.48\t0.688\t17.86\t0.703\t18.26\t0.719",
    u"3/4 ‐14\t22.63\t0.891\t23.01\t0.906\t23.42\t0.922",
    u"1 ‐111/2\t28.58\t1.125\t28.98\t1.141\t29.36\t1.156",
    u"11/4 ‐111/2\t37.31\t1.469\t37.69\t1.484\t38.1\t1.5",
    u"11/2 ‐111/2\t43.26\t1.703\t43.66\t1.719\t44.45\t1.75",
    u"2 ‐111/2\t55.17\t2.172\t55.58\t2.188\t56.36\t2.219",
    u"21/2 ‐8\t65.48\t2.578\t66.27\t2.609\t67.46\t2.656",
    u"\t\t\t\t\t\t",
    u"アメリカ管用ねじANSI/ASME B1.20.1-1983 PIPE THREADS,GENERAL PURPOSE(INCH)付属書推奨ドリル径より抜粋\t\t\t\t\t\t",
};
// clang-format on

// What each field of a data row holds.
// clang-format off
constexpr ChartColumn kColumns[] = {
    {ColumnRole::Designation, u"管用ねじの呼び", Unit::None},
    {ColumnRole::Drill, u"ドリル径 mm", Unit::Millimetre, Limits::None, u"NPT リーマ使用"},
    {ColumnRole::Drill, u"ドリル径 inch", Unit::Inch, Limits::None, u"NPT リーマ使用"},
    {ColumnRole::Drill, u"ドリル径 mm", Unit::Millimetre, Limits::None, u"NPT リーマなし"},
    {ColumnRole::Drill, u"ドリル径 inch", Unit::Inch, Limits::None, u"NPT リーマなし"},
    {ColumnRole::Drill, u"ドリル径 mm", Unit::Millimetre, Limits::None, u"NPS", threads::Family::Nps},
    {ColumnRole::Drill, u"ドリル径 inch", Unit::Inch, Limits::None, u"NPS", threads::Family::Nps},
};
// clang-format on

} // namespace

const ChartDefinition kAmericanPipeChart{
    .identifier = "Form8",
    .title = u"アメリカ標準管用ねじ（NPT、NPS）",
    .clientArea = {2025, 2250, 12075, 4935},
    .placement = Placement::StoredPosition,
    .icon = WindowIcon::ChartIcon,
    .background = Background::WindowFace,
    .listRect = {0, 0, 12015, 6060},
    .listFont = kChartListFont,
    .lines = kLines,
    .headingLines = 6,
    .dataRows = 11,
    .footnote = std::nullopt,
    .columns = kColumns,
    .threadForm = {threads::Family::Npt, threads::Profile::None, threads::SizeUnit::Inch,
                   threads::PitchUnit::ThreadsPerInch},
};

} // namespace vornel::charts
