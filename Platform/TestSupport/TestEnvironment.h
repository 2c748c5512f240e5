#pragma once

#include "../Value/Locale.h"

#include <QByteArray>
#include <QLocale>
#include <QTemporaryDir>
#include <optional>

namespace platform::test {

// Sets an environment variable for the life of the object and restores the old value after.
class ScopedEnv
{
public:
    ScopedEnv(const char *name, const QByteArray &value);
    ~ScopedEnv();
    ScopedEnv(const ScopedEnv &) = delete;
    ScopedEnv &operator=(const ScopedEnv &) = delete;

private:
    QByteArray m_name;
    std::optional<QByteArray> m_old;
};

// A fresh temporary folder for the settings store, the registry and the machine-wide
// registration files, pointed at by $QUILL_SETTINGS_DIR, $QUILL_REGISTRY and $XDG_DATA_DIRS
// while the object lives, so that nothing installed on the machine shows through.
class IsolatedUserFolders
{
public:
    IsolatedUserFolders();
    QString path() const { return m_dir.path(); }
    QString settingsDir() const;
    QString registryFile() const;
    QString machineDataDir() const;

private:
    QTemporaryDir m_dir;
    std::optional<ScopedEnv> m_settings, m_registry, m_machineData;
};

// Pins the user's locale for the life of the object, then goes back to en_US.
class ScopedLocale
{
public:
    explicit ScopedLocale(const QLocale &locale) { setUserLocale(locale); }
    ~ScopedLocale() { setUserLocale(QLocale(QLocale::English, QLocale::UnitedStates)); }
};

} // namespace platform::test
