#include "threads/designation.h"

#include <QString>
#include <algorithm>
#include <cmath>

namespace vornel::threads {
namespace {

// Numbers longer than this are no size, count or drill of any thread; the
// limit keeps every product below 2^63.
constexpr std::size_t kMaxDigits = 9;

bool isDigit(char16_t c) {
    return c >= u'0' && c <= u'9';
}

std::int64_t value(std::u16string_view digits) {
    std::int64_t v = 0;
    for (char16_t c : digits)
        v = v * 10 + (c - u'0');
    return v;
}

class Cursor {
public:
    explicit Cursor(std::u16string_view text)
        : text_(text) {}

    bool atEnd() const { return at_ == text_.size(); }
    char16_t peek() const { return atEnd() ? char16_t{} : text_[at_]; }
    std::u16string_view rest() const { return text_.substr(at_); }
    std::size_t at() const { return at_; }
    void rewind(std::size_t at) { at_ = at; }

    bool take(std::u16string_view word) {
        if (!rest().starts_with(word))
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

// A number of a designation: "8", "1.25", "1/4", "11/4" (1¼), "111/2" (11½).
struct NumberToken {
    std::vector<Rational> readings;
    std::optional<std::int64_t> integer;    // it is a whole number
    std::optional<Rational> properFraction; // it is a fraction below one
    WrittenUnit unit = WrittenUnit::Either; // a fraction: inches; a decimal point: millimetres
};

std::optional<NumberToken> numberToken(Cursor& cursor) {
    const std::u16string_view whole = cursor.digits();
    if (whole.empty() || whole.size() > kMaxDigits)
        return std::nullopt;
    NumberToken token;
    const std::int64_t n = value(whole);
    if (cursor.take(u"/")) {
        const std::u16string_view denominator = cursor.digits();
        if (denominator.empty() || denominator.size() > kMaxDigits)
            return std::nullopt;
        const std::int64_t d = value(denominator);
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
            const std::int64_t k = value(numerator);
            if (whole.front() == u'0' || numerator.front() == u'0' || k >= d)
                continue;
            token.readings.push_back(reduced(value(whole.substr(0, split)) * d + k, d));
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
        token.readings.push_back(reduced(n * den + value(fraction), den));
        token.unit = WrittenUnit::Millimetre;
        return token;
    }
    token.integer = n;
    token.readings.push_back({n, 1});
    return token;
}

// A number, and a whole number followed by "-" and a fraction below one as
// one mixed number: "1-1/4" is 1¼.
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

struct Prefix {
    std::u16string_view text;
    Families families;
    bool numbered = false;
};

constexpr Families kRc = bit(Family::PipeRc);
constexpr Families kRp = bit(Family::PipeRp);
constexpr Families kG = bit(Family::PipeG);
constexpr Families kNpt = bit(Family::Npt);
constexpr Families kNps = bit(Family::Nps);
constexpr Families kUnified = bit(Family::Unified);

// Longer prefixes before those they begin with. "R" is the external taper
// thread, whose internal thread is Rc; "BSPT" is the trade's name for it, and
// "BSPP" and "BSP" for the parallel thread G.
constexpr Prefix kPrefixes[] = {
    {u"no.", kUnified, true},
    {u"no", kUnified, true},
    {u"#", kUnified, true},
    {u"npt", kNpt},
    {u"nps", kNps},
    {u"bspt", kRc},
    {u"bspp", kG},
    {u"bsp", kG},
    {u"rc", kRc},
    {u"pt", kRc},
    {u"rp", kRp},
    {u"ps", kRp},
    {u"r", kRc},
    {u"g(pf)", kG},
    {u"pf", kG},
    {u"g", kG},
    {u"m", bit(Family::IsoMetric)},
    {u"w", bit(Family::Whitworth)},
};

// The families that the trade also writes after the size: "1/2NPT",
// "1/2-14 NPT", "1/4 BSPP".
constexpr Prefix kFamiliesAfter[] = {
    {u"npt", kNpt}, {u"nps", kNps}, {u"bspt", kRc}, {u"bspp", kG}, {u"bsp", kG},
    {u"rc", kRc},   {u"pt", kRc},   {u"rp", kRp},   {u"ps", kRp},  {u"pf", kG},
};

constexpr std::u16string_view kSeries[] = {u"unef", u"unc", u"unf", u"uns", u"un"};

// One tolerance class "6h", "7g", "2b", or two where the first is the pitch
// diameter's ("5h6h"), at the end of `text`, after an optional "-". Returns
// its length and the minor diameter's class.
std::size_t toleranceClassAtEnd(std::u16string_view text, std::optional<ToleranceClass>* found) {
    std::size_t length = 0;
    std::optional<ToleranceClass> last;
    for (int part = 0; part < 2; ++part) {
        const std::size_t at = text.size() - length;
        if (at < 2 || !isDigit(text[at - 2]) || (at >= 3 && isDigit(text[at - 3])))
            break;
        const char16_t position = text[at - 1];
        if (position != u'h' && position != u'g' && position != u'b')
            break;
        if (!last)
            last = ToleranceClass{text[at - 2] - u'0', static_cast<char16_t>(position - 0x20)};
        length += 2;
    }
    if (length && length < text.size() && text[text.size() - length - 1] == u'-')
        ++length;
    if (found)
        *found = last;
    return length;
}

std::optional<Designation> readWithoutClass(std::u16string_view text) {
    Cursor cursor(text);
    Designation designation;
    for (const Prefix& prefix : kPrefixes) {
        if (cursor.take(prefix.text)) {
            designation.families = prefix.families;
            designation.prefixed = true;
            designation.numbered = prefix.numbered;
            break;
        }
    }
    std::optional<NumberToken> size = mixedNumber(cursor);
    if (!size)
        return std::nullopt;
    designation.sizes = std::move(size->readings);
    designation.unit = designation.numbered ? WrittenUnit::Inch : size->unit;
    if (takeInchMark(cursor)) {
        // "0.375in" is a drill: the trade writes no thread's size so.
        if (size->unit == WrittenUnit::Millimetre)
            return std::nullopt;
        designation.unit = WrittenUnit::Inch;
    }
    // "x1.25", "-20", and the catalogues' "xp1.25" and "p1.25".
    const bool separated = cursor.take(u"x") || cursor.take(u"-");
    designation.pitchMarked = cursor.take(u"p");
    if (separated || designation.pitchMarked) {
        // A separator at the end is a query still being typed.
        if (!cursor.atEnd() && isDigit(cursor.peek())) {
            std::optional<NumberToken> counts = mixedNumber(cursor);
            if (!counts)
                return std::nullopt;
            designation.counts = std::move(counts->readings);
        } else if (designation.pitchMarked) {
            return std::nullopt;
        }
    }
    for (std::u16string_view series : kSeries) {
        if (cursor.take(series)) {
            designation.series = series;
            designation.families &= kUnified;
            break;
        }
    }
    for (const Prefix& family : kFamiliesAfter) {
        if (cursor.take(family.text)) {
            designation.families &= family.families;
            break;
        }
    }
    if (!cursor.atEnd())
        return std::nullopt;
    return designation;
}

bool contains(const std::vector<Rational>& readings, Rational value) {
    return std::find(readings.begin(), readings.end(), value) != readings.end();
}

} // namespace

std::u16string normalizedText(std::u16string_view text) {
    const QString folded = QString::fromUtf16(text.data(), static_cast<qsizetype>(text.size()))
                               .normalized(QString::NormalizationForm_KC)
                               .toCaseFolded();
    std::u16string out;
    out.reserve(static_cast<std::size_t>(folded.size()));
    for (const QChar ch : folded) {
        char16_t c = ch.unicode();
        switch (c) {
        // Nothing to read: "※", and what a paste brings along unseen (zero
        // width spaces and joiners, the word joiner, the byte order mark).
        case u'※':
        case u'\u200b':
        case u'\u200c':
        case u'\u200d':
        case u'\u2060':
        case u'\ufeff':
            continue;
        case u'×':
        case u'*':
        case u'✕':
        case u'✖':
            c = u'x';
            break;
        // Hyphens, dashes and minus signs, and the long-vowel mark that the
        // hyphen key gives with the input method on.
        case u'‐':
        case u'‑':
        case u'‒':
        case u'–':
        case u'—':
        case u'―':
        case u'−':
        case u'ー':
            c = u'-';
            break;
        // NFKC writes "½" as "1⁄2".
        case u'⁄':
            c = u'/';
            break;
        // The marks of a diameter: φ, ϕ, ø (Ø folded), ⌀, and the empty-set
        // sign that catalogues print for it.
        case u'ϕ':
        case u'ø':
        case u'⌀':
        case u'∅':
            c = u'φ';
            break;
        default:
            if (ch.isSpace())
                continue;
        }
        out.push_back(c);
    }
    return out;
}

std::optional<Designation> readDesignation(std::u16string_view text) {
    if (std::optional<Designation> designation = readWithoutClass(text))
        return designation;
    // "M8x1.25-6h", "1/4-20unc-2b", "m6x1-6g", "m8x1.25-5h6h".
    std::optional<ToleranceClass> toleranceClass;
    const std::size_t length = toleranceClassAtEnd(text, &toleranceClass);
    if (length == 0 || length == text.size())
        return std::nullopt;
    std::optional<Designation> designation = readWithoutClass(text.substr(0, text.size() - length));
    if (designation)
        designation->toleranceClass = toleranceClass;
    return designation;
}

std::optional<Thread> readChartThread(std::u16string_view text, const ThreadForm& form,
                                      std::optional<Millionths> minorMinimum) {
    const std::optional<Designation> designation = readDesignation(normalizedText(text));
    if (!designation || designation->counts.empty())
        return std::nullopt;
    std::optional<Thread> best;
    double bestError = 0;
    for (const Rational& size : designation->sizes) {
        for (const Rational& count : designation->counts) {
            if (count.num <= 0 || (size.num <= 0 && !designation->numbered))
                continue;
            Thread thread = makeThread(form, designation->numbered, size, count);
            thread.series = designation->series;
            for (char16_t& c : thread.series)
                c = static_cast<char16_t>(c - 0x20);
            thread.toleranceClass = designation->toleranceClass;
            // British parallel pipe: D is the basic minor diameter plus 2 × H1.
            if (form.family == Family::PipeG && minorMinimum) {
                if (const std::optional<Rational> h = heightOfEngagement(thread))
                    thread.major =
                        reduced(*minorMinimum * h->den + 2 * h->num * kMillion, h->den * kMillion);
            }
            const std::optional<Rational> minor = basicMinor(thread);
            const double error =
                minor && minorMinimum
                    ? std::abs(static_cast<double>(minor->num) / static_cast<double>(minor->den) -
                               static_cast<double>(*minorMinimum) / kMillion)
                    : 0;
            if (!best || error < bestError) {
                best = std::move(thread);
                bestError = error;
            }
        }
    }
    return best;
}

bool names(const Designation& query, const Thread& thread, SizeUnit sizeUnit) {
    if (query.families != kAnyFamily && !(query.families & bit(thread.family)))
        return false;
    // An inch size never names a metric thread, nor a millimetre one an inch
    // thread: "21/2" is 2½ inches, not M2.5, and "2.5" not 2½.
    if (query.unit == WrittenUnit::Inch && sizeUnit != SizeUnit::Inch)
        return false;
    if (query.unit == WrittenUnit::Millimetre && sizeUnit != SizeUnit::Millimetre)
        return false;
    // A bare number is a millimetre or inch size; it names a numbered unified
    // size only with its thread count or series ("10-24").
    if (thread.numbered != query.numbered &&
        (query.numbered || query.prefixed || (query.counts.empty() && query.series.empty())))
        return false;
    if (!contains(query.sizes, thread.size))
        return false;
    if (!query.counts.empty() && !contains(query.counts, thread.count))
        return false;
    if (query.series.empty())
        return true;
    std::u16string series = query.series;
    for (char16_t& c : series)
        c = static_cast<char16_t>(c - 0x20);
    return series == thread.series;
}

std::optional<Millionths> readLength(std::u16string_view text) {
    Cursor cursor(text);
    const std::u16string_view whole = cursor.digits();
    std::u16string_view fraction;
    if (cursor.take(u"."))
        fraction = cursor.digits();
    if (!cursor.atEnd() || (whole.empty() && fraction.empty()) || whole.size() > 6)
        return std::nullopt;
    Millionths millionths = value(whole) * kMillion;
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

std::optional<Drill> readDrill(std::u16string_view text) {
    Cursor cursor(text);
    const bool diameter = cursor.take(u"φ");
    const std::size_t begin = cursor.at();
    cursor.digits();
    if (cursor.take(u"."))
        cursor.digits();
    const std::u16string_view number = text.substr(begin, cursor.at() - begin);
    const std::optional<Millionths> length = readLength(number);
    if (!length || *length == 0)
        return std::nullopt;
    if (!diameter)
        cursor.take(u"φ");
    bool inch = false;
    if (!cursor.take(u"mm"))
        inch = takeInchMark(cursor) || (cursor.atEnd() && number.front() == u'.');
    if (!cursor.atEnd())
        return std::nullopt;
    if (!inch)
        return Drill{*length, std::nullopt};
    // 25.4 mm to the inch: 127/5.
    return Drill{(*length * 127 + 2) / 5, *length};
}

} // namespace vornel::threads
