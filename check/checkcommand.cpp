#include "checkcommand.h"

#include "checking/librarycheck.h"
#include "consoletext.h"
#include "system/nativepath.h"

#include <QDir>

namespace {

QString usage()
{
    return QStringLiteral("usage: tessaro-check LIBRARY.txt [LIBRARY.txt ...]\n");
}

QString help()
{
    return usage() + QStringLiteral(R"(
Checks Tessaro libraries before they are shared, as the display program will read them: each
attributes file and the library folder beside it (Swiss.txt and the folder Swiss).

For every line it reports, as PATH:LINE: error: TEXT or PATH:LINE: warning: TEXT:
  - fields of columns 1-58 not as the format says: EPOCHE, OL, OLH (40 to 90), the Y/N flags,
    RICHTUNG, PHASENLAENGE, a line too short, a blank file name; a country or type code
    outside the lists (a warning);
  - the drawing missing from its type folder of the library folder, and every animation
    frame, pantograph drawing (_SAR) or variation drawing its flags call for; a file there
    only in other letter case (a warning);
  - two lines naming one file of the library folder by names that differ in letter case;
  - control characters (a tab too), a line ended by CR alone, bytes without a character in
    the code page, and UTF-8 text;
  - an empty line (a warning).
For the library folder, as PATH:0: warning: TEXT, a part file that a save cut short left in a
type folder; beside the attributes file, its part file and a file named like an older save's
temporary file (Swiss.txt. and six letters or digits), neither ever deleted; and each *.bmp of
a type folder that no line names, five a folder, then how many more.
The last line counts the errors, warnings and entries. It never changes a file.

Exit status: 2 when a file cannot be read, 1 when an error was found, 0 otherwise.
)");
}

// Windows programs answer "/?" with their help.
bool isWindowsHelpRequest(const QStringList &arguments)
{
#ifdef Q_OS_WIN
    return arguments == QStringList{QStringLiteral("/?")};
#else
    Q_UNUSED(arguments);
    return false;
#endif
}

// A file named on the command line; a wildcard that matched nothing is one too, to be
// reported.
struct NamedFile
{
    QString path;
    bool matchesNothing = false;
};

// A Windows command prompt hands wildcards to the program as typed: an argument with "*" or
// "?" in its last part stands for the files it matches there, in name order, each named with
// the folder as typed. Elsewhere the shell has expanded them.
QList<NamedFile> expandedWildcards(const QStringList &arguments)
{
    QList<NamedFile> files;
    for (const QString &argument : arguments) {
#ifdef Q_OS_WIN
        const qsizetype nameStart = fileNameStart(argument);
        const QString name = argument.mid(nameStart);
        if (name.contains(QLatin1Char('*')) || name.contains(QLatin1Char('?'))) {
            const QString folder = argument.left(nameStart);
            const QStringList matches =
                QDir(folder.isEmpty() ? QStringLiteral(".") : folder)
                    .entryList({name}, QDir::Files, QDir::Name | QDir::IgnoreCase);
            if (matches.isEmpty())
                files.append({argument, true});
            for (const QString &match : matches)
                files.append({folder + match, false});
            continue;
        }
#endif
        files.append({argument, false});
    }
    return files;
}

} // namespace

int runCheckCommand(const QStringList &arguments)
{
    QStringList files = arguments.mid(1);
    if (files == QStringList{QStringLiteral("--help")} ||
        files == QStringList{QStringLiteral("-h")} || isWindowsHelpRequest(files)) {
        writeText(Stream::Output, help());
        return 0;
    }
    if (!files.isEmpty() && files.first() == QLatin1String("--"))
        files.removeFirst();
    else if (!files.isEmpty() && files.first().startsWith(QLatin1Char('-'))) {
        writeText(Stream::Error,
                  QStringLiteral("tessaro-check: unknown option %1\n").arg(files.first()) +
                      usage());
        return 2;
    }
    if (files.isEmpty()) {
        writeText(Stream::Error, usage());
        return 2;
    }

    qsizetype errors = 0;
    qsizetype warnings = 0;
    qsizetype entries = 0;
    bool unreadable = false;
    for (const NamedFile &file : expandedWildcards(files)) {
        const QString &path = file.path;
        LibraryCheck check;
        if (file.matchesNothing)
            check.readError = QStringLiteral("no file matches it");
        else
            check = checkLibraryFile(path);
        QString report;
        if (!check.readError.isEmpty()) {
            unreadable = true;
            ++errors;
            report = QStringLiteral("%1: error: cannot be read: %2\n").arg(path, check.readError);
        }
        for (const CheckFinding &finding : check.findings) {
            const QString place =
                finding.line > 0 ? QStringLiteral("%1:%2").arg(path).arg(finding.line) : path;
            report += QStringLiteral("%1: %2\n").arg(place, findingText(finding));
            ++(finding.kind == CheckFinding::Kind::Error ? errors : warnings);
        }
        entries += check.entries;
        writeText(Stream::Output, report);
    }
    writeText(Stream::Output, findingsCountLine(errors, warnings, entries) + QLatin1Char('\n'));
    if (unreadable)
        return 2;
    return errors > 0 ? 1 : 0;
}
