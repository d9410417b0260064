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
    return firstCharOutsideCodePage(text).isNull();
}

QChar firstCharOutsideCodePage(const QString &text)
{
    QStringEncoder whole = makeEncoder();
    const QByteArray bytes = whole.encode(text);
    if (!whole.hasError() && bytes.size() == text.size())
        return {};
    for (const QChar c : text) {
        QStringEncoder encoder = makeEncoder();
        const QByteArray byte = encoder.encode(QString(c));
        if (encoder.hasError() || byte.size() != 1)
            return c.isNull() ? QChar(QChar::ReplacementCharacter) : c;
    }
    return {};
}
