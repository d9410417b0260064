#pragma once

#include <QByteArray>
#include <QDir>
#include <QString>

#if defined(Q_OS_WIN)
#include <qt_windows.h>

#include <string>
#else
#include <QProcess>
#include <QStringList>
#include <QThread>
#endif

// Shell command lines run on the host of the test: the Linux system itself, or, under Wine,
// the Linux system Wine runs on. Tests use it for what only the host can do: mount a volume,
// press a real key through the X server.
namespace HostCommand {

#if defined(Q_OS_WIN)
// The host's name of a Windows path, as Wine names it; empty when this is not Wine.
inline QByteArray unixNameOf(const QString &windowsPath)
{
    using UnixName = char *(CDECL *)(const wchar_t *);
    const auto unixName = reinterpret_cast<UnixName>(reinterpret_cast<void *>(
        GetProcAddress(GetModuleHandleW(L"kernel32.dll"), "wine_get_unix_file_name")));
    if (!unixName)
        return {};
    char *name =
        unixName(reinterpret_cast<const wchar_t *>(QDir::toNativeSeparators(windowsPath).utf16()));
    if (!name)
        return {};
    const QByteArray folder(name);
    HeapFree(GetProcessHeap(), 0, name);
    return folder;
}

// Starts a shell command line on the host. Wine does not wait for a host program to end: its
// outcome is to be awaited as Windows sees it (waitFor).
inline bool start(const QByteArray &command)
{
    std::wstring line = L"/bin/sh -c \"" + QString::fromLocal8Bit(command).toStdWString() + L"\"";
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    if (!CreateProcessW(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                        &startup, &process))
        return false;
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return true;
}
#else
inline bool start(const QByteArray &command)
{
    return QProcess::startDetached(QStringLiteral("/bin/sh"),
                                   {QStringLiteral("-c"), QString::fromLocal8Bit(command)});
}
#endif

// Polls done() until it holds, for at most 20 seconds, without running the event loop.
template <class Done> bool waitFor(Done done)
{
    for (int i = 0; i < 200; ++i) {
        if (done())
            return true;
#if defined(Q_OS_WIN)
        Sleep(100);
#else
        QThread::msleep(100);
#endif
    }
    return done();
}

} // namespace HostCommand
