#include "search/engagement.h"

#include "chart_model/chart_fields.h"

#include <algorithm>
#include <cmath>
#include <numeric>

namespace vornel::search {
namespace {

constexpr Millionths kMillion = 1'000'000;
// An inch in millionths of a millimetre.
constexpr Millionths kInch = 25'400'000;

enum class Profile {
    Iso,       // metric and unified: H1 = 5/8 × 0.866025 P
    Whitworth, // the 55° thread, and British parallel pipe G: H1 = 0.640327 P
};

// H1 for a pitch of 1 mm, in millionths of a millimetre.
constexpr Millionths heightOfEngagement(Profile profile) {
    return profile == Profile::Iso ? 541'266 : 640'327;
}

// How the threads of a chart are written and what their engagement is. The
// charts not named here have none.
struct ThreadForm {
    std::string_view chart; // ChartDefinition::identifier
    Profile profile;
    bool inchSizes;      // "1/4", "No. 10"; else millimetres ("8", "W 10")
    bool threadsPerInch; // "‐20"; else the pitch in millimetres ("× 1.25")
    // G gives no major diameter to read: it is the minimum of the row's
    // minor-diameter limits (the basic minor diameter) plus 2 × H1.
    bool majorFromMinimum = false;
};

constexpr ThreadForm kThreadForms[] = {
    {"Form2", Profile::Iso, false, false},           // メートルねじ
    {"Form3", Profile::Iso, true, true},             // ユニファイねじ
    {"Form4", Profile::Whitworth, true, true},       // ウィットねじ（インチ呼び）
    {"Form5", Profile::Whitworth, false, true},      // ウィットねじ（メートル呼び）
    {"Form7", Profile::Whitworth, true, true, true}, // 英式管用平行ねじ（G、PF）
};

const ThreadForm* threadForm(const ChartDefinition& chart) {
    for (const ThreadForm& form : kThreadForms) {
        if (form.chart == chart.identifier)
            return &form;
    }
    return nullptr;
}

struct Rational {
    std::int64_t num = 0;
    std::int64_t den = 1;
};

Rational reduced(std::int64_t num, std::int64_t den) {
    const std::int64_t g = std::gcd(num, den);
    return g > 1 ? Rational{num / g, den / g} : Rational{num, den};
}

bool isDigit(char16_t c) {
    return c >= u'0' && c <= u'9';
}

// At most this many digits in a number of a chart's designation or value.
constexpr std::size_t kMaxDigits = 9;

std::u16string_view takeDigits(std::u16string_view& text) {
    std::size_t n = 0;
    while (n < text.size() && isDigit(text[n]))
        ++n;
    const std::u16string_view digits = text.substr(0, n);
    text.remove_prefix(n);
    return digits;
}

std::int64_t digitsValue(std::u16string_view digits) {
    std::int64_t v = 0;
    for (char16_t c : digits)
        v = v * 10 + (c - u'0');
    return v;
}

// A value of a chart's field, "6.647": millionths of its unit.
std::optional<Millionths> chartValue(std::u16string_view text) {
    const std::u16string_view whole = takeDigits(text);
    std::u16string_view fraction;
    if (!text.empty() && text.front() == u'.') {
        text.remove_prefix(1);
        fraction = takeDigits(text);
    }
    if (whole.empty() || !text.empty() || whole.size() > kMaxDigits || fraction.size() > 6)
        return std::nullopt;
    Millionths value = digitsValue(whole) * kMillion;
    Millionths scale = kMillion;
    for (char16_t digit : fraction) {
        scale /= 10;
        value += (digit - u'0') * scale;
    }
    return value;
}

// The readings of a number of a designation: "1.25"; "3/16"; "11/16",
// eleven sixteenths or, as the charts write mixed numbers, 1 1/16; "41/2",
// 4 1/2. The charts' rows settle which reading is meant.
std::vector<Rational> numberReadings(std::u16string_view& text) {
    const std::u16string_view whole = takeDigits(text);
    if (whole.empty() || whole.size() > kMaxDigits)
        return {};
    const std::int64_t n = digitsValue(whole);
    if (text.starts_with(u'.')) {
        text.remove_prefix(1);
        const std::u16string_view fraction = takeDigits(text);
        if (whole.size() + fraction.size() > kMaxDigits)
            return {};
        std::int64_t den = 1;
        for (std::size_t i = 0; i < fraction.size(); ++i)
            den *= 10;
        return {reduced(n * den + digitsValue(fraction), den)};
    }
    if (!text.starts_with(u'/'))
        return {Rational{n, 1}};
    text.remove_prefix(1);
    const std::u16string_view denominator = takeDigits(text);
    if (denominator.empty() || denominator.size() > kMaxDigits || digitsValue(denominator) == 0)
        return {};
    const std::int64_t d = digitsValue(denominator);
    std::vector<Rational> readings;
    if (n < d)
        readings.push_back(reduced(n, d));
    for (std::size_t split = 1; split < whole.size(); ++split) {
        const std::int64_t k = digitsValue(whole.substr(split));
        if (k > 0 && k < d && whole[split] != u'0')
            readings.push_back(reduced(digitsValue(whole.substr(0, split)) * d + k, d));
    }
    if (readings.empty())
        readings.push_back(reduced(n, d));
    return readings;
}

// The thread of a row as its engagement needs it: the basic major diameter
// (millionths of a millimetre, as a fraction) and H1 for the pitch.
struct Thread {
    Rational major;  // millionths of a millimetre
    Rational height; // H1, millionths of a millimetre
};

struct Row {
    std::u16string_view designation;
    std::optional<Millionths> drill; // the chart's drill in millimetres
    std::optional<Millionths> minorMin, minorMax, pilotMin, pilotMax;
};

std::optional<Row> readRow(const ChartDefinition& chart, int line) {
    if (line < chart.headingLines || line >= chart.headingLines + chart.dataRows ||
        line >= static_cast<int>(chart.lines.size()))
        return std::nullopt;
    Row row;
    const std::vector<std::u16string_view> fields =
        chartFields(chart.lines[static_cast<std::size_t>(line)]);
    for (std::size_t i = 0; i < chart.columns.size() && i < fields.size(); ++i) {
        const ChartColumn& column = chart.columns[i];
        const std::u16string_view text = trimPadding(fields[i]);
        const bool pilot = column.limits == Limits::PilotHole;
        switch (column.role) {
        case ColumnRole::Designation:
            row.designation = text;
            break;
        case ColumnRole::Drill:
            if (!row.drill && column.unit == Unit::Millimetre)
                row.drill = chartValue(text);
            break;
        case ColumnRole::Minimum:
            (pilot ? row.pilotMin : row.minorMin) = chartValue(text);
            break;
        case ColumnRole::Maximum:
            (pilot ? row.pilotMax : row.minorMax) = chartValue(text);
            break;
        case ColumnRole::TapClass:
        case ColumnRole::CalculatedHole:
            break;
        }
    }
    return row;
}

// Reads D and H1 from the row's designation ("M 8 × 1.25", "No.10‐24UNC",
// "11/4 ‐ 7UNC", "W 10 ‐20", "G(PF) 1/4 ‐19"). Where a number reads two
// ways, the reading whose basic minor diameter, D − 2 × H1, lies nearest the
// row's smallest minor diameter is the thread.
std::optional<Thread> readThread(const ThreadForm& form, const Row& row) {
    if (!row.minorMin)
        return std::nullopt;
    const std::u16string text = normalizedText(row.designation);
    std::u16string_view rest = text;
    const bool numbered = rest.starts_with(u"no") || rest.starts_with(u'#');
    while (!rest.empty() && !isDigit(rest.front()))
        rest.remove_prefix(1);
    const std::vector<Rational> sizes = numberReadings(rest);
    if (!rest.starts_with(u'x') && !rest.starts_with(u'-'))
        return std::nullopt;
    rest.remove_prefix(1);
    const std::vector<Rational> counts = numberReadings(rest);
    if (sizes.empty() || counts.empty())
        return std::nullopt;

    const Millionths k = heightOfEngagement(form.profile);
    std::optional<Thread> best;
    double bestError = 0;
    for (const Rational& size : sizes) {
        for (const Rational& count : counts) {
            if ((size.num <= 0 && !numbered) || count.num <= 0)
                continue;
            // H1 = k × P, P in millimetres: the pitch, or 25.4 / threads per inch.
            const Rational height = form.threadsPerInch
                                        ? reduced(k * 254 * count.den, 10 * count.num)
                                        : reduced(k * count.num, count.den);
            Rational major;
            if (form.majorFromMinimum)
                major = reduced(*row.minorMin * height.den + 2 * height.num, height.den);
            else if (numbered)
                major = {(60 + 13 * size.num / size.den) * 25'400, 1}; // 0.060 + 0.013 n inch
            else if (form.inchSizes)
                major = reduced(size.num * kInch, size.den);
            else
                major = reduced(size.num * kMillion, size.den);
            const double minor =
                static_cast<double>(major.num) / static_cast<double>(major.den) -
                2.0 * static_cast<double>(height.num) / static_cast<double>(height.den);
            const double error = std::abs(minor - static_cast<double>(*row.minorMin));
            if (!best || error < bestError) {
                best = Thread{major, height};
                bestError = error;
            }
        }
    }
    return best;
}

// (D − d) × 100 / (2 × H1), rounded half up, in whole numbers:
// (Dn − d × Dd) × 100 × Hd / (Dd × 2 × Hn). None where a product would
// overflow (no thread of the charts comes near).
std::optional<int> percent(const Thread& thread, Millionths drill) {
    std::int64_t num = 0;
    std::int64_t den = 0;
    std::int64_t dd = 0;
    if (__builtin_mul_overflow(drill, thread.major.den, &dd) ||
        __builtin_sub_overflow(thread.major.num, dd, &num) ||
        __builtin_mul_overflow(num, 100 * thread.height.den, &num) ||
        __builtin_mul_overflow(thread.major.den, 2 * thread.height.num, &den) || den <= 0)
        return std::nullopt;
    // Half up: floor((2 × num + den) / (2 × den)).
    std::int64_t twice = 0;
    if (__builtin_mul_overflow(num, 2, &twice) || __builtin_add_overflow(twice, den, &twice))
        return std::nullopt;
    std::int64_t q = twice / (2 * den);
    if (twice % (2 * den) != 0 && twice < 0)
        --q;
    return static_cast<int>(q);
}

std::optional<Thread> threadOf(const ChartDefinition& chart, const std::optional<Row>& row) {
    const ThreadForm* form = threadForm(chart);
    if (!form || !row)
        return std::nullopt;
    return readThread(*form, *row);
}

// The limits a drill is held against: the pilot hole's where the row gives
// them (a forming tap's), else the minor diameter's.
std::optional<std::pair<Millionths, Millionths>> drillLimits(const Row& row) {
    if (row.pilotMin && row.pilotMax)
        return std::pair(*row.pilotMin, *row.pilotMax);
    if (row.minorMin && row.minorMax)
        return std::pair(*row.minorMin, *row.minorMax);
    return std::nullopt;
}

} // namespace

std::optional<int> engagementPercent(const ChartDefinition& chart, int line, Millionths drill) {
    const std::optional<Thread> thread = threadOf(chart, readRow(chart, line));
    return thread ? percent(*thread, drill) : std::nullopt;
}

bool hasEngagement(const ChartDefinition& chart) {
    return threadForm(chart) != nullptr;
}

std::optional<int> chartDrillEngagement(const SearchResult& result) {
    const std::optional<Millionths> drill = chartValue(result.drill);
    if (!result.chart || !drill)
        return std::nullopt;
    return engagementPercent(*result.chart, result.line, *drill);
}

std::optional<int> resultEngagement(const SearchResult& result) {
    if (!result.chart || result.queriedDrill <= 0)
        return chartDrillEngagement(result);
    return engagementPercent(*result.chart, result.line, result.queriedDrill);
}

std::vector<Millionths> seriesDrills(Millionths from, Millionths to) {
    constexpr Millionths kFine = 3 * kMillion;    // 0.05 mm steps up to here
    constexpr Millionths kMedium = 20 * kMillion; // 0.1 mm steps up to here
    const auto step = [](Millionths d) {
        return d < kFine ? 50'000 : d < kMedium ? 100'000 : 500'000;
    };
    std::vector<Millionths> drills;
    if (from > to || to <= 0)
        return drills;
    from = std::max<Millionths>(from, 1);
    // The first drill of the series at or above `from`: the steps change at
    // 3 and 20 mm, each a whole number of the steps on either side.
    const Millionths first = from <= kFine ? 50'000 : from <= kMedium ? 100'000 : 500'000;
    for (Millionths d = (from + first - 1) / first * first; d <= to; d += step(d))
        drills.push_back(d);
    return drills;
}

std::vector<UsableDrill> usableDrills(const ChartDefinition& chart, int line) {
    std::vector<UsableDrill> drills;
    const std::optional<Row> row = readRow(chart, line);
    const auto limits = row ? drillLimits(*row) : std::nullopt;
    if (!limits)
        return drills;
    const std::optional<Thread> thread = threadOf(chart, row);
    for (Millionths d : seriesDrills(limits->first, limits->second))
        drills.push_back({d, thread ? percent(*thread, d) : std::nullopt, row->drill == d});
    return drills;
}

bool hasLimits(const ChartDefinition& chart, int line) {
    const std::optional<Row> row = readRow(chart, line);
    return row && drillLimits(*row);
}

std::u16string_view rowDesignation(const ChartDefinition& chart, int line) {
    const std::optional<Row> row = readRow(chart, line);
    return row ? row->designation : std::u16string_view();
}

} // namespace vornel::search
