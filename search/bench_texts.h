#pragma once

#include "search/search_index.h"

#include <QJsonObject>
#include <QString>
#include <QStringList>

namespace vornel::search {

// The words and figures of a result's bench answer (search/bench_answer) for
// every door.

// Each figure after its name, as a copy and the detail give them: "三針法
// 最適ワイヤ径 0.7217（使えるワイヤ 0.6315～1.2630）", "三針寸法 M 8.126～8.244
// （最適ワイヤ、ASME B1.2 の式＋リード角補正）", "応力断面積 36.6 mm²（ISO 898-1）",
// "下穴深さ 先 30.543 ＝ ねじ深さ 16 ＋ 不完全ねじ部 12.500（食付き 10 山、…）
// ＋ 先端 2.043（118°）"; or why there is none. Empty for no answer.
QStringList benchFields(const SearchResult& result);

// For a chart's row named with no class it does not follow and no bench
// answer, the stress area of its bolt, which a designer asks beside the tap
// drill; empty otherwise.
QString bareStressArea(const SearchResult& result);

// The same, short, for a cell and the desktop's search: "三針 M 8.126～8.244
// （ワイヤ 0.7217）・応力断面積 36.6 mm²", "下穴深さ 先 30.543／中 24.293 …（先端
// 2.043）".
QString benchSummary(const SearchResult& result);

// The figures as numbers for --json; empty for no answer.
QJsonObject benchJson(const SearchResult& result);

} // namespace vornel::search
