#include "system/filecopy.h"

#include "system/durablecopies.h"
#include "system/nativepath.h"
#include "system/systemfile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <optional>
#include <tuple>

#ifdef Q_OS_WIN
#include <qt_windows.h>
#else
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <filesystem>
#include <system_error>
#endif

namespace {

constexpr QLatin1String partPrefix(".~");
constexpr QLatin1String partSuffix(".tessaro-part");

bool isPartFileName(const QString &name)
{
    return name.startsWith(partPrefix) && name.endsWith(partSuffix) &&
           name.size() > partPrefix.size() + partSuffix.size();
}

QString partNameOf(const QString &target)
{
    const QFileInfo info(target);
    return info.path() + QLatin1Char('/') + partPrefix + info.fileName() + partSuffix;
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

} // namespace

QString writePartFile(SystemFile &part, const QString &partName, const QByteArray &data)
{
    if (!part.open(partName, SystemFile::Use::Create)) {
        if (!QFileInfo::exists(partName))
            return part.reason();
        removePart(partName);
        if (!part.open(partName, SystemFile::Use::Create))
            return part.reason();
    }
    QByteArray back;
    if (!part.writeWholeBuffer(data) || !part.readFromStart(back, data.size()))
        return part.reason();
    if (back != data)
        return QStringLiteral("the copy does not read back as the source (%1 of %2 bytes kept)")
            .arg(back.size())
            .arg(data.size());
    return {};
}

QString partFileOf(const QString &target)
{
    return partNameOf(target);
}

QString writeDurablePart(const QString &part, const QByteArray &data)
{
    SystemFile file;
    QString reason = writePartFile(file, part, data);
    if (reason.isEmpty() && !(file.syncToDisk() && file.close()))
        reason = file.reason();
    file.close();
    if (!reason.isEmpty())
        removePart(part);
    return reason;
}

void removePartFile(const QString &part)
{
    removePart(part);
}

QString replaceFileDurably(const QString &from, const QString &to)
{
#ifdef Q_OS_WIN
    // Write-through: the rename is on the disk when the call returns.
    if (!MoveFileExW(longPath(from).c_str(), longPath(to).c_str(),
                     MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
        return windowsReason(GetLastError());
    return {};
#else
    return replaceFile(from, to);
#endif
}

QString syncFolderToDisk([[maybe_unused]] const QString &folder)
{
#ifdef Q_OS_WIN
    return {}; // the rename was written through
#else
    const int fd =
        ::open(QFile::encodeName(folder).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0)
        return qt_error_string(errno);
    const bool synced = ::fsync(fd) == 0;
    const int error = errno;
    ::close(fd);
    return synced ? QString() : qt_error_string(error);
#endif
}

CopyOutcome copyFileReplacing(const QString &source, const QString &target)
{
    DurableCopies copies;
    CopyOutcome outcome = copies.copy(source, target);
    const DurableCopies::Outcome finished = copies.finish();
    if (outcome.ok() && !finished.failedCopies.isEmpty())
        outcome = {finished.failedCopies.constFirst().reason, true};
    else if (outcome.ok() && !finished.folderReason.isEmpty())
        outcome = {finished.folderReason, true};
    return outcome;
}

QStringList leftoverParts(const QString &folder)
{
    QStringList parts;
    const QStringList names =
        QDir(folder).entryList({partPrefix + QLatin1Char('*') + partSuffix},
                               QDir::Files | QDir::Hidden | QDir::System, QDir::Name);
    for (const QString &name : names)
        if (isPartFileName(name))
            parts.append(folder + QLatin1Char('/') + name);
    return parts;
}

void removeLeftoverParts(const QString &folder)
{
    for (const QString &part : leftoverParts(folder))
        removePart(part);
}

ContentComparison compareFileContents(const QString &first, const QString &second)
{
    SystemFile files[2];
    const QString paths[2] = {first, second};
    qint64 sizes[2] = {};
    for (int i = 0; i < 2; ++i) {
        if (!files[i].open(paths[i], SystemFile::Use::Read) || (sizes[i] = files[i].size()) < 0)
            return {ContentComparison::Result::Unreadable, paths[i], files[i].reason(),
                    !QFileInfo::exists(paths[i])};
    }
    if (sizes[0] != sizes[1])
        return {ContentComparison::Result::Different, {}, {}, false};
    // Drawings are small, but a folder of them may be large: a piece at a time, stopping at
    // the first piece that differs.
    constexpr qint64 piece = 1 << 16;
    QByteArray read[2];
    for (qint64 at = 0; at < sizes[0]; at += piece) {
        for (int i = 0; i < 2; ++i)
            if (!files[i].readFrom(at, read[i], qMin(piece, sizes[0] - at)))
                return {ContentComparison::Result::Unreadable, paths[i], files[i].reason(), false};
        if (read[0] != read[1])
            return {ContentComparison::Result::Different, {}, {}, false};
    }
    return {ContentComparison::Result::Same, {}, {}, false};
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

bool isSameFile(const QString &first, const QString &second)
{
#ifdef Q_OS_WIN
    // Names alone do not tell: letter case, short names and other paths to one folder.
    const auto identity =
        [](const QString &path) -> std::optional<std::tuple<DWORD, DWORD, DWORD>> {
        const HANDLE file = CreateFileW(
            longPath(path).c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
            nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
        if (file == INVALID_HANDLE_VALUE)
            return std::nullopt;
        BY_HANDLE_FILE_INFORMATION info{};
        const bool known = GetFileInformationByHandle(file, &info);
        CloseHandle(file);
        if (!known)
            return std::nullopt;
        return std::tuple{info.dwVolumeSerialNumber, info.nFileIndexHigh, info.nFileIndexLow};
    };
    const auto one = identity(first);
    return one && one == identity(second);
#else
    std::error_code error;
    return std::filesystem::equivalent(std::filesystem::path(first.toStdU16String()),
                                       std::filesystem::path(second.toStdU16String()), error) &&
           !error;
#endif
}

QString writeAllToDevice(QFileDevice &device, const char *data, qint64 size)
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
