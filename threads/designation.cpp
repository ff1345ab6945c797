#include "threads/designation.h"

#include <iterator>

namespace vornel::threads {
namespace {

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

} // namespace

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

} // namespace vornel::threads
