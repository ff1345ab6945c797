#include "threads/pipe_sizes.h"

#include <algorithm>

namespace vornel::threads {
namespace {

using namespace literals;

consteval Millionths operator""_in(long double in) { // millionths of an inch
    return operator""_mm(in);
}

constexpr Rational inches(int whole, int num = 0, int den = 1) {
    return reduced(whole * den + num, den);
}

// value / den rounded half up to 0.001 mm, in millionths; value >= 0.
Millionths thousandths(Wide value, Wide den) {
    const Wide micrometres = (value * 2 + den * 1000) / (den * 2000);
    return static_cast<Millionths>(micrometres * 1000);
}

// ISO 7-1:1994 Table 1 (JIS B 0203:1999 付表1), with ISO 228-1:2000 Table 1
// for the sizes G alone has; in millimetres: the basic major diameter d at
// the gauge plane, the basic minor diameter D1, and for R, Rc and Rp the
// gauge length a from the pipe's end, its tolerance b (external) and c
// (internal), the useful thread f of R beyond the gauge plane, the useful
// thread l of Rc inside it (with incomplete threads), and the tolerance t on
// Rp's diameters. 0 where the size has no taper thread (3½ is JIS's alone,
// outside ISO 7-1; 5/8, 7/8, 1⅛, 1¾, 2¼, 2¾, 4½, 5½ are G's alone).
// ISO 228-1's tolerance Td on the external major diameter is by the size's
// pitch: 0.214 (28 threads per inch), 0.250 (19), 0.284 (14), 0.360 (11, to
// 2 in) and 0.434 (11, from 2¼ in); its tolerance TD2 on the internal pitch
// diameter, which is class A's Td2 too: 0.107, 0.125, 0.142, 0.180 and 0.217.
struct BritishPipe {
    Rational size;
    Millionths major, minor, majorTolerance, pitchTolerance;
    Millionths a = 0, b = 0, c = 0, f = 0, l = 0, t = 0;
};

// clang-format off
constexpr BritishPipe kBritishPipes[] = {
    {inches(0, 1, 16),  7.723_mm,   6.561_mm, 0.214_mm, 0.107_mm,  3.97_mm, 0.91_mm, 1.13_mm,  2.5_mm,  6.2_mm, 0.071_mm},
    {inches(0, 1, 8),   9.728_mm,   8.566_mm, 0.214_mm, 0.107_mm,  3.97_mm, 0.91_mm, 1.13_mm,  2.5_mm,  6.2_mm, 0.071_mm},
    {inches(0, 1, 4),  13.157_mm,  11.445_mm, 0.250_mm, 0.125_mm,  6.01_mm, 1.34_mm, 1.67_mm,  3.7_mm,  9.4_mm, 0.104_mm},
    {inches(0, 3, 8),  16.662_mm,  14.950_mm, 0.250_mm, 0.125_mm,  6.35_mm, 1.34_mm, 1.67_mm,  3.7_mm,  9.7_mm, 0.104_mm},
    {inches(0, 1, 2),  20.955_mm,  18.631_mm, 0.284_mm, 0.142_mm,  8.16_mm, 1.81_mm, 2.27_mm,  5.0_mm, 12.7_mm, 0.142_mm},
    {inches(0, 5, 8),  22.911_mm,  20.587_mm, 0.284_mm, 0.142_mm},
    {inches(0, 3, 4),  26.441_mm,  24.117_mm, 0.284_mm, 0.142_mm,  9.53_mm, 1.81_mm, 2.27_mm,  5.0_mm, 14.1_mm, 0.142_mm},
    {inches(0, 7, 8),  30.201_mm,  27.877_mm, 0.284_mm, 0.142_mm},
    {inches(1),        33.249_mm,  30.291_mm, 0.360_mm, 0.180_mm, 10.39_mm, 2.31_mm, 2.89_mm,  6.4_mm, 16.2_mm, 0.180_mm},
    {inches(1, 1, 8),  37.897_mm,  34.939_mm, 0.360_mm, 0.180_mm},
    {inches(1, 1, 4),  41.910_mm,  38.952_mm, 0.360_mm, 0.180_mm, 12.70_mm, 2.31_mm, 2.89_mm,  6.4_mm, 18.5_mm, 0.180_mm},
    {inches(1, 1, 2),  47.803_mm,  44.845_mm, 0.360_mm, 0.180_mm, 12.70_mm, 2.31_mm, 2.89_mm,  6.4_mm, 18.5_mm, 0.180_mm},
    {inches(1, 3, 4),  53.746_mm,  50.788_mm, 0.360_mm, 0.180_mm},
    {inches(2),        59.614_mm,  56.656_mm, 0.360_mm, 0.180_mm, 15.88_mm, 2.31_mm, 2.89_mm,  7.5_mm, 22.8_mm, 0.180_mm},
    {inches(2, 1, 4),  65.710_mm,  62.752_mm, 0.434_mm, 0.217_mm},
    {inches(2, 1, 2),  75.184_mm,  72.226_mm, 0.434_mm, 0.217_mm, 17.46_mm, 3.46_mm, 3.46_mm,  9.2_mm, 26.7_mm, 0.217_mm},
    {inches(2, 3, 4),  81.534_mm,  78.576_mm, 0.434_mm, 0.217_mm},
    {inches(3),        87.884_mm,  84.926_mm, 0.434_mm, 0.217_mm, 20.64_mm, 3.46_mm, 3.46_mm,  9.2_mm, 29.8_mm, 0.217_mm},
    {inches(3, 1, 2), 100.330_mm,  97.372_mm, 0.434_mm, 0.217_mm},
    {inches(4),       113.030_mm, 110.072_mm, 0.434_mm, 0.217_mm, 25.40_mm, 3.46_mm, 3.46_mm, 10.4_mm, 35.8_mm, 0.217_mm},
    {inches(4, 1, 2), 125.730_mm, 122.772_mm, 0.434_mm, 0.217_mm},
    {inches(5),       138.430_mm, 135.472_mm, 0.434_mm, 0.217_mm, 28.58_mm, 3.46_mm, 3.46_mm, 11.5_mm, 40.1_mm, 0.217_mm},
    {inches(5, 1, 2), 151.130_mm, 148.172_mm, 0.434_mm, 0.217_mm},
    {inches(6),       163.830_mm, 160.872_mm, 0.434_mm, 0.217_mm, 28.58_mm, 3.46_mm, 3.46_mm, 11.5_mm, 40.1_mm, 0.217_mm},
};

// ASME B1.20.1, Table 2 (basic dimensions of NPT), in inches: the pipe's
// outside diameter D, the threads per inch, the pitch diameter E1 at the
// plane of hand-tight engagement and that engagement's length L1; the sizes
// of the American pipe chart.
struct AmericanPipe {
    Rational size;
    Millionths outside;
    Rational threadsPerInch;
    Millionths e1, l1;
};

constexpr AmericanPipe kAmericanPipes[] = {
    {inches(0, 1, 16), 0.3125_in, {27, 1},   0.28118_in, 0.160_in},
    {inches(0, 1, 8),  0.405_in,  {27, 1},   0.37360_in, 0.162_in},
    {inches(0, 1, 4),  0.540_in,  {18, 1},   0.49163_in, 0.228_in},
    {inches(0, 3, 8),  0.675_in,  {18, 1},   0.62701_in, 0.240_in},
    {inches(0, 1, 2),  0.840_in,  {14, 1},   0.77843_in, 0.320_in},
    {inches(0, 3, 4),  1.050_in,  {14, 1},   0.98887_in, 0.339_in},
    {inches(1),        1.315_in,  {23, 2},   1.23863_in, 0.400_in},
    {inches(1, 1, 4),  1.660_in,  {23, 2},   1.58338_in, 0.420_in},
    {inches(1, 1, 2),  1.900_in,  {23, 2},   1.82234_in, 0.420_in},
    {inches(2),        2.375_in,  {23, 2},   2.29627_in, 0.436_in},
    {inches(2, 1, 2),  2.875_in,  {8, 1},    2.76215_in, 0.682_in},
};
// clang-format on

const BritishPipe* britishPipe(Rational size) {
    const auto* row = std::find_if(std::begin(kBritishPipes), std::end(kBritishPipes),
                                   [size](const BritishPipe& p) { return p.size == size; });
    return row == std::end(kBritishPipes) ? nullptr : row;
}

const BritishPipe* taperPipe(Rational size) {
    const BritishPipe* row = britishPipe(size);
    return row != nullptr && row->a > 0 ? row : nullptr;
}

// A taper's change of diameter over a length along it: 1/16 of it, to 0.001 mm.
DiameterRange taperRange(Wide minimumTimes16, Wide maximumTimes16) {
    return {thousandths(minimumTimes16, 16), thousandths(maximumTimes16, 16)};
}

// NPT's diameters, in millionths of an inch times 16 n (n the threads per
// inch as num/den, so that P/16 = 10^6 den / (16 num) is whole): E0, the
// pitch diameter at the small end; h = 0.8 P; P/16, a turn along the taper.
struct NptNumbers {
    Wide scale; // 16 num
    Wide e0, e1, height, turn;
};

std::optional<NptNumbers> nptNumbers(const AmericanPipe* pipe) {
    if (pipe == nullptr)
        return std::nullopt;
    const Wide num = pipe->threadsPerInch.num;
    const Wide den = pipe->threadsPerInch.den;
    NptNumbers n;
    n.scale = 16 * num;
    n.e1 = pipe->e1 * n.scale;
    n.e0 = n.e1 - pipe->l1 * num; // E0 = E1 − L1 / 16
    n.turn = kMillion * den;      // P / 16
    n.height = 128 * n.turn / 10; // 0.8 P = 12.8 × P / 16
    return n;
}

// Millionths of an inch times `scale` as a range in millimetres.
DiameterRange inchRange(Wide minimum, Wide maximum, Wide scale) {
    constexpr Rational inch = kInchMillimetres;
    return {thousandths(minimum * inch.num, scale * inch.den),
            thousandths(maximum * inch.num, scale * inch.den)};
}

const AmericanPipe* americanPipe(Rational size) {
    const auto* row = std::find_if(std::begin(kAmericanPipes), std::end(kAmericanPipes),
                                   [size](const AmericanPipe& p) { return p.size == size; });
    return row == std::end(kAmericanPipes) ? nullptr : row;
}

} // namespace

std::optional<DiameterRange> parallelPipeMajor(Rational size) {
    const BritishPipe* row = britishPipe(size);
    if (row == nullptr)
        return std::nullopt;
    return DiameterRange{row->major - row->majorTolerance, row->major};
}

std::optional<ExternalLimits> parallelPipeExternal(Rational size, char16_t pipeClass) {
    const BritishPipe* row = britishPipe(size);
    if (row == nullptr || (pipeClass != u'A' && pipeClass != u'B'))
        return std::nullopt;
    const Millionths pitch = (row->major + row->minor) / 2;
    const Millionths tolerance = row->pitchTolerance * (pipeClass == u'B' ? 2 : 1);
    return ExternalLimits{{row->major - row->majorTolerance, row->major},
                          {pitch - tolerance, pitch}};
}

std::optional<DiameterRange> taperPipeMajor(Rational size) {
    const BritishPipe* row = taperPipe(size);
    if (row == nullptr)
        return std::nullopt;
    return taperRange(Wide{16} * row->major - row->a - row->b, Wide{16} * row->major + row->f);
}

std::optional<DiameterRange> taperPipeMinor(Rational size) {
    const BritishPipe* row = taperPipe(size);
    if (row == nullptr)
        return std::nullopt;
    return taperRange(Wide{16} * row->minor - row->l, Wide{16} * row->minor + row->c);
}

std::optional<DiameterRange> parallelForTaperMinor(Rational size) {
    const BritishPipe* row = taperPipe(size);
    if (row == nullptr)
        return std::nullopt;
    return DiameterRange{row->minor - row->t, row->minor + row->t};
}

std::optional<DiameterRange> nptMajor(Rational size) {
    const AmericanPipe* pipe = americanPipe(size);
    const std::optional<NptNumbers> n = nptNumbers(pipe);
    if (!n)
        return std::nullopt;
    return inchRange(n->e0 + n->height - n->turn, Wide{pipe->outside} * n->scale, n->scale);
}

std::optional<DiameterRange> nptMinor(Rational size) {
    const std::optional<NptNumbers> n = nptNumbers(americanPipe(size));
    if (!n)
        return std::nullopt;
    return inchRange(n->e0 - n->height - n->turn, n->e1 - n->height + n->turn, n->scale);
}

std::optional<DiameterRange> npsMinor(Rational size) {
    const std::optional<NptNumbers> n = nptNumbers(americanPipe(size));
    if (!n)
        return std::nullopt;
    const Wide turns = 3 * n->turn / 2;
    return inchRange(n->e1 - n->height - turns, n->e1 - n->height + turns, n->scale);
}

} // namespace vornel::threads
