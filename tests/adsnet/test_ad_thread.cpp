#include "TestHttpServer.h"
#include "TestSupport.h"

#include "ads/ADListFile.h"
#include "ads/ADThread.h"
#include "platform/Cp936.h"
#include "platform/TextFile.h"

#include <QFileInfo>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace quorbel;

namespace {

const QString ListPath = QStringLiteral("/AD/AD002.txt");

// A served list of version `version` with one entry of each kind, in code page 936.
QByteArray ServedList(const char *version)
{
    return QByteArray(version) + "|7\r\n*\r\n1\r\n" + EncodeCp936(QStringLiteral("文字广告")) +
        "\r\nhint\r\nhttp://a.example/\r\n*\r\n2\r\nb.gif|http://127.0.0.1/b.gif\r\n\r\nhttp://b.example/\r\n"
        "*\r\n3\r\nhome\r\n\r\nhttp://c.example/\r\n$\r\n";
}

class ADWorkers : public testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(QDir().mkpath(sup));
        HttpTimeouts timeouts;
        timeouts.connectMs = 2000;
        timeouts.lowSpeedSeconds = 1;
        timeouts.totalSeconds = 30;
        SetADHttpTimeouts(timeouts);
    }

    void TearDown() override
    {
        server.releaseHanging();
        EXPECT_TRUE(WaitForWorkers());
    }

    void RunListThread(const QString &version)
    {
        StartADThread(&log, version, server.url(ListPath), cache);
        ASSERT_TRUE(WaitForWorkers());
    }

    void RunPictureThread(const QString &picFile, int index, const QString &path = QStringLiteral("/pic/a.gif"))
    {
        StartGetPicThread(&log, server.url(path), sup, picFile, index);
        ASSERT_TRUE(WaitForWorkers());
    }

    // An older list and its pictures, as a previous refresh would have left them.
    void StoreOldCache()
    {
        WriteFile(cache, "17|7|5 Mar 2024 15:04:07\r\n*\r\n1\r\nold\r\n");
        WriteFile(sup + QStringLiteral("a.gif"), "old picture");
        ASSERT_TRUE(QDir(sup).mkdir(QStringLiteral("keep")));
        WriteFile(sup + QStringLiteral("keep/inner.gif"), "kept");
    }

    QTemporaryDir root;
    const QString sup = root.filePath(QStringLiteral("Sup/"));
    const QString cache = sup + QStringLiteral("Ad.his");
    TestHttpServer server;
    MessageLog log;
};

using Message = MessageLog::Message;

} // namespace

// --- TADThread ------------------------------------------------------------------------

TEST_F(ADWorkers, NoCacheFetchesStoresListAndPosts)
{
    server.setAnswer(ListPath, TestAnswer::Ok(ServedList("17")));
    const QDateTime before = QDateTime::currentDateTime().addSecs(-1);

    RunListThread(QString());

    EXPECT_EQ(server.requests(ListPath), 1);
    EXPECT_EQ(log.messages, (QVector<Message>{{WM_ADLISTREADY, 0}}));
    const QByteArray bytes = ReadFile(cache);
    EXPECT_TRUE(bytes.endsWith("http://c.example/\r\n")) << "no \"$\" line, CR LF after the last line";
    const QStringList lines = SplitTextLines(bytes);
    ASSERT_EQ(lines.size(), 16);
    EXPECT_TRUE(lines.first().startsWith(QStringLiteral("17|7|")));
    EXPECT_EQ(lines[3], QStringLiteral("文字广告"));

    const TADHeader header = ParseADHeader(lines.first(), QLocale::system());
    EXPECT_EQ(header.Version, QStringLiteral("17"));
    EXPECT_EQ(header.Interval, 7);
    EXPECT_GE(header.DownloadTime, before);
    EXPECT_LE(header.DownloadTime, QDateTime::currentDateTime());
    EXPECT_EQ(ParseADEntries(lines).size(), 3);
    EXPECT_EQ(TreeOf(sup), QStringList{QStringLiteral("Ad.his")}) << "no temporary file is left";
}

TEST_F(ADWorkers, UnchangedVersionWritesNothingAndPostsNothing)
{
    StoreOldCache();
    const QByteArray before = ReadFile(cache);
    const QStringList treeBefore = TreeOf(sup);
    server.setAnswer(ListPath, TestAnswer::Ok(ServedList("17")));

    RunListThread(QStringLiteral("17"));

    EXPECT_EQ(server.requests(ListPath), 1);
    EXPECT_TRUE(log.messages.isEmpty());
    EXPECT_EQ(ReadFile(cache), before);
    EXPECT_EQ(TreeOf(sup), treeBefore);
}

TEST_F(ADWorkers, EmptyServedVersionEqualsMissingCache)
{
    server.setAnswer(ListPath, TestAnswer::Ok("|7\r\n*\r\n1\r\ncap\r\n$\r\n"));
    RunListThread(QString());
    EXPECT_EQ(server.requests(ListPath), 1);
    EXPECT_TRUE(log.messages.isEmpty());
    EXPECT_FALSE(QFileInfo::exists(cache));
}

struct RefusedListCase
{
    const char *name;
    TestAnswer answer;
};

void PrintTo(const RefusedListCase &c, std::ostream *out)
{
    *out << c.name;
}

class ADRefusedList : public ADWorkers, public testing::WithParamInterface<RefusedListCase>
{
};

TEST_P(ADRefusedList, KeepsOldCacheAndPictures)
{
    StoreOldCache();
    const QByteArray before = ReadFile(cache);
    const QStringList treeBefore = TreeOf(sup);
    server.setAnswer(ListPath, GetParam().answer);
    server.setAnswer(QStringLiteral("/moved.txt"), TestAnswer::Ok(ServedList("18")));

    RunListThread(QStringLiteral("17"));

    EXPECT_EQ(server.requests(ListPath), 1);
    EXPECT_EQ(server.requests(QStringLiteral("/moved.txt")), 0);
    EXPECT_TRUE(log.messages.isEmpty());
    EXPECT_EQ(ReadFile(cache), before);
    EXPECT_EQ(TreeOf(sup), treeBefore);
}

namespace {

TestAnswer Oversized()
{
    QByteArray body = "18|7\r\n*\r\n1\r\n" + QByteArray(int(MaxADListBytes), 'x') + "\r\n$\r\n";
    return TestAnswer::Ok(body);
}

} // namespace

INSTANTIATE_TEST_SUITE_P(
    Cases, ADRefusedList,
    testing::Values(RefusedListCase{"NoEndLine", TestAnswer::Ok("18|7\r\n*\r\n1\r\ncap\r\n")},
                    RefusedListCase{"EndLineWithBlank", TestAnswer::Ok("18|7\r\n*\r\n$ \r\n")},
                    RefusedListCase{"EmptyLineAfterEnd", TestAnswer::Ok("18|7\r\n$\r\n\r\n")},
                    RefusedListCase{"NoBarInHeader", TestAnswer::Ok("18\r\n*\r\n1\r\ncap\r\n$\r\n")},
                    RefusedListCase{"EmptyBody", TestAnswer::Ok(QByteArray())},
                    RefusedListCase{"NotFound", TestAnswer::Status(404, ServedList("18"))},
                    RefusedListCase{"ServerError", TestAnswer::Status(500, ServedList("18"))},
                    RefusedListCase{"Redirect", TestAnswer::Redirect("/moved.txt")},
                    RefusedListCase{"LargerThanOneMiB", Oversized()},
                    RefusedListCase{"SilentServer", TestAnswer::Hanging()}),
    [](const testing::TestParamInfo<RefusedListCase> &info) { return std::string(info.param.name); });

TEST_F(ADWorkers, NewVersionEmptiesSupButNotItsSubFolders)
{
    StoreOldCache();
    WriteFile(sup + QStringLiteral(".hidden"), "x");
    server.setAnswer(ListPath, TestAnswer::Ok(ServedList("18")));

    RunListThread(QStringLiteral("17"));

    EXPECT_EQ(log.messages, (QVector<Message>{{WM_ADLISTREADY, 0}}));
    EXPECT_EQ(TreeOf(sup), (QStringList{QStringLiteral("Ad.his"), QStringLiteral("keep"),
                                        QStringLiteral("keep/inner.gif")}));
    EXPECT_TRUE(ReadFile(cache).startsWith("18|7|"));
    EXPECT_EQ(ReadFile(sup + QStringLiteral("keep/inner.gif")), QByteArray("kept"));
}

TEST_F(ADWorkers, ListAddressMustBeHttp)
{
    StartADThread(&log, QString(), QStringLiteral("file://") + root.filePath(QStringLiteral("list.txt")), cache);
    WriteFile(root.filePath(QStringLiteral("list.txt")), ServedList("18"));
    EXPECT_EQ(RunningADWorkers(), 0);
    ASSERT_TRUE(WaitForWorkers());
    EXPECT_FALSE(QFileInfo::exists(cache));
}

// --- TGetPicThread --------------------------------------------------------------------

TEST_F(ADWorkers, PictureIsStoredThenAnnouncedWithItsIndex)
{
    QByteArray picture(300000, '\0');
    for (qsizetype i = 0; i < picture.size(); ++i)
        picture[i] = char(i * 31 % 256);
    server.setAnswer(QStringLiteral("/pic/a.gif"), TestAnswer::Ok(picture));

    RunPictureThread(QStringLiteral("a.gif"), 3);

    EXPECT_EQ(log.messages, (QVector<Message>{{WM_ADPICREADY, 3}}));
    EXPECT_EQ(ReadFile(sup + QStringLiteral("a.gif")), picture);
    EXPECT_EQ(TreeOf(sup), QStringList{QStringLiteral("a.gif")});
}

TEST_F(ADWorkers, PictureReplacesAnOlderFile)
{
    WriteFile(sup + QStringLiteral("a.gif"), "older");
    server.setAnswer(QStringLiteral("/pic/a.gif"), TestAnswer::Ok("newer"));
    RunPictureThread(QStringLiteral("a.gif"), 0);
    EXPECT_EQ(ReadFile(sup + QStringLiteral("a.gif")), QByteArray("newer"));
}

TEST_F(ADWorkers, PictureOfExactlyEightMiBIsStored)
{
    server.setAnswer(QStringLiteral("/pic/a.gif"), TestAnswer::Ok(QByteArray(int(MaxADPictureBytes), 'p')));
    RunPictureThread(QStringLiteral("a.gif"), 1);
    EXPECT_EQ(log.messages, (QVector<Message>{{WM_ADPICREADY, 1}}));
    EXPECT_EQ(QFileInfo(sup + QStringLiteral("a.gif")).size(), qint64(MaxADPictureBytes));
}

struct FailedPictureCase
{
    const char *name;
    TestAnswer answer;
};

void PrintTo(const FailedPictureCase &c, std::ostream *out)
{
    *out << c.name;
}

class ADFailedPicture : public ADWorkers, public testing::WithParamInterface<FailedPictureCase>
{
};

TEST_P(ADFailedPicture, LeavesNoFileAndPostsNothing)
{
    server.setAnswer(QStringLiteral("/pic/a.gif"), GetParam().answer);
    server.setAnswer(QStringLiteral("/moved.gif"), TestAnswer::Ok("moved"));

    RunPictureThread(QStringLiteral("a.gif"), 2);

    EXPECT_EQ(server.requests(QStringLiteral("/pic/a.gif")), 1);
    EXPECT_EQ(server.requests(QStringLiteral("/moved.gif")), 0);
    EXPECT_TRUE(log.messages.isEmpty());
    EXPECT_TRUE(TreeOf(sup).isEmpty()) << TreeOf(sup).join(QLatin1Char(' ')).toStdString();
}

namespace {

TestAnswer OversizedPicture(bool chunked)
{
    TestAnswer answer = TestAnswer::Ok(QByteArray(int(MaxADPictureBytes) + 1, 'p'));
    answer.chunked = chunked;
    return answer;
}

TestAnswer TruncatedPicture()
{
    TestAnswer answer = TestAnswer::Ok(QByteArray(5000, 'p'));
    answer.mode = TestAnswer::Mode::Truncate;
    return answer;
}

} // namespace

INSTANTIATE_TEST_SUITE_P(
    Cases, ADFailedPicture,
    testing::Values(FailedPictureCase{"NotFound", TestAnswer::Status(404)},
                    FailedPictureCase{"ServerError", TestAnswer::Status(500)},
                    FailedPictureCase{"Redirect", TestAnswer::Redirect("/moved.gif")},
                    FailedPictureCase{"LargerThanEightMiB", OversizedPicture(false)},
                    FailedPictureCase{"LargerThanEightMiBWithoutLength", OversizedPicture(true)},
                    FailedPictureCase{"Truncated", TruncatedPicture()},
                    FailedPictureCase{"SilentServer", TestAnswer::Hanging()}),
    [](const testing::TestParamInfo<FailedPictureCase> &info) { return std::string(info.param.name); });

TEST_F(ADWorkers, FailedPictureKeepsTheFileItWasToReplace)
{
    WriteFile(sup + QStringLiteral("a.gif"), "older");
    server.setAnswer(QStringLiteral("/pic/a.gif"), TestAnswer::Status(404));
    RunPictureThread(QStringLiteral("a.gif"), 0);
    EXPECT_EQ(ReadFile(sup + QStringLiteral("a.gif")), QByteArray("older"));
}

TEST_F(ADWorkers, HostilePictureNamesFetchAndWriteNothing)
{
    const QString outside = root.filePath(QStringLiteral("outside/"));
    ASSERT_TRUE(QDir().mkpath(outside + QStringLiteral("deeper")));
    server.setAnswer(QStringLiteral("/pic/a.gif"), TestAnswer::Ok("payload"));
    const QString hostile[] = {QString(), QStringLiteral("."), QStringLiteral(".."), QStringLiteral("../evil.gif"),
                               QStringLiteral("../outside/evil.gif"), outside + QStringLiteral("evil.gif"),
                               QStringLiteral("sub/evil.gif"), QStringLiteral("..\\evil.gif"),
                               QStringLiteral("evil.gif") + QChar(0) + QStringLiteral(".txt")};
    for (const QString &name : hostile)
        StartGetPicThread(&log, server.url(QStringLiteral("/pic/a.gif")), sup, name, 0);
    // With sup ending in "deeper/": "../evil.gif" would have landed in outside/.
    StartGetPicThread(&log, server.url(QStringLiteral("/pic/a.gif")), outside + QStringLiteral("deeper/"),
                      QStringLiteral("../evil.gif"), 0);
    EXPECT_EQ(RunningADWorkers(), 0);
    ASSERT_TRUE(WaitForWorkers());

    EXPECT_EQ(server.requests(), 0);
    EXPECT_TRUE(log.messages.isEmpty());
    EXPECT_TRUE(TreeOf(sup).isEmpty());
    EXPECT_EQ(TreeOf(root.path()), (QStringList{QStringLiteral("Sup"), QStringLiteral("outside"),
                                                QStringLiteral("outside/deeper")}));
}

TEST_F(ADWorkers, OnlyHttpPictureAddressesAreFetched)
{
    WriteFile(root.filePath(QStringLiteral("secret.txt")), "secret");
    for (const QString &url : {QStringLiteral("file://") + root.filePath(QStringLiteral("secret.txt")),
                               QStringLiteral("ftp://127.0.0.1/a.gif"), QStringLiteral("a.gif"), QString()})
        StartGetPicThread(&log, url, sup, QStringLiteral("a.gif"), 0);
    EXPECT_EQ(RunningADWorkers(), 0);
    ASSERT_TRUE(WaitForWorkers());
    EXPECT_TRUE(TreeOf(sup).isEmpty());
    EXPECT_TRUE(log.messages.isEmpty());
}

TEST_F(ADWorkers, PictureBeingFetchedIsNotFetchedAgain)
{
    server.setAnswer(QStringLiteral("/pic/a.gif"), TestAnswer::Hanging());
    StartGetPicThread(&log, server.url(QStringLiteral("/pic/a.gif")), sup, QStringLiteral("a.gif"), 0);
    ASSERT_TRUE(WaitUntil([this] { return server.requests() == 1; }));
    StartGetPicThread(&log, server.url(QStringLiteral("/pic/a.gif")), sup, QStringLiteral("a.gif"), 0);
    StartGetPicThread(&log, server.url(QStringLiteral("/pic/other.gif")), sup, QStringLiteral("a.gif"), 5);
    EXPECT_EQ(RunningADWorkers(), 1);

    server.releaseHanging();
    ASSERT_TRUE(WaitForWorkers());
    EXPECT_EQ(server.requests(), 1);
    EXPECT_TRUE(TreeOf(sup).isEmpty());

    // Once the first download has ended, the picture may be asked for again.
    server.setAnswer(QStringLiteral("/pic/a.gif"), TestAnswer::Ok("pic"));
    RunPictureThread(QStringLiteral("a.gif"), 4);
    EXPECT_EQ(server.requests(), 2);
    EXPECT_EQ(log.messages, (QVector<Message>{{WM_ADPICREADY, 4}}));
}

TEST_F(ADWorkers, DifferentPicturesDownloadSideBySide)
{
    for (int i = 0; i < 4; ++i)
        server.setAnswer(QStringLiteral("/pic/%1.gif").arg(i), TestAnswer::Ok(QByteArray::number(i)));
    for (int i = 0; i < 4; ++i)
        StartGetPicThread(&log, server.url(QStringLiteral("/pic/%1.gif").arg(i)), sup, QStringLiteral("%1.gif").arg(i),
                          i);
    ASSERT_TRUE(WaitForWorkers());
    ASSERT_EQ(log.messages.size(), 4);
    QList<qintptr> indexes;
    for (const Message &message : log.messages) {
        EXPECT_EQ(message.message, WM_ADPICREADY);
        indexes << message.lParam;
    }
    std::sort(indexes.begin(), indexes.end());
    EXPECT_EQ(indexes, (QList<qintptr>{0, 1, 2, 3}));
    for (int i = 0; i < 4; ++i)
        EXPECT_EQ(ReadFile(sup + QStringLiteral("%1.gif").arg(i)), QByteArray::number(i));
}

TEST_F(ADWorkers, MessageForAReceiverThatIsGoneIsDropped)
{
    server.setAnswer(QStringLiteral("/pic/a.gif"), TestAnswer::Held("pic"));
    auto *receiver = new MessageLog();
    StartGetPicThread(receiver, server.url(QStringLiteral("/pic/a.gif")), sup, QStringLiteral("a.gif"), 0);
    ASSERT_TRUE(WaitUntil([this] { return server.requests() == 1; }));
    delete receiver;

    // The download completes after the receiver is gone: the picture is kept,
    // the message goes nowhere.
    server.answerHeld();
    ASSERT_TRUE(WaitForWorkers());
    EXPECT_EQ(ReadFile(sup + QStringLiteral("a.gif")), QByteArray("pic"));
    EXPECT_TRUE(log.messages.isEmpty());
}

TEST_F(ADWorkers, ListForAReceiverThatIsGoneIsNotStored)
{
    StoreOldCache();
    const QByteArray before = ReadFile(cache);
    server.setAnswer(ListPath, TestAnswer::Held(ServedList("18")));
    auto *receiver = new MessageLog();
    StartADThread(receiver, QStringLiteral("17"), server.url(ListPath), cache);
    ASSERT_TRUE(WaitUntil([this] { return server.requests() == 1; }));
    delete receiver;

    server.answerHeld();
    ASSERT_TRUE(WaitForWorkers());
    EXPECT_EQ(ReadFile(cache), before);
}
