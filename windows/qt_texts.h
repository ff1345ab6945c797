#pragma once

namespace vornel {

// Has Qt's own texts (the print dialogs, a text field's context menu ...) in
// Japanese, as the rest of the interface is, where the system has Qt's
// Japanese translation; otherwise they stay as Qt writes them. Loaded on the
// first call, when a window that shows such texts is first opened, so that
// start-up does not pay for it.
void useJapaneseQtTexts();

} // namespace vornel
