#pragma once

namespace vornel {

// Makes every top-level window that Qt would expose as a plain client area a
// window (a frame, on the accessibility bus) named by its title. Call it
// before any window is shown; calling it again does nothing.
void exposeTopLevelWidgetsAsWindows();

} // namespace vornel
