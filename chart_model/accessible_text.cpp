#include "chart_model/accessible_text.h"

#include "chart_model/chart_fields.h"
#include "chart_model/chart_text.h"

#include <QStringList>

namespace vornel {
namespace {

constexpr QStringView kPause = u"、";
constexpr std::u16string_view kNoValue = u"なし";
constexpr QStringView kEmptyLine = u"空行";

bool isDigit(QChar c) {
    return c >= u'0' && c <= u'9';
}

// The charts write a mixed number without its space: 2½ as "21/2", 1 ¾ as
// "13/4", 11½ threads per inch as "111/2". An inch fraction whose numerator
// is not below its denominator is one; its whole part is what comes before
// the longest tail of the numerator that is (11/16, 13/16 stay fractions).
void spaceMixedNumbers(QString& text) {
    for (qsizetype slash = text.indexOf(u'/'); slash >= 0; slash = text.indexOf(u'/', slash + 1)) {
        qsizetype start = slash;
        while (start > 0 && isDigit(text[start - 1]))
            --start;
        qsizetype end = slash + 1;
        while (end < text.size() && isDigit(text[end]))
            ++end;
        if (start == slash || end == slash + 1 || (start > 0 && text[start - 1] == u'.'))
            continue;
        const int denominator = text.mid(slash + 1, end - slash - 1).toInt();
        if (denominator < 2 || denominator > 64 || (denominator & (denominator - 1)) != 0 ||
            text.mid(start, slash - start).toInt() < denominator)
            continue;
        for (qsizetype tail = start + 1; tail < slash; ++tail) {
            const int numerator = text.mid(tail, slash - tail).toInt();
            if (text[tail] != u'0' && numerator > 0 && numerator < denominator) {
                text.insert(tail, u' ');
                ++slash;
                break;
            }
        }
    }
}

} // namespace

QString spokenText(QString text) {
    spaceMixedNumbers(text);
    // "－" between katakana is the long vowel mark "ー" ("メ－トル"); a voice
    // reads the full-width hyphen-minus as "マイナス".
    for (qsizetype i = 1; i + 1 < text.size(); ++i) {
        const auto katakana = [](QChar c) { return c >= u'\u30A1' && c <= u'\u30FA'; };
        if (text[i] == u'\uFF0D' && katakana(text[i - 1]) && katakana(text[i + 1]))
            text[i] = u'\u30FC';
    }
    return text;
}

namespace {

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
        return spokenText(dataRowText(chart, stored));
    QStringList parts;
    for (const std::u16string_view field : chartFields(stored))
        appendTexts(field, parts);
    // An empty line, or one of TABs alone, says so: silence would seem to
    // the listener as though Down had done nothing.
    return parts.isEmpty() ? kEmptyLine.toString() : spokenText(parts.join(kPause));
}

} // namespace vornel
