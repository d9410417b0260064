#include "entry/composeentry.h"

#include "drawingnames/companionnames.h"
#include "entry/entryfields.h"
#include "system/nativepath.h"
#include "text/blanks.h"
#include "text/charactername.h"
#include "text/codepage.h"

#include <QDir>

#include <cmath>
#include <limits>

namespace {

QString yesNo(bool flag)
{
    return flag ? QStringLiteral("Y") : QStringLiteral("N");
}

EntryRefusal refuse(const QString &message, const QString &control = {}, int member = -1)
{
    return {message, control, member};
}

int countTicked(std::initializer_list<bool> flags)
{
    int count = 0;
    for (const bool flag : flags)
        count += flag ? 1 : 0;
    return count;
}

// The first width characters of text. A character beyond the Basic Multilingual Plane is never
// cut in half: it stays whole, so that the code-page check names the character the user typed.
QString leftWhole(const QString &text, qsizetype width)
{
    if (width > 0 && width < text.size() && text[width - 1].isHighSurrogate() &&
        text[width].isLowSurrogate())
        ++width;
    return text.left(width);
}

// Columns 1-40: a trimmed text longer than the field is cut as typed, leading blanks included.
QString labelField(const QString &labelText)
{
    const QString trimmed = trimBlanks(labelText);
    if (trimmed.size() > EntryFields::label.width)
        return leftWhole(labelText, EntryFields::label.width);
    return trimmed.leftJustified(EntryFields::label.width, QLatin1Char(' '));
}

QString epochField(const std::array<bool, 6> &epochs)
{
    QString digits;
    for (int i = 0; i < 6; ++i)
        if (epochs[i])
            digits.append(QString::number(i + 1));
    if (digits.size() == 1)
        return digits + QLatin1String("  ");
    return digits.left(1) + QLatin1Char('-') + digits.mid(1, 1);
}

// A character that ends or breaks a line. The attributes file holds one entry per line, so such
// a character would split the entry and shift every later column when the file is read back.
std::optional<char32_t> firstLineBreaker(const QString &text)
{
    for (const QChar c : text)
        if (c.unicode() < 0x20 || c.unicode() == 0x7F)
            return c.unicode();
    return std::nullopt;
}

// Refuses a field that holds a character the entry line cannot hold, naming the field and the
// character. A drawing's file name can only be corrected by renaming the file.
std::optional<EntryRefusal> refuseUnstorable(const QString &what, const QString &field,
                                             const QString &control, bool isFileName = false)
{
    const std::optional<char32_t> breaker = firstLineBreaker(field);
    const std::optional<char32_t> c = breaker ? breaker : firstCharOutsideCodePage(field);
    if (!c)
        return std::nullopt;
    const QString why = breaker ? QStringLiteral("would break the entry's line")
                                : QStringLiteral("the attributes file cannot store");
    const QString advice = isFileName ? QStringLiteral("please rename the file!")
                           : breaker  ? QStringLiteral("please remove it!")
                                      : QStringLiteral("please replace it!");
    return refuse(QStringLiteral("The %1 holds the character %2, which %3: %4")
                      .arg(what, characterName(*c), why, advice),
                  control);
}

} // namespace

std::optional<int> readWholeNumber(const QString &text)
{
    const QString trimmed = trimBlanks(text);
    if (trimmed.isEmpty())
        return 0;
    // Leading decimal number, as the boxes' own reading does: "058" is 58, "5.6" rounds to 6.
    qsizetype end = 0;
    if (end < trimmed.size() &&
        (trimmed[end] == QLatin1Char('-') || trimmed[end] == QLatin1Char('+')))
        ++end;
    bool seenPoint = false;
    while (end < trimmed.size() &&
           (trimmed[end].isDigit() || (!seenPoint && trimmed[end] == QLatin1Char('.')))) {
        seenPoint = seenPoint || trimmed[end] == QLatin1Char('.');
        ++end;
    }
    bool ok = false;
    const double value = trimmed.left(end).toDouble(&ok);
    if (!ok)
        return 0;
    const double rounded = std::nearbyint(value);
    if (rounded < std::numeric_limits<qint16>::min() ||
        rounded > std::numeric_limits<qint16>::max())
        return std::nullopt;
    return static_cast<int>(rounded);
}

ComposedEntry composeEntry(const LibraryEntry &entry, const FileTest &fileExists)
{
    const QString &name = entry.drawingFileName;
    const QString &folder = entry.sourceFolder;

    // 1
    if (trimBlanks(name).isEmpty())
        return refuse(QStringLiteral("Select a bitmap FileName!"));
    if (const std::optional<EntryRefusal> refusal = refuseUnstorable(
            QStringLiteral("drawing file name"), name, QStringLiteral("File1"), true))
        return *refusal;

    // 2
    const QString label = labelField(entry.labelText);
    if (const std::optional<EntryRefusal> refusal =
            refuseUnstorable(QStringLiteral("LABEL"), label, QStringLiteral("txtDescription")))
        return *refusal;

    // 3-5
    const int epochCount = countTicked({entry.epochs[0], entry.epochs[1], entry.epochs[2],
                                        entry.epochs[3], entry.epochs[4], entry.epochs[5]});
    if (epochCount == 0)
        return refuse(QStringLiteral("Select almost one value for EPOCHE!"),
                      QStringLiteral("chkEPO"), 1);
    if (epochCount >= 3)
        return refuse(QStringLiteral("Select one or two values for EPOCHE!"),
                      QStringLiteral("chkEPO"), 1);
    const QString epoche = epochField(entry.epochs);

    // 6-7: a short typed text is filled so that the later columns never shift.
    if (trimBlanks(entry.countryText).isEmpty())
        return refuse(QStringLiteral("Select the country ULAND!"), QStringLiteral("cboUland"));
    const QString uland = leftWhole(entry.countryText, EntryFields::uland.width)
                              .leftJustified(EntryFields::uland.width, QLatin1Char(' '));
    if (const std::optional<EntryRefusal> refusal =
            refuseUnstorable(QStringLiteral("country ULAND"), uland, QStringLiteral("cboUland")))
        return *refusal;

    // 8-9
    if (trimBlanks(entry.typeText).isEmpty())
        return refuse(QStringLiteral("Select the type GT!"), QStringLiteral("cboGT"));
    const QString gt = leftWhole(entry.typeText, EntryFields::gt.width)
                           .leftJustified(EntryFields::gt.width, QLatin1Char(' '));
    if (const std::optional<EntryRefusal> refusal =
            refuseUnstorable(QStringLiteral("type GT"), gt, QStringLiteral("cboGT")))
        return *refusal;

    // 10-12
    const int olCount =
        countTicked({entry.overheadLineYes, entry.overheadLineNo, entry.overheadLineThirdRail});
    if (olCount == 0)
        return refuse(QStringLiteral("Select almost one value for OL!"), QStringLiteral("chkOL"),
                      1);
    if (olCount > 1)
        return refuse(QStringLiteral("Select one value for OL!"), QStringLiteral("chkOL"), 1);
    const QString ol = entry.overheadLineYes  ? QStringLiteral("Y")
                       : entry.overheadLineNo ? QStringLiteral("N")
                                              : QStringLiteral("3");

    // 13-14
    const std::optional<int> height = readWholeNumber(entry.lineHeightText);
    if (!height || *height < EntryFields::lowestLineHeight ||
        *height > EntryFields::highestLineHeight)
        return refuse(QStringLiteral("Select the height OLH or set to correct value [40-90]!"),
                      QStringLiteral("txtPixels"));
    const QString olh = QString::number(*height);

    // 15-16
    if (entry.pantographAnimation) {
        if (findBmp(name) < 0)
            return refuse(QStringLiteral("Drawing Filename incorrect!"), QStringLiteral("chkSAR"),
                          0);
        const QString pantograph = folder + pantographDrawingName(drawingStem(name));
        if (!fileExists(pantograph))
            return refuse(shownPath(pantograph) + QLatin1String(" doesn't exist!"),
                          QStringLiteral("chkSAR"), 0);
    }
    const QString sar = yesNo(entry.pantographAnimation);

    // 17-19
    const int directionCount =
        countTicked({entry.directionLeft, entry.directionRight, entry.directionBoth});
    if (directionCount == 0)
        return refuse(QStringLiteral("Select almost one value for RICHTUNG!"),
                      QStringLiteral("chkLR"), 1);
    if (directionCount > 1)
        return refuse(QStringLiteral("Select one value for RICHTUNG!"), QStringLiteral("chkLR"), 1);
    const QString richtung = entry.directionLeft    ? QStringLiteral("L")
                             : entry.directionRight ? QStringLiteral("R")
                                                    : QStringLiteral("B");

    // 20
    const QString flags =
        yesNo(entry.switchingOperation) + yesNo(entry.pushPull) + yesNo(entry.doubleTraction);

    // 21-24: a negative cycle would write two characters into one column.
    const std::optional<int> cycle = readWholeNumber(entry.animationCycleText);
    if (!cycle || *cycle > 9 || *cycle < 0)
        return refuse(
            QStringLiteral("The maximum value of cycle frequency is 9 [0-9] PHASENLAENGE!"),
            QStringLiteral("txtCycle"));
    if (*cycle >= 1) {
        const QStringList frames = animationFrameNames(name);
        if (frames.isEmpty())
            return refuse(QStringLiteral("The engine hasn't animation!"),
                          QStringLiteral("txtCycle"));
        for (const QString &frame : frames)
            if (!fileExists(folder + frame))
                return refuse(shownPath(folder + frame) + QLatin1String(" doesn't exist!"),
                              QStringLiteral("txtCycle"));
    }
    const QString phasenlaenge = QString::number(*cycle);

    // 25-27
    if (entry.variations) {
        if (findBmp(name) < 0)
            return refuse(QStringLiteral("Drawing Filename incorrect!"), QStringLiteral("chkVR"),
                          0);
        bool found = false;
        for (const QString &candidate : variationCandidateNames(drawingStem(name))) {
            if (fileExists(folder + candidate)) {
                found = true;
                break;
            }
        }
        if (!found)
            return refuse(name + QLatin1String(" hasn't variations!"), QStringLiteral("chkVR"), 0);
    }
    const QString variations = yesNo(entry.variations);

    // 28
    return label + epoche + uland + gt + ol + olh + sar + richtung + flags + phasenlaenge +
           variations + name;
}
