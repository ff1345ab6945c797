#include "threads/thread.h"

#include "threads/standard_sizes.h"

namespace vornel::threads {
namespace {

// H1 of Whitworth's 55° profile with its rounded crests, 0.640327 P.
constexpr std::int64_t kWhitworthH1Millionths = 640'327;

// The depth of the tap's thread from its crest to its root, twice, for a
// pitch of 1: the external thread's basic root diameter is D less this
// times P. 60°: 17/12 of the fundamental triangle's height, 1.226869; the
// Whitworth profile's root and crest are alike, so its root is the basic
// minor diameter, 2 × 0.640327.
std::optional<Rational> rootDepth(Profile profile) {
    switch (profile) {
    case Profile::Iso:
        return Rational{kRootDepthMillionths, kMillion};
    case Profile::Whitworth:
        return Rational{2 * kWhitworthH1Millionths, kMillion};
    case Profile::None:
        break;
    }
    return std::nullopt;
}

} // namespace

Thread makeThread(const ThreadForm& form, bool numbered, Rational size, Rational count) {
    Thread thread;
    thread.family = form.family;
    thread.numbered = numbered;
    thread.size = size;
    thread.count = count;
    thread.profile = form.profile;
    constexpr Rational inch = kInchMillimetres;
    if (form.pitchUnit == PitchUnit::ThreadsPerInch)
        thread.pitch = count.num > 0 ? inchOver(count) : Rational{};
    else
        thread.pitch = count;
    if (form.family == Family::PipeG)
        return thread; // no major diameter in the designation
    if (numbered)
        thread.major = multiplied(numberedMajor(size), inch);
    else if (form.sizeUnit == SizeUnit::Inch)
        thread.major = multiplied(size, inch);
    else
        thread.major = size;
    return thread;
}

std::optional<Rational> heightOfEngagement(const Thread& thread) {
    // H1 for a pitch of 1: 5/8 of the fundamental triangle's height for 60°,
    // and 0.640327 for Whitworth's 55° with its rounded crests.
    switch (thread.profile) {
    case Profile::Iso:
        return multiplied(thread.pitch, {kH1Millionths, kMillion});
    case Profile::Whitworth:
        return multiplied(thread.pitch, {kWhitworthH1Millionths, kMillion});
    case Profile::None:
        break;
    }
    return std::nullopt;
}

std::optional<Rational> basicMinor(const Thread& thread) {
    const std::optional<Rational> h = heightOfEngagement(thread);
    if (!h || !thread.major)
        return std::nullopt;
    return reduced(thread.major->num * h->den - 2 * h->num * thread.major->den,
                   thread.major->den * h->den);
}

Engagement engagement(const Thread& thread, Millionths drill) {
    const std::optional<Rational> h = heightOfEngagement(thread);
    const std::optional<Rational> depth = rootDepth(thread.profile);
    if (!h || !depth || !thread.major || h->num <= 0 || drill <= 0)
        return {};
    const Rational& d = *thread.major;
    // Below the root, D − depth × P > drill: in millionths times the
    // denominators, as below.
    const Rational root = multiplied(*depth, thread.pitch);
    if ((static_cast<Wide>(d.num) * root.den - static_cast<Wide>(root.num) * d.den) * kMillion >
        static_cast<Wide>(drill) * d.den * root.den)
        return {Engagement::Kind::BelowRoot, 0};
    // (D − d) × 100 / (2 × H1) = (Dn × 10⁶ − drill × Dd) × 100 × Hd / (Dd × 10⁶ × 2 × Hn),
    // worked in 128 bits: no size a user can type overflows it.
    const Wide num =
        (static_cast<Wide>(d.num) * kMillion - static_cast<Wide>(drill) * d.den) * 100 * h->den;
    const Wide den = static_cast<Wide>(d.den) * kMillion * 2 * h->num;
    if (num <= 0)
        return {Engagement::Kind::AtOrAboveMajor, 0};
    // Half up: floor((2 × num + den) / (2 × den)); both are positive.
    const int p = static_cast<int>((2 * num + den) / (2 * den));
    return {p > 100 ? Engagement::Kind::AboveBasic : Engagement::Kind::Percent, p};
}

std::u16string decimalText(Rational value, int digits) {
    std::u16string text;
    if (value.num < 0) {
        text += u'-';
        value.num = -value.num;
    }
    Wide scale = 1;
    for (int i = 0; i < digits; ++i)
        scale *= 10;
    // Rounded half up to `digits` decimals.
    const Wide scaled =
        (static_cast<Wide>(value.num) * scale * 2 + value.den) / (static_cast<Wide>(value.den) * 2);
    const Wide whole = scaled / scale;
    Wide fraction = scaled % scale;
    for (char c : std::to_string(static_cast<long long>(whole)))
        text += static_cast<char16_t>(c);
    if (fraction) {
        text += u'.';
        for (Wide s = scale / 10; fraction; s /= 10) {
            text += static_cast<char16_t>(u'0' + static_cast<int>(fraction / s));
            fraction %= s;
        }
    }
    return text;
}

std::u16string millimetreText(Millionths value) {
    return decimalText({value, kMillion}, 6);
}

std::u16string inchSizeText(Rational size) {
    const std::int64_t whole = size.num / size.den;
    const std::int64_t part = size.num % size.den;
    std::u16string text;
    if (whole > 0 || part == 0)
        text = decimalText({whole, 1});
    if (part == 0)
        return text;
    return (text.empty() ? text : text + u' ') + decimalText({part, 1}) + u'/' +
           decimalText({size.den, 1});
}

std::u16string seriesText(std::u16string_view series) {
    std::u16string text(series);
    for (char16_t& c : text) {
        if (c >= u'a' && c <= u'z')
            c = static_cast<char16_t>(c - (u'a' - u'A'));
    }
    return text;
}

} // namespace vornel::threads
