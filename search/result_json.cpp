#include "search/result_json.h"

#include "chart_model/chart_text.h"
#include "search/bench_texts.h"
#include "search/computed.h"
#include "search/engagement.h"
#include "search/identify.h"
#include "search/result_detail.h"
#include "search/result_texts.h"

#include <QJsonArray>
#include <QJsonDocument>

namespace vornel::search {
namespace {

const QString kMillimetre = QStringLiteral("mm");

// A figure as the texts write it, as a number: the same digits at every door.
QJsonValue number(const QString& text) {
    bool ok = false;
    const double value = text.toDouble(&ok);
    return ok ? QJsonValue(value) : QJsonValue();
}

QJsonObject range(const QString& minimum, const QString& maximum) {
    return {{QStringLiteral("minimum"), number(minimum)},
            {QStringLiteral("maximum"), number(maximum)},
            {QStringLiteral("unit"), kMillimetre}};
}

// A standard's range, in inches too where the standard prints inches.
QJsonObject workedOutRange(const SearchResult& result, Millionths minimum, Millionths maximum) {
    QJsonObject object = range(workedOutText(minimum), workedOutText(maximum));
    if (inInches(result))
        object.insert(QStringLiteral("inch"),
                      QJsonObject{{QStringLiteral("minimum"), number(inchText(minimum))},
                                  {QStringLiteral("maximum"), number(inchText(maximum))},
                                  {QStringLiteral("unit"), QStringLiteral("inch")}});
    return object;
}

QJsonObject length(const QString& text, const QString& unit = kMillimetre) {
    return {{QStringLiteral("value"), number(text)}, {QStringLiteral("unit"), unit}};
}

QString dimension(vornel::Limits limits) {
    return limits == vornel::Limits::PilotHole ? QStringLiteral("pilotHole")
                                               : QStringLiteral("minorDiameter");
}

// "ISO 965-1 6H" less its class: "ISO 965-1".
QString standardOf(const std::u16string& standard, const std::u16string& className) {
    QString text = toQString(standard);
    if (!className.empty() && text.endsWith(u' ' + toQString(className)))
        text.chop(static_cast<qsizetype>(className.size()) + 1);
    return text;
}

// The tap's class, "ISO 2" or "H4", and whether it is a rule of thumb;
// none where no rule names one.
void addTap(QJsonObject& half, const Tap& tap) {
    QString name;
    bool rough = false;
    if (tap.iso.iso > 0) {
        name = QStringLiteral("ISO %1").arg(tap.iso.iso);
    } else if (tap.unified.h > 0) {
        name = QStringLiteral("H%1").arg(tap.unified.h);
        rough = !tap.unified.fromCatalogue;
    } else {
        return;
    }
    half.insert(QStringLiteral("tap"), QJsonObject{{QStringLiteral("class"), name},
                                                   {QStringLiteral("approximate"), rough}});
}

QJsonObject halfJson(const SearchResult& result, const ThreadHalf& half) {
    QJsonObject object{{QStringLiteral("standard"), standardOf(half.standard, half.className)},
                       {QStringLiteral("class"), toQString(half.className)},
                       {QStringLiteral("inStandard"), half.hasLimits}};
    if (!half.hasLimits)
        return object;
    object.insert(QStringLiteral("pitchDiameter"),
                  workedOutRange(result, half.pitchMinimum, half.pitchMaximum));
    // The hole's major diameter has a minimum only.
    QJsonObject major = workedOutRange(result, half.majorMinimum, half.majorMaximum);
    if (!half.external) {
        major.remove(QStringLiteral("maximum"));
        if (major.contains(QStringLiteral("inch"))) {
            QJsonObject inch = major.value(QStringLiteral("inch")).toObject();
            inch.remove(QStringLiteral("maximum"));
            major.insert(QStringLiteral("inch"), inch);
        }
    }
    object.insert(QStringLiteral("majorDiameter"), major);
    addTap(object, half.tap);
    return object;
}

QJsonObject classAskedJson(const SearchResult& result, const Computed& asked) {
    QJsonObject object{{QStringLiteral("standard"), standardOf(asked.standard, asked.className)},
                       {QStringLiteral("class"), toQString(asked.className)},
                       {QStringLiteral("inStandard"), asked.hasLimits}};
    if (asked.hasLimits)
        object.insert(QStringLiteral("minorDiameter"),
                      workedOutRange(result, asked.minimum, asked.maximum));
    if (asked.drill > 0) {
        QJsonObject drill = length(drillText(asked.drill));
        drill.insert(QStringLiteral("withinLimits"), !asked.drillOutside);
        object.insert(QStringLiteral("drill"), drill);
    }
    return object;
}

// The ひっかかり率's state in words a script reads; none where there is none.
QString engagementState(threads::Engagement::Kind kind) {
    using Kind = threads::Engagement::Kind;
    switch (kind) {
    case Kind::Percent:
        return QStringLiteral("percent");
    case Kind::AboveBasic:
        return QStringLiteral("drillBelowBasicMinorDiameter");
    case Kind::AtOrAboveMajor:
        return QStringLiteral("noThread");
    case Kind::BelowRoot:
        return QStringLiteral("drillBelowTapRoot");
    case Kind::None:
        break;
    }
    return {};
}

QJsonObject engagementJson(const SearchResult& result) {
    using Kind = threads::Engagement::Kind;
    const threads::Engagement engagement = resultEngagement(result);
    const QString state = engagementState(engagement.kind);
    if (state.isEmpty())
        return {};
    QJsonObject object{{QStringLiteral("state"), state}};
    if (engagement.kind == Kind::Percent || engagement.kind == Kind::AboveBasic)
        object.insert(QStringLiteral("percent"), engagement.percent);
    if (result.queriedDrill > 0)
        object.insert(QStringLiteral("drill"), length(drillText(result.queriedDrill)));
    return object;
}

QJsonObject matchJson(const SearchResult& result) {
    QJsonObject object{{QStringLiteral("designation"), result.byDesignation},
                       {QStringLiteral("exact"), result.exact}};
    if (result.drillMatch != DrillMatch::None)
        object.insert(QStringLiteral("drill"), result.drillMatch == DrillMatch::Drill
                                                   ? QStringLiteral("drill")
                                                   : QStringLiteral("withinLimits"));
    if (result.withinLimits || result.aboveMinimum < 0 || result.belowMaximum < 0) {
        object.insert(QStringLiteral("withinLimits"), result.withinLimits);
        // Signed: above the minimum and below the maximum are positive.
        object.insert(QStringLiteral("aboveMinimum"), number(workedOutText(result.aboveMinimum)));
        object.insert(QStringLiteral("belowMaximum"), number(workedOutText(result.belowMaximum)));
        object.insert(QStringLiteral("unit"), kMillimetre);
        if (const Computed* asked = classJudged(result))
            object.insert(QStringLiteral("judgedBy"), toQString(asked->className));
    }
    if (result.unreadClass)
        object.insert(QStringLiteral("classUnread"), true);
    return object;
}

QJsonObject measuredJson(const MeasuredFit& fit) {
    QJsonObject object{{QStringLiteral("fits"), fit.fits}};
    if (!fit.thread)
        return object;
    const bool bolt = fit.measurement.diameter == threads::MeasuredDiameter::Major;
    object.insert(QStringLiteral("thread"), toQString(fit.thread->name));
    if (fit.measurement.hasDiameter()) {
        object.insert(QStringLiteral("diameter"),
                      bolt ? QStringLiteral("major") : QStringLiteral("minor"));
        if (const auto& limits = bolt ? fit.thread->major : fit.thread->minor)
            object.insert(QStringLiteral("limits"),
                          range(workedOutText(limits->minimum), workedOutText(limits->maximum)));
        // Below the minimum (< 0), above the maximum (> 0), or within (0).
        object.insert(QStringLiteral("offset"), length(workedOutText(fit.offset)));
    }
    const threads::Rational pitch = fit.thread->pitch;
    object.insert(QStringLiteral("pitch"),
                  QJsonObject{{QStringLiteral("value"), double(pitch.num) / double(pitch.den)},
                              {QStringLiteral("unit"), kMillimetre}});
    if (fit.measurement.hasPitch())
        object.insert(QStringLiteral("pitchDifference"), fit.pitchOff);
    QJsonArray confused;
    for (const MeasuredTrap& trap : fit.traps)
        confused.append(toQString(trap.other->name));
    if (!confused.isEmpty())
        object.insert(QStringLiteral("confusedWith"), confused);
    return object;
}

QJsonObject textJson(const SearchResult& result) {
    QJsonObject cells;
    static const char* const kKeys[ColumnCount] = {"chart",      "designation", "kind", "drill",
                                                   "engagement", "limits",      "match"};
    for (int column = 0; column < ColumnCount; ++column)
        cells.insert(QString::fromLatin1(kKeys[column]), cellText(result, column));
    return {
        {QStringLiteral("cells"), cells},
        {QStringLiteral("detail"), QJsonArray::fromStringList(resultDetail(result).split(u'\n'))}};
}

} // namespace

QJsonObject resultJson(const SearchResult& result) {
    QJsonObject object;
    object.insert(QStringLiteral("source"), result.chart      ? QStringLiteral("chart")
                                            : result.computed ? QStringLiteral("standard")
                                            : result.measured ? QStringLiteral("measurement")
                                                              : QStringLiteral("bench"));
    if (result.chart)
        object.insert(QStringLiteral("chart"),
                      QJsonObject{{QStringLiteral("position"), result.position},
                                  {QStringLiteral("title"), toQString(result.chart->title)},
                                  {QStringLiteral("line"), result.line}});
    if (const QString designation = designationText(result); !designation.isEmpty())
        object.insert(QStringLiteral("designation"), designation);
    if (const QString kind = kindText(result); !kind.isEmpty())
        object.insert(QStringLiteral("kind"), kind);
    object.insert(QStringLiteral("leftHand"), result.leftHand);
    if (!result.drill.empty()) {
        QJsonObject drill = length(toQString(result.drill));
        if (!result.drillInch.empty())
            drill.insert(QStringLiteral("inch"), number(toQString(result.drillInch)));
        object.insert(QStringLiteral("drill"), drill);
    }
    if (result.limits != vornel::Limits::None) {
        const auto [minimum, maximum] = rowLimits(result);
        QJsonObject limits = range(minimum, maximum);
        limits.insert(QStringLiteral("dimension"), dimension(result.limits));
        limits.insert(QStringLiteral("source"),
                      result.chart ? QStringLiteral("chart") : QStringLiteral("standard"));
        object.insert(QStringLiteral("limits"), limits);
    }
    if (const Computed* asked = classJudged(result))
        object.insert(QStringLiteral("classAsked"), classAskedJson(result, *asked));
    else if (!result.chart && result.computed && result.computed->note != Gap::None)
        object.insert(QStringLiteral("inStandard"), false);
    if (const ThreadHalf* half = result.half.get())
        object.insert(half->external ? QStringLiteral("externalThread")
                                     : QStringLiteral("internalThread"),
                      halfJson(result, *half));
    if (const QJsonObject engagement = engagementJson(result); !engagement.isEmpty())
        object.insert(QStringLiteral("engagement"), engagement);
    object.insert(QStringLiteral("match"), matchJson(result));
    if (result.measured)
        object.insert(QStringLiteral("measurement"), measuredJson(*result.measured));
    if (const QJsonObject bench = benchJson(result); !bench.isEmpty())
        object.insert(QStringLiteral("bench"), bench);
    object.insert(QStringLiteral("text"), textJson(result));
    return object;
}

QByteArray resultsJson(const QString& query, const std::vector<SearchResult>& results) {
    QJsonArray array;
    for (const SearchResult& result : results)
        array.append(resultJson(result));
    return QJsonDocument(
               QJsonObject{{QStringLiteral("query"), query}, {QStringLiteral("results"), array}})
        .toJson(QJsonDocument::Indented);
}

} // namespace vornel::search
