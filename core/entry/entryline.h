#pragma once

#include "entry/entryfields.h"
#include "system/filetest.h"

#include <QList>
#include <QString>
#include <QStringList>

#include <optional>

// Reading an entry line: its fields, its drawing, and the companion drawings its flags call for.
// Each reader keeps its own designed reading of the name: the save takes the trimmed name and
// searches its marks from the country column on, the HTML page from the drawing's column,
// composition the name as it stands.

// The field's text as it stands in the line (shorter or empty when the line is).
QString fieldText(const QString &line, const EntryField &field);

// LABEL without its filling blanks.
QString labelOf(const QString &line);

// The entry's type folder: GT without blanks.
QString typeFolderOf(const QString &line);

// Whether the line holds a drawing name after the fixed block.
bool namesDrawing(const QString &line);

// The drawing's file name as it stands, from column 59 to the end of the line; and trimmed.
QString drawingNameOf(const QString &line);
QString trimmedDrawingNameOf(const QString &line);

// The drawing's name up to its ".bmp", searched from column 59 on; nullopt without one.
std::optional<QString> drawingStemOf(const QString &line);

// The flags that call for companion drawings.
bool isAnimated(const QString &line); // PHASENLAENGE 1 to 9
bool asksPantograph(const QString &line);
bool asksVariations(const QString &line);

// What each file of an entry's copy plan is to the entry.
enum class DrawingRole
{
    Drawing,
    AnimationFrame,
    PantographDrawing,
    VariationDrawing
};

// The flag whose files the plan cannot name, since the drawing's name lacks what names them.
enum class UnservedFlag
{
    None,
    Phasenlaenge, // the name holds no "_0.bmp" to number frames from
    Sar,          // the name holds no ".bmp" to name the pantograph drawing after
    Variations    // the name holds no ".bmp" to name the variation drawings after
};

// The names (without folder) of the files the entry line puts into its type folder, in copy
// order: the drawing, its animation frames, its pantograph drawing and the variation drawings
// that exist in sourceFolder; and the flag that ends the plan, if any.
struct CopyPlan
{
    QStringList names;
    QList<DrawingRole> roles; // one for each name
    UnservedFlag unserved = UnservedFlag::None;
    void add(const QString &name, DrawingRole role)
    {
        names.append(name);
        roles.append(role);
    }
};
CopyPlan planEntryCopies(const QString &line, const QString &sourceFolder,
                         const FileTest &isFile = isOrdinaryFile);
