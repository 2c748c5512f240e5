#include "PropertyBag.h"

#include <algorithm>

namespace platform {

std::vector<PropertyBag::Entry>::iterator PropertyBag::find(const QString &key)
{
    return std::find_if(m_entries.begin(), m_entries.end(),
        [&](const Entry &entry) { return entry.key.compare(key, Qt::CaseInsensitive) == 0; });
}

std::vector<PropertyBag::Entry>::const_iterator PropertyBag::find(const QString &key) const
{
    return std::find_if(m_entries.begin(), m_entries.end(),
        [&](const Entry &entry) { return entry.key.compare(key, Qt::CaseInsensitive) == 0; });
}

Variant PropertyBag::ReadProperty(const QString &key, const Variant &defaultValue) const
{
    const auto found = find(key);
    return found == m_entries.end() ? defaultValue : found->value;
}

void PropertyBag::WriteProperty(
    const QString &key, const Variant &value, const Variant &defaultValue)
{
    const auto found = find(key);
    if (!defaultValue.isMissing() && value == defaultValue) {
        if (found != m_entries.end())
            m_entries.erase(found);
        return;
    }
    if (found != m_entries.end())
        found->value = value;
    else
        m_entries.push_back({key, value});
}

bool PropertyBag::contains(const QString &key) const
{
    return find(key) != m_entries.end();
}

} // namespace platform
