#pragma once

#include <QString>

namespace vornel {

// Puts a text on the clipboard and, where the window system has one, on the
// selection too. An empty text changes neither.
void copyToClipboard(const QString& text);

} // namespace vornel
