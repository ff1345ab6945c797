#include "windows/japanese_faces.h"

#include <QFontDatabase>

namespace vornel {
namespace {

struct Names {
    QStringView latin;
    QStringView japanese;
};

// The faces whose Japanese family name differs from the Latin one.
constexpr Names kJapaneseNames[] = {
    {u"MS PGothic", u"ＭＳ Ｐゴシック"},
    {u"IPAPGothic", u"IPA Pゴシック"},
    {u"VL PGothic", u"VL Pゴシック"},
};

} // namespace

QStringList familyNames(QStringView latinName) {
    QStringList names{latinName.toString()};
    for (const Names& face : kJapaneseNames)
        if (face.latin.compare(latinName, Qt::CaseInsensitive) == 0)
            names.append(face.japanese.toString());
    return names;
}

QStringList installedFaces(std::initializer_list<QStringView> latinNames) {
    // QFontDatabase::hasFamily() would find a face by any name, but for a
    // face that is missing it has fontconfig look for aliases of it.
    const QStringList installed = QFontDatabase::families();
    QStringList faces;
    for (const QStringView latinName : latinNames)
        for (const QString& name : familyNames(latinName))
            if (installed.contains(name, Qt::CaseInsensitive)) {
                faces.append(name);
                break;
            }
    return faces;
}

} // namespace vornel
