#pragma once

#include <QString>

// How a message names a character it refuses: as itself between double quotes when it can be
// seen, otherwise by its code ("U+000D"), since an invisible character shows nothing and a
// control character would break the message box's own lines.
QString characterName(char32_t c);
