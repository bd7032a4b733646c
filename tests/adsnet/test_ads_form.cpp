// The list methods of the main form: LoadADList and CheckADUpdate, with the
// program folder moved into a temporary folder and a test server as the
// advertisement server.

#include "TestHttpServer.h"
#include "TestSupport.h"

#include "ads/ADListFile.h"
#include "ads/ADMessages.h"
#include "ads/ADThread.h"
#include "app/AppPath.h"
#include "app/UnitSortivo.h"
#include "platform/AppError.h"
#include "platform/MessageBoxes.h"
#include "platform/TextFile.h"

#include <QApplication>
#include <QFileInfo>
#include <QLocale>
#include <QTemporaryDir>
#include <QTimer>
#include <gtest/gtest.h>

using namespace quorbel;

struct SortivoProbe
{
    static void LoadADList(TFrmSortivo &form) { form.LoadADList(); }
    static void CheckADUpdate(TFrmSortivo &form) { form.CheckADUpdate(); }
    static const TADList &ADList(TFrmSortivo &form) { return form.FADList; }
    static QTimer *TimerAD(TFrmSortivo &form) { return form.TimerAD; }
    static qint32 &ADIndex(TFrmSortivo &form) { return form.FADIndex; }
};

namespace {

const QString ListPath = QStringLiteral("/AD/AD002.txt");

QByteArray CacheWithHeader(const QString &header)
{
    return header.toLatin1() + "\r\n*\r\n1\r\ncap\r\nhint\r\nhttp://a.example/\r\n*\r\n2\r\na.gif|http://x/a.gif\r\n";
}

class SortivoAds : public testing::Test
{
protected:
    void SetUp() override
    {
        MessageBoxes::setResponder([](const MessageRecord &) {});
        qputenv("QUORBEL_AD_SERVER", server.base().toUtf8());
        form = std::make_unique<TFrmSortivo>();
        AppPath = root.path() + QLatin1Char('/');
    }

    void TearDown() override
    {
        server.releaseHanging();
        EXPECT_TRUE(WaitForWorkers());
        form->close(); // as the program ends: the form lets its shadow go
        form.reset();
        qputenv("QUORBEL_AD_SERVER", "http://127.0.0.1:9");
    }

    QString Sup() const { return root.filePath(QStringLiteral("Sup/")); }
    QString Cache() const { return Sup() + QStringLiteral("Ad.his"); }

    QString HeaderFromDaysAgo(int days, int interval = 7) const
    {
        const QDateTime stored = QDateTime::currentDateTime().addDays(-days);
        return QStringLiteral("17|%1|").arg(interval) +
            ServedListToCache({QStringLiteral("x|"), QStringLiteral("$")}, stored, QLocale::system())
                .first()
                .mid(2);
    }

    QTemporaryDir root;
    TestHttpServer server;
    std::unique_ptr<TFrmSortivo> form;
};

} // namespace

TEST_F(SortivoAds, LoadWithoutSupCreatesItAndStartsTheTimer)
{
    ASSERT_FALSE(QFileInfo::exists(Sup()));
    SortivoProbe::LoadADList(*form);
    EXPECT_TRUE(QFileInfo(Sup()).isDir());
    EXPECT_TRUE(SortivoProbe::ADList(*form).isEmpty());
    EXPECT_TRUE(SortivoProbe::TimerAD(*form)->isActive());
    EXPECT_EQ(SortivoProbe::TimerAD(*form)->interval(), 10000);
}

TEST_F(SortivoAds, LoadReadsEntriesAndKeepsTheRotationIndex)
{
    ASSERT_TRUE(QDir().mkpath(Sup()));
    WriteFile(Cache(), CacheWithHeader(QStringLiteral("17|7|")));
    SortivoProbe::ADIndex(*form) = 5;
    SortivoProbe::LoadADList(*form);
    const TADList &list = SortivoProbe::ADList(*form);
    ASSERT_EQ(list.size(), 2);
    EXPECT_EQ(list[0].Kind, 1);
    EXPECT_EQ(list[0].Target, QStringLiteral("http://a.example/"));
    EXPECT_EQ(list[1].PicFile, QStringLiteral("a.gif"));
    EXPECT_EQ(SortivoProbe::ADIndex(*form), 5);
}

TEST_F(SortivoAds, LoadReplacesTheWholeTableAndRestartsThePeriod)
{
    ASSERT_TRUE(QDir().mkpath(Sup()));
    WriteFile(Cache(), CacheWithHeader(QStringLiteral("17|7|")));
    SortivoProbe::LoadADList(*form);
    WriteFile(Cache(), "17|7|\r\n*\r\n3\r\nhome\r\n");
    QTimer *timer = SortivoProbe::TimerAD(*form);
    timer->setTimerType(Qt::PreciseTimer); // remainingTime() then never exceeds the interval
    timer->start();
    ASSERT_TRUE(WaitUntil([timer] { return timer->remainingTime() < 9900; }, 5000));

    SortivoProbe::LoadADList(*form);
    ASSERT_EQ(SortivoProbe::ADList(*form).size(), 1);
    EXPECT_EQ(SortivoProbe::ADList(*form)[0].Caption, QStringLiteral("home"));
    // A new period of 10 seconds from now.
    EXPECT_TRUE(timer->isActive());
    EXPECT_GE(timer->remainingTime(), 9900);
    EXPECT_EQ(timer->interval(), 10000);
}

TEST_F(SortivoAds, UnreadableCacheRaisesAfterEmptyingTheTableAndRestartingTheTimer)
{
    ASSERT_TRUE(QDir().mkpath(Sup()));
    WriteFile(Cache(), CacheWithHeader(QStringLiteral("17|7|")));
    SortivoProbe::LoadADList(*form);
    ASSERT_FALSE(SortivoProbe::ADList(*form).isEmpty());
    ASSERT_TRUE(QFile::remove(Cache()));
    ASSERT_TRUE(QDir(Sup()).mkdir(QStringLiteral("Ad.his")));
    SortivoProbe::TimerAD(*form)->stop();

    EXPECT_THROW(SortivoProbe::LoadADList(*form), AppError);
    EXPECT_TRUE(SortivoProbe::ADList(*form).isEmpty());
    EXPECT_TRUE(SortivoProbe::TimerAD(*form)->isActive());
}

TEST_F(SortivoAds, FreshCacheFetchesNothing)
{
    ASSERT_TRUE(QDir().mkpath(Sup()));
    WriteFile(Cache(), CacheWithHeader(HeaderFromDaysAgo(2)));
    SortivoProbe::CheckADUpdate(*form);
    EXPECT_EQ(RunningADWorkers(), 0);
    ASSERT_TRUE(WaitForWorkers());
    EXPECT_EQ(server.requests(), 0);
}

struct StaleCase
{
    const char *name;
    int daysAgo;
    int interval;
};

void PrintTo(const StaleCase &c, std::ostream *out)
{
    *out << c.name;
}

class SortivoStaleCache : public SortivoAds, public testing::WithParamInterface<StaleCase>
{
};

TEST_P(SortivoStaleCache, FetchesTheListWithTheCachedVersion)
{
    ASSERT_TRUE(QDir().mkpath(Sup()));
    const QByteArray cache = CacheWithHeader(HeaderFromDaysAgo(GetParam().daysAgo, GetParam().interval));
    WriteFile(Cache(), cache);
    // The server still offers version 17: fetched, nothing written.
    server.setAnswer(ListPath, TestAnswer::Ok("17|7\r\n*\r\n1\r\nnew\r\n$\r\n"));

    SortivoProbe::CheckADUpdate(*form);
    ASSERT_TRUE(WaitForWorkers());

    EXPECT_EQ(server.requests(ListPath), 1);
    EXPECT_EQ(ReadFile(Cache()), cache);
}

INSTANTIATE_TEST_SUITE_P(Cases, SortivoStaleCache,
                         testing::Values(StaleCase{"SevenDaysOld", 7, 7}, StaleCase{"EightDaysAhead", -8, 7},
                                         StaleCase{"IntervalZero", 0, 0}, StaleCase{"IntervalNegative", 0, -1}),
                         [](const testing::TestParamInfo<StaleCase> &info) { return std::string(info.param.name); });

TEST_F(SortivoAds, NoCacheFetchesStoresAndPostsToTheForm)
{
    server.setAnswer(ListPath, TestAnswer::Ok("17|7\r\n*\r\n1\r\nnew\r\n$\r\n"));
    MessageLog seen;
    struct Spy : QObject
    {
        MessageLog *log;
        bool eventFilter(QObject *, QEvent *event) override
        {
            if (event->type() == ADMessageEvent::eventType()) {
                const auto *message = static_cast<ADMessageEvent *>(event);
                log->messages.append({message->message(), message->lParam()});
            }
            return false;
        }
    } spy;
    spy.log = &seen;
    form->installEventFilter(&spy);

    SortivoProbe::LoadADList(*form);
    SortivoProbe::CheckADUpdate(*form);
    ASSERT_TRUE(WaitForWorkers());

    EXPECT_EQ(server.requests(ListPath), 1);
    EXPECT_EQ(seen.messages, (QVector<MessageLog::Message>{{WM_ADLISTREADY, 0}}));
    EXPECT_EQ(ParseADHeader(LoadTextLines(Cache()).first(), QLocale::system()).Version, QStringLiteral("17"));
    form->removeEventFilter(&spy);
}

TEST_F(SortivoAds, FormHandlesBothWorkerMessages)
{
    ADMessageEvent listReady(WM_ADLISTREADY, 0);
    ADMessageEvent picReady(WM_ADPICREADY, 7);
    EXPECT_TRUE(QCoreApplication::sendEvent(form.get(), &listReady));
    EXPECT_TRUE(QCoreApplication::sendEvent(form.get(), &picReady));
}

TEST(SortivoAdsLife, DestroyedFormTakesNoMoreMessages)
{
    MessageBoxes::setResponder([](const MessageRecord &) {});
    auto form = std::make_unique<TFrmSortivo>();
    const std::shared_ptr<ADMessagePort> port = ADMessagePort::of(form.get());
    port->post(WM_ADPICREADY, 0); // still queued when the form goes
    form->close();
    form.reset();
    EXPECT_FALSE(port->attached());
    port->post(WM_ADLISTREADY, 0);
    QCoreApplication::sendPostedEvents();

    // Any widget that receives messages is let go by its destroyed() signal.
    auto *widget = new QWidget();
    const std::shared_ptr<ADMessagePort> widgetPort = ADMessagePort::of(widget);
    delete widget;
    EXPECT_FALSE(widgetPort->attached());
}

TEST_F(SortivoAds, UnreadableCacheStopsTheCheckWithAnError)
{
    ASSERT_TRUE(QDir().mkpath(Sup() + QStringLiteral("Ad.his")));
    EXPECT_THROW(SortivoProbe::CheckADUpdate(*form), AppError);
    EXPECT_EQ(RunningADWorkers(), 0);
}

int main(int argc, char **argv)
{
    qputenv("QUORBEL_AD_SERVER", "http://127.0.0.1:9");
    // Headless unless told otherwise (test discovery runs without the test environment).
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
