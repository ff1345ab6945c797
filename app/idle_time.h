#pragma once

class QTimer;

namespace vornel {

// A process that the bus starts for its calls ends once it has had none for
// the idle time: 30 s, or the milliseconds that the environment variable
// `variable` gives. Makes `timer` that single-shot timer, not started.
void setIdleTime(QTimer& timer, const char* variable);

} // namespace vornel
