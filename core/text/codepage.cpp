#include "text/codepage.h"

#include <algorithm>

#ifdef Q_OS_WIN
#include <qt_windows.h>
#else
#include <QStringDecoder>
#include <QStringEncoder>
#endif

namespace {

struct Encoded
{
    QByteArray bytes;
    bool complete = true; // false when a character had no byte of its own
};

#ifdef Q_OS_WIN
// The system's ANSI code page when it has one byte per character; a multi-byte one (932, 936,
// 65001 ...) would cut columns and change the bytes of every line that is not ASCII.
UINT libraryCodePage()
{
    const UINT system = GetACP();
    CPINFO info{};
    if (GetCPInfo(system, &info) && info.MaxCharSize == 1)
        return system;
    return 1252;
}

QString decode(const QByteArray &bytes)
{
    if (bytes.isEmpty())
        return {};
    const UINT page = libraryCodePage();
    const int length =
        MultiByteToWideChar(page, 0, bytes.constData(), int(bytes.size()), nullptr, 0);
    std::wstring wide(std::size_t(length), L'\0');
    MultiByteToWideChar(page, 0, bytes.constData(), int(bytes.size()), wide.data(), length);
    return QString::fromStdWString(wide);
}

// No best fit: Windows would otherwise write "O" for "Ω" and report nothing.
Encoded encode(QStringView text)
{
    if (text.isEmpty())
        return {};
    const UINT page = libraryCodePage();
    const auto *wide = reinterpret_cast<const wchar_t *>(text.utf16());
    BOOL usedDefault = FALSE;
    const int length = WideCharToMultiByte(page, WC_NO_BEST_FIT_CHARS, wide, int(text.size()),
                                           nullptr, 0, nullptr, &usedDefault);
    QByteArray bytes(length, Qt::Uninitialized);
    WideCharToMultiByte(page, WC_NO_BEST_FIT_CHARS, wide, int(text.size()), bytes.data(), length,
                        nullptr, &usedDefault);
    return {bytes, !usedDefault};
}
#else
QString decode(const QByteArray &bytes)
{
    QStringDecoder decoder("windows-1252");
    return decoder.decode(bytes);
}

Encoded encode(QStringView text)
{
    QStringEncoder encoder("windows-1252");
    QByteArray bytes = encoder.encode(text);
    return {bytes, !encoder.hasError()};
}
#endif

// True when text has one byte per character in the code page and reads back unchanged: only
// reading the bytes back tells a look-alike from the character itself.
bool holdsUnchanged(QStringView text)
{
    const Encoded encoded = encode(text);
    return encoded.complete && encoded.bytes.size() == text.size() && decode(encoded.bytes) == text;
}

constexpr char utf8ByteOrderMark[] = "\xEF\xBB\xBF";

// The length of the valid multi-byte UTF-8 sequence at bytes[i], or 0.
int utf8SequenceAt(const QByteArray &bytes, qsizetype i)
{
    const auto byte = [&](qsizetype k) { return uchar(bytes[k]); };
    const uchar lead = byte(i);
    int length = 0;
    uchar low = 0x80, high = 0xBF; // the second byte's range
    if (lead >= 0xC2 && lead <= 0xDF)
        length = 2;
    else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        if (lead == 0xE0)
            low = 0xA0;
        else if (lead == 0xED)
            high = 0x9F;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        if (lead == 0xF0)
            low = 0x90;
        else if (lead == 0xF4)
            high = 0x8F;
    } else
        return 0;
    if (i + length > bytes.size() || byte(i + 1) < low || byte(i + 1) > high)
        return 0;
    for (int k = 2; k < length; ++k)
        if (byte(i + k) < 0x80 || byte(i + k) > 0xBF)
            return 0;
    return length;
}

} // namespace

QString decodeCodePage(const QByteArray &bytes)
{
    return decode(bytes);
}

QString codePageName()
{
#ifdef Q_OS_WIN
    return QStringLiteral("Windows-%1").arg(libraryCodePage());
#else
    return QStringLiteral("Windows-1252");
#endif
}

bool isCharacterOfCodePage(char byte)
{
    if (uchar(byte) < 0x80)
        return true;
    // A byte without a character decodes to the replacement character, or, on Windows, to the
    // C1 control code of the same number.
    const QString decoded = decode(QByteArray(1, byte));
    return decoded.size() == 1 && decoded[0] != QChar::ReplacementCharacter &&
           (decoded[0].unicode() < 0x80 || decoded[0].unicode() > 0x9F);
}

QByteArray encodeCodePage(const QString &text)
{
    return encode(text).bytes;
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

bool looksLikeUtf8(const QByteArray &bytes)
{
    if (bytes.startsWith(utf8ByteOrderMark))
        return true;
    bool multiByte = false;
    for (qsizetype i = 0; i < bytes.size(); ++i) {
        if (uchar(bytes[i]) < 0x80)
            continue;
        const int length = utf8SequenceAt(bytes, i);
        if (length == 0)
            return false;
        multiByte = true;
        i += length - 1;
    }
    return multiByte;
}

QString decodeAsWritten(const QByteArray &bytes)
{
    const bool byteOrderMark = bytes.startsWith(utf8ByteOrderMark);
    const QByteArray text = byteOrderMark ? bytes.mid(3) : bytes;
    // Behind a byte-order mark an editor may still have kept single-byte text.
    const bool isAscii =
        std::all_of(text.cbegin(), text.cend(), [](char byte) { return uchar(byte) < 0x80; });
    if (byteOrderMark ? isAscii || looksLikeUtf8(text) : looksLikeUtf8(text))
        return QString::fromUtf8(text);
    return decodeCodePage(text);
}
