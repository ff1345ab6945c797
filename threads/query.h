#pragma once

#include "threads/blind_hole.h"
#include "threads/designation.h"
#include "threads/drill.h"
#include "threads/measurement.h"

#include <functional>
#include <optional>
#include <string_view>
#include <vector>

namespace vornel::threads {

// Why the words for the bench and the drawing cannot be read. What needs the
// thread is the answer's to judge: a wire too far from the best one, a depth
// past any tapped hole's, a point no drill has, three wires on a nut.
enum class BenchProblem {
    None,
    NoThread,    // a wire, a depth or a point with no thread read: "深さ 16"
    WireUnread,  // no length after 三針 or ワイヤ: "-0.75", "0", seven whole digits
    DepthUnread, // the same after 深さ
    PointUnread, // no whole degrees: "先端角 -118", "118.5°"
};

// What a query asks: the drill for a thread, the threads for a drill, a
// thread and a drill together, the thread for a measurement, or nothing
// Vornel knows (all empty); and what it asks of the thread at the bench and
// on the drawing.
struct Query {
    std::optional<Designation> thread;
    std::optional<Drill> drill;
    // The query names both: the thread's rows, each with the drill.
    bool threadAndDrill = false;
    // A caliper's and a pitch gauge's reading, or why it cannot be read.
    std::optional<MeasurementReading> measurement;
    // 三針 or ワイヤ: the bolt measured over three wires; M over the wire in
    // hand where one is typed, over the best wire anyway. In millionths of a
    // millimetre, and of an inch as typed where typed in inches.
    bool threeWires = false;
    std::optional<Millionths> wire;
    std::optional<Millionths> wireInches;
    // 深さ: a blind hole's thread depth as the drawing gives it, likewise.
    std::optional<Millionths> threadDepth;
    std::optional<Millionths> threadDepthInches;
    // "先端角 140" or "140°": the drill's point in degrees; none where not
    // asked (kDrillPointAngle).
    std::optional<int> pointAngle;
    // 先, 中, 上げ, スパイラル, ポイント: the chamfers asked, in the order
    // typed; empty: every one.
    std::vector<Chamfer> chamfers;
    BenchProblem benchProblem = BenchProblem::None;
};

// Whether a thread that a query names, now with a pitch or thread count, is
// one that the charts or the standards know.
using KnownThread = std::function<bool(const Designation&)>;

// Reads a query as typed, spaces included:
//   "M8x1.25", "6.8", "M8x1.25 6.9", "M8×1.25 φ6.9", "M8x1.25-7H";
//   a number after a thread is its pitch or thread count where the thread is
//   known with it ("M8 1.25", "1/4 20", "M8 P1.25"), a drill otherwise
//   ("M8 6.8", "M10 1.5 8.5");
//   classes and the hand after the thread, before or after a drill
//   ("M8x1.25 6H", "M8 1.25 7H", "M8x1.25 6.8 7H", "M8x1.25-6H LH");
//   words that belong together are one ("M 8 × 1.25", "1 1/4-7", "6.8 mm",
//   "1/2-14 NPT", "1/4-20 UNC-2B");
//   the trade's words, each matched whole: those that ask what the query
//   asks anyway, before or after ("M8の下穴", "ドリル 6.8"); 並目 and 細目,
//   ISO 261's coarse pitch and fine pitches ("M10 細目"); a marked pitch or
//   count ("M8 ピッチ1.25", "1/4 20山"); a family ("3/8 ウィット");
//   a measurement: a diameter after "外径", "おねじ外径", "OD", "内径",
//   "めねじ内径" or "ID", a pitch or a count per inch ("外径 9.5 ピッチ 1.5",
//   "外径 .245 16山", "P1.5");
//   with a thread, before or after it: three wires and the wire in hand
//   ("M8x1.25-6g 三針 0.75", "ワイヤ 0.029in"), a thread depth ("M8 深さ 16",
//   "M8 ねじ深さ 16", "M8深16", "M8↧16"), the drill's point ("先端角 140",
//   "140°", "140度") and chamfers ("上げタップ"). A wire or depth is read as
//   a drill is: millimetres, inches after "in", "inch", "\"" or a leading
//   point (".029"). Two of one ask nothing, as two drills do.
// Anything else, or a word the reader does not know, asks nothing.
Query readQuery(std::u16string_view typed, const KnownThread& known);

} // namespace vornel::threads
