#include "app/program.h"

#include "app/menu_window.h"
#include "app/query.h"
#include "app/run_time_error_report.h"
#include "charts/charts.h"
#include "windows/chart_window.h"
#include "windows/japanese_faces.h"
#include "windows/search_window.h"

#include <QAction>
#include <QApplication>
#include <QTimer>
#include <new>

namespace vornel {
namespace {

// How long after the menu's first paint the program does what it need not do
// before it (the search window): the event loop is idle by then, and the
// start-up, which ends at that paint, is not held up.
constexpr int kWhenIdleDelayMs = 50;

// Calls `then` once, `delayMs` after the first paint of the widget it watches.
class AfterFirstPaint final : public QObject {
public:
    AfterFirstPaint(QObject* watched, int delayMs, std::function<void()> then)
        : QObject(watched)
        , delayMs_(delayMs)
        , then_(std::move(then)) {
        watched->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Paint) {
            watched->removeEventFilter(this);
            QTimer::singleShot(delayMs_, parent(), then_);
            deleteLater();
        }
        return false;
    }

private:
    int delayMs_;
    std::function<void()> then_;
};

} // namespace

QFont japaneseInterfaceFont(const QFont& systemFont) {
    // Only the faces that are installed are named. For a face that is not,
    // Qt asks fontconfig for its substitutes in every script of the captions
    // before it moves on to the next face, which was most of the cost of the
    // menu's first paint; the face it ends with is the same. A face is found
    // by any of its names: under a Japanese locale fontconfig lists IPA P
    // Gothic as "IPA Pゴシック".
    QStringList families = installedFaces({u"MS UI Gothic", u"IPAPGothic", u"VL PGothic"});
    families.append(systemFont.family());
    QFont font = systemFont;
    font.setFamilies(families);
    return font;
}

Program::Program(ChartWindowFactory makeChartWindow, MenuWindowFactory makeMenu)
    : registry_(charts::allCharts(), withSearch(std::move(makeChartWindow)))
    , searchIndex_(charts::allCharts())
    , makeMenu_(std::move(makeMenu)) {
    QApplication::setFont(japaneseInterfaceFont(QApplication::font()));
    // Ties the windows to the installed desktop entry: its name and icon in
    // the task bar, and the app id on Wayland.
    QGuiApplication::setDesktopFileName(QStringLiteral(VORNEL_APP_ID));
    if (!makeMenu_)
        makeMenu_ = [](ChartRegistry& registry) { return new MenuWindow(registry); };
}

Program::~Program() {
    delete search_.data();
}

ChartWindowFactory Program::withSearch(ChartWindowFactory makeWindow) {
    return [this, makeWindow = std::move(makeWindow)](const ChartDefinition& chart) {
        ChartWindow* window = makeWindow ? makeWindow(chart) : new ChartWindow(chart);
        if (!window)
            return window;
        int position = 1;
        while (position < ChartRegistry::kSize && registry_.chart(position) != &chart)
            ++position;
        auto* search = new QAction(QStringLiteral("検索…"), window);
        search->setShortcut(QKeySequence::Find);
        QObject::connect(search, &QAction::triggered, window,
                         [this, position] { openSearch(position); });
        window->addListAction(search);
        QObject::connect(window, &ChartWindow::engagementRequested, window,
                         [this, position](int line) { openEngagement(position, line); });
        return window;
    };
}

search::SearchWindow* Program::searchWindow() const {
    return search_ && search_->isVisible() ? search_.data() : nullptr;
}

bool Program::makeSearchWindow() {
    if (search_)
        return true;
    try {
        // The first keystroke finds the index ready.
        searchIndex_.build();
        search_ = new search::SearchWindow(searchIndex_, findQuery);
    } catch (const std::bad_alloc&) {
        reportRunTimeError(errors::outOfMemory());
        return false;
    }
    QObject::connect(search_, &search::SearchWindow::resultChosen, search_,
                     [this](int position, int line) { openChartAt(position, line); });
    return true;
}

void Program::prepareSearch() {
    if (search_)
        return;
    if (makeSearchWindow())
        search_->prepare();
}

void Program::openSearch(int preferredPosition, const QString& typed, bool replaceQuery) {
    const bool open = search_ && search_->isVisible() && !replaceQuery;
    if (!makeSearchWindow())
        return;
    // Asked from the menu, no chart comes first, whichever asked before.
    search_->setPreferredChart(preferredPosition);
    if (!typed.isEmpty()) {
        if (open)
            search_->appendToQuery(typed);
        else
            search_->setQuery(typed);
    }
    if (const auto error = showModeless(*search_)) {
        reportRunTimeError(*error);
        return;
    }
    search_->focusQuery(typed.isEmpty());
}

void Program::openEngagement(int position, int line) {
    openSearch(position);
    if (search_ && search_->isVisible())
        search_->showChartRow(position, line);
}

void Program::openChartAt(int position, int line) {
    if (const auto error = registry_.openChart(position)) {
        reportRunTimeError(*error);
        return;
    }
    if (ChartWindow* window = registry_.window(position))
        window->selectLine(line);
}

std::optional<RunTimeError> Program::makeMenu() {
    if (menu_)
        return std::nullopt;
    try {
        menu_.reset(makeMenu_(registry_));
    } catch (const std::bad_alloc&) {
        return errors::outOfMemory();
    }
    if (!menu_)
        return errors::cannotCreateWindow();
    QObject::connect(menu_.get(), &MenuWindow::searchRequested, menu_.get(),
                     [this](const QString& typed) { openSearch(0, typed); });
    return std::nullopt;
}

std::optional<RunTimeError> Program::start() {
    if (const auto error = makeMenu())
        return error;
    // The search window is built while the program waits for the user, so
    // that the first Ctrl+F only shows it.
    if (!started_)
        new AfterFirstPaint(menu_.get(), kWhenIdleDelayMs, [this] { prepareSearch(); });
    started_ = true;
    return showModeless(*menu_);
}

} // namespace vornel
