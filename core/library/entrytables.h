#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

// The library's entries as the window holds them: slot i of every table belongs to the entry at
// list position i. The tables change only through the mends below, each of which moves all four
// alike, so that a line never meets another entry's folder, status or bytes.
struct EntryTables
{
    QStringList lines;           // the entry lines, in list order
    QList<QByteArray> lineBytes; // what a save writes for each line: the bytes it was read
                                 // from, or the line in the code page when composed here
    QStringList entryFolder;     // the folder an added entry's drawings are copied from
    QStringList entryStatus;     // addedHere or readFromFile

    qsizetype count() const { return lines.size(); }
    bool isFull() const;
};

// One change of the tables, as the list shows it afterwards: where it happened and which entry
// is current.
struct EntryMend
{
    enum class Kind
    {
        Refused, // nothing changed: no such entry, or the library is full
        Append,
        Replace,
        Remove,
        Move,
        ReadAll
    };
    Kind kind = Kind::Refused;
    qsizetype at = -1; // the entry appended, replaced or removed, or moved from
    qsizetype to = -1; // where a moved entry now stands
    bool done() const { return kind != Kind::Refused; }
};

// An entry composed in the window, at the end; refused when the library is full.
EntryMend appendEntryLine(EntryTables &tables, const QString &line, const QString &sourceFolder);
// An entry composed in the window in the place of entry at: the bytes read for the old line go.
EntryMend replaceEntryLine(EntryTables &tables, qsizetype at, const QString &line,
                           const QString &sourceFolder);
EntryMend removeEntryLine(EntryTables &tables, qsizetype at);
// Entry at changes places with its neighbour above (-1) or below (+1).
EntryMend moveEntryLine(EntryTables &tables, qsizetype at, int step);
// The entries of an attributes file, replacing all others; lineBytes one per line.
EntryMend readEntryLines(EntryTables &tables, const QStringList &lines,
                         const QList<QByteArray> &lineBytes);
