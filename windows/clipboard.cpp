#include "windows/clipboard.h"

#include <QClipboard>
#include <QGuiApplication>

namespace vornel {

void copyToClipboard(const QString& text) {
    if (text.isEmpty())
        return;
    QClipboard* clipboard = QGuiApplication::clipboard();
    clipboard->setText(text, QClipboard::Clipboard);
    if (clipboard->supportsSelection())
        clipboard->setText(text, QClipboard::Selection);
}

} // namespace vornel
