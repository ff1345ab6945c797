#include "search/result_detail.h"

#include "chart_model/accessible_text.h"
#include "chart_model/chart_text.h"
#include "search/bench_texts.h"
#include "search/computed.h"
#include "search/engagement.h"
#include "search/identify_texts.h"
#include "search/result_texts.h"

#include <QStringList>
#include <tuple>

namespace vornel::search {
namespace {

// "ひっかかり率 89 %", or that the thread has none.
QString engagementPhrase(const threads::Engagement& engagement) {
    const QString text = engagementText(engagement);
    return text.isEmpty() ? QStringLiteral("ひっかかり率なし")
                          : QStringLiteral("ひっかかり率 ") + text;
}

QString usableDrillsLine(const SearchResult& result) {
    // Within the class asked's limits where the row is judged by them.
    const Computed* asked = classJudged(result);
    const QString head =
        asked ? QStringLiteral("使えるドリル径（%1）　").arg(toQString(asked->standard))
              : QStringLiteral("使えるドリル径　");
    if (asked && !asked->hasLimits)
        return head + gapText(asked->note);
    if (!result.hasHoleLimits)
        return head + QStringLiteral("この図表には寸法の範囲がありません");
    const std::vector<UsableDrill> drills = usableDrills(result);
    if (drills.empty())
        return head + QStringLiteral("範囲内に入るドリル径はありません");
    QStringList texts;
    for (const UsableDrill& drill : drills) {
        QStringList notes;
        const QString engagement = engagementText(drill.engagement);
        if (!engagement.isEmpty())
            notes.append(engagement);
        if (drill.chartDrill)
            notes.append(QStringLiteral("図表のドリル径"));
        if (drill.suggested)
            notes.append(QStringLiteral("推奨"));
        texts.append(notes.isEmpty() ? drillText(drill.diameter)
                                     : drillText(drill.diameter) + u'（' +
                                           notes.join(QStringLiteral("、")) + u'）');
    }
    return head + texts.join(QStringLiteral("、"));
}

// The bolt's group: its major and pitch diameters by the class asked.
QStringList boltLines(const SearchResult& result, const ThreadHalf& half) {
    if (!half.hasLimits)
        return {QStringLiteral("おねじ　") + toQString(half.standard) + u' ' + gapText(half.note)};
    QStringList lines{QStringLiteral("おねじ（%1）").arg(toQString(half.standard))};
    for (const QString& figure : halfFigures(result, QStringLiteral("計算値")))
        lines.append(u'　' + figure);
    return lines;
}

// The hole's group: its minor diameter, the chart's and the class asked's,
// its pitch diameter, its smallest major diameter and its tap.
QStringList holeLines(const SearchResult& result, const ThreadHalf& half) {
    const Computed* asked = classJudged(result);
    const QString note = QStringLiteral("計算値");
    QStringList lines{QStringLiteral("めねじ（%1）").arg(toQString(half.standard))};
    if (!result.chart && result.computed && result.computed->hasLimits)
        lines.append(QStringLiteral("　内径 ") + workedOutText(result, result.computed->minimum,
                                                               result.computed->maximum, note));
    else if (result.limits != Limits::None)
        lines.append(QStringLiteral("　内径 ") + std::apply(rangeText, rowLimits(result)) +
                     (asked ? QStringLiteral("（図表）") : QString()));
    if (asked && asked->hasLimits)
        lines.append(QStringLiteral("　内径 ") +
                     workedOutText(result, asked->minimum, asked->maximum, note));
    if (asked && !asked->hasLimits) {
        lines.append(u'　' + gapText(asked->note));
        return lines;
    }
    if (!half.hasLimits) {
        lines.append(u'　' + missingHalfText(result));
        return lines;
    }
    for (const QString& figure : halfFigures(result, note))
        lines.append(u'　' + figure);
    if (half.tap.any())
        lines.append(u'　' + tapText(half.tap));
    return lines;
}

QString threadDetail(const SearchResult& result) {
    // A measurement's reading and how it fits come first.
    QStringList lines = measuredDetailLines(result);
    if (!result.chart && !result.computed)
        return lines.join(u'\n');
    // The title as its cell is spoken: the detail is read as it is drawn.
    QString thread = spokenText(chartText(result)) + u'　' + toQString(result.designation);
    const ThreadHalf* half = result.half.get();
    const bool bolt = half && half->external && !result.chart;
    if (!result.kind.empty() && !bolt) // a bolt's figures are named in its group
        thread += u'（' + toQString(result.kind) + u'）';
    if (result.leftHand)
        thread += QStringLiteral("（左ねじ）");
    lines.append(thread);
    if (result.unreadClass)
        lines.append(kUnreadClass.toString());
    if (bolt) {
        lines += boltLines(result, *half);
        if (half->fitNote.any())
            lines.append(fitNoteText(half->fitNote));
        return lines.join(u'\n');
    }
    if (!result.chart && result.computed->note != Gap::None) {
        lines.append(gapText(result.computed->note));
        return lines.join(u'\n');
    }
    const bool engages = hasEngagement(result);
    const Computed* asked = classJudged(result);
    if (!result.drill.empty()) {
        QString drill =
            (result.chart ? QStringLiteral("ドリル径 ") : QStringLiteral("推奨ドリル径 ")) +
            toQString(result.drill);
        if (!result.chart && result.computed->drillOutside)
            drill += QStringLiteral("（範囲外）");
        if (engages)
            drill += u'　' + engagementPhrase(chartDrillEngagement(result));
        lines.append(drill);
    }
    // The drill suggested for the class asked, beside the chart's.
    if (asked && asked->drill > 0) {
        QString drill = QStringLiteral("推奨ドリル径 %1（%2%3）")
                            .arg(drillText(asked->drill), toQString(asked->standard),
                                 asked->drillOutside ? QStringLiteral("、範囲外") : QString());
        if (engages)
            drill += u'　' + engagementPhrase(drillEngagement(result, asked->drill));
        lines.append(drill);
    }
    if (result.queriedDrill > 0) {
        QString queried = QStringLiteral("調べたドリル径 ") + drillText(result.queriedDrill);
        if (engages)
            queried += u'　' + engagementPhrase(queriedDrillEngagement(result));
        SearchResult where = result;
        where.byDesignation = false;
        const QString place = matchDescription(where);
        lines.append(place.isEmpty() ? queried : queried + u'　' + place);
    }
    if (!engages)
        lines.append(QStringLiteral("ひっかかり率　この図表のねじにはありません"));
    if (half && half->familyLacks) // a class on a thread that has none
        lines.append((half->external ? QStringLiteral("おねじ　") : QStringLiteral("めねじ　")) +
                     toQString(half->className) + u' ' + gapText(half->note));
    else if (half && !half->external) {
        lines += holeLines(result, *half);
        lines.append(usableDrillsLine(result));
        return lines.join(u'\n');
    }
    // The chart's limits, named as the chart's where the class asked's
    // follow them.
    if (result.limits != Limits::None)
        lines.append(toQString(limitsName(result.limits)) + u' ' +
                     std::apply(rangeText, rowLimits(result)) +
                     (!result.chart ? QStringLiteral("（計算値）")
                      : asked       ? QStringLiteral("（図表）")
                                    : QString()));
    if (asked)
        lines.append(asked->hasLimits ? QStringLiteral("%1 %2（計算値、%3）")
                                            .arg(toQString(limitsName(Limits::MinorDiameter)),
                                                 rangeText(workedOutText(asked->minimum),
                                                           workedOutText(asked->maximum)),
                                                 toQString(asked->standard))
                                      : toQString(asked->standard) + u'　' + gapText(asked->note));
    lines.append(usableDrillsLine(result));
    return lines.join(u'\n');
}

} // namespace

QString resultDetail(const SearchResult& result) {
    QStringList lines;
    if (const QString thread = threadDetail(result); !thread.isEmpty())
        lines = thread.split(u'\n');
    // Last, after the hole's answer that the rows above it are.
    if (const QString area = bareStressArea(result); !area.isEmpty())
        lines.append(area);
    lines += benchFields(result);
    return lines.join(u'\n');
}

QString spokenDetail(const SearchResult& result) {
    QStringList lines = resultDetail(result).split(u'\n');
    for (QString& line : lines)
        line = spokenAnswer(line);
    return lines.join(u'\n');
}

} // namespace vornel::search
