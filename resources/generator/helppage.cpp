#include "pictures.h"

#include <QFont>
#include <QFontMetrics>
#include <QPainter>
#include <QPainterPath>

#include <cstdio>

// The page of the help window: what a source library is, the tree of the example library
// 'test001', the folder names, the attributes set in the display program, and the variations
// of a drawing shown on a passenger car. Text in DejaVu Sans, which the build machines have.

namespace {

const QColor page(255, 250, 238);
const QColor ink(30, 30, 40);
const QColor heading(0, 0, 64);
const QColor orange(255, 128, 0);
const QColor muted(105, 105, 115);
const QColor marked(170, 60, 0);

QFont font(int pixelSize, bool bold = false, bool italic = false)
{
    QFont f(QStringLiteral("DejaVu Sans"));
    f.setPixelSize(pixelSize);
    f.setBold(bold);
    f.setItalic(italic);
    f.setHintingPreference(QFont::PreferFullHinting);
    return f;
}

// Writes text into the column from y down, wrapped at its width; returns the y below it.
int paragraph(QPainter &painter, const QRect &column, int y, const QString &text,
              const QFont &textFont, const QColor &colour = ink)
{
    painter.setFont(textFont);
    painter.setPen(colour);
    const QRect area(column.left(), y, column.width(), 1000);
    const QRect used = painter.boundingRect(area, Qt::TextWordWrap | Qt::AlignLeft, text);
    painter.drawText(area, Qt::TextWordWrap | Qt::AlignLeft, text);
    return y + used.height();
}

int sectionHeading(QPainter &painter, const QRect &column, int y, const QString &number,
                   const QString &title)
{
    painter.setPen(Qt::NoPen);
    painter.setBrush(orange);
    painter.drawEllipse(QRect(column.left(), y + 1, 16, 16));
    painter.setFont(font(11, true));
    painter.setPen(Qt::white);
    painter.drawText(QRect(column.left(), y + 1, 16, 16), Qt::AlignCenter, number);
    painter.setFont(font(13, true));
    painter.setPen(heading);
    painter.drawText(QRect(column.left() + 22, y, column.width() - 22, 18),
                     Qt::AlignLeft | Qt::AlignVCenter, title);
    return y + 22;
}

void fileIcon(QPainter &painter, int x, int y)
{
    QPainterPath sheet;
    sheet.moveTo(x + 1, y);
    sheet.lineTo(x + 8, y);
    sheet.lineTo(x + 11, y + 3);
    sheet.lineTo(x + 11, y + 13);
    sheet.lineTo(x + 1, y + 13);
    sheet.closeSubpath();
    painter.setPen(QPen(QColor(80, 80, 90), 1));
    painter.setBrush(Qt::white);
    painter.drawPath(sheet);
    painter.setPen(QPen(QColor(150, 150, 165), 1));
    for (int line = 5; line <= 11; line += 2)
        painter.drawLine(x + 3, y + line, x + 9, y + line);
}

void folderIcon(QPainter &painter, int x, int y, bool open = false)
{
    painter.setPen(QPen(QColor(150, 110, 20), 1));
    painter.setBrush(QColor(250, 205, 90));
    painter.drawRect(x, y + 2, 5, 2);
    painter.drawRect(x, y + 3, 14, 9);
    if (open) {
        painter.setBrush(QColor(255, 225, 130));
        painter.drawRect(x + 2, y + 6, 12, 6);
    }
}

struct TreeFolder
{
    QString name;
    QString meaning;
    bool notTypeCode;
};

// The tree of 'test001'; returns the y below it.
int libraryTree(QPainter &painter, const QRect &column, int y)
{
    const QList<TreeFolder> folders = {
        {QStringLiteral("D"), QStringLiteral("steam locomotives"), false},
        {QStringLiteral("DT"), QStringLiteral("steam railcars"), false},
        {QStringLiteral("E"), QStringLiteral("electrical locomotives"), false},
        {QStringLiteral("EA"), QStringLiteral("accumulator cars"), false},
        {QStringLiteral("ES"), QStringLiteral("tramways"), false},
        {QStringLiteral("ET"), QStringLiteral("electrical multiple units"), false},
        {QStringLiteral("FC"), QStringLiteral("freight cars"), true},
        {QStringLiteral("PC"), QStringLiteral("passenger cars"), true},
        {QStringLiteral("V"), QStringLiteral("diesel locomotives"), false},
        {QStringLiteral("VB"), QStringLiteral("buses"), false},
        {QStringLiteral("VT"), QStringLiteral("diesel multiple units"), false},
        {QStringLiteral("VZ"), QStringLiteral("amphibious vehicles"), false},
        {QStringLiteral("X"), QStringLiteral("special vehicles and other"), false},
        {QStringLiteral("Consists"), QStringLiteral("left empty: for composing trains"), true},
    };
    const int row = 16;
    const int x = column.left() + 6;
    const QFont name = font(12, true);
    const QFont note = font(11, false, true);

    const int boxTop = y;
    const int boxHeight = (2 + folders.size()) * row + 10;
    painter.setPen(QPen(QColor(210, 190, 160), 1));
    painter.setBrush(Qt::white);
    painter.drawRoundedRect(QRect(column.left(), boxTop, column.width(), boxHeight), 4, 4);
    y += 6;

    const auto label = [&](int left, int top, const QString &text, const QColor &colour) {
        painter.setFont(name);
        painter.setPen(colour);
        painter.drawText(QRect(left, top, 200, row), Qt::AlignLeft | Qt::AlignVCenter, text);
    };
    const auto comment = [&](int top, const QString &text, const QColor &colour) {
        painter.setFont(note);
        painter.setPen(colour);
        painter.drawText(QRect(x + 128, top, column.right() - x - 130, row),
                         Qt::AlignLeft | Qt::AlignVCenter, text);
    };

    fileIcon(painter, x, y + 1);
    label(x + 18, y, QStringLiteral("test001.txt"), ink);
    comment(y, QStringLiteral("the attributes file"), muted);
    y += row;
    folderIcon(painter, x, y + 2, true);
    label(x + 18, y, QStringLiteral("test001"), ink);
    comment(y, QStringLiteral("the library folder"), muted);
    y += row;

    const int trunk = x + 7;
    const int firstBranch = y + row / 2;
    for (int i = 0; i < folders.size(); ++i) {
        const TreeFolder &folder = folders.at(i);
        const int middle = y + row / 2;
        painter.setPen(QPen(QColor(160, 160, 170), 1));
        painter.drawLine(trunk, middle, trunk + 12, middle);
        folderIcon(painter, trunk + 14, y + 2);
        const QString text = folder.notTypeCode ? folder.name + QStringLiteral(" *") : folder.name;
        label(trunk + 33, y, text, folder.notTypeCode ? marked : ink);
        comment(y, folder.meaning, folder.notTypeCode ? marked : muted);
        if (i == folders.size() - 1) {
            painter.setPen(QPen(QColor(160, 160, 170), 1));
            painter.drawLine(trunk, firstBranch - row / 2 - 2, trunk, middle);
        }
        y += row;
    }
    return boxTop + boxHeight;
}

// A passenger car seen from the side, 128 x 24; lamps tells which tail lights of its W (left)
// end are lit.
void passengerCar(QPainter &painter, int x, int y, int lamps)
{
    painter.save();
    painter.translate(x, y);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.fillRect(0, 22, 128, 1, QColor(120, 120, 120));
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(60, 60, 65));
    for (const int centre : {18, 30, 98, 110}) {
        painter.drawEllipse(QPointF(centre, 19), 3.0, 3.0);
    }
    painter.setPen(QPen(QColor(30, 40, 30), 1));
    painter.setBrush(QColor(70, 110, 150));
    painter.drawRoundedRect(QRectF(4.5, 3.5, 119, 13), 2, 2);
    painter.setBrush(QColor(150, 150, 155));
    painter.drawRoundedRect(QRectF(5.5, 1.5, 117, 3), 1.5, 1.5);
    painter.setBrush(QColor(225, 235, 240));
    for (int w = 14; w + 8 <= 116; w += 11)
        painter.drawRect(QRectF(w + 0.5, 6.5, 7, 5));
    painter.setPen(QPen(QColor(40, 40, 40), 1));
    painter.drawLine(QPointF(1, 13.5), QPointF(4.5, 13.5));
    painter.drawLine(QPointF(123.5, 13.5), QPointF(127, 13.5));

    // The tail lights at the W end.
    const QPointF upper(7.5, 7.0), lower(7.5, 14.0);
    const auto lamp = [&](const QPointF &at, bool lit) {
        painter.setPen(QPen(QColor(40, 20, 20), 0.6));
        painter.setBrush(lit ? QColor(235, 20, 20) : QColor(110, 70, 70));
        painter.drawEllipse(at, lit ? 2.0 : 1.4, lit ? 2.0 : 1.4);
    };
    lamp(upper, lamps >= 2);
    lamp(lower, lamps >= 1);
    painter.restore();
}

void compass(QPainter &painter, const QPoint &centre)
{
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(muted, 1));
    painter.drawLine(centre + QPoint(0, -9), centre + QPoint(0, 9));
    painter.drawLine(centre + QPoint(-9, 0), centre + QPoint(9, 0));
    painter.setFont(font(10, true));
    painter.setPen(heading);
    painter.drawText(QRect(centre.x() - 6, centre.y() - 22, 12, 12), Qt::AlignCenter, "N");
    painter.drawText(QRect(centre.x() - 6, centre.y() + 10, 12, 12), Qt::AlignCenter, "S");
    painter.drawText(QRect(centre.x() - 23, centre.y() - 6, 12, 12), Qt::AlignCenter, "W");
    painter.drawText(QRect(centre.x() + 11, centre.y() - 6, 12, 12), Qt::AlignCenter, "E");
}

int variationsDiagram(QPainter &painter, const QRect &column, int y)
{
    struct Row
    {
        QString fileName;
        QString role;
        int lamps;
    };
    const QList<Row> rows = {
        {QStringLiteral("I_FS_PC_B36000.bmp"), QStringLiteral("the base drawing"), 0},
        {QStringLiteral("I_FS_PC_B36000_W0.bmp"), QStringLiteral("variation W0: two tail lights"),
         2},
        {QStringLiteral("I_FS_PC_B36000_W1.bmp"), QStringLiteral("variation W1: one tail light"),
         1},
    };
    const int rowHeight = 32;
    const int boxHeight = rows.size() * rowHeight + 8;
    painter.setPen(QPen(QColor(210, 190, 160), 1));
    painter.setBrush(Qt::white);
    painter.drawRoundedRect(QRect(column.left(), y, column.width(), boxHeight), 4, 4);

    int top = y + 5;
    for (const Row &row : rows) {
        passengerCar(painter, column.left() + 8, top + 3, row.lamps);
        if (row.lamps > 0) {
            // Ring the edge that the variation changes.
            painter.setRenderHint(QPainter::Antialiasing);
            painter.setPen(QPen(orange, 1.5, Qt::DotLine));
            painter.setBrush(Qt::NoBrush);
            painter.drawRoundedRect(QRectF(column.left() + 6, top + 2, 13, 19), 3, 3);
        }
        painter.setFont(font(11, true));
        painter.setPen(ink);
        painter.drawText(QRect(column.left() + 144, top, column.width() - 148, 15),
                         Qt::AlignLeft | Qt::AlignVCenter, row.fileName);
        painter.setFont(font(11, false, true));
        painter.setPen(row.lamps > 0 ? marked : muted);
        painter.drawText(QRect(column.left() + 144, top + 14, column.width() - 148, 14),
                         Qt::AlignLeft | Qt::AlignVCenter, row.role);
        top += rowHeight;
    }
    return y + boxHeight;
}

} // namespace

QImage drawHelpPage()
{
    QImage image(700, 450, QImage::Format_RGB32);
    image.fill(page);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::TextAntialiasing);

    // The title band.
    painter.fillRect(0, 0, 700, 36, orange);
    painter.fillRect(0, 36, 700, 2, QColor(128, 64, 0));
    painter.setFont(font(20, true));
    painter.setPen(Qt::white);
    painter.drawText(QRect(14, 0, 400, 36), Qt::AlignLeft | Qt::AlignVCenter,
                     QStringLiteral("How to use Tessaro"));
    painter.setFont(font(12, true));
    painter.setPen(heading);
    painter.drawText(QRect(300, 0, 386, 36), Qt::AlignRight | Qt::AlignVCenter,
                     QStringLiteral("Compose a Source Library for Pavo"));

    const QFont body = font(12);
    const QRect left(14, 46, 320, 400);
    const QRect right(352, 46, 334, 400);
    painter.setPen(QPen(QColor(225, 205, 175), 1));
    painter.drawLine(343, 50, 343, 440);

    int y = sectionHeading(painter, left, left.top(), QStringLiteral("1"),
                           QStringLiteral("A source library"));
    y = paragraph(painter, left, y,
                  QStringLiteral("consists of its attributes file NAME.txt, one line of "
                                 "attributes per drawing, and of the folder NAME beside it, "
                                 "which holds the drawings in one folder per vehicle type. "
                                 "Saving the library writes both."),
                  body);
    y = paragraph(painter, left, y + 4, QStringLiteral("The example library 'test001':"),
                  font(12, true), heading);
    y = libraryTree(painter, left, y + 4);
    const int leftBottom = y;

    y = sectionHeading(painter, right, right.top(), QStringLiteral("2"),
                       QStringLiteral("The folder names"));
    y = paragraph(painter, right, y,
                  QStringLiteral("are the vehicle types (GT codes) of the display program, "
                                 "except FC (freight cars), PC (passenger cars) and Consists, "
                                 "marked * in the tree: they are not type codes of the display "
                                 "program. Consists stays empty; it is there for composing "
                                 "trains."),
                  body);
    y = sectionHeading(painter, right, y + 10, QStringLiteral("3"),
                       QStringLiteral("Attributes set elsewhere"));
    y = paragraph(painter, right, y,
                  QStringLiteral("Some attributes of the display program are not set by "
                                 "Tessaro: set them in the display program's own settings."),
                  body);
    y = sectionHeading(painter, right, y + 10, QStringLiteral("4"), QStringLiteral("Variations"));
    const QRect variationsText(right.left(), y, right.width() - 56, 200);
    compass(painter, QPoint(right.right() - 20, y + 26));
    y = paragraph(painter, variationsText, y,
                  QStringLiteral("are small differences on the N, S, E and W edges of a "
                                 "drawing, up to 10 per edge (digits 0 to 9), each in its own "
                                 "file beside the base drawing. The W edge is the left one:"),
                  body);
    y = variationsDiagram(painter, right, y + 6);
    const int rightBottom = y;

    painter.end();
    if (leftBottom > 446 || rightBottom > 446)
        std::fprintf(stderr, "help page: the text runs off the page (%d, %d)\n", leftBottom,
                     rightBottom);
    return image;
}
