#include "NumberText.h"

namespace platform {

namespace {

constexpr int ExponentClamp = 1000000;

// A cursor over the text with the locale's symbols at hand.
class Scanner
{
public:
    Scanner(QStringView text, const QLocale &locale)
        : m_text(text), m_decimal(locale.decimalPoint()), m_group(locale.groupSeparator()),
          m_negative(locale.negativeSign()), m_positive(locale.positiveSign()),
          m_symbol(locale.currencySymbol(QLocale::CurrencySymbol)),
          m_isoCode(locale.currencySymbol(QLocale::CurrencyIsoCode))
    { }

    bool atEnd() const { return m_pos >= m_text.size(); }

    void skipBlanks()
    {
        while (!atEnd() && m_text[m_pos].isSpace())
            ++m_pos;
    }

    bool take(QStringView token)
    {
        if (token.isEmpty() || !m_text.mid(m_pos).startsWith(token))
            return false;
        m_pos += token.size();
        return true;
    }

    bool take(QChar c) { return take(QStringView(&c, 1)); }

    // A sign: true for minus, false for plus, nothing when no sign stands here.
    std::optional<bool> takeSign()
    {
        if (take(m_negative) || take(u'-') || take(QChar(0x2212)))
            return true;
        if (take(m_positive) || take(u'+'))
            return false;
        return std::nullopt;
    }

    bool takeSymbol() { return take(m_symbol) || take(m_isoCode); }

    int digitHere() const
    {
        if (atEnd() || !m_text[m_pos].isDigit())
            return -1;
        return m_text[m_pos].digitValue();
    }

    // Digits with grouping separators allowed between two integer digits, then the decimal
    // separator and fraction digits. False when no digit at all was read.
    bool takeMantissa(ScannedNumber &number)
    {
        bool any = false;
        for (;;) {
            const int digit = digitHere();
            if (digit >= 0) {
                number.integerDigits.append(QChar(u'0' + digit));
                ++m_pos;
                any = true;
                continue;
            }
            if (any && groupBeforeDigit()) {
                m_pos += groupLength();
                continue;
            }
            break;
        }
        const qsizetype beforeDecimal = m_pos;
        if (take(m_decimal)) {
            int digit;
            while ((digit = digitHere()) >= 0) {
                number.fractionDigits.append(QChar(u'0' + digit));
                ++m_pos;
                any = true;
            }
            if (!any)
                m_pos = beforeDecimal;
        }
        return any;
    }

    // An exponent "e[sign]digits"; false when an "e" stands here without digits after it.
    bool takeExponent(ScannedNumber &number)
    {
        if (atEnd() || (m_text[m_pos] != u'e' && m_text[m_pos] != u'E'))
            return true;
        ++m_pos;
        const bool negative = takeSign().value_or(false);
        int digit;
        bool any = false;
        long long value = 0;
        while ((digit = digitHere()) >= 0) {
            value = std::min<long long>(value * 10 + digit, ExponentClamp);
            ++m_pos;
            any = true;
        }
        number.exponent = static_cast<int>(negative ? -value : value);
        return any;
    }

private:
    // The locale's grouping separator, or any blank where the locale groups with a blank
    // (users type a plain space where the locale writes a no-break space).
    qsizetype groupLength() const
    {
        if (m_text.mid(m_pos).startsWith(m_group))
            return m_group.size();
        if (m_group.size() == 1 && m_group[0].isSpace() && m_text[m_pos].isSpace())
            return 1;
        return 0;
    }

    bool groupBeforeDigit() const
    {
        if (m_group.isEmpty() || atEnd())
            return false;
        const qsizetype length = groupLength();
        if (length == 0 || m_pos + length >= m_text.size())
            return false;
        return m_text[m_pos + length].isDigit();
    }

    QStringView m_text;
    qsizetype m_pos = 0;
    QString m_decimal, m_group, m_negative, m_positive, m_symbol, m_isoCode;
};

} // namespace

std::optional<ScannedNumber> scanPlainNumber(QStringView text, const QLocale &locale)
{
    Scanner scan(text, locale);
    ScannedNumber number;
    scan.skipBlanks();
    if (auto sign = scan.takeSign()) {
        number.negative = *sign;
        scan.skipBlanks();
    }
    if (!scan.takeMantissa(number) || !scan.takeExponent(number))
        return std::nullopt;
    scan.skipBlanks();
    if (!scan.atEnd())
        return std::nullopt;
    return number;
}

std::optional<ScannedNumber> scanCurrencyText(QStringView text, const QLocale &locale)
{
    Scanner scan(text, locale);
    ScannedNumber number;
    bool parenthesis = false, signed_ = false, symbol = false;

    scan.skipBlanks();
    if (scan.take(u'(')) {
        parenthesis = true;
        scan.skipBlanks();
    }
    // Sign and symbol may come in either order before the number ("-$5", "$-5").
    for (int i = 0; i < 2; ++i) {
        if (!signed_ && !parenthesis) {
            if (auto sign = scan.takeSign()) {
                signed_ = true;
                number.negative = *sign;
                scan.skipBlanks();
                continue;
            }
        }
        if (!symbol && scan.takeSymbol()) {
            symbol = true;
            scan.skipBlanks();
        }
    }
    if (!scan.takeMantissa(number))
        return std::nullopt;
    scan.skipBlanks();
    if (!symbol && scan.takeSymbol()) {
        symbol = true;
        scan.skipBlanks();
    }
    if (!signed_ && !parenthesis) {
        if (auto sign = scan.takeSign()) {
            number.negative = *sign;
            scan.skipBlanks();
            if (!symbol && scan.takeSymbol())
                scan.skipBlanks();
        }
    }
    if (parenthesis) {
        if (!scan.take(u')'))
            return std::nullopt;
        number.negative = true;
        scan.skipBlanks();
    }
    if (!scan.atEnd())
        return std::nullopt;
    return number;
}

} // namespace platform
