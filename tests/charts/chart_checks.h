#pragma once

// Checks shared by the chart tests: where the layout puts each text of a
// line, whether data rows stand in their columns, the window values of a
// definition, and inch sizes and thread counts written as the charts write
// them.
#include "chart_model/twips.h"
#include "test_support.h"

#include <QRect>
#include <QRegularExpression>

namespace vornel::test {

// Every text of line `row` with the column it is drawn in, as "text@column";
// "text@-" where it is drawn but not at the start of that column.
inline QStringList placedColumns(const ColumnLayout& layout, int row) {
    QStringList out;
    for (const PlacedText& placed : layout.line(row)) {
        const bool atStart = placed.column >= 0 &&
                             layout.columns()[static_cast<std::size_t>(placed.column)] == placed.x;
        out.append(placed.text.toString() + u'@' +
                   (atStart ? QString::number(placed.column) : QStringLiteral("-")));
    }
    return out;
}

// The placed text `text` of line `row` (the n-th of that text, from 0).
inline const PlacedText* placedText(const ColumnLayout& layout, int row, const QString& text,
                                    int n = 0) {
    for (const PlacedText& placed : layout.line(row)) {
        if (placed.text == text && n-- == 0)
            return &placed;
    }
    return nullptr;
}

// A pipe size as written in the charts ("1/16", "3", "11/4" for one and a
// quarter, "21/2" for two and a half), in inches; fails on anything else.
inline double inches(const QString& size) {
    static const QRegularExpression form(QStringLiteral("^(?:([1-9])|([1-9]?)([1-9])/([0-9]+))$"));
    const auto match = form.match(size);
    if (!match.hasMatch()) {
        QTest::qFail(qPrintable(QStringLiteral("not a size: '%1'").arg(size)), __FILE__, __LINE__);
        return 0;
    }
    if (match.capturedLength(1) > 0)
        return match.captured(1).toInt();
    const int numerator = match.captured(3).toInt();
    const int denominator = match.captured(4).toInt();
    if (numerator >= denominator)
        QTest::qFail(qPrintable(QStringLiteral("not a proper fraction: '%1'").arg(size)), __FILE__,
                     __LINE__);
    return match.captured(2).toInt() + double(numerator) / denominator;
}

// Thousandths rounded to a step (100 for tenths, 1000 for whole millimetres).
inline long long nearest(long long value, long long step) {
    return (value + step / 2) / step * step;
}
inline long long up(long long value, long long step) {
    return (value + step - 1) / step * step;
}
inline long long down(long long value, long long step) {
    return value / step * step;
}

// A number as the inch charts write it: "3/4", "2", or a mixed number with a
// one-digit whole part directly before the fraction ("11/16" is 1 1/16,
// "41/2" is 4 1/2).
inline double mixedNumber(const QString& text) {
    static const QRegularExpression pattern(QStringLiteral("^([0-9]+)(?:/([0-9]+))?$"));
    const auto m = pattern.match(text.trimmed());
    if (!m.hasMatch()) {
        QTest::qFail(qPrintable(QStringLiteral("not an inch number: '%1'").arg(text)), __FILE__,
                     __LINE__);
        return 0;
    }
    if (m.capturedLength(2) == 0)
        return number(m.captured(1));
    const QString top = m.captured(1);
    const double whole = top.size() > 1 ? number(top.left(1)) : 0;
    return whole + number(top.size() > 1 ? top.mid(1) : top) / number(m.captured(2));
}

// The major diameter of a unified size in inches: "No. n" or "No.n" is
// 0.060 + 0.013 n, other sizes are inch numbers.
inline double unifiedSizeInches(const QString& size) {
    if (size.startsWith(u"No."))
        return 0.060 + 0.013 * number(size.mid(3).trimmed());
    return mixedNumber(size);
}

inline QRect rectOf(const TwipRect& r) {
    return {r.left, r.top, r.width, r.height};
}

// The 1-based line number in the list of data row `index` (0-based).
inline int lineOfRow(const ChartDefinition& chart, qsizetype index) {
    return chart.headingLines + static_cast<int>(index) + 1;
}

// Data for a heading check: the text of 1-based line `line` stands at the
// start of column `column` (0-based).
inline void addHeading(int line, const QString& text, int column) {
    QTest::addRow("line %d %s", line, qPrintable(text)) << line << text << column;
}

inline void headingColumns(const ChartDefinition& chart) {
    QFETCH(int, line);
    QFETCH(QString, text);
    QFETCH(int, column);
    QCOMPARE(columnOfText(layoutOf(chart), line - 1, text), column);
}

// Whether the text of a group heading on 1-based line `line` reaches into
// column `column`, so that it stands over it as well.
inline bool reachesColumn(const ChartDefinition& chart, int line, const QString& text, int column) {
    const ColumnLayout layout = layoutOf(chart);
    for (const PlacedText& placed : layout.line(line - 1))
        if (placed.text == text)
            return placed.x + placed.width > layout.columns()[static_cast<std::size_t>(column)];
    return false;
}

} // namespace vornel::test
