#include "libraryfile.h"

#include "codepage.h"
#include "filecopy.h"

#include <QDir>
#include <QFile>
#include <QSaveFile>

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
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
        return file.errorString();
    if (QString reason = writeAll(file, bytes.constData(), bytes.size()); !reason.isEmpty())
        return reason; // the unfinished file is discarded, the old one stays
    if (!file.commit())
        return file.errorString();
    return {};
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
