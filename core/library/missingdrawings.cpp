#include "library/missingdrawings.h"

#include "entry/entryline.h"
#include "library/sameplace.h"
#include "system/filetest.h"

QList<MissingDrawing> drawingsMissingFrom(const QStringList &lines, const QString &libraryFolder)
{
    QList<MissingDrawing> missing;
    ListedFiles listed;
    for (qsizetype i = 0; i < lines.size(); ++i) {
        if (!namesDrawing(lines[i]))
            continue;
        for (const PlacedFile &file :
             libraryFilesOf({lines[i], {}, true}, libraryFolder, listed.test()))
            if (!listed.isListedFile(file.place))
                missing.append({int(i + 1), file.place});
    }
    return missing;
}
