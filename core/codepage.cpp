#include "codepage.h"

#include <QStringDecoder>
#include <QStringEncoder>

namespace {

#ifdef Q_OS_WIN
QStringDecoder makeDecoder()
{
    return QStringDecoder(QStringConverter::System);
}
QStringEncoder makeEncoder()
{
    return QStringEncoder(QStringConverter::System);
}
#else
QStringDecoder makeDecoder()
{
    return QStringDecoder("windows-1252");
}
QStringEncoder makeEncoder()
{
    return QStringEncoder("windows-1252");
}
#endif

// True when text has one byte per character in the code page and reads back unchanged. The
// system's converter on Windows replaces a character the code page lacks by a look-alike ("Ω"
// becomes "O") and reports no error, so only reading the bytes back tells.
bool holdsUnchanged(QStringView text)
{
    QStringEncoder encoder = makeEncoder();
    const QByteArray bytes = encoder.encode(text);
    if (encoder.hasError() || bytes.size() != text.size())
        return false;
    QStringDecoder decoder = makeDecoder();
    const QString back = decoder.decode(bytes);
    return !decoder.hasError() && back == text;
}

} // namespace

QString decodeCodePage(const QByteArray &bytes)
{
    QStringDecoder decoder = makeDecoder();
    return decoder.decode(bytes);
}

QByteArray encodeCodePage(const QString &text)
{
    QStringEncoder encoder = makeEncoder();
    return encoder.encode(text);
}

bool fitsCodePage(const QString &text)
{
    return !firstCharOutsideCodePage(text);
}

std::optional<char32_t> firstCharOutsideCodePage(const QString &text)
{
    if (holdsUnchanged(text))
        return std::nullopt;
    for (qsizetype i = 0; i < text.size();) {
        const bool pair =
            text[i].isHighSurrogate() && i + 1 < text.size() && text[i + 1].isLowSurrogate();
        const qsizetype length = pair ? 2 : 1;
        if (!holdsUnchanged(QStringView(text).mid(i, length)))
            return pair ? QChar::surrogateToUcs4(text[i], text[i + 1]) : text[i].unicode();
        i += length;
    }
    return std::nullopt;
}
