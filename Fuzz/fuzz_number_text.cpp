// Text conversions: the numeric test, text to double and text to currency never crash, agree
// with each other, and a currency amount printed as text reads back to the same amount.
// Input: a locale selector byte, then the text as UTF-16.
#include "FuzzInput.h"

#include <Quillkit/Value/Conversions.h>
#include <Quillkit/Value/Locale.h>
#include <Quillkit/Value/RuntimeError.h>
#include <Quillkit/Value/TextServices.h>

#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    if (size < 1)
        return 0;
    static const QLocale locales[] = {QLocale(QLocale::English, QLocale::UnitedStates),
        QLocale(QLocale::German, QLocale::Germany), QLocale(QLocale::French, QLocale::France),
        QLocale(QLocale::Spanish, QLocale::Mexico)};
    platform::setUserLocale(locales[data[0] % 4]);
    const platform::Variant text(utf16FromBytes(data + 1, size - 1));

    const bool numeric = platform::isNumeric(text);
    try {
        const double value = platform::toDouble(text);
        if (!numeric || std::isnan(value))
            std::abort();
    } catch (const platform::RuntimeError &e) {
        if (numeric || (e.number() != 13 && e.number() != 6))
            std::abort();
    }
    try {
        const platform::Currency amount = platform::toCurrency(text);
        if (platform::Currency::fromText(amount.toText()) != amount)
            std::abort();
    } catch (const platform::RuntimeError &e) {
        if (e.number() != 13 && e.number() != 6)
            std::abort();
    }
    platform::formatNamed(text, QStringLiteral("Currency"));
    return 0;
}
