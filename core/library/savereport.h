#pragma once

#include <QList>
#include <QString>

// A file or folder that a save could not make, with the system's reason.
struct FileProblem
{
    QString path;
    QString reason;

    bool operator==(const FileProblem &) const = default;
};

// The text that lists the files a save did not copy: one line per file with its reason, at most
// maxLines of them, then how many more there are.
QString notCopiedMessage(const QList<FileProblem> &problems, int maxLines = 20);
