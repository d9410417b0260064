#include "captionfonts.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QFontDatabase>
#include <QFontInfo>
#include <QFontMetrics>
#include <QLabel>
#include <QPushButton>
#include <QStyle>
#include <QStyleOptionButton>

#include <algorithm>

namespace {
// Below this a caption is no longer read comfortably; a stand-in never gets smaller.
constexpr qreal smallestSize = 6.5;
constexpr qreal sizeStep = 0.25;

// Whether text in this family is drawn in it, and not in a face the system substitutes: a
// family may be listed (a bitmap face, a registry alias) and still be drawn in another.
bool drawnInOwnFace(const QFont &font)
{
    return QFontInfo(font).family().compare(font.family(), Qt::CaseInsensitive) == 0;
}

QFont installedStandIn(const QFont &designed)
{
    QFont font = designed;
    for (const QString &family : captionStandIns()) {
        font.setFamily(family);
        if (drawnInOwnFace(font))
            return font;
    }
    font = QFontDatabase::systemFont(QFontDatabase::GeneralFont);
    font.setPointSizeF(designed.pointSizeF());
    font.setBold(designed.bold());
    return font;
}
} // namespace

QStringList captionStandIns()
{
    return {QStringLiteral("Microsoft Sans Serif"), QStringLiteral("Tahoma"),
            QStringLiteral("Segoe UI"), QStringLiteral("DejaVu Sans"),
            QStringLiteral("Liberation Sans")};
}

int captionRoom(const QWidget &control)
{
    if (const auto *label = qobject_cast<const QLabel *>(&control))
        return label->contentsRect().width() - 2 * std::max(label->margin(), 0);
    if (const auto *button = qobject_cast<const QAbstractButton *>(&control)) {
        QStyleOptionButton option;
        option.initFrom(button);
        option.text = button->text();
        const bool checkBox = qobject_cast<const QCheckBox *>(button) != nullptr;
        return button->style()
            ->subElementRect(checkBox ? QStyle::SE_CheckBoxContents : QStyle::SE_PushButtonContents,
                             &option, button)
            .width();
    }
    return control.width();
}

QString captionOf(const QWidget &control)
{
    if (const auto *label = qobject_cast<const QLabel *>(&control))
        return label->text();
    if (const auto *button = qobject_cast<const QAbstractButton *>(&control))
        return button->text();
    return {};
}

void setCaptionFont(const QList<QWidget *> &controls, const QFont &designed)
{
    QFont font = designed;
    if (!drawnInOwnFace(designed)) {
        // The stand-in is chosen once for the whole kind, so that neighbouring captions match.
        font = installedStandIn(designed);
        const auto allFit = [&controls](const QFont &candidate) {
            const QFontMetrics metrics(candidate);
            return std::all_of(controls.cbegin(), controls.cend(), [&metrics](const QWidget *c) {
                return metrics.horizontalAdvance(captionOf(*c)) <= captionRoom(*c);
            });
        };
        while (font.pointSizeF() - sizeStep >= smallestSize && !allFit(font))
            font.setPointSizeF(font.pointSizeF() - sizeStep);
    }
    for (QWidget *control : controls)
        control->setFont(font);
}

QFont designCaptionFont(bool bold)
{
    QFont font(QStringLiteral("MS Sans Serif"));
    font.setPointSizeF(8.25);
    font.setBold(bold);
    return font;
}
