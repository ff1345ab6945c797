#pragma once

#include "threads/thread.h"

#include <optional>
#include <string_view>

namespace vornel::threads {

// Reads a chart's designation in the chart's form: the reading of each number
// that the form allows, and, where several remain ("11/16"), the one whose
// basic minor diameter lies nearest `minorMinimum` (millionths of a
// millimetre), the row's smallest minor diameter, where the row gives one.
std::optional<Thread> readChartThread(std::u16string_view designation, const ThreadForm& form,
                                      std::optional<Millionths> minorMinimum);

} // namespace vornel::threads
