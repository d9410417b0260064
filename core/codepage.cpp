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
    QStringEncoder whole = makeEncoder();
    const QByteArray bytes = whole.encode(text);
    if (!whole.hasError() && bytes.size() == text.size())
        return std::nullopt;
    for (qsizetype i = 0; i < text.size();) {
        const bool pair =
            text[i].isHighSurrogate() && i + 1 < text.size() && text[i + 1].isLowSurrogate();
        const qsizetype length = pair ? 2 : 1;
        QStringEncoder encoder = makeEncoder();
        const QByteArray byte = encoder.encode(QStringView(text).mid(i, length));
        if (encoder.hasError() || byte.size() != 1)
            return pair ? QChar::surrogateToUcs4(text[i], text[i + 1]) : text[i].unicode();
        i += length;
    }
    return std::nullopt;
}
