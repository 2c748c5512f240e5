// STRING_Split: always ends, always gives at least one element, and joining the elements with
// the delimiter gives the text back when every delimiter splits in binary mode.
// Input: limit byte, compare byte, delimiter length byte, then delimiter and text as UTF-16.
#include "FuzzInput.h"

#include <mod_misc.h>

#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    if (size < 3)
        return 0;
    const int32_t limit = static_cast<int8_t>(data[0]);
    const int32_t compare = data[1] & 1;
    const QString all = utf16FromBytes(data + 3, size - 3);
    const qsizetype delimiterLength = std::min<qsizetype>(data[2] % 4, all.size());
    const QString delimiter = all.left(delimiterLength), text = all.mid(delimiterLength);

    QStringList parts;
    const platform::Variant result = STRING_Split(text, parts, delimiter, limit, compare);
    if (parts.isEmpty() || result.elements().size() != static_cast<size_t>(parts.size()))
        std::abort();
    if (compare == 0 && parts.join(delimiter) != text)
        std::abort();
    if (limit >= 0 && !delimiter.isEmpty() && parts.size() > limit + 2)
        std::abort();

    QString rest = text;
    const QString token = STRING_NextToken(rest, delimiter, compare);
    if (rest.size() + token.size() > text.size())
        std::abort();
    return 0;
}
