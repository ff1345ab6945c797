#pragma once

#include "threads/thread.h"

#include <optional>
#include <span>
#include <string_view>

namespace vornel {

// One line of a chart's list: its fields joined by single TABs, exactly as
// the list shows it. Lines point into constant tables; nothing copies them.
using ChartLine = std::u16string_view;

// A rectangle in twips (1/1440 inch). Window positions are screen
// coordinates of the client area; control rectangles are relative to it.
struct TwipRect {
    int left;
    int top;
    int width;
    int height;
};

enum class Placement {
    StoredPosition, // the client area goes to left/top
    SystemDefault,  // the window manager chooses; only the size applies
};

enum class WindowIcon {
    ChartIcon, // the shared chart icon
    NoIcon,    // no icon of its own
};

enum class Background {
    WindowFace, // the style's window colour
    White,
};

struct FontDescription {
    std::u16string_view face;
    int pointSize;
    int charset; // 128: Shift-JIS
    int weight;  // 400: normal
};

// Every chart's list uses this font.
inline constexpr FontDescription kChartListFont{u"ＭＳ Ｐゴシック", 12, 128, 400};

// A one-line text label beside the list.
struct Footnote {
    std::u16string_view text;
    TwipRect rect;
    int tabIndex;
};

// What a field of a chart's data rows holds.
enum class ColumnRole {
    Designation,    // the thread's designation, as the chart writes it
    TapClass,       // the class of the tap (G4, G6 ...)
    Drill,          // the drill for the pilot hole
    CalculatedHole, // a calculated diameter of the hole, no drill size
    Minimum,        // the lower limit of `ChartColumn::limits`
    Maximum,        // its upper limit
};

enum class Unit {
    None, // text, not a length
    Millimetre,
    Inch,
};

// What a minimum and a maximum bound.
enum class Limits {
    None,
    MinorDiameter, // the internal thread's minor diameter
    PilotHole,     // the pilot hole
};

// The name of what `limits` bound, as the charts write it.
constexpr std::u16string_view limitsName(Limits limits) {
    switch (limits) {
    case Limits::MinorDiameter:
        return u"めねじ内径";
    case Limits::PilotHole:
        return u"下穴径";
    case Limits::None:
        break;
    }
    return {};
}

// One field of a chart's data rows. `name` is the column's name as a user
// hears or reads it beside a value ("ドリル径", "最小寸法" ...). Where a chart
// gives several kinds of thread side by side, `kind` names the kind the
// column belongs to ("Rc(PT)", "NPS" ...) and `kindFamily` the thread family
// of that kind, where it is not the chart's; elsewhere both are empty.
struct ChartColumn {
    ColumnRole role;
    std::u16string_view name;
    Unit unit = Unit::Millimetre;
    Limits limits = Limits::None;
    std::u16string_view kind = {};
    std::optional<threads::Family> kindFamily = {};
};

// One chart window, fixed data. The list shows `lines` in order: first
// `headingLines` header lines (title, units, notes, column headings), then
// `dataRows` rows, one per thread size, then whatever lines follow them
// (blank lines and notes). `noteLines` names the header lines, counted from 0,
// that are notes rather than headings: their texts run on past the columns.
// `columns` describes the fields of the data rows, one entry per field.
// `threadForm` says what the rows' threads are: their family, how their
// designations write sizes and pitches, and the profile that their drills'
// engagement is worked out for.
struct ChartDefinition {
    std::string_view identifier;
    std::u16string_view title;
    TwipRect clientArea;
    Placement placement;
    WindowIcon icon;
    Background background;
    TwipRect listRect;
    FontDescription listFont;
    std::span<const ChartLine> lines;
    int headingLines;
    int dataRows;
    std::optional<Footnote> footnote;
    std::span<const int> noteLines = {};
    std::span<const ChartColumn> columns = {};
    threads::ThreadForm threadForm = {};
};

} // namespace vornel
