#pragma once

#include "search/search_index.h"
#include "threads/blind_hole.h"
#include "threads/designation.h"
#include "threads/query.h"
#include "threads/stress_area.h"
#include "threads/three_wire.h"

#include <optional>
#include <vector>

namespace vornel::search {

// What a thread's result answers at the bench and on the drawing: a bolt's
// measurement over three wires and its stress area, a tapped hole's drill
// depth for a thread depth, or why the query's words give none.
struct BenchAnswer {
    threads::BenchProblem readProblem = threads::BenchProblem::None;
    // Three wires: over a bolt's pitch diameter limits, or the wires alone
    // for a bolt whose standard gives none (Whitworth); the class the bolt
    // usually has where the query asks none.
    bool threeWires = false;
    bool defaultClass = false;
    std::optional<threads::ThreeWireAnswer> wires;
    std::optional<threads::WireSizes> wiresOnly;
    std::optional<Millionths> wire, wireInches; // the wire in hand, as typed
    std::optional<threads::StressArea> stress;
    // A blind hole: the drawing's depth, the drill and its point, one answer
    // per chamfer.
    std::optional<Millionths> threadDepth, threadDepthInches;
    Millionths drill = 0;
    int pointAngle = threads::kDrillPointAngle;
    struct Hole {
        threads::Chamfer chamfer;
        threads::BlindHoleAnswer answer;
        friend bool operator==(const Hole&, const Hole&) = default;
    };
    std::vector<Hole> holes;

    friend bool operator==(const BenchAnswer&, const BenchAnswer&) = default;
};

// The bolt's usual class (6g, 2A, G's A) for three wires asked of a thread
// with no class, that of the first thread `found` names that has one: the
// query the bolts are then answered for. None otherwise.
std::optional<threads::Designation> usualBoltQuery(const threads::Query& query,
                                                   const std::vector<SearchResult>& found);

// Puts the bench's answer on each result it belongs to: every bolt's (its
// stress area at least), and the threads named where the query asks three
// wires or a depth.
void addBenchAnswers(std::vector<SearchResult>& results, const threads::Query& query);

// For bench words with no thread to answer them ("深さ 16"): one result that
// says so; none otherwise.
std::vector<SearchResult> withoutThread(const threads::Query& query);

} // namespace vornel::search
