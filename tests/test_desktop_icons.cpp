// The desktop icons: one at each size the menus of a desktop ask for, each
// the chart icon's drawing, as the asset script writes them.
#include <QImage>
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

} // namespace

class TestDesktopIcons : public QObject {
    Q_OBJECT
private slots:
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
            QImage(u":/vornel/chart.ico"_s)
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
