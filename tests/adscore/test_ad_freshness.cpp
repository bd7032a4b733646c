#include "ads/ADFreshness.h"

#include <gtest/gtest.h>

#include <ctime>

using namespace quorbel;

namespace {

const QDateTime Now(QDate(2024, 3, 15), QTime(12, 0));

TADHeader Header(const char *version, qint32 interval, const QDateTime &time)
{
    return TADHeader{QString::fromUtf8(version), interval, time};
}

} // namespace

struct FreshnessCase
{
    const char *name;
    TADHeader header;
    bool fresh;
};

void PrintTo(const FreshnessCase &c, std::ostream *out)
{
    *out << c.name;
}

class ADFreshness : public testing::TestWithParam<FreshnessCase>
{
};

TEST_P(ADFreshness, DecidesWhetherToFetch)
{
    EXPECT_EQ(IsADListFresh(GetParam().header, Now), GetParam().fresh);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ADFreshness,
    testing::Values(FreshnessCase{"TwoDaysOld", Header("17", 7, Now.addDays(-2)), true},
                    FreshnessCase{"JustStored", Header("17", 7, Now), true},
                    FreshnessCase{"SixDays23HoursOld", Header("17", 7, Now.addDays(-7).addSecs(3600)), true},
                    FreshnessCase{"SevenDaysOld", Header("17", 7, Now.addDays(-7)), false},
                    FreshnessCase{"TenDaysOld", Header("17", 7, Now.addDays(-10)), false},
                    FreshnessCase{"TwoDaysAhead", Header("17", 7, Now.addDays(2)), true},
                    FreshnessCase{"EightDaysAhead", Header("17", 7, Now.addDays(8)), false},
                    FreshnessCase{"IntervalOne", Header("17", 1, Now.addSecs(-23 * 3600)), true},
                    FreshnessCase{"IntervalZero", Header("17", 0, Now), false},
                    FreshnessCase{"IntervalNegative", Header("17", -1, Now), false},
                    FreshnessCase{"NoVersion", Header("", 7, Now), false},
                    FreshnessCase{"NoTime", Header("17", 7, QDateTime()), false},
                    FreshnessCase{"Defaults", TADHeader(), false}),
    [](const testing::TestParamInfo<FreshnessCase> &info) { return std::string(info.param.name); });

TEST(WholeDaysBetween, DropsTheFractionInEitherDirection)
{
    EXPECT_EQ(WholeDaysBetween(Now, Now.addDays(-7).addSecs(1)), 6);
    EXPECT_EQ(WholeDaysBetween(Now.addDays(-7).addSecs(1), Now), 6);
    EXPECT_EQ(WholeDaysBetween(Now, Now.addDays(7)), 7);
    EXPECT_EQ(WholeDaysBetween(Now, Now), 0);
}

TEST(WholeDaysBetween, CountsWallClockDaysAcrossSummerTime)
{
    // Local time follows TZ; restore it afterwards.
    const QByteArray savedTz = qgetenv("TZ");
    const bool hadTz = qEnvironmentVariableIsSet("TZ");
    qputenv("TZ", "Europe/Berlin");
    tzset();

    // Summer time starts on 31 March 2024: 7 days on the clock, 23 hours short of them in real time.
    const QDateTime before(QDate(2024, 3, 30), QTime(12, 0));
    const QDateTime after(QDate(2024, 4, 6), QTime(12, 0));
    const qint64 realHours = before.secsTo(after) / 3600;
    const qint64 days = WholeDaysBetween(before, after);

    if (hadTz)
        qputenv("TZ", savedTz);
    else
        qunsetenv("TZ");
    tzset();

    ASSERT_EQ(realHours, 7 * 24 - 1);
    EXPECT_EQ(days, 7);
}
