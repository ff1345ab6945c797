#pragma once

#include "chart_model/chart_definition.h"
#include "threads/asme_b1_1.h"
#include "threads/iso_965.h"
#include "threads/thread.h"

#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <vector>

namespace vornel::search {

// A length in millionths of its unit, a millimetre unless it says an inch:
// the charts' values and the differences between them, exactly.
using Millionths = threads::Millionths;

// Why a row matched a drill.
enum class DrillMatch {
    None,
    Drill,        // the query is the row's own drill
    WithinLimits, // the query lies within the row's limits, ends included
};

// Why a worked-out thread or class has no figure.
enum class Gap {
    None,
    NoSize,          // no standard series has the size
    NoPitch,         // the size has no such pitch or thread count
    NoClass,         // the standard has no such class for the thread
    NoPitchDiameter, // the class is the standard's, its pitch diameter is not
};

// What a fit's classes written together say: of two standards, of two ASME
// classes that differ, written bolt first.
struct FitNote {
    bool acrossStandards = false;
    bool mixedClasses = false;
    bool boltFirst = false;

    bool any() const { return acrossStandards || mixedClasses || boltFirst; }
    friend bool operator==(const FitNote&, const FitNote&) = default;
};

// The tap of a hole: ISO 2857's class for an ISO metric one, the tap
// makers' H limit for a unified one; none where `iso` and `unified` are
// both empty (no gap said, H 0).
struct Tap {
    threads::TapClass iso;
    threads::TapLimit unified;

    bool any() const {
        return iso.iso > 0 || iso.gap == threads::TapClassGap::NotInIso2857 || unified.h > 0;
    }
    friend bool operator==(const Tap&, const Tap&) = default;
};

// How a caliper's and a pitch gauge's reading fits a thread (search/identify).
struct MeasuredFit;
class MeasuredThreads;
// What a thread's result answers at the bench and on the drawing (search/bench_answer).
struct BenchAnswer;

// What the standards give for a thread that a query names where the charts
// give nothing for it: a thread no chart of plain taps holds, or a tolerance
// class that a chart's row does not follow. Worked out, not read from a
// chart: the results say "計算値".
struct Computed {
    threads::Thread thread;
    std::u16string designation; // "M105 × 2", "1-8UN", as the results write it
    std::u16string standard;    // "ISO 965-1 7H", "ASME B1.1 3B"
    std::u16string className;   // "7H", "3B"; empty for a thread the standards lack
    // The internal thread's minor diameter by the standard and class, in
    // millionths of a millimetre, where the standard gives it.
    bool hasLimits = false;
    Millionths minimum = 0;
    Millionths maximum = 0;
    std::u16string minimumText, maximumText;
    // The drill suggested within the limits: a thread's own where no chart
    // holds it, the class asked's beside a chart's row. Where no drill of the
    // series lies within them, the nearest, `drillOutside` them.
    Millionths drill = 0;
    std::u16string drillText;
    bool drillOutside = false;
    Gap note = Gap::None; // why there is no figure

    friend bool operator==(const Computed&, const Computed&) = default;
};

// One half of a thread by a standard's class, worked out: the internal
// thread's (the hole's) pitch diameter and smallest major diameter, with the
// tap that cuts it, or the external thread's (the bolt's) major and pitch
// diameters; in millionths of a millimetre.
struct ThreadHalf {
    bool external = false;
    std::u16string standard;  // "ISO 965-1 6H", "ASME B1.1 2A"
    std::u16string className; // "6H", "5H6H", "4h6h", "2A"
    bool hasLimits = false;
    Millionths majorMinimum = 0;
    Millionths majorMaximum = 0; // the bolt's; none for the hole (0)
    Millionths pitchMinimum = 0;
    Millionths pitchMaximum = 0;
    Tap tap;              // the hole's
    Gap note = Gap::None; // why there are no limits
    // A class the thread's family lacks, asked of a chart's row (G1/4-6g,
    // G1/4-6H): the row's note, said where it says how it matched.
    bool familyLacks = false;
    FitNote fitNote; // the bolt's, of a fit written oddly

    friend bool operator==(const ThreadHalf&, const ThreadHalf&) = default;
};

// One row of one chart that a query found, or a thread worked out by the
// standards; where a chart gives several kinds of thread side by side, one
// result per kind. Every text points into the chart's lines or `computed`.
struct SearchResult {
    int position = 0; // the chart's position in the registry, 1 to 10; 0: computed
    const ChartDefinition* chart = nullptr; // none for a computed thread
    int line = 0;                           // the row's index among the chart's lines
    std::u16string_view designation;        // as the chart writes it, without its padding
    std::u16string_view kind;               // empty where the chart has one kind
    std::u16string_view drill;              // the drill in millimetres, or empty
    std::u16string_view drillInch;          // the drill in inches, where the chart gives one
    Limits limits = Limits::None;           // what `minimum` and `maximum` bound
    std::u16string_view minimum;
    std::u16string_view maximum;
    bool byDesignation = false; // the query names this thread
    // The query names exactly this thread: its family (by any of its names),
    // size, pitch or thread count, and series where it has one.
    bool exact = false;
    DrillMatch drillMatch = DrillMatch::None;
    bool withinLimits = false;   // for a drill query: minimum <= drill <= maximum
    Millionths aboveMinimum = 0; // then: how far the drill lies above the minimum
    Millionths belowMaximum = 0; // and below the maximum
    // The drill the query names (millionths of a millimetre), for the rows
    // it matched as a drill or that a thread-and-drill query names; else 0.
    Millionths queriedDrill = 0;

    // The row's thread as the index read it once; none where its designation
    // names none.
    const threads::Thread* thread = nullptr;
    // The row's numbers: its drill in millimetres (0: none), and the limits
    // a drill is held against: its pilot hole's where it gives them, else its
    // minor diameter's, or the class asked's where the row does not follow
    // that class (`computed`); none where the standard lacks the class.
    Millionths drillValue = 0;
    bool hasHoleLimits = false;
    Millionths holeMinimum = 0;
    Millionths holeMaximum = 0;
    // What the standards add: the class asked beside a chart's row that does
    // not follow it, or the whole of a thread that no chart holds.
    std::shared_ptr<const Computed> computed;
    // The half of the thread the result answers for by a standard's class:
    // the hole's for a metric or unified thread found by its designation
    // (the class judged), the bolt's for the result of a bolt's class asked.
    std::shared_ptr<const ThreadHalf> half;
    bool leftHand = false; // the query names the left-hand thread: the same hole and limits
    // Found by its designation, with something after it written as classes
    // that cannot be read ("-66H", "6H/6g/6e"): the thread is answered alone.
    bool unreadClass = false;
    // For a measurement ("外径 9.5 ピッチ 1.5"): how the reading fits this
    // thread, or, with no chart and nothing computed, why none is claimed.
    std::shared_ptr<const MeasuredFit> measured;
    // Three wires, the stress area, a blind hole's depth (search/bench_answer).
    std::shared_ptr<const BenchAnswer> bench;

    // The same result, whichever index found it: the thread and what the
    // standards add compare by what they say.
    friend bool operator==(const SearchResult& a, const SearchResult& b);
};

// A length as the charts write one: "." as decimal point, no trailing zeros.
std::u16string formatMillimetres(Millionths value);

// Finds threads by their designation and drills by their diameter in the
// charts of a registry, and threads that the charts do not hold by the
// standards. The index reads every row's thread and numbers once, the first
// time it is asked.
class SearchIndex {
public:
    // `charts` in registry order: the first is position 1. Null charts are
    // left out.
    explicit SearchIndex(std::span<const ChartDefinition* const> charts);
    ~SearchIndex();
    SearchIndex(const SearchIndex&) = delete;
    SearchIndex& operator=(const SearchIndex&) = delete;

    // The rows that `query` names or whose drill or limits hold it: those of
    // the chart at `preferredPosition` first, then threads named before
    // drills, each in chart and row order; the threads it names that no
    // chart of plain taps holds, worked out by the standards, after the
    // charts' rows. An empty query finds nothing.
    std::vector<SearchResult> find(std::u16string_view query, int preferredPosition = 0) const;

    // The charts searched, in registry order.
    std::span<const ChartDefinition* const> charts() const { return charts_; }

    // Reads the charts' numbers now, where the first query would: for a
    // window that is about to take queries.
    void build() const { entries(); }

    // The number of indexed rows (one per row and kind); builds the index.
    std::size_t size() const;

    // The result for line `line` of the chart at `position`, as a query for
    // its designation would give it; none for a line that is no data row.
    std::optional<SearchResult> row(int position, int line) const;

    struct Entry;

private:
    const std::vector<Entry>& entries() const;
    // The threads a measurement is held against, made at the first one.
    const MeasuredThreads& measuredThreads() const;

    std::vector<const ChartDefinition*> charts_;
    mutable std::unique_ptr<std::vector<Entry>> entries_;
    mutable std::unique_ptr<const MeasuredThreads> measuredThreads_;
};

} // namespace vornel::search
