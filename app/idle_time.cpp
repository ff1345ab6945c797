#include "app/idle_time.h"

#include <QTimer>
#include <chrono>

namespace vornel {

void setIdleTime(QTimer& timer, const char* variable) {
    constexpr std::chrono::milliseconds kIdleTime = std::chrono::seconds(30);
    bool ok = false;
    const int ms = qEnvironmentVariableIntValue(variable, &ok);
    timer.setSingleShot(true);
    timer.setInterval(ok && ms > 0 ? std::chrono::milliseconds(ms) : kIdleTime);
}

} // namespace vornel
