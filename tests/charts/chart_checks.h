#pragma once

// Checks shared by the chart tests: where the layout puts each text of a
// line, whether data rows stand in their columns, and pipe sizes in inches.
#include "test_support.h"

#include <QRegularExpression>

namespace vornel::test {

// Every text of line `row` with the column it is drawn in, as "text@column";
// "text@-" where it is drawn but not at the start of that column.
inline QStringList placedColumns(const ColumnLayout& layout, int row) {
    QStringList out;
    for (const PlacedText& placed : layout.line(row)) {
        const int start = layout.columns()[static_cast<std::size_t>(placed.column)];
        out.append(placed.text.toString() + u'@' +
                   (start == placed.x ? QString::number(placed.column) : QStringLiteral("-")));
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

// Fails unless field k of every data row is drawn in column k: the
// designation a little indented, every value at the column's start.
inline void verifyDataRowsInColumns(const ChartDefinition& chart) {
    const ColumnLayout layout = layoutOf(chart);
    for (int i = 0; i < chart.dataRows; ++i) {
        const int row = chart.headingLines + i;
        const QStringList expected = fields(chart.lines[static_cast<std::size_t>(row)]);
        const auto placed = layout.line(row);
        QCOMPARE(static_cast<qsizetype>(placed.size()), expected.size());
        for (int k = 0; k < expected.size(); ++k) {
            const PlacedText& text = placed[static_cast<std::size_t>(k)];
            QCOMPARE(text.text.toString(), expected[k]);
            QCOMPARE(text.column, k);
            const int start = layout.columns()[static_cast<std::size_t>(k)];
            QCOMPARE(text.x, k == 0 ? start + layout.designationIndent() : start);
        }
    }
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

} // namespace vornel::test
