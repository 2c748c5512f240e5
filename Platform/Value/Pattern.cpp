#include "Pattern.h"

#include <algorithm>

namespace platform {

WildcardPattern::WildcardPattern(QStringView pattern)
{
    const qsizetype n = pattern.size();
    for (qsizetype i = 0; i < n; ++i) {
        const char16_t c = pattern[i].unicode();
        Element element {Element::Literal, c, false, {}};
        switch (c) {
        case u'*':
            // Runs of stars match what one star matches.
            if (!m_elements.empty() && m_elements.back().kind == Element::Star)
                continue;
            element.kind = Element::Star;
            break;
        case u'?':
            element.kind = Element::AnyOne;
            break;
        case u'#':
            element.kind = Element::Digit;
            break;
        case u'[': {
            const qsizetype close = pattern.indexOf(u']', i + 1);
            if (close < 0) {
                m_valid = false;
                m_elements.clear();
                return;
            }
            QStringView list = pattern.mid(i + 1, close - i - 1);
            i = close;
            element.kind = Element::List;
            if (list.startsWith(u'!')) {
                element.negated = true;
                list = list.mid(1);
            } else if (list.isEmpty()) {
                // "[]" matches the empty run: it adds nothing to the pattern.
                continue;
            }
            for (qsizetype k = 0; k < list.size(); ++k) {
                const char16_t first = list[k].unicode();
                if (k + 2 < list.size() && list[k + 1] == u'-') {
                    // A reversed range holds nothing.
                    element.ranges.push_back({first, list[k + 2].unicode()});
                    k += 2;
                } else {
                    element.ranges.push_back({first, first});
                }
            }
            break;
        }
        default:
            break;
        }
        m_elements.push_back(std::move(element));
    }
}

bool WildcardPattern::matchesOne(const Element &element, char16_t c)
{
    switch (element.kind) {
    case Element::AnyOne:
        return true;
    case Element::Digit:
        return c >= u'0' && c <= u'9';
    case Element::Literal:
        return c == element.literal;
    case Element::List: {
        const bool inList = std::any_of(element.ranges.begin(), element.ranges.end(),
            [c](const Range &r) { return c >= r.first && c <= r.last; });
        return inList != element.negated;
    }
    case Element::Star:
        break;
    }
    return false;
}

bool WildcardPattern::matches(QStringView text) const
{
    if (!m_valid)
        return false;
    // Every element but the star consumes exactly one code unit, so on a mismatch it is enough
    // to let the most recent star swallow one more unit and retry from there: earlier stars
    // could only produce alignments the latest star also reaches. This bounds the work by
    // text length times pattern length.
    const qsizetype n = text.size();
    const auto m = static_cast<qsizetype>(m_elements.size());
    qsizetype t = 0, p = 0;
    qsizetype starP = -1, starT = 0;
    while (t < n) {
        if (p < m && m_elements[p].kind == Element::Star) {
            starP = p++;
            starT = t;
        } else if (p < m && matchesOne(m_elements[p], text[t].unicode())) {
            ++p;
            ++t;
        } else if (starP >= 0) {
            p = starP + 1;
            t = ++starT;
        } else {
            return false;
        }
    }
    while (p < m && m_elements[p].kind == Element::Star)
        ++p;
    return p == m;
}

bool matchesPattern(QStringView text, QStringView pattern)
{
    return WildcardPattern(pattern).matches(text);
}

} // namespace platform
