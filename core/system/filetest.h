#pragma once

#include <QHash>
#include <QSet>
#include <QString>

#include <functional>

// Answers whether an ordinary file of that full path exists.
using FileTest = std::function<bool(const QString &path)>;

// The host's answer: a regular, visible file. Folders do not count, nor hidden files
// (on Linux and macOS those whose name starts with ".").
bool isOrdinaryFile(const QString &path);

// A file name as the file system compares it: letter case ignored on Windows.
QString fileNameKey(const QString &name);

// isOrdinaryFile for the many look-ups of one command (up to 40 variation drawings an entry),
// answered from one listing of each folder: on Windows, and more so under Wine, every name that
// is not there costs a look through the whole folder. Names compare as the system compares
// them. Files made or removed after a folder was first listed are not seen.
class ListedFiles
{
public:
    bool isListedFile(const QString &path);
    FileTest test()
    {
        return [this](const QString &path) { return isListedFile(path); };
    }

private:
    QHash<QString, QSet<QString>> m_folders; // folder, as spelt, to its files' names
};
