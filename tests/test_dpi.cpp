// Vornel on screens of other densities. Twips are physical units: at any
// density every window and control keeps its size in inches, which Qt gives
// by scaling device-independent pixels (15 twips each) by the screen's device
// pixel ratio. CTest runs this at 96, 144 and 192 dpi, named in
// VORNEL_TEST_DPI, on the offscreen screen scaled by QT_SCALE_FACTOR.
#include "app/chart_registry.h"
#include "app/menu_window.h"
#include "app/program.h"
#include "chart_model/twips.h"
#include "charts/charts.h"
#include "test_support.h"

#include <QApplication>
#include <QFontInfo>
#include <QListView>
#include <QScreen>
#include <cmath>

using namespace vornel;
using namespace vornel::test;
using namespace Qt::StringLiterals;

namespace {

int screenDpi() {
    const QByteArray dpi = qgetenv("VORNEL_TEST_DPI");
    return dpi.isEmpty() ? 96 : dpi.toInt();
}

qreal expectedRatio() {
    return screenDpi() / 96.0;
}

QRect twips(const TwipRect& r) {
    return {r.left, r.top, r.width, r.height};
}

// A pixel with something drawn on it, on the list's white ground.
bool isInk(QRgb pixel) {
    return qGray(pixel) < 160;
}

// The device-pixel columns [x0, x1) of `image` between rows [y0, y1) that
// hold ink: the first and one past the last, or {-1, -1}.
std::pair<int, int> inkSpan(const QImage& image, int x0, int x1, int y0, int y1) {
    int first = -1;
    int last = -1;
    for (int x = std::max(0, x0); x < std::min(x1, image.width()); ++x)
        for (int y = std::max(0, y0); y < std::min(y1, image.height()); ++y)
            if (isInk(image.pixel(x, y))) {
                if (first < 0)
                    first = x;
                last = x + 1;
                break;
            }
    return {first, last};
}

// The device-pixel rows [y0, y1) of `image` between columns [x0, x1) that
// hold ink, as {first, one past the last}, or {-1, -1}.
std::pair<int, int> inkRows(const QImage& image, int x0, int x1, int y0, int y1) {
    int first = -1;
    int last = -1;
    for (int y = std::max(0, y0); y < std::min(y1, image.height()); ++y)
        for (int x = std::max(0, x0); x < std::min(x1, image.width()); ++x)
            if (isInk(image.pixel(x, y))) {
                if (first < 0)
                    first = y;
                last = y + 1;
                break;
            }
    return {first, last};
}

} // namespace

class TestDpi : public QObject {
    Q_OBJECT
private:
    Program* program_ = nullptr;
    ChartWindow* chart_ = nullptr;

private slots:
    void initTestCase() {
        program_ = new Program;
        QVERIFY(!program_->start());
        QVERIFY(!program_->registry().openChart(1));
        chart_ = program_->registry().window(1);
        QVERIFY(chart_);
        QVERIFY(QTest::qWaitForWindowExposed(program_->menu()));
        QVERIFY(QTest::qWaitForWindowExposed(chart_));
    }
    void cleanupTestCase() {
        delete program_;
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }

    // The screen is as dense as asked, and a point is still 96/72 of a
    // device-independent pixel: fonts grow with the device pixel ratio alone.
    void theScreenHasTheDensity() {
        const QScreen* screen = program_->menu()->screen();
        QCOMPARE(screen->devicePixelRatio(), expectedRatio());
        QCOMPARE(program_->menu()->devicePixelRatioF(), expectedRatio());
        QCOMPARE(chart_->devicePixelRatioF(), expectedRatio());
        QCOMPARE(screen->logicalDotsPerInch(), 96.0);
    }

    void windowsAndControlsKeepTheirPhysicalSize_data() {
        QTest::addColumn<QString>("window");
        QTest::addColumn<QString>("control");
        QTest::addColumn<QRect>("twipRect");
        QTest::newRow("menu") << u"Form1"_s << QString() << QRect(2625, 2205, 5355, 2535);
        QTest::newRow("menu picture") << u"Form1"_s << u"Image1"_s << QRect(4440, 720, 765, 960);
        for (const MenuButton& b : menuButtons()) {
            const QString name = QString::fromLatin1(b.name.data(), qsizetype(b.name.size()));
            QTest::addRow("menu %s", qPrintable(name)) << u"Form1"_s << name << twips(b.rect);
        }
        QTest::newRow("metric chart")
            << u"Form2"_s << QString() << twips(charts::kMetricChart.clientArea);
        QTest::newRow("metric chart list")
            << u"Form2"_s << u"List1"_s << twips(charts::kMetricChart.listRect);
    }
    void windowsAndControlsKeepTheirPhysicalSize() {
        QFETCH(QString, window);
        QFETCH(QString, control);
        QFETCH(QRect, twipRect);
        QWidget* top = window == u"Form1"_s ? static_cast<QWidget*>(program_->menu()) : chart_;
        QCOMPARE(top->objectName(), window);
        QWidget* widget = control.isEmpty() ? top : top->findChild<QWidget*>(control);
        QVERIFY(widget);

        // Device-independent geometry is the same at every density ...
        const QRect expected = pixelsFromTwips(
            TwipRect{twipRect.x(), twipRect.y(), twipRect.width(), twipRect.height()});
        QCOMPARE(widget->geometry(), expected);

        // ... and what is drawn for it covers as many device pixels as its
        // twips take at this density, so its size in inches stays.
        const QPixmap drawn = widget->grab();
        QCOMPARE(drawn.devicePixelRatio(), expectedRatio());
        const qreal dpi = screenDpi();
        const qreal widthInches = drawn.width() / dpi;
        const qreal heightInches = drawn.height() / dpi;
        // Twips round to whole device-independent pixels: up to half of one
        // either way, and one device pixel more for rounding the pixmap.
        const qreal tolerance = 0.5 / 96 + 1 / dpi;
        QVERIFY2(std::abs(widthInches - twipRect.width() / 1440.0) <= tolerance,
                 qPrintable(u"%1 device pixels wide"_s.arg(drawn.width())));
        QVERIFY2(std::abs(heightInches - twipRect.height() / 1440.0) <= tolerance,
                 qPrintable(u"%1 device pixels high"_s.arg(drawn.height())));
    }

    // The list asks for 12 points and gets them: 16 device-independent
    // pixels, drawn as tall as 12 points are at this density.
    void theListFontStaysTwelvePoints() {
        QListView* list = chart_->list();
        const QFontInfo info(list->font());
        QCOMPARE(info.pointSizeF(), 12.0);
        QCOMPARE(info.pixelSize(), 16);

        const QImage image = list->viewport()->grab().toImage();
        const qreal ratio = expectedRatio();
        const QFontMetricsF metrics(list->font());
        // A row's pitch, and the ink of its text from top to bottom.
        const int row = charts::kMetricChart.headingLines;
        const QRect rect = list->visualRect(list->model()->index(row, 0));
        QCOMPARE(rect.height(), QFontMetrics(list->font()).height());
        const QString text = list->model()->index(row, 0).data().toString().section(u'\t', 0, 0);
        const QRectF tight = metrics.tightBoundingRect(text);
        const auto [top, bottom] =
            inkRows(image, 0, int(std::ceil(rect.width() * ratio)), int(rect.top() * ratio),
                    int(std::ceil((rect.bottom() + 1) * ratio)));
        QVERIFY2(top >= 0, "no text drawn in the first data row");
        const qreal inkInches = (bottom - top) / qreal(screenDpi());
        const qreal expectedInches = tight.height() / 96.0;
        QVERIFY2(std::abs(inkInches - expectedInches) <= 2.0 / screenDpi() + 1.0 / 96,
                 qPrintable(u"text %1 device pixels tall, %2 expected"_s.arg(bottom - top)
                                .arg(tight.height() * ratio)));
    }

    // Field k of the column headings and of every data row starts at column
    // k, and the gap before each column is clear of the text before it, as
    // drawn in device pixels at this density. The list is drawn a page at a
    // time.
    void theColumnsStillLineUp() {
        QListView* list = chart_->list();
        const ColumnLayout& layout = chart_->layout();
        const auto columns = layout.columns();
        QVERIFY(columns.size() >= 4);
        const qreal ratio = expectedRatio();
        const int gap = QFontMetrics(list->font()).horizontalAdvance(u'\u3000') / 2;
        const int firstRow = charts::kMetricChart.headingLines - 1;
        QList<QStringList> rows = dataRows(charts::kMetricChart);
        rows.prepend(fields(charts::kMetricChart.lines[std::size_t(firstRow)]));

        int i = 0;
        while (i < rows.size()) {
            const QModelIndex top = list->model()->index(firstRow + i, 0);
            list->scrollTo(top, QAbstractItemView::PositionAtTop);
            const QImage image = list->viewport()->grab().toImage();
            const int before = i;
            for (; i < rows.size(); ++i) {
                const int row = firstRow + i;
                const QRect rect = list->visualRect(list->model()->index(row, 0));
                if (rect.bottom() >= list->viewport()->height())
                    break;
                const int y0 = int(rect.top() * ratio);
                const int y1 = int((rect.bottom() + 1) * ratio);
                for (int k = 1; k < rows[i].size(); ++k) {
                    if (rows[i][k].isEmpty())
                        continue;
                    const int start = int(std::lround(columns[std::size_t(k)] * ratio));
                    const int gutter =
                        int(std::lround((columns[std::size_t(k)] - gap / 2) * ratio));
                    const int overrun = inkSpan(image, gutter, start - 1, y0, y1).second;
                    QVERIFY2(overrun < 0,
                             qPrintable(u"row %1: the text before column %2 "
                                        u"reaches x=%3; the column starts at %4"_s.arg(row)
                                            .arg(k)
                                            .arg(overrun)
                                            .arg(start)));
                    const int textStart =
                        inkSpan(image, start - 1, start + int(gap * ratio), y0, y1).first;
                    QVERIFY2(
                        textStart >= 0,
                        qPrintable(u"row %1: '%2' does not start at column %3 (x=%4)"_s.arg(row)
                                       .arg(rows[i][k])
                                       .arg(k)
                                       .arg(start)));
                }
            }
            QVERIFY2(i > before, "not one row fits the list");
        }
    }
};

QTEST_MAIN(TestDpi)
#include "test_dpi.moc"
