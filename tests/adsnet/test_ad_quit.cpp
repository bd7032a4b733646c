#include "TestHttpServer.h"
#include "TestSupport.h"

#include <QElapsedTimer>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

struct QuitCase
{
    const char *name;
    bool answerWhileQuitting; // the downloads complete just as the program ends
    bool leakForm;            // the receiver outlives the application object
};

void PrintTo(const QuitCase &c, std::ostream *out)
{
    *out << c.name;
}

class QuitWithDownloads : public testing::TestWithParam<QuitCase>
{
};

} // namespace

TEST_P(QuitWithDownloads, ProcessEndsPromptlyAndCleanly)
{
    TestHttpServer server;
    QTemporaryDir root;
    const QString sup = root.filePath(QStringLiteral("Sup/"));
    ASSERT_TRUE(QDir().mkpath(sup));
    const QByteArray list = "18|7\r\n*\r\n2\r\n0.gif|x\r\n$\r\n";
    auto answer = [&](const QByteArray &body) {
        return GetParam().answerWhileQuitting ? TestAnswer::Held(body) : TestAnswer::Hanging();
    };
    server.setAnswer(QStringLiteral("/AD/AD002.txt"), answer(list));
    for (int i = 0; i < 3; ++i)
        server.setAnswer(QStringLiteral("/pic/%1.gif").arg(i), answer(QByteArray(20000, char('a' + i))));

    QProcess helper;
    QStringList arguments{server.base(), sup};
    if (GetParam().leakForm)
        arguments << QStringLiteral("leak-form");
    helper.start(QStringLiteral(QUORBEL_QUIT_HELPER), arguments);
    ASSERT_TRUE(helper.waitForStarted(10000));
    // Every download is under way and hangs.
    ASSERT_TRUE(WaitUntil([&server] { return server.requests() == 4; }));

    QElapsedTimer sinceQuit;
    sinceQuit.start();
    helper.write("quit\n");
    if (GetParam().answerWhileQuitting)
        server.answerHeld();
    const bool ended = WaitUntil([&helper] { return helper.state() == QProcess::NotRunning; }, 2000);
    const qint64 elapsed = sinceQuit.elapsed();
    if (!ended) {
        helper.kill();
        helper.waitForFinished();
    }

    const QByteArray errors = helper.readAllStandardError();
    EXPECT_TRUE(ended) << "still running " << elapsed << " ms after being asked to quit";
    EXPECT_LT(elapsed, 2000);
    EXPECT_EQ(helper.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(helper.exitCode(), 0);
    EXPECT_FALSE(errors.contains("Sanitizer")) << errors.toStdString();
    EXPECT_FALSE(errors.contains("runtime error")) << errors.toStdString();
    // A picture is either complete under its name or absent.
    for (const QString &name : TreeOf(sup)) {
        if (name.endsWith(QLatin1String(".gif"))) {
            EXPECT_EQ(QFileInfo(sup + name).size(), 20000) << name.toStdString();
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Cases, QuitWithDownloads,
                         testing::Values(QuitCase{"Hanging", false, false},
                                         QuitCase{"HangingWithLeakedForm", false, true},
                                         QuitCase{"AnsweredWhileQuitting", true, false},
                                         QuitCase{"AnsweredWhileQuittingWithLeakedForm", true, true}),
                         [](const testing::TestParamInfo<QuitCase> &info) { return std::string(info.param.name); });
