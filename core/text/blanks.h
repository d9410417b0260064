#pragma once

#include <QString>

// The text without its leading and trailing blanks. Only the space counts as a blank: fields
// of an entry line are padded with spaces, and any other white space belongs to the text.
QString trimBlanks(const QString &text);
// The text without its trailing blanks.
QString trimTrailingBlanks(const QString &text);
