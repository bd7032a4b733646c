#pragma once

#include <QVector>

#include <functional>
#include <random>

namespace quorbel {

// Draws one number from 1 to `highest`, every value equally likely.
using DrawOneNumber = std::function<qint32(qint32 highest)>;

// A uniform source of lottery numbers on a Mersenne Twister. A fixed seed
// repeats its numbers (for tests); FromClock seeds it from the current time.
class NumberSource
{
public:
    explicit NumberSource(quint64 seed);
    static NumberSource FromClock();

    qint32 Draw(qint32 highest);

private:
    std::mt19937 m_engine;
};

// `count` distinct numbers from 1 to `highest` in the order in which they were
// drawn: each draw is uniform and a number already drawn is drawn again, so
// every set is equally likely. A count outside 0..highest raises AppError
// instead of drawing for ever; so does a drawn number outside 1..highest.
QVector<qint32> DrawDistinctNumbers(int count, qint32 highest, const DrawOneNumber &drawOne);
QVector<qint32> DrawDistinctNumbers(int count, qint32 highest, NumberSource &source);

} // namespace quorbel
