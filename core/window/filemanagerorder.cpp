#include "window/filemanagerorder.h"

#include <algorithm>

namespace {

// Where a character that is no digit stands: space and punctuation first, then letters; digit
// runs stand between the two.
enum class Group
{
    Symbol,
    Number,
    Letter
};

struct Weight
{
    Group group;
    char16_t value;
    bool operator==(const Weight &) const = default;
    bool operator<(const Weight &other) const
    {
        return group != other.group ? group < other.group : value < other.value;
    }
};

Weight weightOf(QChar c)
{
    const char16_t code = c.unicode();
    if (code < 0x80) {
        if (code >= u'A' && code <= u'Z')
            return {Group::Letter, char16_t(code - u'A' + u'a')};
        if (code >= u'a' && code <= u'z')
            return {Group::Letter, code};
        return {Group::Symbol, code};
    }
    if (!c.isLetter())
        return {Group::Symbol, code};
    // An accented letter sorts with its base letter.
    const QChar folded = c.toCaseFolded();
    if (folded.decompositionTag() == QChar::Canonical)
        return {Group::Letter, folded.decomposition().at(0).toCaseFolded().unicode()};
    return {Group::Letter, folded.unicode()};
}

bool isDigit(QChar c)
{
    return c.unicode() < 0x80 ? c.unicode() >= u'0' && c.unicode() <= u'9' : c.isDigit();
}

int digitOf(QChar c)
{
    return c.unicode() < 0x80 ? c.unicode() - u'0' : c.digitValue();
}

// The digit run starting at from: its end and where its value starts after leading zeros.
struct DigitRun
{
    qsizetype significant;
    qsizetype end;
    qsizetype length() const { return end - significant; }
};

DigitRun digitRun(QStringView name, qsizetype from)
{
    qsizetype end = from;
    while (end < name.size() && isDigit(name[end]))
        ++end;
    qsizetype significant = from;
    while (significant < end && digitOf(name[significant]) == 0)
        ++significant;
    return {significant, end};
}

// Negative, zero or positive as a comes before, with or after b by the rules alone. Digit runs
// are compared digit by digit, so that no run is too long for a number.
int compareByRules(QStringView a, QStringView b)
{
    qsizetype i = 0;
    qsizetype j = 0;
    while (i < a.size() && j < b.size()) {
        const bool digitA = isDigit(a[i]);
        const bool digitB = isDigit(b[j]);
        if (digitA && digitB) {
            const DigitRun runA = digitRun(a, i);
            const DigitRun runB = digitRun(b, j);
            if (runA.length() != runB.length())
                return runA.length() < runB.length() ? -1 : 1;
            for (qsizetype k = 0; k < runA.length(); ++k) {
                const int digitDifference =
                    digitOf(a[runA.significant + k]) - digitOf(b[runB.significant + k]);
                if (digitDifference != 0)
                    return digitDifference;
            }
            i = runA.end;
            j = runB.end;
            continue;
        }
        const Weight weightA = digitA ? Weight{Group::Number, 0} : weightOf(a[i]);
        const Weight weightB = digitB ? Weight{Group::Number, 0} : weightOf(b[j]);
        if (!(weightA == weightB))
            return weightA < weightB ? -1 : 1;
        ++i;
        ++j;
    }
    // The name that ends first comes first.
    return int(i < a.size()) - int(j < b.size());
}

} // namespace

void sortAsFileManager(QStringList &names)
{
    // Names that differ only in case, accents or leading zeros ("A.bmp", "a.bmp") fall back to
    // code order, so that the list's order never depends on how the folder was read.
    std::sort(names.begin(), names.end(), [](const QString &a, const QString &b) {
        const int byRules = compareByRules(a, b);
        return byRules != 0 ? byRules < 0 : a < b;
    });
}
