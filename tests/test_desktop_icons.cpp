// The icons and the menu picture: the program shows the shipped chart.ico and
// menu.gif pixel for pixel, and the desktop icons, one at each size the menus
// of a desktop ask for, are each the chart icon's drawing.
#include "app/menu_window.h"
#include "app/program.h"
#include "assets/assets.h"

#include <QApplication>
#include <QImage>
#include <QLabel>
#include <QTest>
#include <cstdlib>

using namespace Qt::StringLiterals;

namespace {

// The mean difference of two images of one size, per colour channel, 0-255.
double meanDifference(const QImage& a, const QImage& b) {
    long long sum = 0;
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x) {
            const QRgb p = a.pixel(x, y);
            const QRgb q = b.pixel(x, y);
            sum += std::abs(qRed(p) - qRed(q)) + std::abs(qGreen(p) - qGreen(q)) +
                   std::abs(qBlue(p) - qBlue(q));
        }
    return double(sum) / (3.0 * a.width() * a.height());
}

// A shipped asset, decoded by Qt's image plugins.
QImage shipped(const QString& name) {
    return QImage(u"%1/assets/%2"_s.arg(QStringLiteral(VORNEL_SOURCE_DIR), name))
        .convertToFormat(QImage::Format_ARGB32);
}

} // namespace

class TestDesktopIcons : public QObject {
    Q_OBJECT
private slots:
    // Decoded when the program is built, the icon and the picture are still
    // the shipped files' pixels: in the menu's window icon, on the menu as it
    // is drawn, and in the chart windows' icon.
    void theProgramShowsTheShippedPixels() {
        const QImage ico = shipped(u"chart.ico"_s);
        const QImage gif = shipped(u"menu.gif"_s);
        QCOMPARE(ico.size(), QSize(32, 32));
        QCOMPARE(gif.size(), QSize(51, 64));

        vornel::Program program;
        QVERIFY(!program.start());
        QWidget* menu = program.menu();
        QCOMPARE(menu->windowIcon()
                     .pixmap(QSize(32, 32))
                     .toImage()
                     .convertToFormat(QImage::Format_ARGB32),
                 ico);
        QCOMPARE(vornel::assets::chartIcon().availableSizes(), QList<QSize>{QSize(32, 32)});
        QVERIFY(QTest::qWaitForWindowExposed(menu));
        auto* picture = menu->findChild<QLabel*>(u"Image1"_s);
        QVERIFY(picture);
        QCOMPARE(picture->grab().toImage().convertToFormat(QImage::Format_ARGB32), gif);
    }

    void drawnLikeTheChartIcon_data() {
        QTest::addColumn<int>("size");
        for (int size : {16, 32, 48, 256})
            QTest::addRow("%d px", size) << size;
    }
    void drawnLikeTheChartIcon() {
        QFETCH(int, size);
        const QString path = u"%1/assets/hicolor/%2x%2/apps/io.github.vornel.Vornel.png"_s
                                 .arg(QStringLiteral(VORNEL_SOURCE_DIR))
                                 .arg(size);
        const QImage icon(path);
        QVERIFY2(!icon.isNull(), qPrintable(path));
        QCOMPARE(icon.size(), QSize(size, size));
        QVERIFY(!icon.hasAlphaChannel());

        // The chart icon, 32 pixels, scaled to this size. Resampling the two
        // drawings differently leaves a few levels on average; another
        // drawing, or this one mirrored, differs by some forty.
        const QImage chart =
            shipped(u"chart.ico"_s)
                .convertToFormat(QImage::Format_RGB32)
                .scaled(size, size, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
        const QImage rgb = icon.convertToFormat(QImage::Format_RGB32);
        QVERIFY2(meanDifference(rgb, chart) < 12.0,
                 qPrintable(QString::number(meanDifference(rgb, chart))));
        QVERIFY(meanDifference(rgb.mirrored(true, false), chart) > 24.0);
    }
};

QTEST_MAIN(TestDesktopIcons)
#include "test_desktop_icons.moc"
