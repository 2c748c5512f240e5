#pragma once

#include "../QuillPlatformExport.h"

#include <QLocale>
#include <QString>
#include <compare>
#include <cstdint>

namespace platform {

/// Fixed-point money: a 64-bit count of ten-thousandths. Conversions from floating point round
/// half to even; a value outside the 64-bit range raises Overflow.
class QUILL_PLATFORM_EXPORT Currency
{
public:
    /// Ten-thousandths to the unit.
    static constexpr int64_t Scale = 10000;

    constexpr Currency() = default;
    /// An amount given as its count of ten-thousandths.
    static constexpr Currency fromRaw(int64_t tenThousandths)
    {
        Currency c;
        c.m_raw = tenThousandths;
        return c;
    }
    /// The nearest amount, ties to even; Overflow beyond the range.
    static Currency fromDouble(double value);

    /// Reads an amount in the locale's notation (see readAmount): Type mismatch for a text that
    /// is no amount, Overflow beyond the 64-bit range. Digits past the fourth decimal round half
    /// to even.
    static Currency fromText(const QString &text, const QLocale &locale);
    static Currency fromText(const QString &text);

    ///@{
    /// The count of ten-thousandths.
    constexpr int64_t raw() const { return m_raw; }
    double toDouble() const { return static_cast<double>(m_raw) / Scale; }
    ///@}

    /// Plain decimal digits with the locale's decimal separator, no grouping and no trailing
    /// zeros: "3000", "-5", "12.5".
    QString toText(const QLocale &locale) const;
    QString toText() const;

    constexpr auto operator<=>(const Currency &) const = default;

private:
    int64_t m_raw = 0;
};

} // namespace platform
