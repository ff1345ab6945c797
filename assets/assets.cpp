#include "assets/assets.h"

#include "assets/asset_pixels.h"

namespace vornel::assets {

QIcon chartIcon() {
    static const QIcon icon(QPixmap::fromImage(kChartIconPixels.image()));
    return icon;
}

QPixmap menuPicture() {
    return QPixmap::fromImage(kMenuPicturePixels.image());
}

} // namespace vornel::assets
