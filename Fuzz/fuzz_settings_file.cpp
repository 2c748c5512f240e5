// The settings file: any bytes parse without crashing, and what was parsed writes out and
// parses back to the same entries.
#include <System/SettingsFile.h>

#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QString text
        = QString::fromUtf8(reinterpret_cast<const char *>(data), static_cast<qsizetype>(size));
    const auto entries = platform::parseSettings(text);
    const auto again = platform::parseSettings(QString::fromUtf8(platform::writeSettings(entries)));
    if (again.size() != entries.size())
        std::abort();
    for (size_t i = 0; i < entries.size(); ++i) {
        if (again[i].app != entries[i].app || again[i].section != entries[i].section
            || again[i].key != entries[i].key || again[i].value != entries[i].value)
            std::abort();
    }
    return 0;
}
