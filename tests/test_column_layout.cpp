// The column layout: its rules on small made-up charts, and its promises on
// every chart of the program with the real list font.
#include "charts/charts.h"
#include "test_support.h"

using namespace vornel;
using namespace vornel::test;
using namespace Qt::StringLiterals;

namespace {

ChartDefinition chartOf(std::span<const ChartLine> lines, int headingLines, int dataRows) {
    return {
        .identifier = "FormTest",
        .title = u"test",
        .clientArea = {0, 0, 6000, 3000},
        .placement = Placement::SystemDefault,
        .icon = WindowIcon::NoIcon,
        .background = Background::WindowFace,
        .listRect = {0, 0, 6000, 3000},
        .listFont = kChartListFont,
        .lines = lines,
        .headingLines = headingLines,
        .dataRows = dataRows,
        .footnote = std::nullopt,
    };
}

// Latin texts with pairs that a kerning face moves closer ("To", "AV", "r.").
constexpr ChartLine kKernedLines[] = {
    u"Type To AV\tYour r.",
    u"To AV 7.\tWAVY",
};

struct Drawn {
    QString text;
    int x;
    int column;
};

QList<Drawn> drawn(const ColumnLayout& layout, int row) {
    QList<Drawn> out;
    for (const PlacedText& t : layout.line(row))
        out.append({t.text.toString(), t.x, t.column});
    return out;
}

} // namespace

class TestColumnLayout : public QObject {
    Q_OBJECT
private slots:
    void dataFieldsShareColumnsAndHeadingsFit() {
        static constexpr ChartLine lines[] = {
            u"a long heading\tx\ty",
            u"1\t22222222\t3",
            u"1 × 0.25\t2\t33",
            u"a trailing line, longer than the heading\tz",
        };
        const auto chart = chartOf(lines, 1, 2);
        const ColumnLayout layout = layoutOf(chart);
        const auto columns = layout.columns();
        QCOMPARE(columns.size(), 3u);
        for (int row = 1; row < 3; ++row) {
            const auto texts = drawn(layout, row);
            QCOMPARE(texts.size(), 3);
            QCOMPARE(texts[0].x, layout.designationIndent());
            QCOMPARE(texts[1].x, columns[1]);
            QCOMPARE(texts[2].x, columns[2]);
        }
        // Designations stand half an em in; each column starts the gap of
        // half an em past the widest text before it: here the heading, wider
        // than any indented designation, and the widest drill.
        const QFontMetrics metrics(listFont(kChartListFont));
        const int em = metrics.horizontalAdvance(u'\u3000');
        QCOMPARE(layout.designationIndent(), em / 2);
        const int heading = metrics.horizontalAdvance(u"a long heading"_s);
        QVERIFY(heading > em / 2 + metrics.horizontalAdvance(u"1 × 0.25"_s));
        QCOMPARE(columns[0], 0);
        QCOMPARE(columns[1], heading + em / 2);
        QCOMPARE(columns[2], columns[1] + metrics.horizontalAdvance(u"22222222"_s) + em / 2);
        QCOMPARE(layout.lineWidth(2), columns[2] + metrics.horizontalAdvance(u"33"_s));
    }

    // A designation wider than every heading sets the second column, from
    // its indent.
    void anIndentedDesignationSetsTheColumn() {
        static constexpr ChartLine lines[] = {
            u"a\tb",
            u"1 × 0.25 and more\t2",
        };
        const ColumnLayout layout = layoutOf(chartOf(lines, 1, 1));
        const QFontMetrics metrics(listFont(kChartListFont));
        const int em = metrics.horizontalAdvance(u'\u3000');
        QCOMPARE(layout.columns()[1],
                 em / 2 + metrics.horizontalAdvance(u"1 × 0.25 and more"_s) + em / 2);
        QCOMPARE(drawn(layout, 1)[0].x, em / 2);
        QCOMPARE(drawn(layout, 0)[0].x, 0);
    }

    void headingRunsOnOverEmptyFields() {
        static constexpr ChartLine lines[] = {
            u"\tgroup heading over both columns",
            u"\tmin\tmax",
            u"a\t1\t2",
        };
        const ColumnLayout layout = layoutOf(chartOf(lines, 2, 1));
        // The group heading does not widen column 1: it runs on over column 2.
        const QFontMetrics metrics(listFont(kChartListFont));
        const auto columns = layout.columns();
        QVERIFY(columns[2] - columns[1] < metrics.horizontalAdvance(u"group heading"_s));
        QCOMPARE(drawn(layout, 0).first().x, columns[1]);
        QCOMPARE(columnOfText(layout, 1, u"max"_s), 2);
    }

    void aTextThatWouldOverlapPushesTheNextField() {
        // Padding never widens a column, so the text after it may not fit
        // where it is meant to go; it and the fields after it move right.
        static constexpr ChartLine lines[] = {
            u"\ta long heading\u3000\u3000b\tc",
            u"a\t1111111\t2222222\t3333333\t4444444\t5555555",
        };
        const ColumnLayout layout = layoutOf(chartOf(lines, 1, 1));
        const auto texts = drawn(layout, 0);
        const auto columns = layout.columns();
        QCOMPARE(texts.size(), 3);
        const int end =
            texts[0].x + QFontMetrics(listFont(kChartListFont)).horizontalAdvance(texts[0].text);
        QVERIFY(end > columns[2]);
        QVERIFY(texts[1].column > 2);
        QVERIFY(texts[1].x >= end);
        QCOMPARE(texts[1].x, columns[std::size_t(texts[1].column)]);
        QCOMPARE(texts[2].column, texts[1].column + 1);
    }

    void paddingInHeadingsMovesToTheNextColumn() {
        static constexpr ChartLine lines[] = {
            u"\t\t\u3000\u3000\u3000Max.\u3000\u3000Min.\tMax.\tMin.",
            u"\u3000\u3000a\tb c\t1\t2\t3\t4",
            u"x\ty\t11.11\t22.22\t33.33\t44.44",
        };
        const ColumnLayout layout = layoutOf(chartOf(lines, 1, 2));
        QCOMPARE(drawn(layout, 0).size(), 4);
        QCOMPARE(drawn(layout, 0)[0].column, 2);
        QCOMPARE(drawn(layout, 0)[1].column, 3);
        QCOMPARE(drawn(layout, 0)[2].column, 4);
        QCOMPARE(drawn(layout, 0)[3].column, 5);
        for (int c = 2; c < 6; ++c)
            QCOMPARE(drawn(layout, 0)[c - 2].x, layout.columns()[std::size_t(c)]);
        // In data rows, spaces are text like any other.
        QCOMPARE(drawn(layout, 1)[0].text, u"\u3000\u3000a"_s);
    }

    void notesRunOnWithoutWideningColumns() {
        static constexpr ChartLine lines[] = {
            u"\t\ta long note about the chart\tunit",
            u"\t\tgroup",
            u"a\tb\tc\td",
        };
        static constexpr int notes[] = {0};
        ChartDefinition chart = chartOf(lines, 2, 1);
        const ColumnLayout asHeading = layoutOf(chart);
        chart.noteLines = notes;
        const ColumnLayout asNote = layoutOf(chart);
        // As a heading the unit would need its own column past the note.
        QVERIFY(asHeading.columns()[3] > asNote.columns()[3]);
        QCOMPARE(columnOfText(asNote, 1, u"group"_s), 2);
        const QFontMetrics metrics(listFont(kChartListFont));
        QVERIFY(asNote.columns()[3] - asNote.columns()[2] <
                metrics.horizontalAdvance(u"a long note"_s));
        // The unit gives way, after the note's end.
        const auto note = drawn(asNote, 0);
        QCOMPARE(note.size(), 2);
        QVERIFY(note[1].x >= note[0].x + metrics.horizontalAdvance(note[0].text));
        // It stays in its column where it keeps a quarter em from the note's
        // end: the note is the data's "1111" and a prime, narrower than that.
        static constexpr ChartLine close[] = {u"\t1111'\tunit", u"a\t1111\t2"};
        chart = chartOf(close, 1, 1);
        chart.noteLines = notes;
        QVERIFY(metrics.horizontalAdvance(u"1111'"_s) - metrics.horizontalAdvance(u"1111"_s) <=
                metrics.horizontalAdvance(u'\u3000') / 4);
        QCOMPARE(drawn(layoutOf(chart), 0)[1].x, layoutOf(chart).columns()[2]);
    }

    void aHeadingStaysInsideTheGroupAboveIt() {
        // Line 1 opens two groups, at columns 1 and 5; the last heading of
        // line 2 stands in the first group and must end before the second.
        static constexpr ChartLine lines[] = {
            u"\tfirst group\t\t\t\tsecond",
            u"\tsub a\t\ta rather long sub heading b",
            u"size\tmm\tin\tmm\tin\tmm\tin",
            u"1\t2\t3\t4\t5\t6\t7",
        };
        const ColumnLayout layout = layoutOf(chartOf(lines, 3, 1));
        const auto sub = drawn(layout, 1);
        QCOMPARE(sub[1].column, 3);
        const QFontMetrics metrics(listFont(kChartListFont));
        QVERIFY(sub[1].x + metrics.horizontalAdvance(sub[1].text) < layout.columns()[5]);
        // Without a group above, a last heading runs on as far as it likes.
        static constexpr ChartLine flat[] = {
            u"\tsub a\t\ta rather long sub heading b",
            u"size\tmm\tin\tmm\tin\tmm\tin",
            u"1\t2\t3\t4\t5\t6\t7",
        };
        const ColumnLayout flatLayout = layoutOf(chartOf(flat, 2, 1));
        QVERIFY(flatLayout.columns()[5] < layout.columns()[5]);
    }

    void emptyLinesDrawNothing() {
        static constexpr ChartLine lines[] = {u"", u"\t\t\t\t\t", u"a\tb"};
        const ColumnLayout layout = layoutOf(chartOf(lines, 2, 1));
        QVERIFY(layout.line(0).empty());
        QVERIFY(layout.line(1).empty());
        QCOMPARE(layout.lineWidth(1), 0);
    }

    // Every chart of the program, in the list font and in the list font
    // resolved to other faces (kerning Latin faces among them): the layout
    // must hold whatever face the list font finds on a system.
    void everyChart_data() {
        QTest::addColumn<int>("position");
        QTest::addColumn<QString>("face");
        const auto all = charts::allCharts();
        for (const QString& face : {QString(), u"DejaVu Sans"_s, u"Nimbus Sans"_s}) {
            const QString faceName = face.isEmpty() ? u"list font"_s : face;
            QTest::addRow("kerned pairs %s", qPrintable(faceName)) << 0 << face;
            for (int i = 0; i < charts::kChartCount; ++i)
                QTest::addRow("%s %s", all[std::size_t(i)]->identifier.data(), qPrintable(faceName))
                    << i + 1 << face;
        }
    }
    void everyChart() {
        QFETCH(int, position);
        QFETCH(QString, face);
        static const ChartDefinition kerned = chartOf(kKernedLines, 1, 1);
        const ChartDefinition& chart =
            position == 0 ? kerned : *charts::allCharts()[std::size_t(position - 1)];
        QFont font = listFont(chart.listFont);
        if (!face.isEmpty())
            font.setFamilies({face});
        const QFontMetrics metrics(font);
        const ColumnLayout layout(chart, metrics);
        const auto columns = layout.columns();
        for (int row = 0; row < int(chart.lines.size()); ++row) {
            const auto texts = layout.line(row);
            const bool data =
                row >= chart.headingLines && row < chart.headingLines + chart.dataRows;
            const QStringList f = fields(chart.lines[std::size_t(row)]);
            int k = 0;
            for (std::size_t i = 0; i < texts.size(); ++i) {
                // Each text is as wide as Qt's shaping of it draws it.
                QCOMPARE(texts[i].width, metrics.horizontalAdvance(texts[i].text.toString()));
                if (i > 0) // no two texts overlap
                    QVERIFY2(texts[i].x >= texts[i - 1].x + texts[i - 1].width,
                             qPrintable(u"line %1: '%2'"_s.arg(row + 1).arg(texts[i].text)));
                if (!data)
                    continue;
                while (f[k].isEmpty())
                    ++k;
                // Data field k starts at column k.
                QCOMPARE(texts[i].text.toString(), f[k]);
                QCOMPARE(texts[i].column, k);
                QCOMPARE(texts[i].x,
                         columns[std::size_t(k)] + (k == 0 ? layout.designationIndent() : 0));
                ++k;
            }
            if (data) // every field is drawn
                QCOMPARE(qsizetype(texts.size()),
                         std::ranges::count_if(f, [](const QString& t) { return !t.isEmpty(); }));
        }
    }

    void metricHeadings_data() {
        QTest::addColumn<int>("line");
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("column");
        QTest::newRow("unit") << 2 << u"単位：mm"_s << 3;
        QTest::newRow("group") << 3 << u"めねじ内径\u3000等級6H（旧JIS2級）"_s << 2;
        QTest::newRow("designation") << 4 << u"ねじの呼び （注1）"_s << 0;
        QTest::newRow("drill") << 4 << u"ドリル径"_s << 1;
        QTest::newRow("minimum") << 4 << u"最小寸法"_s << 2;
        QTest::newRow("maximum") << 4 << u"最大寸法"_s << 3;
    }
    void metricHeadings() {
        QFETCH(int, line);
        QFETCH(QString, text);
        QFETCH(int, column);
        QCOMPARE(columnOfText(layoutOf(charts::kMetricChart), line - 1, text), column);
    }
};

QTEST_MAIN(TestColumnLayout)
#include "test_column_layout.moc"
