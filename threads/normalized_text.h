#pragma once

#include <string>
#include <string_view>

namespace vornel::threads {

// The text that queries and designations are read in: NFKC, lower case, one
// sign for "×", one for the hyphens, dashes and the long-vowel mark, one for
// the marks of a diameter ("φ"), "/" for the fraction slash, without spaces,
// zero-width characters and "※".
std::u16string normalizedText(std::u16string_view text);

} // namespace vornel::threads
