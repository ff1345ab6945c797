#pragma once

#include "chart_model/chart_definition.h"

#include <QString>

namespace vornel {

// What a screen reader says for line `line` (from 0) of a chart, with "、"
// between the parts so that a voice pauses. A data row reads its designation,
// then each value after the name of its column, the kind of thread before the
// first value of each kind: "M 1 × 0.25、ドリル径 0.75、最小寸法 0.729、最大寸法 0.785",
// "1 ‐11、Rc(PT) 計算値 29.423、下穴径 29、…"; a cell without a value reads
// "なし". Any other line reads its texts, with the TABs and the padding between
// them as "、"; an empty line, or one of TABs alone, reads "空行". The texts
// are spoken as spokenText() says.
QString accessibleLineText(const ChartDefinition& chart, int line);

// A text of the charts as a voice is to read it, where the charts write it
// otherwise than it is said (what is drawn stays as written): a mixed number
// with its space, "21/2" as "2 1/2" and "111/2" as "11 1/2" (fractions such
// as "1/4" and "11/16" stay), and "メ－トル" with the long vowel mark, not
// the full-width minus sign that a voice reads as "マイナス".
QString spokenText(QString text);

} // namespace vornel
