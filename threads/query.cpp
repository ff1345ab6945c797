#include "threads/query.h"

#include "threads/normalized_text.h"
#include "threads/standard_sizes.h"

#include <QChar>
#include <algorithm>
#include <span>
#include <string>
#include <vector>

namespace vornel::threads {
namespace {

bool hasDigit(std::u16string_view word) {
    return std::any_of(word.begin(), word.end(), isDigit);
}

// What a word of the trade says.
enum class Trade {
    Text,     // read as the designation or drill reads it ("左" with them)
    Question, // asks what the query asks anyway: 下穴, ドリル, の ...
    Coarse,   // ISO 261's coarse pitch
    Fine,     // its fine pitches
    Family,
    Pitch, // the pitch follows: "ピッチ1.25"
    Count, // the threads per inch go before: "20山"
    Major,
    Minor,
    Inch, // the inch threads; in a measurement, the unit
    // The bench's and the drawing's, taken out before the thread is read.
    Wire,    // 三針: a wire size may follow
    Depth,   // 深さ: a thread depth follows
    Point,   // 先端角: the drill's point angle follows
    Degree,  // 度, after the point angle
    Chamfer, // a tap's chamfer
};

struct TradeWord {
    std::u16string_view text;
    Trade trade;
    Families families = kAnyFamily;
    Chamfer chamfer = Chamfer::HandTaper;
};

constexpr Families kPipe = bit(Family::PipeG) | bit(Family::PipeRc) | bit(Family::PipeRp);

// As typed; matched in their normalised form ("ー" is "-" there).
constexpr TradeWord kTradeWords[] = {
    {u"下穴径", Trade::Question},
    {u"下穴", Trade::Question},
    {u"ドリル径", Trade::Question},
    {u"ドリル", Trade::Question},
    {u"キリ", Trade::Question},
    {u"タップ", Trade::Question},
    {u"ねじ", Trade::Question},
    {u"径", Trade::Question},
    {u"の", Trade::Question},
    {u"並目", Trade::Coarse},
    {u"細目", Trade::Fine},
    {u"ウィット", Trade::Family, bit(Family::Whitworth)},
    {u"ウイット", Trade::Family, bit(Family::Whitworth)},
    {u"管用平行", Trade::Family, bit(Family::PipeG)},
    {u"管用テーパー", Trade::Family, bit(Family::PipeRc)},
    {u"管用テーパ", Trade::Family, bit(Family::PipeRc)},
    {u"管用", Trade::Family, kPipe},
    {u"ユニファイ", Trade::Family, bit(Family::Unified)},
    {u"メートル", Trade::Family, bit(Family::IsoMetric)},
    {u"インチ", Trade::Inch, kAnyFamily & ~bit(Family::IsoMetric)},
    {u"おねじ外径", Trade::Major},
    {u"めねじ内径", Trade::Minor},
    {u"おねじ", Trade::Major},
    {u"めねじ", Trade::Minor},
    {u"外径", Trade::Major},
    {u"内径", Trade::Minor},
    {u"ピッチ", Trade::Pitch},
    {u"山", Trade::Count},
    {u"左", Trade::Text},
    {u"三針法", Trade::Wire},
    {u"三針", Trade::Wire},
    {u"ワイヤー", Trade::Wire},
    {u"ワイヤ", Trade::Wire},
    {u"深さ", Trade::Depth},
    {u"深", Trade::Depth}, // the drawings' "M8深12"
    {u"先端角", Trade::Point},
    {u"度", Trade::Degree},
    {u"先", Trade::Chamfer, kAnyFamily, Chamfer::HandTaper},
    {u"中", Trade::Chamfer, kAnyFamily, Chamfer::HandPlug},
    {u"上げ", Trade::Chamfer, kAnyFamily, Chamfer::HandBottoming},
    {u"仕上げ", Trade::Chamfer, kAnyFamily, Chamfer::HandBottoming},
    {u"スパイラル", Trade::Chamfer, kAnyFamily, Chamfer::SpiralFlute},
    {u"ポイント", Trade::Chamfer, kAnyFamily, Chamfer::SpiralPoint},
    {u"ガン", Trade::Chamfer, kAnyFamily, Chamfer::SpiralPoint},
};

// The depth symbol of the drawings, "M8↧16".
constexpr char16_t kDepthMark = u'\u21a7';

// A piece of a query: a run of one script, or a word of the trade.
struct Piece {
    std::u16string_view text; // normalised
    Trade trade = Trade::Text;
    Families families = kAnyFamily;
    bool unknown = false; // a run of the Japanese script that is no word of the trade
    Chamfer chamfer = Chamfer::HandTaper;
};

constexpr bool isKatakana(char16_t c) {
    return c >= u'\u30a1' && c <= u'\u30fa';
}

constexpr bool isJapanese(char16_t c) {
    return (c >= u'\u3040' && c <= u'\u309f') || isKatakana(c) || c == u'\u3005' ||
           (c >= u'\u3400' && c <= u'\u4dbf') || (c >= u'\u4e00' && c <= u'\u9fff') ||
           (c >= u'\uf900' && c <= u'\ufaff');
}

// Marks between words that the input method gives: "・" where it stands
// for no slash, "。" for no point, "、".
constexpr bool isSeparator(char16_t c) {
    return c == u'・' || c == u'。' || c == u'、';
}

// The trade's words, normalised once, longer first where one begins another.
const std::vector<std::pair<std::u16string, const TradeWord*>>& tradeWords() {
    static const auto words = [] {
        std::vector<std::pair<std::u16string, const TradeWord*>> out;
        for (const TradeWord& word : kTradeWords)
            out.emplace_back(normalizedText(word.text), &word);
        std::stable_sort(out.begin(), out.end(), [](const auto& a, const auto& b) {
            return a.first.size() > b.first.size();
        });
        return out;
    }();
    return words;
}

// Splits a run of the Japanese script into the trade's words, whole: a run
// that is not made of them is one unknown word ("山田" holds no 山).
void tradePieces(std::u16string_view run, std::vector<Piece>& pieces) {
    const std::size_t first = pieces.size();
    std::size_t at = 0;
    while (at < run.size()) {
        const std::u16string_view rest = run.substr(at);
        const auto& words = tradeWords();
        const auto word = std::find_if(words.begin(), words.end(),
                                       [rest](const auto& w) { return rest.starts_with(w.first); });
        if (word == words.end()) {
            pieces.resize(first);
            pieces.push_back({run, Trade::Text, kAnyFamily, true});
            return;
        }
        const std::size_t size = word->first.size();
        const TradeWord& trade = *word->second;
        pieces.push_back({rest.substr(0, size), trade.trade, trade.families, false, trade.chamfer});
        at += size;
    }
}

// Takes "/インチ", "/inch" or "/in" after a count: "16山/インチ".
std::size_t perInchAfter(std::u16string_view rest) {
    for (const std::u16string_view per : {u"/インチ", u"/inch", u"/in"}) {
        if (rest.size() >= per.size() &&
            std::equal(per.begin(), per.end(), rest.begin(),
                       [](char16_t a, char16_t b) { return a == lowerLatin(b); }))
            return per.size();
    }
    return 0;
}

// The pieces of one normalised word: runs of the Japanese script (a "-"
// after katakana is its long-vowel mark) split into the trade's words, and
// the runs between them.
void splitWord(std::u16string_view word, std::vector<Piece>& pieces) {
    std::size_t at = 0;
    while (at < word.size()) {
        if (isSeparator(word[at])) {
            ++at;
            continue;
        }
        if (word[at] == kDepthMark) {
            pieces.push_back({word.substr(at, 1), Trade::Depth});
            ++at;
            continue;
        }
        std::size_t end = at;
        const bool japanese = isJapanese(word[at]);
        while (end < word.size() && !isSeparator(word[end]) && word[end] != kDepthMark &&
               (japanese ? isJapanese(word[end]) || (word[end] == u'-' && isKatakana(word[end - 1]))
                         : !isJapanese(word[end])))
            ++end;
        if (!japanese) {
            pieces.push_back({word.substr(at, end - at)});
        } else {
            tradePieces(word.substr(at, end - at), pieces);
            if (pieces.back().trade == Trade::Count) {
                const std::size_t per = perInchAfter(word.substr(end));
                end += per;
                pieces.back().text = word.substr(end - per - 1, per + 1);
            }
        }
        at = end;
    }
}

// The query's words, each normalised, and their pieces, which view them.
struct Words {
    std::vector<std::u16string> normalized;
    std::vector<Piece> pieces;
};

Words split(std::u16string_view typed) {
    Words words;
    std::size_t begin = 0;
    for (std::size_t i = 0; i <= typed.size(); ++i) {
        if (i < typed.size() && !QChar(typed[i]).isSpace())
            continue;
        if (i > begin) {
            std::u16string word = normalizedText(typed.substr(begin, i - begin));
            if (!word.empty())
                words.normalized.push_back(std::move(word));
        }
        begin = i + 1;
    }
    // Split once every word is in place: the pieces view them.
    for (const std::u16string& word : words.normalized)
        splitWord(word, words.pieces);
    return words;
}

// Whether `word` ends with a whole number: digits not part of a decimal or
// a fraction.
bool endsWithWholeNumber(std::u16string_view word) {
    std::size_t digits = 0;
    while (digits < word.size() && isDigit(word[word.size() - 1 - digits]))
        ++digits;
    if (digits == 0)
        return false;
    if (digits == word.size())
        return true;
    const char16_t before = word[word.size() - 1 - digits];
    return before != u'.' && before != u'/' && !isDigit(before);
}

// Whether `word` starts with a fraction below one, "1/4", "3/8-16".
bool startsWithProperFraction(std::u16string_view word) {
    std::size_t i = 0;
    std::int64_t n = 0;
    std::int64_t d = 0;
    for (; i < word.size() && isDigit(word[i]) && i < 9; ++i)
        n = n * 10 + (word[i] - u'0');
    if (i == 0 || i >= word.size() || word[i] != u'/')
        return false;
    std::size_t j = i + 1;
    for (; j < word.size() && isDigit(word[j]) && j < i + 10; ++j)
        d = d * 10 + (word[j] - u'0');
    return j > i + 1 && n > 0 && n < d;
}

// Joins the words that make one thing: a prefix and its size, a number and
// its unit or family, a separator and what it separates, a word that begins
// with a letter and the word before it ("M8 P1.25", "1/4-20 UNC-2B", "LH"),
// and a whole number and the fraction after it (a mixed number).
std::vector<std::u16string> joined(std::vector<std::u16string> parts) {
    std::vector<std::u16string> out;
    for (std::u16string& word : parts) {
        if (!out.empty()) {
            std::u16string& last = out.back();
            const char16_t end = lowerLatin(last.back());
            if (end == u'x' || end == u'-' || end == u'/' || end == u'φ' || !hasDigit(last) ||
                !hasDigit(word) || isLatinLetter(word.front()) || word.front() == u'-' ||
                word.front() == u'/') {
                last += word;
                continue;
            }
            if (endsWithWholeNumber(last) && startsWithProperFraction(word)) {
                last += u'-';
                last += word;
                continue;
            }
        }
        out.push_back(std::move(word));
    }
    return out;
}

// A word after the thread, read as the rest of a designation: a pitch or
// thread count ("1.25", "p1.25", "20", "20unc") and what may follow it
// ("1.25-7h"), or classes and the hand alone ("7h", "6h/6g", "2b-lh").
std::optional<Designation> afterThread(std::u16string_view word) {
    std::u16string text = u"1x";
    text += word;
    return readDesignation(text);
}

// Adds the classes and hand that `more` reads to the thread's. Classes that
// cannot be read, or a second class, leave the thread alone.
void addClasses(Designation& thread, const Designation& more) {
    thread.leftHand = thread.leftHand || more.leftHand;
    if (more.unreadClass ||
        (!more.classes.empty() && (!thread.classes.empty() || thread.unreadClass))) {
        thread.classes = {};
        thread.unreadClass = true;
    } else if (!more.classes.empty()) {
        thread.classes = more.classes;
    }
}

Query single(std::u16string_view word) {
    Query query;
    query.thread = readDesignation(word);
    query.drill = readDrill(word);
    // "M8×1.25φ6.9": a thread and a drill without a space.
    const std::size_t mark = word.rfind(u'φ');
    if (!query.thread && !query.drill && mark != std::u16string_view::npos && mark > 0) {
        query.thread = readDesignation(word.substr(0, mark));
        query.drill = readDrill(word.substr(mark));
        query.threadAndDrill = query.thread && query.drill;
        if (!query.threadAndDrill)
            return {};
    }
    return query;
}

// A thread, a drill or both, written with the words that `joined` makes.
Query readWords(const std::vector<std::u16string>& parts, const KnownThread& known) {
    if (parts.empty())
        return {};
    if (parts.size() == 1)
        return single(parts.front());
    Query query;
    query.thread = readDesignation(parts.front());
    if (!query.thread)
        return {};
    Designation& thread = *query.thread;
    for (std::size_t i = 1; i < parts.size(); ++i) {
        const std::u16string& word = parts[i];
        const std::optional<Designation> more = afterThread(word);
        // Classes and hand, wherever they stand: "M8x1.25 6.8 7H".
        if (more && more->counts.empty()) {
            addClasses(thread, *more);
            continue;
        }
        if (more && thread.counts.empty() && !query.drill) {
            Designation withCount = thread;
            withCount.counts = more->counts;
            withCount.pitchMarked = more->pitchMarked;
            if (!more->series.empty())
                withCount.series = more->series;
            withCount.families &= more->families;
            if (more->pitchMarked || known(withCount)) {
                thread = std::move(withCount);
                addClasses(thread, *more);
                continue;
            }
        }
        if (query.drill)
            return {};
        query.drill = readDrill(word);
        if (!query.drill)
            return {};
    }
    query.threadAndDrill = query.drill.has_value();
    return query;
}

// Whether the last word is a number alone: "20" of "1/4 20山".
bool isNumber(std::u16string_view word) {
    return !word.empty() && isDigit(word.front()) &&
           std::all_of(word.begin(), word.end(),
                       [](char16_t c) { return isDigit(c) || c == u'.' || c == u'/'; });
}

// A count in 山 after the thread: the number before it made the thread's
// count ("1/4 20山" as "1/4-20"), or the thread already counted ("1/4-20山").
bool countBefore(std::vector<std::u16string>& texts) {
    if (texts.size() >= 2 && isNumber(texts.back())) {
        texts.back().insert(0, 1, u'-');
        return true;
    }
    if (texts.size() != 1 || !isDigit(texts.back().back()))
        return false;
    const std::optional<Designation> thread = readDesignation(texts.back());
    return thread && !thread->counts.empty();
}

// 並目 or 細目: the thread as ISO 261 gives that size, with its coarse
// pitch or its fine ones (of those written, where it has any). False where
// it gives none.
bool inPitchSeries(Designation& thread, Trade series) {
    thread.families &= bit(Family::IsoMetric);
    std::vector<Rational> pitches;
    for (const Rational& size : thread.sizes) {
        const Millionths major = millionthsOf(size);
        const std::span<const Millionths> all = isoPitches(major);
        const bool coarse = !all.empty() && isIsoCoarse(major, all.front());
        const std::span<const Millionths> wanted =
            series == Trade::Coarse ? all.first(coarse ? 1 : 0) : all.subspan(coarse ? 1 : 0);
        for (const Millionths pitch : wanted) {
            const Rational p = reduced(pitch, kMillion);
            if (thread.counts.empty() ||
                std::find(thread.counts.begin(), thread.counts.end(), p) != thread.counts.end())
                pitches.push_back(p);
        }
    }
    thread.counts = std::move(pitches);
    return thread.families != 0 && !thread.counts.empty();
}

// The query read as a thread, a drill or both, the trade's words about them
// taken in; none where a word is neither.
std::optional<Query> threadOrDrill(const std::vector<Piece>& pieces, const KnownThread& known) {
    std::vector<std::u16string> texts;
    Families families = kAnyFamily;
    std::optional<Trade> series;
    bool pitchNext = false;
    for (const Piece& piece : pieces) {
        switch (piece.trade) {
        case Trade::Text:
            texts.emplace_back(pitchNext ? u"p" : u"");
            texts.back() += piece.text;
            pitchNext = false;
            break;
        case Trade::Question:
            break;
        case Trade::Coarse:
        case Trade::Fine:
            if (series && *series != piece.trade)
                return std::nullopt;
            series = piece.trade;
            break;
        case Trade::Family:
        case Trade::Inch:
            families &= piece.families;
            break;
        case Trade::Pitch: // "M8 ピッチ1.25" is M8 P1.25
            if (texts.empty() || pitchNext)
                return std::nullopt;
            pitchNext = true;
            break;
        case Trade::Count:
            if (!countBefore(texts))
                return std::nullopt;
            break;
        case Trade::Major:
        case Trade::Minor:
        case Trade::Wire: // the bench's words are taken out before
        case Trade::Depth:
        case Trade::Point:
        case Trade::Degree:
        case Trade::Chamfer:
            return std::nullopt;
        }
    }
    // "M8 ピッチ" is a pitch still being typed: the thread alone meanwhile.
    if (texts.empty())
        return std::nullopt;
    Query query = readWords(joined(std::move(texts)), known);
    if (!query.thread && !query.drill)
        return std::nullopt;
    if (families == kAnyFamily && !series)
        return query;
    if (!query.thread)
        return std::nullopt;
    // The words say a thread: "10 並目" is no drill of 10 mm.
    if (!query.threadAndDrill)
        query.drill.reset();
    query.thread->families &= families;
    if (query.thread->families == 0 || (series && !inPitchSeries(*query.thread, *series)))
        return std::nullopt;
    return query;
}

// The query read as a caliper's and a pitch gauge's reading; none where it
// has no word of one. "p1.5" alone is a pitch; "9.5mm" is a drill's: a
// measurement needs its words, and nothing it does not know unless a word
// of its own says what the query is.
std::optional<MeasurementReading> measurement(const std::vector<Piece>& pieces) {
    std::vector<std::u16string> lower;
    lower.reserve(pieces.size());
    std::vector<MeasurementToken> tokens;
    bool strong = false;
    for (const Piece& piece : pieces) {
        switch (piece.trade) {
        case Trade::Text:
            if (piece.unknown) {
                tokens.push_back({MeasurementWord::Unknown, piece.text});
            } else {
                lower.push_back(inLowerCase(std::u16string(piece.text)));
                measurementTokens(lower.back(), tokens, strong);
            }
            break;
        case Trade::Question:
            break;
        case Trade::Major:
        case Trade::Minor:
        case Trade::Pitch:
        case Trade::Count:
            strong = true;
            tokens.push_back({piece.trade == Trade::Major   ? MeasurementWord::Major
                              : piece.trade == Trade::Minor ? MeasurementWord::Minor
                              : piece.trade == Trade::Pitch ? MeasurementWord::Pitch
                                                            : MeasurementWord::Count,
                              piece.text});
            break;
        case Trade::Inch:
            tokens.push_back({MeasurementWord::Inch, piece.text});
            break;
        case Trade::Coarse:
        case Trade::Fine:
        case Trade::Family:
        case Trade::Wire:
        case Trade::Depth:
        case Trade::Point:
        case Trade::Degree:
        case Trade::Chamfer:
            tokens.push_back({MeasurementWord::Unknown, piece.text});
            break;
        }
    }
    const auto has = [&tokens](MeasurementWord kind) {
        return std::any_of(tokens.begin(), tokens.end(),
                           [kind](const MeasurementToken& t) { return t.kind == kind; });
    };
    if (tokens.empty() ||
        (!strong && (has(MeasurementWord::Unknown) || !has(MeasurementWord::Pitch))))
        return std::nullopt;
    return readMeasurement(std::move(tokens));
}

// What the words for the bench and the drawing ask, and the pieces left for
// the thread.
struct Bench {
    std::vector<Piece> rest;
    bool asked = false; // a word that needs a thread: 三針, or a depth or point with its value
    bool threeWires = false;
    std::optional<Drill> wire;
    std::optional<Drill> depth;
    std::optional<int> point;
    std::vector<Chamfer> chamfers;
    BenchProblem problem = BenchProblem::None;
};

// Whether `text` is what the reader takes for classes or the hand after a
// thread ("三針 6g", "-LH"): no value of a bench word.
bool isClassesOrHand(std::u16string_view text) {
    const std::optional<Designation> more = afterThread(text);
    return more && more->counts.empty() && (!more->classes.empty() || more->leftHand);
}

// The value after the bench word at `at`, past 径 or の ("ワイヤ径 0.75"),
// with a unit typed apart ("0.5 in", "0.5 インチ"), `at` moved past what it
// takes; empty where none follows yet.
std::u16string valueAfter(const std::vector<Piece>& pieces, std::size_t& at) {
    std::size_t next = at + 1;
    while (next < pieces.size() && pieces[next].trade == Trade::Question)
        ++next;
    if (next >= pieces.size())
        return {};
    const Piece& number = pieces[next];
    const char16_t first = number.text.front();
    if (number.trade != Trade::Text ||
        !(isDigit(first) || first == u'.' || first == u'-' || first == u'+') ||
        isClassesOrHand(number.text))
        return {};
    std::u16string value(number.text);
    at = next;
    if (at + 1 < pieces.size()) {
        const Piece& unit = pieces[at + 1];
        const std::u16string lower = inLowerCase(std::u16string(unit.text));
        if (unit.trade == Trade::Inch ||
            (unit.trade == Trade::Text && (lower == u"mm" || lower == u"in" || lower == u"inch" ||
                                           lower == u"\"" || lower == u"″"))) {
            value += unit.trade == Trade::Inch ? u"in" : lower;
            at += 1;
        }
    }
    return value;
}

// A wire or a depth, as a drill is read; no sign, no diameter mark before.
std::optional<Drill> benchLength(std::u16string_view value) {
    if (!isDigit(value.front()) && value.front() != u'.')
        return std::nullopt;
    return readDrill(value);
}

// Whole degrees, "140" or "140°".
std::optional<int> readDegrees(std::u16string_view value) {
    if (value.ends_with(u'°'))
        value.remove_suffix(1);
    if (value.empty() || value.size() > kMaxDigits ||
        !std::all_of(value.begin(), value.end(), isDigit))
        return std::nullopt;
    return static_cast<int>(digitsValue(value));
}

// Takes the bench's and the drawing's words out of the pieces, wherever they
// stand. None where a value comes twice.
std::optional<Bench> benchWords(const std::vector<Piece>& pieces) {
    Bench bench;
    const auto flag = [&bench](BenchProblem problem) {
        if (bench.problem == BenchProblem::None)
            bench.problem = problem;
    };
    const auto pointAngle = [&](std::u16string_view value) {
        if (bench.point)
            return false;
        bench.asked = true;
        bench.point = readDegrees(value);
        if (!bench.point)
            flag(BenchProblem::PointUnread);
        return true;
    };
    for (std::size_t i = 0; i < pieces.size(); ++i) {
        const Piece& piece = pieces[i];
        switch (piece.trade) {
        case Trade::Wire:
        case Trade::Depth: {
            const bool wire = piece.trade == Trade::Wire;
            bench.threeWires = bench.threeWires || wire;
            bench.asked = bench.asked || wire;
            const std::u16string value = valueAfter(pieces, i);
            if (value.empty())
                break;
            std::optional<Drill>& length = wire ? bench.wire : bench.depth;
            if (length)
                return std::nullopt;
            bench.asked = true;
            length = benchLength(value);
            if (!length)
                flag(wire ? BenchProblem::WireUnread : BenchProblem::DepthUnread);
            break;
        }
        case Trade::Point: {
            const std::u16string value = valueAfter(pieces, i);
            if (!value.empty() && !pointAngle(value))
                return std::nullopt;
            if (i + 1 < pieces.size() && pieces[i + 1].trade == Trade::Degree)
                ++i;
            break;
        }
        case Trade::Degree: // 度 with no number before it
            return std::nullopt;
        case Trade::Chamfer:
            if (std::find(bench.chamfers.begin(), bench.chamfers.end(), piece.chamfer) ==
                bench.chamfers.end())
                bench.chamfers.push_back(piece.chamfer);
            break;
        default:
            // "140°", "140度": the point, wherever it stands.
            if (piece.trade == Trade::Text &&
                (piece.text.ends_with(u'°') ||
                 (i + 1 < pieces.size() && pieces[i + 1].trade == Trade::Degree))) {
                if (!pointAngle(piece.text))
                    return std::nullopt;
                i += piece.text.ends_with(u'°') ? 0 : 1;
                break;
            }
            bench.rest.push_back(piece);
        }
    }
    return bench;
}

} // namespace

Query readQuery(std::u16string_view typed, const KnownThread& known) {
    const Words words = split(typed);
    if (words.pieces.empty())
        return {};
    std::optional<Bench> bench = benchWords(words.pieces);
    if (!bench)
        return {};
    std::optional<Query> read = threadOrDrill(bench->rest, known);
    // Words besides the bench's that read as nothing ("M8 山田 深さ 16") ask
    // nothing, or a measurement, to which the bench's are unknown words.
    const bool others = std::any_of(bench->rest.begin(), bench->rest.end(),
                                    [](const Piece& piece) { return piece.trade == Trade::Text; });
    if (!read && (!bench->asked || others)) {
        Query query;
        query.measurement = measurement(words.pieces);
        return query;
    }
    Query query = read ? std::move(*read) : Query{};
    query.threeWires = bench->threeWires;
    if (bench->wire) {
        query.wire = bench->wire->millimetres;
        query.wireInches = bench->wire->inches;
    }
    if (bench->depth) {
        query.threadDepth = bench->depth->millimetres;
        query.threadDepthInches = bench->depth->inches;
    }
    query.pointAngle = bench->point;
    query.chamfers = std::move(bench->chamfers);
    query.benchProblem = bench->asked && !query.thread ? BenchProblem::NoThread : bench->problem;
    return query;
}

} // namespace vornel::threads
