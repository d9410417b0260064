#pragma once

#include <QStringList>

// The tessaro-check command: checks each attributes file named in arguments (the program's
// own name first, as QCoreApplication::arguments() gives them), writes one line per problem
// and a last line for the whole run, and returns the exit status: 2 when a file could not be
// read or the arguments name none, otherwise 1 when an error was found, otherwise 0.
int runCheckCommand(const QStringList &arguments);
