#include "search/bench_texts.h"

#include "chart_model/chart_text.h"
#include "search/bench_answer.h"
#include "search/result_texts.h"

#include <QJsonArray>
#include <cmath>

namespace vornel::search {

using threads::Chamfer;
using threads::ChamferSource;

namespace {

// "先", "中", "上げ" as the hand taps are called, the machine taps by their
// flutes, the forms by their letter.
QString chamferName(Chamfer chamfer) {
    switch (chamfer) {
    case Chamfer::HandTaper:
        return QStringLiteral("先");
    case Chamfer::HandPlug:
        return QStringLiteral("中");
    case Chamfer::HandBottoming:
        return QStringLiteral("上げ");
    case Chamfer::SpiralPoint:
        return QStringLiteral("ポイント");
    case Chamfer::SpiralFlute:
        return QStringLiteral("スパイラル");
    default:
        return QChar(u'A' + (static_cast<int>(chamfer) - static_cast<int>(Chamfer::FormA))) +
               QStringLiteral("形");
    }
}

QString sourceName(ChamferSource source) {
    return source == ChamferSource::Standard ? QStringLiteral("ISO 8830")
                                             : QStringLiteral("タップメーカーのカタログ");
}

// A number of threads: "10", "5.5".
QString threadsText(threads::Rational count) {
    return drillText(threads::millionthsOf(count));
}

// An area to the digits its standard prints: three significant figures;
// ASME B1.1's in² to 0.0001 from 0.1 to 0.16 and to 0.001 from 1 up.
QString areaText(std::int64_t millionths, bool squareInches) {
    int places = 0;
    if (squareInches && millionths >= 100'000 && millionths < 160'000)
        places = 4;
    else if (squareInches && millionths >= threads::kMillion)
        places = 3;
    else if (millionths > 0)
        places = std::max(0, 3 - static_cast<int>(std::floor(std::log10(millionths / 1e6))) - 1);
    return fixedText(millionths, std::min(places, 6));
}

// A wire in inches to 0.00001, for an inch thread; none for another.
QString wireInchText(const SearchResult& result, Millionths wire) {
    if (!inInches(result))
        return {};
    const Millionths inch = (wire * 1'000'000 + threads::kInch / 2) / threads::kInch;
    return fixedText(inch, 5) + QStringLiteral(" in");
}

// The wire in hand as typed.
QString givenWireText(const BenchAnswer& answer) {
    return answer.wireInches ? drillText(*answer.wireInches) + QStringLiteral(" in")
                             : drillText(answer.wire.value_or(0));
}

QString formulaText(threads::OverWiresFormula formula) {
    return formula == threads::OverWiresFormula::LeadAngle
               ? QStringLiteral("ASME B1.2 の式＋リード角補正")
               : QStringLiteral("ASME B1.2 の式");
}

QString wireProblemText(threads::ThreeWireProblem problem) {
    using P = threads::ThreeWireProblem;
    switch (problem) {
    case P::InternalThread:
        return QStringLiteral("三針法はおねじの測定です（めねじには使えません）");
    case P::NoStraightFlanks:
        return QStringLiteral("三針法の対象外（ゲージで検査するねじ）");
    case P::NoPitch:
        return QStringLiteral("ピッチがなく三針寸法を計算できません");
    case P::NoLimits:
    case P::None:
        break;
    }
    return QStringLiteral("有効径の許容差がなく三針寸法はありません");
}

QString readProblemText(threads::BenchProblem problem) {
    using P = threads::BenchProblem;
    switch (problem) {
    case P::NoThread:
        return QStringLiteral("三針・深さ・先端角にはねじの呼びが要ります");
    case P::WireUnread:
        return QStringLiteral("ワイヤ径が読めません");
    case P::DepthUnread:
        return QStringLiteral("ねじ深さが読めません");
    case P::PointUnread:
        return QStringLiteral("先端角が読めません");
    case P::None:
        break;
    }
    return {};
}

QString depthText(const BenchAnswer& answer) {
    const QString mm = drillText(*answer.threadDepth);
    return answer.threadDepthInches
               ? mm + QStringLiteral("（%1 in）").arg(drillText(*answer.threadDepthInches))
               : mm;
}

QString holeProblemText(const BenchAnswer& answer, threads::BlindHoleProblem problem) {
    using P = threads::BlindHoleProblem;
    switch (problem) {
    case P::NoDepth:
        return QStringLiteral("ねじ深さ %1 では下穴深さになりません").arg(depthText(answer));
    case P::TooDeep:
        return QStringLiteral("ねじ深さ %1 は深すぎます（1000 まで）").arg(depthText(answer));
    case P::NoPitch:
        return QStringLiteral("ピッチがなく下穴深さを計算できません");
    case P::NoDrill:
        return QStringLiteral("ドリル径がなく下穴深さを計算できません");
    case P::PointAngle:
        return QStringLiteral("先端角 %1° のドリルはありません（60～180°）").arg(answer.pointAngle);
    case P::None:
        break;
    }
    return {};
}

// The wires' figures, full or short.
QStringList wireTexts(const SearchResult& result, const BenchAnswer& answer, bool brief) {
    QStringList texts;
    if (answer.defaultClass)
        texts.append(
            QStringLiteral("等級の指定なし：%1 で計算").arg(toQString(result.half->className)));
    const threads::WireSizes* sizes = answer.wiresOnly ? &*answer.wiresOnly
                                      : answer.wires && answer.wires->check
                                          ? &answer.wires->check->wires
                                          : nullptr;
    if (answer.wires && answer.wires->problem != threads::ThreeWireProblem::None)
        texts.append(wireProblemText(answer.wires->problem));
    if (!sizes)
        return texts;
    if (!brief) {
        QStringList notes{QStringLiteral("使えるワイヤ ") +
                          rangeText(fixedText(sizes->smallest, 4), fixedText(sizes->largest, 4))};
        if (const QString inch = wireInchText(result, sizes->best); !inch.isEmpty())
            notes.prepend(inch);
        texts.append(QStringLiteral("三針法 最適ワイヤ径 %1（%2）")
                         .arg(fixedText(sizes->best, 4), notes.join(QStringLiteral("、"))));
    }
    if (answer.wiresOnly) {
        texts.append(brief ? QStringLiteral("三針 最適ワイヤ径 ") + fixedText(sizes->best, 4)
                           : QStringLiteral("三針寸法 M なし（規格に有効径の許容差がない）"));
        return texts;
    }
    const threads::ThreeWireCheck& check = *answer.wires->check;
    const auto over = [&](const threads::OverWires& o, const QString& wire) {
        const bool lead = o.formula == threads::OverWiresFormula::LeadAngle;
        const QString note = brief ? (lead ? wire + QStringLiteral("、リード角補正") : wire)
                                   : QStringLiteral("%1、%2").arg(wire, formulaText(o.formula));
        return (brief ? QStringLiteral("三針 M ") : QStringLiteral("三針寸法 M ")) +
               workedOutText(result, o.m.minimum, o.m.maximum, note);
    };
    if (!answer.wire) {
        texts.append(
            over(check.overBest, brief ? QStringLiteral("ワイヤ ") + fixedText(sizes->best, 4)
                                       : QStringLiteral("最適ワイヤ")));
        return texts;
    }
    if (check.overGiven) {
        texts.append(over(*check.overGiven, QStringLiteral("ワイヤ ") + givenWireText(answer)));
        if (!brief)
            texts.append(over(check.overBest, QStringLiteral("最適ワイヤ")));
        return texts;
    }
    const bool small = check.givenFit == threads::WireFit::TooSmall;
    texts.append(QStringLiteral("ワイヤ %1 は%2てフランクに当たりません（%3 %4）")
                     .arg(givenWireText(answer),
                          small ? QStringLiteral("細すぎ") : QStringLiteral("太すぎ"),
                          fixedText(small ? sizes->smallest : sizes->largest, 4),
                          small ? QStringLiteral("以上") : QStringLiteral("以下")));
    if (!brief)
        texts.append(over(check.overBest, QStringLiteral("最適ワイヤ")));
    return texts;
}

QString stressText(const threads::StressArea& area, bool unified, bool brief) {
    QString text = QStringLiteral("応力断面積 %1 mm²").arg(areaText(area.squareMillimetres, false));
    QStringList notes;
    if (area.squareInches)
        notes.append(areaText(*area.squareInches, true) + QStringLiteral(" in²"));
    if (!brief)
        notes.append(unified ? QStringLiteral("ASME B1.1") : QStringLiteral("ISO 898-1"));
    return notes.isEmpty() ? text : text + u'（' + notes.join(QStringLiteral("、")) + u'）';
}

// The holes' figures: each chamfer's depth with its parts, or the problem
// once.
QStringList holeTexts(const BenchAnswer& answer, bool brief) {
    QStringList texts, depths;
    Millionths point = 0;
    for (const BenchAnswer::Hole& hole : answer.holes) {
        if (!hole.answer.hole) {
            const QString problem = holeProblemText(answer, hole.answer.problem);
            if (!texts.contains(problem))
                texts.append(problem);
            continue;
        }
        const threads::BlindHole& h = *hole.answer.hole;
        point = h.point;
        const threads::ChamferLength& length = threads::chamferLength(hole.chamfer);
        if (brief)
            depths.append(chamferName(hole.chamfer) + u' ' + workedOutText(h.drillDepth()));
        else
            texts.append(QStringLiteral(
                             "下穴深さ %1 %2 ＝ ねじ深さ %3 ＋ 不完全ねじ部 %4（食付き %5 山、%6）"
                             "＋ 先端 %7（%8°）")
                             .arg(chamferName(hole.chamfer), workedOutText(h.drillDepth()),
                                  depthText(answer), workedOutText(h.incompleteThreads),
                                  threadsText(length.longest), sourceName(length.source),
                                  workedOutText(h.point))
                             .arg(answer.pointAngle));
    }
    if (!depths.isEmpty())
        texts.prepend(QStringLiteral("下穴深さ %1（ねじ深さ %2、先端 %3）")
                          .arg(depths.join(u'／'), depthText(answer), workedOutText(point)));
    return texts;
}

QStringList benchTexts(const SearchResult& result, bool brief) {
    const BenchAnswer* answer = result.bench.get();
    if (!answer)
        return {};
    const bool unread = answer->readProblem != threads::BenchProblem::None;
    QStringList texts = unread ? QStringList{readProblemText(answer->readProblem)}
                               : wireTexts(result, *answer, brief);
    if (answer->stress)
        texts.append(stressText(*answer->stress, inInches(result), brief));
    if (!unread)
        texts += holeTexts(*answer, brief);
    return texts;
}

// The states in English for scripts, by the enums' order.
QString state(std::initializer_list<const char*> names, int index) {
    return QString::fromLatin1(names.begin()[index]);
}

QString chamferState(Chamfer chamfer) {
    return state({"handTaper", "handPlug", "handBottoming", "spiralPoint", "spiralFlute", "formA",
                  "formB", "formC", "formD", "formE", "formF"},
                 static_cast<int>(chamfer));
}

QJsonValue number(const QString& text) {
    return text.toDouble();
}

QJsonObject rangeJson(const SearchResult& result, const threads::DiameterRange& m) {
    QJsonObject object{{QStringLiteral("minimum"), number(workedOutText(m.minimum))},
                       {QStringLiteral("maximum"), number(workedOutText(m.maximum))},
                       {QStringLiteral("unit"), QStringLiteral("mm")}};
    if (inInches(result))
        object.insert(QStringLiteral("inch"),
                      QJsonObject{{QStringLiteral("minimum"), number(inchText(m.minimum))},
                                  {QStringLiteral("maximum"), number(inchText(m.maximum))}});
    return object;
}

QJsonObject wiresJson(const SearchResult& result, const BenchAnswer& answer) {
    QJsonObject object;
    const threads::WireSizes* sizes = answer.wiresOnly ? &*answer.wiresOnly
                                      : answer.wires && answer.wires->check
                                          ? &answer.wires->check->wires
                                          : nullptr;
    if (answer.wires && answer.wires->problem != threads::ThreeWireProblem::None)
        object.insert(QStringLiteral("problem"),
                      state({"", "internalThread", "noStraightFlanks", "noPitch", "noLimits"},
                            static_cast<int>(answer.wires->problem)));
    if (answer.defaultClass)
        object.insert(QStringLiteral("defaultClass"), toQString(result.half->className));
    if (!sizes)
        return object;
    object.insert(QStringLiteral("bestWire"), number(fixedText(sizes->best, 4)));
    object.insert(QStringLiteral("smallestWire"), number(fixedText(sizes->smallest, 4)));
    object.insert(QStringLiteral("largestWire"), number(fixedText(sizes->largest, 4)));
    if (!answer.wires || !answer.wires->check)
        return object;
    const threads::ThreeWireCheck& check = *answer.wires->check;
    const auto over = [&](const threads::OverWires& o) {
        QJsonObject m = rangeJson(result, o.m);
        m.insert(QStringLiteral("wire"), number(fixedText(o.wire, 4)));
        m.insert(QStringLiteral("leadAngleCorrected"),
                 o.formula == threads::OverWiresFormula::LeadAngle);
        return m;
    };
    object.insert(QStringLiteral("overBestWire"), over(check.overBest));
    if (check.overGiven)
        object.insert(QStringLiteral("overGivenWire"), over(*check.overGiven));
    else if (answer.wire)
        object.insert(QStringLiteral("givenWire"),
                      state({"fits", "tooSmall", "tooLarge"}, static_cast<int>(check.givenFit)));
    return object;
}

QJsonObject holesJson(const BenchAnswer& answer) {
    QJsonArray holes;
    for (const BenchAnswer::Hole& hole : answer.holes) {
        QJsonObject object{{QStringLiteral("chamfer"), chamferState(hole.chamfer)}};
        if (const auto& h = hole.answer.hole) {
            object.insert(QStringLiteral("drillDepth"), number(workedOutText(h->drillDepth())));
            object.insert(QStringLiteral("incompleteThreads"),
                          number(workedOutText(h->incompleteThreads)));
            object.insert(QStringLiteral("point"), number(workedOutText(h->point)));
            object.insert(QStringLiteral("source"),
                          threads::chamferLength(hole.chamfer).source == ChamferSource::Standard
                              ? QStringLiteral("standard")
                              : QStringLiteral("tapMakerCatalogue"));
        } else {
            object.insert(QStringLiteral("problem"),
                          state({"", "noDepth", "tooDeep", "noPitch", "noDrill", "pointAngle"},
                                static_cast<int>(hole.answer.problem)));
        }
        holes.append(object);
    }
    return {{QStringLiteral("threadDepth"), number(drillText(*answer.threadDepth))},
            {QStringLiteral("drill"), number(drillText(answer.drill))},
            {QStringLiteral("pointAngle"), answer.pointAngle},
            {QStringLiteral("unit"), QStringLiteral("mm")},
            {QStringLiteral("holes"), holes}};
}

} // namespace

QStringList benchFields(const SearchResult& result) {
    return benchTexts(result, false);
}

QString bareStressArea(const SearchResult& result) {
    if (result.bench || result.computed || !result.byDesignation || !result.thread)
        return {};
    const auto area = threads::stressArea(*result.thread);
    return area ? stressText(*area, inInches(result), false) : QString();
}

QString benchSummary(const SearchResult& result) {
    return benchTexts(result, true).join(u'・');
}

QJsonObject benchJson(const SearchResult& result) {
    const BenchAnswer* answer = result.bench.get();
    if (!answer)
        return {};
    QJsonObject object;
    if (answer->readProblem != threads::BenchProblem::None)
        object.insert(QStringLiteral("problem"),
                      state({"", "noThread", "wireUnread", "depthUnread", "pointUnread"},
                            static_cast<int>(answer->readProblem)));
    else if (answer->threeWires)
        object.insert(QStringLiteral("threeWires"), wiresJson(result, *answer));
    if (const auto& area = answer->stress) {
        QJsonObject stress{{QStringLiteral("squareMillimetres"),
                            number(areaText(area->squareMillimetres, false))}};
        if (area->squareInches)
            stress.insert(QStringLiteral("squareInches"),
                          number(areaText(*area->squareInches, true)));
        object.insert(QStringLiteral("stressArea"), stress);
    }
    if (answer->threadDepth && answer->readProblem == threads::BenchProblem::None)
        object.insert(QStringLiteral("blindHole"), holesJson(*answer));
    return object;
}

} // namespace vornel::search
