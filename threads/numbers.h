#pragma once

#include "threads/normalized_text.h"
#include "threads/thread.h"

#include <algorithm>
#include <optional>
#include <string_view>
#include <vector>

namespace vornel::threads {

// Numbers longer than this are no size, count or drill of any thread; the
// limit keeps every product below 2^63.
inline constexpr std::size_t kMaxDigits = 9;

// The value of a run of decimal digits.
std::int64_t digitsValue(std::u16string_view digits);

// A place in normalised text, read forwards.
class Cursor {
public:
    explicit Cursor(std::u16string_view text)
        : text_(text) {}

    bool atEnd() const { return at_ == text_.size(); }
    char16_t peek() const { return atEnd() ? char16_t{} : text_[at_]; }
    std::u16string_view rest() const { return text_.substr(at_); }
    std::size_t at() const { return at_; }
    void rewind(std::size_t at) { at_ = at; }

    // Takes `word`, written in lower case, in either case.
    bool take(std::u16string_view word) {
        const std::u16string_view next = rest().substr(0, word.size());
        if (next.size() != word.size() ||
            !std::equal(next.begin(), next.end(), word.begin(),
                        [](char16_t a, char16_t b) { return lowerLatin(a) == b; }))
            return false;
        at_ += word.size();
        return true;
    }

    std::u16string_view digits() {
        const std::size_t begin = at_;
        while (!atEnd() && isDigit(text_[at_]))
            ++at_;
        return text_.substr(begin, at_ - begin);
    }

private:
    std::u16string_view text_;
    std::size_t at_ = 0;
};

// The unit that a size is written in, as far as the writing tells. A
// fraction, a mixed number, a numbered size or an inch mark says inches; a
// decimal point says millimetres; a whole number may be either.
enum class WrittenUnit { Either, Inch, Millimetre };

// A number of a designation: "8", "1.25", "1/4", "11/4" (1¼), "111/2" (11½).
struct NumberToken {
    std::vector<Rational> readings;
    std::optional<std::int64_t> integer;    // it is a whole number
    std::optional<Rational> properFraction; // it is a fraction below one
    WrittenUnit unit = WrittenUnit::Either; // a fraction: inches; a decimal point: millimetres
};
std::optional<NumberToken> numberToken(Cursor& cursor);

// A number, and a whole number followed by "-" and a fraction below one as
// one mixed number: "1-1/4" is 1¼.
std::optional<NumberToken> mixedNumber(Cursor& cursor);

// Takes a mark that says a number is in inches: "in", "inch", "″", "\"".
bool takeInchMark(Cursor& cursor);

// A length as the charts and a drill query write it, "6.8", ".375":
// millionths of its unit, rounded half up at the sixth decimal. None for
// anything else or more than six whole digits.
std::optional<Millionths> readLength(std::u16string_view text);

} // namespace vornel::threads
