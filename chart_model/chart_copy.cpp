#include "chart_model/chart_copy.h"

#include "chart_model/chart_fields.h"
#include "chart_model/chart_text.h"

#include <QStringList>

namespace vornel {
namespace {

// The trimmed fields of a line, without the empty ones at its end.
QStringList copiedFields(ChartLine line) {
    QStringList fields;
    for (const std::u16string_view field : chartFields(line))
        fields.append(toQString(trimPadding(field)));
    while (!fields.isEmpty() && fields.constLast().isEmpty())
        fields.removeLast();
    return fields;
}

} // namespace

QString copyText(ChartLine line) {
    return copiedFields(line).join(u'\t');
}

QString copyText(std::u16string_view title, ChartLine line) {
    QStringList fields = copiedFields(line);
    if (fields.isEmpty())
        return {};
    fields.prepend(toQString(trimPadding(title)));
    return fields.join(u'\t');
}

std::vector<ValueEntry> valueEntries(const ChartDefinition& chart, int row) {
    std::vector<ValueEntry> entries;
    if (row < chart.headingLines || row >= chart.headingLines + chart.dataRows ||
        row >= static_cast<int>(chart.lines.size()))
        return entries;
    const auto fields = chartFields(chart.lines[static_cast<std::size_t>(row)]);
    const std::size_t count = std::min(fields.size(), chart.columns.size());
    for (std::size_t i = 0; i < count; ++i) {
        const ChartColumn& column = chart.columns[i];
        const std::u16string_view value = trimPadding(fields[i]);
        if (column.unit == Unit::None || value.empty() || isNoValue(value))
            continue;
        QString label = column.kind.empty() ? QString() : toQString(column.kind) + u' ';
        label += toQString(column.name) + u' ' + toQString(value) + QStringLiteral(" をコピー");
        // A menu entry reads "&" as the mark of its access key.
        label.replace(u'&', QStringLiteral("&&"));
        entries.push_back({label, toQString(value)});
    }
    return entries;
}

} // namespace vornel
