#include "windows/accessibility.h"

#include <QAccessibleWidget>
#include <QWidget>

namespace vornel {
namespace {

QAccessibleInterface* windowInterface(const QString& className, QObject* object) {
    // Asked for each class from the object's own up to QObject: a class that
    // reaches QWidget has no interface of its own.
    if (className != u"QWidget" || !object || !object->isWidgetType())
        return nullptr;
    auto* widget = static_cast<QWidget*>(object);
    if (!widget->isWindow())
        return nullptr;
    return new QAccessibleWidget(widget, QAccessible::Window);
}

} // namespace

void exposeTopLevelWidgetsAsWindows() {
    static const bool installed = [] {
        QAccessible::installFactory(windowInterface);
        return true;
    }();
    Q_UNUSED(installed);
}

} // namespace vornel
