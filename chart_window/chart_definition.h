#pragma once

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

// One chart window, fixed data. The list shows `lines` in order: first
// `headingLines` header lines (title, units, notes, column headings), then
// `dataRows` rows, one per thread size, then whatever lines follow them
// (blank lines and notes). `noteLines` names the header lines, counted from 0,
// that are notes rather than headings: their texts run on past the columns.
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
};

} // namespace vornel
