#include "threads/chart_thread.h"

#include "threads/designation.h"
#include "threads/normalized_text.h"

#include <cmath>

namespace vornel::threads {

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
            thread.series = seriesText(designation->series);
            thread.classes = designation->classes;
            thread.leftHand = designation->leftHand;
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

} // namespace vornel::threads
