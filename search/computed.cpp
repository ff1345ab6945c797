#include "search/computed.h"

#include "search/engagement.h"
#include "threads/asme_b1_1.h"
#include "threads/iso_965.h"
#include "threads/pipe_sizes.h"
#include "threads/standard_sizes.h"
#include "threads/thread_classes.h"

#include <algorithm>
#include <array>
#include <limits>

namespace vornel::search {
namespace {

using threads::Designation;
using threads::Family;
using threads::kMillion;
using threads::Rational;
using threads::Thread;
using threads::ToleranceClass;

constexpr threads::ThreadForm kIsoForm{Family::IsoMetric, threads::Profile::Iso,
                                       threads::SizeUnit::Millimetre,
                                       threads::PitchUnit::Millimetre};
constexpr threads::ThreadForm kUnifiedForm{Family::Unified, threads::Profile::Iso,
                                           threads::SizeUnit::Inch,
                                           threads::PitchUnit::ThreadsPerInch};

std::optional<threads::Millionths> millionths(Rational mm) {
    return threads::wholeMillionths(mm);
}

// ISO 228-1's classes of a parallel pipe thread's bolt, A and B.
bool pipeClass(const ToleranceClass& c) {
    return threads::writtenStandard(c) == threads::ClassStandard::Iso228_1;
}

// ASME B1.1's classes: 1A to 3A, 1B to 3B.
bool asmeClass(const ToleranceClass& c) {
    return threads::writtenStandard(c) == threads::ClassStandard::AsmeB1_1;
}

using threads::classText;

std::u16string designationText(const Thread& thread) {
    if (thread.family == Family::PipeG)
        return u"G " + threads::inchSizeText(thread.size);
    if (thread.family == Family::IsoMetric)
        return u"M" + threads::decimalText(thread.size) + u" × " +
               threads::decimalText(thread.count);
    std::u16string text = thread.numbered ? u"No. " + threads::decimalText(thread.size)
                                          : threads::inchSizeText(thread.size);
    return text + u"-" + threads::decimalText(thread.count) + thread.series;
}

// The major diameter in inches of a unified size as written.
std::optional<Rational> majorInches(bool numbered, Rational size) {
    Thread thread;
    thread.numbered = numbered;
    thread.size = size;
    return threads::unifiedMajorInches(thread);
}

// A class under the name of the standard whose class it is: "ISO 965-1
// 6H", "ASME B1.1 2A"; the class alone where it is not the thread's
// standard's (M8-2A, M8 B).
std::u16string classLabel(threads::ClassStandard standard, const std::u16string& className) {
    switch (standard) {
    case threads::ClassStandard::Iso965_1:
        return u"ISO 965-1 " + className;
    case threads::ClassStandard::AsmeB1_1:
        return u"ASME B1.1 " + className;
    case threads::ClassStandard::Iso228_1:
        return u"ISO 228-1 " + className;
    case threads::ClassStandard::None:
        break;
    }
    return className;
}

// Fills the computed's minor diameter limits, texts and suggested drill for
// internal class `c` ("6H", "5H6H"), or its note.
void setLimits(Computed& computed, const threads::ThreadClass& c) {
    computed.className = classText(c);
    computed.standard =
        classLabel(threads::classStandard(computed.thread, c, false), computed.className);
    const std::optional<threads::DiameterRange> minor = threads::internalMinor(computed.thread, c);
    if (!minor) {
        computed.note = Gap::NoClass;
        return;
    }
    const threads::DiameterRange limits = *minor;
    computed.hasLimits = true;
    computed.minimum = limits.minimum;
    computed.maximum = limits.maximum;
    computed.minimumText = threads::millimetreText(limits.minimum);
    computed.maximumText = threads::millimetreText(limits.maximum);
    const SuggestedDrill drill = suggestedDrill(limits.minimum, limits.maximum);
    computed.drill = drill.diameter;
    computed.drillOutside = drill.outside;
    if (drill.diameter > 0)
        computed.drillText = threads::millimetreText(drill.diameter);
}

SearchResult resultOf(std::shared_ptr<Computed> computed, bool exact) {
    SearchResult result;
    result.byDesignation = true;
    result.exact = exact;
    result.thread = &computed->thread;
    result.designation = computed->designation;
    if (computed->hasLimits) {
        result.limits = Limits::MinorDiameter;
        result.minimum = computed->minimumText;
        result.maximum = computed->maximumText;
        result.hasHoleLimits = true;
        result.holeMinimum = computed->minimum;
        result.holeMaximum = computed->maximum;
        result.drill = computed->drillText;
        result.drillValue = computed->drill;
    }
    result.computed = std::move(computed);
    return result;
}

SearchResult threadResult(const Thread& thread, const threads::ToleranceClasses& asked,
                          bool exact) {
    auto computed = std::make_shared<Computed>();
    computed->thread = thread;
    computed->designation = designationText(thread);
    const threads::ThreadClass standard = *threads::defaultClass(thread.family, false);
    setLimits(*computed, asked.internal.value_or(standard));
    SearchResult result = resultOf(std::move(computed), exact);
    addHoleHalf(result, standard.crest, asked, std::nullopt);
    return result;
}

SearchResult noteResult(Family family, std::u16string designation, Gap note) {
    auto computed = std::make_shared<Computed>();
    computed->thread.family = family;
    computed->designation = std::move(designation);
    computed->standard = family == Family::IsoMetric ? u"ISO 261" : u"ASME B1.1";
    computed->note = note;
    return resultOf(std::move(computed), false);
}

// Whether ISO 261 (IsoMetric) gives one of the sizes one of the pitches, or
// ASME B1.1 (Unified) one of the thread counts: the standards' tables alone,
// for a number after a thread is asked at each keystroke.
bool standardHas(const Designation& q, Family family) {
    for (const Rational& size : q.sizes) {
        for (const Rational& count : q.counts) {
            if (family == Family::IsoMetric) {
                const std::optional<threads::Millionths> major = millionths(size);
                const std::optional<threads::Millionths> pitch = millionths(count);
                if (major && pitch && threads::isIsoPitch(*major, *pitch))
                    return true;
            } else {
                const std::optional<Rational> inch = majorInches(q.numbered, size);
                if (inch && !threads::unifiedSeriesOf(*inch, count).empty())
                    return true;
            }
        }
    }
    return false;
}

// A whole number and a count, no unit or family written, that ASME B1.1 has
// and ISO 261 has not: the unified thread, "4-4" is 4-4UNC and no M4 × 4.
bool unifiedNotMetric(const Designation& q) {
    return q.families == threads::kAnyFamily && q.unit == threads::WrittenUnit::Either &&
           standardHas(q, Family::Unified) && !standardHas(q, Family::IsoMetric);
}

bool mayBeMetric(const Designation& q) {
    return (q.families & threads::bit(Family::IsoMetric)) && q.unit != threads::WrittenUnit::Inch &&
           !q.numbered && (q.families == threads::bit(Family::IsoMetric) || !q.counts.empty()) &&
           !unifiedNotMetric(q);
}

bool mayBeUnified(const Designation& q) {
    return (q.families & threads::bit(Family::Unified)) &&
           q.unit != threads::WrittenUnit::Millimetre &&
           (q.numbered || !q.series.empty() ||
            (!q.counts.empty() && q.unit == threads::WrittenUnit::Inch) || unifiedNotMetric(q));
}

// Whether the family is written out, so that a size the standard lacks is
// worth saying so: "M" before a metric size, "No." or a series for unified.
bool familyWritten(const Designation& q, Family family) {
    return family == Family::IsoMetric ? q.families == threads::bit(Family::IsoMetric)
                                       : q.numbered || !q.series.empty();
}

void metricThreads(const Designation& q, const HeldThread& held, std::vector<SearchResult>& out) {
    for (const Rational& size : q.sizes) {
        const std::optional<threads::Millionths> major = millionths(size);
        if (!major)
            continue;
        const std::span<const threads::Millionths> pitches = threads::isoPitches(*major);
        if (pitches.empty()) {
            if (familyWritten(q, Family::IsoMetric))
                out.push_back(
                    noteResult(Family::IsoMetric, u"M" + threads::decimalText(size), Gap::NoSize));
            continue;
        }
        const auto add = [&](Rational pitch) {
            const Thread thread = threads::makeThread(kIsoForm, false, size, pitch);
            if (!held || !held(thread))
                out.push_back(threadResult(thread, q.classes, !q.counts.empty()));
        };
        if (q.counts.empty()) {
            for (threads::Millionths p : pitches)
                add(threads::reduced(p, kMillion));
            continue;
        }
        for (const Rational& count : q.counts) {
            const std::optional<threads::Millionths> pitch = millionths(count);
            if (pitch && std::find(pitches.begin(), pitches.end(), *pitch) != pitches.end())
                add(count);
            else
                out.push_back(noteResult(Family::IsoMetric,
                                         u"M" + threads::decimalText(size) + u" × " +
                                             threads::decimalText(count),
                                         Gap::NoPitch));
        }
    }
}

void unifiedThreads(const Designation& q, const HeldThread& held, std::vector<SearchResult>& out) {
    const std::u16string series = threads::seriesText(q.series);
    for (const Rational& size : q.sizes) {
        if (size.num <= 0 && !q.numbered)
            continue;
        const std::optional<Rational> inch = majorInches(q.numbered, size);
        const std::u16string sizeText =
            q.numbered ? u"No. " + threads::decimalText(size) : threads::inchSizeText(size);
        const std::vector<threads::UnifiedSeries> standard =
            inch ? threads::unifiedSeries(*inch) : std::vector<threads::UnifiedSeries>{};
        bool any = false;
        std::vector<Rational> added;
        for (const threads::UnifiedSeries& s : standard) {
            // "8UN" is written "UN" after the thread count: "1-8UN".
            const std::u16string name(s.name.begin(), s.name.end());
            const std::u16string written = name.ends_with(u"UN") ? u"UN" : name;
            if (!series.empty() && written != series)
                continue;
            if (!q.counts.empty() &&
                std::find(q.counts.begin(), q.counts.end(), s.threadsPerInch) == q.counts.end())
                continue;
            // A pitch that a graded series and a constant-pitch one share is
            // one thread.
            if (std::find(added.begin(), added.end(), s.threadsPerInch) != added.end())
                continue;
            added.push_back(s.threadsPerInch);
            Thread thread = threads::makeThread(kUnifiedForm, q.numbered, size, s.threadsPerInch);
            thread.series = written;
            any = true;
            if (!held || !held(thread))
                out.push_back(threadResult(thread, q.classes, !q.counts.empty()));
        }
        if (any)
            continue;
        if (standard.empty() && !familyWritten(q, Family::Unified))
            continue;
        std::u16string text = sizeText;
        if (!q.counts.empty())
            text += u"-" + threads::decimalText(q.counts.front());
        out.push_back(noteResult(Family::Unified, text + series,
                                 standard.empty() ? Gap::NoSize : Gap::NoPitch));
    }
}

bool hasClasses(const Thread& thread) {
    return thread.family == Family::IsoMetric || thread.family == Family::Unified;
}

// Whether a standard of the thread's family has classes of the kind of `c`:
// ISO metric and unified threads both halves', G its bolt's A and B alone.
// A or B on a metric or unified thread is a bolt's class its standard lacks,
// as 6k is: the bolt says so, and the rows keep the hole's limits.
bool classesOfKind(const Thread& thread, const threads::ThreadClass& c) {
    if (pipeClass(c.crest) && !hasClasses(thread))
        return thread.family == Family::PipeG && c.crest.external;
    return hasClasses(thread);
}

// One half of a thread by its standard and class `c`: the hole's pitch
// diameter, smallest major diameter and tap, or the bolt's major and pitch
// diameters; the note where the standard has no such class.
std::shared_ptr<ThreadHalf> halfOf(const Thread& thread, const threads::ThreadClass& c,
                                   bool external) {
    auto half = std::make_shared<ThreadHalf>();
    half->external = external;
    half->className = classText(c);
    const threads::ClassLimits found = threads::classLimits(thread, c, external);
    half->standard = classLabel(found.standard, half->className);
    half->hasLimits = found.pitch.has_value();
    if (found.pitch) {
        half->pitchMinimum = found.pitch->minimum;
        half->pitchMaximum = found.pitch->maximum;
        half->majorMinimum = found.major->minimum;
        half->majorMaximum = external ? found.major->maximum : 0;
        if (found.standard == threads::ClassStandard::Iso965_1 && !external)
            half->tap.iso = threads::isoTapClass(c.pitchDiameter.grade, c.pitchDiameter.position);
        else if (found.standard == threads::ClassStandard::AsmeB1_1 && !external)
            half->tap.unified = (threads::unifiedTapLimit(
                *majorInches(thread.numbered, thread.size), thread.count, c.pitchDiameter.grade));
    } else {
        // The class is the standard's, but only its minor diameter is printed
        // (ISO 965-1 has no pitch diameter cell for M8 × 0.5).
        half->note = found.minor ? Gap::NoPitchDiameter : Gap::NoClass;
    }
    return half;
}

// What a fit's classes written together say: written bolt first, of two
// ASME classes that differ, or of two standards.
FitNote fitNote(const threads::ToleranceClasses& classes) {
    FitNote note;
    if (!classes.internal || !classes.external)
        return note;
    const bool asmeHole = asmeClass(classes.internal->crest);
    note.acrossStandards = asmeHole != asmeClass(classes.external->crest);
    note.mixedClasses = !note.acrossStandards && asmeHole &&
                        classes.internal->crest.grade != classes.external->crest.grade;
    note.boltFirst = classes.externalFirst;
    return note;
}

} // namespace

bool isStandardThread(const Designation& query) {
    return (mayBeMetric(query) && standardHas(query, Family::IsoMetric)) ||
           (mayBeUnified(query) && standardHas(query, Family::Unified));
}

std::vector<SearchResult> standardThreads(const Designation& query, const HeldThread& held) {
    std::vector<SearchResult> results;
    if (mayBeMetric(query))
        metricThreads(query, held, results);
    if (mayBeUnified(query))
        unifiedThreads(query, held, results);
    return results;
}

std::optional<Designation> gradedSeriesQuery(const Designation& query) {
    if (threads::seriesText(query.series) != u"UN")
        return std::nullopt;
    for (const Rational& size : query.sizes) {
        const std::optional<Rational> inch = majorInches(query.numbered, size);
        for (const Rational& count : query.counts) {
            for (std::string_view name :
                 inch ? threads::unifiedSeriesOf(*inch, count) : std::vector<std::string_view>{}) {
                if (name.ends_with("UN"))
                    continue;
                // In the case the series was written in.
                const bool lower = query.series.front() == u'u';
                Designation graded = query;
                graded.series.clear();
                for (char c : name)
                    graded.series += static_cast<char16_t>(lower ? c - 'A' + 'a' : c);
                return graded;
            }
        }
    }
    return std::nullopt;
}

bool sameThread(const Thread& a, const Thread& b) {
    return a.family == b.family && a.major && a.major == b.major && a.pitch == b.pitch;
}

void askClass(SearchResult& result, const std::optional<ToleranceClass>& chartClass,
              const threads::ThreadClass& asked,
              const std::optional<threads::DiameterRange>& rowMinor) {
    if (!chartClass || !result.thread)
        return;
    if (rowMinor && threads::follows(*rowMinor, *result.thread, asked.crest) &&
        asked.pitchDiameter == asked.crest)
        return;
    auto computed = std::make_shared<Computed>();
    computed->thread = *result.thread;
    computed->designation = designationText(*result.thread);
    setLimits(*computed, asked);
    result.hasHoleLimits = computed->hasLimits;
    result.holeMinimum = computed->minimum;
    result.holeMaximum = computed->maximum;
    result.computed = std::move(computed);
}

void addHoleHalf(SearchResult& result, const std::optional<ToleranceClass>& chartClass,
                 const threads::ToleranceClasses& asked,
                 const std::optional<threads::DiameterRange>& rowMinor) {
    if (!chartClass || !result.thread || !result.thread->major || !hasClasses(*result.thread))
        return;
    // A row that is not the chart's class may be another of its standard's
    // (M1 × 0.2 is 4H: grade 6 starts at 0.25 mm): its hole is that class's.
    ToleranceClass rowClass = *chartClass;
    if (!asked.internal && rowMinor)
        rowClass = threads::followedClass(*result.thread, rowClass, *rowMinor).value_or(rowClass);
    result.half = halfOf(*result.thread,
                         asked.internal.value_or(threads::ThreadClass{rowClass, rowClass}), false);
}

void addClasslessHalf(SearchResult& result, const threads::ToleranceClasses& asked) {
    if (!result.thread || asked.empty())
        return;
    // Both of a fit where both are lacking, in the order written ("6H/6g").
    auto half = std::make_shared<ThreadHalf>();
    for (const auto& c : asked.externalFirst ? std::array{asked.external, asked.internal}
                                             : std::array{asked.internal, asked.external}) {
        if (!c || classesOfKind(*result.thread, *c))
            continue;
        half->className += (half->className.empty() ? u"" : u"/") + classText(*c);
        half->external = half->external || c->crest.external;
    }
    if (half->className.empty())
        return;
    half->standard = half->className;
    half->note = Gap::NoClass;
    half->familyLacks = true;
    result.half = std::move(half);
}

std::vector<SearchResult> boltResults(const Designation& query,
                                      const std::vector<SearchResult>& found) {
    std::vector<SearchResult> bolts;
    if (!query.classes.external)
        return bolts;
    const FitNote note = fitNote(query.classes);
    std::vector<const Thread*> named;
    for (const SearchResult& r : found) {
        if (!r.byDesignation || !r.thread || !r.thread->major ||
            !classesOfKind(*r.thread, *query.classes.external) ||
            std::any_of(named.begin(), named.end(),
                        [&r](const Thread* t) { return sameThread(*t, *r.thread); }))
            continue;
        named.push_back(r.thread);
        std::shared_ptr<ThreadHalf> half = halfOf(*r.thread, *query.classes.external, true);
        half->fitNote = note;
        auto computed = std::make_shared<Computed>();
        computed->thread = *r.thread;
        computed->className = half->className;
        computed->standard = half->standard;
        // ISO 228-1 writes its class after a space: "G 1/2 A".
        computed->designation = designationText(*r.thread) +
                                (r.thread->family == Family::PipeG ? u' ' : u'-') + half->className;
        SearchResult bolt;
        bolt.byDesignation = true;
        bolt.exact = r.exact;
        bolt.leftHand = query.leftHand;
        bolt.designation = computed->designation;
        bolt.thread = &computed->thread;
        bolt.computed = std::move(computed);
        bolt.half = std::move(half);
        bolts.push_back(std::move(bolt));
    }
    return bolts;
}

const Computed* classJudged(const SearchResult& result) {
    return result.chart ? result.computed.get() : nullptr;
}

void placeDrill(SearchResult& result) {
    result.withinLimits = false;
    result.aboveMinimum = result.belowMaximum = 0;
    if (result.drillMatch != DrillMatch::Drill)
        result.drillMatch = DrillMatch::None;
    if (result.queriedDrill <= 0)
        return;
    const Millionths d = result.queriedDrill;
    if (d == result.drillValue)
        result.drillMatch = DrillMatch::Drill;
    if (!result.hasHoleLimits)
        return;
    result.aboveMinimum = d - result.holeMinimum;
    result.belowMaximum = result.holeMaximum - d;
    result.withinLimits = result.aboveMinimum >= 0 && result.belowMaximum >= 0;
    if (result.withinLimits && result.drillMatch == DrillMatch::None)
        result.drillMatch = DrillMatch::WithinLimits;
}

} // namespace vornel::search
