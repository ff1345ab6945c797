#pragma once

#include <QString>

namespace vornel {

// Puts a text on the clipboard and, where the window system has one, on the
// selection too. An empty text changes neither.
void copyToClipboard(const QString& text);

// What a screen reader is told after a copy: of a line, "コピーしました　"
// and the line as it is spoken; of a value, its menu entry ("ドリル径 6.8
// をコピー") in the past ("…をコピーしました").
QString copiedLineNotice(const QString& spokenLine);
QString copiedValueNotice(const QString& entry);

} // namespace vornel
