#include "wheel/NumberDraw.h"

#include "platform/AppError.h"

#include <chrono>

namespace quorbel {

NumberSource::NumberSource(quint64 seed)
{
    std::seed_seq sequence{quint32(seed), quint32(seed >> 32)};
    m_engine.seed(sequence);
}

NumberSource NumberSource::FromClock()
{
    const auto ticks = std::chrono::high_resolution_clock::now().time_since_epoch().count();
    return NumberSource(quint64(ticks));
}

qint32 NumberSource::Draw(qint32 highest)
{
    std::uniform_int_distribution<qint32> distribution(1, highest);
    return distribution(m_engine);
}

QVector<qint32> DrawDistinctNumbers(int count, qint32 highest, const DrawOneNumber &drawOne)
{
    if (count < 0 || highest < 1 || count > highest) {
        throw AppError(QStringLiteral("Cannot draw %1 distinct numbers from 1 to %2").arg(count).arg(highest));
    }
    QVector<qint32> drawn;
    drawn.reserve(count);
    QVector<bool> taken(highest + 1, false);
    while (drawn.size() < count) {
        const qint32 n = drawOne(highest);
        if (n < 1 || n > highest)
            throw AppError(QStringLiteral("Drawn number %1 lies outside 1 to %2").arg(n).arg(highest));
        if (taken[n])
            continue;
        taken[n] = true;
        drawn.append(n);
    }
    return drawn;
}

QVector<qint32> DrawDistinctNumbers(int count, qint32 highest, NumberSource &source)
{
    return DrawDistinctNumbers(count, highest, [&source](qint32 h) { return source.Draw(h); });
}

} // namespace quorbel
