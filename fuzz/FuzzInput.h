#pragma once

// Small helpers shared by the fuzz targets.
#include <QByteArray>
#include <QLocale>

#include <cstddef>
#include <cstdint>

namespace fuzz {

inline QByteArray bytes(const std::uint8_t *data, std::size_t size)
{
    return QByteArray(reinterpret_cast<const char *>(data), qsizetype(size));
}

// The locales the readers meet most: the C locale, Chinese, and two with
// other date orders and two-digit years.
inline QLocale localeFor(std::uint8_t selector)
{
    static const QLocale locales[] = {QLocale::c(), QLocale(QLocale::Chinese, QLocale::China),
                                      QLocale(QLocale::English, QLocale::UnitedStates),
                                      QLocale(QLocale::German, QLocale::Germany)};
    return locales[selector % 4];
}

[[noreturn]] inline void failed()
{
    __builtin_trap();
}

} // namespace fuzz
