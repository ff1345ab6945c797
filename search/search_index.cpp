#include "search/search_index.h"

#include "chart_model/chart_fields.h"

#include <QString>
#include <algorithm>
#include <numeric>
#include <optional>

namespace vornel::search {

// A fraction in lowest terms, so that equal values compare equal.
struct Rational {
    std::int64_t num = 0;
    std::int64_t den = 1;
    friend bool operator==(const Rational&, const Rational&) = default;
};

// The thread families that a prefix or a series names, as bits.
enum Family : unsigned {
    Metric = 1u << 0,    // "M": metric, insert metric and fluteless-tap charts
    Whitworth = 1u << 1, // "W"
    Unified = 1u << 2,   // "No.", "#" and the series suffixes
    PipeRc = 1u << 3,    // "Rc", "PT"
    PipeRp = 1u << 4,    // "Rp", "PS"
    PipeG = 1u << 5,     // "G", "PF"
    Npt = 1u << 6,
    Nps = 1u << 7,
    AnyFamily = ~0u,
};

// The unit that a size is written in. A fraction, a mixed number, a numbered
// size or an inch mark says inches; a decimal point says millimetres; a whole
// number may be either.
enum class SizeUnit { Either, Inch, Millimetre };

// A designation read from a chart's row or from a query. Sizes and thread
// counts are each a list of readings: "11/16" is eleven sixteenths, or one and
// one sixteenth as the charts write mixed numbers.
struct Designation {
    unsigned families = AnyFamily; // narrowed by a prefix, a series or a family after the size
    bool prefixed = false;
    SizeUnit unit = SizeUnit::Either;
    bool numbered = false; // "No. 10"
    std::vector<Rational> sizes;
    std::vector<Rational> counts; // the pitch, or the threads per inch; empty: not given
    std::u16string series;        // "unc" ...; empty: not given
};

struct LimitPair {
    Limits limits = Limits::None;
    std::u16string_view minimum, maximum;
    std::optional<Millionths> min, max;
};

struct SearchIndex::Entry {
    SearchResult base; // the texts of the row, no match yet
    unsigned family = 0;
    SizeUnit unit = SizeUnit::Either; // of its chart's sizes: inches or millimetres
    std::optional<Designation> designation;
    std::optional<Millionths> drill, drillInch; // millionths of a mm, of an inch
    std::vector<LimitPair> limits;
};

namespace {

// Numbers longer than this are no size, count or drill of any chart; the
// limit keeps every product below 2^63.
constexpr std::size_t kMaxDigits = 9;
constexpr Millionths kMillion = 1'000'000;

Rational reduced(std::int64_t num, std::int64_t den) {
    const std::int64_t g = std::gcd(num, den);
    return g ? Rational{num / g, den / g} : Rational{num, den};
}

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
    std::size_t at() const { return at_; }
    void rewind(std::size_t at) { at_ = at; }

    bool take(std::u16string_view word) {
        if (!text_.substr(at_).starts_with(word))
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
    SizeUnit unit = SizeUnit::Either;       // a fraction: inches; a decimal point: millimetres
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
        token.unit = SizeUnit::Inch;
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
        token.unit = SizeUnit::Millimetre;
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
            token->unit = SizeUnit::Inch;
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
    unsigned families;
    bool numbered = false;
};

// Longer prefixes before those they begin with. "R" is the external taper
// thread, whose internal thread is Rc; "BSPT" is the trade's name for it, and
// "BSPP" and "BSP" for the parallel thread G.
constexpr Prefix kPrefixes[] = {
    {u"no.", Unified, true}, {u"no", Unified, true}, {u"#", Unified, true}, {u"npt", Npt},
    {u"nps", Nps},           {u"bspt", PipeRc},      {u"bspp", PipeG},      {u"bsp", PipeG},
    {u"rc", PipeRc},         {u"pt", PipeRc},        {u"rp", PipeRp},       {u"ps", PipeRp},
    {u"r", PipeRc},          {u"g(pf)", PipeG},      {u"pf", PipeG},        {u"g", PipeG},
    {u"m", Metric},          {u"w", Whitworth},
};

// The families that the trade also writes after the size: "1/2NPT",
// "1/2-14 NPT", "1/4 BSPP".
constexpr Prefix kFamiliesAfter[] = {
    {u"npt", Npt},   {u"nps", Nps},   {u"bspt", PipeRc}, {u"bspp", PipeG}, {u"bsp", PipeG},
    {u"rc", PipeRc}, {u"pt", PipeRc}, {u"rp", PipeRp},   {u"ps", PipeRp},  {u"pf", PipeG},
};

constexpr std::u16string_view kSeries[] = {u"unef", u"unc", u"unf", u"uns", u"un"};

// A tolerance class at the end of a designation: "6h", "-6h", "-2b", "4h5h".
// It says nothing about which row a designation names.
std::size_t toleranceClassLength(std::u16string_view text) {
    std::size_t length = 0;
    for (int part = 0; part < 2; ++part) {
        const std::size_t at = text.size() - length;
        if (at < 2 || !isDigit(text[at - 2]))
            break;
        const char16_t grade = text[at - 1];
        if (grade != u'h' && grade != u'g' && grade != u'b')
            break;
        length += 2;
    }
    if (length && length < text.size() && text[text.size() - length - 1] == u'-')
        ++length;
    return length;
}

// Reads a normalised designation:
//   [prefix] size [inch mark] [("x" | "-") count] [series] [family]
std::optional<Designation> readDesignation(std::u16string_view text) {
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
    designation.unit = designation.numbered ? SizeUnit::Inch : size->unit;
    if (takeInchMark(cursor)) {
        // "0.375in" is a drill: the trade writes no thread's size so.
        if (size->unit == SizeUnit::Millimetre)
            return std::nullopt;
        designation.unit = SizeUnit::Inch;
    }
    if (cursor.take(u"x") || cursor.take(u"-")) {
        // A separator at the end is a query still being typed.
        if (!cursor.atEnd() && isDigit(cursor.peek())) {
            std::optional<NumberToken> counts = mixedNumber(cursor);
            if (!counts)
                return std::nullopt;
            designation.counts = std::move(counts->readings);
        }
    }
    for (std::u16string_view series : kSeries) {
        if (cursor.take(series)) {
            designation.series = series;
            designation.families &= Unified;
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

// A designation, or one that a tolerance class follows ("M8x1.25-6H",
// "1/4-20UNC-2B").
std::optional<Designation> parseDesignation(std::u16string_view text) {
    if (std::optional<Designation> designation = readDesignation(text))
        return designation;
    const std::size_t tolerance = toleranceClassLength(text);
    if (tolerance == 0 || tolerance == text.size())
        return std::nullopt;
    return readDesignation(text.substr(0, text.size() - tolerance));
}

bool intersects(const std::vector<Rational>& a, const std::vector<Rational>& b) {
    return std::any_of(a.begin(), a.end(), [&b](const Rational& r) {
        return std::find(b.begin(), b.end(), r) != b.end();
    });
}

bool matches(const Designation& query, const Designation& row, unsigned rowFamily,
             SizeUnit rowUnit) {
    if (query.families != AnyFamily && !(query.families & rowFamily))
        return false;
    // An inch size never names a metric thread, nor a millimetre one an inch
    // thread: "21/2" is 2½ inches, not M2.5, and "2.5" not 2½.
    if (query.unit != SizeUnit::Either && query.unit != rowUnit)
        return false;
    // A bare number is a millimetre or inch size; it names a numbered unified
    // size only with its thread count or series ("10-24").
    if (row.numbered != query.numbered &&
        (query.numbered || query.prefixed || (query.counts.empty() && query.series.empty())))
        return false;
    if (!intersects(query.sizes, row.sizes))
        return false;
    if (!query.counts.empty() && !intersects(query.counts, row.counts))
        return false;
    return query.series.empty() || query.series == row.series;
}

// A length "6.8", ".375": millionths of its unit, rounded.
std::optional<Millionths> parseLength(Cursor& cursor, bool* leadingPoint = nullptr) {
    const std::u16string_view whole = cursor.digits();
    std::u16string_view fraction;
    const bool point = cursor.take(u".");
    if (point)
        fraction = cursor.digits();
    if ((whole.empty() && fraction.empty()) || whole.size() > 6)
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
    if (leadingPoint)
        *leadingPoint = whole.empty();
    return millionths;
}

std::optional<Millionths> parseLength(std::u16string_view text) {
    Cursor cursor(text);
    const std::optional<Millionths> length = parseLength(cursor);
    return cursor.atEnd() ? length : std::nullopt;
}

struct DrillQuery {
    Millionths millimetres = 0;
    std::optional<Millionths> inches; // as typed, where the query is in inches
};

// "6.8", "φ6.8", "6.8mm", "0.375in", ".375" (inches, as machinists write them).
// normalizedText() writes every drill mark as "φ".
std::optional<DrillQuery> parseDrill(std::u16string_view text) {
    Cursor cursor(text);
    const bool diameter = cursor.take(u"φ");
    bool leadingPoint = false;
    const std::optional<Millionths> length = parseLength(cursor, &leadingPoint);
    if (!length || *length == 0)
        return std::nullopt;
    if (!diameter)
        cursor.take(u"φ");
    bool inch = false;
    if (!cursor.take(u"mm"))
        inch = takeInchMark(cursor) || (cursor.atEnd() && leadingPoint);
    if (!cursor.atEnd())
        return std::nullopt;
    if (!inch)
        return DrillQuery{*length, std::nullopt};
    // 25.4 mm to the inch: 127/5.
    return DrillQuery{(*length * 127 + 2) / 5, *length};
}

// The family that a kind of thread belongs to, where its name says it.
unsigned familyOfKind(std::u16string_view kind) {
    if (kind.starts_with(u"NPT"))
        return Npt;
    if (kind.starts_with(u"NPS"))
        return Nps;
    if (kind.starts_with(u"Rc") || kind.starts_with(u"JIS B2301"))
        return PipeRc;
    if (kind.starts_with(u"Rp"))
        return PipeRp;
    return 0;
}

// A chart's family: the prefix of its first row, which the later rows leave
// out ("M", "W", "G", "No.").
unsigned familyOfChart(const ChartDefinition& chart) {
    if (chart.dataRows <= 0 || chart.columns.empty())
        return 0;
    const ChartLine first = chart.lines[static_cast<std::size_t>(chart.headingLines)];
    const std::optional<Designation> designation =
        parseDesignation(normalizedText(chartFields(first).front()));
    if (!designation || designation->families == AnyFamily)
        return 0;
    return designation->families;
}

std::vector<std::u16string_view> kindsOf(const ChartDefinition& chart) {
    std::vector<std::u16string_view> kinds;
    for (const ChartColumn& column : chart.columns) {
        if (!column.kind.empty() &&
            std::find(kinds.begin(), kinds.end(), column.kind) == kinds.end())
            kinds.push_back(column.kind);
    }
    if (kinds.empty())
        kinds.emplace_back();
    return kinds;
}

void addEntries(std::vector<SearchIndex::Entry>& entries, int position,
                const ChartDefinition& chart) {
    const unsigned chartFamily = familyOfChart(chart);
    const std::vector<std::u16string_view> kinds = kindsOf(chart);
    const std::size_t first = entries.size();
    for (int row = 0; row < chart.dataRows; ++row) {
        const int line = chart.headingLines + row;
        const std::vector<std::u16string_view> fields =
            chartFields(chart.lines[static_cast<std::size_t>(line)]);
        for (std::u16string_view kind : kinds) {
            SearchIndex::Entry entry;
            entry.base.position = position;
            entry.base.chart = &chart;
            entry.base.line = line;
            entry.base.kind = kind;
            const unsigned kindFamily = familyOfKind(kind);
            entry.family = kindFamily ? kindFamily : chartFamily;
            for (std::size_t i = 0; i < chart.columns.size() && i < fields.size(); ++i) {
                const ChartColumn& column = chart.columns[i];
                if (!column.kind.empty() && column.kind != kind)
                    continue;
                const std::u16string_view text = trimPadding(fields[i]);
                switch (column.role) {
                case ColumnRole::Designation:
                    entry.base.designation = text;
                    entry.designation = parseDesignation(normalizedText(text));
                    break;
                case ColumnRole::Drill:
                    if (isNoValue(text))
                        break;
                    (column.unit == Unit::Inch ? entry.base.drillInch : entry.base.drill) = text;
                    (column.unit == Unit::Inch ? entry.drillInch : entry.drill) = parseLength(text);
                    break;
                case ColumnRole::Minimum:
                case ColumnRole::Maximum: {
                    auto pair = std::find_if(
                        entry.limits.begin(), entry.limits.end(),
                        [&column](const LimitPair& p) { return p.limits == column.limits; });
                    if (pair == entry.limits.end()) {
                        entry.limits.emplace_back();
                        pair = std::prev(entry.limits.end());
                        pair->limits = column.limits;
                    }
                    const bool minimum = column.role == ColumnRole::Minimum;
                    (minimum ? pair->minimum : pair->maximum) = text;
                    (minimum ? pair->min : pair->max) = parseLength(text);
                    break;
                }
                case ColumnRole::TapClass:
                case ColumnRole::CalculatedHole:
                    break;
                }
            }
            if (!entry.limits.empty()) {
                entry.base.limits = entry.limits.front().limits;
                entry.base.minimum = entry.limits.front().minimum;
                entry.base.maximum = entry.limits.front().maximum;
            }
            entries.push_back(std::move(entry));
        }
    }
    // A chart's sizes are all in one unit: inches where any row says so ("W 1"
    // is an inch among "W 1/4" and "W 11/4"), millimetres where none does.
    const bool inch = std::any_of(entries.begin() + static_cast<std::ptrdiff_t>(first),
                                  entries.end(), [](const SearchIndex::Entry& e) {
                                      return e.designation && e.designation->unit == SizeUnit::Inch;
                                  });
    for (auto e = entries.begin() + static_cast<std::ptrdiff_t>(first); e != entries.end(); ++e)
        e->unit = inch ? SizeUnit::Inch : SizeUnit::Millimetre;
}

// Fills in how a drill query matches the row; false if it does not.
bool matchDrill(const DrillQuery& query, const SearchIndex::Entry& entry, SearchResult& result) {
    if (query.inches && entry.drillInch)
        result.drillMatch =
            *entry.drillInch == *query.inches ? DrillMatch::Drill : DrillMatch::None;
    else if (entry.drill && *entry.drill == query.millimetres)
        result.drillMatch = DrillMatch::Drill;
    const Millionths d = query.millimetres;
    // Where a row gives the pilot hole's limits (a forming tap's), the drill
    // must make that hole: the minor diameter beside them is what the tap
    // forms, and a drill of that size would be too small for it.
    const bool pilotHole =
        std::any_of(entry.limits.begin(), entry.limits.end(),
                    [](const LimitPair& p) { return p.limits == Limits::PilotHole; });
    for (const LimitPair& pair : entry.limits) {
        if (pilotHole && pair.limits != Limits::PilotHole)
            continue;
        if (pair.min && pair.max && *pair.min <= d && d <= *pair.max) {
            if (result.drillMatch == DrillMatch::None)
                result.drillMatch = DrillMatch::WithinLimits;
            result.withinLimits = true;
            result.aboveMinimum = d - *pair.min;
            result.belowMaximum = *pair.max - d;
            result.limits = pair.limits;
            result.minimum = pair.minimum;
            result.maximum = pair.maximum;
            break;
        }
    }
    return result.drillMatch != DrillMatch::None;
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
        // The marks of a diameter: φ, ϕ, ø (Ø folded), ⌀.
        case u'ϕ':
        case u'ø':
        case u'⌀':
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

std::u16string formatMillimetres(Millionths value) {
    std::u16string text;
    if (value < 0) {
        text += u'-';
        value = -value;
    }
    for (char c : std::to_string(value / kMillion))
        text += static_cast<char16_t>(c);
    Millionths fraction = value % kMillion;
    if (fraction) {
        text += u'.';
        for (Millionths scale = kMillion / 10; fraction; scale /= 10) {
            text += static_cast<char16_t>(u'0' + fraction / scale);
            fraction %= scale;
        }
    }
    return text;
}

std::u16string matchDescription(const SearchResult& result) {
    std::u16string text;
    if (result.byDesignation)
        text = u"呼び";
    if (result.drillMatch == DrillMatch::None)
        return text;
    if (!text.empty())
        text += u"・";
    text += result.drillMatch == DrillMatch::Drill ? u"ドリル径と同じ" : u"範囲内";
    if (result.withinLimits) {
        text += result.aboveMinimum == 0 ? std::u16string(u"（最小寸法と同じ")
                                         : u"（最小 +" + formatMillimetres(result.aboveMinimum);
        text += result.belowMaximum == 0
                    ? std::u16string(u"／最大寸法と同じ）")
                    : u"／最大 −" + formatMillimetres(result.belowMaximum) + u"）";
    }
    return text;
}

SearchIndex::SearchIndex(std::span<const ChartDefinition* const> charts)
    : charts_(charts.begin(), charts.end()) {}

SearchIndex::~SearchIndex() = default;

const std::vector<SearchIndex::Entry>& SearchIndex::entries() const {
    if (!entries_) {
        auto entries = std::make_unique<std::vector<Entry>>();
        for (std::size_t i = 0; i < charts_.size(); ++i) {
            if (charts_[i])
                addEntries(*entries, static_cast<int>(i) + 1, *charts_[i]);
        }
        entries_ = std::move(entries);
    }
    return *entries_;
}

std::size_t SearchIndex::size() const {
    return entries().size();
}

std::vector<SearchResult> SearchIndex::find(std::u16string_view query,
                                            int preferredPosition) const {
    const std::u16string text = normalizedText(query);
    if (text.empty())
        return {};
    const std::optional<Designation> designation = parseDesignation(text);
    const std::optional<DrillQuery> drill = parseDrill(text);
    std::vector<SearchResult> results;
    if (!designation && !drill)
        return results;
    for (const Entry& entry : entries()) {
        SearchResult result = entry.base;
        result.byDesignation = designation && entry.designation &&
                               matches(*designation, *entry.designation, entry.family, entry.unit);
        const bool byDrill = drill && matchDrill(*drill, entry, result);
        if (result.byDesignation || byDrill)
            results.push_back(result);
    }
    std::stable_sort(results.begin(), results.end(),
                     [preferredPosition](const SearchResult& a, const SearchResult& b) {
                         const auto key = [preferredPosition](const SearchResult& r) {
                             return std::pair(r.position != preferredPosition, !r.byDesignation);
                         };
                         return key(a) < key(b);
                     });
    return results;
}

} // namespace vornel::search
