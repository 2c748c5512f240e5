#include "mod_misc.h"

#include <Quillkit/Value/Conversions.h>

namespace {

Qt::CaseSensitivity sensitivity(int32_t compare)
{
    return compare == vbBinaryCompare ? Qt::CaseSensitive : Qt::CaseInsensitive;
}

} // namespace

QString STRING_NextToken(QString &text, const QString &delimiter, int32_t compare)
{
    if (text.isEmpty())
        return {};
    const qsizetype found = text.indexOf(delimiter, 0, sensitivity(compare));
    if (found < 0)
        return {};
    QString token = text.left(found);
    text.remove(0, found + delimiter.size());
    return token;
}

platform::Variant STRING_Split(
    QString text, QStringList &parts, const QString &delimiter, int32_t limit, int32_t compare)
{
    parts.clear();
    const Qt::CaseSensitivity cs = sensitivity(compare);
    if (delimiter.isEmpty() || text.isEmpty()) {
        parts.append(text);
    } else {
        // Fields 0..lastSplit are cut off one by one; what remains is the last element.
        const qsizetype lastSplit = limit == -1 ? -1 : std::max<int32_t>(limit, 0);
        qsizetype start = 0;
        for (;;) {
            if (lastSplit >= 0 && parts.size() > lastSplit)
                break;
            const qsizetype found = text.indexOf(delimiter, start, cs);
            if (found < 0)
                break;
            parts.append(text.mid(start, found - start));
            start = found + delimiter.size();
        }
        parts.append(text.mid(start));
    }

    std::vector<platform::Variant> copy;
    copy.reserve(parts.size());
    for (const QString &part : parts)
        copy.emplace_back(part);
    return platform::Variant(std::move(copy));
}

double VALUE_AsNumber(platform::Variant value, double fallback)
{
    if (value.typeName().compare(u"Nothing", Qt::CaseInsensitive) == 0 || value.isEmpty()
        || value.isNull() || !platform::isNumeric(value))
        return fallback;
    return platform::toDouble(value);
}
