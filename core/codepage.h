#pragma once

#include <QByteArray>
#include <QString>

#include <optional>

// Attributes files and HTML pages are single-byte text in the code page the display program
// reads: the system's ANSI code page on Windows, Windows-1252 elsewhere.
QString decodeCodePage(const QByteArray &bytes);
QByteArray encodeCodePage(const QString &text);

// True when every character of text has a byte of its own in the code page.
bool fitsCodePage(const QString &text);

// The first character of text that the code page cannot hold, as a whole code point: a
// character beyond the Basic Multilingual Plane is one character, never half of one.
std::optional<char32_t> firstCharOutsideCodePage(const QString &text);
