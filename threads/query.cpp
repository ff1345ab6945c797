#include "threads/query.h"

#include "threads/normalized_text.h"

#include <QChar>
#include <algorithm>
#include <string>
#include <vector>

namespace vornel::threads {
namespace {

bool hasDigit(std::u16string_view word) {
    return std::any_of(word.begin(), word.end(), isDigit);
}

// The words of a query, each normalised; words that normalise to nothing
// (a lone "※") are left out.
std::vector<std::u16string> words(std::u16string_view typed) {
    std::vector<std::u16string> out;
    std::size_t begin = 0;
    for (std::size_t i = 0; i <= typed.size(); ++i) {
        if (i < typed.size() && !QChar(typed[i]).isSpace())
            continue;
        if (i > begin) {
            std::u16string word = normalizedText(typed.substr(begin, i - begin));
            if (!word.empty())
                out.push_back(std::move(word));
        }
        begin = i + 1;
    }
    return out;
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
        std::optional<Designation> thread = readDesignation(word.substr(0, mark));
        std::optional<Drill> drill = readDrill(word.substr(mark));
        if (thread && drill)
            return {std::move(thread), drill, true};
    }
    return query;
}

} // namespace

Query readQuery(std::u16string_view typed, const KnownThread& known) {
    const std::vector<std::u16string> parts = joined(words(typed));
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

} // namespace vornel::threads
