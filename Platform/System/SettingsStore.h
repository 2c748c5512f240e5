#pragma once

#include "../QuillPlatformExport.h"

#include <QString>

namespace platform {

/// The per-user settings store: values filed under application, section and key (names compare
/// case-insensitively), kept in one text file that every process of the user shares. Each read
/// sees the file as it is now; each write rewrites the whole file into a temporary file and
/// renames it over the old one, under a lock file, so that neither a crash nor a second writer
/// leaves a torn file and writers of different keys do not lose each other's values. Names and
/// values round-trip exactly, whatever UTF-16 they hold. A file that is there but does not read
/// (no permission, not a file, not UTF-8, a line that is no setting) is never taken for an empty
/// store: reading and writing raise Path/File access error naming it, and it stays as it is.
class QUILL_PLATFORM_EXPORT SettingsStore
{
public:
    /// A store kept in the given folder (created when first written).
    explicit SettingsStore(const QString &directory);

    /// The store of this user: $QUILL_SETTINGS_DIR when set, else
    /// $XDG_CONFIG_HOME/quill (default ~/.config/quill).
    static SettingsStore forUser();

    const QString &filePath() const { return m_filePath; }

    /// Raises Path/File access error when the store is there but cannot be read.
    QString get(const QString &app, const QString &section, const QString &key,
        const QString &defaultValue = {}) const;
    /// Raises Path/File access error when the store cannot be read or written.
    void save(const QString &app, const QString &section, const QString &key, const QString &value);

private:
    QString m_directory;
    QString m_filePath;
};

/// The runtime's settings calls, on the user's store.
QUILL_PLATFORM_EXPORT QString GetSetting(const QString &app, const QString &section,
    const QString &key, const QString &defaultValue = {});
QUILL_PLATFORM_EXPORT void SaveSetting(
    const QString &app, const QString &section, const QString &key, const QString &value);

} // namespace platform
