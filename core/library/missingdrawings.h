#pragma once

#include <QList>
#include <QString>
#include <QStringList>

// A drawing or companion that an entry line names and its library folder does not hold.
struct MissingDrawing
{
    int line = 0; // 1-based
    QString path;
};

// The drawings and companions the lines name that are not in the library folder, in line
// order: what a save cut short between its attributes file and its copies left. Each type folder
// is listed once.
QList<MissingDrawing> drawingsMissingFrom(const QStringList &lines, const QString &libraryFolder);
