#include "pictures.h"

#include <QPainter>

// The front of the railcar on the orange of the windows, over the black track band: drawn
// without smoothing in the 16 colours of its table, so that each pixel keeps its colour.

namespace {

const QList<QRgb> &iconColours()
{
    static const QList<QRgb> colours = {
        qRgb(0, 0, 0),       qRgb(255, 255, 255), qRgb(255, 128, 0),   qRgb(128, 64, 0),
        qRgb(64, 64, 64),    qRgb(128, 128, 128), qRgb(192, 192, 192), qRgb(0, 0, 64),
        qRgb(40, 70, 110),   qRgb(120, 170, 210), qRgb(45, 120, 80),   qRgb(22, 62, 40),
        qRgb(255, 240, 150), qRgb(200, 0, 0),     qRgb(225, 228, 222), qRgb(255, 200, 120),
    };
    return colours;
}

QColor colour(int index)
{
    return QColor(iconColours().at(index));
}

} // namespace

QImage drawWindowIcon()
{
    QImage image(32, 32, QImage::Format_RGB32);
    image.fill(colour(2));
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setPen(Qt::NoPen);

    // The band with its rails and sleepers.
    painter.fillRect(0, 26, 32, 6, colour(0));
    painter.fillRect(0, 29, 32, 1, colour(3));
    for (int x = 1; x < 32; x += 4)
        painter.fillRect(x, 30, 2, 1, colour(3));
    painter.fillRect(4, 28, 24, 1, colour(6));

    // The body: light grey above, the green band, dark green below.
    painter.fillRect(7, 6, 18, 12, colour(14));
    painter.fillRect(8, 5, 16, 1, colour(14));
    painter.fillRect(10, 4, 12, 1, colour(6));
    painter.fillRect(7, 18, 18, 3, colour(10));
    painter.fillRect(7, 21, 18, 4, colour(11));
    painter.fillRect(6, 6, 1, 19, colour(4));
    painter.fillRect(25, 6, 1, 19, colour(4));

    // The windscreen in two panes, the headlights, the tail light, the buffer beam.
    painter.fillRect(9, 8, 6, 6, colour(8));
    painter.fillRect(17, 8, 6, 6, colour(8));
    painter.fillRect(9, 8, 2, 2, colour(9));
    painter.fillRect(17, 8, 2, 2, colour(9));
    painter.fillRect(9, 19, 2, 2, colour(12));
    painter.fillRect(21, 19, 2, 2, colour(12));
    painter.fillRect(15, 16, 2, 1, colour(13));
    painter.fillRect(6, 25, 20, 2, colour(0));
    painter.fillRect(8, 27, 3, 1, colour(5));
    painter.fillRect(21, 27, 3, 1, colour(5));

    // The pantograph on the roof.
    painter.fillRect(15, 1, 2, 3, colour(5));
    painter.fillRect(11, 1, 10, 1, colour(6));

    painter.end();
    return image.convertToFormat(QImage::Format_Indexed8, iconColours(), Qt::ThresholdDither);
}
