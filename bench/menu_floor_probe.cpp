// The floor of what the menu needs: a plain Qt Widgets window with the menu's
// ten captions on push buttons in the menu's font and places, a picture and a
// window icon made from raw pixels of the menu's sizes, ending as soon as the
// window has been painted once. Vornel's start-up is measured against it.
#include "app/menu_window.h"
#include "app/program.h"
#include "assets/asset_pixels.h"
#include "bench/first_paint.h"
#include "chart_model/twips.h"

#include <QApplication>
#include <QLabel>
#include <QPushButton>

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QApplication::setFont(vornel::japaneseInterfaceFont(QApplication::font()));
    QWidget window;
    window.setWindowTitle(QStringLiteral("Vornel"));
    window.setWindowIcon(QIcon(QPixmap::fromImage(vornel::assets::kChartIconPixels.image())));
    window.setGeometry(175, 147, 357, 169);
    for (const vornel::MenuButton& b : vornel::menuButtons()) {
        auto* button = new QPushButton(
            QString::fromUtf16(b.caption.data(), qsizetype(b.caption.size())), &window);
        button->setGeometry(vornel::pixelsFromTwips(b.rect));
    }
    QLabel picture(&window);
    picture.setGeometry(296, 48, 51, 64);
    picture.setPixmap(QPixmap::fromImage(vornel::assets::kMenuPicturePixels.image()));
    vornel::bench::quitAfterFirstPaint([&window](const QObject* o) { return o == &window; });
    window.show();
    const int status = QApplication::exec();
    vornel::bench::printPeakResidentIfAsked();
    return status;
}
