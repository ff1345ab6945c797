#pragma once

#include <string>
#include <string_view>

namespace vornel::threads {

// The text that queries and designations are read in: NFKC; one sign for
// "×", one for the hyphens, dashes and the long-vowel mark, one for the marks
// of a diameter ("φ"); "/" for the fraction slash and for the middle dot
// between digits, "." for the ideographic full stop before a digit (what the
// slash and point keys give with the input method on); without spaces,
// zero-width characters and "※". Latin letters keep the case typed, for a
// tolerance class says by it whose it is ("6H", "6g"); every other letter is
// case folded. The reader compares everything else in either case.
std::u16string normalizedText(std::u16string_view text);

constexpr bool isDigit(char16_t c) {
    return c >= u'0' && c <= u'9';
}

// A Latin letter in lower case; anything else as it is.
constexpr char16_t lowerLatin(char16_t c) {
    return c >= u'A' && c <= u'Z' ? static_cast<char16_t>(c + (u'a' - u'A')) : c;
}

constexpr bool isLatinLetter(char16_t c) {
    return lowerLatin(c) >= u'a' && lowerLatin(c) <= u'z';
}

// Normalised text with its Latin letters in lower case, for a reader to
// which their case means nothing.
std::u16string inLowerCase(std::u16string normalized);

} // namespace vornel::threads
