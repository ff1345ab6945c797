#include "chart_model/accessible_text.h"

#include "chart_model/chart_fields.h"
#include "chart_model/chart_text.h"

#include <QStringList>

namespace vornel {
namespace {

constexpr QStringView kPause = u"、";
constexpr std::u16string_view kNoValue = u"なし";

// The texts of a header or note field: padding of two or more ideographic
// spaces separates them, as it separates them on the screen.
void appendTexts(std::u16string_view field, QStringList& out) {
    constexpr std::u16string_view padding = u"\u3000\u3000";
    for (std::size_t start = 0;;) {
        const std::size_t end = field.find(padding, start);
        const std::u16string_view piece = trimPadding(field.substr(start, end - start));
        if (!piece.empty())
            out.append(toQString(piece));
        if (end == std::u16string_view::npos)
            return;
        start = end + padding.size();
    }
}

QString dataRowText(const ChartDefinition& chart, ChartLine line) {
    QStringList parts;
    std::u16string_view kind;
    const auto fields = chartFields(line);
    for (std::size_t i = 0; i < fields.size(); ++i) {
        const std::u16string_view value = trimPadding(fields[i]);
        if (value.empty())
            continue;
        if (i >= chart.columns.size() || chart.columns[i].role == ColumnRole::Designation) {
            parts.append(toQString(value));
            continue;
        }
        const ChartColumn& column = chart.columns[i];
        QString part;
        if (!column.kind.empty() && column.kind != kind)
            part = toQString(column.kind) + u' ';
        kind = column.kind;
        part += toQString(column.name) + u' ' + toQString(isNoValue(value) ? kNoValue : value);
        parts.append(part);
    }
    return parts.join(kPause);
}

} // namespace

QString accessibleLineText(const ChartDefinition& chart, int line) {
    if (line < 0 || line >= static_cast<int>(chart.lines.size()))
        return {};
    const ChartLine& stored = chart.lines[static_cast<std::size_t>(line)];
    if (line >= chart.headingLines && line < chart.headingLines + chart.dataRows)
        return dataRowText(chart, stored);
    QStringList parts;
    for (const std::u16string_view field : chartFields(stored))
        appendTexts(field, parts);
    return parts.join(kPause);
}

} // namespace vornel
