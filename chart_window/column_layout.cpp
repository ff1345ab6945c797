#include "chart_window/column_layout.h"

#include <QFontMetrics>
#include <algorithm>

namespace vornel {
namespace {

constexpr QChar kTab = u'\t';
constexpr QChar kIdeographicSpace = u'\u3000';

enum class LineKind { Heading, Data, Trailing };

// A text of a line with the column it is meant for. A soft text follows
// padding inside a heading: it goes to the next column if there is room, but
// never widens one.
struct Segment {
    QStringView text;
    int column;
    bool soft;
    bool designation;
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

// Every text of a line with the column it is meant for, in order.
std::vector<Segment> segmentsOf(QStringView line, LineKind kind) {
    std::vector<Segment> out;
    int column = 0;
    int field = 0;
    for (QStringView text : line.tokenize(kTab)) {
        if (field > 0)
            ++column;
        if (kind == LineKind::Heading) {
            bool first = true;
            splitAtPadding(text, [&](QStringView piece) {
                if (!first)
                    ++column;
                out.push_back({piece, column, !first, false});
                first = false;
            });
        } else if (!text.isEmpty()) {
            out.push_back({text, column, false, kind == LineKind::Data && field == 0});
        }
        ++field;
    }
    return out;
}

int advance(const QFontMetrics& metrics, QStringView text) {
    return metrics.horizontalAdvance(QString::fromRawData(text.data(), text.size()));
}

LineKind kindOf(const ChartDefinition& chart, int row) {
    if (row < chart.headingLines)
        return LineKind::Heading;
    if (row < chart.headingLines + chart.dataRows)
        return LineKind::Data;
    return LineKind::Trailing;
}

} // namespace

ColumnLayout::ColumnLayout(const ChartDefinition& chart, const QFontMetrics& metrics) {
    const int em = metrics.horizontalAdvance(kIdeographicSpace);
    const int gap = em / 2;
    indent_ = em / 2;

    std::vector<std::vector<Segment>> lines;
    lines.reserve(chart.lines.size());
    int columnCount = 1;
    for (int row = 0; row < static_cast<int>(chart.lines.size()); ++row) {
        const ChartLine& line = chart.lines[row];
        lines.push_back(
            segmentsOf(QStringView(line.data(), qsizetype(line.size())), kindOf(chart, row)));
        for (const Segment& s : lines.back())
            columnCount = std::max(columnCount, s.column + 1);
    }

    // Each text that is not soft asks that its column start past the end of
    // the text before it; columns are settled left to right, so the text
    // before always stands in a column already settled.
    struct Need {
        int column;
        int afterColumn;
        int offset;
    };
    std::vector<Need> needs;
    for (const auto& segments : lines) {
        for (std::size_t i = 1; i < segments.size(); ++i) {
            const Segment& s = segments[i];
            const Segment& before = segments[i - 1];
            if (s.soft || s.column == before.column)
                continue;
            const int beforeX = before.designation ? indent_ : 0;
            needs.push_back(
                {s.column, before.column, beforeX + advance(metrics, before.text) + gap});
        }
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
            const int width = advance(metrics, s.text);
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
