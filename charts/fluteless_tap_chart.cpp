#include "charts/charts.h"

namespace vornel::charts {
namespace {

// The fluteless (thread-forming) tap chart: tap class, pilot-hole limits and
// the 6H minor-diameter limits, maximum before minimum. Unmarked
// designations start with an ideographic space and a space so that their
// "M" stands under the "M" of the rows marked "※".

// clang-format off
constexpr ChartLine kLines[] = {
    u"呼　び\tタップの等級\t下穴径\t\tめねじ内径",
    u"(注1)\t\t\t\tJIS6H(2級)",
    u"\t\t\t\t\t",
    u"\t\t　　　　　　　Max.　　　　Min.\tMax.\tMin.",
    u"　 M 1 × 0.25\tG4\t0.92\t0.89\t0.785\t0.729",
    u"　 M 1.1 × 0.25\tG4\t1.02\t0.99\t0.885\t0.829",
    u"　 M 1.2 × 0.25\tG4\t1.11\t1.09\t0.985\t0.929",
    u"　 M 1.4 × 0.3\tG4\t1.3\t1.26\t1.142\t1.075",
    u"　 M 1.6 × 0.35\tG4\t1.47\t1.43\t1.321\t1.221",
    u"※ M 1.7 × 0.35\tG4\t1.57\t1.52\t1.421\t1.321",
    u"　 M 1.8 × 0.35\tG4\t1.67\t1.62\t1.521\t1.421",
    u"　 M 2 × 0.4\tG4\t1.84\t1.79\t1.679\t1.567",
    u"　 M 2 × 0.25\tG4\t1.91\t1.89\t1.785\t1.729",
    u"　 M 2.2 × 0.45\tG5\t2.04\t1.98\t1.838\t1.713",
    u"※ M 2.3 × 0.4\tG4\t2.14\t2.09\t1.979\t1.867",
    u"　 M 2.5 × 0.45\tG5\t2.34\t2.27\t2.138\t2.013",
    u"　 M 2.5 × 0.35\tG5\t2.38\t2.34\t2.221\t2.121",
    u"※ M 2.6 × 0.45\tG5\t2.44\t2.37\t2.238\t2.113",
    u"　 M 3 × 0.5\tG5\t2.82\t2.75\t2.599\t2.459",
    u"　 M 3 × 0.35\tG5\t2.87\t2.82\t2.721\t2.621",
    u"　 M 3.5 × 0.6\tG5\t3.27\t3.19\t3.01\t2.85",
    u"　 M 3.5 × 0.35\tG5\t3.37\t3.32\t3.221\t3.121",
    u"　 M 4 × 0.7\tG6\t3.72\t3.65\t3.422\t3.242",
    u"　 M 4 × 0.5\tG6\t3.83\t3.76\t3.599\t3.459",
    u"　 M 5 × 0.8\tG6\t4.67\t4.59\t4.334\t4.134",
    u"　 M 5 × 0.5\tG6\t4.83\t4.76\t4.599\t4.459",
    u"　 M 6 × 1\tG7\t5.59\t5.49\t5.153\t4.917",
    u"　 M 6 × 0.75\tG6\t5.69\t5.61\t5.378\t5.188",
    u"　 M 7 × 1\tG7\t6.59\t6.48\t6.153\t5.917",
    u"　 M 7 × 0.75\tG7\t6.7\t6.62\t6.378\t6.188",
    u"　 M 8 × 1.25\tG7\t7.49\t7.36\t6.912\t6.647",
    u"　 M 8 × 1\tG7\t7.59\t7.48\t7.153\t6.917",
    u"　 M 8 × 0.75\tG7\t7.7\t7.62\t7.378\t7.188",
    u"　 M 10 × 1.5\tG7\t9.34\t9.22\t8.676\t8.376",
    u"　 M 10 × 1.25\tG7\t9.49\t9.35\t8.912\t8.647",
    u"　 M 10 × 1\tG7\t9.59\t9.48\t9.153\t8.917",
    u"　 M 12 × 1.75\tG8\t11.23\t11.09\t10.441\t10.106",
    u"　 M 12 × 1.5\tG8\t11.34\t11.22\t10.676\t10.376",
    u"　 M 12 × 1.25\tG9\t11.5\t11.36\t10.912\t10.647",
    u"　 M 12 × 1\tG7\t11.58\t11.47\t11.153\t10.917",
    u"　 M 14 × 2\tG10\t13.14\t12.98\t12.21\t11.835",
    u"　 M 14 × 1.5\tG9\t13.35\t13.22\t12.676\t12.376",
    u"　 M 14 × 1\tG8\t13.59\t13.48\t13.153\t12.917",
    u"　 M 16 × 2\tG10\t15.14\t14.97\t14.21\t13.835",
    u"　 M 16 × 1.5\tG9\t15.34\t15.22\t14.676\t14.376",
    u"　 M 16 × 1\tG8\t15.59\t15.48\t15.153\t14.917",
    u"　 M 18 × 2.5\tG11\t16.93\t16.73\t15.744\t15.294",
    u"　 M 18 × 1.5\tG10\t17.35\t17.23\t16.676\t16.376",
    u"　 M 18 × 1\tG8\t17.59\t17.48\t17.153\t16.917",
    u"　 M 20 × 2.5\tG11\t18.92\t18.72\t17.744\t17.294",
    u"　 M 20 × 1.5\tG10\t19.35\t19.22\t18.676\t18.376",
    u"　 M 20 × 1\tG8\t19.59\t19.48\t19.153\t18.917",
};
// clang-format on

// What each field of a data row holds.
// clang-format off
constexpr ChartColumn kColumns[] = {
    {ColumnRole::Designation, u"呼び", Unit::None},
    {ColumnRole::TapClass, u"タップの等級", Unit::None},
    {ColumnRole::Maximum, u"下穴径 最大", Unit::Millimetre, Limits::PilotHole},
    {ColumnRole::Minimum, u"下穴径 最小", Unit::Millimetre, Limits::PilotHole},
    {ColumnRole::Maximum, u"めねじ内径 最大", Unit::Millimetre, Limits::MinorDiameter},
    {ColumnRole::Minimum, u"めねじ内径 最小", Unit::Millimetre, Limits::MinorDiameter},
};
// clang-format on

} // namespace

const ChartDefinition kFlutelessTapChart{
    .identifier = "Form11",
    .title = u"溝なしタップメ－トルねじ",
    .clientArea = {3600, 1230, 7650, 7725},
    .placement = Placement::StoredPosition,
    .icon = WindowIcon::NoIcon,
    .background = Background::White,
    .listRect = {0, 0, 7695, 7260},
    .listFont = kChartListFont,
    .lines = kLines,
    .headingLines = 4,
    .dataRows = 48,
    .footnote =
        Footnote{
            .text = u"（注1）呼び※印のものはJISより削除されています。",
            .rect = {0, 7440, 5175, 615},
            .tabIndex = 1,
        },
    .columns = kColumns,
    .threadForm = {threads::Family::IsoMetric, threads::Profile::None,
                   threads::SizeUnit::Millimetre, threads::PitchUnit::Millimetre},
};

} // namespace vornel::charts
