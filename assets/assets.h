#pragma once

#include <QIcon>
#include <QPixmap>

namespace vornel::assets {

// The icon of the menu and of the chart windows: four holes on magenta.
QIcon chartIcon();

// The menu's picture, 51 × 64 pixels.
QPixmap menuPicture();

} // namespace vornel::assets
