#pragma once

#include <QString>
#include <cstddef>
#include <cstdint>

// The fuzzer's bytes as UTF-16 code units, so that every code unit (unpaired surrogates
// included) can reach the code under test.
inline QString utf16FromBytes(const uint8_t *data, size_t size)
{
    return QString(reinterpret_cast<const QChar *>(data), static_cast<qsizetype>(size / 2));
}
