#include "SettingsStore.h"

#include "../Value/RuntimeError.h"
#include "SettingsFile.h"

#include <QDir>
#include <QFile>
#include <QLockFile>
#include <QSaveFile>
#include <QStandardPaths>
#include <algorithm>

namespace platform {

namespace {

bool sameName(const QString &a, const QString &b)
{
    return a.compare(b, Qt::CaseInsensitive) == 0;
}

std::vector<SettingsEntry> readEntries(const QString &filePath)
{
    QFile file(filePath);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return parseSettings(QString::fromUtf8(file.readAll()));
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
    // is only ever replaced whole by a rename.
    QLockFile lock(m_filePath + QStringLiteral(".lock"));
    lock.setStaleLockTime(10000);
    if (!lock.tryLock(10000))
        failWrite(m_filePath + QStringLiteral(" is locked"));

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
    const QByteArray bytes = writeSettings(entries).toUtf8();
    if (file.write(bytes) != bytes.size() || !file.commit())
        failWrite(m_filePath);
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
