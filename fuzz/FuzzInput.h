// SPDX-License-Identifier: GPL-3.0-or-later
// Turns a fuzzer's bytes into the texts and choices a target needs.
#pragma once

#include <fuzzer/FuzzedDataProvider.h>

#include <QString>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

namespace kestrava::fuzzing {

class FuzzInput
{
public:
    FuzzInput(const uint8_t *data, std::size_t size)
        : m_provider(data, size)
    {}

    bool flag() { return m_provider.ConsumeBool(); }
    template<typename T>
    T number(T lowest, T highest)
    {
        return m_provider.ConsumeIntegralInRange<T>(lowest, highest);
    }
    template<typename Enum>
    Enum choice(int count)
    {
        return static_cast<Enum>(number<int>(0, count - 1));
    }

    /// A text of up to \a maxBytes bytes, read as UTF-8 (invalid bytes become
    /// U+FFFD, as a listing's decoding would make them) or, when \a rawUnits,
    /// as UTF-16 units, lone surrogates and all.
    QString text(std::size_t maxBytes, bool rawUnits)
    {
        const std::string bytes = m_provider.ConsumeRandomLengthString(maxBytes);
        if (!rawUnits)
            return QString::fromUtf8(bytes.data(), qsizetype(bytes.size()));
        QString units;
        for (std::size_t i = 0; i + 1 < bytes.size(); i += 2)
            units.append(QChar(char16_t(uint8_t(bytes[i]) | uint8_t(bytes[i + 1]) << 8)));
        return units;
    }

private:
    FuzzedDataProvider m_provider;
};

/// Stops the fuzzer with \a what when \a holds is false; libFuzzer keeps the input.
inline void require(bool holds, const char *what)
{
    if (!holds) {
        std::fprintf(stderr, "property broken: %s\n", what);
        std::abort();
    }
}

} // namespace kestrava::fuzzing
