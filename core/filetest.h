#pragma once

#include <QString>

#include <functional>

// Answers whether an ordinary file of that full path exists.
using FileTest = std::function<bool(const QString &path)>;

// The host's answer: a regular, visible file. Folders do not count, nor hidden files
// (on Linux and macOS those whose name starts with ".").
bool isOrdinaryFile(const QString &path);
