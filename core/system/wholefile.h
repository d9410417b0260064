#pragma once

#include <QByteArray>
#include <QString>

// The one way the program writes a whole file that it composes in memory (attributes file,
// library page, site index); copies of drawings go through copyFileReplacing (filecopy.h),
// which is made for thousands of files and checks each copy against its source.
// The bytes go to a part file beside the old file, unbuffered, every write's result checked,
// forced to disk, and only then swapped in by one rename: the file is at every moment either
// the old one, byte for byte, or the whole new one, and no part file is left behind. Returns
// the system's reason on failure, an empty text on success.
QString writeWholeFile(const QString &path, const QByteArray &bytes);
