#pragma once

#include <QString>
#include <string_view>

namespace vornel {

// A text of the constant chart tables as Qt's string (a copy).
inline QString toQString(std::u16string_view s) {
    return QString::fromUtf16(s.data(), static_cast<qsizetype>(s.size()));
}

} // namespace vornel
