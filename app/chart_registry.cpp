#include "app/chart_registry.h"

#include "windows/chart_window.h"

#include <new>

namespace vornel {

ChartRegistry::ChartRegistry(const Charts& charts, ChartWindowFactory makeWindow)
    : charts_(charts)
    , makeWindow_(std::move(makeWindow)) {
    if (!makeWindow_)
        makeWindow_ = [](const ChartDefinition& chart) { return new ChartWindow(chart); };
}

ChartRegistry::~ChartRegistry() {
    for (auto& slot : slots_)
        delete slot.data();
}

const ChartDefinition* ChartRegistry::chart(int position) const {
    if (position < 1 || position > kSize)
        return nullptr;
    return charts_[static_cast<std::size_t>(position - 1)];
}

ChartWindow* ChartRegistry::window(int position) const {
    if (!chart(position))
        return nullptr;
    return slots_[static_cast<std::size_t>(position - 1)].data();
}

std::optional<RunTimeError> ChartRegistry::openChart(int position) {
    const ChartDefinition* definition = chart(position);
    if (!definition)
        return std::nullopt;
    auto& slot = slots_[static_cast<std::size_t>(position - 1)];
    if (!slot) {
        try {
            slot = makeWindow_(*definition);
        } catch (const std::bad_alloc&) {
            return errors::outOfMemory();
        }
        if (!slot)
            return errors::cannotCreateWindow();
        // A closed window waits for its deferred delete; the next open must
        // load the chart anew rather than show it again.
        QObject::connect(slot.data(), &ChartWindow::closed, slot.data(),
                         [&slot] { slot = nullptr; });
    }
    return showModeless(*slot);
}

} // namespace vornel
