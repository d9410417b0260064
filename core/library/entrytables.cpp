#include "library/entrytables.h"

#include "entry/entryfields.h"
#include "library/librarystate.h"
#include "text/codepage.h"

bool EntryTables::isFull() const
{
    return count() >= maxLibraryEntries;
}

EntryMend appendEntryLine(EntryTables &tables, const QString &line, const QString &sourceFolder)
{
    if (tables.isFull())
        return {};
    tables.lines.append(line);
    tables.lineBytes.append(encodeCodePage(line));
    tables.entryFolder.append(sourceFolder);
    tables.entryStatus.append(addedHere);
    return {EntryMend::Kind::Append, tables.count() - 1, tables.count() - 1};
}

EntryMend replaceEntryLine(EntryTables &tables, qsizetype at, const QString &line,
                           const QString &sourceFolder)
{
    if (at < 0 || at >= tables.count())
        return {};
    tables.lines[at] = line;
    tables.lineBytes[at] = encodeCodePage(line);
    tables.entryFolder[at] = sourceFolder;
    tables.entryStatus[at] = addedHere;
    return {EntryMend::Kind::Replace, at, at};
}

EntryMend removeEntryLine(EntryTables &tables, qsizetype at)
{
    if (at < 0 || at >= tables.count())
        return {};
    tables.lines.removeAt(at);
    tables.lineBytes.removeAt(at);
    tables.entryFolder.removeAt(at);
    tables.entryStatus.removeAt(at);
    return {EntryMend::Kind::Remove, at, qMin(at, tables.count() - 1)};
}

EntryMend moveEntryLine(EntryTables &tables, qsizetype at, int step)
{
    const qsizetype to = at + step;
    if ((step != -1 && step != 1) || at < 0 || at >= tables.count() || to < 0 ||
        to >= tables.count())
        return {};
    tables.lines.swapItemsAt(at, to);
    tables.lineBytes.swapItemsAt(at, to);
    tables.entryFolder.swapItemsAt(at, to);
    tables.entryStatus.swapItemsAt(at, to);
    return {EntryMend::Kind::Move, at, to};
}

EntryMend readEntryLines(EntryTables &tables, const QStringList &lines,
                         const QList<QByteArray> &lineBytes)
{
    if (lines.size() > maxLibraryEntries || lineBytes.size() != lines.size())
        return {};
    tables.lines = lines;
    tables.lineBytes = lineBytes;
    // An entry read from the file has no source folder: its drawings are already in the library.
    tables.entryFolder = QStringList(lines.size(), QString());
    tables.entryStatus = QStringList(lines.size(), QString(readFromFile));
    return {EntryMend::Kind::ReadAll, 0, -1}; // Open selects no entry
}
