#include "SettingsStore.h"

#include "../Value/RuntimeError.h"
#include "SettingsFile.h"

#include <QDir>
#include <QFile>
#include <QSaveFile>
#include <QScopeGuard>
#include <QStandardPaths>
#include <algorithm>
#include <cerrno>
#include <fcntl.h>
#include <mutex>
#include <optional>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace platform {

namespace {

bool sameName(const QString &a, const QString &b)
{
    return a.compare(b, Qt::CaseInsensitive) == 0;
}

[[noreturn]] void failAccess(const QString &what)
{
    throw RuntimeError(ErrorNumber::PathFileAccessError, what);
}

// The file's bytes, or nothing when there is no file (nor the folder it would be in). A file
// that is there but cannot be read raises: it must not pass for an empty store, which the next
// write would put in its place.
std::optional<QByteArray> readBytes(const QString &filePath)
{
    const QByteArray nativePath = QFile::encodeName(filePath);
    // Non-blocking, so that a pipe put in the file's place fails below instead of hanging.
    const int fd = ::open(nativePath.constData(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0) {
        if (errno == ENOENT || errno == ENOTDIR)
            return std::nullopt;
        failAccess(QStringLiteral("%1: %2").arg(filePath, qt_error_string(errno)));
    }
    const auto closeFile = qScopeGuard([fd] { ::close(fd); });
    struct stat info
    {
    };
    if (::fstat(fd, &info) != 0)
        failAccess(QStringLiteral("%1: %2").arg(filePath, qt_error_string(errno)));
    if (!S_ISREG(info.st_mode))
        failAccess(QStringLiteral("%1: not a file").arg(filePath));
    QByteArray bytes(qsizetype(info.st_size), Qt::Uninitialized);
    qsizetype used = 0;
    for (;;) {
        if (used == bytes.size())
            bytes.resize(used + 65536);
        const ssize_t got = ::read(fd, bytes.data() + used, size_t(bytes.size() - used));
        if (got < 0 && errno == EINTR)
            continue;
        if (got < 0)
            failAccess(QStringLiteral("%1: %2").arg(filePath, qt_error_string(errno)));
        if (got == 0)
            break;
        used += got;
    }
    bytes.truncate(used);
    return bytes;
}

// The file last read or written in this process, bytes and entries, so that reading the same
// bytes again skips the parse. Only the bytes themselves can tell: the file system reuses an
// inode across the renames, sizes are often equal and modification times are coarse, so a
// file that looks unchanged may hold another process's write.
struct CachedFile
{
    QString path;
    QByteArray bytes;
    std::vector<SettingsEntry> entries;
};

std::mutex cacheMutex;
std::optional<CachedFile> cachedFile;

void remember(const QString &path, const QByteArray &bytes, std::vector<SettingsEntry> entries)
{
    std::lock_guard guard(cacheMutex);
    cachedFile = CachedFile {path, bytes, std::move(entries)};
}

std::vector<SettingsEntry> readEntries(const QString &filePath)
{
    const std::optional<QByteArray> bytes = readBytes(filePath);
    if (!bytes)
        return {};
    {
        std::lock_guard guard(cacheMutex);
        if (cachedFile && cachedFile->path == filePath && cachedFile->bytes == *bytes)
            return cachedFile->entries;
    }
    SettingsFileContent content = readSettingsFile(*bytes);
    if (content.problem) {
        failAccess(
            QStringLiteral("%1: line %2: %3")
                .arg(filePath, QString::number(content.problem->line), content.problem->what));
    }
    remember(filePath, *bytes, content.entries);
    return std::move(content.entries);
}

} // namespace

SettingsStore::SettingsStore(const QString &directory)
    : m_directory(directory), m_filePath(QDir(directory).filePath(QStringLiteral("settings.ini")))
{ }

SettingsStore SettingsStore::forUser()
{
    QString directory = qEnvironmentVariable("QUILL_SETTINGS_DIR");
    if (directory.isEmpty()) {
        QString config = qEnvironmentVariable("XDG_CONFIG_HOME");
        if (config.isEmpty())
            config = QDir::home().filePath(QStringLiteral(".config"));
        directory = QDir(config).filePath(QStringLiteral("quill"));
    }
    return SettingsStore(directory);
}

QString SettingsStore::get(const QString &app, const QString &section, const QString &key,
    const QString &defaultValue) const
{
    for (const SettingsEntry &entry : readEntries(m_filePath)) {
        if (sameName(entry.app, app) && sameName(entry.section, section)
            && sameName(entry.key, key))
            return entry.value;
    }
    return defaultValue;
}

void SettingsStore::save(
    const QString &app, const QString &section, const QString &key, const QString &value)
{
    if (!QDir().mkpath(m_directory))
        failAccess(m_directory);
    // The lock orders writers of different processes; readers need none, because the file
    // is only ever replaced whole by a rename. It is an advisory lock on a file beside the store:
    // the kernel drops it when its holder exits, so a crashed writer never leaves the store locked.
    const QByteArray lockPath = QFile::encodeName(m_filePath + QStringLiteral(".lock"));
    const int lockFd = ::open(lockPath.constData(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
    if (lockFd < 0 || ::flock(lockFd, LOCK_EX) != 0) {
        if (lockFd >= 0)
            ::close(lockFd);
        failAccess(m_filePath + QStringLiteral(".lock"));
    }
    const auto unlock = qScopeGuard([lockFd] { ::close(lockFd); });

    // Always the file as it is now, never an older copy: what another process wrote since
    // must be kept.
    std::vector<SettingsEntry> entries = readEntries(m_filePath);
    auto inSection = [&](const SettingsEntry &e) {
        return sameName(e.app, app) && sameName(e.section, section);
    };
    auto found = std::find_if(entries.begin(), entries.end(),
        [&](const SettingsEntry &e) { return inSection(e) && sameName(e.key, key); });
    if (found != entries.end()) {
        found->value = value;
    } else {
        // Keep each section's keys together.
        const auto last = std::find_if(entries.rbegin(), entries.rend(), inSection);
        const auto at = last == entries.rend() ? entries.end() : last.base();
        entries.insert(at, SettingsEntry {app, section, key, value});
    }

    QSaveFile file(m_filePath);
    if (!file.open(QIODevice::WriteOnly))
        failAccess(m_filePath);
    const QByteArray bytes = writeSettings(entries);
    if (file.write(bytes) != bytes.size() || !file.commit())
        failAccess(m_filePath);
    remember(m_filePath, bytes, std::move(entries));
}

QString GetSetting(
    const QString &app, const QString &section, const QString &key, const QString &defaultValue)
{
    return SettingsStore::forUser().get(app, section, key, defaultValue);
}

void SaveSetting(
    const QString &app, const QString &section, const QString &key, const QString &value)
{
    SettingsStore::forUser().save(app, section, key, value);
}

} // namespace platform
