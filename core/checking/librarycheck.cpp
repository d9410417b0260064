#include "checking/librarycheck.h"

#include "checking/linecheck.h"
#include "drawingnames/codetables.h"
#include "drawingnames/companionnames.h"
#include "entry/entryline.h"
#include "library/libraryfolderfiles.h"
#include "library/librarystate.h"
#include "library/sameplace.h"
#include "system/filecopy.h"
#include "system/filetest.h"
#include "system/nativepath.h"
#include "system/windowsnames.h"
#include "text/charactername.h"
#include "text/codepage.h"

#include <QDir>
#include <QFileInfo>
#include <QHash>
#include <QRegularExpression>
#include <QSet>

#include <algorithm>
#include <memory>

namespace {

// Where a line asks for a file of this role: the file name, or the flag that calls for it.
QString askedBy(DrawingRole role, const QString &line)
{
    const auto flag = [&](const EntryField &field) {
        return QStringLiteral("%1: %2 %3")
            .arg(columnsText(field.column, field.width), QLatin1String(field.name),
                 quotedText(fieldText(line, field)));
    };
    switch (role) {
    case DrawingRole::Drawing:
        return columnsText(EntryFields::drawingFileNameColumn, drawingNameOf(line).size());
    case DrawingRole::AnimationFrame:
        return flag(EntryFields::phasenlaenge);
    case DrawingRole::PantographDrawing:
        return flag(EntryFields::sar);
    case DrawingRole::VariationDrawing:
        return flag(EntryFields::variations);
    }
    return {};
}

QString roleName(DrawingRole role)
{
    switch (role) {
    case DrawingRole::Drawing:
        return QStringLiteral("drawing");
    case DrawingRole::AnimationFrame:
        return QStringLiteral("animation frame");
    case DrawingRole::PantographDrawing:
        return QStringLiteral("pantograph drawing");
    case DrawingRole::VariationDrawing:
        return QStringLiteral("variation drawing");
    }
    return {};
}

// The flag that calls for a name the file name cannot give.
QString unservedText(UnservedFlag unserved, const QString &line)
{
    if (unserved == UnservedFlag::Phasenlaenge)
        return askedBy(DrawingRole::AnimationFrame, line) +
               QStringLiteral(" calls for animation frames, but the file name holds no "
                              "\"_0.bmp\" to number them from");
    if (unserved == UnservedFlag::Sar)
        return askedBy(DrawingRole::PantographDrawing, line) +
               QStringLiteral(" calls for a pantograph drawing, but the file name holds no "
                              "\".bmp\" to name it after");
    return askedBy(DrawingRole::VariationDrawing, line) +
           QStringLiteral(" calls for variation drawings, but the file name holds no \".bmp\" "
                          "to name them after");
}

// A file of a type folder as named from the library folder ("E/Re44.bmp").
QString relativeName(const QString &typeFolder, const QString &name)
{
    return typeFolder.isEmpty() ? name : typeFolder + QLatin1Char('/') + name;
}

QString theLibraryFolder()
{
    return QStringLiteral("the library folder");
}

// A file of the library folder that a line names, for the same-place rule.
struct NamedFile
{
    int line = 0;
    QString name; // relative to the library folder, as the line names it
};

// Where a line's drawings are looked for: the line's type folder in the library folder (a line
// read from the attributes file), or the folder the save will copy them from (a line added in
// the window). where names it in the findings.
struct DrawingPlace
{
    LibraryFolderFiles &files;
    QString folder;
    bool inTypeFolder = true;
    QString where;
    // The library folder's files, where a line added in the window names its future copies.
    LibraryFolderFiles *copiesIn = nullptr;
};

class DrawingCheck
{
public:
    explicit DrawingCheck(const QString &libraryFolder) : m_libraryFolder(libraryFolder) {}

    CheckFindings check(int lineNumber, const QString &line, const DrawingPlace &place)
    {
        CheckFindings findings;
        const QString type = typeFolderOf(line);
        const QString listed = place.inTypeFolder ? type : QString();
        const QString folder =
            folderWithSeparator(place.inTypeFolder ? joinPath(place.folder, type) : place.folder);
        const auto present = [&](const QString &path) {
            return place.files.find(listed, QStringView(path).mid(folder.size())).presence !=
                   LibraryFolderFiles::Presence::Missing;
        };
        const CopyPlan plan = planEntryCopies(line, folder, present);
        if (plan.unserved != UnservedFlag::None)
            findings.append(
                {lineNumber, CheckFinding::Kind::Error, unservedText(plan.unserved, line)});

        bool variationFound = false;
        bool clashReported = false;
        for (qsizetype i = 0; i < plan.names.size(); ++i) {
            const DrawingRole role = plan.roles[i];
            const QString shown = shownPath(relativeName(listed, plan.names[i]));
            const auto found = place.files.find(listed, plan.names[i]);
            place.files.markNamed(listed, plan.names[i]);
            if (place.copiesIn)
                place.copiesIn->markNamed(type, plan.names[i]);
            variationFound = variationFound || role == DrawingRole::VariationDrawing;
            if (found.presence == LibraryFolderFiles::Presence::Missing)
                findings.append({lineNumber, CheckFinding::Kind::Error,
                                 QStringLiteral("%1: the %2 %3 is missing from %4")
                                     .arg(askedBy(role, line), roleName(role), quotedText(shown),
                                          place.where)});
            else if (found.presence == LibraryFolderFiles::Presence::OtherCase)
                findings.append({lineNumber, CheckFinding::Kind::Warning,
                                 QStringLiteral("%1: the %2 %3 is in %4 only as %5, in other "
                                                "letter case")
                                     .arg(askedBy(role, line), roleName(role), quotedText(shown),
                                          place.where, quotedText(shownPath(found.name)))});
            if (!clashReported)
                clashReported =
                    sameFileOtherName(lineNumber, line, role, type, plan.names[i], findings);
        }
        if (asksVariations(line) && plan.unserved == UnservedFlag::None && !variationFound) {
            const QStringList candidates = variationCandidateNames(drawingStem(plan.names.first()));
            findings.append(
                {lineNumber, CheckFinding::Kind::Error,
                 QStringLiteral("%1: no variation drawing (%2 to %3) is in %4")
                     .arg(askedBy(DrawingRole::VariationDrawing, line),
                          quotedText(shownPath(relativeName(listed, candidates.first()))),
                          quotedText(shownPath(relativeName(listed, candidates.last()))),
                          place.where)});
        }
        return findings;
    }

private:
    // Reports the first file of an earlier line that is this one on Windows under another name.
    bool sameFileOtherName(int lineNumber, const QString &line, DrawingRole role,
                           const QString &type, const QString &name, CheckFindings &findings)
    {
        const QString relative = relativeName(type, name);
        auto folderKey = m_folderKeys.constFind(type);
        if (folderKey == m_folderKeys.constEnd())
            folderKey = m_folderKeys.insert(type, samePlaceKey(joinPath(m_libraryFolder, type)));
        const QString key = samePlaceKeyIn(*folderKey, name);
        const auto earlier = m_named.constFind(key);
        if (earlier == m_named.constEnd()) {
            m_named.insert(key, {lineNumber, relative});
            return false;
        }
        if (earlier->name == relative || earlier->line == lineNumber)
            return false;
        findings.append(
            {lineNumber, CheckFinding::Kind::Error,
             QStringLiteral("%1: the %2 %3 is on Windows the same file as %4 of "
                            "line %5")
                 .arg(askedBy(role, line), roleName(role), quotedText(shownPath(relative)),
                      quotedText(shownPath(earlier->name)))
                 .arg(earlier->line)});
        return true;
    }

    QString m_libraryFolder;
    QHash<QString, NamedFile> m_named;    // samePlaceKey to the first line naming that file
    QHash<QString, QString> m_folderKeys; // type folder to its samePlaceKey
};

} // namespace

CheckFindings checkLibraryContent(const LibraryFileContent &content, const QString &libraryFolder,
                                  LibraryFolderFiles *files)
{
    CheckFindings findings;
    DrawingCheck drawings(libraryFolder);
    for (qsizetype i = 0; i < content.lines.size(); ++i) {
        const int lineNumber = int(i + 1);
        findings += checkLineCharacters(lineNumber, content.lineBytes[i], content.lineEnds[i]);
        // A UTF-8 line is reported once (checkLineCharacters); its fields and drawings are
        // checked where the editor that wrote it shows them, not in bytes it shifted.
        const QString line = decodeAsWritten(content.lineBytes[i]);
        findings += checkEntryFields(lineNumber, line);
        if (files && namesDrawing(line))
            findings +=
                drawings.check(lineNumber, line, {*files, libraryFolder, true, theLibraryFolder()});
    }
    std::stable_sort(findings.begin(), findings.end(),
                     [](const CheckFinding &a, const CheckFinding &b) { return a.line < b.line; });
    return findings;
}

namespace {

// The part files of copies cut short, in the type folders: shared with the library, they are
// files the display program never reads.
CheckFindings leftoverPartFindings(const QString &libraryFolder)
{
    CheckFindings findings;
    const QDir folder(libraryFolder);
    for (const QString &type : folder.entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name))
        for (const QString &part : leftoverParts(folder.filePath(type)))
            findings.append({0, CheckFinding::Kind::Warning,
                             QStringLiteral("%1: a part file left by a save that was cut short")
                                 .arg(quotedText(shownPath(type + QLatin1Char('/') +
                                                           QFileInfo(part).fileName())))});
    return findings;
}

// Beside the attributes file: the part file of its save, and the temporary file of an older
// version's save ("Swiss.txt." and six letters or digits). Neither is deleted by any save or
// check: a person's own "Swiss.txt.backup" has that form too.
CheckFindings leftoverBesideFindings(const QString &attributesFile)
{
    CheckFindings findings;
    const QFileInfo file(attributesFile);
    const QString part = QFileInfo(partFileOf(attributesFile)).fileName();
    static const QRegularExpression temporary(
        QStringLiteral("^%1\\.[A-Za-z0-9]{6}$").arg(QRegularExpression::escape(file.fileName())));
    const QStringList beside =
        file.dir().entryList(QDir::Files | QDir::Hidden | QDir::System, QDir::Name);
    for (const QString &name : beside)
        if (name == part || temporary.match(name).hasMatch())
            findings.append(
                {0, CheckFinding::Kind::Warning,
                 QStringLiteral("%1 looks like a temporary file left by a save that was "
                                "cut short; remove it if it is not yours")
                     .arg(quotedText(name))});
    return findings;
}

// The drawings of the type folders that no line calls for, as the drawing or a companion its
// flags ask: the display program never shows them. Names compare as Windows compares them.
// The check of the lines' drawings has marked what they name.
CheckFindings unnamedDrawingFindings(const QString &libraryFolder, LibraryFolderFiles &files)
{
    constexpr int shownPerFolder = 5;
    CheckFindings findings;
    const QStringList types = vehicleTypeCodes();
    for (const QString &type :
         QDir(libraryFolder).entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name)) {
        if (!types.contains(type, Qt::CaseInsensitive))
            continue;
        // The listing holds the folders spelt like this one in other letter case too.
        const QString inFolder = type + QLatin1Char('/');
        QStringList unnamed;
        for (const QString &file : files.filesIn(type))
            if (file.startsWith(inFolder) &&
                file.endsWith(QLatin1String(".bmp"), Qt::CaseInsensitive) && !files.isNamed(file))
                unnamed.append(file);
        std::sort(unnamed.begin(), unnamed.end());
        for (const QString &file :
             unnamed.first(std::min<qsizetype>(unnamed.size(), shownPerFolder)))
            findings.append({0, CheckFinding::Kind::Warning,
                             QStringLiteral("%1 is named by no line: the display program does "
                                            "not show it")
                                 .arg(quotedText(shownPath(file)))});
        if (unnamed.size() > shownPerFolder)
            findings.append({0, CheckFinding::Kind::Warning,
                             QStringLiteral("... and %1 more files in %2 that no line names")
                                 .arg(unnamed.size() - shownPerFolder)
                                 .arg(quotedText(type))});
    }
    return findings;
}

} // namespace

LibraryCheck checkLibraryFile(const QString &path)
{
    LibraryCheck check;
    // A folder, a pipe or a device would be read as nothing, or forever (a pipe without a
    // writer, Windows' CON).
    const QFileInfo info(path);
    if (info.exists() && !info.isFile()) {
        check.readError = QStringLiteral("it is not a file");
        return check;
    }
#ifdef Q_OS_WIN
    if (const QString problem = windowsNameProblem(info.fileName());
        problem.endsWith(QLatin1String("device"))) {
        check.readError = problem;
        return check;
    }
#endif
    const LibraryFileContent content = readLibraryFile(path);
    if (!content.ok()) {
        check.readError = content.error;
        return check;
    }
    check.entries = int(content.lines.size());

    const std::optional<QString> libraryFolder =
        libraryFolderOf(QFileInfo(path).absoluteFilePath());
    const bool namesDrawings =
        std::any_of(content.lines.cbegin(), content.lines.cend(), namesDrawing);
    // Without its folder every line would only repeat that its drawings are missing: one error
    // says it for all.
    if (namesDrawings && !libraryFolder)
        check.findings.append({0, CheckFinding::Kind::Error,
                               QStringLiteral("the file name holds no \".\" to end the library "
                                              "folder's name at: no drawing is checked")});
    else if (namesDrawings && !QFileInfo(*libraryFolder).isDir())
        check.findings.append({0, CheckFinding::Kind::Error,
                               QStringLiteral("the library folder %1 is missing: no drawing is "
                                              "checked")
                                   .arg(quotedText(shownPath(*libraryFolder)))});
    if (!check.findings.isEmpty() || !libraryFolder) {
        check.findings += leftoverBesideFindings(path);
        check.findings += checkLibraryContent(content, {}, nullptr);
        return check;
    }
    check.findings += leftoverBesideFindings(path);
    LibraryFolderFiles files(*libraryFolder);
    check.findings += leftoverPartFindings(*libraryFolder);
    const CheckFindings lineFindings = checkLibraryContent(content, *libraryFolder, &files);
    check.findings += unnamedDrawingFindings(*libraryFolder, files);
    check.findings += lineFindings;
    return check;
}

CheckFindings checkLibraryInWindow(const LibraryInWindow &library)
{
    CheckFindings findings;
    const bool hasFolder =
        !library.libraryFolder.isEmpty() && QFileInfo(library.libraryFolder).isDir();
    LibraryFolderFiles libraryFiles(library.libraryFolder);
    QHash<QString, std::shared_ptr<LibraryFolderFiles>> sourceFiles; // by source folder
    DrawingCheck drawings(library.libraryFolder);
    bool readLinesNameDrawings = false;
    for (qsizetype i = 0; i < library.lines.size(); ++i) {
        const int lineNumber = int(i + 1);
        const QByteArray bytes =
            i < library.lineBytes.size() ? library.lineBytes[i] : encodeCodePage(library.lines[i]);
        // The save ends every line with CR LF.
        findings += checkLineCharacters(lineNumber, bytes, LineEnd::CrLf);
        const QString line = decodeAsWritten(bytes);
        findings += checkEntryFields(lineNumber, line);
        if (!namesDrawing(line))
            continue;
        if (library.statuses.value(i) != addedHere) {
            readLinesNameDrawings = true;
            if (hasFolder)
                findings +=
                    drawings.check(lineNumber, line,
                                   {libraryFiles, library.libraryFolder, true, theLibraryFolder()});
            continue;
        }
        const QString source = library.sourceFolders.value(i);
        std::shared_ptr<LibraryFolderFiles> &files = sourceFiles[source];
        if (!files)
            files = std::make_shared<LibraryFolderFiles>(source);
        // Once saved, its copies are files of the library that a line names.
        findings += drawings.check(
            lineNumber, line,
            {*files, source, false,
             QStringLiteral("its source folder %1").arg(quotedText(shownPath(source))),
             &libraryFiles});
    }
    std::stable_sort(findings.begin(), findings.end(),
                     [](const CheckFinding &a, const CheckFinding &b) { return a.line < b.line; });

    if (!library.attributesFile.isEmpty())
        findings += leftoverBesideFindings(library.attributesFile);
    if (hasFolder) {
        findings += leftoverPartFindings(library.libraryFolder);
        findings += unnamedDrawingFindings(library.libraryFolder, libraryFiles);
    } else if (readLinesNameDrawings && !library.libraryFolder.isEmpty()) {
        findings.append({0, CheckFinding::Kind::Error,
                         QStringLiteral("the library folder %1 is missing: no drawing of a line "
                                        "read from the attributes file is checked")
                             .arg(quotedText(shownPath(library.libraryFolder)))});
    }
    return findings;
}
