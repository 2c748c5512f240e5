// Wildcard matching: never crashes and agrees between the compiled and the one-off form.
// Input: a 16-bit split position, then text and pattern as UTF-16.
#include "FuzzInput.h"

#include <Quillkit/Value/Pattern.h>

#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    if (size < 2)
        return 0;
    const QString all = utf16FromBytes(data + 2, size - 2);
    const qsizetype cut = all.isEmpty() ? 0 : (data[0] | data[1] << 8) % (all.size() + 1);
    const QString text = all.left(cut), pattern = all.mid(cut);
    const platform::WildcardPattern compiled(pattern);
    const bool matched = compiled.matches(text);
    if (matched != platform::matchesPattern(text, pattern))
        std::abort();
    if (!compiled.isValid() && matched)
        std::abort();
    // "*" around any valid pattern still matches what the pattern matched.
    if (matched && !platform::matchesPattern(text, QStringLiteral("*") + pattern + u'*'))
        std::abort();
    return 0;
}
