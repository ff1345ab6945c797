#pragma once

#include "threads/thread.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace vornel::threads {

// What a caliper was held against.
enum class MeasuredDiameter {
    None,
    Major, // a bolt's crests: "外径 9.5", "おねじ外径 9.5", "OD 9.5"
    Minor, // a tapped hole's minor diameter: "内径 6.7", "めねじ内径 6.7", "ID 6.7"
};

// A caliper's and a pitch gauge's reading, either or both.
struct Measurement {
    MeasuredDiameter diameter = MeasuredDiameter::None;
    Millionths millimetres = 0;       // the diameter, in millionths of a millimetre
    std::optional<Millionths> inches; // as typed, where it was typed in inches
    Rational pitch;                   // in millimetres; 0 where none was read
    Rational threadsPerInch;          // as typed, where the gauge read a count; else 0

    bool hasDiameter() const { return diameter != MeasuredDiameter::None; }
    bool hasPitch() const { return pitch.num > 0; }
    friend bool operator==(const Measurement&, const Measurement&) = default;
};

// The largest values a reading takes: no thread of the charts or the
// standards comes near them, and the arithmetic on them stays in 64 bits.
inline constexpr Millionths kLargestMeasuredDiameter = 1000 * kMillion; // 1 m
inline constexpr Millionths kLargestMeasuredPitch = 20 * kMillion;      // 20 mm
inline constexpr int kMostThreadsPerInch = 200;

// A word of a measurement, as the query's reader splits the text.
enum class MeasurementWord {
    Major,      // 外径, おねじ外径, od
    Minor,      // 内径, めねじ内径, id
    Pitch,      // ピッチ, pitch, p
    Count,      // 山, 山/インチ, tpi (after a number, or before it)
    Millimetre, // mm
    Inch,       // in, inch, ", ″, インチ
    Number,
    Unknown,
};

// Why a reading cannot be read; the text layer says it in words.
enum class MeasurementFault {
    None,
    NotPositive,     // the value has a minus sign
    TooManyDigits,   // more whole digits than a caliper or a gauge reads
    TooManyDecimals, // more decimals than one reads
    Zero,
    NoValue,       // a word without its number
    PastLargest,   // beyond the largest reading of its kind
    TooFewPerInch, // a count per inch whose pitch is past the largest
    TwoDiameters,
    TwoPitches,
    NotAValue,   // a number after no word: `word` holds it
    UnknownWord, // `word` holds it
};

struct MeasurementProblem {
    MeasurementFault fault = MeasurementFault::None;
    MeasurementWord value = MeasurementWord::Unknown; // whose value: Major, Minor, Pitch, Count
    std::u16string word;                              // the word quoted, as typed
    explicit operator bool() const { return fault != MeasurementFault::None; }
    friend bool operator==(const MeasurementProblem&, const MeasurementProblem&) = default;
};

// A query that is a measurement: what was read, or why it cannot be read,
// never both.
struct MeasurementReading {
    Measurement measurement;
    MeasurementProblem problem;
    friend bool operator==(const MeasurementReading&, const MeasurementReading&) = default;
};

struct MeasurementToken {
    MeasurementWord kind = MeasurementWord::Unknown;
    std::u16string_view text; // a number as written, its sign included
};

// Splits normalised, lower-case text that holds no word of the Japanese
// script into a measurement's words: letters matched whole ("od", "tpi",
// "p"; "code" is no "od"), numbers, marks of a unit; ":" and "=" after a
// word are passed over. `strong` turns true at a word that says by itself
// that the query is a measurement ("od", "tpi", "pitch").
void measurementTokens(std::u16string_view text, std::vector<MeasurementToken>& tokens,
                       bool& strong);

// Reads the words of a query that is a measurement: a diameter after its
// word, in millimetres ("9.5", "9.5mm") or inches ("0.245in", ".245\"",
// ".245", as machinists write inches); a pitch after "ピッチ" or "P"
// ("ピッチ 1.5", "P1.5"), or a count per inch ("16山", "16山/インチ",
// "16 tpi", "TPI 16"). Either or both, in either order. A reading whose
// `problem` says why where it cannot be read.
MeasurementReading readMeasurement(std::vector<MeasurementToken> tokens);

} // namespace vornel::threads
