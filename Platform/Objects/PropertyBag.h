#pragma once

#include "../QuillPlatformExport.h"

#include "../Value/Variant.h"

#include <QString>
#include <vector>

namespace platform {

/// A control's saved state: keys in the order they were written, compared case-insensitively,
/// with values of every Variant kind (font objects as object references).
class QUILL_PLATFORM_EXPORT PropertyBag
{
public:
    /// A key and the value stored under it.
    struct Entry
    {
        ///@{
        /// The key and its value.
        QString key;
        Variant value;
        ///@}
    };

    /// The value stored under the key, or the default when the key is absent.
    Variant ReadProperty(const QString &key, const Variant &defaultValue = {}) const;
    /// Stores the value under the key (replacing an earlier value in its place). With a default
    /// given, a value equal to it is not stored and an earlier value under the key is removed.
    void WriteProperty(
        const QString &key, const Variant &value, const Variant &defaultValue = Variant::missing());

    /// Whether a value is stored under the key, in any case.
    bool contains(const QString &key) const;
    /// The entries in the order they were written.
    const std::vector<Entry> &entries() const { return m_entries; }
    /// Whether nothing is stored.
    bool isEmpty() const { return m_entries.empty(); }

private:
    std::vector<Entry>::iterator find(const QString &key);
    std::vector<Entry>::const_iterator find(const QString &key) const;

    std::vector<Entry> m_entries;
};

} // namespace platform
