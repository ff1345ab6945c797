#include "search/bench_answer.h"

#include "threads/asme_b1_1.h"
#include "threads/thread_classes.h"
#include "threads/tolerance_class.h"

#include <algorithm>
#include <array>
#include <memory>

namespace vornel::search {

using threads::Family;
using threads::Thread;

namespace {

// The hand taps and the machine taps a shop has; the chamfer forms only as
// asked.
constexpr std::array kCommonChamfers{threads::Chamfer::HandTaper, threads::Chamfer::HandPlug,
                                     threads::Chamfer::HandBottoming, threads::Chamfer::SpiralPoint,
                                     threads::Chamfer::SpiralFlute};

bool isBolt(const SearchResult& result) {
    return result.half && result.half->external && !result.chart;
}

// The bolt's usual class where none is asked.
std::optional<std::u16string_view> usualBoltClass(Family family) {
    switch (family) {
    case Family::IsoMetric:
        return u"6g";
    case Family::Unified:
        return u"2A";
    case Family::PipeG:
        return u"A";
    default:
        return std::nullopt;
    }
}

bool asksNoClass(const threads::Designation& thread) {
    return !thread.classes.internal && !thread.classes.external && !thread.unreadClass;
}

// The bolt's pitch diameter limits, exactly: ASME B1.1's inches in
// millimetres unrounded, else as the half gives them.
threads::DiameterRange pitchLimits(const SearchResult& result) {
    const ThreadHalf& half = *result.half;
    const Thread& thread = *result.thread;
    if (const std::optional<threads::Rational> inch = threads::unifiedMajorInches(thread);
        inch && thread.family == Family::Unified && !half.className.empty()) {
        if (const auto bolt =
                threads::unifiedExternal(*inch, thread.count, half.className[0] - u'0'))
            return threads::exactMillimetres(bolt->pitch);
    }
    return {half.pitchMinimum, half.pitchMaximum};
}

void addWires(BenchAnswer& answer, const SearchResult& result, bool boltOfThread) {
    const Thread& thread = *result.thread;
    if (isBolt(result) && result.half->hasLimits) {
        answer.wires = threads::threeWires(thread.family, true, thread.pitch, pitchLimits(result),
                                           answer.wire);
        return;
    }
    // A bolt the standard gives no limits, or a thread of no bolt's class:
    // the wires alone.
    if (boltOfThread)
        return;
    if (const auto sizes = threads::wireSizes(thread.family, thread.pitch))
        answer.wiresOnly = sizes;
    else
        answer.wires = threads::ThreeWireAnswer{threads::ThreeWireProblem::NoStraightFlanks, {}};
}

void addHoles(BenchAnswer& answer, const SearchResult& result, const threads::Query& query) {
    answer.drill = result.drillValue > 0 ? result.drillValue
                   : result.computed     ? result.computed->drill
                                         : 0;
    answer.pointAngle = query.pointAngle.value_or(threads::kDrillPointAngle);
    const std::vector<threads::Chamfer> asked =
        query.chamfers.empty()
            ? std::vector<threads::Chamfer>(kCommonChamfers.begin(), kCommonChamfers.end())
            : query.chamfers;
    for (const threads::Chamfer chamfer : asked)
        answer.holes.push_back(
            {chamfer, threads::blindHole(*query.threadDepth, result.thread->pitch, answer.drill,
                                         chamfer, answer.pointAngle)});
}

} // namespace

std::optional<threads::Designation> usualBoltQuery(const threads::Query& query,
                                                   const std::vector<SearchResult>& found) {
    if (!query.threeWires || !query.thread || query.benchProblem != threads::BenchProblem::None ||
        !asksNoClass(*query.thread))
        return std::nullopt;
    for (const SearchResult& result : found) {
        if (!result.byDesignation || !result.thread)
            continue;
        if (const auto usual = usualBoltClass(result.thread->family)) {
            if (const auto classes =
                    threads::readToleranceClasses(*usual, result.thread->family == Family::PipeG)) {
                threads::Designation bolt = *query.thread;
                bolt.classes = *classes;
                return bolt;
            }
        }
    }
    return std::nullopt;
}

std::vector<SearchResult> withoutThread(const threads::Query& query) {
    if (query.benchProblem != threads::BenchProblem::NoThread)
        return {};
    auto answer = std::make_shared<BenchAnswer>();
    answer->readProblem = query.benchProblem;
    SearchResult result;
    result.bench = std::move(answer);
    return {result};
}

void addBenchAnswers(std::vector<SearchResult>& results, const threads::Query& query) {
    const bool wiresAsked = query.threeWires;
    const bool depthAsked = query.threadDepth.has_value();
    const bool nut =
        query.thread && query.thread->classes.internal && !query.thread->classes.external;
    for (SearchResult& result : results) {
        const bool bolt = isBolt(result);
        if (!result.byDesignation || !result.thread ||
            (!bolt && !wiresAsked && !depthAsked &&
             query.benchProblem == threads::BenchProblem::None))
            continue;
        auto answer = std::make_shared<BenchAnswer>();
        answer->readProblem = query.benchProblem;
        if (bolt)
            answer->stress = threads::stressArea(*result.thread);
        if (query.benchProblem == threads::BenchProblem::None) {
            answer->threeWires = wiresAsked;
            answer->wire = query.wire;
            answer->wireInches = query.wireInches;
            if (wiresAsked && nut)
                answer->wires =
                    threads::ThreeWireAnswer{threads::ThreeWireProblem::InternalThread, {}};
            else if (wiresAsked) {
                answer->defaultClass = bolt && asksNoClass(*query.thread);
                const bool boltOfThread =
                    std::any_of(results.begin(), results.end(), [&result](const SearchResult& r) {
                        return isBolt(r) && r.thread && r.thread->family == result.thread->family &&
                               r.thread->major == result.thread->major &&
                               r.thread->pitch == result.thread->pitch;
                    });
                addWires(*answer, result, boltOfThread && !bolt);
            }
            if (depthAsked && !bolt) {
                answer->threadDepth = query.threadDepth;
                answer->threadDepthInches = query.threadDepthInches;
                addHoles(*answer, result, query);
            }
        }
        result.bench = std::move(answer);
    }
}

} // namespace vornel::search
