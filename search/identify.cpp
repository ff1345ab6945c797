#include "search/identify.h"

#include "search/computed.h"
#include "threads/asme_b1_1.h"
#include "threads/iso_965.h"
#include "threads/standard_sizes.h"
#include "threads/thread_classes.h"

#include <algorithm>
#include <cmath>
#include <memory>
#include <tuple>

namespace vornel::search {
namespace {

using threads::Family;
using threads::kMillion;
using threads::millionthsOf;
using threads::Rational;
using threads::Thread;

double toDouble(Rational r) {
    return static_cast<double>(r.num) / static_cast<double>(r.den);
}

std::u16string number(Rational value) {
    return threads::decimalText(value, 3);
}

// The class a row's minor diameter limits follow: the chart's declared
// class, or another grade of its standard (M1 × 0.2 is 4H); the chart's own
// where they follow none (M13 × 1.5 is not 6H).
MeasuredBasis chartBasis(const SearchResult& row) {
    const auto& c = row.chart->threadForm.toleranceClass;
    const auto followed =
        c && row.thread && row.hasHoleLimits
            ? threads::followedClass(*row.thread, *c, {row.holeMinimum, row.holeMaximum})
            : std::nullopt;
    return followed ? MeasuredBasis{LimitsBasis::Class, *followed}
                    : MeasuredBasis{LimitsBasis::Chart, {}};
}

// The class a bolt or a hole is taken at where none is asked.
MeasuredBasis defaultBasis(Family family, bool external) {
    return {LimitsBasis::Class, threads::defaultClass(family, external)->crest};
}

// Whitworth bolts: BS 84's tolerances are not among Vornel's tables, so a
// bolt is held against the basic major diameter and a band below it of 0.2 P,
// about what 6g and 2A leave below the basic size for the same pitch (0.16 to
// 0.19 P from 1.25 to 2 mm). Named so wherever it is shown.
constexpr Rational kWhitworthBand{1, 5};

std::optional<DiameterRange> whitworthMajor(const Thread& thread) {
    if (!thread.major)
        return std::nullopt;
    const Millionths major = millionthsOf(*thread.major);
    const Millionths band = millionthsOf(threads::multiplied(thread.pitch, kWhitworthBand));
    return DiameterRange{threads::roundedTo(major - band, 1000), threads::roundedTo(major, 1000)};
}

// A taper thread's diameters, which run from one end of its length to the
// other, and whose they are.
void taperAtBothEnds(MeasuredThread& m, std::optional<DiameterRange> major,
                     std::optional<DiameterRange> minor, LimitsBasis basis) {
    m.taper = true;
    m.major = major;
    m.minor = minor;
    m.majorBasis = m.minorBasis = {basis, {}};
}

// The thread as a reading is held against it, from its row or the
// standards' result: its names, form and limits.
std::optional<MeasuredThread> measured(const SearchResult& row, BoltMajorLimits boltMajor) {
    if (!row.thread)
        return std::nullopt;
    const Thread& t = *row.thread;
    MeasuredThread m;
    m.result = row;
    m.result.byDesignation = false;
    m.result.exact = false;
    m.pitch = t.pitch;
    const std::u16string count = u"-" + number(t.count);
    if (row.hasHoleLimits)
        m.minor = DiameterRange{row.holeMinimum, row.holeMaximum};
    switch (t.family) {
    case Family::IsoMetric:
        m.name = u"M" + number(t.size) + u" × " + number(t.count);
        m.major = boltMajor(t);
        m.majorBasis = defaultBasis(t.family, true);
        m.minorBasis = row.chart ? chartBasis(row) : defaultBasis(t.family, false);
        break;
    case Family::Unified:
        m.name = (t.numbered ? u"No. " + number(t.size) : threads::inchSizeText(t.size)) + count +
                 t.series;
        m.threadsPerInch = t.count;
        m.major = boltMajor(t);
        m.majorBasis = defaultBasis(t.family, true);
        m.minorBasis = row.chart ? chartBasis(row) : defaultBasis(t.family, false);
        break;
    case Family::Whitworth:
        m.name = u"W " +
                 (row.chart->threadForm.sizeUnit == threads::SizeUnit::Inch
                      ? threads::inchSizeText(t.size)
                      : number(t.size)) +
                 count;
        m.flankAngle = 55;
        m.threadsPerInch = t.count;
        m.major = whitworthMajor(t);
        m.majorBasis.basis = LimitsBasis::WhitworthBand;
        m.minorBasis.basis = LimitsBasis::WhitworthMedium;
        break;
    case Family::PipeG:
        m.name = u"G " + threads::inchSizeText(t.size) + count;
        m.flankAngle = 55;
        m.threadsPerInch = t.count;
        m.major = threads::parallelPipeMajor(t.size);
        m.majorBasis.basis = LimitsBasis::Iso228;
        m.minorBasis.basis = LimitsBasis::Chart;
        break;
    case Family::PipeRc:
        m.name = u"R " + threads::inchSizeText(t.size) + count;
        m.holeName = u"Rc " + threads::inchSizeText(t.size) + count;
        m.flankAngle = 55;
        m.threadsPerInch = t.count;
        taperAtBothEnds(m, threads::taperPipeMajor(t.size), threads::taperPipeMinor(t.size),
                        LimitsBasis::Iso7Taper);
        break;
    case Family::PipeRp:
        m.name = u"Rp " + threads::inchSizeText(t.size) + count;
        m.flankAngle = 55;
        m.threadsPerInch = t.count;
        m.minor = threads::parallelForTaperMinor(t.size);
        m.minorBasis.basis = LimitsBasis::Iso7;
        break;
    case Family::Npt:
        m.name = u"NPT " + threads::inchSizeText(t.size) + count;
        m.threadsPerInch = t.count;
        taperAtBothEnds(m, threads::nptMajor(t.size), threads::nptMinor(t.size),
                        LimitsBasis::Asme1201Taper);
        break;
    case Family::Nps:
        m.name = u"NPS " + threads::inchSizeText(t.size) + count;
        m.threadsPerInch = t.count;
        m.minor = threads::npsMinor(t.size);
        m.minorBasis.basis = LimitsBasis::Npsc;
        break;
    }
    if (m.holeName.empty())
        m.holeName = m.name;
    if (!m.major && !m.minor)
        return std::nullopt;
    return m;
}

// Which thread a row is, whichever chart or standard gives it.
using ThreadKey = std::tuple<Family, bool, Rational, Rational>;
ThreadKey keyOf(const Thread& t) {
    return {t.family, t.numbered, t.size, t.count};
}

// A chart's rows as threads of their own: the metric and unified charts
// (whose limits are a class's), Whitworth and the pipe charts, one per
// family of each row; not the inserts' and forming taps' holes.
bool measuredChart(const ChartDefinition& chart) {
    switch (chart.threadForm.family) {
    case Family::IsoMetric:
    case Family::Unified:
        return chart.threadForm.toleranceClass.has_value();
    default:
        return true;
    }
}

// The threads a standard gives that the charts do not: each ISO 261 size
// and pitch, 1 to 300 mm, and each ASME B1.1 size and series, No. 0 to 6 in.
std::vector<threads::Designation> standardDesignations() {
    std::vector<threads::Designation> out;
    const auto metric = [&out](Millionths major) {
        for (Millionths pitch : threads::isoPitches(major)) {
            threads::Designation d;
            d.families = threads::bit(Family::IsoMetric);
            d.prefixed = true;
            d.unit = threads::WrittenUnit::Millimetre;
            d.sizes = {threads::reduced(major, kMillion)};
            d.counts = {threads::reduced(pitch, kMillion)};
            out.push_back(std::move(d));
        }
    };
    for (Millionths tenths = 10; tenths < 60; ++tenths)
        metric(tenths * kMillion / 10);
    for (Millionths mm = 6; mm <= 300; ++mm)
        metric(mm * kMillion);
    const auto unified = [&out](bool numbered, Rational size, Rational inch) {
        std::vector<Rational> seen;
        for (const threads::UnifiedSeries& s : threads::unifiedSeries(inch)) {
            if (std::find(seen.begin(), seen.end(), s.threadsPerInch) != seen.end())
                continue;
            seen.push_back(s.threadsPerInch);
            threads::Designation d;
            d.families = threads::bit(Family::Unified);
            d.unit = threads::WrittenUnit::Inch;
            d.numbered = numbered;
            d.sizes = {size};
            d.counts = {s.threadsPerInch};
            // "8UN" is written "UN" after the count.
            d.series =
                s.name.ends_with("UN") ? u"un" : std::u16string(s.name.begin(), s.name.end());
            out.push_back(std::move(d));
        }
    };
    for (int n = 0; n <= 12; ++n) {
        if (const std::optional<Rational> inch = threads::numberedSizeMajor(n))
            unified(true, {n, 1}, *inch);
    }
    for (int sixteenths = 1; sixteenths <= 96; ++sixteenths) {
        const Rational inch = threads::reduced(sixteenths, 16);
        unified(false, inch, inch);
    }
    return out;
}

struct Scored {
    const MeasuredThread* thread;
    bool fits;
    Millionths offset;
    double pitchOff;
    double score;
    double centre; // how far from the middle of the limits, in half-widths
};

// Where a diameter lies against limits: 0 within, else signed distance.
Millionths offsetFrom(Millionths d, const DiameterRange& r) {
    return d < r.minimum ? d - r.minimum : d > r.maximum ? d - r.maximum : 0;
}

double relativePitch(Rational a, Rational b) {
    const double x = toDouble(a), y = toDouble(b);
    return std::abs(x - y) / std::max(x, y);
}

std::vector<MeasuredTrap> trapsOf(const MeasuredThread& a, const std::vector<Scored>& near) {
    constexpr std::size_t kMostTraps = 3;
    std::vector<MeasuredTrap> traps;
    for (const Scored& s : near) {
        const MeasuredThread& b = *s.thread;
        if (&b == &a || relativePitch(a.pitch, b.pitch) > kNearPitch)
            continue;
        MeasuredTrap trap{&b, a.flankAngle != b.flankAngle,
                          relativePitch(a.pitch, b.pitch) > kGaugeTolerance, a.taper != b.taper};
        if (!trap.flankAngle && !trap.pitch && !trap.taper)
            continue;
        traps.push_back(trap);
        if (traps.size() == kMostTraps)
            break;
    }
    return traps;
}

// A reading that claims no thread: why it cannot be read, or that nothing
// fits it (no problem).
SearchResult noteResult(const threads::Measurement& m, threads::MeasurementProblem problem) {
    auto fit = std::make_shared<MeasuredFit>();
    fit->measurement = m;
    fit->problem = std::move(problem);
    SearchResult result;
    result.measured = std::move(fit);
    return result;
}

} // namespace

std::optional<DiameterRange> boltMajorLimits(const Thread& t) {
    const auto bolt = threads::defaultClass(t.family, true);
    const auto major = bolt ? threads::classLimits(t, *bolt, true).major : std::nullopt;
    if (!major)
        return std::nullopt;
    return DiameterRange{major->minimum, major->maximum};
}

MeasuredThreads::MeasuredThreads(const SearchIndex& index, BoltMajorLimits boltMajor) {
    std::vector<ThreadKey> keys;
    const auto add = [&](const SearchResult& row) {
        if (!row.thread)
            return;
        const ThreadKey key = keyOf(*row.thread);
        if (std::find(keys.begin(), keys.end(), key) != keys.end())
            return;
        if (std::optional<MeasuredThread> m = measured(row, boltMajor)) {
            keys.push_back(key);
            threads_.push_back(std::move(*m));
        }
    };
    const std::span<const ChartDefinition* const> charts = index.charts();
    for (std::size_t i = 0; i < charts.size(); ++i) {
        const ChartDefinition* chart = charts[i];
        if (!chart || !measuredChart(*chart))
            continue;
        const int position = static_cast<int>(i) + 1;
        for (int line = chart->headingLines; line < chart->headingLines + chart->dataRows; ++line) {
            const std::optional<SearchResult> row = index.row(position, line);
            if (!row)
                continue;
            // Each kind of thread the row gives side by side (Rc and Rp, NPT
            // and NPS), as a query for its designation finds them.
            for (const SearchResult& kind : index.find(row->designation, position)) {
                if (kind.position == position && kind.line == line) {
                    SearchResult plain = kind;
                    plain.computed = nullptr;
                    add(plain);
                }
            }
        }
    }
    for (const threads::Designation& d : standardDesignations()) {
        for (const SearchResult& result : standardThreads(d))
            add(result);
    }
}

std::vector<SearchResult>
MeasuredThreads::identify(const threads::MeasurementReading& reading) const {
    const threads::Measurement& m = reading.measurement;
    if (reading.problem)
        return {noteResult(m, reading.problem)};
    const bool major = m.diameter == threads::MeasuredDiameter::Major;
    std::vector<Scored> near;
    for (const MeasuredThread& t : threads_) {
        Scored s{&t, true, 0, 0, 0, 0};
        if (m.hasDiameter()) {
            const std::optional<DiameterRange>& limits = major ? t.major : t.minor;
            if (!limits)
                continue;
            s.offset = offsetFrom(m.millimetres, *limits);
            if (std::abs(s.offset) > kNearDiameter)
                continue;
            const double half = static_cast<double>(limits->maximum - limits->minimum) / 2;
            const double middle = static_cast<double>(limits->minimum) + half;
            s.centre = half > 0 ? std::abs(static_cast<double>(m.millimetres) - middle) / half : 0;
            s.score = static_cast<double>(std::abs(s.offset)) / kCaliperStep;
        }
        if (m.hasPitch()) {
            s.pitchOff = std::abs(toDouble(t.pitch) - toDouble(m.pitch)) / toDouble(t.pitch);
            const bool seats = s.pitchOff <= kGaugeTolerance;
            // A pitch alone lists the threads that have it, no more.
            if (s.pitchOff > kNearPitch || (!m.hasDiameter() && !seats))
                continue;
            if (!seats)
                s.score += (s.pitchOff - kGaugeTolerance) / kPitchStep;
        }
        s.fits = s.offset == 0 && s.pitchOff <= kGaugeTolerance;
        near.push_back(s);
    }
    std::stable_sort(near.begin(), near.end(), [](const Scored& a, const Scored& b) {
        return std::tuple(!a.fits, a.score, a.centre) < std::tuple(!b.fits, b.score, b.centre);
    });
    if (near.empty())
        return {noteResult(m, {})};
    std::vector<SearchResult> results;
    for (std::size_t i = 0; i < near.size() && i < kMostCandidates; ++i) {
        const Scored& s = near[i];
        auto fit = std::make_shared<MeasuredFit>();
        fit->measurement = m;
        fit->thread = s.thread;
        fit->fits = s.fits;
        fit->offset = s.offset;
        fit->pitchOff = s.pitchOff;
        if (m.hasDiameter())
            fit->traps = trapsOf(*s.thread, near);
        SearchResult result = s.thread->result;
        result.measured = std::move(fit);
        results.push_back(std::move(result));
    }
    return results;
}

} // namespace vornel::search
