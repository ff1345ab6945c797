#pragma once

#include "search/search_index.h"
#include "threads/thread.h"

#include <QString>
#include <utility>

namespace vornel::search {

// What every door says of a result: the search window's table, its copy
// and its screen reader, the command line and the desktop's search.

// A length a standard's formulas give, to 0.001 mm with its zeros, as the
// standards' tables print it: "7.760", "5.250". A difference between two
// such lengths is written the same way.
QString workedOutText(Millionths value);
// A length to `places` decimals (up to 6), every place written: "0.7217".
QString fixedText(Millionths value, int places);
// Whether a result's standard prints inches (ASME B1.1), and a length in
// inches to 0.0001 as it prints them: "0.2175".
bool inInches(const SearchResult& result);
QString inchText(Millionths value);
// A result's worked-out length, or range where `maximum` differs, with an
// inch thread's figures in inches to 0.0001 beside, as ASME B1.1 prints
// them, and `note` after them: "5.525～5.616（0.2175～0.2211 in、計算値）".
QString workedOutText(const SearchResult& result, Millionths minimum, Millionths maximum,
                      const QString& note = {});
// A drill, or a length the user typed, as the charts write one: "6.8".
QString drillText(Millionths value);
// A range as it is drawn: "6.647～6.912".
QString rangeText(const QString& minimum, const QString& maximum);
// A result's own limits (what `limits` bounds): a chart's as the chart
// prints them, a thread no chart holds as the standard gives them.
std::pair<QString, QString> rowLimits(const SearchResult& result);

// What a voice is to read for a text of these answers, as spokenText() says
// the charts' texts: marks said as words where words serve. A range is
// "6.647 から 6.912", "°" is "度", a designation's hyphen is a pause
// ("3/8 16UNC", not "マイナス"), a standard's part is "の" ("ISO 965の1"),
// and brackets ("G(PF)" too), "／", "：",
// "・" and the ideographic space become "、".
QString spokenAnswer(QString drawn);

// The columns of the results, in the table's order.
enum ResultColumn : int { Chart, Designation, Kind, Drill, Engagement, Limits, Match, ColumnCount };

// A column's name, "ドリル径", "ひっかかり率" ...
QString columnName(int column);
// The text of a result's cell.
QString cellText(const SearchResult& result, int column);
// What a screen reader says for a cell: a row, read cell by cell, reads like
// a chart's row: the chart, the thread, then each value after its name
// ("ドリル径 6.8", "めねじ内径 6.647 から 6.912", "一致 呼び"), as spokenAnswer()
// says them; a bolt's pairs each named: "外径 7.760 から 7.972、有効径 …".
QString accessibleCellText(const SearchResult& result, int column);

// Why a result matched, "呼び", "ドリル径と同じ", "範囲内（最小 +0.153／最大 −0.112）";
// against the class asked where the row is judged by it, "4H の範囲内（…）",
// "4H の最大寸法より 0.033 大きい".
QString matchDescription(const SearchResult& result);

// A ひっかかり率 as a figure: "89 %"; above 100 % with the warning that the
// drill is below the basic minor diameter, "111 %（基準の内径より小さい）"; in
// words where the drill is at or above the major diameter, "ねじ山なし（外径以上）",
// or below the tap's root, "タップの谷径より小さい"; empty where there is none.
// A `drill` (millionths of a millimetre) is named first: "81 %（ドリル径 6.9）",
// "タップの谷径より小さい（ドリル径 5）".
QString engagementText(const threads::Engagement& engagement, Millionths drill = 0);
// The ひっかかり率 a result shows, with the drill it is of where that is not
// the chart's drill beside it: "81 %（ドリル径 6.9）".
QString resultEngagementText(const SearchResult& result);
// The ひっかかり率 as a copied result's last field, "ひっかかり率 89 %", with the
// queried drill: "ひっかかり率 81 %（ドリル径 6.9）"; empty where there is none.
QString engagementField(const SearchResult& result);

// The figures of the half a result answers for (it has one, with limits),
// each after its diameter's name, `note` after any inches: the bolt's
// "外径 7.760～7.972", "有効径 7.042～7.160"; the hole's "有効径 7.188～7.348",
// "外径 最小 8.000".
QStringList halfFigures(const SearchResult& result, const QString& note = {});

// The figures of the thread's half a result answers for, each with its
// meaning: the hole's "めねじ有効径 7.188～7.348", "めねじ外径 最小 8",
// "ISO 965-1 6H 計算値", "タップ ISO 2"; the bolt's "おねじ外径 7.76～7.972",
// "おねじ有効径 7.042～7.16", "ISO 965-1 6g 計算値"; or why there are none, and
// what a fit's classes say. Empty where the result has no half.
QStringList halfFields(const SearchResult& result);

// What a result's half says where the standard gives it no figures, after
// `side` ("めねじ", or none under its heading): the diameter it lacks where
// the class judged gives the minor diameter ("めねじ有効径 6H 規格にない寸法"),
// else that the class is not in the standard ("めねじ 6H 規格にない等級").
QString missingHalfText(const SearchResult& result, const QString& side = {});

// What a result found by its designation says of classes written after it
// that cannot be read.
inline constexpr QStringView kUnreadClass = u"等級が読めません";

// The fields a copied result adds after its chart's line, TAB-separated:
// a measurement's limits and fit, the class asked's limits where the row is judged by them ("ISO
// 965-1 4H 計算値 6.647～6.817"), halfFields(), a class the thread's family lacks
// ("6g 規格にない等級"), "左ねじ", where a drill lies (matchDescription()),
// kUnreadClass, then
// engagementField(); empty where there are none.
QString copiedFields(const SearchResult& result);

// What the desktop's search shows of a result: the designation with the
// chart's title (or "計算値"), and beneath it the drill, the limits with their
// meaning, any further value the search window shows and, for a drill, how
// it matched.
QString resultName(const SearchResult& result);
QString resultDescription(const SearchResult& result);

// The words of why a worked-out thread or class has no figure, of a hole's
// tap and of a fit's classes written together.
QString gapText(Gap gap);
QString tapText(const Tap& tap);
QString fitNoteText(const FitNote& note);

// The result's chart as the results name it: its title, or for a thread the
// standards give, "計算値（ISO 965-1 6H）".
QString chartText(const SearchResult& result);
// The thread as the results name it; a reading that claims none, as words.
QString designationText(const SearchResult& result);
// The kind of a chart's row; a bolt's figures named by what they are:
// "外径／有効径", its major diameter's then its pitch diameter's.
QString kindText(const SearchResult& result);

} // namespace vornel::search
