// The settings file: any bytes parse without crashing, what was parsed writes out and parses
// back to the same entries, and what is written always reads whole the way the store reads a
// file (no line reported as a problem). Seeds: Fuzz/corpus/settings_file, dictionary:
// Fuzz/settings_file.dict.
#include <Quillkit/System/SettingsFile.h>

#include <cstdlib>

namespace {

bool sameEntries(
    const std::vector<platform::SettingsEntry> &a, const std::vector<platform::SettingsEntry> &b)
{
    if (a.size() != b.size())
        return false;
    for (size_t i = 0; i < a.size(); ++i) {
        if (a[i].app != b[i].app || a[i].section != b[i].section || a[i].key != b[i].key
            || a[i].value != b[i].value)
            return false;
    }
    return true;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char *>(data), static_cast<qsizetype>(size));
    const auto entries = platform::parseSettings(QString::fromUtf8(bytes));
    const QByteArray written = platform::writeSettings(entries);
    if (!sameEntries(platform::parseSettings(QString::fromUtf8(written)), entries))
        std::abort();
    const platform::SettingsFileContent whole = platform::readSettingsFile(written);
    if (whole.problem || !sameEntries(whole.entries, entries))
        std::abort();
    // The store's own reading of the raw bytes: whole, or a problem and no entries.
    const platform::SettingsFileContent raw = platform::readSettingsFile(bytes);
    if (raw.problem && !raw.entries.empty())
        std::abort();
    return 0;
}
