#pragma once

#include "app/query.h"
#include "chart_model/chart_definition.h"
#include "windows/chart_window.h"
#include "windows/column_layout.h"

#include <QFontMetrics>
#include <QList>
#include <QString>
#include <QStringList>
#include <QTest>
#include <cmath>

namespace vornel::test {

inline QString qs(std::u16string_view s) {
    return QString::fromUtf16(s.data(), static_cast<qsizetype>(s.size()));
}

// A query as the index takes it.
using vornel::view;

// The fields of a line, split at its TABs.
inline QStringList fields(const ChartLine& line) {
    return qs(line).split(u'\t');
}

// The data rows of a chart, each split into its fields.
inline QList<QStringList> dataRows(const ChartDefinition& chart) {
    QList<QStringList> rows;
    for (int i = 0; i < chart.dataRows; ++i)
        rows.append(fields(chart.lines[static_cast<std::size_t>(chart.headingLines + i)]));
    return rows;
}

// One test row per data row of a chart, tagged with its designation: the
// columns "row" (its fields) and "first" (whether it is the first data row).
inline void addDataRows(const ChartDefinition& chart) {
    QTest::addColumn<QStringList>("row");
    QTest::addColumn<bool>("first");
    bool first = true;
    for (const QStringList& row : dataRows(chart)) {
        QTest::newRow(qPrintable(row[0].trimmed())) << row << first;
        first = false;
    }
}

// A stored value as a number; fails the test if it is not one.
inline double number(const QString& text) {
    bool ok = false;
    const double value = text.toDouble(&ok);
    if (!ok)
        QTest::qFail(qPrintable(QStringLiteral("not a number: '%1'").arg(text)), __FILE__,
                     __LINE__);
    return value;
}

// Values in thousandths, so that sums and differences compare exactly.
inline long long thousandths(double value) {
    return std::llround(value * 1000.0);
}

// The column layout a chart's window computes, with the real list font.
inline ColumnLayout layoutOf(const ChartDefinition& chart) {
    return ColumnLayout(chart, QFontMetrics(listFont(chart.listFont)));
}

// The column in which the text `text` of line `row` is drawn, or -1.
inline int columnOfText(const ColumnLayout& layout, int row, const QString& text) {
    for (const PlacedText& placed : layout.line(row)) {
        if (placed.text == text)
            return placed.column >= 0 &&
                           layout.columns()[static_cast<std::size_t>(placed.column)] == placed.x
                       ? placed.column
                       : -2; // drawn, but not at the start of its column
    }
    return -1;
}

} // namespace vornel::test
