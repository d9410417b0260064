#include "library/libraryfile.h"

#include "system/nativepath.h"
#include "system/wholefile.h"
#include "text/codepage.h"

#include <QDir>
#include <QFile>

namespace {

// Calls line(bytes, end) for each line of bytes in order.
template <class Line> void forEachLine(const QByteArray &bytes, Line line)
{
    qsizetype start = 0;
    for (qsizetype i = 0; i < bytes.size(); ++i) {
        if (bytes[i] != '\r')
            continue;
        const QByteArray text = bytes.mid(start, i - start);
        const bool crLf = i + 1 < bytes.size() && bytes[i + 1] == '\n';
        if (crLf)
            ++i;
        line(text, crLf ? LineEnd::CrLf : LineEnd::Cr);
        start = i + 1;
    }
    if (start < bytes.size())
        line(bytes.mid(start), LineEnd::None);
}

} // namespace

QList<QByteArray> splitLibraryBytes(const QByteArray &bytes)
{
    QList<QByteArray> lines;
    forEachLine(bytes, [&](const QByteArray &line, LineEnd) { lines.append(line); });
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
        return {{}, {}, {}, 0, file.errorString()};
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError)
        return {{}, {}, {}, 0, file.errorString()};
    return libraryContentOf(bytes);
}

LibraryFileContent libraryContentOf(const QByteArray &bytes)
{
    LibraryFileContent content;
    forEachLine(bytes, [&](const QByteArray &line, LineEnd end) {
        content.lineBytes.append(line);
        content.lineEnds.append(end);
        content.lines.append(decodeCodePage(line));
        if (content.firstUtf8Line == 0 && looksLikeUtf8(line))
            content.firstUtf8Line = int(content.lineBytes.size());
    });
    return content;
}

QList<int> utf8LinesOf(const QList<QByteArray> &lineBytes)
{
    QList<int> lines;
    for (qsizetype i = 0; i < lineBytes.size(); ++i)
        if (looksLikeUtf8(lineBytes[i]))
            lines.append(int(i + 1));
    return lines;
}

QList<int> turnUtf8Lines(LibraryFileContent &content)
{
    QList<int> kept;
    for (const int number : utf8LinesOf(content.lineBytes)) {
        const qsizetype i = number - 1;
        const QString text = decodeAsWritten(content.lineBytes[i]);
        if (!fitsCodePage(text)) {
            kept.append(number);
            continue;
        }
        content.lines[i] = text;
        content.lineBytes[i] = encodeCodePage(text);
    }
    content.firstUtf8Line = kept.isEmpty() ? 0 : kept.first();
    return kept;
}

QString writeLibraryFile(const QString &path, const QStringList &lines)
{
    QList<QByteArray> encoded;
    encoded.reserve(lines.size());
    for (const QString &line : lines)
        encoded.append(encodeCodePage(line));
    return writeLibraryFileBytes(path, encoded);
}

QByteArray libraryFileBytes(const QList<QByteArray> &lines)
{
    QByteArray bytes;
    for (const QByteArray &line : lines) {
        bytes += line;
        bytes += "\r\n";
    }
    return bytes;
}

QString writeLibraryFileBytes(const QString &path, const QList<QByteArray> &lines)
{
    return writeWholeFile(path, libraryFileBytes(lines));
}
std::optional<QString> libraryFolderOf(const QString &path)
{
    const qsizetype nameStart = fileNameStart(path);
    const qsizetype dot = path.indexOf(QLatin1Char('.'), nameStart);
    if (dot < 0)
        return std::nullopt;
    return path.left(dot);
}
