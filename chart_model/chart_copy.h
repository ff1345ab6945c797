#pragma once

#include "chart_model/chart_definition.h"

#include <QString>
#include <vector>

namespace vornel {

// The text a line copies as: its fields without the spaces and ideographic
// spaces that pad them, joined by TABs, with the empty fields at its end
// dropped, so that it pastes into a spreadsheet as cells. An empty line, or
// one of TABs alone, copies as an empty text.
QString copyText(ChartLine line);

// As copyText(line), with `title` (the chart's) as the first field. Empty
// where the line is.
QString copyText(std::u16string_view title, ChartLine line);

// One value of a data row that can be copied alone: what the menu says
// ("ドリル径 6.8 をコピー") and the bare number it copies ("6.8").
struct ValueEntry {
    QString label;
    QString value;
};

// The values of line `row` of a chart that can be copied one by one, in the
// order of its columns: the numbers of a data row. Texts (designations,
// classes of tap), empty fields and dashes offer none, nor do header lines
// and the lines after the data rows.
std::vector<ValueEntry> valueEntries(const ChartDefinition& chart, int row);

} // namespace vornel
