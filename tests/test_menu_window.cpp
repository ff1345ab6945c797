// The menu window and start-up: layout, keyboard order, what each button
// opens and when the program ends.
#include "app/chart_registry.h"
#include "app/menu_window.h"
#include "app/program.h"
#include "app/run_time_error_report.h"
#include "charts/charts.h"
#include "test_support.h"
#include "windows/chart_window.h"

#include <QAccessible>
#include <QApplication>
#include <QFontDatabase>
#include <QFontInfo>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QSignalSpy>
#include <QStyle>
#include <QStyleOptionButton>
#include <QTimer>

using namespace vornel;
using namespace vornel::test;
using namespace Qt::StringLiterals;

namespace {

QPushButton* button(const QWidget* menu, int number) {
    return menu->findChild<QPushButton*>(u"Command%1"_s.arg(number));
}

void flushDeletes() {
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

// The menu, counting its paints.
class PaintedMenu final : public MenuWindow {
public:
    using MenuWindow::MenuWindow;
    int paints = 0;

protected:
    void paintEvent(QPaintEvent* event) override {
        ++paints;
        MenuWindow::paintEvent(event);
    }
};

} // namespace

class TestMenuWindow : public QObject {
    Q_OBJECT
private slots:
    void cleanup() {
        for (QWidget* w : QApplication::topLevelWidgets())
            w->close();
        flushDeletes();
    }

    void window() {
        Program program;
        QVERIFY(!program.start());
        MenuWindow* menu = program.menu();
        QCOMPARE(menu->objectName(), u"Form1"_s);
        QCOMPARE(menu->windowTitle(), u"Vornel"_s);
        QCOMPARE(menu->geometry(), QRect(175, 147, 357, 169));
        QVERIFY(!menu->windowIcon().isNull());
        QVERIFY(menu->isVisible());
        QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(menu);
        QCOMPARE(accessible->role(), QAccessible::Window);
        QCOMPARE(accessible->text(QAccessible::Name), u"Vornel"_s);
        // The installed desktop entry and icon go by this name.
        QCOMPARE(QGuiApplication::desktopFileName(), u"io.github.vornel.Vornel"_s);
        // Start-up shows the menu and nothing else.
        for (int position = 1; position <= ChartRegistry::kSize; ++position)
            QVERIFY(!program.registry().window(position));

        auto* picture = menu->findChild<QLabel*>(u"Image1"_s);
        QVERIFY(picture);
        QCOMPARE(picture->geometry(), QRect(296, 48, 51, 64));
        QCOMPARE(picture->pixmap().size(), QSize(51, 64));
        QCOMPARE(picture->focusPolicy(), Qt::NoFocus);
    }

    // The search window is built while the program waits, after the menu's
    // first paint: the menu is not painted again for it.
    void preparingTheSearchPaintsNothingAgain() {
        PaintedMenu* menu = nullptr;
        Program program(
            {}, [&menu](ChartRegistry& registry) { return menu = new PaintedMenu(registry); });
        QVERIFY(!program.start());
        QTRY_COMPARE(menu->paints, 1);
        // The menu and the search window, hidden.
        QTRY_COMPARE(QApplication::topLevelWidgets().size(), 2);
        QTest::qWait(200);
        QCOMPARE(menu->paints, 1);
    }

    void buttons_data() {
        QTest::addColumn<int>("number");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<QRect>("rect");
        QTest::newRow("1") << 1 << u"メートルねじ"_s << QRect(0, 0, 289, 25);
        QTest::newRow("10") << 10 << u"溝なしタップメ－トルねじ"_s << QRect(0, 24, 289, 25);
        QTest::newRow("8") << 8 << u"インサートメートルねじ"_s << QRect(0, 48, 289, 25);
        QTest::newRow("5") << 5 << u"英式管用テーパねじ"_s << QRect(0, 72, 145, 25);
        QTest::newRow("6") << 6 << u"英式管用平行ねじ（G、PF）"_s << QRect(144, 72, 145, 25);
        QTest::newRow("7") << 7 << u"アメリカ標準管用ねじ（NPT、NPS）"_s << QRect(0, 96, 289, 25);
        QTest::newRow("2") << 2 << u"ユニファイねじ"_s << QRect(0, 120, 145, 25);
        QTest::newRow("9") << 9 << u"インサートユニファイねじ"_s << QRect(144, 120, 145, 25);
        QTest::newRow("4") << 4 << u"ウィットねじ（メートル呼び）"_s << QRect(0, 144, 145, 25);
        QTest::newRow("3") << 3 << u"ウィットねじ（インチ呼び）"_s << QRect(144, 144, 145, 25);
    }
    void buttons() {
        QFETCH(int, number);
        QFETCH(QString, caption);
        QFETCH(QRect, rect);
        Program program;
        QVERIFY(!program.start());
        QPushButton* b = button(program.menu(), number);
        QVERIFY(b);
        QCOMPARE(b->text(), caption);
        // A screen reader says "メートル" where the caption writes "メ－トル",
        // for the button and for its window.
        const QString spoken = QString(caption).replace(u"メ－トル"_s, u"メートル"_s);
        QCOMPARE(QAccessible::queryAccessibleInterface(b)->text(QAccessible::Name), spoken);
        QCOMPARE(b->geometry(), rect);
        QVERIFY(!b->isDefault());
        QVERIFY(!b->autoDefault());
        QVERIFY(b->shortcut().isEmpty());
        // The theme's button colours are readable here: the buttons keep the
        // palette they inherit, and the style draws one face for them all.
        QVERIFY(!b->testAttribute(Qt::WA_SetPalette));
        // The whole caption can be read.
        QStyleOptionButton option;
        option.initFrom(b);
        const QRect contents =
            b->style()->subElementRect(QStyle::SE_PushButtonContents, &option, b);
        QVERIFY2(b->fontMetrics().horizontalAdvance(caption) <= contents.width(),
                 qPrintable(QString::number(b->fontMetrics().horizontalAdvance(caption))));

        // Each button opens its own chart, once.
        QTest::mouseClick(b, Qt::LeftButton);
        QTest::mouseClick(b, Qt::LeftButton);
        const ChartDefinition* chart = program.registry().chart(number);
        ChartWindow* window = program.registry().window(number);
        QVERIFY(chart);
        QVERIFY(window && window->isVisible());
        QCOMPARE(window->objectName(), u"Form%1"_s.arg(number + 1));
        QCOMPARE(&window->chart(), chart);
        QCOMPARE(QAccessible::queryAccessibleInterface(window)->text(QAccessible::Name), spoken);
        int copies = 0;
        for (QWidget* w : QApplication::topLevelWidgets())
            copies += w->isVisible() && w->objectName() == window->objectName();
        QCOMPARE(copies, 1);
    }

    // The interface font names the Japanese faces that are installed, then
    // the system's; the captions come out in the same face and at the same
    // widths as when every face is named, installed or not, by any of its
    // names (under ja_JP.UTF-8 fontconfig lists IPA P Gothic by its Japanese
    // one).
    void interfaceFontNamesTheInstalledFaces() {
        const QFont system(u"Sans Serif"_s, 9);
        const QFont font = japaneseInterfaceFont(system);
        QCOMPARE(font.families().last(), u"Sans Serif"_s);
        for (qsizetype i = 0; i + 1 < font.families().size(); ++i)
            QVERIFY2(QFontDatabase::hasFamily(font.families()[i]), qPrintable(font.families()[i]));
        QFont everyFace = system;
        everyFace.setFamilies({u"MS UI Gothic"_s, u"IPAPGothic"_s, u"IPA Pゴシック"_s,
                               u"VL PGothic"_s, u"Sans Serif"_s});
        const QString face = QFontInfo(font).family();
        QVERIFY2(face == u"MS UI Gothic"_s || face == u"IPAPGothic"_s || face == u"IPA Pゴシック"_s,
                 qPrintable(face));
        QCOMPARE(face, QFontInfo(everyFace).family());
        for (const MenuButton& b : menuButtons())
            QCOMPARE(QFontMetrics(font).horizontalAdvance(qs(b.caption)),
                     QFontMetrics(everyFace).horizontalAdvance(qs(b.caption)));
    }

    void keyboardOrderFollowsTheButtonNumbers() {
        Program program;
        QVERIFY(!program.start());
        MenuWindow* menu = program.menu();
        QApplication::setActiveWindow(menu);
        QVERIFY(QTest::qWaitForWindowActive(menu));
        QCOMPARE(QApplication::focusWidget(), button(menu, 1));
        for (int step = 2; step <= 11; ++step) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            QCOMPARE(QApplication::focusWidget(), button(menu, (step - 1) % 10 + 1));
        }
    }

    // "すべての表を印刷…" in the context menu, after "検索…", and Ctrl+P on a
    // button open the preview of all the charts.
    void printAllOpensThePreview() {
        Program program;
        QVERIFY(!program.start());
        MenuWindow* menu = program.menu();
        QApplication::setActiveWindow(menu);
        QVERIFY(QTest::qWaitForWindowActive(menu));
        QVERIFY(menu->actions().size() >= 2);
        QCOMPARE(menu->actions()[1]->text(), u"すべての表を印刷…"_s);
        QString title;
        QTimer::singleShot(0, menu, [&] {
            if (auto* preview = qobject_cast<QDialog*>(QApplication::activeModalWidget())) {
                title = preview->windowTitle();
                preview->reject();
            }
        });
        QTest::keySequence(button(menu, 1), QKeySequence(QKeySequence::Print));
        QCOMPARE(title, u"印刷プレビュー - Vornel すべての表"_s);
    }

    // Space, Enter and the keypad's Enter press the focused button, and only
    // it; a key held down presses it once.
    void keysPressTheFocusedButton_data() {
        QTest::addColumn<int>("key");
        QTest::addColumn<Qt::KeyboardModifiers>("modifiers");
        QTest::addColumn<int>("tabs");
        QTest::newRow("Space on Command1") << int(Qt::Key_Space) << Qt::KeyboardModifiers() << 0;
        QTest::newRow("Enter on Command1") << int(Qt::Key_Return) << Qt::KeyboardModifiers() << 0;
        QTest::newRow("Enter on Command4") << int(Qt::Key_Return) << Qt::KeyboardModifiers() << 3;
        QTest::newRow("keypad Enter on Command10")
            << int(Qt::Key_Enter) << Qt::KeyboardModifiers(Qt::KeypadModifier) << 9;
    }
    void keysPressTheFocusedButton() {
        QFETCH(int, key);
        QFETCH(Qt::KeyboardModifiers, modifiers);
        QFETCH(int, tabs);
        Program program;
        QVERIFY(!program.start());
        MenuWindow* menu = program.menu();
        QApplication::setActiveWindow(menu);
        QVERIFY(QTest::qWaitForWindowActive(menu));
        for (int i = 0; i < tabs; ++i)
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        const int number = tabs + 1;
        QCOMPARE(QApplication::focusWidget(), button(menu, number));
        QSignalSpy clicks(button(menu, number), &QPushButton::clicked);
        const auto k = Qt::Key(key);
        QTest::keyPress(button(menu, number), k, modifiers);
        QTest::simulateEvent(button(menu, number), true, k, modifiers, QString(), true);
        QTest::keyRelease(button(menu, number), k, modifiers);
        QCOMPARE(clicks.size(), 1);
        for (int position = 1; position <= ChartRegistry::kSize; ++position)
            QCOMPARE(bool(program.registry().window(position)), position == number);
        QVERIFY(program.registry().window(number)->isVisible());
    }

    void theProgramEndsWithItsLastWindow_data() {
        QTest::addColumn<bool>("menuFirst");
        QTest::newRow("menu closed first") << true;
        QTest::newRow("charts closed first") << false;
    }
    void theProgramEndsWithItsLastWindow() {
        QFETCH(bool, menuFirst);
        Program program;
        QVERIFY(!program.start());
        QTest::mouseClick(button(program.menu(), 1), Qt::LeftButton);
        QTest::mouseClick(button(program.menu(), 1) /* same chart again */, Qt::LeftButton);
        QVERIFY(program.registry().window(1));

        // Close the windows one by one from the running event loop; after
        // each close but the last, the loop must still be running.
        QList<std::function<void()>> closes;
        if (menuFirst) {
            closes = {[&] { program.menu()->close(); },
                      [&] { program.registry().window(1)->close(); }};
        } else {
            closes = {[&] { program.registry().window(1)->close(); },
                      [&] { button(program.menu(), 1)->click(); },
                      [&] { program.registry().window(1)->close(); },
                      [&] { program.menu()->close(); }};
        }
        int done = 0;
        QTimer steps;
        connect(&steps, &QTimer::timeout, [&] {
            if (done < closes.size())
                closes[done++]();
        });
        steps.start(30);
        QTimer::singleShot(10000, [] { QCoreApplication::exit(99); });
        const int status = QApplication::exec();
        QCOMPARE(status, 0);
        QCOMPARE(done, closes.size());
    }
};

QTEST_MAIN(TestMenuWindow)
#include "test_menu_window.moc"
