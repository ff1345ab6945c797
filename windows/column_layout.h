#pragma once

#include "chart_model/chart_definition.h"

#include <QStringView>
#include <span>
#include <vector>

class QFontMetrics;

namespace vornel {

// One piece of text of a line and where it is drawn, in pixels from the
// list's left edge.
struct PlacedText {
    int x;
    int width;
    int column; // -1 where pushed past the last column
    QStringView text;
};

// Where every text of a chart's lines is drawn. The column positions are
// worked out once from the font: each column starts where the widest text
// before it in any line ends, plus a gap, so that field k of every data row
// starts at column k and each heading starts at the column it is meant for.
//
// Drawing follows the tab rule: a TAB moves on to the next column; a text
// that would overlap the column it is meant for is pushed to the next column
// beyond it. In heading lines a run of two or more ideographic spaces, which
// the headings use to pad their texts into place, works the same way: at the
// start of a field it is dropped, between two texts it moves the second to
// the next column. Designations of data rows are indented a little under
// their heading.
class ColumnLayout {
public:
    ColumnLayout(const ChartDefinition& chart, const QFontMetrics& metrics);

    std::span<const int> columns() const { return columns_; }
    int designationIndent() const { return indent_; }
    int lineCount() const { return static_cast<int>(lineStart_.size()) - 1; }
    std::span<const PlacedText> line(int row) const;
    // The texts of all lines, line after line.
    std::span<const PlacedText> texts() const { return texts_; }
    int lineWidth(int row) const;

private:
    std::vector<int> columns_;
    std::vector<PlacedText> texts_;
    std::vector<int> lineStart_;
    int indent_ = 0;
};

} // namespace vornel
