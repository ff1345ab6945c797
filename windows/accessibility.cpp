#include "windows/accessibility.h"

#include <QAbstractItemView>
#include <QAccessibleWidget>
#include <QApplication>
#include <QMenu>
#include <QPointer>
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

// Says that the view's current item has the focus.
void reportCurrentItem(QAbstractItemView* view) {
    const QModelIndex current = view->currentIndex();
    if (!QAccessible::isActive() || !view->hasFocus() || !current.isValid())
        return;
    QAccessibleInterface* table = QAccessible::queryAccessibleInterface(view);
    QAccessibleInterface* item =
        table && table->tableInterface()
            ? table->tableInterface()->cellAt(current.row(), current.column())
            : nullptr;
    if (!item)
        return;
    QAccessibleEvent event(view, QAccessible::Focus);
    event.setChild(table->indexOfChild(item));
    QAccessible::updateAccessibility(&event);
}

class CurrentItemOnFocus final : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        // Qt reports the current item as focused first, the view itself
        // after it, once the focus event has been handled.
        if (event->type() == QEvent::FocusIn)
            QMetaObject::invokeMethod(
                this,
                [view = QPointer(static_cast<QAbstractItemView*>(watched))] {
                    if (view)
                        reportCurrentItem(view);
                },
                Qt::QueuedConnection);
        return false;
    }
};

class FirstMenuEntryActive final : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() != QEvent::Show && event->type() != QEvent::Hide)
            return false;
        auto* menu = qobject_cast<QMenu*>(watched);
        if (!menu)
            return false;
        if (event->type() == QEvent::Hide) {
            // Qt keeps the accessible entry of an action, with the menu it
            // was first shown in, for as long as the action lives: in a
            // menu built anew on each opening, the entries of the next one
            // would belong to a menu that is gone, and nothing is spoken.
            if (QAccessible::isActive())
                for (QAction* action : menu->actions())
                    if (QAccessibleInterface* entry = QAccessible::queryAccessibleInterface(action))
                        QAccessible::deleteAccessibleInterface(QAccessible::uniqueId(entry));
            return false;
        }
        if (menu->activeAction())
            return false;
        // Once the menu is up: made active then, its entry is announced as
        // focused, and drawn highlighted, as a menu opened by keyboard is.
        QMetaObject::invokeMethod(
            menu,
            [menu] {
                if (!menu->isVisible() || menu->activeAction())
                    return;
                for (QAction* action : menu->actions())
                    if (!action->isSeparator() && action->isVisible() && action->isEnabled()) {
                        menu->setActiveAction(action);
                        return;
                    }
            },
            Qt::QueuedConnection);
        return false;
    }
};

} // namespace

void exposeTopLevelWidgetsAsWindows() {
    static const bool installed = [] {
        QAccessible::installFactory(windowInterface);
        return true;
    }();
    Q_UNUSED(installed);
}

void reportCurrentItemOnFocus(QAbstractItemView* view) {
    view->installEventFilter(new CurrentItemOnFocus(view));
}

void activateFirstMenuEntries() {
    static QPointer<QObject> filter;
    if (filter || !qApp)
        return;
    filter = new FirstMenuEntryActive(qApp);
    qApp->installEventFilter(filter);
}

} // namespace vornel
