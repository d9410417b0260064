// An attributes file of any bytes: it is read without fault, what is read writes back to the
// same bytes whenever the file was in the written form, and anything read, once written,
// reads back to the same lines.

#include "fuzzcheck.h"
#include "library/libraryfile.h"

#include <QFile>
#include <QTemporaryDir>

namespace {

// The form writeLibraryFile gives: every line, the last included, ended by CR LF, and no CR
// inside a line.
bool inWrittenForm(const QByteArray &bytes)
{
    if (bytes.isEmpty())
        return true;
    if (!bytes.endsWith("\r\n"))
        return false;
    for (qsizetype i = 0; i < bytes.size(); ++i)
        if (bytes[i] == '\r' && (i + 1 == bytes.size() || bytes[i + 1] != '\n'))
            return false;
    return true;
}

QByteArray contentOf(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        propertyBroken("a written file cannot be read back", path);
    return file.readAll();
}

void store(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) || file.write(bytes) != bytes.size())
        propertyBroken("the input file cannot be made", path);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    // One folder for the whole run: making one per input would measure the file system.
    static const QTemporaryDir folder;
    const QByteArray bytes = bytesOf(data, size);
    const QString original = folder.filePath(QStringLiteral("original.txt"));
    const QString copy = folder.filePath(QStringLiteral("copy.txt"));
    store(original, bytes);

    const LibraryFileContent read = readLibraryFile(original);
    check(read.ok(), "an ordinary file is refused", read.error);
    check(read.lines == splitLibraryText(bytes), "reading the file and its bytes disagree");

    check(writeLibraryFile(copy, read.lines).isEmpty(), "the lines read cannot be written");
    const QByteArray written = contentOf(copy);
    if (inWrittenForm(bytes))
        check(written == bytes, "a file in the written form does not write back byte for byte",
              QString::fromLatin1(bytes.toHex()));
    check(inWrittenForm(written), "the written file is not in the written form");

    const LibraryFileContent again = readLibraryFile(copy);
    check(again.ok() && again.lines == read.lines, "the written lines do not read back");
    return 0;
}
