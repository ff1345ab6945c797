// Random input from a seeded generator over the menu and the open charts:
// clicks, keys, wheel turns, resizes, minimising and closing any window. After
// every event the program's invariants must hold. The seed is printed; set
// VORNEL_MONKEY_SEED to replay a run, VORNEL_MONKEY_EVENTS for its length
// (20,000 unless set; at least 5,000).
#include "program_invariants.h"

#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QRandomGenerator>
#include <QWheelEvent>

using namespace vornel;
using namespace vornel::test;
using namespace Qt::StringLiterals;

namespace {

constexpr Qt::Key kKeys[] = {Qt::Key_Tab,      Qt::Key_Backtab, Qt::Key_Space, Qt::Key_Up,
                             Qt::Key_Down,     Qt::Key_Left,    Qt::Key_Right, Qt::Key_PageUp,
                             Qt::Key_PageDown, Qt::Key_Home,    Qt::Key_End,   Qt::Key_Return};

// What the monkey types into the search window: pieces of designations and
// drills, and what no query should hold.
const QString kTyped[] = {u"M"_s, u"8"_s, u"×"_s,    u"1"_s, u"."_s,  u"25"_s,    u"/"_s,
                          u"4"_s, u"-"_s, u" "_s,    u"#"_s, u"φ"_s,  u"in"_s,    u"G"_s,
                          u"N"_s, u"😀"_s, u"\x01"_s, u"※"_s, u"Ｍ"_s, u"1e308"_s, u"０"_s};

class Monkey {
public:
    explicit Monkey(quint32 seed)
        : random_(seed) {}

    QWidget* anyWindow(Program& program) {
        QList<QWidget*> windows;
        if (program.menu() && program.menu()->isVisible())
            windows.append(program.menu());
        if (program.searchWindow())
            windows.append(program.searchWindow());
        for (int p = 1; p <= ChartRegistry::kSize; ++p)
            if (ChartWindow* w = program.registry().window(p))
                windows.append(w);
        return windows.isEmpty() ? nullptr : windows[pick(int(windows.size()))];
    }

    // One random event; returns what it did.
    QString step(Program& program) {
        QWidget* window = anyWindow(program);
        if (!window)
            return u"nothing open"_s;
        // Closing comes seldom, so that charts pile up beside the menu.
        const int roll = pick(24);
        switch (roll < 6    ? 0
                : roll < 10 ? 2
                : roll < 12 ? 4
                : roll < 13 ? 5
                : roll < 14 ? 6
                : roll < 19 ? 7
                : roll < 20 ? 8
                : roll < 21 ? 9
                            : 10) {
        case 0: { // a button of the menu
            if (!program.menu()->isVisible())
                return u"menu closed"_s;
            const int number = pick(10) + 1;
            QTest::mouseClick(program.menu()->findChild<QPushButton*>(u"Command%1"_s.arg(number)),
                              Qt::LeftButton);
            return u"click Command%1"_s.arg(number);
        }
        case 2: { // a key to whatever has the focus in a window
            const Qt::Key key = kKeys[pick(int(std::size(kKeys)))];
            QWidget* target = window->focusWidget() ? window->focusWidget() : window;
            QTest::keyClick(target, key);
            return u"key %1 to %2"_s.arg(int(key)).arg(window->objectName());
        }
        case 4: { // the wheel over a list
            auto* list = window->findChild<QListView*>(u"List1"_s);
            if (!list)
                return u"no list"_s;
            const QPoint at(pick(list->width()), pick(list->height()));
            QWheelEvent wheel(at, list->viewport()->mapToGlobal(at), QPoint(),
                              QPoint(0, pick(2) ? 120 : -120), Qt::NoButton, Qt::NoModifier,
                              Qt::NoScrollPhase, false);
            QCoreApplication::sendEvent(list->viewport(), &wheel);
            return u"wheel on %1"_s.arg(window->objectName());
        }
        case 5: // a resize
            window->resize(pick(900) + 1, pick(900) + 1);
            return u"resize %1"_s.arg(window->objectName());
        case 6: // minimise, restore or maximise
            switch (pick(3)) {
            case 0:
                window->showMinimized();
                break;
            case 1:
                window->showNormal();
                break;
            default:
                window->showMaximized();
            }
            return u"window state of %1"_s.arg(window->objectName());
        case 7: // a click somewhere in a list
            if (auto* list = window->findChild<QListView*>(u"List1"_s)) {
                QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                                  QPoint(pick(list->width()), pick(list->height())));
                return u"click in %1"_s.arg(window->objectName());
            }
            return u"no list"_s;
        case 8: // close it, as Alt+F4 or the close button would
            window->close();
            return u"close %1"_s.arg(window->objectName());
        case 9: // Ctrl+F in the menu or a chart
            program.openSearch(pick(ChartRegistry::kSize + 1));
            return u"search"_s;
        default: { // typing into the search window
            search::SearchWindow* search = program.searchWindow();
            if (!search)
                return u"no search window"_s;
            if (pick(4) == 0) {
                const Qt::Key key =
                    pick(2) ? Qt::Key_Backspace : kKeys[pick(int(std::size(kKeys)))];
                QTest::keyClick(search->focusWidget() ? search->focusWidget() : search, key);
                return u"key %1 to the search window"_s.arg(int(key));
            }
            // Key events carrying the text, as an input method sends them:
            // QTest::keyClicks() knows only Latin-1.
            const QString& text = kTyped[pick(int(std::size(kTyped)))];
            for (QEvent::Type type : {QEvent::KeyPress, QEvent::KeyRelease}) {
                QKeyEvent key(type, Qt::Key_unknown, Qt::NoModifier, text);
                QCoreApplication::sendEvent(search->queryField(), &key);
            }
            return u"type '%1'"_s.arg(text);
        }
        }
    }

private:
    int pick(int n) { return n > 0 ? int(random_.bounded(quint32(n))) : 0; }

    QRandomGenerator random_;
};

} // namespace

class TestMonkey : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { quietOffscreenWarnings(); }

    void randomInputKeepsTheProgramWhole() {
        const quint32 seed = qEnvironmentVariableIsSet("VORNEL_MONKEY_SEED")
                                 ? quint32(qEnvironmentVariableIntValue("VORNEL_MONKEY_SEED"))
                                 : QRandomGenerator::system()->generate() % 1000000;
        const int events =
            qEnvironmentVariableIsSet("VORNEL_MONKEY_EVENTS")
                ? std::max(5000, qEnvironmentVariableIntValue("VORNEL_MONKEY_EVENTS"))
                : 20000;
        qInfo("monkey seed %u, %d events (replay with VORNEL_MONKEY_SEED=%u)", seed, events, seed);

        const qsizetype baseline = QApplication::topLevelWidgets().size();
        Monkey monkey(seed);
        auto program = std::make_unique<Program>();
        QVERIFY(!program->start());
        int programs = 1;
        for (int i = 0; i < events; ++i) {
            const QString did = monkey.step(*program);
            const QString failure = invariantFailure(*program, baseline);
            QVERIFY2(
                failure.isEmpty(),
                qPrintable(u"seed %1, event %2 (%3): %4"_s.arg(seed).arg(i).arg(did, failure)));
            // With every window closed the program has ended: start anew.
            if (!monkey.anyWindow(*program)) {
                program.reset();
                flushDeletes();
                program = std::make_unique<Program>();
                QVERIFY(!program->start());
                ++programs;
            }
        }
        qInfo("%d events over %d program runs", events, programs);
    }
};

QTEST_MAIN(TestMonkey)
#include "test_monkey.moc"
