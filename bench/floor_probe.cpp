// The least a Qt Widgets program of Vornel's kind does: one top-level window of
// the menu's size with one button captioned in Japanese, ending as soon as the
// window has been painted once. Start-up is measured against this process.
#include "bench/first_paint.h"

#include <QApplication>
#include <QPushButton>
#include <QWidget>

using namespace Qt::StringLiterals;

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QWidget window;
    window.resize(357, 169);
    QPushButton button(u"メートルねじ"_s, &window);
    button.setGeometry(0, 0, 289, 25);
    vornel::bench::quitAfterFirstPaint([&window](const QObject* o) { return o == &window; });
    window.show();
    const int status = QApplication::exec();
    vornel::bench::printPeakResidentIfAsked();
    return status;
}
