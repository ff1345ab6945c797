#include "charts/charts.h"

namespace vornel::charts {
namespace {

// clang-format off
constexpr ChartLine kLines[] = {
    u"インサートユニファイねじ",
    u"\t\t\t単位：mm",
    u"\t適用\tタップ下穴径",
    u"ねじの呼び\tドリル径\t最小寸法\t最大寸法",
    u"No. 2‐56UNC\t2.3\t2.29\t2.39",
    u"No. 3‐48UNC\t2.7\t2.64\t2.74",
    u"No. 3‐56UNF\t2.7\t2.62\t2.72",
    u"No. 4‐40UNC\t3\t2.95\t3.07",
    u"No. 4‐48UNF\t3\t2.97\t3.05",
    u"No. 5‐40UNC\t3.3\t3.25\t3.38",
    u"No. 6‐32UNC\t3.7\t3.66\t3.81",
    u"No. 6‐40UNF\t3.7\t3.66\t3.78",
    u"No. 8‐32UNC\t4.4\t4.32\t4.47",
    u"No. 8‐36UNF\t4.4\t4.32\t4.44",
    u"No. 10‐24UNC\t5.1\t5.05\t5.21",
    u"No. 10‐32UNF\t5\t4.98\t5.13",
    u"No. 12‐24UNC\t5.7\t5.61\t5.77",
    u"1/4‐20UNC\t6.7\t6.63\t6.78",
    u"1/4‐28UNF\t6.6\t6.53\t6.71",
    u"5/16‐18UNC\t8.4\t8.33\t8.48",
    u"5/16‐24UNF\t8.2\t8.2\t8.38",
    u"3/8‐16UNC\t10\t9.91\t10.11",
    u"3/8‐24UNF\t9.8\t9.78\t9.96",
    u"7/16‐14UNC\t11.5\t11.51\t11.76",
    u"7/16‐20UNF\t11.5\t11.43\t11.63",
    u"1/2‐13UNC\t13.1\t13.08\t13.34",
    u"1/2‐20UNF\t13.1\t13.03\t13.26",
    u"9/16‐12UNC\t14.7\t14.68\t14.94",
    u"9/16‐18UNF\t14.7\t14.66\t14.88",
    u"5/8‐11UNC\t16.5\t16.39\t16.65",
    u"5/8‐18UNF\t16.3\t16.26\t16.48",
    u"3/4‐10UNC\t19.8\t19.7\t19.9",
    u"3/4‐16UNF\t19.5\t19.43\t19.68",
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

const ChartDefinition kInsertUnifiedChart{
    .identifier = "Form10",
    .title = u"インサートユニファイねじ",
    .clientArea = {60, 450, 5760, 6810},
    .placement = Placement::SystemDefault,
    .icon = WindowIcon::ChartIcon,
    .background = Background::WindowFace,
    .listRect = {0, 0, 5775, 6780},
    .listFont = kChartListFont,
    .lines = kLines,
    .headingLines = 4,
    .dataRows = 29,
    .footnote = std::nullopt,
    .columns = kColumns,
    .threadForm = {threads::Family::Unified, threads::Profile::None, threads::SizeUnit::Inch,
                   threads::PitchUnit::ThreadsPerInch},
};

} // namespace vornel::charts
