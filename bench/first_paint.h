#pragma once

#include <QCoreApplication>
#include <QEvent>
#include <QTextStream>
#include <QWidget>
#include <functional>
#include <sys/resource.h>
#include <utility>

namespace vornel::bench {

// Calls `then` when the widget that `isTarget` picks receives its first paint
// event, before the paint is done. Install it on that widget or, where the
// widget does not exist yet, on the application.
class FirstPaint final : public QObject {
public:
    using Target = std::function<bool(const QObject*)>;

    FirstPaint(Target isTarget, std::function<void()> then, QObject* parent = nullptr)
        : QObject(parent)
        , isTarget_(std::move(isTarget))
        , then_(std::move(then)) {}

    bool seen() const { return seen_; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (!seen_ && event->type() == QEvent::Paint && isTarget_(watched)) {
            seen_ = true;
            if (then_)
                then_();
        }
        return false;
    }

private:
    Target isTarget_;
    std::function<void()> then_;
    bool seen_ = false;
};

// Ends the event loop once the widget that `isTarget` picks has been painted
// for the first time: the quit is queued behind the paint and its flush to
// the screen.
inline void quitAfterFirstPaint(FirstPaint::Target isTarget) {
    auto* filter = new FirstPaint(
        std::move(isTarget),
        [] {
            QMetaObject::invokeMethod(QCoreApplication::instance(), &QCoreApplication::quit,
                                      Qt::QueuedConnection);
        },
        QCoreApplication::instance());
    QCoreApplication::instance()->installEventFilter(filter);
}

// Shows a top-level window and processes events until its first paint is
// done.
inline void showAndWaitForFirstPaint(QWidget& window) {
    FirstPaint painted([&window](const QObject* o) { return o == &window; }, {});
    window.installEventFilter(&painted);
    window.show();
    while (!painted.seen())
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    window.removeEventFilter(&painted);
}

// The process's peak resident memory in KiB.
inline long peakResidentKiB() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss;
}

// With the argument --peak-rss, prints "peak_rss_kib N" for ./bench.sh.
inline void printPeakResidentIfAsked() {
    if (QCoreApplication::arguments().contains(QStringLiteral("--peak-rss")))
        QTextStream(stdout) << "peak_rss_kib " << peakResidentKiB() << Qt::endl;
}

} // namespace vornel::bench
