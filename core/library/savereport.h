#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

// A file or folder that a save could not make, with the system's reason.
struct FileProblem
{
    QString path;
    QString reason;

    bool operator==(const FileProblem &) const = default;
};

// heading, then one line per item of lines, at most maxLines of them, then how many more
// there are: the form of every list a message gives.
QString listedLines(const QString &heading, const QStringList &lines, int maxLines);

// The text that lists the files a save did not copy: one line per file with its reason, at most
// maxLines of them, then how many more there are.
QString notCopiedMessage(const QList<FileProblem> &problems, int maxLines = 20);

// The text that lists the drawings a save copied before its attributes file failed, in the same
// form.
QString copiedBeforeMessage(const QStringList &copied, int maxLines = 20);

// The UTF-8 lines (numbers from 1) of a library, each as "line 3: Zürich Hbf" (its label as its
// editor shows it), the first five of them, under heading.
QString utf8LinesMessage(const QString &heading, const QList<int> &lines,
                         const QList<QByteArray> &lineBytes);
