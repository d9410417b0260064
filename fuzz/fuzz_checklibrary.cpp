// An attributes file of any bytes, checked against a small library folder: the check never
// fails, and each finding is one line of its own, on a line of the file, in line order.

#include "checking/librarycheck.h"
#include "fuzzcheck.h"
#include "library/libraryfolderfiles.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

namespace {

// A library folder with a drawing and its companions, some in other letter case.
QString makeLibraryFolder(const QTemporaryDir &dir)
{
    const QString folder = dir.filePath(QStringLiteral("Swiss"));
    for (const char *name : {"E/Re44.bmp", "E/Re44_SAR.bmp", "E/re44_N0.bmp", "E/Ae66_0.bmp",
                             "E/Ae66_1.bmp", "E/AE66_2.bmp", "e/Ae66_3.bmp", "Top.bmp"}) {
        const QString path = folder + QLatin1Char('/') + QLatin1String(name);
        QDir().mkpath(QFileInfo(path).absolutePath());
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly))
            propertyBroken("the library folder cannot be made", path);
    }
    return folder;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    static const QTemporaryDir dir;
    static const QString folder = makeLibraryFolder(dir);
    const LibraryFileContent content = libraryContentOf(bytesOf(data, size));

    LibraryFolderFiles files(folder);
    const CheckFindings findings = checkLibraryContent(content, folder, &files);
    int previous = 1;
    for (const CheckFinding &finding : findings) {
        check(finding.line >= previous && finding.line <= content.lines.size(),
              "a finding out of line order or on no line of the file",
              QString::number(finding.line));
        previous = finding.line;
        check(!finding.text.isEmpty(), "a finding says nothing");
        for (const QChar c : finding.text)
            check(c.unicode() >= 0x20 && c.unicode() != 0x7F,
                  "a finding holds a control character and would break its output line",
                  finding.text);
    }
    const CheckFindings without = checkLibraryContent(content, folder, nullptr);
    check(without.size() <= findings.size(), "looking for the drawings took a finding away",
          QString::number(without.size()));
    return 0;
}
