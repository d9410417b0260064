#pragma once

#include <QStringList>

// Sorts names as a file manager lists them: letter case ignored and runs of digits compared
// as numbers (a2 before a10), in the user's language.
void sortAsFileManager(QStringList &names);
