// Prints every chart's identifier, title, lines, what a screen reader is to
// say for each line, number of heading lines and the caption of the button
// that opens it, with the names the window and the button go by on the
// accessibility bus, as JSON, for end-to-end tests that compare what a client of
// the program reads with the charts.
#include "app/menu_window.h"
#include "chart_model/accessible_text.h"
#include "charts/charts.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <cstdio>

namespace {

QString qs(std::u16string_view s) {
    return QString::fromUtf16(s.data(), static_cast<qsizetype>(s.size()));
}

} // namespace

int main() {
    QJsonArray charts;
    int position = 1;
    for (const vornel::ChartDefinition* chart : vornel::charts::allCharts()) {
        QString caption;
        for (const vornel::MenuButton& button : vornel::menuButtons())
            if (button.position == position)
                caption = qs(button.caption);
        if (chart) {
            QJsonArray lines;
            QJsonArray names;
            for (const vornel::ChartLine& line : chart->lines) {
                names.append(vornel::accessibleLineText(*chart, int(lines.size())));
                lines.append(qs(line));
            }
            charts.append(QJsonObject{
                {"position", position},
                {"identifier", QString::fromLatin1(chart->identifier.data(),
                                                   qsizetype(chart->identifier.size()))},
                {"title", qs(chart->title)},
                {"caption", caption},
                {"accessibleTitle", vornel::spokenText(qs(chart->title))},
                {"accessibleCaption", vornel::spokenText(caption)},
                {"lines", lines},
                {"names", names},
                {"headingLines", chart->headingLines},
            });
        }
        ++position;
    }
    const QByteArray json = QJsonDocument(charts).toJson(QJsonDocument::Compact);
    std::fwrite(json.constData(), 1, static_cast<std::size_t>(json.size()), stdout);
    return 0;
}
