#pragma once

#include <QString>

// Text for the console program's standard output and standard error. On Windows a console
// window gets it as its own characters, whatever its code page; output sent to a file or a
// pipe is UTF-8 with CR LF line ends. Elsewhere it is UTF-8 as the terminal takes it.
enum class Stream
{
    Output,
    Error
};
void writeText(Stream stream, const QString &text);
