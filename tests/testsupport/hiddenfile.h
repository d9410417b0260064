#pragma once

#include <QString>

#ifdef Q_OS_WIN
#ifndef NOMINMAX
#define NOMINMAX
#endif
#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#include <windows.h>

// Sets or clears the file's hidden attribute, the way Windows hides a file.
inline bool setHidden(const QString &path, bool hidden)
{
    const auto name = reinterpret_cast<const wchar_t *>(path.utf16());
    const DWORD attributes = GetFileAttributesW(name);
    if (attributes == INVALID_FILE_ATTRIBUTES)
        return false;
    const DWORD wanted =
        hidden ? attributes | FILE_ATTRIBUTE_HIDDEN : attributes & ~DWORD(FILE_ATTRIBUTE_HIDDEN);
    return SetFileAttributesW(name, wanted) != 0;
}
#endif
