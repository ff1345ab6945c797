// The first Ctrl+F of a run, pressed as a user would, a moment after the menu
// appears (kUserPauseMs; the program prepares the search window in that
// pause): the search window shown and drawn with its examples, what an
// empty query shows.
// With --floor, in its place a plain window of the same size with a line edit
// and an empty table, shown and drawn, after the same pause. Prints "first_search_ns N"; with
// --size, only the search window's size, "WIDTH HEIGHT", for the floor's
// --floor WIDTH HEIGHT.
#include "app/menu_window.h"
#include "app/program.h"
#include "bench/first_paint.h"
#include "windows/search_window.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QLineEdit>
#include <QStandardItemModel>
#include <QTableView>
#include <QTimer>
#include <QTreeWidget>
#include <QVBoxLayout>
#include <cstdio>
#include <memory>

namespace {

// Runs `open`, which shows a window, and waits for the first paint of the
// window that `isTarget` picks; returns the time it took.
qint64 timeToFirstPaint(const vornel::bench::FirstPaint::Target& isTarget,
                        const std::function<void()>& open) {
    vornel::bench::FirstPaint painted(isTarget, {});
    qApp->installEventFilter(&painted);
    QElapsedTimer timer;
    timer.start();
    open();
    while (!painted.seen())
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    const qint64 elapsed = timer.nsecsElapsed();
    qApp->removeEventFilter(&painted);
    return elapsed;
}

// How long after the menu's first paint the key is pressed: well under a
// user's reaction to a window that has just appeared.
constexpr int kUserPauseMs = 300;

void waitAsAUser() {
    QEventLoop pause;
    QTimer::singleShot(kUserPauseMs, &pause, &QEventLoop::quit);
    pause.exec();
}

} // namespace

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    const QStringList args = QCoreApplication::arguments();
    vornel::Program program;
    if (program.start())
        return 1;
    vornel::bench::showAndWaitForFirstPaint(*program.menu());

    if (args.contains(QStringLiteral("--size"))) {
        program.openSearch();
        const QSize size = program.searchWindow()->size();
        std::printf("%d %d\n", size.width(), size.height());
        return 0;
    }
    waitAsAUser();
    qint64 elapsed = 0;
    std::unique_ptr<QWidget> floor;
    if (const qsizetype at = args.indexOf(QStringLiteral("--floor"));
        at >= 0 && at + 2 < args.size()) {
        floor = std::make_unique<QWidget>(nullptr, Qt::Window);
        auto* layout = new QVBoxLayout(floor.get());
        layout->addWidget(new QLineEdit(floor.get()));
        auto* table = new QTableView(floor.get());
        table->setModel(new QStandardItemModel(0, 6, table));
        layout->addWidget(table, 1);
        floor->resize(args[at + 1].toInt(), args[at + 2].toInt());
        elapsed = timeToFirstPaint([&floor](const QObject* o) { return o == floor.get(); },
                                   [&floor] { floor->show(); });
    } else {
        // The examples' first paint, what an empty query shows: the last of
        // the window's parts.
        elapsed = timeToFirstPaint(
            [&program](const QObject* o) {
                const auto* window = program.searchWindow();
                return window && o == window->examplesList()->viewport();
            },
            [&program] { program.openSearch(); });
    }
    std::printf("first_search_ns %lld\n", static_cast<long long>(elapsed));
    return 0;
}
