#include "checking/linecheck.h"

#include "drawingnames/codetables.h"
#include "entry/entryline.h"
#include "text/blanks.h"
#include "text/charactername.h"
#include "text/codepage.h"

#include <QStringList>

#include <algorithm>
#include <functional>

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
    return height >= EntryFields::lowestLineHeight && height <= EntryFields::highestLineHeight;
}

// A code of the table, standing left-aligned in the field and filled with spaces.
bool isCodeOf(const QString &field, const QStringList &codes)
{
    return std::any_of(codes.cbegin(), codes.cend(), [&field](const QString &code) {
        return code.leftJustified(field.size(), QLatin1Char(' ')) == field;
    });
}

// How a finding names the letters a field may hold: "Y, N or 3", "a digit 0 to 9".
QString lettersText(QLatin1StringView letters)
{
    if (letters == QLatin1String("0123456789"))
        return QStringLiteral("a digit 0 to 9");
    QStringList each;
    for (const char letter : letters)
        each.append(QString(QLatin1Char(letter)));
    const QString last = each.takeLast();
    return each.join(QLatin1String(", ")) + QLatin1String(" or ") + last;
}

// One field of the fixed block: where it stands, what it may hold, and what is said when it
// holds something else ("%1" its columns, "%2" what it holds).
struct FieldRule
{
    EntryField field;
    std::function<bool(const QString &)> valid;
    CheckFinding::Kind kind;
    QString message;
};

FieldRule ruleOf(const EntryField &field)
{
    const auto codeRule = [&field](const char *what, const QStringList &codes) {
        return FieldRule{field, [codes](const QString &text) { return isCodeOf(text, codes); },
                         CheckFinding::Kind::Warning,
                         QStringLiteral("%1: ") + QLatin1String(what) +
                             QStringLiteral(" %2 is not one of ") +
                             codes.join(QLatin1String(", "))};
    };
    switch (field.values) {
    case FieldValues::Text:
        break;
    case FieldValues::Epochs:
        return {field, isEpoche, CheckFinding::Kind::Error,
                QStringLiteral("%1: EPOCHE %2 is neither one epoch (a digit 1 to 6 and two "
                               "spaces) nor two (\"d1-d2\", digits 1 to 6, d1 < d2)")};
    case FieldValues::CountryCode:
        return codeRule("country code", countryCodes());
    case FieldValues::TypeCode:
        return codeRule("type code", vehicleTypeCodes());
    case FieldValues::LineHeight:
        return {field, isOverheadLineHeight, CheckFinding::Kind::Error,
                QStringLiteral("%1: OLH %2 is not two digits ") +
                    QString::number(EntryFields::lowestLineHeight) + QLatin1String(" to ") +
                    QString::number(EntryFields::highestLineHeight)};
    case FieldValues::Letters: {
        const QLatin1StringView letters(field.letters);
        return {field,
                [letters](const QString &value) {
                    return value.size() == 1 && letters.contains(value[0]);
                },
                CheckFinding::Kind::Error,
                QStringLiteral("%1: ") + QLatin1String(field.name) + QStringLiteral(" %2 is not ") +
                    lettersText(letters)};
    }
    }
    return {field, [](const QString &) { return true; }, CheckFinding::Kind::Error, {}};
}

// The fields in column order; LABEL may hold any text.
QList<FieldRule> fieldRules()
{
    QList<FieldRule> rules;
    for (const EntryField &field : EntryFields::fixedBlock)
        if (field.values != FieldValues::Text)
            rules.append(ruleOf(field));
    return rules;
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
    const auto controlCharacter = [&](qsizetype column, uchar code) {
        findings.append(error(lineNumber, QStringLiteral("%1: control character %2 where a "
                                                         "printable character is expected")
                                              .arg(columnsText(column, 1), characterName(code))));
    };
    if (looksLikeUtf8(bytes)) {
        // One finding says it for the line; its columns are those its editor shows.
        const QString how = bytes.startsWith("\xEF\xBB\xBF")
                                ? QStringLiteral("the file starts with the UTF-8 byte-order mark")
                                : QStringLiteral("the line holds UTF-8 text");
        findings.append(
            error(lineNumber, QStringLiteral("%1 where single-byte text of code page %2 is "
                                             "expected: the display program misreads every "
                                             "character that is not ASCII")
                                  .arg(how, codePageName())));
        qsizetype column = 0;
        for (const char32_t c : QStringView(decodeAsWritten(bytes)).toUcs4()) {
            ++column;
            if (c < 0x20 || c == 0x7F)
                controlCharacter(column, uchar(c));
        }
    } else {
        for (qsizetype i = 0; i < bytes.size(); ++i) {
            const uchar byte = uchar(bytes[i]);
            if (byte < 0x20 || byte == 0x7F)
                controlCharacter(i + 1, byte);
            else if (!isCharacterOfCodePage(char(byte)))
                findings.append(error(
                    lineNumber, QStringLiteral("%1: byte 0x%2 is no character of code page %3")
                                    .arg(columnsText(i + 1, 1), QString::number(byte, 16).toUpper(),
                                         codePageName())));
        }
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
    constexpr qsizetype fixedBlock = EntryFields::fixedBlockEnd;
    if (line.size() <= fixedBlock)
        return {error(lineNumber,
                      QStringLiteral("the line is %1 characters long where columns 1-%2 and a "
                                     "drawing's file name from column %3 on are expected")
                          .arg(line.size())
                          .arg(fixedBlock)
                          .arg(EntryFields::drawingFileNameColumn))};

    CheckFindings findings;
    static const QList<FieldRule> rules = fieldRules();
    for (const FieldRule &rule : rules) {
        const QString field = fieldText(line, rule.field);
        if (!rule.valid(field))
            findings.append({lineNumber, rule.kind,
                             rule.message.arg(columnsText(rule.field.column, rule.field.width),
                                              quotedText(field))});
    }

    const QString fileName = drawingNameOf(line);
    if (trimBlanks(fileName).isEmpty())
        findings.append(error(lineNumber, QStringLiteral("%1: the drawing's file name is blank")
                                              .arg(columnsText(EntryFields::drawingFileNameColumn,
                                                               fileName.size()))));
    return findings;
}
