#pragma once

#include <QString>
#include <cstdint>

namespace platform {

/// Texts numbered 0 to count() - 1 that a list can show without holding a copy of each: a list
/// filled from a source asks it for an entry's text only when the text is read or drawn. The
/// texts of a source must not change while any list holds it, so that a list shows what it was
/// filled with for as long as it is not refilled; whoever changes texts makes a new source.
class ListTextSource
{
public:
    virtual ~ListTextSource() = default;

    /// How many texts the source numbers.
    virtual int32_t count() const = 0;
    /// The text of `number`, which is in 0..count() - 1.
    virtual QString text(int32_t number) const = 0;
};

} // namespace platform
