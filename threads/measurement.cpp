#include "threads/measurement.h"

#include "threads/normalized_text.h"

#include <algorithm>
#include <iterator>
#include <vector>

namespace vornel::threads {
namespace {

using Kind = MeasurementWord;
using Token = MeasurementToken;

struct Word {
    std::u16string_view text;
    Kind kind;
    bool strong; // says by itself that the query is a measurement
};

// The letters a measurement is written with, each matched whole.
constexpr Word kLatinWords[] = {
    {u"od", Kind::Major, true},  {u"id", Kind::Minor, true},       {u"pitch", Kind::Pitch, true},
    {u"tpi", Kind::Count, true}, {u"mm", Kind::Millimetre, false}, {u"inch", Kind::Inch, false},
    {u"in", Kind::Inch, false},  {u"p", Kind::Pitch, false},
};

using Fault = MeasurementFault;

// A number of a reading: its value, exactly, or why it is none.
struct Number {
    Rational value;
    Fault fault = Fault::None;
};

// Numbers longer than this are no reading of a caliper or a gauge.
constexpr std::size_t kMostWholeDigits = 7;
constexpr std::size_t kMostDecimals = 6;

Number readNumber(std::u16string_view text) {
    if (text.starts_with(u'-'))
        return {{}, Fault::NotPositive};
    if (text.starts_with(u'+'))
        text.remove_prefix(1);
    const std::size_t point = text.find(u'.');
    const std::u16string_view whole = text.substr(0, point);
    const std::u16string_view fraction =
        point == std::u16string_view::npos ? std::u16string_view{} : text.substr(point + 1);
    const auto first = whole.find_first_not_of(u'0');
    if (first != std::u16string_view::npos && whole.size() - first > kMostWholeDigits)
        return {{}, Fault::TooManyDigits};
    if (fraction.size() > kMostDecimals)
        return {{}, Fault::TooManyDecimals};
    std::int64_t num = 0, den = 1;
    for (char16_t c : whole)
        num = num * 10 + (c - u'0');
    for (char16_t c : fraction) {
        num = num * 10 + (c - u'0');
        den *= 10;
    }
    if (num == 0)
        return {{}, Fault::Zero};
    return {reduced(num, den)};
}

class Reader {
public:
    explicit Reader(std::vector<Token> tokens)
        : tokens_(std::move(tokens)) {}

    MeasurementReading read() {
        while (at_ < tokens_.size() && !problem_) {
            const Token& token = tokens_[at_++];
            switch (token.kind) {
            case Kind::Major:
            case Kind::Minor:
                diameter(token.kind == Kind::Major ? MeasuredDiameter::Major
                                                   : MeasuredDiameter::Minor);
                break;
            case Kind::Pitch:
                pitch();
                break;
            case Kind::Count: // "tpi 16"
                if (const std::optional<Token> number = take(Kind::Number))
                    count(*number);
                else
                    fail(Fault::NoValue, Kind::Count);
                break;
            case Kind::Number:
                if (next(Kind::Count)) {
                    ++at_;
                    count(token);
                } else {
                    fail(Fault::NotAValue, Kind::Unknown, token.text);
                }
                break;
            case Kind::Millimetre:
            case Kind::Inch:
            case Kind::Unknown:
                fail(Fault::UnknownWord, Kind::Unknown, token.text);
                break;
            }
        }
        if (problem_)
            return {{}, problem_};
        return {reading_, {}};
    }

private:
    bool next(Kind kind) const { return at_ < tokens_.size() && tokens_[at_].kind == kind; }

    void fail(Fault fault, Kind value, std::u16string_view word = {}) {
        problem_ = {fault, value, std::u16string(word)};
    }

    std::optional<Token> take(Kind kind) {
        if (!next(kind))
            return std::nullopt;
        return tokens_[at_++];
    }

    void diameter(MeasuredDiameter which) {
        const Kind name = which == MeasuredDiameter::Major ? Kind::Major : Kind::Minor;
        if (reading_.hasDiameter()) {
            fail(Fault::TwoDiameters, name);
            return;
        }
        const std::optional<Token> token = take(Kind::Number);
        if (!token) {
            fail(Fault::NoValue, name);
            return;
        }
        const Number number = readNumber(token->text);
        if (number.fault != Fault::None) {
            fail(number.fault, name);
            return;
        }
        // A number that starts with its point is in inches, as machinists
        // write them; a unit after it says which.
        bool inch = token->text.front() == u'.';
        if (take(Kind::Inch))
            inch = true;
        else if (take(Kind::Millimetre))
            inch = false;
        Rational mm = number.value;
        if (inch) {
            reading_.inches = millionthsOf(number.value);
            mm = multiplied(number.value, kInchMillimetres);
        }
        reading_.millimetres = millionthsOf(mm);
        if (reading_.millimetres > kLargestMeasuredDiameter) {
            fail(Fault::PastLargest, name);
            return;
        }
        reading_.diameter = which;
    }

    void pitch() {
        const std::optional<Token> token = take(Kind::Number);
        if (!token) {
            fail(Fault::NoValue, Kind::Pitch);
            return;
        }
        if (take(Kind::Count)) { // "ピッチ 16山"
            count(*token);
            return;
        }
        take(Kind::Millimetre);
        if (reading_.hasPitch()) {
            fail(Fault::TwoPitches, Kind::Pitch);
            return;
        }
        Number number = readNumber(token->text);
        if (number.fault == Fault::None && millionthsOf(number.value) > kLargestMeasuredPitch)
            number.fault = Fault::PastLargest;
        if (number.fault != Fault::None) {
            fail(number.fault, Kind::Pitch);
            return;
        }
        reading_.pitch = number.value;
    }

    void count(const Token& token) {
        if (reading_.hasPitch()) {
            fail(Fault::TwoPitches, Kind::Pitch);
            return;
        }
        Number number = readNumber(token.text);
        if (number.fault == Fault::None && number.value > Rational{kMostThreadsPerInch, 1})
            number.fault = Fault::PastLargest;
        // Bounded as a pitch is: fewer than 1.27 per inch is a pitch past 20 mm.
        if (number.fault == Fault::None &&
            millionthsOf(inchOver(number.value)) > kLargestMeasuredPitch)
            number.fault = Fault::TooFewPerInch;
        if (number.fault != Fault::None) {
            fail(number.fault, Kind::Count);
            return;
        }
        reading_.threadsPerInch = number.value;
        reading_.pitch = inchOver(number.value);
    }

    std::vector<Token> tokens_;
    std::size_t at_ = 0;
    Measurement reading_;
    MeasurementProblem problem_;
};

} // namespace

void measurementTokens(std::u16string_view text, std::vector<Token>& tokens, bool& strong) {
    std::size_t at = 0;
    while (at < text.size()) {
        const std::u16string_view rest = text.substr(at);
        const char16_t c = rest.front();
        if (c == u':' || c == u'=') {
            ++at;
            continue;
        }
        if (isLatinLetter(c)) {
            std::size_t end = at;
            while (end < text.size() && isLatinLetter(text[end]))
                ++end;
            const std::u16string_view letters = text.substr(at, end - at);
            const auto known = std::find_if(std::begin(kLatinWords), std::end(kLatinWords),
                                            [letters](const Word& w) { return w.text == letters; });
            tokens.push_back(
                {known == std::end(kLatinWords) ? Kind::Unknown : known->kind, letters});
            strong = strong || (known != std::end(kLatinWords) && known->strong);
            at = end;
            continue;
        }
        // "″" is two primes after NFKC.
        const std::size_t mark = rest.starts_with(u'"') ? 1 : rest.starts_with(u"′′") ? 2 : 0;
        if (mark > 0) {
            tokens.push_back({Kind::Inch, rest.substr(0, mark)});
            at += mark;
            continue;
        }
        // A number: a sign, digits with at most one decimal point.
        std::size_t end = at;
        if (c == u'-' || c == u'+')
            ++end;
        bool digits = false, point = false;
        for (; end < text.size(); ++end) {
            if (isDigit(text[end]))
                digits = true;
            else if (text[end] == u'.' && !point)
                point = true;
            else
                break;
        }
        if (!digits) {
            tokens.push_back({Kind::Unknown, rest.substr(0, 1)});
            ++at;
            continue;
        }
        tokens.push_back({Kind::Number, text.substr(at, end - at)});
        at = end;
    }
}

MeasurementReading readMeasurement(std::vector<Token> tokens) {
    return Reader(std::move(tokens)).read();
}

} // namespace vornel::threads
