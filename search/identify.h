#pragma once

#include "search/search_index.h"
#include "threads/measurement.h"
#include "threads/pipe_sizes.h"

#include <optional>
#include <span>
#include <string>
#include <vector>

namespace vornel::search {

// "What thread is this?": a caliper's and a pitch gauge's reading held
// against every thread Vornel knows, the candidates ranked by how well the
// reading fits them, and the threads that only something else tells apart.

using threads::DiameterRange;

// How far a pitch gauge tells pitches apart: a leaf that seats over ten
// threads within a twentieth of a pitch, ±0.5 % of the pitch.
inline constexpr double kGaugeTolerance = 0.005;
// Beyond the limits, a reading is still near a thread (a worn crest, a
// caliper's jaws across a burr) within 0.5 mm, and a pitch within 7 % (a
// leaf that seats over a few threads: 1.5 on 16 per inch is 5.5 % off).
inline constexpr Millionths kNearDiameter = 500'000;
inline constexpr double kNearPitch = 0.07;
// What a caliper's reading is worth against a gauge's, for ranking: 0.05 mm
// off the limits counts as much as a pitch 2 % beyond what the gauge tells.
// A caliper is read to a few hundredths; a leaf that seats over a few
// threads is the well-known slip (1.5 on 16 per inch), so a diameter that
// fits outweighs a pitch the leaf only seemed to show.
inline constexpr Millionths kCaliperStep = 50'000;
inline constexpr double kPitchStep = 0.02;
// The most candidates a reading lists.
inline constexpr std::size_t kMostCandidates = 40;

// The limits of a bolt's major diameter in the class bolts are made to, 6g
// (ISO 965-1) for an ISO metric thread and 2A (ASME B1.1) for a unified one,
// in millionths of a millimetre; none where the standard gives none.
using BoltMajorLimits = std::optional<DiameterRange> (*)(const threads::Thread&);
// The thread model's limits, which the index uses.
std::optional<DiameterRange> boltMajorLimits(const threads::Thread& thread);

// Whose limits a reading is held against; the text layer names them.
enum class LimitsBasis {
    None,
    Class,           // a class of the thread's standard
    Chart,           // the chart's own, which follow no class
    WhitworthBand,   // the basic major diameter and 0.2 P below it, a guide
    WhitworthMedium, // the chart's Whitworth class, the medium one
    Iso228,          // ISO 228-1
    Iso7,            // ISO 7-1's parallel internal thread
    Iso7Taper,       // ISO 7-1, from one end of the thread to the other
    Asme1201Taper,   // ASME B1.20.1, likewise
    Npsc,            // ASME B1.20.1's NPSC
};

struct MeasuredBasis {
    LimitsBasis basis = LimitsBasis::None;
    threads::ToleranceClass toleranceClass; // where `basis` is Class
    friend bool operator==(const MeasuredBasis&, const MeasuredBasis&) = default;
};

// A thread as a reading is held against it.
struct MeasuredThread {
    std::u16string name;     // of the bolt: "M10 × 1.5", "3/8-16UNC", "R 1/4-19"
    std::u16string holeName; // of the hole: "Rc 1/4-19" for R; else the same
    int flankAngle = 60;     // 55 for Whitworth and the British pipe threads
    bool taper = false;
    threads::Rational pitch;                   // in millimetres
    threads::Rational threadsPerInch;          // where the thread is counted so; else 0
    std::optional<DiameterRange> major, minor; // a bolt's crests, a hole's minor diameter
    MeasuredBasis majorBasis, minorBasis;      // whose limits
    SearchResult result; // what it opens: its chart's row, or the standards' thread
};

// A thread that the reading fits about as well and that something else
// tells apart: the flank angle, a pitch the gauge barely tells, or parallel
// against taper.
struct MeasuredTrap {
    const MeasuredThread* other = nullptr;
    bool flankAngle = false;
    bool pitch = false;
    bool taper = false;
    friend bool operator==(const MeasuredTrap&, const MeasuredTrap&) = default;
};

// How a reading fits one thread, or, with no thread, why none is claimed.
struct MeasuredFit {
    threads::Measurement measurement;
    const MeasuredThread* thread = nullptr;
    bool fits = false;     // within the limits, ends included, and the pitch within the gauge's
    Millionths offset = 0; // the diameter below the minimum (< 0) or above the maximum (> 0)
    double pitchOff = 0;   // |pitch − thread's| / thread's
    std::vector<MeasuredTrap> traps;
    // With no thread, why the reading cannot be read; none where it was read
    // and nothing fits it.
    threads::MeasurementProblem problem;
    friend bool operator==(const MeasuredFit&, const MeasuredFit&) = default;
};

// The threads an index knows, ready to be held against readings: every
// row of the charts that give a thread's own limits (not the inserts' and
// forming taps' holes), and the ISO 261 and ASME B1.1 threads no chart holds.
class MeasuredThreads {
public:
    MeasuredThreads(const SearchIndex& index, BoltMajorLimits boltMajor);
    MeasuredThreads(const MeasuredThreads&) = delete;
    MeasuredThreads& operator=(const MeasuredThreads&) = delete;

    std::span<const MeasuredThread> threads() const { return threads_; }

    // The candidates for a reading, best first: those it fits, then the
    // nearest, each with the threads it is confused with; or one result
    // whose words say why nothing is claimed.
    std::vector<SearchResult> identify(const threads::MeasurementReading& reading) const;

private:
    std::vector<MeasuredThread> threads_;
};

} // namespace vornel::search
