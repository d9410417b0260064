#include "pictures.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>

// A railwayman in his cap and uniform, smiling: the builder of the library.

QImage drawPortrait()
{
    QImage image(54, 53, QImage::Format_RGB32);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);

    QLinearGradient sky(0, 0, 0, 53);
    sky.setColorAt(0.0, QColor(150, 200, 240));
    sky.setColorAt(1.0, QColor(235, 245, 255));
    painter.fillRect(image.rect(), sky);

    // Shoulders in a dark blue jacket with a white collar.
    QPainterPath jacket;
    jacket.moveTo(4, 53);
    jacket.cubicTo(5, 44, 14, 40, 27, 40);
    jacket.cubicTo(40, 40, 49, 44, 50, 53);
    jacket.closeSubpath();
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(25, 40, 90));
    painter.drawPath(jacket);
    QPainterPath collar;
    collar.moveTo(20, 41);
    collar.lineTo(27, 48);
    collar.lineTo(34, 41);
    collar.lineTo(30, 40);
    collar.lineTo(27, 43);
    collar.lineTo(24, 40);
    collar.closeSubpath();
    painter.setBrush(QColor(245, 245, 240));
    painter.drawPath(collar);
    painter.setBrush(QColor(230, 180, 40));
    painter.drawEllipse(QPointF(17, 47), 1.3, 1.3);
    painter.drawEllipse(QPointF(37, 47), 1.3, 1.3);

    // Neck and face.
    painter.setBrush(QColor(220, 170, 135));
    painter.drawRect(QRectF(23, 34, 8, 7));
    QRadialGradient skin(QPointF(24, 24), 14);
    skin.setColorAt(0.0, QColor(250, 212, 180));
    skin.setColorAt(1.0, QColor(225, 170, 135));
    painter.setBrush(skin);
    painter.drawEllipse(QRectF(16, 13, 22, 25));
    // Ears.
    painter.setBrush(QColor(228, 175, 140));
    painter.drawEllipse(QRectF(14, 22, 4, 7));
    painter.drawEllipse(QRectF(36, 22, 4, 7));

    // Eyes, brows, moustache and smile.
    painter.setBrush(QColor(40, 30, 25));
    painter.drawEllipse(QPointF(23, 24.5), 1.3, 1.5);
    painter.drawEllipse(QPointF(31, 24.5), 1.3, 1.5);
    painter.setPen(QPen(QColor(90, 60, 40), 1.0));
    painter.drawLine(QPointF(20.5, 21.5), QPointF(25, 21));
    painter.drawLine(QPointF(29, 21), QPointF(33.5, 21.5));
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(110, 75, 50));
    QPainterPath moustache;
    moustache.moveTo(21, 31);
    moustache.cubicTo(23, 28.5, 26, 29, 27, 30);
    moustache.cubicTo(28, 29, 31, 28.5, 33, 31);
    moustache.cubicTo(30, 30.5, 28, 31, 27, 31.5);
    moustache.cubicTo(26, 31, 24, 30.5, 21, 31);
    painter.drawPath(moustache);
    painter.setPen(QPen(QColor(150, 70, 60), 1.0));
    painter.setBrush(Qt::NoBrush);
    painter.drawArc(QRectF(23, 29.5, 8, 4), 200 * 16, 140 * 16);
    // Nose.
    painter.setPen(QPen(QColor(200, 145, 115), 1.0));
    painter.drawLine(QPointF(27, 25), QPointF(26, 28));

    // The cap: crown, band, peak and badge.
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(25, 40, 90));
    QPainterPath crown;
    crown.moveTo(13, 17);
    crown.cubicTo(12, 8, 20, 5, 27, 5);
    crown.cubicTo(36, 5, 43, 8, 41, 17);
    crown.closeSubpath();
    painter.drawPath(crown);
    painter.setBrush(QColor(160, 30, 30));
    painter.drawRect(QRectF(15, 14, 24, 4));
    painter.setBrush(QColor(15, 20, 40));
    QPainterPath peak;
    peak.moveTo(15, 18);
    peak.cubicTo(20, 22, 34, 22, 39, 18);
    peak.closeSubpath();
    painter.drawPath(peak);
    painter.setBrush(QColor(240, 200, 60));
    painter.drawEllipse(QPointF(27, 11), 2.2, 2.2);

    painter.end();
    return toIndexed(image, 256);
}
