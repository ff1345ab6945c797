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

QString copiedLineNotice(const QString& spokenLine) {
    return QStringLiteral("コピーしました　") + spokenLine;
}

QString copiedValueNotice(const QString& entry) {
    return entry + QStringLiteral("しました");
}

} // namespace vornel
