#include "windows/theme_colours.h"

#include <QApplication>
#include <QEvent>
#include <QWidget>
#include <cmath>

namespace vornel {
namespace {

double channel(int value) {
    const double c = value / 255.0;
    return c <= 0.04045 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
}

double luminance(const QColor& colour) {
    const QColor rgb = colour.toRgb();
    return 0.2126 * channel(rgb.red()) + 0.7152 * channel(rgb.green()) +
           0.0722 * channel(rgb.blue());
}

// `colour` moved toward `end` by `step` 255ths.
QColor mixed(const QColor& colour, const QColor& end, int step) {
    const auto mix = [step](int from, int to) { return from + (to - from) * step / 255; };
    const QColor rgb = colour.toRgb();
    return QColor(mix(rgb.red(), end.red()), mix(rgb.green(), end.green()),
                  mix(rgb.blue(), end.blue()), rgb.alpha());
}

// Keeps the palette's colours unless the pair of `foreground` on
// `background` falls short; then moves `moved`, one of the two.
void makeReadable(QPalette& palette, QPalette::ColorRole foreground, QPalette::ColorRole background,
                  QPalette::ColorRole moved) {
    const QPalette::ColorRole fixed = moved == foreground ? background : foreground;
    for (const auto group : {QPalette::Active, QPalette::Inactive}) {
        const QColor colour = palette.color(group, moved);
        const QColor readable = readableAgainst(colour, palette.color(group, fixed));
        if (readable != colour)
            palette.setColor(group, moved, readable);
    }
}

// Gives a widget its palette again when the application's palette or the
// desktop's theme changes. Both events come to top-level windows: a child
// whose palette is set in full hears nothing of them from its parent.
class ThemeFollower final : public QObject {
public:
    ThemeFollower(QWidget* widget, QPalette (*adjust)(QPalette))
        : QObject(widget)
        , widget_(widget)
        , adjust_(adjust) {
        apply();
        widget->window()->installEventFilter(this);
    }

    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::ApplicationPaletteChange ||
            event->type() == QEvent::ThemeChange)
            apply();
        return false;
    }

private:
    // Where the theme's colours need no change, a widget that has no palette
    // of its own keeps the one it inherits: widgets that share one palette
    // share the style's drawings of their faces, which a palette of each
    // widget's own would have drawn anew for every widget (most of the menu's
    // first paint).
    void apply() {
        const QPalette natural = QApplication::palette(widget_);
        const QPalette adjusted = adjust_(natural);
        if (adjusted != natural || widget_->testAttribute(Qt::WA_SetPalette))
            widget_->setPalette(adjusted);
    }

    QWidget* widget_;
    QPalette (*adjust_)(QPalette);
};

} // namespace

double contrastRatio(const QColor& a, const QColor& b) {
    const double la = luminance(a);
    const double lb = luminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

QColor readableAgainst(const QColor& colour, const QColor& other) {
    if (contrastRatio(colour, other) >= kMinimumContrast)
        return colour;
    // Away from the other colour first: a dark text gets darker, a light one
    // lighter. Where that cannot reach the minimum, the other way; one of
    // black and white always reaches it.
    const bool darker = luminance(colour) <= luminance(other);
    for (const QColor end : {darker ? QColor(Qt::black) : QColor(Qt::white),
                             darker ? QColor(Qt::white) : QColor(Qt::black)}) {
        if (contrastRatio(end, other) < kMinimumContrast)
            continue;
        for (int step = 1; step < 255; ++step) {
            const QColor candidate = mixed(colour, end, step);
            if (contrastRatio(candidate, other) >= kMinimumContrast)
                return candidate;
        }
        return end;
    }
    return colour; // not reached: black or white has the contrast
}

QPalette readablePalette(QPalette palette) {
    makeReadable(palette, QPalette::WindowText, QPalette::Window, QPalette::WindowText);
    makeReadable(palette, QPalette::ButtonText, QPalette::Button, QPalette::ButtonText);
    makeReadable(palette, QPalette::Text, QPalette::Base, QPalette::Text);
    makeReadable(palette, QPalette::HighlightedText, QPalette::Highlight, QPalette::Highlight);
    return palette;
}

QPalette readableButtonPalette(QPalette palette) {
    makeReadable(palette, QPalette::ButtonText, QPalette::Button, QPalette::ButtonText);
    return palette;
}

QPalette whiteGroundPalette(QPalette palette) {
    palette.setColor(QPalette::Window, Qt::white);
    palette.setColor(QPalette::WindowText, Qt::black);
    return palette;
}

void followTheme(QWidget* widget, QPalette (*adjust)(QPalette)) {
    new ThemeFollower(widget, adjust);
}

} // namespace vornel
