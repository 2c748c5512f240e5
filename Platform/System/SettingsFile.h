#pragma once

#include <QByteArray>
#include <QString>
#include <vector>

namespace platform {

// The text form of the settings store, one section per "[app/section]" line and one
// "key=value" line per value:
//   [QuillComboBox/Parametros]
//   Selecciones=Apple|3|
// Backslash escapes keep every value on one line and the file valid UTF-8: "\\", "\n", "\r",
// "\t" and "\uXXXX" for other control characters and for every surrogate code unit (so that an
// unpaired one survives). Names also escape "[", "]", "=" and "/". Lines that do not read are
// skipped.
struct SettingsEntry
{
    QString app, section, key, value;
};

std::vector<SettingsEntry> parseSettings(const QString &text);
// The file's bytes (UTF-8).
QByteArray writeSettings(const std::vector<SettingsEntry> &entries);

} // namespace platform
