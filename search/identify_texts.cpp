#include "search/identify_texts.h"

#include "chart_model/chart_text.h"
#include "search/identify.h"
#include "search/result_texts.h"
#include "threads/standard_sizes.h"

namespace vornel::search {
namespace {

// A thread's family as the charts name it.
std::u16string_view familyName(const threads::Thread& thread) {
    using threads::Family;
    if (thread.family == Family::IsoMetric) {
        const threads::Millionths major = thread.major ? threads::millionthsOf(*thread.major) : 0;
        return threads::isIsoCoarse(major, threads::millionthsOf(thread.pitch))
                   ? u"メートル並目ねじ"
                   : u"メートル細目ねじ";
    }
    static constexpr std::pair<std::u16string_view, std::u16string_view> kSeries[] = {
        {u"UNC", u"ユニファイ並目ねじ（UNC）"},
        {u"UNF", u"ユニファイ細目ねじ（UNF）"},
        {u"UNEF", u"ユニファイ極細目ねじ（UNEF）"},
    };
    if (thread.family == Family::Unified) {
        for (const auto& [series, name] : kSeries) {
            if (thread.series == series)
                return name;
        }
        return u"ユニファイねじ（UN）";
    }
    static constexpr std::pair<Family, std::u16string_view> kNames[] = {
        {Family::Whitworth, u"ウィットねじ"},
        {Family::PipeG, u"管用平行ねじ G（PF）"},
        {Family::PipeRc, u"管用テーパねじ R・Rc（PT）"},
        {Family::PipeRp, u"管用平行めねじ Rp（PS）"},
        {Family::Npt, u"アメリカ管用テーパねじ NPT"},
        {Family::Nps, u"アメリカ管用平行めねじ NPS（NPSC）"},
    };
    for (const auto& [family, name] : kNames) {
        if (thread.family == family)
            return name;
    }
    return {};
}

bool onBolt(const MeasuredFit& fit) {
    return fit.measurement.diameter == threads::MeasuredDiameter::Major;
}

QString nameOf(const MeasuredFit& fit, const MeasuredThread& thread) {
    return toQString(fit.measurement.diameter == threads::MeasuredDiameter::Minor ? thread.holeName
                                                                                  : thread.name);
}

// "外径が最小より 0.232 小さい", "内径が範囲内".
QString diameterPlace(const MeasuredFit& fit) {
    const QString which = onBolt(fit) ? QStringLiteral("外径") : QStringLiteral("内径");
    if (fit.offset < 0)
        return which + QStringLiteral("が最小より %1 小さい").arg(workedOutText(-fit.offset));
    if (fit.offset > 0)
        return which + QStringLiteral("が最大より %1 大きい").arg(workedOutText(fit.offset));
    return which + QStringLiteral("が範囲内");
}

// "ピッチ 1.5875 mm = 16山（一致）", "…（測った値と 5.5 % 違う）".
QString pitchPlace(const MeasuredFit& fit) {
    QString text = QStringLiteral("ピッチ ") + toQString(pitchText(fit.thread->pitch));
    if (!fit.measurement.hasPitch())
        return text;
    if (fit.pitchOff <= kGaugeTolerance)
        return text + QStringLiteral("（一致）");
    return text + QStringLiteral("（測った値と %1 % 違う）").arg(fit.pitchOff * 100, 0, 'f', 1);
}

// Ten pitches, as a gauge's leaf or a rule spans them: "12.7".
QString tenPitches(threads::Rational pitch) {
    return toQString(threads::decimalText(threads::reduced(pitch.num * 10, pitch.den), 3));
}

// "5/16-20UN と紛らわしい：10 山で 12.5 mm と 12.7 mm".
QString trapText(const MeasuredFit& fit, const MeasuredTrap& trap) {
    const MeasuredThread& self = *fit.thread;
    const MeasuredThread& other = *trap.other;
    QStringList reasons;
    if (trap.pitch)
        reasons.append(QStringLiteral("10 山で %1 mm と %2 mm")
                           .arg(tenPitches(self.pitch), tenPitches(other.pitch)));
    if (trap.flankAngle)
        reasons.append(QStringLiteral("山の角度 %1° と %2°：ピッチゲージの山形で見分ける")
                           .arg(self.flankAngle)
                           .arg(other.flankAngle));
    if (trap.taper)
        reasons.append(onBolt(fit) ? QStringLiteral("平行とテーパ：外径を両端で測る")
                                   : QStringLiteral("平行とテーパ：内径を入口と奥で測る"));
    return nameOf(fit, other) + QStringLiteral(" と紛らわしい：") +
           reasons.join(QStringLiteral("、"));
}

} // namespace

QString measuredLimitsText(const SearchResult& result) {
    const MeasuredFit* fit = result.measured.get();
    if (!fit || !fit->thread || !fit->measurement.hasDiameter())
        return {};
    const std::optional<DiameterRange>& limits =
        onBolt(*fit) ? fit->thread->major : fit->thread->minor;
    if (!limits)
        return {};
    return QStringLiteral("%1 %2（%3）")
        .arg(onBolt(*fit) ? QStringLiteral("おねじ外径") : QStringLiteral("めねじ内径"),
             rangeText(workedOutText(limits->minimum), workedOutText(limits->maximum)),
             toQString(onBolt(*fit) ? fit->thread->majorBasis : fit->thread->minorBasis));
}

QString measuredFitText(const SearchResult& result) {
    const MeasuredFit* fit = result.measured.get();
    if (!fit)
        return {};
    if (!fit->thread)
        return toQString(fit->note);
    QStringList parts;
    if (fit->measurement.hasDiameter())
        parts.append(diameterPlace(*fit));
    parts.append(pitchPlace(*fit));
    QString text = (fit->fits ? QStringLiteral("合う：") : QStringLiteral("合わない：")) +
                   parts.join(QStringLiteral("、"));
    for (const MeasuredTrap& trap : fit->traps)
        text += QStringLiteral("／") + trapText(*fit, trap);
    return text;
}

QStringList measuredDetailLines(const SearchResult& result) {
    const MeasuredFit* fit = result.measured.get();
    if (!fit)
        return {};
    QStringList lines{QStringLiteral("測定値　") + toQString(fit->reading)};
    if (!fit->thread) {
        lines.append(toQString(fit->note));
        return lines;
    }
    const MeasuredThread& thread = *fit->thread;
    lines.append(QStringLiteral("候補　%1（%2）")
                     .arg(nameOf(*fit, thread), toQString(familyName(*thread.result.thread))));
    if (fit->measurement.hasDiameter())
        lines.append(measuredLimitsText(result) + u'　' + diameterPlace(*fit));
    lines.append(pitchPlace(*fit));
    lines.append(fit->fits ? QStringLiteral("判定　合う") : QStringLiteral("判定　合わない"));
    for (const MeasuredTrap& trap : fit->traps)
        lines.append(QStringLiteral("紛らわしいねじ　") + trapText(*fit, trap));
    return lines;
}

} // namespace vornel::search
