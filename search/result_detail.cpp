#include "search/result_detail.h"

#include "chart_model/chart_text.h"
#include "search/engagement.h"

#include <QStringList>

namespace vornel::search {
namespace {

QString millimetres(Millionths value) {
    return toQString(formatMillimetres(value));
}

// "ひっかかり率 89 %", or that the chart's threads have none.
QString engagementPhrase(std::optional<int> percent) {
    return percent ? QStringLiteral("ひっかかり率 ") + engagementText(percent)
                   : QStringLiteral("ひっかかり率なし");
}

QString usableDrillsLine(const SearchResult& result) {
    const QString head = QStringLiteral("使えるドリル径　");
    if (!hasLimits(*result.chart, result.line))
        return head + QStringLiteral("この図表には寸法の範囲がありません");
    const std::vector<UsableDrill> drills = usableDrills(*result.chart, result.line);
    if (drills.empty())
        return head + QStringLiteral("範囲内に入るドリル径はありません");
    QStringList texts;
    for (const UsableDrill& drill : drills) {
        QStringList notes;
        if (drill.engagement)
            notes.append(engagementText(drill.engagement));
        if (drill.chartDrill)
            notes.append(QStringLiteral("図表のドリル径"));
        texts.append(notes.isEmpty() ? millimetres(drill.diameter)
                                     : millimetres(drill.diameter) + u'（' +
                                           notes.join(QStringLiteral("、")) + u'）');
    }
    return head + texts.join(QStringLiteral("、"));
}

} // namespace

QString engagementText(std::optional<int> percent) {
    return percent ? QStringLiteral("%1 %").arg(*percent) : QString();
}

QString engagementField(const SearchResult& result) {
    const std::optional<int> percent = resultEngagement(result);
    if (!percent)
        return {};
    QString field = QStringLiteral("ひっかかり率 ") + engagementText(percent);
    if (result.queriedDrill > 0)
        field += QStringLiteral("（ドリル径 %1）").arg(millimetres(result.queriedDrill));
    return field;
}

QString resultDetail(const SearchResult& result) {
    if (!result.chart)
        return {};
    QStringList lines;
    QString thread = toQString(result.chart->title) + u'　' + toQString(result.designation);
    if (!result.kind.empty())
        thread += u'（' + toQString(result.kind) + u'）';
    lines.append(thread);
    const bool engages = hasEngagement(*result.chart);
    if (!result.drill.empty()) {
        QString drill = QStringLiteral("ドリル径 ") + toQString(result.drill);
        if (engages)
            drill += u'　' + engagementPhrase(chartDrillEngagement(result));
        lines.append(drill);
    }
    if (result.queriedDrill > 0) {
        QString queried = QStringLiteral("調べたドリル径 ") + millimetres(result.queriedDrill);
        if (engages)
            queried += u'　' + engagementPhrase(resultEngagement(result));
        SearchResult where = result;
        where.byDesignation = false;
        lines.append(queried + u'　' + toQString(matchDescription(where)));
    }
    if (!engages)
        lines.append(QStringLiteral("ひっかかり率　この図表のねじにはありません"));
    if (result.limits != Limits::None)
        lines.append(toQString(limitsName(result.limits)) + u' ' + toQString(result.minimum) +
                     u'～' + toQString(result.maximum));
    lines.append(usableDrillsLine(result));
    return lines.join(u'\n');
}

} // namespace vornel::search
