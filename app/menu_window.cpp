#include "app/menu_window.h"

#include "app/chart_registry.h"
#include "app/run_time_error_report.h"
#include "assets/assets.h"
#include "chart_model/accessible_text.h"
#include "chart_model/chart_text.h"
#include "chart_model/twips.h"
#include "charts/charts.h"
#include "windows/accessibility.h"
#include "windows/chart_printer.h"
#include "windows/theme_colours.h"

#include <QAction>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <algorithm>
#include <array>

namespace vornel {
namespace {

// clang-format off
constexpr MenuButton kButtons[] = {
    {"Command1",  u"メートルねじ",                       {0,    0,    4335, 375}, 0, 1},
    {"Command10", u"溝なしタップメ－トルねじ",           {0,    360,  4335, 375}, 9, 10},
    {"Command8",  u"インサートメートルねじ",             {0,    720,  4335, 375}, 7, 8},
    {"Command5",  u"英式管用テーパねじ",                 {0,    1080, 2175, 375}, 4, 5},
    {"Command6",  u"英式管用平行ねじ（G、PF）",          {2160, 1080, 2175, 375}, 5, 6},
    {"Command7",  u"アメリカ標準管用ねじ（NPT、NPS）",   {0,    1440, 4335, 375}, 6, 7},
    {"Command2",  u"ユニファイねじ",                     {0,    1800, 2175, 375}, 1, 2},
    {"Command9",  u"インサートユニファイねじ",           {2160, 1800, 2175, 375}, 8, 9},
    {"Command4",  u"ウィットねじ（メートル呼び）",       {0,    2160, 2175, 375}, 3, 4},
    {"Command3",  u"ウィットねじ（インチ呼び）",         {2160, 2160, 2175, 375}, 2, 3},
};
// clang-format on

constexpr TwipRect kClientArea{2625, 2205, 5355, 2535};
constexpr TwipRect kPictureRect{4440, 720, 765, 960};

// Enter and the keypad's Enter press the focused button, as Space and a click
// do: the desktop the charts come from does so, though no button is a default.
class EnterPressesButton final : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() != QEvent::KeyPress)
            return false;
        const auto* key = static_cast<QKeyEvent*>(event);
        if (key->key() != Qt::Key_Return && key->key() != Qt::Key_Enter)
            return false;
        if (!key->isAutoRepeat())
            static_cast<QPushButton*>(watched)->click();
        return true;
    }
};

} // namespace

std::span<const MenuButton> menuButtons() {
    return kButtons;
}

MenuWindow::MenuWindow(ChartRegistry& registry)
    : QWidget(nullptr, Qt::Window)
    , registry_(registry) {
    exposeTopLevelWidgetsAsWindows();
    activateFirstMenuEntries();
    setObjectName(QStringLiteral("Form1"));
    setWindowTitle(QStringLiteral("Vornel"));
    setWindowIcon(assets::chartIcon());
    setGeometry(pixelsFromTwips(kClientArea));

    auto* enterPresses = new EnterPressesButton(this);
    std::array<QPushButton*, std::size(kButtons)> byTabIndex{};
    for (const MenuButton& b : kButtons) {
        auto* button = new QPushButton(toQString(b.caption), this);
        // Named as it is said where the caption is written otherwise.
        if (const QString spoken = spokenText(button->text()); spoken != button->text())
            button->setAccessibleName(spoken);
        button->setObjectName(QString::fromLatin1(b.name.data(), qsizetype(b.name.size())));
        button->setGeometry(pixelsFromTwips(b.rect));
        button->setAutoDefault(false);
        button->setDefault(false);
        button->installEventFilter(enterPresses);
        // Only what a button draws: where the theme's colours need no
        // change, the buttons share one palette and the style's drawings.
        followTheme(button, readableButtonPalette);
        const int position = b.position;
        connect(button, &QPushButton::clicked, this, [this, position] { openChart(position); });
        byTabIndex[static_cast<std::size_t>(b.tabIndex)] = button;
        button->installEventFilter(this);
    }
    for (std::size_t i = 1; i < byTabIndex.size(); ++i)
        setTabOrder(byTabIndex[i - 1], byTabIndex[i]);

    auto* picture = new QLabel(this);
    picture->setObjectName(QStringLiteral("Image1"));
    picture->setGeometry(pixelsFromTwips(kPictureRect));
    picture->setPixmap(assets::menuPicture());
    picture->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    picture->setFocusPolicy(Qt::NoFocus);

    auto* search = new QAction(QStringLiteral("検索…"), this);
    search->setShortcut(QKeySequence::Find);
    connect(search, &QAction::triggered, this, [this] { emit searchRequested({}); });
    addAction(search);
    auto* printAll = new QAction(QStringLiteral("すべての表を印刷…"), this);
    printAll->setShortcut(QKeySequence::Print);
    connect(printAll, &QAction::triggered, this,
            [this] { showAllChartsPrintPreview(charts::allCharts(), this); });
    addAction(printAll);
    setContextMenuPolicy(Qt::ActionsContextMenu);

    byTabIndex.front()->setFocus();
}

bool MenuWindow::event(QEvent* event) {
    // Qt's texts in Japanese, loaded when the search window is built, tell
    // every window that the language changed, and QWidget repaints the
    // window and each of its children for it. Nothing in the menu comes from
    // Qt's translations: its captions are its own, and its context menu is
    // made on each opening.
    if (event->type() == QEvent::LanguageChange)
        return true;
    return QWidget::event(event);
}

bool MenuWindow::eventFilter(QObject* watched, QEvent* event) {
    // A letter or digit typed on a button starts a search with it; Space
    // and the other keys stay the button's.
    if (event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        const QString text = key->text();
        if (!(key->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier)) &&
            text.size() == 1 && text.front().isLetterOrNumber()) {
            emit searchRequested(text);
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

void MenuWindow::openChart(int position) {
    if (const auto error = registry_.openChart(position))
        reportRunTimeError(*error);
}

} // namespace vornel
