#include "library/librarysave.h"

#include "drawingnames/codetables.h"
#include "library/sameplace.h"
#include "system/filecopy.h"
#include "system/filetest.h"
#include "system/nativepath.h"

#include <QFileInfo>

namespace {

QString noLibraryFolder()
{
    return QStringLiteral("the library has no folder");
}

// What a copy onto target, a file of the entry (numbered from 1) read from the attributes file,
// must do: copy when the file is missing (the copy puts it back) or the source cannot be read
// (the copy says why); leave it when the library holds the same bytes already; otherwise
// report why it is not copied.
struct OntoEntryReadFromFile
{
    enum class Step
    {
        Copy,
        Leave,
        Report
    };
    Step step = Step::Copy;
    QString why;
};
OntoEntryReadFromFile copyOntoEntryReadFromFile(const QString &source, const QString &target,
                                                qsizetype entry)
{
    using Step = OntoEntryReadFromFile::Step;
    const ContentComparison compared = compareFileContents(source, target);
    if (compared.result == ContentComparison::Result::Same)
        return {Step::Leave, {}};
    if (compared.result == ContentComparison::Result::Different)
        return {Step::Report,
                QStringLiteral("it is the drawing of entry %1, read from the attributes file, "
                               "and %2 holds another drawing")
                    .arg(entry)
                    .arg(shownPath(source))};
    if (compared.unreadable == source || compared.missing)
        return {Step::Copy, {}};
    return {Step::Report, QStringLiteral("it is the drawing of entry %1, read from the attributes "
                                         "file, and cannot be read to compare it with %2: %3")
                              .arg(entry)
                              .arg(shownPath(source), compared.reason)};
}

} // namespace

QString animationRefusal()
{
    return QStringLiteral("Check Animation Drawing and PHASENLAENGE parameter!");
}
QString pantographRefusal()
{
    return QStringLiteral("Check Animation Drawing and SAR parameter!");
}
QString variationsRefusal()
{
    return QStringLiteral("Check Animation Drawing and Variations Files!");
}

QString refusalFor(UnservedFlag unserved)
{
    switch (unserved) {
    case UnservedFlag::None:
        return {};
    case UnservedFlag::Phasenlaenge:
        return animationRefusal();
    case UnservedFlag::Sar:
        return pantographRefusal();
    case UnservedFlag::Variations:
        return variationsRefusal();
    }
    return {};
}

QList<FileProblem> makeLibraryFolders(const QString &libraryFolder, const QStringList &typeCodes)
{
    QList<FileProblem> problems;
    if (libraryFolder.isEmpty()) {
        problems.append({libraryFolder, noLibraryFolder()});
        return problems;
    }
    if (const QString reason = makeFolder(libraryFolder); !reason.isEmpty()) {
        problems.append({shownPath(libraryFolder), reason});
        return problems;
    }
    const QString inside = folderWithSeparator(libraryFolder);
    QStringList names{QStringLiteral("consists")};
    names += typeCodes;
    for (const QString &name : std::as_const(names)) {
        const QString folder = inside + name;
        if (const QString reason = makeFolder(folder); !reason.isEmpty())
            problems.append({folder, reason});
    }
    return problems;
}

EntryCopyReport copyEntryDrawings(const QString &line, const QString &sourceFolder,
                                  const QString &libraryFolder, CopiesOfOneSave *save)
{
    const QString source = folderWithSeparator(sourceFolder);
    const CopyPlan plan = save ? planEntryCopies(line, source, save->sourceFiles.test())
                               : planEntryCopies(line, source);

    EntryCopyReport report;
    report.refusal = refusalFor(plan.unserved);

    const QString type = typeFolderOf(line);
    const QString target = folderWithSeparator(joinPath(libraryFolder, type));
    QString folderReason;
    if (libraryFolder.isEmpty())
        folderReason = noLibraryFolder(); // rather than the root folder's type folders
    // Only the type codes have a folder the display program looks into; a typed type passes
    // composition, but a folder of its own would hide its drawings (or lead out of the library).
    else if (!vehicleTypeCodes().contains(type))
        folderReason = QStringLiteral("the entry's type \"%1\" is none of the type codes %2, so "
                                      "its drawings have no type folder")
                           .arg(type, vehicleTypeCodes().join(QLatin1String(", ")));
    else if (const QString reason = makeFolder(target); !reason.isEmpty())
        folderReason = QStringLiteral("the folder %1 cannot be made: %2").arg(target, reason);

    // An entry whose source is its own type folder in the library (an entry read from the file,
    // mended in the window): a copy onto itself would only give its drawings a new time.
    const bool sourceIsTarget = folderReason.isEmpty() && isSameFile(source, target);
    for (const QString &name : plan.names) {
        if (!folderReason.isEmpty()) {
            report.notCopied.append({source + name, folderReason});
            continue;
        }
        const QString from = source + name;
        const QString to = target + name;
        if (save) {
            const QString key = samePlaceKey(to);
            if (const auto earlier = save->copied.constFind(key); earlier != save->copied.cend()) {
                // The same drawing again is already there; another one must not replace it.
                if (!carrySameDrawing({earlier->target, earlier->source}, {to, from}))
                    report.notCopied.append(
                        {to, QStringLiteral("this save already copied %1 to the same file")
                                 .arg(shownPath(earlier->source))});
                continue;
            }
            if (const auto entry = save->entryReadFromFile.constFind(key);
                entry != save->entryReadFromFile.cend()) {
                const OntoEntryReadFromFile onto = copyOntoEntryReadFromFile(from, to, *entry);
                if (onto.step == OntoEntryReadFromFile::Step::Report)
                    report.notCopied.append({to, onto.why});
                if (onto.step != OntoEntryReadFromFile::Step::Copy)
                    continue;
            }
        }
        // A missing one goes on to the copy, which says so.
        if (sourceIsTarget && QFileInfo::exists(from)) {
            if (save)
                save->copied.insert(samePlaceKey(to), {to, from});
            continue;
        }
        if (const CopyOutcome outcome =
                save ? save->copyFile(from, to) : copyFileReplacing(from, to);
            outcome.ok()) {
            report.copied.append(to);
            if (save)
                save->copied.insert(samePlaceKey(to), {to, from});
        } else {
            report.notCopied.append({outcome.atTarget ? to : from, outcome.reason});
        }
    }
    return report;
}
