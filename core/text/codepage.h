#pragma once

#include <QByteArray>
#include <QString>

#include <optional>

// Attributes files and HTML pages are single-byte text in the code page the display program
// reads: on Windows the system's ANSI code page where that is a single-byte one (1250, 1251,
// 1252 ...), otherwise, and on every other system, Windows-1252.
QString decodeCodePage(const QByteArray &bytes);
QByteArray encodeCodePage(const QString &text);

// The code page in use, as people name it: "Windows-1252".
QString codePageName();

// False for a byte the code page has no character for (0x81 in Windows-1252): the display
// program would show it as nothing or as something else on every system.
bool isCharacterOfCodePage(char byte);

// True when every character of text has a byte of its own in the code page.
bool fitsCodePage(const QString &text);

// The first character of text that the code page cannot hold, as a whole code point: a
// character beyond the Basic Multilingual Plane is one character, never half of one.
std::optional<char32_t> firstCharOutsideCodePage(const QString &text);

// True when bytes are UTF-8 text rather than single-byte text: they start with the UTF-8
// byte-order mark, or they hold bytes of 0x80 and above and every one of them belongs to a
// valid multi-byte UTF-8 sequence. (Single-byte text with two accented letters side by side
// may form one valid pair by chance, hardly every one.)
bool looksLikeUtf8(const QByteArray &bytes);

// The text of a line as the editor that wrote it shows it, without a UTF-8 byte-order mark:
// decoded as UTF-8 where the rest looksLikeUtf8, from the code page otherwise.
QString decodeAsWritten(const QByteArray &bytes);
