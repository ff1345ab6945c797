#include "search/identify_texts.h"

#include "chart_model/chart_text.h"
#include "search/result_texts.h"
#include "threads/standard_sizes.h"
#include "threads/thread_classes.h"

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

// A pitch in both units: "1.5875 mm = 16山".
QString pitchText(threads::Rational pitch) {
    return QStringLiteral("%1 mm = %2山")
        .arg(toQString(threads::decimalText(pitch, 4)),
             toQString(threads::decimalText(threads::inchOver(pitch), 2)));
}

// The value a problem is about: "外径", "ピッチ", "山数".
QString valueName(threads::MeasurementWord value) {
    using threads::MeasurementWord;
    switch (value) {
    case MeasurementWord::Major:
        return QStringLiteral("外径");
    case MeasurementWord::Minor:
        return QStringLiteral("内径");
    case MeasurementWord::Pitch:
        return QStringLiteral("ピッチ");
    case MeasurementWord::Count:
        return QStringLiteral("山数");
    default:
        return {};
    }
}

// Past the largest reading of its kind, with the bound.
QString pastLargest(threads::MeasurementWord value) {
    using threads::MeasurementWord;
    if (value == MeasurementWord::Count)
        return QStringLiteral("山数が多すぎます（1 インチに %1 山まで）")
            .arg(threads::kMostThreadsPerInch);
    const bool pitch = value == MeasurementWord::Pitch;
    return QStringLiteral("%1が大きすぎます（%2 mm まで）")
        .arg(valueName(value))
        .arg((pitch ? threads::kLargestMeasuredPitch : threads::kLargestMeasuredDiameter) /
             threads::kMillion);
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
    QString text = QStringLiteral("ピッチ ") + pitchText(fit.thread->pitch);
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

// Why nothing is claimed: the reading's problem, or that nothing fits.
QString noteText(const MeasuredFit& fit) {
    return fit.problem ? measurementProblemText(fit.problem)
                       : QStringLiteral("この測定値に合うねじはありません");
}

} // namespace

QString measurementText(const threads::Measurement& m) {
    QStringList parts;
    if (m.hasDiameter()) {
        QString text = m.diameter == threads::MeasuredDiameter::Major ? QStringLiteral("外径 ")
                                                                      : QStringLiteral("内径 ");
        text += toQString(threads::millimetreText(m.millimetres)) + QStringLiteral(" mm");
        if (m.inches)
            text += QStringLiteral("（%1 inch）")
                        .arg(toQString(threads::decimalText({*m.inches, threads::kMillion}, 4)));
        parts.append(text);
    }
    if (m.hasPitch())
        parts.append(QStringLiteral("ピッチ ") + pitchText(m.pitch));
    return parts.isEmpty() ? QStringLiteral("読めない測定値") : parts.join(u'、');
}

QString measurementProblemText(const threads::MeasurementProblem& problem) {
    using Fault = threads::MeasurementFault;
    const QString name = valueName(problem.value);
    QString why;
    switch (problem.fault) {
    case Fault::None:
        return {};
    case Fault::NotPositive:
        why = name + QStringLiteral("は正の値で入力してください");
        break;
    case Fault::TooManyDigits:
        why = name + QStringLiteral("が大きすぎます");
        break;
    case Fault::TooManyDecimals:
        why = name + QStringLiteral("の桁が多すぎます");
        break;
    case Fault::Zero:
        why = name + QStringLiteral("が 0 です");
        break;
    case Fault::NoValue:
        why = name + QStringLiteral("の値がありません");
        break;
    case Fault::PastLargest:
        why = pastLargest(problem.value);
        break;
    case Fault::TooFewPerInch:
        // The count whose pitch is the largest: 25.4 / 20 per inch.
        why = QStringLiteral("山数が少なすぎます（1 インチに %1 山から）")
                  .arg(toQString(threads::decimalText(
                      threads::inchOver({threads::kLargestMeasuredPitch, threads::kMillion}), 2)));
        break;
    case Fault::TwoDiameters:
        why = QStringLiteral("径が二つあります（外径か内径のどちらか一つ）");
        break;
    case Fault::TwoPitches:
        why = QStringLiteral("ピッチが二つあります");
        break;
    case Fault::NotAValue:
        why = QStringLiteral("「%1」が何の値か分かりません").arg(toQString(problem.word));
        break;
    case Fault::UnknownWord:
        why = QStringLiteral("「%1」が分かりません").arg(toQString(problem.word));
        break;
    }
    return QStringLiteral("測定値が読めません：") + why;
}

QString measuredBasisText(const MeasuredBasis& basis) {
    switch (basis.basis) {
    case LimitsBasis::Class:
        return toQString(threads::classText(basis.toleranceClass));
    case LimitsBasis::Chart:
        return QStringLiteral("図表");
    case LimitsBasis::WhitworthBand:
        return QStringLiteral("基準外径から −0.2P（目安）");
    case LimitsBasis::WhitworthMedium:
        return QStringLiteral("2級");
    case LimitsBasis::Iso228:
        return QStringLiteral("ISO 228-1");
    case LimitsBasis::Iso7:
        return QStringLiteral("ISO 7-1");
    case LimitsBasis::Iso7Taper:
        return QStringLiteral("ISO 7-1、ねじ部の両端");
    case LimitsBasis::Asme1201Taper:
        return QStringLiteral("ASME B1.20.1、ねじ部の両端");
    case LimitsBasis::Npsc:
        return QStringLiteral("ASME B1.20.1 NPSC");
    case LimitsBasis::None:
        break;
    }
    return {};
}

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
             measuredBasisText(onBolt(*fit) ? fit->thread->majorBasis : fit->thread->minorBasis));
}

QString measuredFitText(const SearchResult& result) {
    const MeasuredFit* fit = result.measured.get();
    if (!fit)
        return {};
    if (!fit->thread)
        return noteText(*fit);
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
    QStringList lines{QStringLiteral("測定値　") + measurementText(fit->measurement)};
    if (!fit->thread) {
        lines.append(noteText(*fit));
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
