#include "assets/assets.h"

namespace vornel::assets {

QIcon chartIcon() {
    static const QIcon icon(QStringLiteral(":/vornel/chart.ico"));
    return icon;
}

QPixmap menuPicture() {
    return QPixmap(QStringLiteral(":/vornel/menu.gif"));
}

} // namespace vornel::assets
