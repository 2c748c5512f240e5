#pragma once

#include "../QuillPlatformExport.h"

#include <QString>
#include <QStringView>
#include <vector>

namespace platform {

/// A wildcard pattern matched against a whole text:
///   *        any run of characters, the empty run included
///   ?        any one character
///   #        any one digit 0 to 9
///   [list]   any one character in the list; first-last ranges compare by code unit
///   [!list]  any one character not in the list
///   other    that same UTF-16 code unit
/// Inside a list "*", "?", "#" and "[" stand for themselves, and a "-" first or last is literal.
/// An opening bracket without its closing bracket makes the pattern malformed: it matches
/// nothing. Matching takes at most time proportional to the text's length times the pattern's.
class QUILL_PLATFORM_EXPORT WildcardPattern
{
public:
    explicit WildcardPattern(QStringView pattern);

    bool isValid() const { return m_valid; }
    bool matches(QStringView text) const;

    /// The code units first to last, both included, of a bracket list.
    struct Range
    {
        char16_t first, last;
    };
    /// One compiled element: a star, or one that takes exactly one code unit.
    struct Element
    {
        enum Kind { Star, AnyOne, Digit, Literal, List } kind;
        char16_t literal = 0;
        bool negated = false;
        std::vector<Range> ranges; ///< for List
    };

    /// The compiled elements, runs of stars as one star and empty lists left out; none for a
    /// malformed pattern.
    const std::vector<Element> &elements() const { return m_elements; }
    /// Whether a one-unit element takes `c`; a star takes nothing here.
    static bool matchesOne(const Element &element, char16_t c);

private:
    std::vector<Element> m_elements;
    bool m_valid = true;
};

/// One-off match of a text against a pattern (see WildcardPattern). Never throws.
QUILL_PLATFORM_EXPORT bool matchesPattern(QStringView text, QStringView pattern);

} // namespace platform
