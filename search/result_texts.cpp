#include "search/result_texts.h"

#include "chart_model/accessible_text.h"
#include "chart_model/chart_text.h"
#include "search/bench_texts.h"
#include "search/computed.h"
#include "search/engagement.h"
#include "search/identify.h"
#include "search/identify_texts.h"
#include "threads/thread.h"

#include <QStringList>
#include <algorithm>

namespace vornel::search {
namespace {

// The limits the standard gives for the class asked, beside the chart's.
QString computedLimits(const Computed& computed) {
    if (computed.note != Gap::None)
        return toQString(computed.standard) + u' ' + gapText(computed.note);
    if (!computed.hasLimits)
        return {};
    return toQString(computed.standard) + QStringLiteral(" 計算値 ") +
           rangeText(workedOutText(computed.minimum), workedOutText(computed.maximum));
}

// A bolt's two pairs: drawn "7.760～7.972／7.042～7.160", which the kind
// column names; spoken, each pair with its name.
QString boltLimits(const ThreadHalf& half, bool spoken) {
    if (!half.hasLimits)
        return toQString(half.className) + u' ' + gapText(half.note);
    const QString major =
        rangeText(workedOutText(half.majorMinimum), workedOutText(half.majorMaximum));
    const QString pitch =
        rangeText(workedOutText(half.pitchMinimum), workedOutText(half.pitchMaximum));
    return spoken ? QStringLiteral("外径 %1、有効径 %2").arg(major, pitch) : major + u'／' + pitch;
}

QString limitsCell(const SearchResult& result, bool spoken) {
    if (const ThreadHalf* half = result.half.get(); half && half->external && !result.chart)
        return boltLimits(*half, spoken);
    const QString name = toQString(limitsName(result.limits));
    // The class asked first, beside the chart's row: its figures are what
    // the query asked for, and the cell may be cut at its end.
    if (result.chart && result.computed) {
        const Computed& asked = *result.computed;
        QString text = toQString(limitsName(Limits::MinorDiameter)) + u' ' +
                       toQString(asked.className) + u' ' +
                       (asked.hasLimits ? rangeText(workedOutText(asked.minimum),
                                                    workedOutText(asked.maximum)) +
                                              QStringLiteral("（計算値）")
                                        : gapText(asked.note));
        if (result.limits != vornel::Limits::None)
            text += QStringLiteral("　図表 ") +
                    (result.limits == Limits::MinorDiameter ? QString() : name + u' ') +
                    rangeText(toQString(result.minimum), toQString(result.maximum));
        return text;
    }
    if (!result.chart && result.computed && result.computed->note != Gap::None)
        return gapText(result.computed->note);
    if (result.limits == vornel::Limits::None)
        return {};
    const auto [minimum, maximum] = rowLimits(result);
    return name + u' ' + rangeText(minimum, maximum);
}

} // namespace

namespace {

// A length to `places` decimals, half away from zero, every place written.
QString placedText(Millionths value, int places) {
    Millionths unit = 1;
    for (int i = places; i < 6; ++i)
        unit *= 10;
    const Millionths size = ((value < 0 ? -value : value) + unit / 2) / unit;
    Millionths scale = 1;
    for (int i = 0; i < places; ++i)
        scale *= 10;
    QString text = (value < 0 ? QStringLiteral("-") : QString()) + QString::number(size / scale);
    if (places > 0)
        text += u'.' + QStringLiteral("%1").arg(size % scale, places, 10, QChar(u'0'));
    return text;
}

int decimalPlaces(std::u16string_view figure) {
    const std::size_t point = figure.find(u'.');
    return point == std::u16string_view::npos ? 0 : static_cast<int>(figure.size() - point - 1);
}

// How far a drill lies from the limits it is held against: exactly, with
// the places of those limits (a chart's as it prints them, a standard's to
// 0.001 mm).
QString differenceText(const SearchResult& result, Millionths value) {
    const int limits = classJudged(result) || !result.chart
                           ? 3
                           : std::max(decimalPlaces(result.minimum), decimalPlaces(result.maximum));
    return placedText(value, std::max(limits, decimalPlaces(formatMillimetres(value))));
}

// Whether how a result matched says more than its name: where a drill lies.
bool matchSaysMore(const SearchResult& result) {
    return result.drillMatch != DrillMatch::None || result.aboveMinimum < 0 ||
           result.belowMaximum < 0;
}

} // namespace

QString workedOutText(Millionths value) {
    return placedText(value, 3);
}

QString fixedText(Millionths value, int places) {
    return placedText(value, places);
}

bool inInches(const SearchResult& result) {
    return result.thread && result.thread->family == threads::Family::Unified;
}

QString inchText(Millionths value) {
    constexpr Millionths perTenThousandth = threads::kInch / 10'000;
    return placedText((value + perTenThousandth / 2) / perTenThousandth * 100, 4);
}

QString workedOutText(const SearchResult& result, Millionths minimum, Millionths maximum,
                      const QString& note) {
    const bool range = maximum != minimum;
    QString text =
        range ? rangeText(workedOutText(minimum), workedOutText(maximum)) : workedOutText(minimum);
    QStringList notes;
    if (inInches(result))
        notes.append((range ? rangeText(inchText(minimum), inchText(maximum)) : inchText(minimum)) +
                     QStringLiteral(" in"));
    if (!note.isEmpty())
        notes.append(note);
    return notes.isEmpty() ? text : text + u'（' + notes.join(QStringLiteral("、")) + u'）';
}

QString drillText(Millionths value) {
    return toQString(formatMillimetres(value));
}

QString rangeText(const QString& minimum, const QString& maximum) {
    return minimum + u'～' + maximum;
}

std::pair<QString, QString> rowLimits(const SearchResult& result) {
    // A thread no chart holds: the standard's limits, at its precision.
    if (!result.chart && result.computed && result.computed->hasLimits)
        return {workedOutText(result.computed->minimum), workedOutText(result.computed->maximum)};
    return {toQString(result.minimum), toQString(result.maximum)};
}

namespace {

// Whether the hyphen at `at` parts a standard's number ("ISO 965-1"), which
// is said whole, not paused as a designation's hyphen.
bool standardPart(const QString& text, qsizetype at) {
    if (at + 1 >= text.size() || !text[at + 1].isDigit())
        return false;
    qsizetype start = at;
    while (start > 0 && text[start - 1].isDigit())
        --start;
    return start < at && QStringView(text).left(start).endsWith(u"ISO ");
}

} // namespace

QString spokenAnswer(QString text) {
    text = spokenText(text);
    text.replace(QStringLiteral(" mm²"), QStringLiteral(" 平方ミリメートル"));
    text.replace(QStringLiteral(" in²"), QStringLiteral(" 平方インチ"));
    const auto word = [](QChar c) { return c.isLetterOrNumber(); };
    QString out;
    out.reserve(text.size() + 16);
    const auto pause = [&out] {
        while (out.endsWith(u' '))
            out.chop(1);
        if (!out.isEmpty() && !out.endsWith(u'、'))
            out += u'、';
    };
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        const QChar next = i + 1 < text.size() ? text[i + 1] : QChar();
        switch (c.unicode()) {
        case u'～':
            out += QStringLiteral(" から ");
            break;
        case u'°':
            out += QStringLiteral(" 度");
            break;
        // A designation's hyphen: "M8 × 1.25-6g", "3/8-16UNC", "1/4 ‐19".
        case u'-':
        case u'\u2010':
        case u'\uFF0D':
            if (standardPart(text, i))
                out += QStringLiteral("の");
            else if (word(next) &&
                     (i == 0 || word(text[i - 1]) || text[i - 1] == u' ' || text[i - 1] == u'/'))
                out += u' ';
            else
                out += c;
            break;
        case u'（':
        case u'）':
        case u'(':
        case u')':
        case u'／':
        case u'：':
        case u'・':
        case u'　':
        case u'、':
            pause();
            break;
        case u' ':
            if (!out.endsWith(u' ') && !out.endsWith(u'、'))
                out += c;
            break;
        default:
            out += c;
        }
    }
    while (out.endsWith(u'、') || out.endsWith(u' '))
        out.chop(1);
    return out.simplified();
}

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
    if (result.bench) // bench words with no thread
        return QStringLiteral("ねじの呼びなし");
    return {};
}

QString designationText(const SearchResult& result) {
    if (result.measured && !result.measured->thread)
        return measurementText(result.measured->measurement);
    return toQString(result.designation);
}

QString kindText(const SearchResult& result) {
    if (result.half && result.half->external && !result.chart)
        return QStringLiteral("外径／有効径");
    return toQString(result.kind);
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
        return result.leftHand ? designationText(result) + QStringLiteral("（左ねじ）")
                               : designationText(result);
    case Kind:
        return kindText(result);
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
    case Limits:
        return limitsCell(result, false);
    case Match: {
        const QString match = matchDescription(result), bench = benchSummary(result);
        return match.isEmpty() || bench.isEmpty() ? match + bench : match + u'・' + bench;
    }
    default:
        return {};
    }
}

QString accessibleCellText(const SearchResult& result, int column) {
    QString value = column == Limits && !(result.measured && !measuredLimitsText(result).isEmpty())
                        ? limitsCell(result, true)
                        : cellText(result, column);
    // The limits name what they bound; the chart, the thread and its kind
    // read bare, as in a chart's row.
    if (!value.isEmpty() && (column == Drill || column == Engagement || column == Match))
        value = columnName(column) + u' ' + value;
    return spokenAnswer(value);
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
                     : QStringLiteral("最小 +") + differenceText(result, result.aboveMinimum);
        drill += result.belowMaximum == 0 ? QStringLiteral("／最大寸法と同じ）")
                                          : QStringLiteral("／最大 −") +
                                                differenceText(result, result.belowMaximum) + u'）';
    } else if (result.aboveMinimum < 0 || result.belowMaximum < 0) {
        // A thread-and-drill query's drill outside the row's limits.
        const QString outside =
            of + (result.aboveMinimum < 0 ? QStringLiteral("最小寸法より %1 小さい")
                                                .arg(differenceText(result, -result.aboveMinimum))
                                          : QStringLiteral("最大寸法より %1 大きい")
                                                .arg(differenceText(result, -result.belowMaximum)));
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
        notes.append(QStringLiteral("ドリル径 ") + drillText(drill));
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

QStringList halfFigures(const SearchResult& result, const QString& note) {
    const ThreadHalf& half = *result.half;
    const QString major =
        half.external ? QStringLiteral("外径 ") +
                            workedOutText(result, half.majorMinimum, half.majorMaximum, note)
                      : QStringLiteral("外径 最小 ") +
                            workedOutText(result, half.majorMinimum, half.majorMinimum, note);
    const QString pitch = QStringLiteral("有効径 ") +
                          workedOutText(result, half.pitchMinimum, half.pitchMaximum, note);
    // The bolt's crest first, as its cell; the hole's flanks first, after its
    // minor diameter.
    return half.external ? QStringList{major, pitch} : QStringList{pitch, major};
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
            fields.append(missingHalfText(result, side));
    } else {
        for (const QString& figure : halfFigures(result))
            fields.append(side + figure);
        fields.append(toQString(half->standard) + QStringLiteral(" 計算値"));
        if (half->tap.any())
            fields.append(tapText(half->tap));
    }
    if (half->fitNote.any())
        fields.append(fitNoteText(half->fitNote));
    return fields;
}

QString missingHalfText(const SearchResult& result, const QString& side) {
    const ThreadHalf& half = *result.half;
    // The class gives the minor diameter but the standard no pitch diameter:
    // that is named, so that no figure seems to stand for it.
    if (half.note == Gap::NoPitchDiameter)
        return side + QStringLiteral("有効径 %1 規格にない寸法").arg(toQString(half.className));
    return (side.isEmpty() ? QString() : side + u' ') + toQString(half.className) + u' ' +
           gapText(half.note);
}

QString copiedFields(const SearchResult& result) {
    QStringList fields;
    // A measurement's candidate: the limits the reading was held against and
    // how it fits, which the chart's line does not say.
    if (result.measured && result.chart)
        for (const QString& field : {measuredLimitsText(result), measuredFitText(result)})
            if (!field.isEmpty())
                fields.append(field);
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
    if (matchSaysMore(result))
        fields.append(matchDescription(result));
    if (result.unreadClass)
        fields.append(kUnreadClass.toString());
    if (const QString engagement = engagementField(result); !engagement.isEmpty())
        fields.append(engagement);
    fields += benchFields(result);
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
                parts.append(text);
            parts += halfFields(result);
            break;
        case Drill:
            parts.append(columnName(column) + u' ' + text);
            break;
        case Match:
            if (matchSaysMore(result) || result.measured || result.unreadClass ||
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
    if (const QString bench = benchSummary(result); !bench.isEmpty() && !match.contains(bench))
        parts.append(bench);
    return parts.join(QStringLiteral("、"));
}

} // namespace vornel::search
