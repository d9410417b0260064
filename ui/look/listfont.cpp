#include "listfont.h"

#include "programresources.h"

#include <QFontDatabase>
#include <QStringList>

QFont libraryListFont()
{
    const QString design = QStringLiteral("Courier New");
    const QString builtIn = QStringLiteral("DejaVu Sans Mono");
    QString family = design;
    if (!QFontDatabase::families().contains(design)) {
        family = builtIn;
        if (!QFontDatabase::families().contains(builtIn)) {
            initProgramResources();
            QFontDatabase::addApplicationFont(QStringLiteral(":/fonts/DejaVuSansMono.ttf"));
        }
    }
    QFont font(family);
    font.setStyleHint(QFont::TypeWriter);
    font.setFixedPitch(true);
    font.setPointSizeF(8.25);
    font.setBold(false);
    return font;
}
