#pragma once

#include "../QuillPlatformExport.h"

#include <QByteArray>
#include <QString>
#include <optional>
#include <vector>

namespace platform {

/// The text form of the settings store, one section per "[app/section]" line and one
/// "key=value" line per value:
///
///     [QuillComboBox/Parametros]
///     Selecciones=Apple|3|
///
/// Backslash escapes keep every value on one line and the file valid UTF-8: `\\`, `\n`, `\r`,
/// `\t` and `\uXXXX` for other control characters and for every surrogate code unit (so that an
/// unpaired one survives). Names also escape "[", "]", "=", "/" and "#": a line that begins with
/// "#" is a comment, so a key that begins with it must not be written as it is. Comments, blank
/// lines and a byte order mark at the start are ignored; the store writes none of them.
struct QUILL_PLATFORM_EXPORT SettingsEntry
{
    QString app, section, key, value;
};

/// Every entry that reads; lines that do not read are skipped.
QUILL_PLATFORM_EXPORT std::vector<SettingsEntry> parseSettings(const QString &text);

/// A line of a file that does not read: its number (from 1) and what is wrong with it.
struct QUILL_PLATFORM_EXPORT SettingsProblem
{
    qsizetype line = 0;
    QString what;
};

/// A file as the store takes it: whole or not at all. Any line that is neither a setting, nor a
/// section, nor ignored, and bytes that are not UTF-8, make the problem; entries are then empty,
/// because writing back what did read would drop what did not.
struct QUILL_PLATFORM_EXPORT SettingsFileContent
{
    std::vector<SettingsEntry> entries;
    std::optional<SettingsProblem> problem;
};
QUILL_PLATFORM_EXPORT SettingsFileContent readSettingsFile(const QByteArray &bytes);

/// The file's bytes (UTF-8). Whatever the entries hold, they read back the same and without a
/// problem.
QUILL_PLATFORM_EXPORT QByteArray writeSettings(const std::vector<SettingsEntry> &entries);

} // namespace platform
