#include "filemanagerorder.h"

#include <QCollator>
#include <QLocale>

void sortAsFileManager(QStringList &names)
{
    // The C locale's collation knows no numeric order; fall back to plain English there.
    const QLocale system = QLocale::system();
    QCollator collator(system.language() == QLocale::C
                           ? QLocale(QLocale::English, QLocale::UnitedStates)
                           : system);
    collator.setNumericMode(true);
    collator.setCaseSensitivity(Qt::CaseInsensitive);
    std::sort(names.begin(), names.end(), collator);
}
