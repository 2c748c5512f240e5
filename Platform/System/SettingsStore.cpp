#include "SettingsStore.h"

#include "../Value/RuntimeError.h"
#include "SettingsFile.h"

#include <QDir>
#include <QFile>
#include <QSaveFile>
#include <QScopeGuard>
#include <QStandardPaths>
#include <algorithm>
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

// The entries of the file last read or written in this process, with the file's identity. A
// writer in any process replaces the file by a rename, which gives it a new inode, so an
// unchanged identity means unchanged contents and the parse can be skipped.
struct CachedFile
{
    QString path;
    dev_t device = 0;
    ino_t inode = 0;
    off_t size = 0;
    timespec modified {};
    std::vector<SettingsEntry> entries;
};

std::mutex cacheMutex;
std::optional<CachedFile> cachedFile;

bool sameIdentity(const CachedFile &cached, const QString &path, const struct stat &info)
{
    return cached.path == path && cached.device == info.st_dev && cached.inode == info.st_ino
        && cached.size == info.st_size && cached.modified.tv_sec == info.st_mtim.tv_sec
        && cached.modified.tv_nsec == info.st_mtim.tv_nsec;
}

void remember(const QString &path, const struct stat &info, std::vector<SettingsEntry> entries)
{
    std::lock_guard guard(cacheMutex);
    cachedFile = CachedFile {
        path, info.st_dev, info.st_ino, info.st_size, info.st_mtim, std::move(entries)};
}

std::vector<SettingsEntry> readEntries(const QString &filePath)
{
    const QByteArray nativePath = QFile::encodeName(filePath);
    struct stat info
    {
    };
    if (::stat(nativePath.constData(), &info) != 0)
        return {};
    {
        std::lock_guard guard(cacheMutex);
        if (cachedFile && sameIdentity(*cachedFile, filePath, info))
            return cachedFile->entries;
    }
    QFile file(filePath);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    std::vector<SettingsEntry> entries = parseSettings(QString::fromUtf8(file.readAll()));
    remember(filePath, info, entries);
    return entries;
}

[[noreturn]] void failWrite(const QString &what)
{
    throw RuntimeError(ErrorNumber::PathFileAccessError, what);
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
        failWrite(m_directory);
    // The lock orders writers of different processes; readers need none, because the file
    // is only ever replaced whole by a rename. It is an advisory lock on a file beside the store:
    // the kernel drops it when its holder exits, so a crashed writer never leaves the store locked.
    const QByteArray lockPath = QFile::encodeName(m_filePath + QStringLiteral(".lock"));
    const int lockFd = ::open(lockPath.constData(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
    if (lockFd < 0 || ::flock(lockFd, LOCK_EX) != 0) {
        if (lockFd >= 0)
            ::close(lockFd);
        failWrite(m_filePath + QStringLiteral(".lock"));
    }
    const auto unlock = qScopeGuard([lockFd] { ::close(lockFd); });

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
        failWrite(m_filePath);
    const QByteArray bytes = writeSettings(entries);
    if (file.write(bytes) != bytes.size() || !file.commit())
        failWrite(m_filePath);
    struct stat info
    {
    };
    if (::stat(QFile::encodeName(m_filePath).constData(), &info) == 0)
        remember(m_filePath, info, std::move(entries));
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
