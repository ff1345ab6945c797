#include "shell/program.h"

#include "charts/charts.h"
#include "shell/menu_window.h"

#include <QApplication>
#include <QFontDatabase>
#include <new>

namespace vornel {

QFont japaneseInterfaceFont(const QFont& systemFont) {
    // Only the faces that are installed are named. For a face that is not,
    // Qt asks fontconfig for its substitutes in every script of the captions
    // before it moves on to the next face, which was most of the cost of the
    // menu's first paint; the face it ends with is the same.
    // The list of installed families is looked up by name alone: asking
    // QFontDatabase::hasFamily() about a missing face has fontconfig look for
    // aliases of it.
    const QStringList installed = QFontDatabase::families();
    QStringList families;
    for (const QString& family : {QStringLiteral("MS UI Gothic"), QStringLiteral("IPAPGothic"),
                                  QStringLiteral("VL PGothic")}) {
        if (installed.contains(family, Qt::CaseInsensitive))
            families.append(family);
    }
    families.append(systemFont.family());
    QFont font = systemFont;
    font.setFamilies(families);
    return font;
}

Program::Program(ChartWindowFactory makeChartWindow, MenuWindowFactory makeMenu)
    : registry_(charts::allCharts(), std::move(makeChartWindow))
    , makeMenu_(std::move(makeMenu)) {
    QApplication::setFont(japaneseInterfaceFont(QApplication::font()));
    // Ties the windows to the installed desktop entry: its name and icon in
    // the task bar, and the app id on Wayland.
    QGuiApplication::setDesktopFileName(QStringLiteral(VORNEL_APP_ID));
    if (!makeMenu_)
        makeMenu_ = [](ChartRegistry& registry) { return new MenuWindow(registry); };
}

Program::~Program() = default;

std::optional<RunTimeError> Program::start() {
    try {
        menu_.reset(makeMenu_(registry_));
    } catch (const std::bad_alloc&) {
        return errors::outOfMemory();
    }
    if (!menu_)
        return errors::cannotCreateWindow();
    return showModeless(*menu_);
}

} // namespace vornel
