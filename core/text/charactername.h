#pragma once

#include <QString>

// How a message names a character it refuses: as itself between double quotes when it can be
// seen, otherwise by its code ("U+000D"), since an invisible character shows nothing and a
// control character would break the message box's own lines.
QString characterName(char32_t c);

// How a message quotes a text it found: between double quotes, with every character that cannot
// be seen named by its code in angle brackets ("Re<U+0009>4/4"), so that the message stays one
// line whatever the text held.
QString quotedText(const QString &text);
