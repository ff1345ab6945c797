#include "windows/column_layout.h"

#include <QFontMetrics>
#include <QHash>
#include <algorithm>

namespace vornel {
namespace {

constexpr QChar kTab = u'\t';
constexpr QChar kIdeographicSpace = u'\u3000';

enum class LineKind { Heading, Note, Data, Trailing };

// A text of a line with the column it is meant for. A soft text follows
// padding inside a heading: it goes to the next column if there is room, but
// never widens one.
struct Segment {
    QStringView text;
    int width;
    int column;
    bool soft;
    bool designation;
    bool afterEmptyField;
};

// Splits a heading field at runs of two or more ideographic spaces; each run
// ends one piece. Leading and trailing runs are dropped.
template <typename Take> void splitAtPadding(QStringView field, Take take) {
    qsizetype start = 0;
    qsizetype i = 0;
    while (i < field.size()) {
        if (field[i] != kIdeographicSpace) {
            ++i;
            continue;
        }
        qsizetype end = i;
        while (end < field.size() && field[end] == kIdeographicSpace)
            ++end;
        if (end - i >= 2) {
            if (i > start)
                take(field.sliced(start, i - start));
            start = end;
        }
        i = end;
    }
    if (start < field.size())
        take(field.sliced(start));
}

// The width of a text in whole pixels, as QFontMetrics::horizontalAdvance()
// gives it, from the advances of its characters, each looked up once. The
// list font does not kern (listFont() turns kerning off) and no face joins
// the characters of the charts, so this is exactly the width of the shaped
// text, for a fraction of the cost of shaping every text of a chart. A text with a surrogate pair
// or a combining mark is shaped.
class TextWidths {
public:
    explicit TextWidths(const QFontMetrics& metrics)
        : metrics_(metrics)
        , advances_(metrics) {}

    int operator()(QStringView text) {
        qreal width = 0;
        for (const QChar c : text) {
            if (c.isSurrogate() || c.isMark())
                return metrics_.horizontalAdvance(QString::fromRawData(text.data(), text.size()));
            auto found = cache_.constFind(c);
            if (found == cache_.cend())
                found = cache_.insert(c, advances_.horizontalAdvance(c));
            width += *found;
        }
        return qRound(width);
    }

private:
    const QFontMetrics& metrics_;
    QFontMetricsF advances_;
    QHash<QChar, qreal> cache_;
};

// Every text of a line with its width and the column it is meant for, in
// order.
std::vector<Segment> segmentsOf(QStringView line, LineKind kind, TextWidths& widthOf) {
    std::vector<Segment> out;
    int column = 0;
    int field = 0;
    bool previousEmpty = false;
    for (QStringView text : line.tokenize(kTab)) {
        if (field > 0)
            ++column;
        const bool afterEmpty = field > 0 && previousEmpty;
        if (kind == LineKind::Heading || kind == LineKind::Note) {
            bool first = true;
            splitAtPadding(text, [&](QStringView piece) {
                if (!first)
                    ++column;
                out.push_back({piece, widthOf(piece), column, !first, false, first && afterEmpty});
                first = false;
            });
        } else if (!text.isEmpty()) {
            out.push_back({text, widthOf(text), column, false, kind == LineKind::Data && field == 0,
                           afterEmpty});
        }
        previousEmpty = text.isEmpty();
        ++field;
    }
    return out;
}

LineKind kindOf(const ChartDefinition& chart, int row) {
    if (row < chart.headingLines)
        return std::ranges::find(chart.noteLines, row) != chart.noteLines.end() ? LineKind::Note
                                                                                : LineKind::Heading;
    if (row < chart.headingLines + chart.dataRows)
        return LineKind::Data;
    return LineKind::Trailing;
}

} // namespace

ColumnLayout::ColumnLayout(const ChartDefinition& chart, const QFontMetrics& metrics) {
    const int em = metrics.horizontalAdvance(kIdeographicSpace);
    const int gap = em / 2;
    indent_ = em / 2;

    TextWidths widthOf(metrics);
    std::vector<std::vector<Segment>> lines;
    lines.reserve(chart.lines.size());
    int columnCount = 1;
    for (int row = 0; row < static_cast<int>(chart.lines.size()); ++row) {
        const ChartLine& line = chart.lines[row];
        lines.push_back(segmentsOf(QStringView(line.data(), qsizetype(line.size())),
                                   kindOf(chart, row), widthOf));
        for (const Segment& s : lines.back())
            columnCount = std::max(columnCount, s.column + 1);
    }

    // Columns make room for the texts of data rows and headings; notes and
    // the lines after the data run on or give way by the tab rule.
    //  - Each text that is not soft asks that its column start past the end
    //    of the text before it in its line.
    //  - A line of two or more headings, each after empty fields, heads
    //    groups of columns. The last heading of a line below it stays inside
    //    its group: the next group starts past its end.
    // Columns are settled left to right, and every need looks back at a
    // column already settled.
    struct Need {
        int column;
        int afterColumn;
        int offset;
    };
    std::vector<Need> needs;
    std::vector<int> groupStarts;
    for (int row = 0; row < static_cast<int>(lines.size()); ++row) {
        const LineKind kind = kindOf(chart, row);
        if (kind == LineKind::Note || kind == LineKind::Trailing)
            continue;
        const auto& segments = lines[static_cast<std::size_t>(row)];
        const auto room = [&](const Segment& s) {
            return (s.designation ? indent_ : 0) + s.width + gap;
        };
        for (std::size_t i = 1; i < segments.size(); ++i) {
            const Segment& s = segments[i];
            const Segment& before = segments[i - 1];
            if (!s.soft && s.column != before.column)
                needs.push_back({s.column, before.column, room(before)});
        }
        if (kind != LineKind::Heading || segments.empty())
            continue;
        const Segment& last = segments.back();
        if (!last.soft) {
            const auto next = std::ranges::upper_bound(groupStarts, last.column);
            if (next != groupStarts.end())
                needs.push_back({*next, last.column, room(last)});
        }
        const auto heads =
            std::ranges::count_if(segments, [](const Segment& s) { return !s.soft; });
        if (heads >= 2)
            for (const Segment& s : segments)
                if (s.afterEmptyField)
                    groupStarts.insert(std::ranges::upper_bound(groupStarts, s.column), s.column);
    }
    columns_.assign(columnCount, 0);
    for (int c = 1; c < columnCount; ++c) {
        int x = columns_[c - 1] + gap;
        for (const Need& n : needs)
            if (n.column == c)
                x = std::max(x, columns_[n.afterColumn] + n.offset);
        columns_[c] = x;
    }

    // Place the texts by the tab rule.
    const int minimumGap = std::max(1, gap / 2);
    lineStart_.reserve(lines.size() + 1);
    for (const auto& segments : lines) {
        lineStart_.push_back(static_cast<int>(texts_.size()));
        int cursor = 0;
        int column = -1;
        int shift = 0; // how far pushes have moved this line to the right
        bool first = true;
        for (const Segment& s : segments) {
            const int width = s.width;
            int c = std::max(s.column + shift, column + 1);
            int x = columns_[std::min(c, columnCount - 1)] + (s.designation ? indent_ : 0);
            if (!first && x < cursor + minimumGap) {
                while (c < columnCount && columns_[c] < cursor + minimumGap)
                    ++c;
                x = c < columnCount ? columns_[c] : cursor + (s.soft ? em : gap);
            }
            texts_.push_back({x, width, c < columnCount ? c : -1, s.text});
            cursor = x + width;
            column = c;
            shift = c - s.column;
            first = false;
        }
    }
    lineStart_.push_back(static_cast<int>(texts_.size()));
}

std::span<const PlacedText> ColumnLayout::line(int row) const {
    return std::span<const PlacedText>(texts_).subspan(lineStart_[row],
                                                       lineStart_[row + 1] - lineStart_[row]);
}

int ColumnLayout::lineWidth(int row) const {
    const auto texts = line(row);
    return texts.empty() ? 0 : texts.back().x + texts.back().width;
}

} // namespace vornel
