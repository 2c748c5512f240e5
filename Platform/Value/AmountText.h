#pragma once

#include "../QuillPlatformExport.h"

#include "Currency.h"

#include <QLocale>
#include <QStringView>

namespace platform {

/// The one reading of an amount text. The conversion of texts to Currency, the named format
/// "Currency" and every control that colours an amount go through it, so that a text shown as
/// an amount is the amount that converts, and one shown as negative is negative.
///
/// Grammar, in the locale's notation:
///   - a plain number: blanks, a sign, grouped digits, the decimal separator, an exponent
///     ("1e3", "-12.5", " 1,234 ");
///   - an amount as users write money: the currency symbol or ISO code before or after the
///     number, a leading or trailing minus sign, or parentheses ("$-5", "-$5", "5-", "(5)",
///     "-5 €"); no exponent.
/// Every Unicode decimal digit reads as its value, and the full-width forms that East Asian
/// input methods type (U+FF01..U+FF5E: "－５００", "（５）") as their ASCII counterparts.
///
/// The value is exact: digits past the fourth decimal round half to even, whatever the exponent.
/// A text beyond the currency range is OutOfRange, never an approximation. Reading never throws
/// and takes time linear in the length of the text.
struct QUILL_PLATFORM_EXPORT AmountReading
{
    enum class Status { Amount, NotAnAmount, OutOfRange };

    Status status = Status::NotAnAmount;
    Currency value; ///< the amount; zero unless status is Amount

    bool isAmount() const { return status == Status::Amount; }
    /// Zero is not negative, also when written "-0" or when it rounds to zero.
    bool isNegative() const { return isAmount() && value.raw() < 0; }
};

QUILL_PLATFORM_EXPORT AmountReading readAmount(QStringView text, const QLocale &locale);
/// In the user's locale.
QUILL_PLATFORM_EXPORT AmountReading readAmount(QStringView text);

} // namespace platform
