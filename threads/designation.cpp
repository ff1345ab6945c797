#include "threads/designation.h"

#include "threads/tolerance_class.h"

#include <algorithm>
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

// A place where a designation's thread may end, and what was read up to it.
struct Stop {
    std::size_t at = 0;
    Designation read;
};

// Reads the thread of a designation, its classes and hand left out: each
// place where it may end, in order. None where the text begins as no thread.
std::vector<Stop> readThread(std::u16string_view text) {
    std::vector<Stop> stops;
    stops.reserve(5); // as many as a designation has places to end
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
        return stops;
    designation.sizes = std::move(size->readings);
    designation.unit = designation.numbered ? WrittenUnit::Inch : size->unit;
    if (takeInchMark(cursor)) {
        // "0.375in" is a drill: the trade writes no thread's size so.
        if (size->unit == WrittenUnit::Millimetre)
            return stops;
        designation.unit = WrittenUnit::Inch;
    }
    stops.push_back({cursor.at(), designation});
    // "x1.25", "-20", and the catalogues' "xp1.25" and "p1.25". A separator
    // at the end is a query still being typed; one before a class leaves the
    // pitch out ("M8-6g").
    const bool separated = cursor.take(u"x") || cursor.take(u"-");
    if (separated)
        stops.push_back({cursor.at(), designation});
    designation.pitchMarked = cursor.take(u"p");
    if (separated || designation.pitchMarked) {
        if (!cursor.atEnd() && isDigit(cursor.peek())) {
            std::optional<NumberToken> counts = mixedNumber(cursor);
            if (!counts)
                return stops;
            designation.counts = std::move(counts->readings);
            stops.push_back({cursor.at(), designation});
        } else if (designation.pitchMarked) {
            return stops;
        }
    }
    for (std::u16string_view series : kSeries) {
        if (cursor.take(series)) {
            designation.series = series;
            designation.families &= kUnified;
            stops.push_back({cursor.at(), designation});
            break;
        }
    }
    for (const Prefix& family : kFamiliesAfter) {
        if (cursor.take(family.text)) {
            designation.families &= family.families;
            stops.push_back({cursor.at(), designation});
            break;
        }
    }
    return stops;
}

// Takes "lh" or "左" at the end of `text`, and a "-" before it.
bool takeLeftHandAtEnd(std::u16string_view& text) {
    if (text.ends_with(u"左")) {
        text.remove_suffix(1);
    } else if (text.size() >= 2 && lowerLatin(text[text.size() - 2]) == u'l' &&
               lowerLatin(text.back()) == u'h') {
        text.remove_suffix(2);
    } else {
        return false;
    }
    if (text.ends_with(u'-'))
        text.remove_suffix(1);
    return true;
}

std::u16string_view withoutHyphen(std::u16string_view text) {
    return text.starts_with(u'-') ? text.substr(1) : text;
}

} // namespace

std::optional<Designation> readDesignation(std::u16string_view text) {
    // "左M8", as JIS wrote it, and "M8x1.25LH", "M8x1.25-6H-LH".
    bool leftHand = text.starts_with(u"左");
    if (leftHand)
        text.remove_prefix(1);
    leftHand = takeLeftHandAtEnd(text) || leftHand;
    const std::vector<Stop> stops = readThread(text);
    std::optional<Designation> designation;
    // The thread read to the end, or the longest one that classes follow:
    // "M8x1.25-6H", "1/4-20UNC-2B", "M8-6g", "M8x1.25-5H6H", "M8x1.25-6H/6g".
    // A hyphen alone after it is a class still being typed. ISO 228-1's
    // letter alone only where no class with a grade reads: "1/4-2A" is 2A.
    const bool mayNamePipeClass = std::any_of(text.begin(), text.end(), [](char16_t c) {
        return lowerLatin(c) == u'a' || lowerLatin(c) == u'b';
    });
    for (const bool pipeClasses : {false, true}) {
        if (pipeClasses && !mayNamePipeClass)
            break;
        for (auto stop = stops.rbegin(); stop != stops.rend() && !designation; ++stop) {
            const std::u16string_view rest = withoutHyphen(text.substr(stop->at));
            const std::optional<ToleranceClasses> classes =
                rest.empty() ? std::optional<ToleranceClasses>{}
                             : readToleranceClasses(rest, pipeClasses);
            if (rest.empty() || classes) {
                designation = stop->read;
                designation->classes = classes.value_or(ToleranceClasses{});
            }
        }
    }
    // Classes that cannot be read: the thread alone ("M8x1.25-66H").
    for (auto stop = stops.rbegin(); stop != stops.rend() && !designation; ++stop) {
        if (writtenAsClasses(withoutHyphen(text.substr(stop->at)))) {
            designation = stop->read;
            designation->unreadClass = true;
        }
    }
    if (designation)
        designation->leftHand = leftHand;
    return designation;
}

} // namespace vornel::threads
