#include "platform/StrToIntDef.h"

namespace quorbel {

std::int32_t StrToIntDef(QStringView text, std::int32_t fallback)
{
    qsizetype i = 0;
    const qsizetype n = text.size();
    while (i < n && text[i] == QLatin1Char(' '))
        ++i;
    bool negative = false;
    if (i < n && (text[i] == QLatin1Char('+') || text[i] == QLatin1Char('-'))) {
        negative = text[i] == QLatin1Char('-');
        ++i;
    }
    if (i == n)
        return fallback;
    // Accumulate as a negative number so that INT32_MIN fits.
    std::int64_t value = 0;
    for (; i < n; ++i) {
        const char16_t c = text[i].unicode();
        if (c < u'0' || c > u'9')
            return fallback;
        value = value * 10 + (c - u'0');
        if (value > std::int64_t(INT32_MAX) + 1)
            return fallback;
    }
    if (negative)
        return std::int32_t(-value);
    if (value > INT32_MAX)
        return fallback;
    return std::int32_t(value);
}

} // namespace quorbel
