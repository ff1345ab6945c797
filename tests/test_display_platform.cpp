// The choice of Qt platform at start-up, from the display variables.
#include "app/display_platform.h"

#include <QTest>

using namespace vornel;

class TestDisplayPlatform : public QObject {
    Q_OBJECT
private slots:
    void choice_data() {
        QTest::addColumn<QByteArray>("wayland");
        QTest::addColumn<QByteArray>("x11");
        QTest::addColumn<QByteArray>("chosen");
        QTest::addColumn<QByteArray>("expected");
        QTest::newRow("X11 alone")
            << QByteArray() << QByteArray(":0") << QByteArray() << QByteArray();
        QTest::newRow("Wayland and XWayland")
            << QByteArray("wayland-0") << QByteArray(":0") << QByteArray() << QByteArray("xcb");
        QTest::newRow("Wayland alone")
            << QByteArray("wayland-0") << QByteArray() << QByteArray() << QByteArray("wayland");
        QTest::newRow("no display") << QByteArray() << QByteArray() << QByteArray() << QByteArray();
        QTest::newRow("user chose Wayland beside X11")
            << QByteArray("wayland-0") << QByteArray(":0") << QByteArray("wayland") << QByteArray();
        QTest::newRow("user chose offscreen")
            << QByteArray("wayland-0") << QByteArray() << QByteArray("offscreen") << QByteArray();
        QTest::newRow("empty variables are unset")
            << QByteArray("wayland-1") << QByteArray("") << QByteArray("") << QByteArray("wayland");
    }
    void choice() {
        QFETCH(QByteArray, wayland);
        QFETCH(QByteArray, x11);
        QFETCH(QByteArray, chosen);
        QFETCH(QByteArray, expected);
        QCOMPARE(chooseDisplayPlatform(
                     {.waylandDisplay = wayland, .x11Display = x11, .qtPlatform = chosen}),
                 expected);
    }

    // The choice reaches the environment that the application object reads,
    // and a choice of the user's stays as it is.
    void appliedToTheEnvironment_data() {
        QTest::addColumn<QByteArray>("x11");
        QTest::addColumn<QByteArray>("chosen");
        QTest::addColumn<QByteArray>("expected");
        QTest::newRow("both displays") << QByteArray(":5") << QByteArray() << QByteArray("xcb");
        QTest::newRow("Wayland alone") << QByteArray() << QByteArray() << QByteArray("wayland");
        QTest::newRow("user's choice")
            << QByteArray(":5") << QByteArray("wayland") << QByteArray("wayland");
    }
    void appliedToTheEnvironment() {
        QFETCH(QByteArray, x11);
        QFETCH(QByteArray, chosen);
        QFETCH(QByteArray, expected);
        const QByteArray saved[] = {qgetenv("WAYLAND_DISPLAY"), qgetenv("DISPLAY"),
                                    qgetenv("QT_QPA_PLATFORM")};
        const auto set = [](const char* name, const QByteArray& value) {
            if (value.isEmpty())
                qunsetenv(name);
            else
                qputenv(name, value);
        };
        set("WAYLAND_DISPLAY", "wayland-7");
        set("DISPLAY", x11);
        set("QT_QPA_PLATFORM", chosen);
        applyDisplayPlatformChoice();
        const QByteArray result = qgetenv("QT_QPA_PLATFORM");
        set("WAYLAND_DISPLAY", saved[0]);
        set("DISPLAY", saved[1]);
        set("QT_QPA_PLATFORM", saved[2]);
        QCOMPARE(result, expected);
    }
};

QTEST_GUILESS_MAIN(TestDisplayPlatform)
#include "test_display_platform.moc"
