#pragma once

#include <QString>
#include <QStringList>

// The drawings of a folder as the file list shows them: its files named "*.bmp", whatever the
// letter case of the extension, in the file manager's order.
QStringList drawingsIn(const QString &folder);
