// The ten chart definitions as the registry holds them: each at its position
// under its button, with its window's values.
#include "app/menu_window.h"
#include "chart_checks.h"
#include "chart_model/chart_fields.h"
#include "charts/charts.h"

#include <QSet>

using namespace vornel;
using namespace vornel::test;
using namespace Qt::StringLiterals;

class TestChartDefinitions : public QObject {
    Q_OBJECT
private slots:
    void definitions_data() {
        QTest::addColumn<int>("position");
        QTest::addColumn<QString>("identifier");
        QTest::addColumn<QString>("title");
        QTest::addColumn<QRect>("clientArea");
        QTest::addColumn<QRect>("listRect");
        QTest::addColumn<Placement>("placement");
        QTest::addColumn<WindowIcon>("icon");
        QTest::addColumn<Background>("background");
        QTest::addColumn<int>("lineCount");
        const auto row = [](int position, const char* identifier, const QString& title,
                            QRect client, QRect list, Placement placement, WindowIcon icon,
                            Background background, int lines) {
            QTest::newRow(identifier) << position << QString::fromLatin1(identifier) << title
                                      << client << list << placement << icon << background << lines;
        };
        // clang-format off
        row(1, "Form2", u"メートルねじ"_s, QRect(4755, 1710, 5880, 7485), QRect(0, 0, 5895, 7500), Placement::StoredPosition, WindowIcon::ChartIcon, Background::WindowFace, 258);
        row(2, "Form3", u"ユニファイねじ"_s, QRect(4215, 1350, 7425, 7470), QRect(0, 0, 7455, 7500), Placement::StoredPosition, WindowIcon::ChartIcon, Background::WindowFace, 95);
        row(3, "Form4", u"ウィットねじ（インチ呼び）"_s, QRect(3675, 1350, 7590, 7050), QRect(0, 0, 7935, 7020), Placement::StoredPosition, WindowIcon::ChartIcon, Background::WindowFace, 29);
        row(4, "Form5", u"ウィットねじ（メートル呼び）"_s, QRect(3975, 1800, 6840, 8025), QRect(0, 0, 6855, 7980), Placement::StoredPosition, WindowIcon::ChartIcon, Background::WindowFace, 33);
        row(5, "Form6", u"英式管用テーパねじ"_s, QRect(3075, 1950, 9135, 6585), QRect(0, 0, 9135, 6540), Placement::StoredPosition, WindowIcon::ChartIcon, Background::WindowFace, 27);
        row(6, "Form7", u"英式管用平行ねじ（G、PF）"_s, QRect(4425, 1950, 5790, 6825), QRect(0, 0, 5775, 6780), Placement::StoredPosition, WindowIcon::ChartIcon, Background::WindowFace, 28);
        row(7, "Form8", u"アメリカ標準管用ねじ（NPT、NPS）"_s, QRect(2025, 2250, 12075, 4935), QRect(0, 0, 12015, 6060), Placement::StoredPosition, WindowIcon::ChartIcon, Background::WindowFace, 19);
        row(8, "Form9", u"インサートメートルねじ"_s, QRect(4395, 2205, 6720, 8385), QRect(0, 0, 6735, 8460), Placement::StoredPosition, WindowIcon::ChartIcon, Background::WindowFace, 34);
        row(9, "Form10", u"インサートユニファイねじ"_s, QRect(60, 450, 5760, 6810), QRect(0, 0, 5775, 6780), Placement::SystemDefault, WindowIcon::ChartIcon, Background::WindowFace, 33);
        row(10, "Form11", u"溝なしタップメ－トルねじ"_s, QRect(3600, 1230, 7650, 7725), QRect(0, 0, 7695, 7260), Placement::StoredPosition, WindowIcon::NoIcon, Background::White, 52);
        // clang-format on
    }
    void definitions() {
        QFETCH(int, position);
        QFETCH(QString, identifier);
        QFETCH(QString, title);
        QFETCH(QRect, clientArea);
        QFETCH(QRect, listRect);
        QFETCH(Placement, placement);
        QFETCH(WindowIcon, icon);
        QFETCH(Background, background);
        QFETCH(int, lineCount);
        const ChartDefinition* chart = charts::allCharts()[std::size_t(position - 1)];
        QVERIFY(chart);
        QCOMPARE(QString::fromLatin1(chart->identifier.data(), qsizetype(chart->identifier.size())),
                 identifier);
        QCOMPARE(qs(chart->title), title);
        QCOMPARE(rectOf(chart->clientArea), clientArea);
        QCOMPARE(rectOf(chart->listRect), listRect);
        QCOMPARE(chart->placement, placement);
        QCOMPARE(chart->icon, icon);
        QCOMPARE(chart->background, background);
        QCOMPARE(int(chart->lines.size()), lineCount);
        QCOMPARE(chart->footnote.has_value(), identifier == u"Form11"_s);

        // Every chart's list uses the same font.
        QCOMPARE(qs(chart->listFont.face), u"ＭＳ Ｐゴシック"_s);
        QCOMPARE(chart->listFont.pointSize, 12);
        QCOMPARE(chart->listFont.weight, 400);
        QCOMPARE(chart->listFont.charset, 128);
        // The list rectangle holds 16-bit unsigned values.
        for (int v : {listRect.x(), listRect.y(), listRect.width(), listRect.height()})
            QVERIFY(v >= 0 && v <= 0xFFFF);
        QVERIFY(chart->headingLines > 0 && chart->dataRows > 0);
        QVERIFY(chart->headingLines + chart->dataRows <= lineCount);
        for (int note : chart->noteLines)
            QVERIFY(note >= 0 && note < chart->headingLines);

        // The window is titled as the button that opens it reads.
        const auto buttons = menuButtons();
        const auto button = std::ranges::find(buttons, position, &MenuButton::position);
        QVERIFY(button != buttons.end());
        QCOMPARE(qs(button->caption), title);
        QCOMPARE(button->name, "Command" + std::to_string(position));
    }

    // The description of the columns fits every data row: one column a field,
    // the designation first, a number (or the charts' dash) in every length
    // column, and each minimum paired with the maximum of the same limits and
    // kind, below it in every row. A chart with several kinds names the kind
    // of every column after the designation, and each kind has a drill.
    void columnsDescribeEveryDataRow_data() {
        QTest::addColumn<int>("position");
        for (int position = 1; position <= charts::kChartCount; ++position)
            QTest::newRow(charts::allCharts()[std::size_t(position - 1)]->identifier.data())
                << position;
    }
    void columnsDescribeEveryDataRow() {
        QFETCH(int, position);
        const ChartDefinition* chart = charts::allCharts()[std::size_t(position - 1)];
        const auto columns = chart->columns;
        QVERIFY(columns.size() >= 2);
        QCOMPARE(columns[0].role, ColumnRole::Designation);
        const bool kinds = !columns[1].kind.empty();
        QSet<QString> kindsWithDrill, allKinds;
        for (std::size_t c = 1; c < columns.size(); ++c) {
            const ChartColumn& column = columns[c];
            QVERIFY(column.role != ColumnRole::Designation);
            QVERIFY(!column.name.empty());
            QCOMPARE(!column.kind.empty(), kinds);
            QCOMPARE(column.limits != Limits::None,
                     column.role == ColumnRole::Minimum || column.role == ColumnRole::Maximum);
            QCOMPARE(column.unit == Unit::None, column.role == ColumnRole::TapClass);
            allKinds.insert(qs(column.kind));
            if (column.role == ColumnRole::Drill)
                kindsWithDrill.insert(qs(column.kind));
        }
        if (kinds)
            QCOMPARE(kindsWithDrill, allKinds);
        QCOMPARE(std::ranges::count(columns, ColumnRole::Minimum, &ChartColumn::role),
                 std::ranges::count(columns, ColumnRole::Maximum, &ChartColumn::role));

        const auto partner = [&](std::size_t c) {
            std::optional<std::size_t> found;
            for (std::size_t p = 1; p < columns.size(); ++p) {
                if (p != c && columns[p].limits == columns[c].limits &&
                    columns[p].kind == columns[c].kind && columns[p].role != columns[c].role &&
                    (columns[p].role == ColumnRole::Minimum ||
                     columns[p].role == ColumnRole::Maximum)) {
                    if (found)
                        return std::optional<std::size_t>{};
                    found = p;
                }
            }
            return found;
        };

        for (int row = chart->headingLines; row < chart->headingLines + chart->dataRows; ++row) {
            const auto fields = chartFields(chart->lines[std::size_t(row)]);
            QCOMPARE(fields.size(), columns.size());
            QVERIFY(!trimPadding(fields[0]).empty());
            for (std::size_t c = 1; c < columns.size(); ++c) {
                if (columns[c].unit == Unit::None || isNoValue(fields[c]))
                    continue;
                bool ok = false;
                qs(trimPadding(fields[c])).toDouble(&ok);
                QVERIFY2(ok, qPrintable(qs(chart->lines[std::size_t(row)])));
                if (columns[c].role != ColumnRole::Minimum)
                    continue;
                const auto maximum = partner(c);
                QVERIFY2(maximum, qPrintable(qs(columns[c].name)));
                QVERIFY2(qs(fields[c]).toDouble() <= qs(fields[*maximum]).toDouble(),
                         qPrintable(qs(chart->lines[std::size_t(row)])));
            }
        }
    }

    void identifiersAreUnique() {
        QSet<QString> seen;
        for (const ChartDefinition* chart : charts::allCharts())
            seen.insert(
                QString::fromLatin1(chart->identifier.data(), qsizetype(chart->identifier.size())));
        QCOMPARE(seen.size(), charts::kChartCount);
    }
};

QTEST_MAIN(TestChartDefinitions)
#include "test_chart_definitions.moc"
