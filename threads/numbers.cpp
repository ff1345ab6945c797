#include "threads/numbers.h"

#include <algorithm>
#include <iterator>

namespace vornel::threads {

std::int64_t digitsValue(std::u16string_view digits) {
    std::int64_t v = 0;
    for (char16_t c : digits)
        v = v * 10 + (c - u'0');
    return v;
}

std::optional<NumberToken> numberToken(Cursor& cursor) {
    const std::u16string_view whole = cursor.digits();
    if (whole.empty() || whole.size() > kMaxDigits)
        return std::nullopt;
    NumberToken token;
    const std::int64_t n = digitsValue(whole);
    if (cursor.take(u"/")) {
        const std::u16string_view denominator = cursor.digits();
        if (denominator.empty() || denominator.size() > kMaxDigits)
            return std::nullopt;
        const std::int64_t d = digitsValue(denominator);
        if (d == 0)
            return std::nullopt;
        token.unit = WrittenUnit::Inch;
        if (n > 0 && n < d) {
            token.properFraction = reduced(n, d);
            token.readings.push_back(*token.properFraction);
        }
        // The whole number written directly before the fraction.
        for (std::size_t split = 1; split < whole.size(); ++split) {
            const std::u16string_view numerator = whole.substr(split);
            const std::int64_t k = digitsValue(numerator);
            if (whole.front() == u'0' || numerator.front() == u'0' || k >= d)
                continue;
            token.readings.push_back(reduced(digitsValue(whole.substr(0, split)) * d + k, d));
        }
        if (token.readings.empty() && n > 0)
            token.readings.push_back(reduced(n, d));
        if (token.readings.empty())
            return std::nullopt;
        return token;
    }
    if (cursor.peek() == u'.') {
        cursor.take(u".");
        const std::u16string_view fraction = cursor.digits();
        if (whole.size() + fraction.size() > kMaxDigits)
            return std::nullopt;
        std::int64_t den = 1;
        for (std::size_t i = 0; i < fraction.size(); ++i)
            den *= 10;
        token.readings.push_back(reduced(n * den + digitsValue(fraction), den));
        token.unit = WrittenUnit::Millimetre;
        return token;
    }
    token.integer = n;
    token.readings.push_back({n, 1});
    return token;
}

std::optional<NumberToken> mixedNumber(Cursor& cursor) {
    std::optional<NumberToken> token = numberToken(cursor);
    if (!token)
        return std::nullopt;
    if (token->integer && cursor.peek() == u'-') {
        const std::size_t back = cursor.at();
        cursor.take(u"-");
        const std::optional<NumberToken> fraction = numberToken(cursor);
        if (fraction && fraction->properFraction) {
            const Rational f = *fraction->properFraction;
            token->readings = {reduced(*token->integer * f.den + f.num, f.den)};
            token->unit = WrittenUnit::Inch;
            return token;
        }
        cursor.rewind(back);
    }
    return token;
}

// The marks that say a number is in inches, longer before those they begin
// with. NFKC writes "″" as two primes.
constexpr std::u16string_view kInchMarks[] = {u"inch", u"in", u"\"", u"′′", u"″"};

bool takeInchMark(Cursor& cursor) {
    return std::any_of(std::begin(kInchMarks), std::end(kInchMarks),
                       [&cursor](std::u16string_view mark) { return cursor.take(mark); });
}

std::optional<Millionths> readLength(std::u16string_view text) {
    Cursor cursor(text);
    const std::u16string_view whole = cursor.digits();
    std::u16string_view fraction;
    if (cursor.take(u"."))
        fraction = cursor.digits();
    if (!cursor.atEnd() || (whole.empty() && fraction.empty()) || whole.size() > 6)
        return std::nullopt;
    Millionths millionths = digitsValue(whole) * kMillion;
    Millionths scale = kMillion;
    for (std::size_t i = 0; i < fraction.size() && i < 7; ++i) {
        const int digit = fraction[i] - u'0';
        if (i == 6) {
            millionths += digit >= 5 ? 1 : 0;
            break;
        }
        scale /= 10;
        millionths += digit * scale;
    }
    return millionths;
}

} // namespace vornel::threads
