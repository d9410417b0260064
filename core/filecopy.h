#pragma once

#include <QFileDevice>
#include <QString>

// File operations of a save that say why they failed, in the system's own words.

// Copies source to target, replacing a target that exists. The data goes to a temporary file in
// the target's folder that is then renamed over the target, so the target is at every moment
// either the old file or the whole new one. Returns the reason on failure, empty on success.
QString copyFileReplacing(const QString &source, const QString &target);

// Makes the folder and any missing parents; an existing folder is no failure. Returns the
// reason on failure, empty on success.
QString makeFolder(const QString &path);

// Writes all of data to an unbuffered device, going on after a short write until the system
// says why it stops. Returns the reason on failure, empty on success. (A buffered QSaveFile
// commits a file whose last flush came up short as if it were whole.)
QString writeAll(QFileDevice &device, const char *data, qint64 size);
