#include "site/publishlibrary.h"

#include "library/libraryfile.h"
#include "system/nativepath.h"
#include "system/wholefile.h"
#include "text/charactername.h"
#include "text/codepage.h"

#include <QDir>
#include <QFile>

namespace {

const QLatin1String nothingChanged("Nothing was changed.");

QString native(const QString &path)
{
    return shownPath(path);
}

QString cannotRead(const QString &what, const QString &path, const QString &reason)
{
    return QStringLiteral("Cannot read the %1 %2: %3").arg(what, native(path), reason) +
           QLatin1Char('\r') + nothingChanged;
}

QString cannotStore(const QString &what, const QString &text, char32_t c)
{
    return QStringLiteral("The %1 \"%2\" holds the character %3, which the pages cannot store.")
               .arg(what, text, characterName(c)) +
           QLatin1Char('\r') + nothingChanged;
}

struct FileBytes
{
    QByteArray bytes;
    QString error; // empty when read
};

FileBytes readInputFile(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {{}, file.errorString()};
    QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError)
        return {{}, file.errorString()};
    return {std::move(bytes), {}};
}

} // namespace

PublishOutcome publishLibrary(const SiteLocations &site, const QString &attributesPath,
                              const QString &libraryName, const QString &libraryDescription,
                              const PictureWidth &pictureWidth)
{
    if (const std::optional<char32_t> c = firstCharOutsideCodePage(libraryName))
        return {cannotStore(QStringLiteral("library name"), libraryName, *c), {}};
    if (const std::optional<char32_t> c = firstCharOutsideCodePage(libraryDescription))
        return {cannotStore(QStringLiteral("description"), libraryDescription, *c), {}};

    const LibraryFileContent index = readLibraryFile(site.indexPage);
    if (!index.ok())
        return {cannotRead(QStringLiteral("site index page"), site.indexPage, index.error), {}};
    const FileBytes pageTemplate = readInputFile(site.pageTemplate);
    if (!pageTemplate.error.isEmpty())
        return {cannotRead(QStringLiteral("page template"), site.pageTemplate, pageTemplate.error),
                {}};
    const LibraryFileContent attributes = readLibraryFile(attributesPath);
    if (!attributes.ok())
        return {cannotRead(QStringLiteral("attributes file"), attributesPath, attributes.error),
                {}};

    const LibraryPageResult built =
        writeLibraryPage(site, decodeCodePage(pageTemplate.bytes), attributes.lines, libraryName,
                         libraryDescription, pictureWidth);
    if (const auto *fault = std::get_if<EntryLineFault>(&built)) {
        return {QStringLiteral("Line %1 of the attributes file %2 has no \".bmp\" in its drawing "
                               "file name (column 59 on).")
                        .arg(QString::number(fault->lineNumber), native(attributesPath)) +
                    QLatin1Char('\r') + nothingChanged,
                {}};
    }
    const LibraryPage &page = std::get<LibraryPage>(built);

    // The library page first, so that the index never links to a page that was not written.
    const QString pagePath = site.libraryPage(libraryName);
    if (const QString error = writeWholeFile(pagePath, encodeCodePage(page.text()));
        !error.isEmpty())
        return {
            QStringLiteral("Cannot write the library page %1: %2").arg(native(pagePath), error) +
                QLatin1Char('\r') + nothingChanged,
            {}};
    // The index page is lines ended by CR LF, as an attributes file is. Its lines are handled
    // as bytes (one Latin-1 character per byte), so that every byte outside the new row stays
    // as it was, whatever the code page in use; the row's own texts are in the code page.
    QStringList indexBytes;
    for (const QByteArray &line : index.lineBytes)
        indexBytes.append(QString::fromLatin1(line));
    const QStringList withRow =
        insertIndexRow(indexBytes, QString::fromLatin1(encodeCodePage(libraryName)),
                       QString::fromLatin1(encodeCodePage(libraryDescription)));
    QList<QByteArray> indexOut;
    for (const QString &line : withRow)
        indexOut.append(line.toLatin1());
    if (const QString error = writeLibraryFileBytes(site.indexPage, indexOut); !error.isEmpty())
        return {QStringLiteral("Cannot write the site index page %1: %2")
                        .arg(native(site.indexPage), error) +
                    QLatin1Char('\r') +
                    QStringLiteral("The library page %1 was written; the index was left as it was.")
                        .arg(native(pagePath)),
                {}};
    return {{}, page.missingPictures};
}
