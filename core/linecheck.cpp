#include "linecheck.h"

#include "blanks.h"
#include "charactername.h"
#include "codepage.h"
#include "codetables.h"
#include "entrycolumns.h"

#include <QStringList>

namespace {

CheckFinding error(int line, const QString &text)
{
    return {line, CheckFinding::Kind::Error, text};
}

CheckFinding warning(int line, const QString &text)
{
    return {line, CheckFinding::Kind::Warning, text};
}

bool isDigitIn(QChar c, char low, char high)
{
    return c >= QLatin1Char(low) && c <= QLatin1Char(high);
}

// One epoch ("4  ") or two ("2-5", the lower first).
bool isEpoche(const QString &field)
{
    if (isDigitIn(field[0], '1', '6') && field.mid(1) == QLatin1String("  "))
        return true;
    return isDigitIn(field[0], '1', '6') && field[1] == QLatin1Char('-') &&
           isDigitIn(field[2], '1', '6') && field[0] < field[2];
}

bool isOverheadLineHeight(const QString &field)
{
    if (!isDigitIn(field[0], '0', '9') || !isDigitIn(field[1], '0', '9'))
        return false;
    const int height = field.toInt();
    return height >= 40 && height <= 90;
}

// A code of the table, standing left-aligned in the field and filled with spaces.
std::optional<QString> codeOutsideTable(const QString &field, const QStringList &codes)
{
    for (const QString &code : codes)
        if (code.leftJustified(field.size(), QLatin1Char(' ')) == field)
            return std::nullopt;
    return codes.join(QLatin1String(", "));
}

// A one-column field and the texts it may hold.
struct LetterField
{
    const char *name;
    qsizetype column;
    QStringList allowed;
    const char *expected;
};

QList<LetterField> letterFields()
{
    const QStringList yesNo{QStringLiteral("Y"), QStringLiteral("N")};
    const char *yesOrNo = "Y or N";
    return {
        {"OL",
         EntryColumn::ol,
         {QStringLiteral("Y"), QStringLiteral("N"), QStringLiteral("3")},
         "Y, N or 3"},
        {"SAR", EntryColumn::sar, yesNo, yesOrNo},
        {"RICHTUNG",
         EntryColumn::richtung,
         {QStringLiteral("L"), QStringLiteral("R"), QStringLiteral("B")},
         "L, R or B"},
        {"RANGIER", EntryColumn::rangier, yesNo, yesOrNo},
        {"WZ", EntryColumn::wz, yesNo, yesOrNo},
        {"DT", EntryColumn::dt, yesNo, yesOrNo},
        {"PHASENLAENGE", EntryColumn::phasenlaenge,
         QStringList{QStringLiteral("0"), QStringLiteral("1"), QStringLiteral("2"),
                     QStringLiteral("3"), QStringLiteral("4"), QStringLiteral("5"),
                     QStringLiteral("6"), QStringLiteral("7"), QStringLiteral("8"),
                     QStringLiteral("9")},
         "a digit 0 to 9"},
        {"VARIATIONS", EntryColumn::variations, yesNo, yesOrNo},
    };
}

} // namespace

QString columnsText(qsizetype first, qsizetype width)
{
    if (width == 1)
        return QStringLiteral("column %1").arg(first);
    return QStringLiteral("columns %1-%2").arg(first).arg(first + width - 1);
}

CheckFindings checkLineCharacters(int lineNumber, const QByteArray &bytes, LineEnd end)
{
    CheckFindings findings;
    for (qsizetype i = 0; i < bytes.size(); ++i) {
        const uchar byte = uchar(bytes[i]);
        if (byte < 0x20 || byte == 0x7F)
            findings.append(
                error(lineNumber, QStringLiteral("%1: control character %2 where a "
                                                 "printable character is expected")
                                      .arg(columnsText(i + 1, 1), characterName(byte))));
        else if (!isCharacterOfCodePage(char(byte)))
            findings.append(
                error(lineNumber, QStringLiteral("%1: byte 0x%2 is no character of code page %3")
                                      .arg(columnsText(i + 1, 1),
                                           QString::number(byte, 16).toUpper(), codePageName())));
    }
    if (end == LineEnd::Cr)
        findings.append(error(
            lineNumber, QStringLiteral("the line ends with CR alone where CR LF is expected")));
    else if (end == LineEnd::None)
        findings.append(
            warning(lineNumber, QStringLiteral("the last line has no line end where CR LF is "
                                               "expected")));
    return findings;
}

CheckFindings checkEntryFields(int lineNumber, const QString &line)
{
    if (line.isEmpty())
        return {warning(lineNumber, QStringLiteral("empty line: the display program reads it as "
                                                   "an entry"))};
    constexpr qsizetype fixedBlock = EntryColumn::drawingFileName - 1;
    if (line.size() <= fixedBlock)
        return {error(lineNumber,
                      QStringLiteral("the line is %1 characters long where columns 1-%2 and a "
                                     "drawing's file name from column %3 on are expected")
                          .arg(line.size())
                          .arg(fixedBlock)
                          .arg(EntryColumn::drawingFileName))};

    CheckFindings findings;
    const auto field = [&](qsizetype column, qsizetype width) {
        return line.mid(column - 1, width);
    };
    const QString epoche = field(EntryColumn::epoche, 3);
    if (!isEpoche(epoche))
        findings.append(
            error(lineNumber, QStringLiteral("%1: EPOCHE %2 is neither one epoch (a digit 1 to 6 "
                                             "and two spaces) nor two (\"d1-d2\", digits 1 to 6, "
                                             "d1 < d2)")
                                  .arg(columnsText(EntryColumn::epoche, 3), quotedText(epoche))));

    const QString country = field(EntryColumn::uland, EntryColumn::ulandWidth);
    if (const auto codes = codeOutsideTable(country, countryCodes()))
        findings.append(
            warning(lineNumber, QStringLiteral("%1: country code %2 is not one of %3")
                                    .arg(columnsText(EntryColumn::uland, EntryColumn::ulandWidth),
                                         quotedText(country), *codes)));
    const QString type = field(EntryColumn::gt, EntryColumn::gtWidth);
    if (const auto codes = codeOutsideTable(type, vehicleTypeCodes()))
        findings.append(
            warning(lineNumber, QStringLiteral("%1: type code %2 is not one of %3")
                                    .arg(columnsText(EntryColumn::gt, EntryColumn::gtWidth),
                                         quotedText(type), *codes)));

    const QString height = field(EntryColumn::olh, 2);
    const auto letters = letterFields();
    for (const LetterField &letter : letters) {
        // Columns in order: OLH stands between OL and SAR.
        if (letter.column == EntryColumn::sar && !isOverheadLineHeight(height))
            findings.append(
                error(lineNumber, QStringLiteral("%1: OLH %2 is not two digits 40 "
                                                 "to 90")
                                      .arg(columnsText(EntryColumn::olh, 2), quotedText(height))));
        const QString value = field(letter.column, 1);
        if (!letter.allowed.contains(value))
            findings.append(error(
                lineNumber, QStringLiteral("%1: %2 %3 is not %4")
                                .arg(columnsText(letter.column, 1), QLatin1String(letter.name),
                                     quotedText(value), QLatin1String(letter.expected))));
    }

    const QString fileName = line.mid(fixedBlock);
    if (trimBlanks(fileName).isEmpty())
        findings.append(error(
            lineNumber, QStringLiteral("%1: the drawing's file name is blank")
                            .arg(columnsText(EntryColumn::drawingFileName, fileName.size()))));
    return findings;
}

CheckFindings checkSingleByteText(const LibraryFileContent &content)
{
    if (content.firstUtf8Line == 0)
        return {};
    const QByteArray &bytes = content.lineBytes[content.firstUtf8Line - 1];
    const QString how = bytes.startsWith("\xEF\xBB\xBF")
                            ? QStringLiteral("starts with the UTF-8 byte-order mark")
                            : QStringLiteral("holds UTF-8 text");
    return {error(content.firstUtf8Line,
                  QStringLiteral("the file %1 where single-byte text of code page %2 is "
                                 "expected: the display program misreads every character "
                                 "that is not ASCII")
                      .arg(how, codePageName()))};
}
