#pragma once

#include "threads/thread.h"

#include <optional>
#include <string_view>

namespace vornel::threads {

// A drill a query names: "6.8", "φ6.8", "6.8mm", "0.375in", ".375" (inches,
// as machinists write them).
struct Drill {
    Millionths millimetres = 0;
    std::optional<Millionths> inches; // as typed, where the query is in inches
    friend bool operator==(const Drill&, const Drill&) = default;
};
std::optional<Drill> readDrill(std::u16string_view normalized);

} // namespace vornel::threads
