#include "pictures.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>

// A streamlined electric railcar in grey and green, its observation nose to the left, standing
// on the rail at the bottom of the track band. The black background is the band itself.

namespace {

void drawBogie(QPainter &painter, int left)
{
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(55, 55, 60));
    painter.drawRect(left, 44, 34, 5);
    for (const int centre : {left + 8, left + 26}) {
        painter.setBrush(QColor(40, 40, 44));
        painter.setPen(QPen(QColor(150, 150, 155), 1.2));
        painter.drawEllipse(QPointF(centre, 50.5), 5.0, 5.0);
        painter.setPen(Qt::NoPen);
        painter.setBrush(QColor(110, 110, 115));
        painter.drawEllipse(QPointF(centre, 50.5), 1.6, 1.6);
    }
}

void drawPantograph(QPainter &painter, int centre)
{
    painter.setPen(QPen(QColor(185, 185, 190), 1.0));
    painter.setBrush(Qt::NoBrush);
    const QPointF footLeft(centre - 9, 12.5), footRight(centre + 9, 12.5);
    const QPointF knee(centre - 2, 7.5), head(centre + 3, 2.5);
    painter.drawLine(footLeft, knee);
    painter.drawLine(footRight, knee);
    painter.drawLine(knee, head);
    painter.drawLine(QPointF(centre - 6, 2.5), QPointF(centre + 10, 2.5));
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(90, 90, 95));
    painter.drawRect(centre - 11, 11, 22, 2);
}

} // namespace

QImage drawRailcar()
{
    QImage image(161, 58, QImage::Format_RGB32);
    image.fill(Qt::black);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);

    // The rail.
    painter.fillRect(0, 56, 161, 1, QColor(170, 170, 170));
    painter.fillRect(0, 57, 161, 1, QColor(90, 90, 90));

    drawBogie(painter, 18);
    drawBogie(painter, 112);

    // The body: a long nose that rises to the roof, a flat rear end.
    QPainterPath body;
    body.moveTo(158, 13);
    body.lineTo(40, 13);
    body.cubicTo(24, 13, 10, 22, 4, 34);
    body.cubicTo(2, 38, 2, 42, 6, 44);
    body.lineTo(158, 44);
    body.closeSubpath();

    QLinearGradient paint(0, 13, 0, 44);
    paint.setColorAt(0.0, QColor(225, 228, 222));
    paint.setColorAt(0.55, QColor(195, 200, 192));
    paint.setColorAt(0.56, QColor(45, 120, 80));
    paint.setColorAt(0.72, QColor(45, 120, 80));
    paint.setColorAt(0.73, QColor(205, 205, 200));
    paint.setColorAt(0.78, QColor(205, 205, 200));
    paint.setColorAt(0.79, QColor(30, 80, 52));
    paint.setColorAt(1.0, QColor(22, 62, 40));
    painter.setPen(QPen(QColor(20, 30, 25), 1.0));
    painter.setBrush(paint);
    painter.drawPath(body);

    // The roof line.
    painter.setPen(QPen(QColor(150, 155, 150), 1.0));
    painter.drawLine(QPointF(40, 14.5), QPointF(157, 14.5));

    // The observation windows of the nose, then the row of side windows.
    QPainterPath nose;
    nose.moveTo(36, 17);
    nose.cubicTo(26, 17, 16, 23, 12, 29);
    nose.lineTo(36, 29);
    nose.closeSubpath();
    QLinearGradient glass(0, 17, 0, 29);
    glass.setColorAt(0.0, QColor(120, 160, 190));
    glass.setColorAt(1.0, QColor(30, 50, 75));
    painter.setPen(QPen(QColor(20, 30, 40), 0.8));
    painter.setBrush(glass);
    painter.drawPath(nose);
    for (int x = 42; x + 9 <= 156; x += 12) {
        if (x == 90)
            continue; // the door stands there
        painter.drawRoundedRect(QRectF(x, 18, 9, 10), 1.5, 1.5);
    }

    // The door.
    painter.setPen(QPen(QColor(70, 80, 70), 0.8));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(QRectF(90.5, 17.5, 9, 25));
    painter.setBrush(glass);
    painter.drawRect(QRectF(92, 19, 6, 8));

    // The headlight and the pantograph.
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(255, 245, 190));
    painter.drawEllipse(QPointF(8, 38), 1.8, 1.8);
    drawPantograph(painter, 126);

    return image;
}
