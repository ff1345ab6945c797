#include "search/search_index.h"

#include "chart_model/chart_fields.h"
#include "search/bench_answer.h"
#include "search/computed.h"
#include "search/identify.h"
#include "threads/chart_thread.h"
#include "threads/matching.h"
#include "threads/query.h"

#include <algorithm>
#include <optional>
#include <tuple>

namespace vornel::search {

using threads::Designation;
using threads::Drill;
using threads::kMillion;

struct LimitPair {
    Limits limits = Limits::None;
    std::u16string_view minimum, maximum;
    std::optional<Millionths> min, max;
};

struct SearchIndex::Entry {
    SearchResult base; // the texts and numbers of the row, no match yet
    threads::SizeUnit unit = threads::SizeUnit::Millimetre; // of its chart's sizes
    std::optional<threads::Thread> thread;
    std::optional<Millionths> drill, drillInch; // millionths of a mm, of an inch
    std::vector<LimitPair> limits;
    // The hole's half by the class its row follows, for a query that asks
    // no nut's class: worked out once, with the entries.
    std::shared_ptr<const ThreadHalf> hole;
};

namespace {

std::vector<std::u16string_view> kindsOf(const ChartDefinition& chart) {
    std::vector<std::u16string_view> kinds;
    for (const ChartColumn& column : chart.columns) {
        if (!column.kind.empty() &&
            std::find(kinds.begin(), kinds.end(), column.kind) == kinds.end())
            kinds.push_back(column.kind);
    }
    if (kinds.empty())
        kinds.emplace_back();
    return kinds;
}

// The form of a kind of thread: the chart's, with the kind's own family
// where its columns name one.
threads::ThreadForm formOf(const ChartDefinition& chart, std::u16string_view kind) {
    threads::ThreadForm form = chart.threadForm;
    for (const ChartColumn& column : chart.columns) {
        if (column.kind == kind && column.kindFamily)
            form.family = *column.kindFamily;
    }
    return form;
}

void addEntries(std::vector<SearchIndex::Entry>& entries, int position,
                const ChartDefinition& chart) {
    const std::vector<std::u16string_view> kinds = kindsOf(chart);
    for (int row = 0; row < chart.dataRows; ++row) {
        const int line = chart.headingLines + row;
        const std::vector<std::u16string_view> fields =
            chartFields(chart.lines[static_cast<std::size_t>(line)]);
        for (std::u16string_view kind : kinds) {
            SearchIndex::Entry entry;
            entry.base.position = position;
            entry.base.chart = &chart;
            entry.base.line = line;
            entry.base.kind = kind;
            entry.unit = chart.threadForm.sizeUnit;
            for (std::size_t i = 0; i < chart.columns.size() && i < fields.size(); ++i) {
                const ChartColumn& column = chart.columns[i];
                if (!column.kind.empty() && column.kind != kind)
                    continue;
                const std::u16string_view text = trimPadding(fields[i]);
                switch (column.role) {
                case ColumnRole::Designation:
                    entry.base.designation = text;
                    break;
                case ColumnRole::Drill:
                    if (isNoValue(text))
                        break;
                    (column.unit == Unit::Inch ? entry.base.drillInch : entry.base.drill) = text;
                    (column.unit == Unit::Inch ? entry.drillInch : entry.drill) =
                        threads::readLength(text);
                    break;
                case ColumnRole::Minimum:
                case ColumnRole::Maximum: {
                    auto pair = std::find_if(
                        entry.limits.begin(), entry.limits.end(),
                        [&column](const LimitPair& p) { return p.limits == column.limits; });
                    if (pair == entry.limits.end()) {
                        entry.limits.emplace_back();
                        pair = std::prev(entry.limits.end());
                        pair->limits = column.limits;
                    }
                    const bool minimum = column.role == ColumnRole::Minimum;
                    (minimum ? pair->minimum : pair->maximum) = text;
                    (minimum ? pair->min : pair->max) = threads::readLength(text);
                    break;
                }
                case ColumnRole::TapClass:
                case ColumnRole::CalculatedHole:
                    break;
                }
            }
            if (!entry.limits.empty()) {
                entry.base.limits = entry.limits.front().limits;
                entry.base.minimum = entry.limits.front().minimum;
                entry.base.maximum = entry.limits.front().maximum;
            }
            std::optional<Millionths> minorMinimum;
            for (const LimitPair& pair : entry.limits) {
                if (pair.limits == Limits::MinorDiameter)
                    minorMinimum = pair.min;
            }
            entry.thread =
                threads::readChartThread(entry.base.designation, formOf(chart, kind), minorMinimum);
            entry.base.drillValue = entry.drill.value_or(0);
            // A drill is held against the pilot hole's limits where the row
            // gives them (a forming tap's), else the minor diameter's.
            for (Limits which : {Limits::PilotHole, Limits::MinorDiameter}) {
                const auto pair =
                    std::find_if(entry.limits.begin(), entry.limits.end(),
                                 [which](const LimitPair& p) { return p.limits == which; });
                if (!entry.base.hasHoleLimits && pair != entry.limits.end() && pair->min &&
                    pair->max) {
                    entry.base.hasHoleLimits = true;
                    entry.base.holeMinimum = *pair->min;
                    entry.base.holeMaximum = *pair->max;
                }
            }
            entries.push_back(std::move(entry));
        }
    }
}

// Whether a drill query may match the row: its drill, or within its limits.
bool mayHoldDrill(const Drill& query, const SearchIndex::Entry& entry) {
    if (query.inches && entry.drillInch && *entry.drillInch == *query.inches)
        return true;
    if (entry.drill && *entry.drill == query.millimetres)
        return true;
    return std::any_of(entry.limits.begin(), entry.limits.end(), [&query](const LimitPair& p) {
        return p.min && p.max && *p.min <= query.millimetres && query.millimetres <= *p.max;
    });
}

// Fills in how a drill query matches the row; false if it does not.
bool matchDrill(const Drill& query, const SearchIndex::Entry& entry, SearchResult& result) {
    if (query.inches && entry.drillInch)
        result.drillMatch =
            *entry.drillInch == *query.inches ? DrillMatch::Drill : DrillMatch::None;
    else if (entry.drill && *entry.drill == query.millimetres)
        result.drillMatch = DrillMatch::Drill;
    const Millionths d = query.millimetres;
    // Where a row gives the pilot hole's limits (a forming tap's), the drill
    // must make that hole: the minor diameter beside them is what the tap
    // forms, and a drill of that size would be too small for it.
    const bool pilotHole =
        std::any_of(entry.limits.begin(), entry.limits.end(),
                    [](const LimitPair& p) { return p.limits == Limits::PilotHole; });
    for (const LimitPair& pair : entry.limits) {
        if (pilotHole && pair.limits != Limits::PilotHole)
            continue;
        if (pair.min && pair.max && *pair.min <= d && d <= *pair.max) {
            if (result.drillMatch == DrillMatch::None)
                result.drillMatch = DrillMatch::WithinLimits;
            result.withinLimits = true;
            result.aboveMinimum = d - *pair.min;
            result.belowMaximum = *pair.max - d;
            result.limits = pair.limits;
            result.minimum = pair.minimum;
            result.maximum = pair.maximum;
            break;
        }
    }
    return result.drillMatch != DrillMatch::None;
}

// For a query that names a thread and a drill: where the drill lies against
// the row's limits (the pilot hole's where it gives them) when it lies
// outside them, by how much below the minimum (a negative `aboveMinimum`) or
// above the maximum (a negative `belowMaximum`).
void placeOutsideLimits(Millionths drill, const SearchIndex::Entry& entry, SearchResult& result) {
    if (result.withinLimits || entry.limits.empty())
        return;
    auto pair = std::find_if(entry.limits.begin(), entry.limits.end(),
                             [](const LimitPair& p) { return p.limits == Limits::PilotHole; });
    if (pair == entry.limits.end())
        pair = entry.limits.begin();
    if (!pair->min || !pair->max)
        return;
    result.aboveMinimum = drill - *pair->min;
    result.belowMaximum = *pair->max - drill;
    result.limits = pair->limits;
    result.minimum = pair->minimum;
    result.maximum = pair->maximum;
}

// The row's minor diameter's limits, where it gives them.
std::optional<threads::DiameterRange> minorLimits(const SearchIndex::Entry& entry) {
    for (const LimitPair& pair : entry.limits) {
        if (pair.limits == Limits::MinorDiameter && pair.min && pair.max)
            return threads::DiameterRange{*pair.min, *pair.max};
    }
    return std::nullopt;
}

// Marks the rows that the query names exactly: with its pitch or thread
// count, which with the size makes one thread of a family, or with its
// family written ("PF1/4", "W1/4") where that names one row of a chart's
// kind of thread.
void markExact(const Designation& query, std::vector<SearchResult>& results) {
    for (SearchResult& result : results) {
        if (!result.byDesignation)
            continue;
        if (!query.counts.empty()) {
            result.exact = true;
            continue;
        }
        if (query.families == threads::kAnyFamily)
            continue;
        const auto same = [&result](const SearchResult& other) {
            return other.byDesignation && other.position == result.position &&
                   other.kind == result.kind;
        };
        result.exact = std::count_if(results.begin(), results.end(), same) == 1;
    }
}

} // namespace

bool operator==(const SearchResult& a, const SearchResult& b) {
    const auto same = [](const auto* x, const auto* y) { return x == y || (x && y && *x == *y); };
    const auto fields = [](const SearchResult& r) {
        return std::tie(r.position, r.chart, r.line, r.designation, r.kind, r.drill, r.drillInch,
                        r.limits, r.minimum, r.maximum, r.byDesignation, r.exact, r.drillMatch,
                        r.withinLimits, r.aboveMinimum, r.belowMaximum, r.queriedDrill,
                        r.drillValue, r.hasHoleLimits, r.holeMinimum, r.holeMaximum, r.leftHand,
                        r.unreadClass);
    };
    return fields(a) == fields(b) && same(a.thread, b.thread) &&
           same(a.computed.get(), b.computed.get()) && same(a.measured.get(), b.measured.get()) &&
           same(a.half.get(), b.half.get()) && same(a.bench.get(), b.bench.get());
}

std::u16string formatMillimetres(Millionths value) {
    return threads::millimetreText(value);
}

SearchIndex::SearchIndex(std::span<const ChartDefinition* const> charts)
    : charts_(charts.begin(), charts.end()) {}

SearchIndex::~SearchIndex() = default;

const std::vector<SearchIndex::Entry>& SearchIndex::entries() const {
    if (!entries_) {
        auto entries = std::make_unique<std::vector<Entry>>();
        for (std::size_t i = 0; i < charts_.size(); ++i) {
            if (charts_[i])
                addEntries(*entries, static_cast<int>(i) + 1, *charts_[i]);
        }
        for (Entry& entry : *entries) {
            entry.base.thread = entry.thread ? &*entry.thread : nullptr;
            SearchResult row = entry.base;
            addHoleHalf(row, entry.base.chart->threadForm.toleranceClass, {}, minorLimits(entry));
            entry.hole = std::move(row.half);
        }
        entries_ = std::move(entries);
    }
    return *entries_;
}

const MeasuredThreads& SearchIndex::measuredThreads() const {
    if (!measuredThreads_)
        measuredThreads_ = std::make_unique<const MeasuredThreads>(*this, boltMajorLimits);
    return *measuredThreads_;
}

std::size_t SearchIndex::size() const {
    return entries().size();
}

std::optional<SearchResult> SearchIndex::row(int position, int line) const {
    for (const Entry& entry : entries()) {
        if (entry.base.position == position && entry.base.line == line)
            return entry.base;
    }
    return std::nullopt;
}

std::vector<SearchResult> SearchIndex::find(std::u16string_view text, int preferredPosition) const {
    const std::vector<Entry>& all = entries();
    const auto inCharts = [&all](const Designation& designation) {
        return std::any_of(all.begin(), all.end(), [&designation](const Entry& entry) {
            return entry.thread && threads::names(designation, *entry.thread, entry.unit);
        });
    };
    const threads::Query query = threads::readQuery(text, [&](const Designation& designation) {
        const std::optional<Designation> graded = gradedSeriesQuery(designation);
        return inCharts(designation) || (graded && inCharts(*graded)) ||
               isStandardThread(designation);
    });
    const std::optional<Designation>& designation = query.thread;
    const std::optional<Drill>& drill = query.drill;
    const bool both = query.threadAndDrill;
    std::vector<SearchResult> results;
    // A caliper's and a pitch gauge's reading: the threads it may be.
    if (query.measurement)
        return measuredThreads().identify(*query.measurement);
    if (!designation && !drill)
        return withoutThread(query);
    // "1-8UN" names the chart's 1-8UNC too.
    const std::optional<Designation> graded =
        designation ? gradedSeriesQuery(*designation) : std::nullopt;
    for (const Entry& entry : all) {
        const bool named = designation && entry.thread &&
                           (threads::names(*designation, *entry.thread, entry.unit) ||
                            (graded && threads::names(*graded, *entry.thread, entry.unit)));
        // Most rows match nothing: they are passed over before their result
        // is made.
        if ((both && !named) || (!named && !(drill && mayHoldDrill(*drill, entry))))
            continue;
        SearchResult result = entry.base;
        result.byDesignation = named;
        // A class asked that the row does not follow is the class it is
        // judged by.
        if (named && designation->classes.internal)
            askClass(result, entry.base.chart->threadForm.toleranceClass,
                     *designation->classes.internal, minorLimits(entry));
        if (named) {
            result.leftHand = designation->leftHand;
            if (designation->classes.internal)
                addHoleHalf(result, entry.base.chart->threadForm.toleranceClass,
                            designation->classes, minorLimits(entry));
            else
                result.half = entry.hole;
            addClasslessHalf(result, designation->classes);
        }
        const bool byDrill = drill && matchDrill(*drill, entry, result);
        if (byDrill || both)
            result.queriedDrill = drill->millimetres;
        if (both && classJudged(result))
            placeDrill(result);
        else if (both)
            placeOutsideLimits(drill->millimetres, entry, result);
        if (result.byDesignation || byDrill)
            results.push_back(result);
    }
    if (designation)
        markExact(*designation, results);
    std::stable_sort(results.begin(), results.end(),
                     [preferredPosition](const SearchResult& a, const SearchResult& b) {
                         const auto key = [preferredPosition](const SearchResult& r) {
                             return std::pair(r.position != preferredPosition, !r.byDesignation);
                         };
                         return key(a) < key(b);
                     });
    // The threads that a query names and no chart of plain taps holds (one
    // whose limits are of a standard's class), by the standards: what the
    // standards lack is said only where no chart holds the thread either.
    if (designation) {
        const bool anyRow = std::any_of(results.begin(), results.end(),
                                        [](const SearchResult& r) { return r.byDesignation; });
        const auto held = [&results](const threads::Thread& thread) {
            return std::any_of(results.begin(), results.end(), [&](const SearchResult& r) {
                return r.byDesignation && r.chart && r.chart->threadForm.toleranceClass &&
                       r.thread && sameThread(*r.thread, thread);
            });
        };
        // A thread a row holds is passed over before it is worked out.
        std::vector<SearchResult> standard = standardThreads(*designation, held);
        for (SearchResult& result : standard) {
            if (!result.computed->hasLimits && anyRow)
                continue;
            if (drill)
                result.queriedDrill = drill->millimetres;
            if (both)
                placeDrill(result);
            result.leftHand = designation->leftHand;
            results.push_back(std::move(result));
        }
        // The bolt's class asked: its results first, before the rows whose
        // drill is for the nut; after them where a fit asks the nut's too.
        const std::optional<Designation> usual = usualBoltQuery(query, results);
        std::vector<SearchResult> bolts = boltResults(usual ? *usual : *designation, results);
        results.insert(designation->classes.internal ? results.end() : results.begin(),
                       std::make_move_iterator(bolts.begin()),
                       std::make_move_iterator(bolts.end()));
        for (SearchResult& result : results)
            result.unreadClass = result.byDesignation && designation->unreadClass;
        addBenchAnswers(results, query);
    }
    return results;
}

} // namespace vornel::search
