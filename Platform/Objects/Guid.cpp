#include "Guid.h"

#include <QRandomGenerator>
#include <cctype>
#include <cstdlib>

namespace platform {

std::optional<Guid> Guid::parse(const QString &text)
{
    static constexpr int GroupLengths[] = {8, 4, 4, 4, 12};
    if (text.size() != 38 || text.front() != u'{' || text.back() != u'}')
        return std::nullopt;
    Guid guid;
    int byte = 0;
    qsizetype pos = 1;
    for (int group = 0; group < 5; ++group) {
        if (group > 0 && text[pos++] != u'-')
            return std::nullopt;
        for (int i = 0; i < GroupLengths[group]; i += 2, pos += 2) {
            bool ok = false;
            const uint value = QStringView(text).mid(pos, 2).toUInt(&ok, 16);
            if (!ok || !isxdigit(text[pos].toLatin1()) || !isxdigit(text[pos + 1].toLatin1()))
                return std::nullopt;
            guid.m_bytes[byte++] = static_cast<uint8_t>(value);
        }
    }
    return guid;
}

Guid Guid::fromString(const char *text)
{
    const auto guid = parse(QString::fromLatin1(text));
    if (!guid)
        std::abort();
    return *guid;
}

Guid Guid::createRandom()
{
    Guid guid;
    for (auto &b : guid.m_bytes)
        b = static_cast<uint8_t>(QRandomGenerator::global()->bounded(256));
    guid.m_bytes[6] = (guid.m_bytes[6] & 0x0F) | 0x40; // version 4
    guid.m_bytes[8] = (guid.m_bytes[8] & 0x3F) | 0x80; // variant
    return guid;
}

QString Guid::toString() const
{
    QString text = QStringLiteral("{");
    for (int i = 0; i < 16; ++i) {
        if (i == 4 || i == 6 || i == 8 || i == 10)
            text += u'-';
        text += QStringLiteral("%1").arg(m_bytes[i], 2, 16, QChar(u'0')).toUpper();
    }
    return text + u'}';
}

} // namespace platform
