// Checks shared by the chart tests: inch sizes and thread counts written as
// the charts write them, the window values of a definition, and where the
// headings of a chart are drawn.
#pragma once

#include "chart_window/twips.h"
#include "test_support.h"

#include <QRect>
#include <QRegularExpression>

namespace vornel::test {

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

// Every field of every data row is drawn in its own column, each value at
// the column's start, lined up with the same field of the other rows.
inline void checkValuesInColumns(const ChartDefinition& chart) {
    const ColumnLayout layout = layoutOf(chart);
    const QList<QStringList> rows = dataRows(chart);
    for (qsizetype i = 0; i < rows.size(); ++i) {
        const auto placed = layout.line(chart.headingLines + static_cast<int>(i));
        QCOMPARE(qsizetype(placed.size()), rows[i].size());
        for (int field = 0; field < rows[i].size(); ++field) {
            const PlacedText& text = placed[static_cast<std::size_t>(field)];
            QCOMPARE(text.text.toString(), rows[i][field]);
            QCOMPARE(text.column, field);
            if (field > 0)
                QCOMPARE(text.x, layout.columns()[static_cast<std::size_t>(field)]);
        }
    }
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
