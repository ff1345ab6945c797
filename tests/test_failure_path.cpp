// A window that the window system cannot create or show, at each of the
// eleven windows: the user is told the error's number and description, and
// the program ends with a non-zero status, without crashing.
#include "app/chart_registry.h"
#include "app/menu_window.h"
#include "app/program.h"
#include "app/run_time_error_report.h"
#include "charts/charts.h"
#include "program_invariants.h"
#include "windows/chart_window.h"

#include <QMessageBox>
#include <QPushButton>
#include <QTimer>

using namespace vornel;
using namespace vornel::test;
using namespace Qt::StringLiterals;

namespace {

enum class Failure { NoWindow, OutOfMemory, NotShown };

// Windows whose showing the window system refuses.
class UnshowableChart : public ChartWindow {
public:
    using ChartWindow::ChartWindow;
    void setVisible(bool) override {}
};
class UnshowableMenu : public MenuWindow {
public:
    using MenuWindow::MenuWindow;
    void setVisible(bool) override {}
};

template <typename Window, typename... Args> Window* failing(Failure failure, Args&... args) {
    switch (failure) {
    case Failure::NoWindow:
        return nullptr;
    case Failure::OutOfMemory:
        throw std::bad_alloc();
    case Failure::NotShown:
        break;
    }
    return new Window(args...);
}

// What the user is told of each failure, written out as the user reads it.
QString expectedMessage(Failure failure) {
    switch (failure) {
    case Failure::NoWindow:
        return u"実行時エラー '429':\n\nウィンドウを作成できません。"_s;
    case Failure::OutOfMemory:
        return u"実行時エラー '7':\n\nメモリが不足しています。"_s;
    case Failure::NotShown:
        break;
    }
    return u"実行時エラー '401':\n\nウィンドウを表示できません。"_s;
}

} // namespace

class TestFailurePath : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { quietOffscreenWarnings(); }

    // Window 0 is the menu; 1 to 10 the charts at those positions.
    void aFailedWindowEndsTheProgramWithAMessage_data() {
        QTest::addColumn<int>("window");
        QTest::addColumn<Failure>("failure");
        const std::pair<Failure, const char*> failures[] = {{Failure::NoWindow, "not created"},
                                                            {Failure::OutOfMemory, "out of memory"},
                                                            {Failure::NotShown, "not shown"}};
        for (int window = 0; window <= ChartRegistry::kSize; ++window)
            for (const auto& [failure, name] : failures)
                QTest::addRow("%s %s", window == 0 ? "menu" : qPrintable(u"chart %1"_s.arg(window)),
                              name)
                    << window << failure;
    }
    void aFailedWindowEndsTheProgramWithAMessage() {
        QFETCH(int, window);
        QFETCH(Failure, failure);
        Program program(
            [&](const ChartDefinition& chart) -> ChartWindow* {
                if (program.registry().chart(window) == &chart)
                    return failing<UnshowableChart>(failure, chart);
                return new ChartWindow(chart);
            },
            [&](ChartRegistry& registry) -> MenuWindow* {
                if (window == 0)
                    return failing<UnshowableMenu>(failure, registry);
                return new MenuWindow(registry);
            });

        QString shown;
        QTimer dismiss;
        connect(&dismiss, &QTimer::timeout, [&] {
            if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
                shown = box->text();
                box->accept();
            }
        });
        dismiss.start(10);

        int status = 0;
        if (const auto error = program.start()) {
            QCOMPARE(window, 0);
            status = reportRunTimeError(*error);
        } else {
            QVERIFY(window > 0);
            // Open every chart before the failing one, then press its button.
            QTimer::singleShot(0, [&] {
                for (int position = 1; position <= window; ++position)
                    program.menu()->findChild<QPushButton*>(u"Command%1"_s.arg(position))->click();
            });
            QTimer::singleShot(10000, [] { QCoreApplication::exit(99); });
            status = QApplication::exec();
            for (QWidget* w : QApplication::topLevelWidgets())
                QVERIFY2(!w->isVisible(), qPrintable(w->objectName()));
        }
        QCOMPARE(status, 1);
        QCOMPARE(shown, expectedMessage(failure));
        if (window > 0 && failure != Failure::NotShown)
            QVERIFY(!program.registry().window(window));
    }
};

QTEST_MAIN(TestFailurePath)
#include "test_failure_path.moc"
