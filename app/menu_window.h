#pragma once

#include "chart_model/chart_definition.h"

#include <QWidget>
#include <span>
#include <string_view>

namespace vornel {

class ChartRegistry;

// One button of the menu: it opens the chart at `position` of the registry.
struct MenuButton {
    std::string_view name;
    std::u16string_view caption;
    TwipRect rect;
    int tabIndex;
    int position;
};

// The menu's buttons in visual order, top to bottom, left to right.
std::span<const MenuButton> menuButtons();

// The start-up window `Form1`: a button per chart and a picture. Its context
// menu offers "検索…" (Ctrl+F) and "すべての表を印刷…" (Ctrl+P), the print
// preview of the ten charts in one document.
class MenuWindow : public QWidget {
    Q_OBJECT
public:
    explicit MenuWindow(ChartRegistry& registry);

signals:
    // Ctrl+F or "検索…" in the context menu (`typed` empty), or a letter or
    // digit typed on a button (`typed` is it).
    void searchRequested(const QString& typed);

protected:
    bool event(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void openChart(int position);

    ChartRegistry& registry_;
};

} // namespace vornel
