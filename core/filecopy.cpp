#include "filecopy.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <cstring>

#ifdef Q_OS_WIN
#include <qt_windows.h>
#else
#include <cerrno>
#include <cstdio>
#include <filesystem>
#include <system_error>
#endif

namespace {

// Most drawings are a few tens of kilobytes: one read and one write each.
constexpr qint64 copyChunk = 64 * 1024;

QString partNameOf(const QString &target)
{
    const QFileInfo info(target);
    return info.path() + QLatin1String("/.~") + info.fileName() + QLatin1String(".tessaro-part");
}

// A part file goes whatever its attributes: a read-only one (left by an older version, or by a
// copy that kept the source's attributes) would otherwise stay behind in the library.
void removePart(const QString &part)
{
    if (!QFileInfo::exists(part))
        return;
    QFile::setPermissions(part, QFileDevice::ReadOwner | QFileDevice::WriteOwner);
    QFile::remove(part);
}

QString copyData(QFile &from, QFileDevice &to, bool *atTarget)
{
    QByteArray buffer(copyChunk, Qt::Uninitialized);
    for (;;) {
        const qint64 got = from.read(buffer.data(), buffer.size());
        if (got < 0) {
            *atTarget = false;
            return from.errorString();
        }
        if (got == 0)
            return {};
        if (QString reason = writeAll(to, buffer.constData(), got); !reason.isEmpty()) {
            *atTarget = true;
            return reason;
        }
    }
}

// Reads the part back and compares it with the source from its start: a write that some
// runtime reported whole but the disk did not keep shows here, not in the library.
QString compareWithSource(QFile &from, const QString &part, bool *atTarget)
{
    QFile written(part);
    *atTarget = true;
    if (!written.open(QIODevice::ReadOnly))
        return written.errorString();
    if (!from.seek(0)) {
        *atTarget = false;
        return from.errorString();
    }
    QByteArray expected(copyChunk, Qt::Uninitialized);
    QByteArray found(copyChunk, Qt::Uninitialized);
    for (;;) {
        const qint64 want = from.read(expected.data(), expected.size());
        if (want < 0) {
            *atTarget = false;
            return from.errorString();
        }
        const qint64 got = written.read(found.data(), found.size());
        if (got < 0)
            return written.errorString();
        if (got != want || std::memcmp(expected.constData(), found.constData(), got) != 0)
            return QStringLiteral("the copy does not read back as the source (%1 bytes of %2 "
                                  "kept)")
                .arg(QFileInfo(part).size())
                .arg(from.size());
        if (want == 0)
            return {};
    }
}

#ifdef Q_OS_WIN
// The system's own text for a Windows error code.
QString windowsReason(DWORD code)
{
    wchar_t *text = nullptr;
    const DWORD length = FormatMessageW(
        FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
        nullptr, code, 0, reinterpret_cast<wchar_t *>(&text), 0, nullptr);
    QString reason = length ? QString::fromWCharArray(text, length).trimmed()
                            : QStringLiteral("Windows error %1").arg(code);
    LocalFree(text);
    return reason;
}

// The path in the form that Windows' file calls take at any length ("\\?\C:\..." or
// "\\?\UNC\server\share\..."): absolute, cleaned, with backslashes.
std::wstring longPath(const QString &path)
{
    const QString native =
        QDir::toNativeSeparators(QDir::cleanPath(QFileInfo(path).absoluteFilePath()));
    QString prefixed;
    if (native.startsWith(QLatin1String("\\\\?\\")))
        prefixed = native;
    else if (native.startsWith(QLatin1String("\\\\")))
        prefixed = QLatin1String("\\\\?\\UNC\\") + native.mid(2);
    else
        prefixed = QLatin1String("\\\\?\\") + native;
    return prefixed.toStdWString();
}

bool isFolder(const std::wstring &path)
{
    const DWORD attributes = GetFileAttributesW(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}
#endif

} // namespace

CopyOutcome copyFileReplacing(const QString &source, const QString &target)
{
    QFile from(source);
    if (!from.open(QIODevice::ReadOnly))
        return {from.errorString(), false};

    // A part file left by an interrupted save is ours to overwrite.
    const QString part = partNameOf(target);
    removePart(part);
    CopyOutcome outcome;
    {
        QFile to(part);
        // Unbuffered, so that every short write is seen with its reason.
        if (!to.open(QIODevice::WriteOnly | QIODevice::Truncate | QIODevice::Unbuffered))
            return {to.errorString(), true};
        outcome.reason = copyData(from, to, &outcome.atTarget);
        to.close();
        if (outcome.ok() && to.error() != QFileDevice::NoError)
            outcome = {to.errorString(), true};
    } // closed: a file still open cannot be renamed everywhere
    if (outcome.ok())
        outcome.reason = compareWithSource(from, part, &outcome.atTarget);
    if (outcome.ok())
        outcome = {replaceFile(part, target), true};
    if (!outcome.ok())
        removePart(part);
    return outcome;
}

QString replaceFile(const QString &from, const QString &to)
{
    // QFile::rename refuses to replace an existing file; the system's rename replaces it in one
    // step.
#ifdef Q_OS_WIN
    if (!MoveFileExW(longPath(from).c_str(), longPath(to).c_str(), MOVEFILE_REPLACE_EXISTING))
        return windowsReason(GetLastError());
#else
    if (std::rename(QFile::encodeName(from).constData(), QFile::encodeName(to).constData()) != 0)
        return qt_error_string(errno);
#endif
    return {};
}

QString writeAll(QFileDevice &device, const char *data, qint64 size)
{
    while (size > 0) {
        const qint64 written = device.write(data, size);
        if (written <= 0)
            return device.errorString();
        data += written;
        size -= written;
    }
    return {};
}

QString makeFolder(const QString &path)
{
#ifdef Q_OS_WIN
    // Each missing folder from the root down, by the long form of its path.
    const std::wstring whole = longPath(path);
    if (isFolder(whole))
        return {};
    // Past "\\?\C:\" or "\\?\UNC\server\share\" every separator ends a folder to make.
    const bool unc = whole.rfind(L"\\\\?\\UNC\\", 0) == 0;
    std::size_t at = unc ? whole.find(L'\\', whole.find(L'\\', 8) + 1) : whole.find(L'\\', 4);
    while (at != std::wstring::npos) {
        at = whole.find(L'\\', at + 1);
        const std::wstring folder = whole.substr(0, at);
        if (folder.empty() || folder.back() == L'\\' || isFolder(folder))
            continue;
        if (!CreateDirectoryW(folder.c_str(), nullptr) && !isFolder(folder))
            return windowsReason(GetLastError());
    }
    return {};
#else
    std::error_code error;
    std::filesystem::create_directories(std::filesystem::path(path.toStdU16String()), error);
    if (error)
        return QString::fromLocal8Bit(error.message());
    return {};
#endif
}
