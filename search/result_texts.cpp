#include "search/result_texts.h"

#include "chart_model/accessible_text.h"
#include "chart_model/chart_text.h"
#include "search/computed.h"
#include "search/engagement.h"
#include "search/identify.h"
#include "search/identify_texts.h"

#include <QStringList>

namespace vornel::search {
namespace {

QString millimetres(Millionths value) {
    return toQString(formatMillimetres(value));
}

// The limits the standard gives for the class asked, beside the chart's.
QString computedLimits(const Computed& computed) {
    if (computed.note != Gap::None)
        return toQString(computed.standard) + u' ' + gapText(computed.note);
    if (!computed.hasLimits)
        return {};
    return QStringLiteral("%1 計算値 %2～%3")
        .arg(toQString(computed.standard), toQString(computed.minimumText),
             toQString(computed.maximumText));
}

} // namespace

QString gapText(Gap gap) {
    switch (gap) {
    case Gap::NoSize:
        return QStringLiteral("規格にないサイズ");
    case Gap::NoPitch:
        return QStringLiteral("規格にないピッチ");
    case Gap::NoClass:
        return QStringLiteral("規格にない等級");
    case Gap::NoPitchDiameter:
        return QStringLiteral("有効径は規格にない");
    case Gap::None:
        break;
    }
    return {};
}

QString tapText(const Tap& tap) {
    if (tap.iso.iso > 0)
        return QStringLiteral("タップ ISO %1").arg(tap.iso.iso);
    if (tap.iso.gap == threads::TapClassGap::NotInIso2857)
        return QStringLiteral("ISO のタップ等級なし");
    // "（目安）" where no maker's table lists it and the 40 % rule chose it.
    if (tap.unified.h > 0)
        return QStringLiteral("タップ H%1").arg(tap.unified.h) +
               (tap.unified.fromCatalogue ? QString() : QStringLiteral("（目安）"));
    return {};
}

QString fitNoteText(const FitNote& note) {
    QStringList words;
    if (note.acrossStandards)
        words.append(QStringLiteral("ISO と ASME の等級の組合せ"));
    if (note.mixedClasses)
        words.append(QStringLiteral("等級の異なる組合せ"));
    if (note.boltFirst)
        words.append(QStringLiteral("めねじの等級を先に書くのが普通"));
    return words.join(u'、');
}

QString columnName(int column) {
    switch (column) {
    case Chart:
        return QStringLiteral("図表");
    case Designation:
        return QStringLiteral("ねじの呼び");
    case Kind:
        return QStringLiteral("種類");
    case Drill:
        return QStringLiteral("ドリル径");
    case Engagement:
        return QStringLiteral("ひっかかり率");
    case Limits:
        return QStringLiteral("最小～最大寸法");
    case Match:
        return QStringLiteral("一致");
    default:
        return {};
    }
}

QString chartText(const SearchResult& result) {
    if (result.chart)
        return toQString(result.chart->title);
    if (result.computed)
        return QStringLiteral("計算値（%1）").arg(toQString(result.computed->standard));
    if (result.measured) // a reading that claims no thread
        return QStringLiteral("測定値");
    return {};
}

QString cellText(const SearchResult& result, int column) {
    // A measurement's candidate: the limits the reading was held against and
    // how it fits (search/identify_texts).
    if (result.measured && (column == Limits || column == Match)) {
        QString text = column == Limits ? measuredLimitsText(result) : measuredFitText(result);
        if (!text.isEmpty() || !result.measured->thread)
            return text;
    }
    switch (column) {
    case Chart:
        return chartText(result);
    case Designation:
        return result.leftHand ? toQString(result.designation) + QStringLiteral("（左ねじ）")
                               : toQString(result.designation);
    case Kind:
        return toQString(result.kind);
    case Drill:
        // A thread no chart holds whose limits no drill of the series meets:
        // the nearest, said to be outside them.
        if (!result.chart && result.computed && result.computed->drillOutside)
            return toQString(result.drill) + QStringLiteral("（範囲外）");
        if (result.drillInch.empty())
            return toQString(result.drill);
        return QStringLiteral("%1（%2 inch）")
            .arg(toQString(result.drill), toQString(result.drillInch));
    case Engagement:
        return resultEngagementText(result);
    case Limits: {
        // The bolt's: its major and pitch diameters, named by the kind
        // beside them, that the window's cell shows both whole.
        if (const ThreadHalf* half = result.half.get(); half && half->external && !result.chart)
            return half->hasLimits
                       ? QStringLiteral("%1～%2／%3～%4")
                             .arg(millimetres(half->majorMinimum), millimetres(half->majorMaximum),
                                  millimetres(half->pitchMinimum), millimetres(half->pitchMaximum))
                       : toQString(half->className) + u' ' + gapText(half->note);
        // The class asked first, beside the chart's row: its figures are
        // what the query asked for, and the cell may be cut at its end.
        if (result.chart && result.computed) {
            const Computed& asked = *result.computed;
            QString text = asked.hasLimits
                               ? QStringLiteral("%1 %2～%3（計算値）")
                                     .arg(toQString(asked.className), toQString(asked.minimumText),
                                          toQString(asked.maximumText))
                               : toQString(asked.className) + u' ' + gapText(asked.note);
            if (result.limits != vornel::Limits::None)
                text += QStringLiteral("　図表 %1～%2")
                            .arg(toQString(result.minimum), toQString(result.maximum));
            return text;
        }
        QString text;
        if (result.limits != vornel::Limits::None)
            text = QStringLiteral("%1 %2～%3")
                       .arg(toQString(limitsName(result.limits)), toQString(result.minimum),
                            toQString(result.maximum));
        if (!result.chart && result.computed && result.computed->note != Gap::None)
            return gapText(result.computed->note);
        return text;
    }
    case Match:
        return matchDescription(result);
    default:
        return {};
    }
}

QString accessibleCellText(const SearchResult& result, int column) {
    QString value = cellText(result, column);
    // The limits name what they bound; the chart, the thread and its kind
    // read bare, as in a chart's row.
    if (!value.isEmpty() && (column == Drill || column == Engagement || column == Match))
        value = columnName(column) + u' ' + value;
    return spokenText(value);
}

QString matchDescription(const SearchResult& result) {
    // Judged by the class asked beside the row: its limits are named by it,
    // "4H の最大寸法より 0.033 大きい".
    const Computed* asked = classJudged(result);
    const QString of = asked ? toQString(asked->className) + QStringLiteral(" の") : QString();
    QString drill;
    if (result.drillMatch == DrillMatch::Drill)
        drill = QStringLiteral("ドリル径と同じ");
    else if (result.drillMatch == DrillMatch::WithinLimits)
        drill = of + QStringLiteral("範囲内");
    if (result.withinLimits) {
        if (asked && result.drillMatch == DrillMatch::Drill)
            drill += u'（' + of + QStringLiteral("範囲内、");
        else
            drill += u'（';
        drill += result.aboveMinimum == 0
                     ? QStringLiteral("最小寸法と同じ")
                     : QStringLiteral("最小 +") + millimetres(result.aboveMinimum);
        drill += result.belowMaximum == 0
                     ? QStringLiteral("／最大寸法と同じ）")
                     : QStringLiteral("／最大 −") + millimetres(result.belowMaximum) + u'）';
    } else if (result.aboveMinimum < 0 || result.belowMaximum < 0) {
        // A thread-and-drill query's drill outside the row's limits.
        const QString outside =
            of +
            (result.aboveMinimum < 0
                 ? QStringLiteral("最小寸法より %1 小さい").arg(millimetres(-result.aboveMinimum))
                 : QStringLiteral("最大寸法より %1 大きい").arg(millimetres(-result.belowMaximum)));
        drill = drill.isEmpty() ? outside : drill + u'（' + outside + u'）';
    }
    QString text = result.byDesignation ? QStringLiteral("呼び") : QString();
    if (!text.isEmpty() && !drill.isEmpty())
        text += u'・';
    text += drill;
    // A class on a thread whose family has none, and what a fit's classes
    // written together say.
    if (const ThreadHalf* half = result.half.get()) {
        QStringList notes;
        if (half->familyLacks)
            notes.append(toQString(half->className) + u' ' + gapText(half->note));
        if (half->fitNote.any())
            notes.append(fitNoteText(half->fitNote));
        for (const QString& note : notes)
            text += (text.isEmpty() ? QString() : QStringLiteral("・")) + note;
    }
    if (result.unreadClass)
        text += (text.isEmpty() ? QString() : QStringLiteral("・")) + kUnreadClass.toString();
    return text;
}

QString engagementText(const threads::Engagement& engagement, Millionths drill) {
    using Kind = threads::Engagement::Kind;
    QStringList notes;
    if (drill > 0)
        notes.append(QStringLiteral("ドリル径 ") + millimetres(drill));
    QString figure;
    switch (engagement.kind) {
    case Kind::Percent:
        figure = QStringLiteral("%1 %").arg(engagement.percent);
        break;
    case Kind::AboveBasic:
        figure = QStringLiteral("%1 %").arg(engagement.percent);
        notes.append(QStringLiteral("基準の内径より小さい"));
        break;
    case Kind::AtOrAboveMajor:
        figure = QStringLiteral("ねじ山なし");
        notes.append(QStringLiteral("外径以上"));
        break;
    case Kind::BelowRoot:
        figure = QStringLiteral("タップの谷径より小さい");
        break;
    case Kind::None:
        return {};
    }
    return notes.isEmpty() ? figure : figure + u'（' + notes.join(QStringLiteral("、")) + u'）';
}

QString resultEngagementText(const SearchResult& result) {
    return engagementText(resultEngagement(result), result.queriedDrill);
}

QString engagementField(const SearchResult& result) {
    const QString text = resultEngagementText(result);
    return text.isEmpty() ? QString() : QStringLiteral("ひっかかり率 ") + text;
}

QStringList halfFields(const SearchResult& result) {
    const ThreadHalf* half = result.half.get();
    if (!half)
        return {};
    const QString side = half->external ? QStringLiteral("おねじ") : QStringLiteral("めねじ");
    QStringList fields;
    const Computed* asked = classJudged(result);
    if (!half->hasLimits) {
        // The row's classless note is its match's; the class judged's, its limits'.
        if (!half->familyLacks && !(asked && !asked->hasLimits))
            fields.append(side + u' ' + toQString(half->className) + u' ' + gapText(half->note));
    } else {
        const QString pitch =
            QStringLiteral("%1有効径 %2～%3")
                .arg(side, millimetres(half->pitchMinimum), millimetres(half->pitchMaximum));
        if (half->external)
            fields << QStringLiteral("おねじ外径 %1～%2")
                          .arg(millimetres(half->majorMinimum), millimetres(half->majorMaximum))
                   << pitch;
        else
            fields << pitch << QStringLiteral("めねじ外径 最小 ") + millimetres(half->majorMinimum);
        fields.append(toQString(half->standard) + QStringLiteral(" 計算値"));
        if (half->tap.any())
            fields.append(tapText(half->tap));
    }
    if (half->fitNote.any())
        fields.append(fitNoteText(half->fitNote));
    return fields;
}

QString copiedFields(const SearchResult& result) {
    QStringList fields;
    QStringList half = halfFields(result);
    if (const Computed* asked = classJudged(result)) {
        fields.append(computedLimits(*asked)); // names the standard and class already
        half.removeOne(toQString(asked->standard) + QStringLiteral(" 計算値"));
    }
    fields += half;
    // A class the family lacks, which the window says where it says how the
    // row matched.
    if (result.half && result.half->familyLacks)
        fields.append(toQString(result.half->className) + u' ' + gapText(result.half->note));
    if (result.leftHand)
        fields.append(QStringLiteral("左ねじ"));
    if (result.unreadClass)
        fields.append(kUnreadClass.toString());
    if (const QString engagement = engagementField(result); !engagement.isEmpty())
        fields.append(engagement);
    return fields.join(u'\t');
}

QString resultName(const SearchResult& result) {
    return QStringLiteral("%1（%2）").arg(cellText(result, Designation), chartText(result));
}

QString resultDescription(const SearchResult& result) {
    // The drill and the limits first, then any further value the search
    // window shows (the ひっかかり率 ...), named by its column, then how a
    // drill matched ("呼び" says no more than the name).
    QStringList parts, further;
    QString match;
    const bool bolt = result.half && result.half->external && !result.chart;
    for (int column = 0; column < ColumnCount; ++column) {
        const QString text = cellText(result, column);
        if (text.isEmpty())
            continue;
        switch (column) {
        case Chart:
        case Designation:
            break; // in the name
        case Kind:
            if (!bolt)
                parts.append(text); // "Rc(PT)"
            break;
        case Limits:
            // Says what it is: "めねじ内径 6.647～6.912"; the bolt's figures
            // and the hole's further ones each with their names.
            if (!bolt)
                parts.append(classJudged(result)
                                 ? toQString(limitsName(result.limits)) + u' ' + text
                                 : text);
            parts += halfFields(result);
            break;
        case Drill:
            parts.append(columnName(column) + u' ' + text);
            break;
        case Match:
            if (result.drillMatch != DrillMatch::None || result.aboveMinimum < 0 ||
                result.belowMaximum < 0 || result.measured || result.unreadClass ||
                (result.half && result.half->familyLacks))
                match = text;
            break;
        default:
            further.append(columnName(column) + u' ' + text);
        }
    }
    parts += further;
    if (!match.isEmpty())
        parts.append(match);
    return parts.join(QStringLiteral("、"));
}

} // namespace vornel::search
