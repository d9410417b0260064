#include "libraryfile.h"

#include "codepage.h"
#include "nativepath.h"
#include "wholefile.h"

#include <QDir>
#include <QFile>

QList<QByteArray> splitLibraryBytes(const QByteArray &bytes)
{
    QList<QByteArray> lines;
    qsizetype start = 0;
    for (qsizetype i = 0; i < bytes.size(); ++i) {
        if (bytes[i] != '\r')
            continue;
        lines.append(bytes.mid(start, i - start));
        if (i + 1 < bytes.size() && bytes[i + 1] == '\n')
            ++i;
        start = i + 1;
    }
    if (start < bytes.size())
        lines.append(bytes.mid(start));
    return lines;
}

QStringList splitLibraryText(const QByteArray &bytes)
{
    QStringList lines;
    for (const QByteArray &line : splitLibraryBytes(bytes))
        lines.append(decodeCodePage(line));
    return lines;
}

LibraryFileContent readLibraryFile(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {{}, {}, 0, file.errorString()};
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError)
        return {{}, {}, 0, file.errorString()};
    LibraryFileContent content;
    content.lineBytes = splitLibraryBytes(bytes);
    for (qsizetype i = 0; i < content.lineBytes.size(); ++i) {
        content.lines.append(decodeCodePage(content.lineBytes[i]));
        if (content.firstUtf8Line == 0 && looksLikeUtf8(content.lineBytes[i]))
            content.firstUtf8Line = int(i + 1);
    }
    return content;
}

QString writeLibraryFile(const QString &path, const QStringList &lines)
{
    QList<QByteArray> encoded;
    encoded.reserve(lines.size());
    for (const QString &line : lines)
        encoded.append(encodeCodePage(line));
    return writeLibraryFileBytes(path, encoded);
}

QString writeLibraryFileBytes(const QString &path, const QList<QByteArray> &lines)
{
    QByteArray bytes;
    for (const QByteArray &line : lines) {
        bytes += line;
        bytes += "\r\n";
    }
    return writeWholeFile(path, bytes);
}
std::optional<QString> libraryFolderOf(const QString &path)
{
    const qsizetype nameStart = fileNameStart(path);
    const qsizetype dot = path.indexOf(QLatin1Char('.'), nameStart);
    if (dot < 0)
        return std::nullopt;
    return path.left(dot);
}
