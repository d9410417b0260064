#include "frmedit.h"

#include "attributesfiledialog.h"
#include "site/htmlpages.h"
#include "site/publishlibrary.h"
#include "system/nativepath.h"

#include <QDir>
#include <QImageReader>

namespace {

// The header is enough for the width; the picture itself is never decoded.
std::optional<int> pictureWidthOnDisk(const QString &path)
{
    QImageReader reader(path);
    const QSize size = reader.size();
    if (!size.isValid())
        return std::nullopt;
    return size.width();
}

QString missingPicturesMessage(const QStringList &pictures)
{
    return QStringLiteral("These pictures are missing or cannot be read; their rows keep the "
                          "picture's own size:") +
           QLatin1Char('\r') + pictures.join(QLatin1Char('\r'));
}

} // namespace

// Works only on the file it is given: the library open in the window stays as it is.
void FrmEdit::publishHtml()
{
    const std::optional<QString> chosen =
        chooseAttributesFile(exchange(), existingAttributesFileRequest());
    if (!chosen)
        return;
    const QString attributesPath = shownPath(*chosen);

    const std::optional<QString> libraryName = deriveLibraryName(attributesPath);
    if (!libraryName) {
        exchange().message(MessageKind::Plain, QStringLiteral("NON IDENTIFICO IL NOME!"));
        return;
    }
    const QString description =
        exchange().inputBox(QStringLiteral("Descr of Library:"), applicationTitle());

    BusyPointer busy(exchange());
    const PublishOutcome outcome = publishLibrary(siteLocations, attributesPath, *libraryName,
                                                  description, pictureWidthOnDisk);
    busy.release();
    if (!outcome.ok()) {
        exchange().message(MessageKind::Warning, outcome.failure);
        return;
    }
    if (!outcome.missingPictures.isEmpty())
        exchange().message(MessageKind::Warning, missingPicturesMessage(outcome.missingPictures));
    exchange().message(MessageKind::Plain, QStringLiteral("FATTO!"));
}
