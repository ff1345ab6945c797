#include "windows/accessibility.h"

#include <QAbstractItemView>
#include <QAccessibleWidget>
#include <QApplication>
#include <QLineEdit>
#include <QMenu>
#include <QPointer>
#include <QTimer>
#include <QWidget>

namespace vornel {
namespace {

// The hidden child of a window through which it announces.
const QString kAnnouncement = QStringLiteral("Announcement");
// Marks a line edit whose text is read whole.
const char* const kWholeLine = "vornelWholeLine";

// A line edit as Qt 6.4 exposes it, but with its text as one run of
// attributes: Qt's own gives each offset n a run from n to n, and Orca reads
// a line by the runs of its attributes, so that it left out the last
// character.
class WholeLineEdit final : public QAccessibleWidget,
                            public QAccessibleTextInterface,
                            public QAccessibleEditableTextInterface {
public:
    explicit WholeLineEdit(QLineEdit* edit)
        : QAccessibleWidget(edit, QAccessible::EditableText) {}

    void* interface_cast(QAccessible::InterfaceType type) override {
        if (type == QAccessible::TextInterface)
            return static_cast<QAccessibleTextInterface*>(this);
        if (type == QAccessible::EditableTextInterface)
            return static_cast<QAccessibleEditableTextInterface*>(this);
        return QAccessibleWidget::interface_cast(type);
    }
    QString text(QAccessible::Text t) const override {
        if (t == QAccessible::Value)
            return edit()->text();
        if (t == QAccessible::Description && edit()->accessibleDescription().isEmpty())
            return edit()->placeholderText();
        return QAccessibleWidget::text(t);
    }
    QAccessible::State state() const override {
        QAccessible::State state = QAccessibleWidget::state();
        state.editable = !edit()->isReadOnly();
        state.readOnly = edit()->isReadOnly();
        state.selectableText = true;
        return state;
    }

    void selection(int index, int* start, int* end) const override {
        *start = *end = 0;
        if (index == 0 && edit()->hasSelectedText()) {
            *start = static_cast<int>(edit()->selectionStart());
            *end = *start + static_cast<int>(edit()->selectionLength());
        }
    }
    int selectionCount() const override { return edit()->hasSelectedText() ? 1 : 0; }
    void addSelection(int start, int end) override { setSelection(0, start, end); }
    void removeSelection(int) override { edit()->deselect(); }
    void setSelection(int, int start, int end) override {
        edit()->setSelection(start, end - start);
    }
    int cursorPosition() const override { return edit()->cursorPosition(); }
    void setCursorPosition(int position) override { edit()->setCursorPosition(position); }
    QString text(int start, int end) const override {
        return edit()->text().mid(start, end - start);
    }
    int characterCount() const override { return static_cast<int>(edit()->text().size()); }
    QRect characterRect(int offset) const override {
        const QString text = edit()->text();
        const QFontMetrics metrics = edit()->fontMetrics();
        const QRect contents = edit()->contentsRect();
        const int x = contents.x() + edit()->textMargins().left() + 2 +
                      metrics.horizontalAdvance(text.left(offset));
        const int width = offset < text.size() ? metrics.horizontalAdvance(text.at(offset)) : 1;
        const QRect local(x, contents.y() + (contents.height() - metrics.height()) / 2, width,
                          metrics.height());
        return QRect(edit()->mapToGlobal(local.topLeft()), local.size());
    }
    int offsetAtPoint(const QPoint& point) const override {
        return edit()->cursorPositionAt(edit()->mapFromGlobal(point));
    }
    void scrollToSubstring(int start, int) override { edit()->setCursorPosition(start); }
    QString attributes(int offset, int* start, int* end) const override {
        const int count = characterCount();
        *start = offset < 0 || offset > count ? offset : 0;
        *end = offset < 0 || offset > count ? offset : count;
        return {};
    }

    void deleteText(int start, int end) override { replaceText(start, end, {}); }
    void insertText(int offset, const QString& text) override { replaceText(offset, offset, text); }
    void replaceText(int start, int end, const QString& text) override {
        if (edit()->isReadOnly())
            return;
        edit()->setText(edit()->text().replace(start, end - start, text));
    }

private:
    QLineEdit* edit() const { return static_cast<QLineEdit*>(widget()); }
};

QAccessibleInterface* windowInterface(const QString& className, QObject* object) {
    // Asked for each class from the object's own up to QObject: a class that
    // reaches QWidget has no interface of its own.
    if (className != u"QWidget" || !object || !object->isWidgetType())
        return nullptr;
    auto* widget = static_cast<QWidget*>(object);
    if (widget->isWindow())
        return new QAccessibleWidget(widget, QAccessible::Window);
    if (widget->objectName() == kAnnouncement)
        return new QAccessibleWidget(widget, QAccessible::Notification);
    return nullptr;
}

QAccessibleInterface* lineEditInterface(const QString& className, QObject* object) {
    if (className != u"QLineEdit" || !object || !object->property(kWholeLine).toBool())
        return nullptr;
    return new WholeLineEdit(static_cast<QLineEdit*>(object));
}

// How many announcements have been made: a focus re-read that one follows
// would cut it short.
int announcements = 0;

// How long a menu waits for the window system to settle the focus before its
// first entry is made active.
constexpr int kSettleMs = 120;

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

private:
    // A menu closed with nothing chosen (Escape, a click elsewhere) says
    // nothing of where the user is back: the focus never left that window
    // as Qt sees it. Reads it again, unless what was chosen announced itself
    // or moved the focus.
    static void rereadFocusUnlessChosen() {
        QWidget* focus = QApplication::focusWidget();
        if (!focus || !QAccessible::isActive())
            return;
        QMetaObject::invokeMethod(
            focus,
            [focus, before = announcements] {
                if (announcements != before || QApplication::focusWidget() != focus ||
                    QApplication::activePopupWidget())
                    return;
                if (auto* view = qobject_cast<QAbstractItemView*>(focus)) {
                    reportCurrentItem(view);
                    return;
                }
                QAccessibleEvent event(focus, QAccessible::Focus);
                QAccessible::updateAccessibility(&event);
            },
            Qt::QueuedConnection);
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() != QEvent::Show && event->type() != QEvent::Hide)
            return false;
        auto* menu = qobject_cast<QMenu*>(watched);
        if (!menu)
            return false;
        if (event->type() == QEvent::Hide) {
            rereadFocusUnlessChosen();
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
        // Once the menu is up and the window system has settled the focus:
        // made active then, its entry is announced as focused, and drawn
        // highlighted, as a menu opened by keyboard is. On X11 the window
        // under the menu gets the focus back just after the menu shows, and
        // a screen reader says that window; an entry made active before that
        // would be followed by the window's name.
        QTimer::singleShot(kSettleMs, menu, [menu] {
            if (!menu->isVisible() || menu->activeAction())
                return;
            for (QAction* action : menu->actions())
                if (!action->isSeparator() && action->isVisible() && action->isEnabled()) {
                    menu->setActiveAction(action);
                    return;
                }
        });
        return false;
    }
};

} // namespace

void detail::dropAccessibleUpdate(QAccessibleEvent*) {}

int announcementsMade() {
    return announcements;
}

void announce(QWidget* window, const QString& text) {
    if (!window || text.isEmpty())
        return;
    exposeTopLevelWidgetsAsWindows();
    auto* notice = window->findChild<QWidget*>(kAnnouncement, Qt::FindDirectChildrenOnly);
    if (!notice) {
        // Never shown: a screen reader is told it showed, with its text.
        // Named before it has a parent: its accessible interface, made the
        // first time the bus hears of it, is chosen by that name.
        notice = new QWidget;
        notice->setObjectName(kAnnouncement);
        notice->setParent(window);
        notice->setAttribute(Qt::WA_DontShowOnScreen);
        notice->hide();
    }
    ++announcements;
    notice->setAccessibleName(text);
    QAccessibleEvent event(notice, QAccessible::ObjectShow);
    QAccessible::updateAccessibility(&event);
}

void readTextWhole(QLineEdit* field) {
    static const bool installed = [] {
        QAccessible::installFactory(lineEditInterface);
        return true;
    }();
    Q_UNUSED(installed);
    field->setProperty(kWholeLine, true);
}

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
