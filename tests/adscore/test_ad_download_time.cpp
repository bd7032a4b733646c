#include "ads/ADDownloadTime.h"

#include <gtest/gtest.h>

using namespace quorbel;

// Names the locale in test output.
void PrintTo(const QLocale &locale, std::ostream *out)
{
    *out << locale.name().toStdString();
}

namespace {

const QLocale UnitedStates(QLocale::English, QLocale::UnitedStates);
const QLocale Germany(QLocale::German, QLocale::Germany);
const QLocale China(QLocale::Chinese, QLocale::China);

} // namespace

class DownloadTimeRoundTrip : public testing::TestWithParam<QLocale>
{
};

TEST_P(DownloadTimeRoundTrip, ReadsBackWhatItWrote)
{
    const QLocale &locale = GetParam();
    for (const QDateTime &time : {QDateTime(QDate(2024, 3, 5), QTime(15, 4, 7)),
                                  QDateTime(QDate(2031, 12, 31), QTime(0, 0, 1)),
                                  QDateTime(QDate(2024, 7, 9), QTime(0, 0))}) {
        SCOPED_TRACE(time.toString(Qt::ISODate).toStdString());
        const QString text = FormatDownloadTime(time, locale);
        EXPECT_EQ(ParseDownloadTime(text, locale, 2024), time) << text.toStdString();
    }
}

INSTANTIATE_TEST_SUITE_P(Locales, DownloadTimeRoundTrip, testing::Values(UnitedStates, China, Germany, QLocale::c()),
                         [](const testing::TestParamInfo<QLocale> &info) {
                             return info.param.name().replace(QLatin1Char('_'), QString()).toStdString();
                         });

TEST(DownloadTime, UsesShortDateAndLongTimeOfTheLocale)
{
    const QDateTime time(QDate(2024, 3, 5), QTime(15, 4, 7));
    EXPECT_EQ(FormatDownloadTime(time, UnitedStates), QStringLiteral("3/5/24 3:04:07 PM"));
    EXPECT_EQ(FormatDownloadTime(time, Germany), QStringLiteral("05.03.24 15:04:07"));
    EXPECT_EQ(FormatDownloadTime(time, China), QStringLiteral("2024/3/5 15:04:07"));
}

TEST(DownloadTime, MidnightIsWrittenAsDateOnly)
{
    EXPECT_EQ(FormatDownloadTime(QDateTime(QDate(2024, 3, 5), QTime(0, 0)), Germany), QStringLiteral("05.03.24"));
    EXPECT_EQ(FormatDownloadTime(QDateTime(QDate(2024, 3, 5), QTime(0, 0, 0, 1)), Germany),
              QStringLiteral("05.03.24 00:00:00"));
}

TEST(DownloadTime, TextOfAnotherLocaleReadsAsNoTime)
{
    const QString american = FormatDownloadTime(QDateTime(QDate(2024, 3, 5), QTime(15, 4, 7)), UnitedStates);
    EXPECT_FALSE(ParseDownloadTime(american, Germany).isValid());
    EXPECT_FALSE(ParseDownloadTime(american, China).isValid());
}

TEST(DownloadTime, GarbageReadsAsNoTime)
{
    for (const char *text : {"", " ", "soon", "3/5/24 3:04:07 PM x", "99/99/24 3:04:07 PM"})
        EXPECT_FALSE(ParseDownloadTime(QString::fromUtf8(text), UnitedStates).isValid()) << text;
}

TEST(DownloadTime, TwoDigitYearsFallIntoAWindowAroundTheCurrentYear)
{
    EXPECT_EQ(ParseDownloadTime(QStringLiteral("3/5/24"), UnitedStates, 2024).date(), QDate(2024, 3, 5));
    EXPECT_EQ(ParseDownloadTime(QStringLiteral("3/5/73"), UnitedStates, 2024).date(), QDate(2073, 3, 5));
    EXPECT_EQ(ParseDownloadTime(QStringLiteral("3/5/74"), UnitedStates, 2024).date(), QDate(1974, 3, 5));
    EXPECT_EQ(ParseDownloadTime(QStringLiteral("3/5/99"), UnitedStates, 2080).date(), QDate(2099, 3, 5));
    // Four-digit years are taken as written.
    EXPECT_EQ(ParseDownloadTime(QStringLiteral("1990/3/5"), China, 2024).date(), QDate(1990, 3, 5));
}

struct ZoneCase
{
    QLocale locale;
    const char *format;
};

void PrintTo(const ZoneCase &c, std::ostream *out)
{
    *out << c.locale.name().toStdString();
}

class LongTimeFormat : public testing::TestWithParam<ZoneCase>
{
};

// Zone abbreviations such as "CST" read back as another zone, hours away.
TEST_P(LongTimeFormat, LeavesOutTheZone)
{
    EXPECT_EQ(LongTimeFormatWithoutZone(GetParam().locale), QString::fromUtf8(GetParam().format));
}

INSTANTIATE_TEST_SUITE_P(
    Locales, LongTimeFormat,
    testing::Values(ZoneCase{UnitedStates, "h:mm:ss AP"}, ZoneCase{Germany, "HH:mm:ss"},
                    ZoneCase{China, "HH:mm:ss"}, ZoneCase{QLocale(QLocale::Persian, QLocale::Iran), "H:mm:ss"},
                    ZoneCase{QLocale(QLocale::Albanian, QLocale::Albania), "h:mm:ss AP"}));
