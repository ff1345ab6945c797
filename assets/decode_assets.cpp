// Decodes the icon and the menu picture when the program is built and writes
// their pixels as C++ constants, so that the program draws them without
// loading an image plugin:
//   vornel_decode_assets chart.ico menu.gif OUTPUT.cpp
#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QTextStream>
#include <cstdio>

namespace {

// Opaque images become RGB32, which needs no alpha blending when drawn.
QImage drawable(const QImage& decoded) {
    const QImage argb = decoded.convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < argb.height(); ++y)
        for (int x = 0; x < argb.width(); ++x)
            if (qAlpha(argb.pixel(x, y)) != 255)
                return argb;
    return decoded.convertToFormat(QImage::Format_RGB32);
}

struct Named {
    const char* name;
    QImage image;
};

void writeBits(QTextStream& out, const Named& n) {
    out << "alignas(16) const uchar k" << n.name << "Bits[] = {";
    for (int y = 0; y < n.image.height(); ++y) {
        const uchar* row = n.image.constScanLine(y);
        for (int i = 0; i < n.image.width() * 4; ++i)
            out << (i % 16 == 0 ? "\n    " : " ") << int(row[i]) << ',';
    }
    out << "\n};\n";
}

void writeImage(QTextStream& out, const Named& n) {
    out << "const RawImage k" << n.name << "Pixels{" << n.image.width() << ", " << n.image.height()
        << ", QImage::Format(" << int(n.image.format()) << "), k" << n.name << "Bits};\n";
}

} // namespace

int main(int argc, char* argv[]) {
    QCoreApplication app(argc, argv);
    if (argc != 4) {
        std::fprintf(stderr, "usage: %s ICON PICTURE OUTPUT\n", argv[0]);
        return 2;
    }
    const QImage icon(QString::fromLocal8Bit(argv[1]));
    const QImage picture(QString::fromLocal8Bit(argv[2]));
    if (icon.isNull() || picture.isNull()) {
        std::fprintf(stderr, "%s: cannot decode %s or %s\n", argv[0], argv[1], argv[2]);
        return 1;
    }
    QFile file(QString::fromLocal8Bit(argv[3]));
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate)) {
        std::fprintf(stderr, "%s: cannot write %s\n", argv[0], argv[3]);
        return 1;
    }
    const Named images[] = {{"ChartIcon", drawable(icon)}, {"MenuPicture", drawable(picture)}};
    QTextStream out(&file);
    out << "// Written by vornel_decode_assets from " << QFileInfo(argv[1]).fileName() << " and "
        << QFileInfo(argv[2]).fileName()
        << ".\n#include \"assets/asset_pixels.h\"\n\nnamespace vornel::assets {\nnamespace {\n\n";
    for (const Named& n : images)
        writeBits(out, n);
    out << "\n} // namespace\n\n";
    for (const Named& n : images)
        writeImage(out, n);
    out << "\n} // namespace vornel::assets\n";
    return out.status() == QTextStream::Ok && file.flush() ? 0 : 1;
}
