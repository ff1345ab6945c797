#pragma once

#include "search/identify.h"
#include "search/search_index.h"

#include <QString>
#include <QStringList>

namespace vornel::search {

// What every door says of a measurement's candidate (SearchResult::measured);
// result_texts and result_detail add these where a result has one.

// The reading as words: "外径 9.5 mm（0.374 inch）、ピッチ 1.5 mm = 16.93山";
// "読めない測定値" where nothing was read.
QString measurementText(const threads::Measurement& measurement);
// Why a reading cannot be read: "測定値が読めません：外径が 0 です".
QString measurementProblemText(const threads::MeasurementProblem& problem);
// Whose limits a reading is held against: "6g", "図表", "ISO 228-1".
QString measuredBasisText(const MeasuredBasis& basis);

// The limits the reading was held against: "おねじ外径 9.732～9.968（6g）";
// empty where no thread is claimed.
QString measuredLimitsText(const SearchResult& result);
// How the reading fits, with the threads it is confused with: "合う、ピッチ
// 1.5 mm = 16.93山（一致）、注意 3/8-16UNC：10 山で 15 mm と 15.875 mm"; or
// why nothing is claimed.
QString measuredFitText(const SearchResult& result);
// The detail's lines: the reading, the thread and its family, the diameter
// against the limits, the pitch, each thread it is confused with and how to
// tell them apart.
QStringList measuredDetailLines(const SearchResult& result);

} // namespace vornel::search
