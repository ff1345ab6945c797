#include "threads/tolerance_class.h"

#include "threads/normalized_text.h"

namespace vornel::threads {
namespace {

// A class at the front of `text`: a digit and a letter other than "x",
// which is the pitch's "×".
std::optional<ToleranceClass> classAt(std::u16string_view text) {
    if (text.size() < 2 || !isDigit(text[0]) || !isLatinLetter(text[1]))
        return std::nullopt;
    const char16_t letter = lowerLatin(text[1]);
    if (letter == u'x')
        return std::nullopt;
    ToleranceClass c{text[0] - u'0', static_cast<char16_t>(letter - (u'a' - u'A'))};
    // ASME's letters say whose a class is, in either case; ISO's case does.
    c.external = letter == u'a' || (letter != u'b' && text[1] == letter);
    return c;
}

// One thread's class: "6H", or the pitch diameter's and the crest's, "5H6H";
// with `pipeClasses`, ISO 228-1's "A" or "B" too.
std::optional<ThreadClass> threadClass(std::u16string_view text, bool pipeClasses) {
    if (pipeClasses && text.size() == 1 &&
        (lowerLatin(text[0]) == u'a' || lowerLatin(text[0]) == u'b')) {
        const ToleranceClass c{0, static_cast<char16_t>(lowerLatin(text[0]) - (u'a' - u'A')), true};
        return ThreadClass{c, c};
    }
    const std::optional<ToleranceClass> first = classAt(text);
    if (!first || (text.size() != 2 && text.size() != 4))
        return std::nullopt;
    if (text.size() == 2)
        return ThreadClass{*first, *first};
    const std::optional<ToleranceClass> crest = classAt(text.substr(2));
    if (!crest || crest->external != first->external)
        return std::nullopt;
    return ThreadClass{*first, *crest};
}

} // namespace

std::optional<ToleranceClasses> readToleranceClasses(std::u16string_view text, bool pipeClasses) {
    const std::size_t slash = text.find(u'/');
    const std::optional<ThreadClass> first = threadClass(text.substr(0, slash), pipeClasses);
    if (!first)
        return std::nullopt;
    ToleranceClasses classes;
    (first->crest.external ? classes.external : classes.internal) = first;
    if (slash == std::u16string_view::npos)
        return classes;
    const std::optional<ThreadClass> second = threadClass(text.substr(slash + 1), pipeClasses);
    if (!second || second->crest.external == first->crest.external)
        return std::nullopt;
    (second->crest.external ? classes.external : classes.internal) = second;
    classes.externalFirst = first->crest.external;
    return classes;
}

bool writtenAsClasses(std::u16string_view text) {
    std::size_t i = 0;
    for (;;) {
        // A group: digits and a letter, once or more.
        do {
            const std::size_t digits = i;
            while (i < text.size() && isDigit(text[i]))
                ++i;
            if (i == digits || i == text.size() || !isLatinLetter(text[i]))
                return false;
            ++i;
        } while (i < text.size() && isDigit(text[i]));
        if (i == text.size())
            return true;
        if (text[i] != u'/' && text[i] != u'-')
            return false;
        ++i;
    }
}

} // namespace vornel::threads
