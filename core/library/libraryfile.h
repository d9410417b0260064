#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

#include <optional>

// How a line of an attributes file ends: CR LF as written, a CR alone, or nothing (the last
// line of a file that does not end with a line end).
enum class LineEnd
{
    CrLf,
    Cr,
    None
};

// The lines of an attributes file, or why they could not be read.
struct LibraryFileContent
{
    QStringList lines;
    QList<QByteArray> lineBytes; // each line as the bytes it was read from
    QList<LineEnd> lineEnds;     // how each line ended
    int firstUtf8Line = 0;       // 1-based: the first line that is UTF-8 text; 0 when none
    QString error;               // empty when the file was read
    bool ok() const { return error.isEmpty(); }
};

// Every line of the file in order, without its line end. CR LF or a lone CR ends a line; a
// lone LF does not. Decoded from the attributes files' code page.
LibraryFileContent readLibraryFile(const QString &path);
// The content of an attributes file of these bytes, as readLibraryFile reads it.
LibraryFileContent libraryContentOf(const QByteArray &bytes);

// The 1-based numbers of the lines that are UTF-8 text (looksLikeUtf8): Notepad's lines, which
// the display program misreads.
QList<int> utf8LinesOf(const QList<QByteArray> &lineBytes);
// Turns each UTF-8 line of content whose characters all have a byte in the code page into the
// code page: decoded as UTF-8 (a byte-order mark dropped) and encoded, so that its fields stand
// in the columns the editor showed them in; its text and bytes are replaced. Returns the
// numbers of the UTF-8 lines that cannot be turned, which stay as read.
QList<int> turnUtf8Lines(LibraryFileContent &content);

// The lines of an attributes file's bytes, split as readLibraryFile does: as bytes, and decoded.
QList<QByteArray> splitLibraryBytes(const QByteArray &bytes);
QStringList splitLibraryText(const QByteArray &bytes);

// Writes each line followed by CR LF, as a whole file (writeWholeFile): a failure leaves the
// old file untouched. Returns the system's reason on failure, an empty text on success. Lines
// given as text are encoded; lines given as bytes are written as they are, so that a line read
// from a file goes back byte for byte whatever the code page in use.
QString writeLibraryFile(const QString &path, const QStringList &lines);
QString writeLibraryFileBytes(const QString &path, const QList<QByteArray> &lines);
// The bytes of an attributes file of these lines: each followed by CR LF.
QByteArray libraryFileBytes(const QList<QByteArray> &lines);

// The library folder of an attributes file: the path cut before the first "." of its file
// name (C:\Libs\Swiss.txt gives C:\Libs\Swiss). nullopt when the file name holds no ".".
std::optional<QString> libraryFolderOf(const QString &path);
