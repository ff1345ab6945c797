#pragma once

#include "app/run_time_error.h"

namespace vornel {

// The exit status of a program ended by a run-time error.
inline constexpr int kRunTimeErrorExitStatus = 1;

// Tells the user of the error in a message box, then ends the program: the
// event loop, if one runs, returns kRunTimeErrorExitStatus, which is also
// returned here for a caller that has no event loop yet.
int reportRunTimeError(const RunTimeError& error);

// The message box's text.
QString runTimeErrorMessage(const RunTimeError& error);

} // namespace vornel
