#pragma once

#include <QColor>
#include <QPalette>

class QWidget;

namespace vornel {

// Texts keep at least this luminance contrast against what they are drawn on
// (WCAG level AA for text of normal size).
inline constexpr double kMinimumContrast = 4.5;

// The contrast ratio of two colours by their relative luminance, from 1 (the
// same) to 21 (black and white).
double contrastRatio(const QColor& a, const QColor& b);

// `colour` where it has the minimum contrast against `other`; otherwise mixed
// with black or with white, whichever gets there, just as far as it needs.
QColor readableAgainst(const QColor& colour, const QColor& other);

// The theme's palette with every text readable on its ground, in the active
// and the inactive group: WindowText on Window, ButtonText on Button, Text on
// Base, where a theme's pair falls short. Selected lines keep the theme's
// HighlightedText; the Highlight under it is darkened or lightened instead.
QPalette readablePalette(QPalette palette);

// What a push button draws its caption with made readable: ButtonText on
// Button, where a theme's pair falls short; the rest of the theme's palette
// as it is.
QPalette readableButtonPalette(QPalette palette);

// For texts drawn on the white that a chart window fixes as its background:
// the theme's palette with that white as Window and black as WindowText.
QPalette whiteGroundPalette(QPalette palette);

// Gives `widget` `adjust` of the palette the application has for it, now and
// again whenever the application's palette or the desktop's theme changes.
// Given a window, its children draw with that palette unless they are given
// their own.
void followTheme(QWidget* widget, QPalette (*adjust)(QPalette) = readablePalette);

} // namespace vornel
