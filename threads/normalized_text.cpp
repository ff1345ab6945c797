#include "threads/normalized_text.h"

#include <QString>

namespace vornel::threads {

namespace {

bool isDigitAt(const QString& text, qsizetype at) {
    return at >= 0 && at < text.size() && isDigit(text[at].unicode());
}

} // namespace

std::u16string normalizedText(std::u16string_view text) {
    const QString compatible = QString::fromUtf16(text.data(), static_cast<qsizetype>(text.size()))
                                   .normalized(QString::NormalizationForm_KC);
    std::u16string out;
    out.reserve(static_cast<std::size_t>(compatible.size()));
    for (qsizetype i = 0; i < compatible.size(); ++i) {
        const QChar ch = compatible[i];
        char16_t c = isLatinLetter(ch.unicode()) ? ch.unicode() : ch.toCaseFolded().unicode();
        switch (c) {
        // Nothing to read: "※", and what a paste brings along unseen (zero
        // width spaces and joiners, the word joiner, the byte order mark).
        case u'※':
        case u'\u200b':
        case u'\u200c':
        case u'\u200d':
        case u'\u2060':
        case u'\ufeff':
            continue;
        case u'×':
        case u'*':
        case u'✕':
        case u'✖':
            c = u'x';
            break;
        // Hyphens, dashes and minus signs, and the long-vowel mark that the
        // hyphen key gives with the input method on.
        case u'‐':
        case u'‑':
        case u'‒':
        case u'–':
        case u'—':
        case u'―':
        case u'−':
        case u'ー':
            c = u'-';
            break;
        // NFKC writes "½" as "1⁄2".
        case u'⁄':
            c = u'/';
            break;
        // The slash key with the input method on: "・" ("･" in NFKC), read as
        // the fraction's slash between digits: "１・４".
        case u'・':
            if (isDigitAt(compatible, i - 1) && isDigitAt(compatible, i + 1))
                c = u'/';
            break;
        // Its point key: "。" ("｡" in NFKC), read as the decimal point before
        // a digit: "６。８", "。３７５".
        case u'。':
            if (isDigitAt(compatible, i + 1))
                c = u'.';
            break;
        // The marks of a diameter: φ, ϕ, ø (Ø folded), ⌀, and the empty-set
        // sign that catalogues print for it.
        case u'ϕ':
        case u'ø':
        case u'⌀':
        case u'∅':
            c = u'φ';
            break;
        default:
            if (ch.isSpace())
                continue;
        }
        out.push_back(c);
    }
    return out;
}

std::u16string inLowerCase(std::u16string normalized) {
    for (char16_t& c : normalized)
        c = lowerLatin(c);
    return normalized;
}

} // namespace vornel::threads
