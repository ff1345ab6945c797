#pragma once

#include <QStringList>
#include <initializer_list>

namespace vornel {

// Every family name a face is known by: its Latin name and, for the Japanese
// faces the windows ask for, its Japanese one. Fontconfig knows both, and
// QFontDatabase::families() lists the face by the one of the locale's
// language: under ja_JP.UTF-8 "IPA Pゴシック", under any other "IPAPGothic".
QStringList familyNames(QStringView latinName);

// Of the faces given by their Latin names, those that are installed, each by
// the name QFontDatabase::families() lists it by, in the order given. The
// installed families are looked up once, by name alone.
QStringList installedFaces(std::initializer_list<QStringView> latinNames);

} // namespace vornel
