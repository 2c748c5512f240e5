#pragma once

#include "../QuillPlatformExport.h"

#include <QString>
#include <array>
#include <compare>
#include <cstdint>
#include <functional>
#include <optional>

namespace platform {

/// A 128-bit identifier of a class, an interface or a library, written {8-4-4-4-12}.
class QUILL_PLATFORM_EXPORT Guid
{
public:
    constexpr Guid() = default;
    /// Parses "{xxxxxxxx-xxxx-xxxx-xxxx-xxxxxxxxxxxx}" (hex digits in either case); nothing for
    /// any other text.
    static std::optional<Guid> parse(const QString &text);
    /// The same, for identifiers written into the source; a malformed one is a programming
    /// error and aborts.
    static Guid fromString(const char *text);
    /// A new random identifier (version 4).
    static Guid createRandom();

    /// All sixteen bytes zero: no identifier.
    bool isNull() const { return m_bytes == std::array<uint8_t, 16> {}; }
    /// Upper-case hex in braces.
    QString toString() const;
    /// The bytes in the order the text form writes them.
    const std::array<uint8_t, 16> &bytes() const { return m_bytes; }

    auto operator<=>(const Guid &) const = default;

private:
    std::array<uint8_t, 16> m_bytes {};
};

} // namespace platform

template<>
struct std::hash<platform::Guid>
{
    size_t operator()(const platform::Guid &guid) const noexcept
    {
        size_t h = 0;
        for (uint8_t b : guid.bytes())
            h = h * 131 + b;
        return h;
    }
};
