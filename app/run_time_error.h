#pragma once

#include <QString>
#include <optional>

class QWidget;

namespace vornel {

// A failure of the window system that the program cannot recover from: the
// user is told its number and description and the program ends.
struct RunTimeError {
    int number;
    QString description;

    friend bool operator==(const RunTimeError&, const RunTimeError&) = default;
};

namespace errors {
RunTimeError outOfMemory();
RunTimeError cannotCreateWindow();
RunTimeError cannotShowWindow();
} // namespace errors

// Shows a top-level window modeless, without owner, restored if it was
// minimised, in front and active. Fails if the window is not visible after.
std::optional<RunTimeError> showModeless(QWidget& window);

} // namespace vornel
