// Every text of every window readable under a light, a dark and a
// high-contrast palette: the colours of the rendered window, text against the
// ground around it, keep a luminance contrast of at least 4.5 : 1, when the
// window opens under the palette and when the palette changes while it is
// open.
#include "app/chart_registry.h"
#include "app/menu_window.h"
#include "charts/charts.h"
#include "search/search_index.h"
#include "test_support.h"
#include "windows/chart_window.h"
#include "windows/search_window.h"

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QApplication>
#include <QHash>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QStyle>
#include <QStyleFactory>
#include <QTableView>
#include <QTreeWidget>
#include <cmath>
#include <functional>
#include <memory>

using namespace vornel;
using namespace Qt::StringLiterals;

namespace {

QPalette lightPalette() {
    const std::unique_ptr<QStyle> fusion(QStyleFactory::create(u"Fusion"_s));
    return fusion->standardPalette();
}

QPalette palette(QColor window, QColor base, QColor text, QColor highlight,
                 QColor highlightedText) {
    QPalette p(text, window, window.lighter(), window.darker(), window.darker(150), text, text,
               base, window);
    p.setColor(QPalette::Highlight, highlight);
    p.setColor(QPalette::HighlightedText, highlightedText);
    return p;
}

// As a dark desktop theme gives it, with the light theme's selection colours.
QPalette darkPalette() {
    return palette(QColor(53, 53, 53), QColor(36, 36, 36), QColor(240, 240, 240),
                   QColor(48, 140, 198), QColor(240, 240, 240));
}

// Black on white, selected lines white on black.
QPalette highContrastPalette() {
    return palette(Qt::white, Qt::white, Qt::black, Qt::black, Qt::white);
}

using Palettes = QList<std::pair<const char*, QPalette (*)()>>;
const Palettes kPalettes = {
    {"light", lightPalette}, {"dark", darkPalette}, {"high contrast", highContrastPalette}};

// The WCAG contrast ratio of two pixels.
double contrast(QRgb a, QRgb b) {
    const auto luminance = [](QRgb c) {
        const auto linear = [](int v) {
            const double s = v / 255.0;
            return s <= 0.04045 ? s / 12.92 : std::pow((s + 0.055) / 1.055, 2.4);
        };
        return 0.2126 * linear(qRed(c)) + 0.7152 * linear(qGreen(c)) + 0.0722 * linear(qBlue(c));
    };
    const double la = luminance(a);
    const double lb = luminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

// Within `rect` of `image`: the ground is the commonest colour, the text the
// pixel furthest from it; their contrast.
double textContrast(const QImage& image, const QRect& rect) {
    QHash<QRgb, int> counts;
    const QRect r = rect.intersected(image.rect());
    for (int y = r.top(); y <= r.bottom(); ++y)
        for (int x = r.left(); x <= r.right(); ++x)
            ++counts[image.pixel(x, y) | 0xff000000];
    QRgb ground = 0;
    int most = 0;
    for (auto it = counts.cbegin(); it != counts.cend(); ++it)
        if (it.value() > most)
            std::tie(ground, most) = std::pair(it.key(), it.value());
    double best = 1;
    for (auto it = counts.cbegin(); it != counts.cend(); ++it)
        best = std::max(best, contrast(it.key(), ground));
    return best;
}

// Where a window draws its texts, in its own coordinates: each button's
// caption and each label's and line edit's text, and in item views the first
// line, the current (selected) one and the one after it. Rectangles are
// taken a few pixels inside the control or line, clear of its frame.
QList<std::pair<QString, QRect>> textPlaces(QWidget* window) {
    QList<std::pair<QString, QRect>> places;
    // `rect` in the coordinates of `on`, a part of `w`.
    const auto add = [&](const QWidget* w, const QWidget* on, const QString& what, QRect rect,
                         int inset) {
        rect = rect.adjusted(inset, inset, -inset, -inset);
        rect.moveTopLeft(on->mapTo(window, rect.topLeft()));
        places.append({w->objectName() + u' ' + what, rect.intersected(window->rect())});
    };
    for (QWidget* w : window->findChildren<QWidget*>()) {
        // A hidden part draws nothing where its place would be.
        if (!w->isVisibleTo(window))
            continue;
        if (auto* button = qobject_cast<QAbstractButton*>(w); button && !button->text().isEmpty())
            add(w, w, button->text(), w->rect(), 4);
        if (auto* label = qobject_cast<QLabel*>(w); label && !label->text().isEmpty())
            add(w, w, label->text(),
                label->fontMetrics().boundingRect(label->contentsRect(), int(label->alignment()),
                                                  label->text()),
                0);
        if (auto* edit = qobject_cast<QLineEdit*>(w); edit && !edit->text().isEmpty())
            add(w, w, edit->text(), w->rect(), 4);
        if (auto* header = qobject_cast<QHeaderView*>(w)) {
            add(w, header->viewport(), u"heading 1"_s,
                QRect(header->sectionViewportPosition(0), 0, header->sectionSize(0),
                      header->height()),
                3);
            continue;
        }
        if (auto* view = qobject_cast<QAbstractItemView*>(w)) {
            const QModelIndex current = view->currentIndex();
            for (const QModelIndex& index :
                 {view->model()->index(0, 0), current, current.siblingAtRow(current.row() + 1)}) {
                if (index.isValid())
                    add(view, view->viewport(),
                        u"line %1%2"_s.arg(index.row() + 1)
                            .arg(view->selectionModel()->isSelected(index) ? " (selected)" : ""),
                        view->visualRect(index), 2);
            }
        }
    }
    return places;
}

// One window of the program as the user sees it, opened by the test.
struct Window {
    QString name;
    std::function<QWidget*(ChartRegistry&)> open;
};

QList<Window> windows() {
    QList<Window> list{{u"menu"_s, [](ChartRegistry& r) { return new MenuWindow(r); }}};
    for (const ChartDefinition* chart : charts::allCharts()) {
        list.append({QString::fromLatin1(chart->identifier), [chart](ChartRegistry&) {
                         auto* window = new ChartWindow(*chart);
                         window->list()->setCurrentIndex(
                             window->list()->model()->index(chart->headingLines + 1, 0));
                         return window;
                     }});
    }
    list.append({u"search"_s, [](ChartRegistry&) {
                     static const search::SearchIndex index(charts::allCharts());
                     auto* window = new search::SearchWindow(index);
                     window->setQuery(u"M8"_s);
                     window->resultsTable()->selectRow(1);
                     // Away from the query field, whose blinking cursor would
                     // make two pictures of the same window differ.
                     window->resultsTable()->setFocus();
                     // The query field's clear button fades in once it has
                     // text; the pictures are taken after that.
                     QTest::qWait(250);
                     return window;
                 }});
    // An empty query: the examples in their quiet colours.
    list.append({u"search, examples"_s, [](ChartRegistry&) {
                     static const search::SearchIndex index(charts::allCharts());
                     auto* window = new search::SearchWindow(index);
                     window->examplesList()->setCurrentIndex(
                         window->examplesList()->model()->index(1, 0));
                     window->examplesList()->setFocus();
                     return window;
                 }});
    return list;
}

} // namespace

class TestThemeContrast : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { QApplication::setStyle(u"Fusion"_s); }

    void textsAreReadable_data() {
        QTest::addColumn<int>("window");
        QTest::addColumn<int>("palette");
        const QList<Window> all = windows();
        for (int w = 0; w < all.size(); ++w)
            for (int p = 0; p < kPalettes.size(); ++p)
                QTest::addRow("%s, %s", qPrintable(all[w].name), kPalettes[p].first) << w << p;
    }
    void textsAreReadable() {
        QFETCH(int, window);
        QFETCH(int, palette);
        ChartRegistry registry(charts::allCharts());
        const auto setPalette = [](int p) {
            QApplication::setPalette(kPalettes[p].second());
            QCoreApplication::processEvents(); // the windows hear of it
        };
        const auto open = [&] {
            std::unique_ptr<QWidget> widget(windows()[window].open(registry));
            widget->show();
            // Active, as a window the user looks at: the colours of an
            // inactive one differ, and so would two pictures of it.
            widget->activateWindow();
            if (!QTest::qWaitForWindowActive(widget.get()))
                qWarning("%s did not become active", qPrintable(widget->objectName()));
            return widget;
        };
        setPalette(palette);
        std::unique_ptr<QWidget> widget = open();
        QVERIFY(QTest::qWaitForWindowExposed(widget.get()));
        const QImage image = widget->grab().toImage();
        const auto places = textPlaces(widget.get());
        QVERIFY(!places.isEmpty());
        for (const auto& [what, rect] : places) {
            const double ratio = textContrast(image, rect);
            qInfo("%s under the %s palette: %s: %.2f : 1", qPrintable(widget->objectName()),
                  kPalettes[palette].first, qPrintable(what), ratio);
            QVERIFY2(ratio >= 4.5, qPrintable(u"%1: %2 : 1"_s.arg(what).arg(ratio)));
        }
        // Selected lines keep the theme's text colour; their ground moves.
        for (const QAbstractItemView* view : widget->findChildren<QAbstractItemView*>())
            QCOMPARE(view->palette().color(QPalette::HighlightedText),
                     kPalettes[palette].second().color(QPalette::HighlightedText));

        // The next palette, set while the window is open, applies at once: the
        // window looks as one opened under it.
        setPalette((palette + 1) % int(kPalettes.size()));
        const QImage changed = widget->grab().toImage();
        widget = open();
        QVERIFY(QTest::qWaitForWindowExposed(widget.get()));
        QCOMPARE(changed, widget->grab().toImage());
    }
};

QTEST_MAIN(TestThemeContrast)
#include "test_theme_contrast.moc"
