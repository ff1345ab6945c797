#pragma once

#include "threads/designation.h"

namespace vornel::threads {

// Whether a thread is one that `query` names.
bool names(const Designation& query, const Thread& thread, SizeUnit sizeUnit);

} // namespace vornel::threads
