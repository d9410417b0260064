#include "librarysave.h"

#include "blanks.h"
#include "codetables.h"
#include "companionnames.h"
#include "entrycolumns.h"
#include "filecopy.h"
#include "filetest.h"
#include "nativepath.h"
#include "sameplace.h"

#include <QDir>

#include <algorithm>

namespace {

QString columnText(const QString &line, qsizetype column)
{
    return line.mid(column - 1, 1);
}

bool isAnimated(const QString &line)
{
    const QString digit = columnText(line, EntryColumn::phasenlaenge);
    return digit.size() == 1 && digit[0] >= QLatin1Char('1') && digit[0] <= QLatin1Char('9');
}

// The companion names are cut from the drawing's column on, up to a match that is searched
// from the country column on.
constexpr qsizetype nameStart = EntryColumn::drawingFileName - 1;
constexpr qsizetype searchStart = EntryColumn::uland - 1;

QString nameUpTo(const QString &line, qsizetype end)
{
    return line.mid(nameStart, std::max<qsizetype>(0, end - nameStart));
}

QString noLibraryFolder()
{
    return QStringLiteral("the library has no folder");
}

// Two copies to one file of the library folder carry one drawing when their names are spelt
// alike and their sources hold the same bytes.
bool isSameDrawing(const QString &earlierSource, const QString &earlierTarget,
                   const QString &source, const QString &target)
{
    return samePlaceKey(earlierSource) == samePlaceKey(source) ||
           (QDir::cleanPath(earlierTarget) == QDir::cleanPath(target) &&
            compareFileContents(earlierSource, source).result == ContentComparison::Result::Same);
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

CopyPlan planEntryCopies(const QString &line, const QString &sourceFolder, const FileTest &isFile)
{
    CopyPlan plan;
    plan.add(trimBlanks(line.mid(nameStart)), DrawingRole::Drawing);

    if (isAnimated(line)) {
        const qsizetype match = findFrameZero(line, searchStart);
        if (match < 0) {
            plan.refusal = animationRefusal();
            return plan;
        }
        const QString root = nameUpTo(line, match + 1); // up to and including the "_"
        for (int k = 1; k <= 3; ++k)
            plan.add(root + QString::number(k) + QLatin1String(".bmp"),
                     DrawingRole::AnimationFrame);
    }

    const bool pantograph = columnText(line, EntryColumn::sar) == QLatin1String("Y");
    const bool variations = columnText(line, EntryColumn::variations) == QLatin1String("Y");
    const qsizetype extension = (pantograph || variations) ? findBmp(line, searchStart) : -1;
    const QString base = nameUpTo(line, extension);

    if (pantograph) {
        if (extension < 0) {
            plan.refusal = pantographRefusal();
            return plan;
        }
        plan.add(pantographDrawingName(base), DrawingRole::PantographDrawing);
    }

    if (variations) {
        if (extension < 0) {
            plan.refusal = variationsRefusal();
            return plan;
        }
        for (const QString &candidate : variationCandidateNames(base))
            if (isFile(sourceFolder + candidate))
                plan.add(candidate, DrawingRole::VariationDrawing);
    }
    return plan;
}

QString typeFolderOf(const QString &line)
{
    return trimBlanks(line.mid(EntryColumn::gt - 1, EntryColumn::gtWidth));
}

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
    report.refusal = plan.refusal;

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
                if (!isSameDrawing(earlier->source, earlier->target, from, to))
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
        if (const CopyOutcome outcome = copyFileReplacing(from, to); outcome.ok()) {
            report.copied.append(to);
            if (save)
                save->copied.insert(samePlaceKey(to), {to, from});
        } else {
            report.notCopied.append({outcome.atTarget ? to : from, outcome.reason});
        }
    }
    return report;
}
