#include "consoletext.h"

#ifdef Q_OS_WIN
#include <qt_windows.h>

#include <algorithm>
#else
#include <cstdio>
#endif

void writeText(Stream stream, const QString &text)
{
#ifdef Q_OS_WIN
    const HANDLE handle =
        GetStdHandle(stream == Stream::Output ? STD_OUTPUT_HANDLE : STD_ERROR_HANDLE);
    if (handle == nullptr || handle == INVALID_HANDLE_VALUE)
        return;
    QString windowsText = text;
    windowsText.replace(QLatin1Char('\n'), QLatin1String("\r\n"));
    DWORD mode = 0;
    DWORD written = 0;
    // A console takes UTF-16 whole; narrow bytes would pass through its code page (850 ...).
    if (GetConsoleMode(handle, &mode)) {
        // Older consoles refuse a write of more than about 64 KB at once.
        for (qsizetype at = 0; at < windowsText.size();) {
            qsizetype length = std::min<qsizetype>(8192, windowsText.size() - at);
            // A character of two UTF-16 units is never cut in two.
            if (length > 1 && windowsText.at(at + length - 1).isHighSurrogate())
                --length;
            WriteConsoleW(handle, windowsText.utf16() + at, DWORD(length), &written, nullptr);
            at += length;
        }
        return;
    }
    const QByteArray bytes = windowsText.toUtf8();
    WriteFile(handle, bytes.constData(), DWORD(bytes.size()), &written, nullptr);
#else
    const QByteArray bytes = text.toUtf8();
    std::FILE *file = stream == Stream::Output ? stdout : stderr;
    std::fwrite(bytes.constData(), 1, std::size_t(bytes.size()), file);
    std::fflush(file);
#endif
}
