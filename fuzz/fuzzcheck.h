#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <cstdio>
#include <cstdlib>

// A broken property stops the run like a crash, so libFuzzer keeps the input that broke it.
[[noreturn]] inline void propertyBroken(const char *what, const QString &detail = {})
{
    std::fprintf(stderr, "property broken: %s\n%s\n", what, qPrintable(detail));
    std::abort();
}

inline void check(bool holds, const char *what, const QString &detail = {})
{
    if (!holds)
        propertyBroken(what, detail);
}

inline QByteArray bytesOf(const uint8_t *data, size_t size)
{
    return QByteArray(reinterpret_cast<const char *>(data), qsizetype(size));
}

// The input as count text fields, one per line (LF); missing fields are empty and the last
// field takes the rest of the input, line ends included. Keeps the seeds readable by hand.
inline QStringList fieldsOf(const QByteArray &bytes, qsizetype count)
{
    QStringList fields;
    qsizetype start = 0;
    while (fields.size() < count - 1) {
        const qsizetype end = bytes.indexOf('\n', start);
        if (end < 0)
            break;
        fields.append(QString::fromLatin1(bytes.mid(start, end - start)));
        start = end + 1;
    }
    fields.append(QString::fromLatin1(bytes.mid(start)));
    while (fields.size() < count)
        fields.append(QString());
    return fields;
}
