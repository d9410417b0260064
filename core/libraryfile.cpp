#include "libraryfile.h"

#include "codepage.h"
#include "wholefile.h"

#include <QDir>
#include <QFile>

QStringList splitLibraryText(const QByteArray &bytes)
{
    const QString text = decodeCodePage(bytes);
    QStringList lines;
    qsizetype start = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i] != QLatin1Char('\r'))
            continue;
        lines.append(text.mid(start, i - start));
        if (i + 1 < text.size() && text[i + 1] == QLatin1Char('\n'))
            ++i;
        start = i + 1;
    }
    if (start < text.size())
        lines.append(text.mid(start));
    return lines;
}

LibraryFileContent readLibraryFile(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {{}, file.errorString()};
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError)
        return {{}, file.errorString()};
    return {splitLibraryText(bytes), {}};
}

QString writeLibraryFile(const QString &path, const QStringList &lines)
{
    QByteArray bytes;
    for (const QString &line : lines) {
        bytes += encodeCodePage(line);
        bytes += "\r\n";
    }
    return writeWholeFile(path, bytes);
}

std::optional<QString> libraryFolderOf(const QString &path)
{
    const qsizetype nameStart =
        std::max(path.lastIndexOf(QLatin1Char('/')), path.lastIndexOf(QDir::separator())) + 1;
    const qsizetype dot = path.indexOf(QLatin1Char('.'), nameStart);
    if (dot < 0)
        return std::nullopt;
    return path.left(dot);
}
