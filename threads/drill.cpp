#include "threads/drill.h"

#include "threads/numbers.h"

namespace vornel::threads {

std::optional<Drill> readDrill(std::u16string_view text) {
    Cursor cursor(text);
    const bool diameter = cursor.take(u"φ");
    const std::size_t begin = cursor.at();
    cursor.digits();
    if (cursor.take(u"."))
        cursor.digits();
    const std::u16string_view number = text.substr(begin, cursor.at() - begin);
    const std::optional<Millionths> length = readLength(number);
    if (!length || *length == 0)
        return std::nullopt;
    if (!diameter)
        cursor.take(u"φ");
    bool inch = false;
    if (!cursor.take(u"mm"))
        inch = takeInchMark(cursor) || (cursor.atEnd() && number.front() == u'.');
    if (!cursor.atEnd())
        return std::nullopt;
    if (!inch)
        return Drill{*length, std::nullopt};
    // Rounded half up to the millionth of a millimetre.
    constexpr Rational mm = kInchMillimetres;
    return Drill{(*length * mm.num * 2 + mm.den) / (2 * mm.den), *length};
}

} // namespace vornel::threads
